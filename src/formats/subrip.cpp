// 00:00:01,500 --> 00:00:04,000  (after a counter line; text lines up to the next time line)
// Timing: clock time with milliseconds.

#include <algorithm>
#include <vector>

#include "formats/reader_support.h"
#include "formats/writer_support.h"
#include "platform/numbers.h"

namespace qm {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// A line that starts a subtitle: a show time "[-]H:MM:SS" (any number of hour digits) at
// its start, then an arrow ("-->", or the "->" it ends in) with a digit after it.
bool IsTimeLine(std::string_view line) {
  // Most lines are text or counters: "H:MM:SS->0" is the shortest time line there is.
  if (line.size() < 10 || !(IsDigit(line[0]) || line[0] == '-')) return false;
  const ClockText show = SplitClock(line, 0);
  const std::string_view ms = show.MinutesSeconds;
  if (!IsDigits(show.Hours) || ms.size() < 6 || ms[0] != ':' || ms[3] != ':' || !IsDigits(ms.substr(1, 2)) ||
      !IsDigits(ms.substr(4, 2)))
    return false;
  const size_t arrow = line.find("->", show.Length);
  return arrow != std::string_view::npos &&
         std::any_of(line.begin() + static_cast<ptrdiff_t>(arrow), line.end(), IsDigit);
}

// The milliseconds after a clock that ends at `at`: a separator ("," "." or ":") and three
// characters by position, stored unchecked. A shorter run of digits ended by a blank or the
// line end is a decimal fraction ("04" is 040 ms); without a separator there are none.
std::string Milliseconds(std::string_view line, size_t& at) {
  if (at >= line.size() || (line[at] != ',' && line[at] != '.' && line[at] != ':')) return "000";
  const std::string_view field = line.substr(at + 1, 3);
  size_t digits = 0;
  while (digits < field.size() && IsDigit(field[digits])) ++digits;
  const size_t after = at + 1 + digits;
  if (digits < 3 && (after >= line.size() || line[after] == ' ' || line[after] == '\t')) {
    at = after;
    return std::string(field.substr(0, digits)) + std::string(3 - digits, '0');
  }
  at += 1 + field.size();
  return std::string(field);
}

// Whether a line can be a counter at all: an integer starts with a blank, a sign, a digit or
// "$"; text lines rarely do, and the full test is dear.
bool CouldBeCounter(std::string_view line) {
  return !line.empty() &&
         (IsDigit(line[0]) || line[0] == ' ' || line[0] == '-' || line[0] == '+' || line[0] == '$');
}

bool IsCounter(std::string_view line) { return CouldBeCounter(line) && TryStrToInt(line).has_value(); }

// "HH:MM:SS,mmm" at `at` (12 characters that are there), with "," "." or ":" before the
// milliseconds: the layout nearly every file uses.
bool IsCanonicalClock(const char* c) {
  const bool digits = IsDigit(c[0]) && IsDigit(c[1]) && IsDigit(c[3]) && IsDigit(c[4]) && IsDigit(c[6]) &&
                      IsDigit(c[7]) && IsDigit(c[9]) && IsDigit(c[10]) && IsDigit(c[11]);
  return digits && c[2] == ':' && c[5] == ':' && (c[8] == ',' || c[8] == '.' || c[8] == ':');
}

// "00:00:01,500 --> 00:00:04,000" and whatever follows it but a digit.
bool IsCanonicalTimeLine(std::string_view line) {
  return line.size() >= 29 && line.substr(12, 5) == " --> " && (line.size() == 29 || !IsDigit(line[29])) &&
         IsCanonicalClock(line.data()) && IsCanonicalClock(line.data() + 17);
}

// The clock of IsCanonicalClock straight into integers.
void CanonicalClock(std::string_view line, size_t at, int32_t& hour, int32_t& minute, int32_t& second,
                    MsText& ms) {
  const char* c = line.data() + at;
  const auto two = [c](int p) { return (c[p] - '0') * 10 + (c[p + 1] - '0'); };
  hour = two(0), minute = two(3), second = two(6);
  ms.assign(c + 9, 3);
}

// "00:00:01,500 --> 00:00:04,000": read the same as the general rule below would, without
// taking the line apart piece by piece.
void ReadCanonicalTimeLine(ReaderState& state, std::string_view line) {
  TSubtitle& r = state.Current();
  CanonicalClock(line, 0, r.StartHour, r.StartMinute, r.StartSecond, r.StartMs);
  CanonicalClock(line, 17, r.EndHour, r.EndMinute, r.EndSecond, r.EndMs);
}

// Show time at the start; the hide time begins at the first digit after the character that
// follows the show time ("-" right before that digit, not part of an arrow, makes it
// negative). The rest of the line, for example position coordinates, is not read.
void ReadTimeLine(ReaderState& state, std::string_view line) {
  const ClockText show = SplitClock(line, 2);
  size_t at = show.Length;
  const bool separated = at < line.size() && (line[at] == ',' || line[at] == '.' || line[at] == ':');
  state.StoreClock(show, Milliseconds(line, at), true, false);
  size_t digit = at + (separated ? 1 : 0);
  while (digit < line.size() && !IsDigit(line[digit])) ++digit;
  if (digit >= line.size()) return;
  const bool minus = digit >= 1 && line[digit - 1] == '-' && (digit < 2 || line[digit - 2] != '-');
  const std::string_view rest = line.substr(minus ? digit - 1 : digit);
  const ClockText hide = SplitClock(rest, 2);
  at = hide.Length;
  state.StoreClock(hide, Milliseconds(rest, at), false, true);
}

// The text lines between two time lines. A counter right before the next time line is that
// subtitle's (`counterLast`: the last line is one); empty lines at the end separate subtitles,
// empty lines inside stay ("a||b").
void StoreText(ReaderState& state, std::vector<std::string_view>& lines, bool counterLast) {
  if (counterLast && !lines.empty()) lines.pop_back();
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::string& text = state.TextBuffer;
  text.assign(state.Current().Text.View());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '|';
    text += lines[i];
  }
  state.SetText(text);
  lines.clear();
}

}  // namespace

void ReadSubRip(ReaderState& state) {
  ByteStream& in = state.In;
  // A time line starts a subtitle with or without a counter line before it; what stands
  // before the first one (counters, a title) is skipped.
  // After a counter line, a line with an arrow is read as a time line by position even when
  // it is malformed, so that a damaged time fails loudly instead of turning into text.
  std::vector<std::string_view> lines;
  bool inSubtitle = false;
  bool afterCounter = false;
  while (!in.Eof()) {
    const std::string_view line = in.ReadLine();
    const bool canonical = IsCanonicalTimeLine(line);
    const bool timeLine =
        canonical || IsTimeLine(line) || (afterCounter && line.find("-->") != std::string_view::npos);
    const bool counterBefore = afterCounter;  // the line before, the last of `lines` if any
    afterCounter = !timeLine && IsCounter(line);
    if (!timeLine) {
      if (inSubtitle) lines.push_back(line);
      continue;
    }
    if (inSubtitle) StoreText(state, lines, counterBefore);
    if (!state.NewSubtitle()) return;
    inSubtitle = true;
    canonical ? ReadCanonicalTimeLine(state, line) : ReadTimeLine(state, line);
  }
  if (inSubtitle) StoreText(state, lines, false);  // a counter at the file's end is text
}

void WriteSubRip(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    AppendNumber(out, k);
    out += kCrLf;
    AppendClock(out, subtitle, kShowTime, true, ',', true);
    out += " --> ";
    AppendClock(out, subtitle, kHideTime, true, ',', true);
    out += kCrLf;
    AppendJoinedLines(out, subtitle.Text, kCrLf);
    out += kCrLf;
    out += kCrLf;  // the empty line stands after the last subtitle too
  }
}

}  // namespace qm
