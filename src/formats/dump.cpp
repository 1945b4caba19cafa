#include "formats/dump.h"

namespace qm {
namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          // Other control characters (ESC above all) would act on the terminal.
          static const char kHex[] = "0123456789abcdef";
          out.append("\\x").append(1, kHex[(c >> 4) & 0xF]).append(1, kHex[c & 0xF]);
        } else {
          out += c;
        }
    }
  }
}

}  // namespace

std::string DumpRecord(int32_t index, const TSubtitle& r) {
  std::string line = std::to_string(index);
  for (int32_t value : {r.StartFrame, r.EndFrame, r.StartHour, r.EndHour, r.StartMinute, r.EndMinute,
                        r.StartSecond, r.EndSecond}) {
    line += '\t';
    line += std::to_string(value);
  }
  for (const std::string_view text : {r.StartMs.View(), r.EndMs.View(), std::string_view(r.Text)}) {
    line += '\t';
    AppendEscaped(line, text);
  }
  line += '\n';
  return line;
}

std::string DumpDocument(const SubtitleDocument& doc) {
  std::string out;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) out += DumpRecord(i, doc.SubtitleTable[i]);
  return out;
}

}  // namespace qm
