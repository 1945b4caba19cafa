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

// H:MM:SS.cc with "0" in front and "0" behind is HH:MM:SS.mmm.
void ReadTime(ReaderState& state, bool toStart) {
  state.Stamp.assign(1, '0');
  state.In.AppendChars(state.Stamp, 10);
  state.Stamp += '0';
  state.StoreStamp(toStart, !toStart);
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
    state.Current().Text = NewlinesToBars(in.ReadLine());
  }
}

void WriteSSA(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    // Ten characters: H:MM:SS.cc, or only tenths from ten hours on.
    out += "Dialogue: Marked=0,";
    AppendClock(out, subtitle, kShowTime, false, '.', true, 10);
    out += ',';
    AppendClock(out, subtitle, kHideTime, false, '.', true, 10);
    out += ",*Default,";
    AppendNumber(out, k);
    out += ",0000,0000,0000,,";
    AppendJoinedLines(out, subtitle.Text, "\\N");
    out += kCrLf;
  }
}

}  // namespace qm
