// 00:00:01,500 --> 00:00:04,000  (after a counter line; text lines until an empty line)
// Timing: clock time with milliseconds.

#include "formats/reader_support.h"
#include "formats/writer_support.h"
#include "platform/numbers.h"

namespace qm {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips to the first digit and returns it; false when the file ends first.
bool SkipToDigit(ByteStream& in, char& digit) {
  while (in.ReadChar(digit))
    if (IsDigit(digit)) return true;
  return false;
}

// Text lines up to the first empty line (consumed) or the end of the file.
void ReadTextLines(ByteStream& in, std::string& text) {
  bool first = true;
  while (!in.Eof()) {
    const std::string_view line = in.ReadLine();
    if (line.empty()) return;
    if (!first) text += '|';
    text += line;
    first = false;
  }
}

}  // namespace

void ReadSubRip(ReaderState& state) {
  ByteStream& in = state.In;
  while (!in.Eof()) {
    // Only a counter line starts a subtitle; its value is not used, the position numbers.
    if (!TryStrToInt(in.ReadLine())) continue;
    if (!state.NewSubtitle()) return;
    // Times are taken by position, so "." or ":" before the milliseconds read the same.
    state.Stamp.clear();
    in.AppendChars(state.Stamp, 12);
    state.StoreStamp(true, false);
    in.SkipChars(1);
    char digit = 0;
    if (!SkipToDigit(in, digit)) return;
    state.Stamp.assign(1, digit);
    in.AppendChars(state.Stamp, 11);
    state.StoreStamp(false, true);
    in.ReadLine();  // the rest of the time line, e.g. position coordinates
    ReadTextLines(in, state.Current().Text);
  }
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
