#pragma once
// The editing tools of the command line: applied between reading and writing, in the order
// given, on each file's own timing (frames for MicroDVD and AQT, clock time for the others).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/subtitle_document.h"
#include "document/timing_tools.h"

namespace qm {

enum class ToolKind {
  ShiftSeconds,  // --shift SECONDS
  ShiftFrames,   // --shift-frames N
  Scale,         // --scale FACTOR, or --fps-from A --fps-to B
  HideFromShow,
  ShowFromHide,
  Replace,  // --replace FIND REPL (as given)
  Trim,
  RepairOverlaps,
  DeleteEmpty,
  RemoveAccents,
  Wrap,  // --wrap N
};

struct ToolStep {
  ToolStep(ToolKind kind, double number = 0, int32_t width = 0, std::string find = {},
           std::string replacement = {})
      : Kind(kind),
        Number(number),
        Width(width),
        Find(std::move(find)),
        Replacement(std::move(replacement)) {}
  ToolKind Kind;
  double Number = 0;  // seconds, frames or factor
  int32_t Width = 0;  // wrap width
  std::string Find, Replacement;
};

struct ToolSettings {
  std::vector<ToolStep> Steps;
  bool Show = true, Hide = true;       // --only show|hide
  std::optional<SubtitleRange> Range;  // --range A-B
};

// frameRate converts a shift between seconds and frames and derives the other timing form.
void ApplyTools(SubtitleDocument& doc, uint8_t format, const ToolSettings& tools, double frameRate);

}  // namespace qm
