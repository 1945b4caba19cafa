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

// The catalogue's numbers by name; a file's FormatIndex and a layout are one of these.
enum FormatNumber : uint8_t {
  kMicroDVD,
  kSubRip,
  kSubViewer,
  kSubViewer2,
  kAQT,
  kSimpleTime,
  kSSA,
  kDKS,
  kDVDArchitect,
  kDVDStudioPro,
  kVegasRegions,
  kSAMI,
  kRadLight,
};

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
  uint8_t LayoutBytes;  // about what a subtitle takes besides its text, as laid out in UTF-8
};

extern const std::array<FormatEntry, kFormatCount> FormatCatalogue;

bool IsFrameFormat(uint8_t formatIndex);  // MicroDVD and AQT, by the catalogue's timing column
bool IsSixteenBitFormat(uint8_t formatIndex);
// The view a file of this format is read into: frames (0) for MicroDVD and AQT, else clock (1).
uint8_t TimeModeOf(uint8_t formatIndex);
// A catalogue number or a case-insensitive command-line name ("srt" too).
std::optional<uint8_t> FormatFromCliName(std::string_view name);

// The file extensions of subtitle files, as the open dialogs and the batch list's folder
// drop take them; the registered ones are those the program offers to open from the desktop.
struct SubtitleExtension {
  const char* Extension;  // with its dot
  bool Registered;
};
extern const std::array<SubtitleExtension, 7> SubtitleExtensions;
// "*.txt *.sub ..." for a file dialog's filter.
std::string SubtitleExtensionPatterns();
// The name a save into `layout` proposes for the file at `path`: its file name with the last
// extension replaced by the format's conventional one ("film.en.sub" -> "film.en.srt"); empty
// without a file name.
std::string ProposedFileName(std::string_view path, uint8_t layout);

// Display names: Data/formats.ini (section "SUBTITLES FORMATS", keys 1..13) when that file
// exists, else the built-in names.
using FormatNameList = std::array<std::string, kFormatCount>;
FormatNameList BuiltInFormatNames();
FormatNameList LoadFormatNames(const std::string& programFolder);
// "???" for 13 and above.
std::string FormatName(const FormatNameList& names, int number);

}  // namespace qm
