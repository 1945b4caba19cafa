// {100}{250}{y:i}First line|Second line
// Timing: frame numbers (start and end frame).

#include <algorithm>
#include <optional>

#include "formats/reader_support.h"
#include "formats/writer_support.h"
#include "platform/numbers.h"

namespace qm {
namespace {

// The characters up to `stop`, which is consumed; false when the file ends first.
bool ReadUpTo(ByteStream& in, char stop, std::string& field) {
  std::string_view read;
  const bool found = in.ReadUpTo(stop, read);
  field.assign(read);
  return found;
}

// The text runs to the line end, which is consumed. A formatting code such as {y:i} is
// dropped with its braces; one that the line end cuts off stays in the text. The text is
// stored as it grows, so a file that ends inside it keeps what was read.
void ReadText(ByteStream& in, std::string& text) {
  const std::string_view line = in.ReadToLineEnd();
  for (size_t pos = 0; pos < line.size();) {
    const size_t open = line.find('{', pos);
    const size_t close = open == std::string_view::npos ? open : line.find('}', open);
    if (close == std::string_view::npos) {
      text.append(line.substr(pos));
      return;
    }
    text.append(line.substr(pos, open - pos));
    pos = close + 1;
  }
}

// The frame rate that a first subtitle {1}{1}23.976 (or {0}{0}23.976) states: its text is
// only a decimal number from 1 to 120, with "." or "," before the decimals.
std::optional<double> StatedFrameRate(std::string_view start, std::string_view end, std::string_view text) {
  if (start != end || (start != "0" && start != "1")) return std::nullopt;
  const size_t separator = text.find_first_of(".,");
  const std::string_view whole = text.substr(0, separator);
  const std::string_view decimals = separator == std::string_view::npos ? "" : text.substr(separator + 1);
  const auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() || !digits(whole) || !digits(decimals) || whole.size() > 3 ||
      (separator != std::string_view::npos && decimals.empty()))
    return std::nullopt;
  const auto rate = TryParseDecimal(text, true);
  if (!rate || *rate < 1 || *rate > 120) return std::nullopt;
  return rate;
}

}  // namespace

void ReadMicroDVD(ReaderState& state) {
  ByteStream& in = state.In;
  std::string start, end;
  while (in.SkipPast('{')) {
    // A "{" that the file ends behind starts nothing worth keeping.
    if (!ReadUpTo(in, '}', start)) return;
    if (!state.NewSubtitle()) return;
    TSubtitle& subtitle = state.Current();
    if (!start.empty()) subtitle.StartFrame = StrToInt(start);
    in.SkipChars(1);  // the second "{"
    if (!ReadUpTo(in, '}', end)) return;
    if (!end.empty()) subtitle.EndFrame = StrToInt(end);
    state.TextBuffer.clear();
    ReadText(in, state.TextBuffer);
    state.SetText(state.TextBuffer);
    if (state.Doc.SubtitleCount > 1 || state.FileFrameRate) continue;
    // The rate line is about the file, not a subtitle: it is neither kept nor counted.
    state.FileFrameRate = StatedFrameRate(start, end, subtitle.Text);
    if (state.FileFrameRate) {
      subtitle = TSubtitle{};
      state.Doc.SubtitleCount = 0;
    }
  }
}

void WriteMicroDVD(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    out += '{';
    AppendNumber(out, subtitle.StartFrame);
    out += "}{";
    AppendNumber(out, subtitle.EndFrame);
    out += '}';
    out += subtitle.Text;
    out += kCrLf;
  }
}

}  // namespace qm
