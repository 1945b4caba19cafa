#include "formats/detect.h"

#include <cstring>

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
  // Case-insensitive search without copying the line: the marker begins with "*** ", which
  // letter case cannot change, so only the candidates are compared.
  static bool ContainsStartScript(std::string_view line) {
    constexpr std::string_view kMarker = "*** START SCRIPT ***";
    for (size_t at = line.find("*** "); at != std::string_view::npos; at = line.find("*** ", at + 1))
      if (StartsWithUpper(line.substr(at), kMarker)) return true;
    return false;
  }

  uint8_t m_result = 13;
  bool m_firstLine = true;
};

}  // namespace

std::string_view SkipUtf8Bom(std::string_view bytes) {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

uint8_t DetectFormatInBytes(std::string_view bytes) {
  bytes = SkipUtf8Bom(bytes);
  Detector detector;
  // A line runs to its first CR or LF; the next one begins after the next LF.
  const char* pos = bytes.data();
  const char* const end = pos + bytes.size();
  while (pos < end) {
    auto* lf = static_cast<const char*>(std::memchr(pos, '\n', static_cast<size_t>(end - pos)));
    const char* lineEnd = lf ? lf : end;
    if (auto* cr = static_cast<const char*>(std::memchr(pos, '\r', static_cast<size_t>(lineEnd - pos)))) lineEnd = cr;
    const std::string_view line(pos, static_cast<size_t>(lineEnd - pos));
    pos = lf ? lf + 1 : end;
    if (detector.Examine(line)) break;
  }
  return detector.Result();
}

uint8_t DetectFormat(const std::string& fileName) { return DetectFormatInBytes(ReadWholeFile(fileName)); }

}  // namespace qm
