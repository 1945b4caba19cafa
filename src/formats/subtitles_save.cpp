#include "formats/subtitles_save.h"

#include "document/errors.h"
#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/file_io.h"
#include "formats/unicode_tab.h"
#include "formats/writer_support.h"

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

std::string JoinLines(std::string_view text, std::string_view lineBreak) {
  std::string joined;
  joined.reserve(text.size());
  for (char c : text) {
    if (c == '|')
      joined += lineBreak;
    else
      joined += c;
  }
  return joined;
}

void AppendWide(std::string& out, std::string_view piece) { out += StringToUnicode(piece); }

std::string StringToUnicode(std::string_view text) {
  std::string result;
  result.reserve(2 * text.size());
  for (char c : text) {
    const std::string code = CharToUnicode(static_cast<unsigned char>(c));  // high, low
    result += code[1];
    result += code[0];
  }
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
  std::string out;
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
