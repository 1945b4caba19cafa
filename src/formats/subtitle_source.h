#pragma once
// Opening a subtitle file: read it once, find its encoding and its format, load it. The
// editor, the batch run and the converter all open files through OpenSubtitles.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "document/subtitle_document.h"
#include "formats/subtitles_load.h"
#include "formats/text_feed.h"
#include "platform/file_bytes.h"
#include "platform/text_encoding.h"

namespace qm {

// A file's bytes made ready for its reader.
struct SubtitleSource {
  TextEncoding Encoding;
  uint8_t FormatIndex = 13;
  // The text in UTF-8, decoded as far as a reader asks for it; for the three 16-bit formats
  // their UTF-16LE bytes instead, since those readers take their numbers from each
  // character's low byte.
  std::shared_ptr<TextFeed> Feed;

  // The whole text (decoding the rest of it first).
  std::string_view AllText() const { return Feed ? Feed->All() : std::string_view(); }
};

// Without a chosen encoding it is found in this order: a UTF-8 or UTF-16 byte-order mark;
// the 16-bit formats' own pattern (UTF-16LE without a mark); bytes that are valid UTF-8 with
// at least one multi-byte character; otherwise Windows-1250. A chosen encoding is used even
// over a byte-order mark; a mark of that same encoding is skipped.
SubtitleSource PrepareSubtitleSource(FileBytes bytes, const std::optional<TextEncoding>& chosen);
SubtitleSource PrepareSubtitleSource(std::string bytes, const std::optional<TextEncoding>& chosen);

// PrepareSubtitleSource of the file's bytes, read once (a large file only as far as its
// reader gets). Fails like ReadWholeFile.
SubtitleSource ReadSubtitleFile(const std::string& path, const std::optional<TextEncoding>& encoding);

// Clears the table, sets FormatIndex (13 when not recognised, and then reads nothing),
// Encoding and the modes of the format's timing, then runs the format's reader. A reader that
// fails keeps what it read, in those modes, and the error propagates.
LoadResult LoadSubtitleSource(SubtitleDocument& doc, const SubtitleSource& source);

// The one entry point for opening a file: ReadSubtitleFile, then LoadSubtitleSource.
LoadResult OpenSubtitles(SubtitleDocument& doc, const std::string& path,
                         const std::optional<TextEncoding>& encoding = std::nullopt);

// The whole file as text in UTF-8, decoded as opening decodes it (the 16-bit formats too),
// for showing it as it stands.
std::string ReadSubtitleFileText(const std::string& path, const std::optional<TextEncoding>& encoding);

// The encoding a save uses unless the user chooses one: the document's own, except that a
// document read from one of the 16-bit formats counts as Windows-1250, so that converting
// it into a single-byte format gives the bytes it always gave.
TextEncoding DefaultSaveEncoding(const SubtitleDocument& doc);

}  // namespace qm
