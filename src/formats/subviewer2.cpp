// 00:00:01.50,00:00:04.00  then one text line with [br] breaks, then an empty line
// (00:00:01.500,00:00:04.000 with milliseconds reads too)
// Timing: clock time in hundredths of a second.

#include <algorithm>

#include "document/subtitles_tool.h"
#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {
namespace {

// Header lines begin with "["; empty or blank lines among them are header too, since a
// blank line can never be a time line.
bool IsHeaderLine(std::string_view line) { return (!line.empty() && line[0] == '[') || IsBlankText(line); }

// "[br]" and "[BR]" are line breaks; other spellings such as "[Br]" stay as they are.
std::string BreaksToBars(std::string_view line) {
  std::string text;
  text.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    const std::string_view rest = line.substr(i, 4);
    if (rest == "[br]" || rest == "[BR]") {
      text += '|';
      i += 3;
    } else {
      text += line[i];
    }
  }
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One time of the time line, from its start: HH:MM:SS and a decimal fraction, two digits
// (hundredths) as the format has it, or three (milliseconds) or one that ends at the "," or
// the line end; a "-" before it reads as zero. Anything else is taken by position, two
// characters. Returns the length taken, the fraction's separator included.
size_t ReadTime(ReaderState& state, std::string_view text, bool toStart) {
  const ClockText clock = SplitClock(text, 2);
  const std::string_view rest = text.substr(std::min(clock.Length + 1, text.size()));
  size_t digits = 0;
  while (digits < 3 && digits < rest.size() && IsDigit(rest[digits])) ++digits;
  const bool ended = digits == 3 || digits == rest.size() || rest[digits] == ',';
  const size_t taken = ended && digits > 0 ? digits : 2;
  std::string ms(rest.substr(0, taken));
  ms.resize(3, '0');
  state.StoreClock(clock, ms, toStart, !toStart);
  return clock.Length + 1 + taken;
}

void ReadTimeLine(ReaderState& state, std::string_view line) {
  const size_t showLength = ReadTime(state, line, true);
  ReadTime(state, showLength < line.size() ? line.substr(showLength + 1) : std::string_view(), false);
}

}  // namespace

void ReadSubViewer2(ReaderState& state) {
  ByteStream& in = state.In;
  std::string_view line;
  do {
    if (in.Eof()) return;  // the file ended within its header
    line = in.ReadLine();
  } while (IsHeaderLine(line));
  if (!state.NewSubtitle()) return;
  while (true) {
    ReadTimeLine(state, line);
    state.SetText(BreaksToBars(in.ReadLine()));
    in.ReadLine();  // the empty line between subtitles, whatever it holds
    if (in.Eof()) return;
    if (!state.NewSubtitle()) return;
    line = in.ReadLine();
  }
}

void WriteSubViewer2(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    AppendClock(out, subtitle, kShowTime, true, '.', true, 11);  // hundredths, truncated
    out += ',';
    AppendClock(out, subtitle, kHideTime, true, '.', true, 11);
    out += kCrLf;
    AppendJoinedLines(out, subtitle.Text, "[br]");
    out += kCrLf;
    out += kCrLf;
  }
}

}  // namespace qm
