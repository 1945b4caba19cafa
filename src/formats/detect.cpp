#include "formats/detect.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

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

namespace {

// Feeds the detector line by line from chunks as they arrive; a line that spans chunks is
// collected first. Returns true once the result is decided.
class LineFeeder {
 public:
  // fileSize: what a single line can grow to at most (0 when unknown).
  explicit LineFeeder(Detector& detector, uint64_t fileSize = 0)
      : m_detector(detector), m_fileSize(fileSize) {}

  bool Feed(std::string_view chunk) {
    while (!chunk.empty()) {
      const auto* lf = static_cast<const char*>(std::memchr(chunk.data(), '\n', chunk.size()));
      if (!lf) {
        Collect(chunk);
        return false;
      }
      const size_t length = static_cast<size_t>(lf - chunk.data());
      bool decided;
      if (m_pending.empty()) {
        decided = Examine(chunk.substr(0, length));
      } else {
        Collect(chunk.substr(0, length));
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

  // A line far longer than any subtitle line gets room for the rest of the file at once:
  // growing it by doubling would hold twice the file for a moment.
  void Collect(std::string_view part) {
    constexpr size_t kLongLine = 1 << 20;
    if (m_pending.size() + part.size() > m_pending.capacity() && m_pending.size() >= kLongLine &&
        m_fileSize > 0)
      m_pending.reserve(static_cast<size_t>(std::min<uint64_t>(m_fileSize, kMaxReadFileSize)));
    m_pending.append(part);
  }

  Detector& m_detector;
  uint64_t m_fileSize;
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
  std::error_code noSize;
  const uintmax_t size = std::filesystem::file_size(fileName, noSize);
  LineFeeder feeder(detector, noSize ? 0 : size);
  const bool decided = ReadFileInChunks(fileName, [&](std::string_view chunk) { return feeder.Feed(chunk); });
  if (!decided) feeder.Finish();
  return detector.Result();
}

}  // namespace qm
