#include "formats/subtitles_save.h"

#include <charconv>

#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/unicode_tab.h"
#include "formats/writer_support.h"
#include "platform/errors.h"
#include "platform/file_io.h"

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
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
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

void AppendWide(std::string& out, std::string_view piece) {
  size_t at = out.size();
  out.resize(at + 2 * piece.size());
  for (char c : piece) {
    const uint16_t code = UnicodeCodeOf(static_cast<unsigned char>(c));
    out[at++] = static_cast<char>(code & 0xFF);
    out[at++] = static_cast<char>(code >> 8);
  }
}

std::string StringToUnicode(std::string_view text) {
  std::string result;
  result.reserve(2 * text.size());
  AppendWide(result, text);
  return result;
}

std::string WriteSubtitles(const SubtitleDocument& doc, uint8_t layout) {
  if (layout >= kFormatCount)
    throw QuillmarkError(ErrorKind::Unsupported,
                         "There is no output format number " + std::to_string(layout) + ".");
  const FormatEntry& format = FormatCatalogue[layout];
  if (!format.Writer)
    throw QuillmarkError(ErrorKind::Unsupported, std::string("Subtitles cannot be saved as \"") +
                                                     format.Name +
                                                     "\": the program has no writer for this format.");
  // One allocation of about the final size: growing a megabytes-long buffer by doubling
  // costs more than writing it.
  size_t estimate = 128;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) estimate += doc.SubtitleTable[i].Text.size() + 96;
  std::string out;
  out.reserve(format.SixteenBit ? 2 * estimate : estimate);
  format.Writer(doc, out);
  return out;
}

void SaveSubtitles(const SubtitleDocument& doc, uint8_t layout, const std::string& fileName) {
  // The bytes are complete before the file is touched, so a failure (a clock field out of
  // range, a format without a writer) leaves an existing file as it was.
  const std::string bytes = WriteSubtitles(doc, layout);
  WriteFileAtomically(fileName, bytes);
}

}  // namespace qm
