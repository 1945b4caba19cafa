#include "document/subtitles_tool.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "document/clock_time.h"
#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/utf8.h"

namespace qm {
namespace {

// One left-to-right pass; the search continues after each inserted replacement.
std::string ReplaceEachOnce(std::string_view find, std::string_view replacement, std::string_view source) {
  std::string result;
  size_t from = 0;
  for (size_t at = source.find(find); at != std::string_view::npos; at = source.find(find, from)) {
    result.append(source, from, at - from);
    result.append(replacement);
    from = at + find.size();
  }
  result.append(source, from);
  return result;
}

// Replacing the first occurrence over and over can grow without end (e.g. "ab" -> "bbaa");
// past these bounds the one-pass result is used instead.
constexpr size_t kMaxRounds = 1000000;
size_t GrowthLimit(size_t sourceSize) { return 4 * sourceSize + 4096; }

}  // namespace

std::string ReplaceAll(std::string_view find, std::string_view replacement, std::string_view source) {
  if (find == replacement || find.empty()) return std::string(source);
  if (replacement.find(find) != std::string_view::npos) return ReplaceEachOnce(find, replacement, source);

  // Each round restarts from the text's start, so "  " -> " " collapses any run of blanks.
  // An occurrence cannot start more than |find|-1 bytes before the last one, so the search
  // resumes there; the result is the same as searching from the start.
  std::string text(source);
  size_t at = text.find(find);
  for (size_t round = 0; at != std::string::npos; ++round) {
    if (round >= kMaxRounds || text.size() > GrowthLimit(source.size()))
      return ReplaceEachOnce(find, replacement, source);
    text.replace(at, find.size(), replacement);
    at = text.find(find, at >= find.size() - 1 ? at - (find.size() - 1) : 0);
  }
  return text;
}

int32_t CountLines(std::string_view text) {
  return 1 + static_cast<int32_t>(std::count(text.begin(), text.end(), '|'));
}

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == ' ' || c == '|'; });
}

// Positions count characters: a UTF-8 line is judged as its Windows-1250 twin would be.
bool IsTimeTag(std::string_view line) {
  if (line.size() < 10 || line[0] != '[') return false;
  const size_t tenth = IsAscii(line.substr(0, 10)) ? 9 : ByteOffsetOfCharacter(line, 9);
  return tenth < line.size() && line[tenth] == ']';
}

bool IsAqtFrameLine(std::string_view line) {
  return line.size() >= 5 && line.find("-->> ") != std::string_view::npos;
}

int32_t AqtFrameNumber(std::string_view line) {
  return StrToInt(line.substr(std::min(line.size(), ByteOffsetOfCharacter(line, 5))));
}

std::string ZeroPad3(int32_t n) {
  if (n < 0) return "";
  if (n < 10) return "00" + std::to_string(n);
  if (n < 100) return "0" + std::to_string(n);
  return std::to_string(n);
}

std::string ZeroPad(int32_t n, int32_t width) {
  std::string text = std::to_string(n);
  if (width >= 1 && static_cast<double>(n) < std::pow(10.0, width - 1) &&
      text.size() < static_cast<size_t>(width))
    text.insert(0, static_cast<size_t>(width) - text.size(), '0');
  return text;
}

std::string ZeroPad7(int32_t n) { return ZeroPad(n, 7); }

std::string MsFromDigits(std::string_view digits) {
  switch (digits.size()) {
    case 0:
      return "000";  // an emptied field means no fraction of a second
    case 1:
      return std::string(digits) + "00";
    case 2:
      return std::string(digits) + "0";
    default:
      return std::string(digits.substr(0, 3));  // later digits are below a millisecond
  }
}

void AppendSubtitleTimeText(std::string& out, const TSubtitle& r, int which, bool leadingZero, char separator,
                            bool withMs) {
  if (which != kShowTime && which != kHideTime) return;
  const bool show = which == kShowTime;
  const ClockFields fields{show ? r.StartHour : r.EndHour, show ? r.StartMinute : r.EndMinute,
                           show ? r.StartSecond : r.EndSecond, StrToInt(show ? r.StartMs : r.EndMs)};
  EncodeClock(fields.Hour, fields.Minute, fields.Second, fields.Millisecond);
  if (leadingZero && fields.Hour < 10) out += '0';
  AppendLongTimeText(out, fields);
  if (withMs) {
    out += separator;
    out += show ? r.StartMs : r.EndMs;
  }
}

std::string SubtitleTimeText(const TSubtitle& r, int which, bool leadingZero, char separator, bool withMs) {
  std::string text;
  AppendSubtitleTimeText(text, r, which, leadingZero, separator, withMs);
  return text;
}

std::string SubtitleTimeText(const SubtitleDocument& doc, int which, int32_t index, bool leadingZero,
                             char separator, bool withMs) {
  return SubtitleTimeText(doc.SubtitleTable[index], which, leadingZero, separator, withMs);
}

std::string TimeDifferenceText(int32_t h1, int32_t h2, int32_t m1, int32_t m2, int32_t s1, int32_t s2,
                               int32_t ms1, int32_t ms2, bool leadingZero, char separator) {
  const double hours1 = h1 + m1 / 60.0 + (s1 + ms1 / 1000.0) / 3600.0;
  const double hours2 = h2 + m2 / 60.0 + (s2 + ms2 / 1000.0) / 3600.0;
  const ClockFields d = DecodeDayFraction((hours1 - hours2) / 24.0);
  std::string text = LongTimeText(d) + separator + ZeroPad3(d.Millisecond);
  if (leadingZero && text.size() == 11) text.insert(0, "0");
  return text;
}

std::string DurationText(const TSubtitle& r, uint8_t timeMode) {
  if (timeMode == kModeFrames) return std::to_string(int64_t{r.EndFrame} - r.StartFrame);
  return TimeDifferenceText(r.EndHour, r.StartHour, r.EndMinute, r.StartMinute, r.EndSecond, r.StartSecond,
                            StrToInt(r.EndMs), StrToInt(r.StartMs), false, ',');
}

void ClearSubtitle(SubtitleDocument& doc, int32_t index) { doc.SubtitleTable[index] = TSubtitle{}; }

void ClearSubtitleTable(SubtitleDocument& doc) {
  doc.SubtitleCount = 0;
  doc.SubtitleTable.Clear();
}

void TrimSubtitleEnd(SubtitleDocument& doc, int32_t index) {
  SubtitleText& text = doc.SubtitleTable[index].Text;
  const size_t keep = text.View().find_last_not_of("\t\r |");
  const size_t size = keep == std::string::npos ? 0 : keep + 1;
  if (size < text.size()) text = text.View().substr(0, size);
}

void CheckFrameRate(double rate) {
  if (!(rate > 0) || !std::isfinite(rate))
    throw QuillmarkError(ErrorKind::Arithmetic, "The frame rate must be a number greater than zero");
}

namespace {

void SetClock(int32_t& hour, int32_t& minute, int32_t& second, MsText& ms, const ClockFields& f) {
  hour = f.Hour;
  minute = f.Minute;
  second = f.Second;
  ms = ZeroPad3(f.Millisecond);
}

ClockFields FramesToFields(int32_t frames, double rate) {
  const double seconds = frames / rate;
  const double hours = seconds / 3600;
  return DecodeDayFraction(hours / 24);
}

// The milliseconds text as a number: nearly always three digits, read as such.
int32_t MillisecondsOf(std::string_view ms) {
  const auto digit = [&ms](size_t k) { return static_cast<unsigned>(ms[k] - '0'); };
  if (ms.size() == 3 && digit(0) < 10 && digit(1) < 10 && digit(2) < 10)
    return static_cast<int32_t>(digit(0) * 100 + digit(1) * 10 + digit(2));
  return StrToInt(ms);
}

int32_t ClockToFrameNumber(int32_t h, int32_t m, int32_t s, std::string_view ms, double rate) {
  const double seconds =
      static_cast<double>(int64_t{h} * 3600 + int64_t{m} * 60 + s) + MillisecondsOf(ms) / 1000.0;
  return RoundToInt(seconds * rate);
}

// Hours as the speed change computes them: (ms / 1000 + s) / 3600 + (h + m / 60).
double ClockToHours(int32_t h, int32_t m, int32_t s, std::string_view ms) {
  return (MillisecondsOf(ms) / 1000.0 + s) / 3600 + (h + m / 60.0);
}

}  // namespace

void FramesToClock(SubtitleDocument& doc, int32_t index, bool doStart, bool doEnd, double rate) {
  CheckFrameRate(rate);
  TSubtitle& r = doc.SubtitleTable[index];
  if (doStart)
    SetClock(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs, FramesToFields(r.StartFrame, rate));
  if (doEnd) SetClock(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs, FramesToFields(r.EndFrame, rate));
}

void ClockToFrames(SubtitleDocument& doc, int32_t index, bool doStart, bool doEnd, double rate) {
  CheckFrameRate(rate);
  TSubtitle& r = doc.SubtitleTable[index];
  if (doStart) r.StartFrame = ClockToFrameNumber(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs, rate);
  if (doEnd) r.EndFrame = ClockToFrameNumber(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs, rate);
}

void ScaleSubtitleTimes(SubtitleDocument& doc, int32_t index, double factor) {
  TSubtitle& r = doc.SubtitleTable[index];
  r.StartFrame = RoundToInt(r.StartFrame * factor);
  r.EndFrame = RoundToInt(r.EndFrame * factor);
  const double startHours = ClockToHours(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs);
  const double endHours = ClockToHours(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs);
  SetClock(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs, DecodeDayFraction(factor * startHours / 24));
  SetClock(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs, DecodeDayFraction(factor * endHours / 24));
}

void CopyHideToShow(SubtitleDocument& doc, int32_t index) {
  TSubtitle& r = doc.SubtitleTable[index];
  r.StartFrame = r.EndFrame;
  r.StartHour = r.EndHour;
  r.StartMinute = r.EndMinute;
  r.StartSecond = r.EndSecond;
  r.StartMs = r.EndMs;
}

void CopyShowToHide(SubtitleDocument& doc, int32_t index) {
  TSubtitle& r = doc.SubtitleTable[index];
  r.EndFrame = r.StartFrame;
  r.EndHour = r.StartHour;
  r.EndMinute = r.StartMinute;
  r.EndSecond = r.StartSecond;
  r.EndMs = r.StartMs;
}

void RemoveAccents(SubtitleDocument& doc, int32_t index) {
  // Only these eight small letters change: š ž č ě ď ň ř ů. Every other character, capitals
  // and letters of other scripts included, stays as it is.
  static constexpr std::pair<char32_t, char> kPlain[] = {{U'š', 's'}, {U'ž', 'z'}, {U'č', 'c'}, {U'ě', 'e'},
                                                         {U'ď', 'd'}, {U'ň', 'n'}, {U'ř', 'r'}, {U'ů', 'u'}};
  SubtitleText& record = doc.SubtitleTable[index].Text;
  const std::string_view text = record;
  if (IsAscii(text)) return;
  std::string plain;
  plain.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const char32_t code = NextCodePoint(text, pos);
    const auto* row =
        std::find_if(std::begin(kPlain), std::end(kPlain), [code](const auto& r) { return r.first == code; });
    if (row != std::end(kPlain))
      plain += row->second;
    else
      plain.append(text, start, pos - start);
  }
  record = std::move(plain);
}

int32_t DeleteEmptySubtitles(SubtitleDocument& doc) {
  // Same result as moving the later records down one by one from the end: the others keep
  // their order, and every vacated slot up to the old count is cleared.
  int32_t kept = 0;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    if (IsBlankText(doc.SubtitleTable[i].Text)) continue;
    ++kept;
    if (kept != i) doc.SubtitleTable[kept] = std::move(doc.SubtitleTable[i]);
  }
  for (int32_t i = kept + 1; i <= doc.SubtitleCount; ++i) ClearSubtitle(doc, i);
  return kept;
}

void ReadEditorClockFields(TSubtitle& r, const EditorTimes& e) {
  r.StartHour = StrToInt(e.HH1);
  r.StartMinute = StrToInt(e.MM1);
  r.StartSecond = StrToInt(e.SS1);
  r.StartMs = MsFromDigits(e.SSS1);
  r.EndHour = StrToInt(e.HH2);
  r.EndMinute = StrToInt(e.MM2);
  r.EndSecond = StrToInt(e.SS2);
  r.EndMs = MsFromDigits(e.SSS2);
}

void StoreEditorTimes(SubtitleDocument& doc, int32_t index, double rate, const EditorTimes& e) {
  TSubtitle& r = doc.SubtitleTable[index];
  if (doc.TimeMode == kModeFrames) {
    r.StartFrame = e.StartFrame;
    r.EndFrame = e.EndFrame;
    FramesToClock(doc, index, true, true, rate);
  } else if (doc.TimeMode == kModeClock) {
    ReadEditorClockFields(r, e);
    ClockToFrames(doc, index, true, true, rate);
  }
}

bool CompleteTable(SubtitleDocument& doc, const FrameRatePrompt& askFrameRate) {
  const std::optional<double> rate = askFrameRate();
  if (!rate) return false;
  doc.FrameRate = *rate;
  doc.FrameRateConfirmed = true;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    if (doc.StoredMode == kModeFrames) FramesToClock(doc, i, true, true, doc.FrameRate);
    if (doc.StoredMode == kModeClock) ClockToFrames(doc, i, true, true, doc.FrameRate);
  }
  doc.StoredMode = kModeBoth;
  return true;
}

}  // namespace qm
