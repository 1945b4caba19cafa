#include "formats/subtitle_source.h"

#include <algorithm>

#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/reader_support.h"
#include "platform/file_io.h"
#include "platform/text_encoding.h"
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

// IsUtf8WithMultibyte, a piece at a time, so that a mapped file never takes its whole size
// in memory; the first piece that is not UTF-8 ends the search.
bool IsUtf8WithMultibyte(FileBytes& raw) {
  constexpr size_t kPiece = size_t{1} << 20;
  const std::string_view bytes = raw.View();
  bool multibyte = false;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = std::min(start + kPiece, bytes.size());
    // A piece ends before a character's lead byte, never inside the character.
    for (int back = 0; back < 3 && end < bytes.size() && end > start + 1 && IsContinuationByte(bytes[end]);
         ++back)
      --end;
    const std::string_view piece = bytes.substr(start, end - start);
    if (!IsValidUtf8(piece)) return false;
    multibyte = multibyte || !IsAscii(piece);
    raw.Forget(start, end);
    start = end;
  }
  return multibyte;
}

// The encoding of a file nobody named; `bomLength` is the length of the mark found.
TextEncoding FindEncoding(FileBytes& raw, size_t& bomLength) {
  const std::string_view bytes = raw.View();
  if (const auto bom = DetectBom(bytes)) {
    bomLength = bom->Length;
    return bom->Encoding;
  }
  bomLength = 0;
  if (DetectSixteenBitFormat(bytes)) return Utf16LeEncoding(false);
  if (IsUtf8WithMultibyte(raw)) return Utf8Encoding(false);
  return Windows1250Encoding();
}

}  // namespace

SubtitleSource PrepareSubtitleSource(FileBytes raw, const std::optional<TextEncoding>& chosen) {
  SubtitleSource source;
  const std::string_view bytes = raw.View();
  size_t bomLength = 0;
  bool validUtf8 = false;  // known valid UTF-8 once the encoding was found from it
  if (chosen) {
    source.Encoding = *chosen;
    bomLength = bytes.size() - SkipBomOf(*chosen, bytes).size();
    source.Encoding.Bom = bomLength > 0;
  } else {
    source.Encoding = FindEncoding(raw, bomLength);
    validUtf8 = source.Encoding == Utf8Encoding(false);
  }
  const std::string_view body = bytes.substr(bomLength);

  if (IsUtf16(source.Encoding)) {
    std::string little = source.Encoding.Name == "utf-16be" ? SwapBytepairs(body) : std::string(body);
    if (const auto format = DetectSixteenBitFormat(little)) {
      source.FormatIndex = *format;
      // Only the three readers take the bytes; a file like them but none of them (13) is
      // text to show like any other.
      source.Feed = std::make_shared<TextFeed>(
          IsSixteenBitFormat(*format) ? std::move(little) : DecodeText(little, Utf16LeEncoding()));
      return source;
    }
    source.Feed = std::make_shared<TextFeed>(DecodeText(little, Utf16LeEncoding()));
  } else if (source.Encoding.Name == "utf-8" && (validUtf8 || IsValidUtf8(body))) {
    raw.Forget(0, bytes.size());
    source.Feed = std::make_shared<TextFeed>(std::move(raw), bomLength);  // read where it lies
  } else if (source.Encoding == Windows1250Encoding()) {
    source.Feed = TextFeed::Windows1250(std::move(raw), bomLength);
  } else {
    source.Feed = std::make_shared<TextFeed>(DecodeText(body, source.Encoding));
  }
  ByteStream lines(*source.Feed);
  source.FormatIndex = DetectFormatInStream(lines);
  // Only a file read under a chosen single-byte encoding gets here with a 16-bit format; its
  // reader reads the bytes as the UTF-16LE they are.
  if (IsSixteenBitFormat(source.FormatIndex)) {
    // The bytes themselves: UTF-8 and Windows-1250 feeds hold the file, and give it back
    // exactly; any other text was decoded from `raw`, which is still there.
    const std::string_view text = source.Feed->All();
    std::string wide = source.Encoding.Name == "utf-8" ? std::string(text)
                       : source.Encoding == Windows1250Encoding()
                           ? EncodeText(text, source.Encoding).value_or("")
                           : std::string(body);
    source.Feed = std::make_shared<TextFeed>(std::move(wide));
  }
  return source;
}

SubtitleSource PrepareSubtitleSource(std::string bytes, const std::optional<TextEncoding>& chosen) {
  return PrepareSubtitleSource(FileBytes::Own(std::move(bytes)), chosen);
}

SubtitleSource ReadSubtitleFile(const std::string& path, const std::optional<TextEncoding>& encoding) {
  return PrepareSubtitleSource(FileBytes::Read(path), encoding);
}

LoadResult LoadSubtitleSource(SubtitleDocument& doc, const SubtitleSource& source) {
  ClearSubtitleTable(doc);
  doc.FormatIndex = source.FormatIndex;
  doc.Encoding = source.Encoding;
  doc.TimeMode = doc.StoredMode = TimeModeOf(doc.FormatIndex);
  if (doc.FormatIndex == kNotRecognised || !source.Feed) return {};
  return RunReader(doc, source.FormatIndex, *source.Feed);
}

LoadResult OpenSubtitles(SubtitleDocument& doc, const std::string& path,
                         const std::optional<TextEncoding>& encoding) {
  doc.FormatIndex = kNotRecognised;
  return LoadSubtitleSource(doc, ReadSubtitleFile(path, encoding));
}

std::string ReadSubtitleFileText(const std::string& path, const std::optional<TextEncoding>& encoding) {
  const SubtitleSource source = ReadSubtitleFile(path, encoding);
  if (IsSixteenBitFormat(source.FormatIndex)) return DecodeText(source.AllText(), Utf16LeEncoding());
  return std::string(source.AllText());
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
