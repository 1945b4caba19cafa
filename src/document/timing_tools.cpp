#include "document/timing_tools.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/clock_time.h"
#include "document/subtitles_tool.h"
#include "platform/errors.h"
#include "platform/numbers.h"

namespace qm {
namespace {

// The timing fields of one record; the timing tools never touch the text.
struct RecordTimes {
  int32_t StartFrame, EndFrame, StartHour, EndHour, StartMinute, EndMinute, StartSecond, EndSecond;
  std::string StartMs, EndMs;

  static RecordTimes Of(const TSubtitle& r) {
    return {r.StartFrame, r.EndFrame,    r.StartHour, r.EndHour, r.StartMinute,
            r.EndMinute,  r.StartSecond, r.EndSecond, r.StartMs, r.EndMs};
  }
  void RestoreInto(TSubtitle& r) const {
    r.StartFrame = StartFrame, r.EndFrame = EndFrame;
    r.StartHour = StartHour, r.EndHour = EndHour;
    r.StartMinute = StartMinute, r.EndMinute = EndMinute;
    r.StartSecond = StartSecond, r.EndSecond = EndSecond;
    r.StartMs = StartMs, r.EndMs = EndMs;
  }
};

// Runs `step` on records first..last; if one fails (a frame number beyond the integer range,
// a milliseconds text that is not a number), every record gets its times back, so the user
// never keeps a half-shifted or half-scaled document.
template <typename Step>
void AllOrNothing(SubtitleDocument& doc, int32_t first, int32_t last, Step step) {
  if (last < first) return;
  std::vector<RecordTimes> before;
  before.reserve(static_cast<size_t>(last - first) + 1);
  try {
    for (int32_t i = first; i <= last; ++i) {
      before.push_back(RecordTimes::Of(doc.SubtitleTable[i]));
      step(i);
    }
  } catch (...) {
    for (size_t k = 0; k < before.size(); ++k)
      before[k].RestoreInto(doc.SubtitleTable[first + static_cast<int32_t>(k)]);
    throw;
  }
}

// A time at or above zero stops at zero; one that a file already holds below zero just moves.
int32_t ShiftedFrame(int32_t frame, int32_t by) {
  const int32_t moved = CheckedAdd(frame, by);
  return frame >= 0 && moved < 0 ? 0 : moved;
}

// The clock time plus `seconds` as a day fraction, in the order of operations the shift has
// always used, so that results match to the millisecond.
double ShiftedDayFraction(int32_t hour, int32_t minute, int32_t second, std::string_view ms, double seconds) {
  const double msSeconds = StrToInt(ms) / 1000.0;
  const double before = (msSeconds + second) / 3600 + (hour + minute / 60.0);
  const double after = (msSeconds + second + seconds) / 3600 + (hour + minute / 60.0);
  return before >= 0 && after < 0 ? 0 : after / 24;
}

void SetClock(int32_t& hour, int32_t& minute, int32_t& second, MsText& ms, const ClockFields& f) {
  hour = f.Hour;
  minute = f.Minute;
  second = f.Second;
  ms = ZeroPad3(f.Millisecond);
}

void ShiftFrames(SubtitleDocument& doc, int32_t index, const TimeShift& shift) {
  TSubtitle& r = doc.SubtitleTable[index];
  const int32_t start = shift.Show ? ShiftedFrame(r.StartFrame, shift.Frames) : r.StartFrame;
  const int32_t end = shift.Hide ? ShiftedFrame(r.EndFrame, shift.Frames) : r.EndFrame;
  r.StartFrame = start;
  r.EndFrame = end;
  FramesToClock(doc, index, shift.Show, shift.Hide, doc.FrameRate);
}

void ShiftClock(SubtitleDocument& doc, int32_t index, const TimeShift& shift) {
  TSubtitle& r = doc.SubtitleTable[index];
  if (shift.Show) {
    const double d = ShiftedDayFraction(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs, shift.Seconds);
    SetClock(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs, DecodeDayFraction(d));
  }
  if (shift.Hide) {
    const double d = ShiftedDayFraction(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs, shift.Seconds);
    SetClock(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs, DecodeDayFraction(d));
  }
  ClockToFrames(doc, index, shift.Show, shift.Hide, doc.FrameRate);
}

void CheckShift(const SubtitleDocument& doc, const TimeShift& shift) {
  CheckFrameRate(doc.FrameRate);
  if (doc.TimeMode != kModeFrames && !std::isfinite(shift.Seconds))
    throw QuillmarkError(ErrorKind::Arithmetic, "The shift must be a number of seconds");
}

void ShiftOne(SubtitleDocument& doc, int32_t index, const TimeShift& shift) {
  if (doc.TimeMode == kModeFrames)
    ShiftFrames(doc, index, shift);
  else
    ShiftClock(doc, index, shift);
}

}  // namespace

void ShiftSubtitle(SubtitleDocument& doc, int32_t index, const TimeShift& shift) {
  if (!shift.Show && !shift.Hide) return;
  CheckShift(doc, shift);
  AllOrNothing(doc, index, index, [&](int32_t i) { ShiftOne(doc, i, shift); });
}

void ShiftSubtitles(SubtitleDocument& doc, const TimeShift& shift, std::optional<SubtitleRange> range) {
  if (!shift.Show && !shift.Hide) return;
  CheckShift(doc, shift);
  // Range fields are checked only while typed; a later drop of the count must not shift the
  // cleared slots above it (or reach past the table).
  const int32_t first = range ? std::max(range->First, 1) : 1;
  const int32_t last = range ? std::min(range->Last, doc.SubtitleCount) : doc.SubtitleCount;
  AllOrNothing(doc, first, last, [&](int32_t i) { ShiftOne(doc, i, shift); });
}

int32_t ShiftSecondsToFrames(double seconds, double frameRate) {
  CheckFrameRate(frameRate);
  return RoundToInt(seconds * frameRate);
}

std::string ShiftFramesToSecondsText(int32_t frames, double frameRate) {
  CheckFrameRate(frameRate);
  const double seconds = RoundHalfEven(frames / frameRate * 1000) / 1000;
  const std::string text = FloatToText(seconds);
  return text == "0" ? std::string(kZeroShiftSeconds) : text;
}

std::string StepShiftSeconds(std::string_view fieldText, bool up) {
  return FloatToText(StrToFloat(fieldText) + (up ? 0.1 : -0.1));
}

std::string ShiftRangeLastDefault(int32_t subtitleCount) {
  return subtitleCount > 0 ? std::to_string(subtitleCount) : "1";
}

std::optional<std::string> CorrectShiftRangeField(std::string_view text, bool isFirst,
                                                  int32_t subtitleCount) {
  if (text.empty() || text == "Min" || text == "Max") return std::nullopt;
  const int32_t value = StrToInt(text);
  if (value >= 1 && value <= subtitleCount) return std::nullopt;
  std::string corrected = isFirst ? "1" : std::to_string(subtitleCount);
  if (corrected == text) return std::nullopt;  // writing the same text is no change
  return corrected;
}

double TimeScaleFromFrameRates(double sourceRate, double targetRate) {
  // A source of 0 fails as the division itself fails, with the arithmetic message a user
  // of the product knows; other impossible rates keep the clearer message.
  if (sourceRate == 0)
    throw QuillmarkError(ErrorKind::Arithmetic, targetRate == 0 ? "Invalid floating point operation"
                                                                : "Floating point division by zero");
  CheckFrameRate(sourceRate);
  // A target of 0 is a scale of 0, which the speed change accepts; a user typing "0,5" into
  // the target box passes through "0" on the way.
  if (!(targetRate >= 0) || !std::isfinite(targetRate))
    throw QuillmarkError(ErrorKind::Arithmetic, "The target frame rate must be a number not below zero");
  return targetRate / sourceRate;
}

std::string TimeScaleText(double sourceRate, double targetRate) {
  return FloatToText(TimeScaleFromFrameRates(sourceRate, targetRate));
}

std::string_view SpeedChangeTextKey(double timeScale) {
  if (timeScale < 1) return "LabelZmenaRychlostiTitulkyZrychli";
  if (timeScale > 1) return "LabelZmenaRychlostiTitulkyZpomali";
  return "LabelZmenaRychlostiTitulkyBezeZmeny";
}

void ChangeSubtitleSpeed(SubtitleDocument& doc, double timeScale) {
  if (!(timeScale >= 0) || !std::isfinite(timeScale))
    throw QuillmarkError(ErrorKind::Arithmetic, "The time scale must be a number not below zero");
  AllOrNothing(doc, 1, doc.SubtitleCount, [&](int32_t i) { ScaleSubtitleTimes(doc, i, timeScale); });
}

void HideTimesFromShowTimes(SubtitleDocument& doc) {
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) CopyShowToHide(doc, i);
}

void ShowTimesFromHideTimes(SubtitleDocument& doc) {
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) CopyHideToShow(doc, i);
}

}  // namespace qm
