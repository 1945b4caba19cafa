#include "formats/subtitle_source.h"

#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/reader_support.h"
#include "platform/file_io.h"
#include "platform/utf8.h"

namespace qm {
namespace {

std::string SwapBytepairs(std::string_view bytes) {
  std::string swapped(bytes.size() - bytes.size() % 2, '\0');
  for (size_t i = 0; i < swapped.size(); i += 2) {
    swapped[i] = bytes[i + 1];
    swapped[i + 1] = bytes[i];
  }
  return swapped;
}

// The encoding of a file nobody named; `bomLength` is the length of the mark found.
TextEncoding FindEncoding(std::string_view bytes, size_t& bomLength) {
  if (const auto bom = DetectBom(bytes)) {
    bomLength = bom->Length;
    return bom->Encoding;
  }
  bomLength = 0;
  if (DetectSixteenBitFormat(bytes)) return Utf16LeEncoding(false);
  if (IsUtf8WithMultibyte(bytes)) return Utf8Encoding(false);
  return Windows1250Encoding();
}

}  // namespace

SubtitleSource PrepareSubtitleSource(std::string bytes, const std::optional<TextEncoding>& chosen) {
  SubtitleSource source;
  size_t bomLength = 0;
  bool validUtf8 = false;  // known valid UTF-8 once the encoding was found from it
  if (chosen) {
    source.Encoding = *chosen;
    bomLength = bytes.size() - SkipBomOf(*chosen, bytes).size();
    source.Encoding.Bom = bomLength > 0;
  } else {
    source.Encoding = FindEncoding(bytes, bomLength);
    validUtf8 = source.Encoding == Utf8Encoding(false);
  }
  bytes.erase(0, bomLength);

  bool decoded = true;
  if (IsUtf16(source.Encoding)) {
    if (source.Encoding.Name == "utf-16be") bytes = SwapBytepairs(bytes);
    if (const auto format = DetectSixteenBitFormat(bytes)) {
      source.FormatIndex = *format;
      // Only the three readers take the bytes; a file like them but none of them (13) is
      // text to show like any other.
      source.Text = IsSixteenBitFormat(*format) ? std::move(bytes) : DecodeText(bytes, Utf16LeEncoding());
      return source;
    }
    source.Text = DecodeText(bytes, Utf16LeEncoding());
  } else if (source.Encoding.Name == "utf-8" ? validUtf8 || IsValidUtf8(bytes) : IsAscii(bytes)) {
    source.Text = std::move(bytes);  // already what the readers read: no copy
    decoded = false;
  } else {
    source.Text = DecodeText(bytes, source.Encoding);
  }
  source.FormatIndex = DetectFormatInText(source.Text);
  // Only a file read under a chosen single-byte encoding gets here with a 16-bit format; its
  // reader reads the bytes as the UTF-16LE they are.
  if (IsSixteenBitFormat(source.FormatIndex) && decoded) source.Text = std::move(bytes);
  return source;
}

SubtitleSource ReadSubtitleFile(const std::string& path, const std::optional<TextEncoding>& encoding) {
  return PrepareSubtitleSource(ReadWholeFile(path), encoding);
}

LoadResult LoadSubtitleSource(SubtitleDocument& doc, const SubtitleSource& source) {
  ClearSubtitleTable(doc);
  doc.FormatIndex = source.FormatIndex;
  doc.Encoding = source.Encoding;
  doc.TimeMode = doc.StoredMode = TimeModeOf(doc.FormatIndex);
  if (doc.FormatIndex == kNotRecognised) return {};
  return RunReader(doc, source.FormatIndex, source.Text);
}

LoadResult OpenSubtitles(SubtitleDocument& doc, const std::string& path,
                         const std::optional<TextEncoding>& encoding) {
  doc.FormatIndex = kNotRecognised;
  return LoadSubtitleSource(doc, ReadSubtitleFile(path, encoding));
}

std::string ReadSubtitleFileText(const std::string& path, const std::optional<TextEncoding>& encoding) {
  SubtitleSource source = ReadSubtitleFile(path, encoding);
  if (IsSixteenBitFormat(source.FormatIndex)) return DecodeText(source.Text, Utf16LeEncoding());
  return std::move(source.Text);
}

TextEncoding DefaultSaveEncoding(const SubtitleDocument& doc) {
  return IsSixteenBitFormat(doc.FormatIndex) ? Windows1250Encoding() : doc.Encoding;
}

uint8_t DetectFormat(const std::string& fileName, const std::optional<TextEncoding>& encoding) {
  return ReadSubtitleFile(fileName, encoding).FormatIndex;
}

uint8_t DetectFormatInBytes(std::string_view bytes, const std::optional<TextEncoding>& encoding) {
  return PrepareSubtitleSource(std::string(bytes), encoding).FormatIndex;
}

}  // namespace qm
