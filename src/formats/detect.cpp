#include "formats/detect.h"

#include "formats/file_io.h"

namespace qm {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Position p is 1-based, as the rules are written.
bool CharAt(std::string_view line, size_t p, char expected) {
  return line.size() >= p && line[p - 1] == expected;
}

bool StartsWithUpper(std::string_view line, std::string_view prefix) {
  if (line.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Upper(line[i]) != prefix[i]) return false;
  return true;
}

bool Contains(std::string_view line, std::string_view part) {
  return line.find(part) != std::string_view::npos;
}

class Detector {
 public:
  // Returns true when the line decides the result.
  bool Examine(std::string_view line) {
    if (line.size() >= 9 && CharAt(line, 3, ':') && CharAt(line, 6, ':')) m_result = 5;
    if (line.size() >= 10 && CharAt(line, 1, '[') && CharAt(line, 10, ']')) m_result = 7;
    if (!line.empty() && line[0] == '{' && Contains(line, "}{")) return Decide(0);
    if (Contains(line, "-->> ")) m_result = 4;
    if (line.size() == 23 && CharAt(line, 12, ',')) m_result = 3;
    if (line.size() >= 27 && Contains(line, "-->") && CharAt(line, 3, ':') && CharAt(line, 6, ':') &&
        (CharAt(line, 9, ',') || CharAt(line, 9, '.') || CharAt(line, 9, ':')))
      return Decide(1);
    if (StartsWithUpper(line, "DIALOGUE:") || StartsWithUpper(line, "COMMENT:")) return Decide(6);
    if (ContainsStartScript(line)) return Decide(2);
    if (m_firstLine && line.size() >= 48 && line[0] >= '0' && line[0] <= '9' && line[1] == '\0') {
      // A 16-bit little-endian file: where the first tab falls tells the three formats apart.
      if (!CharAt(line, 5, ':')) return Decide(8);
      if (CharAt(line, 25, '\t')) m_result = 10;
      if (CharAt(line, 23, '\t')) m_result = 9;
      return true;
    }
    m_firstLine = false;
    return false;
  }
  uint8_t Result() const { return m_result; }

 private:
  bool Decide(uint8_t result) {
    m_result = result;
    return true;
  }
  bool ContainsStartScript(std::string_view line) {
    m_upper.assign(line);
    for (char& c : m_upper) c = Upper(c);
    return Contains(m_upper, "*** START SCRIPT ***");
  }

  uint8_t m_result = 13;
  bool m_firstLine = true;
  std::string m_upper;
};

}  // namespace

std::string_view SkipUtf8Bom(std::string_view bytes) {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

uint8_t DetectFormatInBytes(std::string_view bytes) {
  bytes = SkipUtf8Bom(bytes);
  Detector detector;
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t lineEnd = bytes.find_first_of("\r\n", pos);
    const std::string_view line =
        bytes.substr(pos, (lineEnd == std::string_view::npos ? bytes.size() : lineEnd) - pos);
    const size_t lf = lineEnd == std::string_view::npos ? bytes.npos : bytes.find('\n', lineEnd);
    pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
    if (detector.Examine(line)) break;
  }
  return detector.Result();
}

uint8_t DetectFormat(const std::string& fileName) { return DetectFormatInBytes(ReadWholeFile(fileName)); }

}  // namespace qm
