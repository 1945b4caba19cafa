#pragma once
// The timing tools of the "Úpravy časů" page as pure functions over the document: the time
// shift with its two units, the speed change and the show/hide copies. The page's handlers
// read their fields, call these and refill the grid; they compute nothing themselves.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"

namespace qm {

// --- Time shift ----------------------------------------------------------------------------

// The shift value of an untouched seconds field, and what a zero carried over is written as.
inline constexpr std::string_view kZeroShiftSeconds = "0,000";

// One shift as the shift group holds it. Which of the two amounts applies follows the
// document's TimeMode: Frames in frame view (SpinEditPosuv), Seconds in clock view (EditPosuv).
struct TimeShift {
  int32_t Frames = 0;
  double Seconds = 0;
  bool Show = true;  // CheckBoxShow
  bool Hide = true;  // CheckBoxHide
};

// A 1-based, inclusive range of subtitle numbers (EditPosuvOd .. EditPosuvDo).
struct SubtitleRange {
  int32_t First = 1;
  int32_t Last = 0;
};

// Shifts record `index` and rebuilds the other representation of each shifted time through
// doc.FrameRate. Frame view adds whole frames; clock view adds seconds to the clock time,
// wrapping past midnight. A time at or above zero never goes below zero: it stops at frame 0
// or 0:00:00,000. Fails with "Integer overflow" beyond the 32-bit frame range and refuses a
// frame rate that is not a positive number, before the record changes.
void ShiftSubtitle(SubtitleDocument& doc, int32_t index, const TimeShift& shift);

// Shifts subtitles 1..SubtitleCount, or only `range` (clipped to the subtitles that exist; a
// range whose first number is above its last shifts nothing). All or nothing: when any record
// fails, every record keeps the times it had before the run.
void ShiftSubtitles(SubtitleDocument& doc, const TimeShift& shift,
                    std::optional<SubtitleRange> range = std::nullopt);

// Carrying the shift value over when the view changes (and after every load).
// Seconds -> frames: seconds x rate, rounded half to even.
int32_t ShiftSecondsToFrames(double seconds, double frameRate);
// Frames -> the seconds field's text: frames / rate rounded half to even to 3 decimals, in the
// general number format with a decimal comma; zero is written "0,000".
std::string ShiftFramesToSecondsText(int32_t frames, double frameRate);

// The up/down arrows beside the seconds field: its number plus or minus 0,1, written back in
// the general number format ("0,3" down gives "0,2", "0" down gives "-0,1"). A field that is
// not a number fails with the conversion message.
std::string StepShiftSeconds(std::string_view fieldText, bool up);

// The range fields. When the range box becomes checked they read "1" and the subtitle count
// ("1" for an empty document).
std::string ShiftRangeLastDefault(int32_t subtitleCount);
// After the user changed one range field (isFirst: EditPosuvOd), the text that field must get
// instead, or nothing to keep it: a number below 1 or above the count is replaced by "1" or by
// the count. "Min"/"Max" and an empty field (which the caller refills with both defaults) are
// left alone here. A text that is not a number fails with the conversion message.
std::optional<std::string> CorrectShiftRangeField(std::string_view text, bool isFirst, int32_t subtitleCount);

// --- Speed change ------------------------------------------------------------------------

// The time scale that fits subtitles made for `sourceRate` to a film of `targetRate`:
// target / source. The source must be a positive number (a clear message instead of dividing
// by zero), the target a number not below zero.
double TimeScaleFromFrameRates(double sourceRate, double targetRate);
// The same, written as EditTimeScale shows it: 25 -> 23,976 gives "0,95904".
std::string TimeScaleText(double sourceRate, double targetRate);

// The language key that tells the user what a time scale does to the subtitles.
std::string_view SpeedChangeTextKey(double timeScale);

// Multiplies every frame number and every clock time of every subtitle by `timeScale`
// (frames rounded half to even, clock times to the millisecond, within one day). A scale that
// is negative or not a number is refused before anything changes; 0 is accepted. All or
// nothing, like the shift.
void ChangeSubtitleSpeed(SubtitleDocument& doc, double timeScale);

// Every subtitle's hide time := its show time, or the other way round, in both representations.
void HideTimesFromShowTimes(SubtitleDocument& doc);
void ShowTimesFromHideTimes(SubtitleDocument& doc);

}  // namespace qm
