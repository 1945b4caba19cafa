#pragma once
// What every reader works with: the file as a stream of bytes with the reading primitives
// the formats are defined by, and the state that lives for one load. Readers only move
// forward, never past the end, and touch each byte a bounded number of times.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"
#include "formats/subtitles_load.h"
#include "formats/text_feed.h"

namespace qm {

class ByteStream {
 public:
  explicit ByteStream(std::string_view bytes) : m_data(bytes.data()), m_size(bytes.size()) {}
  // A text that is decoded as it is read.
  explicit ByteStream(TextFeed& feed) : m_feed(&feed), m_data(feed.Data()), m_size(feed.Size()) {}

  bool Eof() { return m_pos >= m_size && !Grow(); }

  // --- Text (UTF-8) ---
  // The characters up to the first CR or LF; the line end is consumed up to and including
  // the next LF, so CR LF and LF both end a line. At the end of the file: an empty line.
  std::string_view ReadLine();
  // The next byte, CR and LF included; false (nothing read) at the end of the file.
  bool ReadChar(char& c);
  // Appends up to n characters (not bytes: the text is UTF-8); fewer when the file ends first.
  void AppendChars(std::string& text, size_t n);
  void SkipChars(size_t n);
  void SkipBytes(size_t n);
  // Consumes characters up to and including `stop`; false when the file ended first.
  bool SkipPast(char stop);
  // The characters before `stop`, which is consumed; false, with all the rest, when the file
  // holds no `stop` any more.
  bool ReadUpTo(char stop, std::string_view& field);
  // The characters up to the first CR or LF, of which only that one character is consumed.
  std::string_view ReadToLineEnd();
  // What is left to read, at least through the end of this line and some characters beyond,
  // for readers that take a time apart by position (then SkipChars it).
  std::string_view Lookahead();

  // --- 16-bit little-endian text (no byte-order mark) ---
  // A half character at the very end of the file is not a character.
  bool ReadWide(uint16_t& code);
  bool PeekWide(uint16_t& code);
  // Appends the low bytes of up to n characters (times and numbers are plain ASCII).
  void AppendLowBytes(std::string& text, size_t n);
  void SkipWide(size_t n);
  // Consumes characters up to and including the first whose low byte is `stop`.
  bool SkipPastWide(char stop);

 private:
  bool Grow();
  // Whether `count` more bytes are there, decoding as far as needed.
  bool Ensure(size_t count);
  size_t Left() const { return m_size - std::min(m_pos, m_size); }
  // The offset of `c` from the current position on, decoding until it is found; npos when
  // the text has none.
  size_t Find(char c);
  // The same for the first CR or LF.
  size_t FindLineBreak();
  size_t BytesOfChars(size_t n);

  TextFeed* m_feed = nullptr;
  const char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_pos = 0;
};

// A clock time as the clock formats write it: an optional "-", the hours (every digit before
// the first ":", so one digit and three or more read too; `positionalHours` characters when
// no run of digits ends in ":", so that a malformed time still fails by position), then
// ":MM:SS" by position.
struct ClockText {
  bool Negative = false;
  std::string_view Hours;
  std::string_view MinutesSeconds;  // ":MM:SS"; shorter when the text ends first
  size_t Length = 0;                // characters the sign, the hours and ":MM:SS" take
};
ClockText SplitClock(std::string_view text, size_t positionalHours);

// The reader state of one LoadSubtitles call. The two flags start set; each reader that
// uses them gives them its own meaning.
struct ReaderState {
  ReaderState(SubtitleDocument& doc, std::string_view bytes) : Doc(doc), In(bytes) {}
  ReaderState(SubtitleDocument& doc, TextFeed& feed) : Doc(doc), In(feed) {}

  SubtitleDocument& Doc;
  ByteStream In;
  std::string Stamp;         // the time stamp being assembled
  int32_t AqtLastFrame = 0;  // a text line before any frame line starts at frame 0
  bool FirstFlag = true;
  bool SecondFlag = true;
  bool Truncated = false;  // a subtitle beyond MaxSubtitles was met and not read
  int32_t NegativeTimesZeroed = 0;
  std::optional<double> FileFrameRate;

  // Starts the next subtitle in a cleared slot. When the table is full it reads nothing,
  // sets Truncated and returns false; the reader then stops.
  bool NewSubtitle();
  TSubtitle& Current() { return Doc.SubtitleTable[Doc.SubtitleCount]; }
  // The current subtitle's text, kept in the table's text store.
  void SetText(std::string_view text) { Doc.SubtitleTable.KeepText(Current().Text, text); }
  std::string TextBuffer;  // where a reader assembles a text before SetText
  // StoreTimeStamp of Stamp into the current subtitle.
  void StoreStamp(bool toStart, bool toEnd);
  // The clock with the milliseconds text `ms` (stored unchecked) into the current subtitle.
  // A time written below zero is stored as zero and counted in NegativeTimesZeroed.
  void StoreClock(const ClockText& clock, std::string_view ms, bool toStart, bool toEnd);
};

// Helpers shared by several readers.
char AsciiUpper(char c);
std::string AsciiUpper(std::string_view text);
// The first `count` characters from 1-based character position `from`, shorter near the end.
std::string_view Copy(std::string_view text, size_t from, size_t count);
// The current subtitle's text: 16-bit characters up to CR (0x000D), as the Unicode characters
// they are; the text read so far is kept when the file ends first.
void ReadWideText(ReaderState& state);
// Stamp := the low bytes of `count` characters followed by `suffix` ("0" turns hundredths
// into milliseconds).
void ReadWideStamp(ReaderState& state, size_t count, const char* suffix);

void ReadMicroDVD(ReaderState& state);
void ReadSubRip(ReaderState& state);
void ReadSubViewer(ReaderState& state);
void ReadSubViewer2(ReaderState& state);
void ReadAQT(ReaderState& state);
void ReadSimpleTime(ReaderState& state);
void ReadSSA(ReaderState& state);
void ReadDKS(ReaderState& state);
void ReadDVDArchitect(ReaderState& state);
void ReadDVDStudioPro(ReaderState& state);
void ReadVegasRegions(ReaderState& state);

}  // namespace qm
