#pragma once
// Reading a subtitle file into the document's table, after DetectFormat has named the format.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"

namespace qm {

class TextFeed;

struct LoadResult {
  // The file held more subtitles than the table: the first MaxSubtitles were read and the
  // rest of the file was not.
  bool Truncated = false;
  // Times written below zero in the file, read as zero.
  int32_t NegativeTimesZeroed = 0;
  // The frame rate a file states about itself (MicroDVD's "{1}{1}23.976" line).
  std::optional<double> FileFrameRate;
};

// The reader of formatIndex (0..10) appends to the table and counts in SubtitleCount; any
// other number reads nothing. The caller has cleared the table (ClearSubtitleTable).
// Failures (a number field that is not a number, an unreadable file) throw QuillmarkError;
// the subtitles read until then, including the one being read, stay in the table. A file
// with visible content of which the reader made no subtitle at all fails too (NothingRead):
// opening it must not look like opening an empty file.
// `input` is text in UTF-8, or UTF-16LE bytes for the three 16-bit formats.
LoadResult RunReader(SubtitleDocument& doc, uint8_t formatIndex, std::string_view input);
LoadResult RunReader(SubtitleDocument& doc, uint8_t formatIndex, TextFeed& input);
// The file's bytes decoded as opening decodes them (OpenSubtitles), then read by the reader
// named, whatever format the bytes look like.
LoadResult LoadSubtitles(SubtitleDocument& doc, uint8_t formatIndex, const std::string& fileName);
LoadResult LoadSubtitlesFromBytes(SubtitleDocument& doc, uint8_t formatIndex, std::string_view bytes);

// Stamp "HH:MM:SS,mmm" by position: 1-2 hours, 4-5 minutes, 7-8 seconds (decimal integers),
// 10-12 the milliseconds text, stored unchecked.
void StoreTimeStamp(SubtitleDocument& doc, std::string_view stamp, int32_t index, bool toStart, bool toEnd);

// "The file holds more than 20000 subtitles; the rest of it was not read."
std::string TruncationMessage();
// The same when the file was to be written over itself and was kept as it is instead.
std::string TruncationKeptMessage();
// "No subtitle was found in the file; it was not read."
std::string NothingReadMessage();
// "Times before 0:00:00 read as 0:00:00: {value}", {value} standing for the count.
std::string NegativeTimesTemplate();

}  // namespace qm
