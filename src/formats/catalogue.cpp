#include "formats/catalogue.h"

#include "formats/reader_support.h"
#include "formats/writer_support.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace qm {

using enum TimingKind;

const std::array<FormatEntry, kFormatCount> FormatCatalogue = {{
    {kMicroDVD, "MicroDVD", Frames, true, true, false, "sub", "microdvd", ReadMicroDVD, WriteMicroDVD, 24},
    {kSubRip, "SubRip", Clock, true, true, false, "srt", "subrip", ReadSubRip, WriteSubRip, 48},
    {kSubViewer, "SubViewer", Clock, true, true, false, "sub", "subviewer", ReadSubViewer, WriteSubViewer,
     32},
    {kSubViewer2, "SubViewer 2.0", Clock, true, true, false, "sub", "subviewer2", ReadSubViewer2,
     WriteSubViewer2, 40},
    {kAQT, "AQT (aqTitle)", Frames, true, true, false, "aqt", "aqt", ReadAQT, WriteAQT, 40},
    {kSimpleTime, "HH:MM:SS (SimpleTime)", Clock, true, true, false, "txt", "simpletime", ReadSimpleTime,
     WriteSimpleTime, 16},
    {kSSA, "Sub Station Alpha scriptV4", Clock, true, true, false, "ssa", "ssa", ReadSSA, WriteSSA, 80},
    {kDKS, "DKS (SubTrack)", Clock, true, true, false, "dks", "dks", ReadDKS, WriteDKS, 32},
    {kDVDArchitect, "DVD Architect Subtitle Script", Clock, true, true, true, "sub", "dvd-architect",
     ReadDVDArchitect, WriteDVDArchitect, 24},
    {kDVDStudioPro, "DVD Studio Pro Subtitle", Clock, true, true, true, "txt", "dvd-studio-pro",
     ReadDVDStudioPro, WriteDVDStudioPro, 16},
    {kVegasRegions, "Sony Vegas Region List", Clock, true, true, true, "txt", "vegas", ReadVegasRegions,
     WriteVegasRegions, 24},
    {kSAMI, "SAMI", None, false, false, false, "smi", "sami", nullptr, nullptr, 0},
    {kRadLight, "RadLight", None, false, false, false, "rt", "radlight", nullptr, nullptr, 0},
}};

bool IsFrameFormat(uint8_t formatIndex) {
  return formatIndex < kFormatCount && FormatCatalogue[formatIndex].Timing == Frames;
}

bool IsSixteenBitFormat(uint8_t formatIndex) {
  return formatIndex < kFormatCount && FormatCatalogue[formatIndex].SixteenBit;
}

const std::array<SubtitleExtension, 7> SubtitleExtensions = {{
    {".txt", false},
    {".sub", true},
    {".srt", true},
    {".stf", false},
    {".aqt", true},
    {".ssa", true},
    {".dks", true},
}};

std::string SubtitleExtensionPatterns() {
  std::string patterns;
  for (const auto& [extension, registered] : SubtitleExtensions)
    patterns += (patterns.empty() ? "*" : " *") + std::string(extension);
  return patterns;
}

std::string ProposedFileName(std::string_view path, uint8_t layout) {
  const std::string_view name = path.substr(path.find_last_of('/') + 1);
  const size_t dot = name.rfind('.');
  // A leading dot belongs to a hidden file's name, not to an extension.
  const std::string_view base = dot != std::string_view::npos && dot > 0 ? name.substr(0, dot) : name;
  if (base.empty() || layout >= kFormatCount) return {};
  return std::string(base) + "." + FormatCatalogue[layout].Extension;
}

uint8_t TimeModeOf(uint8_t formatIndex) { return IsFrameFormat(formatIndex) ? 0 : 1; }

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<uint8_t> FormatFromCliName(std::string_view name) {
  if (EqualsIgnoringCase(name, "srt")) return 1;
  for (const auto& entry : FormatCatalogue)
    if (EqualsIgnoringCase(name, entry.CliName) || name == std::to_string(entry.Index)) return entry.Index;
  return std::nullopt;
}

FormatNameList BuiltInFormatNames() {
  FormatNameList names;
  for (const auto& entry : FormatCatalogue) names[entry.Index] = entry.Name;
  return names;
}

FormatNameList LoadFormatNames(const std::string& programFolder) {
  const std::string path = programFolder + "Data/formats.ini";
  if (!FileExists(path)) return BuiltInFormatNames();
  const IniFile ini = IniFile::Load(path);
  FormatNameList names;
  for (int k = 1; k <= kFormatCount; ++k)
    names[k - 1] = ini.ReadString("SUBTITLES FORMATS", std::to_string(k), "ERROR READING SUB FORMAT");
  return names;
}

std::string FormatName(const FormatNameList& names, int number) {
  return number >= 0 && number < kFormatCount ? names[number] : "???";
}

}  // namespace qm
