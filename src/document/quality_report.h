#pragma once
// The statistics page's quality report: the subtitles whose timing or text a viewer would
// stumble over, in table order, one finding per problem. quillmark-convert --check prints
// the same findings.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/subtitle_document.h"

namespace qm {

struct QualityLimits {
  int32_t MaxDurationMs = 7000;  // Label4
  int32_t MinDurationMs = 1000;  // Label5
  int32_t MaxLines = 2;          // Label8
  int32_t MaxCharsPerSecond = 25;
  int32_t MaxLineLength = 55;  // EditMaxCharsOnLine
};

// In the order in which one subtitle's findings are listed.
enum class FindingKind {
  TooLong,
  TooShort,
  TooManyLines,
  HideBeforeShow,
  OverlapsNext,
  StartsBeforePrevious,
  ReadingSpeed,
  LineTooLong,
};
inline constexpr size_t kFindingKinds = 8;

struct Finding {
  int32_t Number = 0;  // the subtitle's number, 1-based
  FindingKind Kind = FindingKind::TooLong;
  int64_t ShowMs = 0;  // its show time
  int64_t Value = 0;   // milliseconds, lines, characters per second x 10, or characters
  int64_t Limit = 0;   // in the same unit; the other subtitle's number for the order findings
};

struct QualityReport {
  int32_t SubtitleCount = 0;
  int32_t BlankCount = 0;  // IsBlankText
  std::vector<Finding> Findings;
};

// Times are the clock times when the table holds them, otherwise the frames through the
// document's frame rate.
QualityReport CheckQuality(const SubtitleDocument& doc, const QualityLimits& limits);

// Message templates, one per kind in FindingKind order; {value} and {limit} are replaced.
using FindingTemplates = std::array<std::string, kFindingKinds>;
const FindingTemplates& EnglishFindingTemplates();

// "12 (00:01:02,345): <message>"; Windows-1250 when the templates are.
std::string FindingLine(const Finding& finding, const FindingTemplates& templates);
// The finding's show time, 00:01:02,345.
std::string FindingTimeText(const Finding& finding);
// Only the message.
std::string FindingMessage(const Finding& finding, const FindingTemplates& templates);

}  // namespace qm
