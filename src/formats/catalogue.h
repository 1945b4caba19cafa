#pragma once
// The format catalogue: one constant table is the truth for numbers, names, timing kinds,
// file extensions and the command line's format names.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

struct ReaderState;
struct SubtitleDocument;
// A reader appends the subtitles of the stream in `state` to its document; a writer appends
// the whole table in its layout to `out`.
using ReaderFunction = void (*)(ReaderState& state);
using WriterFunction = void (*)(const SubtitleDocument& doc, std::string& out);

constexpr uint8_t kFormatCount = 13;  // 0..12
constexpr uint8_t kNotRecognised = 13;

enum class TimingKind { Frames, Clock, None };

struct FormatEntry {
  uint8_t Index;
  const char* Name;  // the built-in display name
  TimingKind Timing;
  bool Readable;          // a reader exists and the detector can return it
  bool Written;           // a writer exists
  bool SixteenBit;        // UTF-16LE without a byte-order mark
  const char* Extension;  // conventional extension, without the dot
  const char* CliName;    // name accepted by quillmark-convert
  ReaderFunction Reader;  // null for the formats that are only names
  WriterFunction Writer;
};

extern const std::array<FormatEntry, kFormatCount> FormatCatalogue;

bool IsFrameFormat(uint8_t formatIndex);  // MicroDVD and AQT
// The view a file of this format is read into: frames (0) for MicroDVD and AQT, else clock (1).
uint8_t TimeModeOf(uint8_t formatIndex);
// A catalogue number or a case-insensitive command-line name ("srt" too).
std::optional<uint8_t> FormatFromCliName(std::string_view name);

// Display names: Data/formats.ini (section "SUBTITLES FORMATS", keys 1..13) when that file
// exists, else the built-in names.
using FormatNameList = std::array<std::string, kFormatCount>;
FormatNameList BuiltInFormatNames();
FormatNameList LoadFormatNames(const std::string& programFolder);
// "???" for 13 and above.
std::string FormatName(const FormatNameList& names, int number);

}  // namespace qm
