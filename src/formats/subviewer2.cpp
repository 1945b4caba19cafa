// 00:00:01.50,00:00:04.00  then one text line with [br] breaks, then an empty line
// Timing: clock time in hundredths of a second.

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

void ReadTimeLine(ReaderState& state, std::string_view line) {
  state.Stamp = std::string(Copy(line, 1, 11)) + '0';
  state.StoreStamp(true, false);
  state.Stamp = std::string(Copy(line, 13, 11)) + '0';
  state.StoreStamp(false, true);
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
    state.Current().Text = BreaksToBars(in.ReadLine());
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
