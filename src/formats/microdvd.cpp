// {100}{250}{y:i}First line|Second line
// Timing: frame numbers (start and end frame).

#include <algorithm>

#include "formats/reader_support.h"
#include "formats/writer_support.h"
#include "platform/numbers.h"

namespace qm {
namespace {

// The characters up to `stop`, which is consumed; false when the file ends first.
bool ReadUpTo(ByteStream& in, char stop, std::string& field) {
  const std::string_view rest = in.Remaining();
  const size_t at = rest.find(stop);
  field.assign(rest.substr(0, at));
  in.SkipBytes(at == std::string_view::npos ? rest.size() : at + 1);
  return at != std::string_view::npos;
}

// The text runs to the line end, which is consumed. A formatting code such as {y:i} is
// dropped with its braces; one that the line end cuts off stays in the text. The text is
// stored as it grows, so a file that ends inside it keeps what was read.
void ReadText(ByteStream& in, std::string& text) {
  const std::string_view rest = in.Remaining();
  const size_t lf = std::min(rest.find('\n'), rest.size());
  const size_t end = std::min(rest.substr(0, lf).find('\r'), lf);
  in.SkipBytes(end + 1);
  const std::string_view line = rest.substr(0, end);
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

}  // namespace

void ReadMicroDVD(ReaderState& state) {
  ByteStream& in = state.In;
  std::string field;
  while (in.SkipPast('{')) {
    // A "{" that the file ends behind starts nothing worth keeping.
    if (!ReadUpTo(in, '}', field)) return;
    if (!state.NewSubtitle()) return;
    TSubtitle& subtitle = state.Current();
    if (!field.empty()) subtitle.StartFrame = StrToInt(field);
    in.SkipChars(1);  // the second "{"
    if (!ReadUpTo(in, '}', field)) return;
    if (!field.empty()) subtitle.EndFrame = StrToInt(field);
    ReadText(in, subtitle.Text);
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
