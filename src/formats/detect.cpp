#include "formats/detect.h"

#include <cstring>

#include "formats/reader_support.h"
#include "platform/utf8.h"

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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "[-]HH:MM:SS.ff" with a fraction of two or three digits from `at`; returns the position
// after it, or npos.
size_t SkipSubViewer2Time(std::string_view line, size_t at) {
  if (at < line.size() && line[at] == '-') ++at;
  constexpr std::string_view kShape = "99:99:99.99";
  if (line.size() < at + kShape.size()) return std::string_view::npos;
  for (size_t i = 0; i < kShape.size(); ++i)
    if (kShape[i] == '9' ? !IsDigit(line[at + i]) : line[at + i] != kShape[i]) return std::string_view::npos;
  at += kShape.size();
  return at < line.size() && IsDigit(line[at]) ? at + 1 : at;
}

// A SubViewer 2.0 time line whose fractions have three digits (or a sign) somewhere, which
// the 23-character test does not see: 00:00:01.000,00:00:02.500.
bool IsSubViewer2TimeLine(std::string_view line) {
  const size_t comma = SkipSubViewer2Time(line, 0);
  if (comma == std::string_view::npos || comma >= line.size() || line[comma] != ',') return false;
  return SkipSubViewer2Time(line, comma + 1) == line.size();
}

class Detector {
 public:
  // Returns true when the line decides the result.
  bool Examine(std::string_view line) {
    if (line.size() >= 9 && CharAt(line, 3, ':') && CharAt(line, 6, ':')) m_result = 5;
    if (line.size() >= 10 && CharAt(line, 1, '[') && CharAt(line, 10, ']')) m_result = 7;
    if (!line.empty() && line[0] == '{' && Contains(line, "}{")) return Decide(0);
    if (Contains(line, "-->> ")) m_result = 4;
    if ((line.size() == 23 && CharAt(line, 12, ',')) || IsSubViewer2TimeLine(line)) m_result = 3;
    if (IsSubRipTimeLine(line) || (!line.empty() && line[0] == '-' && IsSubRipTimeLine(line.substr(1))))
      return Decide(1);  // a time before zero ("-00:00:06,843 --> ...") is one too
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
  static bool IsSubRipTimeLine(std::string_view line) {
    return line.size() >= 27 && Contains(line, "-->") && CharAt(line, 3, ':') && CharAt(line, 6, ':') &&
           (CharAt(line, 9, ',') || CharAt(line, 9, '.') || CharAt(line, 9, ':'));
  }
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

namespace {

// Characters, not bytes, are what the line tests count: a line holding non-ASCII letters is
// looked at with one byte per character (each multi-byte character keeps only its lead byte,
// which no test looks for), so a UTF-8 file is recognised exactly as its Windows-1250 twin.
std::string_view OneBytePerCharacter(std::string_view line, std::string& scratch) {
  if (IsAscii(line)) return line;
  scratch.clear();
  for (char c : line)
    if (!IsContinuationByte(c)) scratch += c;
  return scratch;
}

// A line runs to its first CR or LF; the next one begins after the next LF.
template <class Examine>
void ForEachLine(std::string_view text, Examine&& examine) {
  while (!text.empty()) {
    const auto* lf = static_cast<const char*>(std::memchr(text.data(), '\n', text.size()));
    const size_t toLf = lf ? static_cast<size_t>(lf - text.data()) : text.size();
    const auto* cr = static_cast<const char*>(std::memchr(text.data(), '\r', toLf));
    if (examine(text.substr(0, cr ? static_cast<size_t>(cr - text.data()) : toLf))) return;
    text.remove_prefix(lf ? toLf + 1 : text.size());
  }
}

bool StartsSixteenBitLine(std::string_view line) {
  return line.size() >= 48 && line[0] >= '0' && line[0] <= '9' && line[1] == '\0';
}

}  // namespace

uint8_t DetectFormatInText(std::string_view utf8) {
  Detector detector;
  std::string scratch;
  ForEachLine(utf8,
              [&](std::string_view line) { return detector.Examine(OneBytePerCharacter(line, scratch)); });
  return detector.Result();
}

uint8_t DetectFormatInStream(ByteStream& lines) {
  Detector detector;
  std::string scratch;
  while (!lines.Eof())
    if (detector.Examine(OneBytePerCharacter(lines.ReadLine(), scratch))) break;
  return detector.Result();
}

std::optional<uint8_t> DetectSixteenBitFormat(std::string_view bytesLe) {
  std::optional<uint8_t> result;
  ForEachLine(bytesLe, [&](std::string_view firstLine) {
    if (StartsSixteenBitLine(firstLine)) {
      Detector detector;
      detector.Examine(firstLine);
      result = detector.Result();
    }
    return true;
  });
  return result;
}

}  // namespace qm
