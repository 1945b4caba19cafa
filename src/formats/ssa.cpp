// Dialogue: Marked=0,0:00:01.50,0:00:04.00,Default,,0000,0000,0000,,First line\NSecond line
// Timing: clock time in hundredths of a second, one-digit hour.

#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {
namespace {

// Script info, styles and the format line are skipped: reading starts right after the
// first line beginning (in any letter case) with "Dialogue:" or "Comment:".
bool SkipToFirstEvent(ByteStream& in) {
  std::string begun;  // the current line's start, upper case; nine characters decide
  char c = 0;
  while (in.ReadChar(c)) {
    if (c == '\r' || c == '\n') {
      begun.clear();
    } else if (begun.size() < 9) {
      begun += AsciiUpper(c);
      if (begun == "DIALOGUE:" || begun == "COMMENT:") return true;
    }
  }
  return false;
}

// H:MM:SS.cc, hundredths with "0" behind as milliseconds. Hours of two digits (ten hours
// and more) and a "-" before a time (read as zero) read too.
void ReadTime(ReaderState& state, bool toStart) {
  const std::string_view rest = state.In.Lookahead();
  const ClockText clock = SplitClock(rest, 1);
  const std::string ms = std::string(Copy(rest, clock.Length + 2, 2)) + '0';
  state.In.SkipChars(clock.Length + 3);
  state.StoreClock(clock, ms, toStart, !toStart);
}

std::string NewlinesToBars(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'N')) {
      result += '|';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace

void ReadSSA(ReaderState& state) {
  ByteStream& in = state.In;
  if (!SkipToFirstEvent(in)) return;
  // Every following line is read as an event, whatever its kind: only its first "," counts.
  while (!in.Eof()) {
    // A trailing empty line would begin an event that the file ends in; it is not kept.
    if (!in.SkipPast(',')) return;
    if (!state.NewSubtitle()) return;
    ReadTime(state, true);
    in.SkipChars(1);
    ReadTime(state, false);
    for (int field = 0; field < 7; ++field)  // the rest of End, then Style .. Effect
      if (!in.SkipPast(',')) return;
    state.SetText(NewlinesToBars(in.ReadLine()));
  }
}

namespace {

// H:MM:SS.cc: hundredths, truncated; from ten hours on the hour has two digits.
void AppendTime(std::string& out, const TSubtitle& subtitle, int which) {
  const int32_t hour = which == kShowTime ? subtitle.StartHour : subtitle.EndHour;
  AppendClock(out, subtitle, which, false, '.', true, hour >= 10 ? 11 : 10);
}

// Players open only a complete script: the script information with the play resolution
// that the style's sizes and margins refer to, one style (white sans-serif text with a black
// outline, bottom centre) and the events' format line.
constexpr std::string_view kScriptHeader =
    "[Script Info]\r\n"
    "Title: Quillmark\r\n"
    "ScriptType: v4.00\r\n"
    "Collisions: Normal\r\n"
    "PlayResX: 384\r\n"
    "PlayResY: 288\r\n"
    "\r\n"
    "[V4 Styles]\r\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, BackColour, "
    "Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, "
    "Encoding\r\n"
    "Style: Default,Arial,20,16777215,65535,0,0,0,0,1,2,0,2,10,10,10,0,1\r\n"
    "\r\n"
    "[Events]\r\n"
    "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";

}  // namespace

void WriteSSA(const SubtitleDocument& doc, std::string& out) {
  out += kScriptHeader;
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    out += "Dialogue: Marked=0,";
    AppendTime(out, subtitle, kShowTime);
    out += ',';
    AppendTime(out, subtitle, kHideTime);
    // "*Default" is read as the style Default by players.
    out += ",*Default,";
    AppendNumber(out, k);
    out += ",0000,0000,0000,,";
    AppendJoinedLines(out, subtitle.Text, "\\N");
    out += kCrLf;
  }
}

}  // namespace qm
