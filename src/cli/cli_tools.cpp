#include "cli/cli_tools.h"

#include "document/text_tools.h"
#include "formats/catalogue.h"
#include "platform/errors.h"
#include "platform/numbers.h"

namespace qm {
namespace {

void Shift(SubtitleDocument& doc, const ToolSettings& tools, int32_t frames, double seconds) {
  TimeShift shift;
  shift.Frames = frames;
  shift.Seconds = seconds;
  shift.Show = tools.Show;
  shift.Hide = tools.Hide;
  ShiftSubtitles(doc, shift, tools.Range);
}

// Seconds given for a frame-timed file become frames, and frames given for a clock-timed
// file become seconds, by the same carry-over as the editor's shift field.
void ShiftBySeconds(SubtitleDocument& doc, const ToolSettings& tools, double seconds) {
  Shift(doc, tools, doc.TimeMode == kModeFrames ? ShiftSecondsToFrames(seconds, doc.FrameRate) : 0, seconds);
}

void ShiftByFrames(SubtitleDocument& doc, const ToolSettings& tools, int32_t frames) {
  const double seconds =
      doc.TimeMode == kModeFrames ? 0 : StrToFloat(ShiftFramesToSecondsText(frames, doc.FrameRate));
  Shift(doc, tools, frames, seconds);
}

void Apply(SubtitleDocument& doc, const ToolSettings& tools, const ToolStep& step) {
  switch (step.Kind) {
    case ToolKind::ShiftSeconds:
      return ShiftBySeconds(doc, tools, step.Number);
    case ToolKind::ShiftFrames:
      return ShiftByFrames(doc, tools, static_cast<int32_t>(step.Number));
    case ToolKind::Scale:
      return ChangeSubtitleSpeed(doc, step.Number);
    case ToolKind::HideFromShow:
      return HideTimesFromShowTimes(doc);
    case ToolKind::ShowFromHide:
      return ShowTimesFromHideTimes(doc);
    case ToolKind::Replace:
      return ApplyTextChanges(doc, {step.Find, step.Replacement, false, false});
    case ToolKind::Trim:
      return ApplyTextChanges(doc, {"", "", true, false});
    case ToolKind::RepairOverlaps:
      return RepairOverlaps(doc);
    case ToolKind::DeleteEmpty:
      DeleteBlankSubtitles(doc);
      return;
    case ToolKind::RemoveAccents:
      return RemoveAccentsFromAll(doc);
    case ToolKind::Wrap:
      return WrapAllSubtitleLines(doc, step.Width);
  }
}

}  // namespace

void ApplyTools(SubtitleDocument& doc, uint8_t format, const ToolSettings& tools, double frameRate) {
  doc.TimeMode = TimeModeOf(format);
  doc.StoredMode = doc.TimeMode;
  doc.FrameRate = frameRate;
  for (const ToolStep& step : tools.Steps) Apply(doc, tools, step);
}

}  // namespace qm
