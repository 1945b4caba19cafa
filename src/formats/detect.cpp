#include "formats/detect.h"

#include <cstring>

#include "platform/file_io.h"

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

// Feeds the detector line by line from chunks as they arrive; a line that spans chunks is
// collected first. Returns true once the result is decided.
class LineFeeder {
 public:
  explicit LineFeeder(Detector& detector) : m_detector(detector) {}

  bool Feed(std::string_view chunk) {
    while (!chunk.empty()) {
      const auto* lf = static_cast<const char*>(std::memchr(chunk.data(), '\n', chunk.size()));
      if (!lf) {
        m_pending.append(chunk);
        return false;
      }
      const size_t length = static_cast<size_t>(lf - chunk.data());
      bool decided;
      if (m_pending.empty()) {
        decided = Examine(chunk.substr(0, length));
      } else {
        m_pending.append(chunk.data(), length);
        decided = Examine(m_pending);
        m_pending.clear();
      }
      if (decided) return true;
      chunk.remove_prefix(length + 1);
    }
    return false;
  }

  // The last line, which has no LF after it.
  void Finish() {
    if (!m_pending.empty()) Examine(m_pending);
  }

  // Bytes that are all there already: the last line is examined where it lies.
  void FeedAll(std::string_view bytes) {
    const size_t lastLf = bytes.rfind('\n');
    const size_t complete = lastLf == std::string_view::npos ? 0 : lastLf + 1;
    if (Feed(bytes.substr(0, complete))) return;
    if (complete < bytes.size()) Examine(bytes.substr(complete));
  }

 private:
  // A line runs to its first CR; after a lone CR the rest up to the LF is not a line.
  bool Examine(std::string_view segment) {
    if (!m_bomChecked) {
      m_bomChecked = true;
      segment = SkipUtf8Bom(segment);
    }
    const auto* cr = static_cast<const char*>(std::memchr(segment.data(), '\r', segment.size()));
    return m_detector.Examine(cr ? segment.substr(0, static_cast<size_t>(cr - segment.data())) : segment);
  }

  Detector& m_detector;
  std::string m_pending;
  bool m_bomChecked = false;
};

}  // namespace

std::string_view SkipUtf8Bom(std::string_view bytes) {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

uint8_t DetectFormatInBytes(std::string_view bytes) {
  Detector detector;
  LineFeeder feeder(detector);
  feeder.FeedAll(bytes);
  return detector.Result();
}

// Most files decide within their first lines, so the file is read in chunks only as far as
// needed.
uint8_t DetectFormat(const std::string& fileName) {
  Detector detector;
  LineFeeder feeder(detector);
  const bool decided = ReadFileInChunks(fileName, [&](std::string_view chunk) { return feeder.Feed(chunk); });
  if (!decided) feeder.Finish();
  return detector.Result();
}

}  // namespace qm
