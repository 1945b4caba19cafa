#include "formats/subtitles_save.h"

#include <charconv>
#include <cstring>

#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/subtitle_source.h"
#include "formats/writer_support.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/utf8.h"

namespace qm {

std::string ClockHhMmSs(const TSubtitle& record, int which) {
  return SubtitleTimeText(record, which, true, ':', false);
}

std::string ClockHhMmSsMs(const TSubtitle& record, int which, char separator) {
  return SubtitleTimeText(record, which, true, separator, true);
}

std::string ClockHMmSsMs(const TSubtitle& record, int which) {
  return SubtitleTimeText(record, which, false, '.', true);
}

void AppendClock(std::string& out, const TSubtitle& record, int which, bool leadingZero, char separator,
                 bool withMs, size_t cutTo) {
  const size_t start = out.size();
  AppendSubtitleTimeText(out, record, which, leadingZero, separator, withMs);
  if (out.size() - start > cutTo) out.resize(start + cutTo);
}

void AppendNumber(std::string& out, int64_t number) {
  // Written backwards into a small buffer, two digits at a time: every frame number of a file
  // goes through here.
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char digits[24];
  char* const end = digits + sizeof digits;
  char* at = end;
  uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
  while (magnitude >= 10) {
    at -= 2;
    std::memcpy(at, kPairs + 2 * (magnitude % 100), 2);
    magnitude /= 100;
  }
  if (magnitude > 0 || at == end) *--at = static_cast<char>('0' + magnitude);
  if (number < 0) *--at = '-';
  out.append(at, static_cast<size_t>(end - at));
}

bool SameWholeSeconds(const TSubtitle& previous, const TSubtitle& next) {
  return previous.EndHour == next.StartHour && previous.EndMinute == next.StartMinute &&
         previous.EndSecond == next.StartSecond;
}

void AppendJoinedLines(std::string& out, std::string_view text, std::string_view lineBreak) {
  for (size_t bar = text.find('|'); bar != std::string_view::npos; bar = text.find('|')) {
    out.append(text.data(), bar).append(lineBreak);
    text.remove_prefix(bar + 1);
  }
  out.append(text);
}

std::string JoinLines(std::string_view text, std::string_view lineBreak) {
  std::string joined;
  AppendJoinedLines(joined, text, lineBreak);
  return joined;
}

void AppendWide(std::string& out, std::string_view piece) { AppendUtf16Le(out, piece); }

std::string StringToUnicode(std::string_view text) {
  std::string result;
  AppendUtf16Le(result, text);
  return result;
}

namespace {

// "ł (U+0142)"; a control character only by its code, so that it cannot act on a terminal.
std::string ShownCharacter(char32_t character) {
  const bool control = character < 0x20 || (character >= 0x7F && character < 0xA0);
  return control ? CodePointName(character)
                 : CodePointText(character) + " (" + CodePointName(character) + ")";
}

std::string Filled(std::string text, std::string_view key, std::string_view value) {
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
    text.replace(at, key.size(), value);
  return text;
}

std::string EncodingMessage(std::string_view messageTemplate, int32_t number, char32_t character,
                            const TextEncoding& encoding) {
  std::string text = Filled(std::string(messageTemplate), "{number}", std::to_string(number));
  text = Filled(std::move(text), "{character}", ShownCharacter(character));
  return Filled(std::move(text), "{encoding}", EncodingDisplayName(encoding));
}

}  // namespace

EncodingError::EncodingError(int32_t subtitleNumber, char32_t character, const TextEncoding& encoding)
    : QuillmarkError(ErrorKind::Encoding,
                     EncodingMessage(kEnglishCantEncode, subtitleNumber, character, encoding)),
      m_subtitleNumber(subtitleNumber),
      m_character(character),
      m_encoding(encoding) {}

std::string EncodingErrorText(std::string_view messageTemplate, const EncodingError& error) {
  return EncodingMessage(messageTemplate, error.SubtitleNumber(), error.Character(), error.Encoding());
}

std::optional<EncodingProblem> FindUnencodableCharacter(const SubtitleDocument& doc,
                                                        const TextEncoding& encoding) {
  EncodeFailure failure;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    const TSubtitle& record = doc.SubtitleTable[i];
    for (const std::string_view field :
         {std::string_view(record.Text), record.StartMs.View(), record.EndMs.View()})
      if (!CanEncode(field, encoding, &failure)) return EncodingProblem{i, failure.Character};
  }
  return std::nullopt;
}

namespace {

std::string Layout(const SubtitleDocument& doc, const FormatEntry& format) {
  // One allocation of about the final size: growing a megabytes-long buffer by doubling
  // costs more than writing it, and asking for much more takes memory never written.
  size_t estimate = 512 + size_t{format.LayoutBytes} * static_cast<size_t>(doc.SubtitleCount);
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) estimate += doc.SubtitleTable[i].Text.size();
  std::string out;
  out.reserve(format.SixteenBit ? 2 * estimate : estimate);
  format.Writer(doc, out);
  return out;
}

}  // namespace

std::string WriteSubtitles(const SubtitleDocument& doc, uint8_t layout) {
  return WriteSubtitles(doc, layout, DefaultSaveEncoding(doc));
}

std::string WriteSubtitles(const SubtitleDocument& doc, uint8_t layout, const TextEncoding& encoding) {
  if (layout >= kFormatCount)
    throw QuillmarkError(ErrorKind::Unsupported,
                         "There is no output format number " + std::to_string(layout) + ".");
  const FormatEntry& format = FormatCatalogue[layout];
  if (!format.Writer)
    throw QuillmarkError(ErrorKind::Unsupported, std::string("Subtitles cannot be saved as \"") +
                                                     format.Name +
                                                     "\": the program has no writer for this format.");
  // The 16-bit formats are UTF-16LE by definition; the others are laid out in UTF-8 and
  // then encoded as a whole.
  std::string utf8 = Layout(doc, format);
  if (format.SixteenBit || (encoding.Name == "utf-8" && !encoding.Bom)) return utf8;
  // Windows-1250, the usual case, is encoded within the laid-out text itself.
  if (encoding == Windows1250Encoding() && EncodeUtf8AsCp1250InPlace(utf8)) return utf8;
  if (auto bytes = EncodeText(utf8, encoding)) return std::move(*bytes);
  const auto problem = FindUnencodableCharacter(doc, encoding);
  throw EncodingError(problem ? problem->SubtitleNumber : 0, problem ? problem->Character : 0, encoding);
}

void SaveSubtitles(const SubtitleDocument& doc, uint8_t layout, const std::string& fileName) {
  SaveSubtitles(doc, layout, fileName, DefaultSaveEncoding(doc));
}

void SaveSubtitles(const SubtitleDocument& doc, uint8_t layout, const std::string& fileName,
                   const TextEncoding& encoding) {
  // The bytes are complete before the file is touched, so a failure (a clock field out of
  // range, a character the encoding cannot hold, a format without a writer) leaves an
  // existing file as it was.
  const std::string bytes = WriteSubtitles(doc, layout, encoding);
  WriteFileAtomically(fileName, bytes);
}

}  // namespace qm
