#include "formats/subtitles_load.h"

#include <algorithm>
#include <cstring>

#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/reader_support.h"
#include "formats/unicode_tab.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/numbers.h"

namespace qm {

// --- ByteStream ------------------------------------------------------------------------

std::string_view ByteStream::ReadLine() {
  const size_t start = std::min(m_pos, m_bytes.size());
  const char* const begin = m_bytes.data() + start;
  const size_t left = m_bytes.size() - start;
  // The line runs to the first CR or LF; the next one begins after the next LF.
  const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', left));
  const size_t toLf = lf ? static_cast<size_t>(lf - begin) : left;
  const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', toLf));
  m_pos = lf ? start + toLf + 1 : m_bytes.size();
  return {begin, cr ? static_cast<size_t>(cr - begin) : toLf};
}

bool ByteStream::ReadChar(char& c) {
  if (Eof()) return false;
  c = m_bytes[m_pos++];
  return true;
}

void ByteStream::AppendChars(std::string& text, size_t n) {
  const size_t take = std::min(n, m_bytes.size() - std::min(m_pos, m_bytes.size()));
  text.append(m_bytes.substr(m_pos, take));
  m_pos += take;
}

void ByteStream::SkipChars(size_t n) {
  m_pos += std::min(n, m_bytes.size() - std::min(m_pos, m_bytes.size()));
}

bool ByteStream::SkipPast(char stop) {
  if (Eof()) return false;
  const size_t at = m_bytes.find(stop, m_pos);
  m_pos = at == std::string_view::npos ? m_bytes.size() : at + 1;
  return at != std::string_view::npos;
}

bool ByteStream::ReadWide(uint16_t& code) {
  if (m_pos + 1 >= m_bytes.size()) {
    m_pos = m_bytes.size();
    return false;
  }
  code = static_cast<uint16_t>(static_cast<unsigned char>(m_bytes[m_pos]) |
                               static_cast<unsigned char>(m_bytes[m_pos + 1]) << 8);
  m_pos += 2;
  return true;
}

void ByteStream::AppendLowBytes(std::string& text, size_t n) {
  uint16_t code = 0;
  for (size_t i = 0; i < n && ReadWide(code); ++i) text += static_cast<char>(code & 0xFF);
}

void ByteStream::SkipWide(size_t n) {
  uint16_t code = 0;
  for (size_t i = 0; i < n && ReadWide(code); ++i) {
  }
}

bool ByteStream::SkipPastWide(char stop) {
  uint16_t code = 0;
  while (ReadWide(code))
    if (static_cast<char>(code & 0xFF) == stop) return true;
  return false;
}

// --- Reader state and shared helpers ---------------------------------------------------

bool ReaderState::NewSubtitle() {
  if (Doc.SubtitleCount >= MaxSubtitles) {
    Truncated = true;
    return false;
  }
  ++Doc.SubtitleCount;
  Current() = TSubtitle{};
  return true;
}

void ReaderState::StoreStamp(bool toStart, bool toEnd) {
  StoreTimeStamp(Doc, Stamp, Doc.SubtitleCount, toStart, toEnd);
}

ClockText SplitClock(std::string_view text, size_t positionalHours) {
  ClockText clock;
  size_t at = 0;
  if (!text.empty() && text[0] == '-') {
    clock.Negative = true;
    at = 1;
  }
  size_t digits = 0;
  while (at + digits < text.size() && text[at + digits] >= '0' && text[at + digits] <= '9') ++digits;
  const bool run = digits > 0 && at + digits < text.size() && text[at + digits] == ':';
  const size_t hours = run ? digits : positionalHours;
  clock.Hours = text.substr(at, hours);
  clock.MinutesSeconds = text.substr(std::min(at + hours, text.size()), 6);
  clock.Length = at + hours + 6;
  return clock;
}

void ReaderState::StoreClock(const ClockText& clock, std::string_view ms, bool toStart, bool toEnd) {
  const int32_t hours = StrToInt(clock.Hours);
  Stamp = "00";
  Stamp += clock.MinutesSeconds;
  Stamp += ',';
  Stamp += ms;
  StoreStamp(toStart, toEnd);
  TSubtitle& record = Current();
  if (toStart) record.StartHour = hours;
  if (toEnd) record.EndHour = hours;
  const bool zero = hours == 0 && StrToInt(Copy(Stamp, 4, 2)) == 0 && StrToInt(Copy(Stamp, 7, 2)) == 0 &&
                    ms.find_first_not_of('0') == std::string_view::npos;
  if (!clock.Negative || zero) return;
  // Nothing before the film's start can be shown: such a time is read as the start itself.
  ++NegativeTimesZeroed;
  if (toStart) record.StartHour = record.StartMinute = record.StartSecond = 0, record.StartMs = "000";
  if (toEnd) record.EndHour = record.EndMinute = record.EndSecond = 0, record.EndMs = "000";
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

std::string_view Copy(std::string_view text, size_t from, size_t count) {
  if (from < 1 || from > text.size()) return {};
  return text.substr(from - 1, count);
}

void ReadWideText(ByteStream& in, std::string& text) {
  uint16_t code = 0;
  while (in.ReadWide(code) && code != 0x000D)
    text += static_cast<char>(
        UnicodeToChar(static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code & 0xFF)));
}

void ReadWideStamp(ReaderState& state, size_t count, const char* suffix) {
  state.Stamp.clear();
  state.In.AppendLowBytes(state.Stamp, count);
  state.Stamp += suffix;
}

// --- Entry points ----------------------------------------------------------------------

namespace {

// Anything but blanks, line ends, NUL bytes (the high halves of 16-bit text) and a UTF-8
// byte-order mark: a file of only these holds nothing a reader could have missed.
bool HasVisibleContent(std::string_view bytes) {
  for (const unsigned char c : SkipUtf8Bom(bytes))
    if (c > ' ' || (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != 0)) return true;
  return false;
}

}  // namespace

void StoreTimeStamp(SubtitleDocument& doc, std::string_view stamp, int32_t index, bool toStart, bool toEnd) {
  TSubtitle& record = doc.SubtitleTable[index];
  // Positions 3, 6 and 9 are never looked at, so ":", "," and "." all pass there.
  if (toStart) {
    record.StartHour = StrToInt(Copy(stamp, 1, 2));
    record.StartMinute = StrToInt(Copy(stamp, 4, 2));
    record.StartSecond = StrToInt(Copy(stamp, 7, 2));
    record.StartMs = std::string(Copy(stamp, 10, 3));
  }
  if (toEnd) {
    record.EndHour = StrToInt(Copy(stamp, 1, 2));
    record.EndMinute = StrToInt(Copy(stamp, 4, 2));
    record.EndSecond = StrToInt(Copy(stamp, 7, 2));
    record.EndMs = std::string(Copy(stamp, 10, 3));
  }
}

LoadResult LoadSubtitlesFromBytes(SubtitleDocument& doc, uint8_t formatIndex, std::string_view bytes) {
  doc.SubtitleCount = 0;
  if (formatIndex >= kFormatCount) return {};
  const FormatEntry& format = FormatCatalogue[formatIndex];
  if (!format.Reader) return {};
  // A UTF-8 byte-order mark is not text of a single-byte file; without this the first
  // subtitle of such a file would be lost.
  ReaderState state(doc, format.SixteenBit ? bytes : SkipUtf8Bom(bytes));
  format.Reader(state);
  if (doc.SubtitleCount == 0 && HasVisibleContent(bytes))
    throw QuillmarkError(ErrorKind::NothingRead, NothingReadMessage());
  return {state.Truncated, state.NegativeTimesZeroed, state.FileFrameRate};
}

LoadResult LoadSubtitles(SubtitleDocument& doc, uint8_t formatIndex, const std::string& fileName) {
  const std::string bytes = ReadWholeFile(fileName);
  return LoadSubtitlesFromBytes(doc, formatIndex, bytes);
}

std::string NothingReadMessage() { return "No subtitle was found in the file; it was not read."; }

std::string NegativeTimesTemplate() { return "Times before 0:00:00 read as 0:00:00: {value}"; }

std::string TruncationMessage() {
  return "The file holds more than 20000 subtitles; the rest of it was not read.";
}

}  // namespace qm
