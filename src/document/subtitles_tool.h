#pragma once
// The small routines every part uses: time texts, frame/clock conversion through a frame
// rate, and per-record text and record work. Indexes are 1-based table slots.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"

namespace qm {

// --- Text routines ---------------------------------------------------------------------
std::string ReplaceAll(std::string_view find, std::string_view replacement, std::string_view source);
int32_t CountLines(std::string_view text);
bool IsBlankText(std::string_view text);
bool IsTimeTag(std::string_view line);
bool IsAqtFrameLine(std::string_view line);
int32_t AqtFrameNumber(std::string_view line);

// --- Number and time texts -------------------------------------------------------------
std::string ZeroPad3(int32_t n);
std::string ZeroPad(int32_t n, int32_t width);
std::string ZeroPad7(int32_t n);
std::string MsFromDigits(std::string_view digits);

enum : int { kShowTime = 1, kHideTime = 2 };
std::string SubtitleTimeText(const TSubtitle& record, int which, bool leadingZero, char separator,
                             bool withMs);
std::string SubtitleTimeText(const SubtitleDocument& doc, int which, int32_t index, bool leadingZero,
                             char separator, bool withMs);
// SubtitleTimeText appended to `out`, for writers that build megabytes of such texts.
void AppendSubtitleTimeText(std::string& out, const TSubtitle& record, int which, bool leadingZero,
                            char separator, bool withMs);
std::string TimeDifferenceText(int32_t h1, int32_t h2, int32_t m1, int32_t m2, int32_t s1, int32_t s2,
                               int32_t ms1, int32_t ms2, bool leadingZero, char separator);

// The editor's duration of a subtitle: hide minus show frame in frame view (negative when
// the hide frame comes first), the clock difference as a magnitude in clock view.
std::string DurationText(const TSubtitle& record, uint8_t timeMode);

// --- Record routines -------------------------------------------------------------------
void ClearSubtitle(SubtitleDocument& doc, int32_t index);
void ClearSubtitleTable(SubtitleDocument& doc);
void TrimSubtitleEnd(SubtitleDocument& doc, int32_t index);
void FramesToClock(SubtitleDocument& doc, int32_t index, bool doStart, bool doEnd, double rate);
void ClockToFrames(SubtitleDocument& doc, int32_t index, bool doStart, bool doEnd, double rate);
void ScaleSubtitleTimes(SubtitleDocument& doc, int32_t index, double factor);
void CopyHideToShow(SubtitleDocument& doc, int32_t index);
void CopyShowToHide(SubtitleDocument& doc, int32_t index);
void RemoveAccents(SubtitleDocument& doc, int32_t index);
int32_t DeleteEmptySubtitles(SubtitleDocument& doc);

// The editor panel's values as typed: frames from the spin fields, clock parts as texts.
struct EditorTimes {
  int32_t StartFrame = 0, EndFrame = 0;
  std::string HH1 = "0", MM1 = "0", SS1 = "0", SSS1 = "000";
  std::string HH2 = "0", MM2 = "0", SS2 = "0", SSS2 = "000";
};
void StoreEditorTimes(SubtitleDocument& doc, int32_t index, double rate, const EditorTimes& editor);
// The eight clock fields of `record` from the editor's clock fields (milliseconds as digits
// after the comma); a field that is not a whole number fails with the conversion message.
void ReadEditorClockFields(TSubtitle& record, const EditorTimes& editor);

// Asks for the frame rate, marks it confirmed and fills the representation that the table
// lacks. A prompt closed without OK (nullopt) cancels: nothing changes and the result is false.
using FrameRatePrompt = std::function<std::optional<double>()>;
bool CompleteTable(SubtitleDocument& doc, const FrameRatePrompt& askFrameRate);

// Frame rates of zero, negative or not finite cannot convert anything.
void CheckFrameRate(double rate);

}  // namespace qm
