#include "formats/subtitles_load.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "formats/catalogue.h"
#include "formats/reader_support.h"
#include "formats/subtitle_source.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/numbers.h"
#include "platform/utf8.h"

namespace qm {

// --- ByteStream ------------------------------------------------------------------------

namespace {

// The offset of the first CR or LF in [text, text + size), or npos: sixteen bytes at a time
// where the processor has SSE2 (every x86-64 does), as nearly every line is shorter than a
// call into the C library's search costs.
size_t FirstLineBreak(const char* text, size_t size) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
  for (; i + 16 <= size; i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    const int breaks = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr)));
    if (breaks != 0) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(breaks)));
  }
#endif
  for (; i < size; ++i)
    if (text[i] == '\n' || text[i] == '\r') return i;
  return std::string_view::npos;
}

}  // namespace

bool ByteStream::Grow() {
  if (!m_feed) return false;
  // Another stream over the same feed may have had it decode further already.
  if (m_feed->Size() == m_size && !m_feed->Grow()) return false;
  m_size = m_feed->Size();
  return true;
}

bool ByteStream::Ensure(size_t count) {
  while (Left() < count)
    if (!Grow()) return false;
  return true;
}

size_t ByteStream::Find(char c) {
  size_t searched = m_pos;
  for (;;) {
    if (searched < m_size) {
      const auto* hit = static_cast<const char*>(std::memchr(m_data + searched, c, m_size - searched));
      if (hit) return static_cast<size_t>(hit - m_data) - m_pos;
      searched = m_size;
    }
    if (!Grow()) return std::string_view::npos;
  }
}

size_t ByteStream::FindLineBreak() {
  size_t searched = m_pos;
  for (;;) {
    if (searched < m_size) {
      const size_t at = FirstLineBreak(m_data + searched, m_size - searched);
      if (at != std::string_view::npos) return searched + at - m_pos;
      searched = m_size;
    }
    if (!Grow()) return std::string_view::npos;
  }
}

std::string_view ByteStream::ReadLine() {
  // The line runs to the first CR or LF; the next one begins after the next LF.
  const size_t start = std::min(m_pos, m_size);
  const size_t length = FindLineBreak();
  if (length == std::string_view::npos) {
    m_pos = m_size;
    return {m_data + start, m_size - start};
  }
  m_pos = start + length + 1;
  if (m_data[start + length] == '\r') {
    if (Ensure(1) && m_data[m_pos] == '\n') {  // CR LF, the usual end
      ++m_pos;
      return {m_data + start, length};
    }
    const size_t toLf = Find('\n');
    m_pos = toLf == std::string_view::npos ? m_size : m_pos + toLf + 1;
  }
  return {m_data + start, length};
}

bool ByteStream::ReadChar(char& c) {
  if (!Ensure(1)) return false;
  c = m_data[m_pos++];
  return true;
}

size_t ByteStream::BytesOfChars(size_t n) {
  Ensure(4 * n + 1);  // a character is at most four bytes
  const std::string_view rest(m_data + std::min(m_pos, m_size), Left());
  const size_t quick = std::min(n, rest.size());
  // Times and numbers are ASCII: the common case needs no walk over the characters.
  const bool ascii =
      (quick == rest.size() || !IsContinuationByte(rest[quick])) && IsAscii(rest.substr(0, quick));
  return ascii ? quick : ByteOffsetOfCharacter(rest, n);
}

void ByteStream::AppendChars(std::string& text, size_t n) {
  const size_t take = BytesOfChars(n);
  text.append(m_data + m_pos, take);
  m_pos += take;
}

void ByteStream::SkipChars(size_t n) { m_pos += BytesOfChars(n); }

void ByteStream::SkipBytes(size_t n) {
  Ensure(n);
  m_pos += std::min(n, Left());
}

bool ByteStream::SkipPast(char stop) {
  if (Eof()) return false;
  const size_t at = Find(stop);
  m_pos = at == std::string_view::npos ? m_size : m_pos + at + 1;
  return at != std::string_view::npos;
}

bool ByteStream::ReadUpTo(char stop, std::string_view& field) {
  const size_t start = std::min(m_pos, m_size);
  const size_t at = Find(stop);
  field = {m_data + start, at == std::string_view::npos ? m_size - start : at};
  m_pos = at == std::string_view::npos ? m_size : start + at + 1;
  return at != std::string_view::npos;
}

std::string_view ByteStream::ReadToLineEnd() {
  const size_t start = std::min(m_pos, m_size);
  const size_t toBreak = FindLineBreak();
  const size_t end = toBreak == std::string_view::npos ? m_size - start : toBreak;
  m_pos = std::min(start + end + 1, m_size);
  return {m_data + start, end};
}

std::string_view ByteStream::Lookahead() {
  // A time taken apart by position ends within its line, or a few characters past its end.
  const size_t toLf = Find('\n');
  Ensure(toLf == std::string_view::npos ? SIZE_MAX : toLf + 64);
  return {m_data + std::min(m_pos, m_size), Left()};
}

bool ByteStream::ReadWide(uint16_t& code) {
  if (!Ensure(2)) {
    m_pos = m_size;
    return false;
  }
  code = static_cast<uint16_t>(static_cast<unsigned char>(m_data[m_pos]) |
                               static_cast<unsigned char>(m_data[m_pos + 1]) << 8);
  m_pos += 2;
  return true;
}

bool ByteStream::PeekWide(uint16_t& code) {
  if (!Ensure(2)) return false;
  code = static_cast<uint16_t>(static_cast<unsigned char>(m_data[m_pos]) |
                               static_cast<unsigned char>(m_data[m_pos + 1]) << 8);
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
  // The slots of a table just cleared are empty already; only one written before is emptied.
  static const TSubtitle kEmpty;
  if (TSubtitle& slot = Current(); !(slot == kEmpty)) slot = TSubtitle{};
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
  if (from < 1) return {};
  if (from - 1 + count <= text.size() && IsAscii(text.substr(0, from - 1 + count)))
    return text.substr(from - 1, count);
  return CharacterSubstr(text, from - 1, count);
}

void ReadWideText(ReaderState& state) {
  ByteStream& in = state.In;
  std::string& text = state.TextBuffer;
  text.clear();
  uint16_t code = 0;
  while (in.ReadWide(code) && code != 0x000D) {
    char32_t character = code;
    if (code >= 0xD800 && code <= 0xDBFF) {
      // A pair of surrogates is one character; a lone one is none.
      uint16_t low = 0;
      const bool paired = in.PeekWide(low) && low >= 0xDC00 && low <= 0xDFFF;
      if (paired) in.SkipWide(1);
      character = paired ? 0x10000 + ((code - 0xD800u) << 10) + (low - 0xDC00u) : kReplacementCharacter;
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      character = kReplacementCharacter;
    }
    AppendCodePoint(text, character);
  }
  state.SetText(text);
}

void ReadWideStamp(ReaderState& state, size_t count, const char* suffix) {
  // Numbers are taken from each character's low byte; a low byte that is not ASCII stands for
  // its Windows-1250 letter, which then fails as a number as it always did.
  std::string lowBytes;
  state.In.AppendLowBytes(lowBytes, count);
  state.Stamp.clear();
  AppendCp1250AsUtf8(state.Stamp, lowBytes);
  state.Stamp += suffix;
}

// --- Entry points ----------------------------------------------------------------------

namespace {

// Anything but blanks, line ends and NUL bytes (the high halves of 16-bit text): a file of
// only these holds nothing a reader could have missed.
bool HasVisibleContent(std::string_view input) {
  for (const unsigned char c : input)
    if (c > ' ' || (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != 0)) return true;
  return false;
}

}  // namespace

void StoreTimeStamp(SubtitleDocument& doc, std::string_view stamp, int32_t index, bool toStart, bool toEnd) {
  TSubtitle& record = doc.SubtitleTable[index];
  // Positions count characters; a stamp is nearly always ASCII, where they are bytes.
  const bool ascii = IsAscii(stamp);
  const auto field = [&](size_t from, size_t count) {
    if (!ascii) return Copy(stamp, from, count);
    return from <= stamp.size() ? stamp.substr(from - 1, count) : std::string_view{};
  };
  // Positions 3, 6 and 9 are never looked at, so ":", "," and "." all pass there.
  if (toStart) {
    record.StartHour = StrToInt(field(1, 2));
    record.StartMinute = StrToInt(field(4, 2));
    record.StartSecond = StrToInt(field(7, 2));
    record.StartMs = std::string(field(10, 3));
  }
  if (toEnd) {
    record.EndHour = StrToInt(field(1, 2));
    record.EndMinute = StrToInt(field(4, 2));
    record.EndSecond = StrToInt(field(7, 2));
    record.EndMs = std::string(field(10, 3));
  }
}

LoadResult RunReader(SubtitleDocument& doc, uint8_t formatIndex, TextFeed& input) {
  doc.SubtitleCount = 0;
  if (formatIndex >= kFormatCount) return {};
  const FormatEntry& format = FormatCatalogue[formatIndex];
  if (!format.Reader) return {};
  ReaderState state(doc, input);
  format.Reader(state);
  if (doc.SubtitleCount == 0 && HasVisibleContent(input.All()))
    throw QuillmarkError(ErrorKind::NothingRead, NothingReadMessage());
  return {state.Truncated, state.NegativeTimesZeroed, state.FileFrameRate};
}

LoadResult RunReader(SubtitleDocument& doc, uint8_t formatIndex, std::string_view input) {
  TextFeed whole{std::string(input)};
  return RunReader(doc, formatIndex, whole);
}

LoadResult LoadSubtitlesFromBytes(SubtitleDocument& doc, uint8_t formatIndex, std::string_view bytes) {
  const SubtitleSource source = PrepareSubtitleSource(std::string(bytes), std::nullopt);
  const bool sixteenBitReader = formatIndex < kFormatCount && FormatCatalogue[formatIndex].SixteenBit;
  const bool sixteenBitSource =
      source.FormatIndex < kFormatCount && FormatCatalogue[source.FormatIndex].SixteenBit;
  // The reader named gets its kind of input whatever the file looked like.
  if (sixteenBitReader && !sixteenBitSource) return RunReader(doc, formatIndex, bytes);
  if (!sixteenBitReader && sixteenBitSource)
    return RunReader(doc, formatIndex, DecodeText(source.AllText(), Utf16LeEncoding()));
  return RunReader(doc, formatIndex, *source.Feed);
}

LoadResult LoadSubtitles(SubtitleDocument& doc, uint8_t formatIndex, const std::string& fileName) {
  return LoadSubtitlesFromBytes(doc, formatIndex, ReadWholeFile(fileName));
}

std::string NothingReadMessage() { return "No subtitle was found in the file; it was not read."; }

std::string NegativeTimesTemplate() { return "Times before 0:00:00 read as 0:00:00: {value}"; }

std::string TruncationMessage() {
  return "The file holds more than 20000 subtitles; the rest of it was not read.";
}

std::string TruncationKeptMessage() {
  return "The file holds more than 20000 subtitles, so it was not written over itself: it was kept as it "
         "is.";
}

}  // namespace qm
