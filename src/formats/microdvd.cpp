// {100}{250}{y:i}First line|Second line
// Timing: frame numbers (start and end frame).

#include "document/numbers.h"
#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {
namespace {

// The characters up to `stop`, which is consumed; false when the file ends first.
bool ReadUpTo(ByteStream& in, char stop, std::string& field) {
  field.clear();
  char c = 0;
  while (in.ReadChar(c)) {
    if (c == stop) return true;
    field += c;
  }
  return false;
}

// The text runs to the line end. A formatting code such as {y:i} is dropped with its
// braces; one that the line end cuts off stays in the text. The text is stored as it
// grows, so a file that ends inside it keeps what was read.
void ReadText(ByteStream& in, std::string& text) {
  size_t codeStart = std::string::npos;
  char c = 0;
  while (in.ReadChar(c) && c != '\r' && c != '\n') {
    if (c == '{' && codeStart == std::string::npos) codeStart = text.size();
    text += c;
    if (c == '}' && codeStart != std::string::npos) {
      text.resize(codeStart);
      codeStart = std::string::npos;
    }
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
    out += '{' + std::to_string(subtitle.StartFrame) + "}{" + std::to_string(subtitle.EndFrame) + '}';
    out += subtitle.Text;
    out += kCrLf;
  }
}

}  // namespace qm
