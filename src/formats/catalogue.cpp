#include "formats/catalogue.h"

#include "formats/reader_support.h"
#include "formats/writer_support.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace qm {

using enum TimingKind;

const std::array<FormatEntry, kFormatCount> FormatCatalogue = {{
    {0, "MicroDVD", Frames, true, true, false, "sub", "microdvd", ReadMicroDVD, WriteMicroDVD},
    {1, "SubRip", Clock, true, true, false, "srt", "subrip", ReadSubRip, WriteSubRip},
    {2, "SubViewer", Clock, true, true, false, "sub", "subviewer", ReadSubViewer, WriteSubViewer},
    {3, "SubViewer 2.0", Clock, true, true, false, "sub", "subviewer2", ReadSubViewer2, WriteSubViewer2},
    {4, "AQT (aqTitle)", Frames, true, true, false, "aqt", "aqt", ReadAQT, WriteAQT},
    {5, "HH:MM:SS (SimpleTime)", Clock, true, true, false, "txt", "simpletime", ReadSimpleTime,
     WriteSimpleTime},
    {6, "Sub Station Alpha scriptV4", Clock, true, true, false, "ssa", "ssa", ReadSSA, WriteSSA},
    {7, "DKS (SubTrack)", Clock, true, true, false, "dks", "dks", ReadDKS, WriteDKS},
    {8, "DVD Architect Subtitle Script", Clock, true, true, true, "sub", "dvd-architect", ReadDVDArchitect,
     WriteDVDArchitect},
    {9, "DVD Studio Pro Subtitle", Clock, true, true, true, "txt", "dvd-studio-pro", ReadDVDStudioPro,
     WriteDVDStudioPro},
    {10, "Sony Vegas Region List", Clock, true, true, true, "txt", "vegas", ReadVegasRegions,
     WriteVegasRegions},
    {11, "SAMI", None, false, false, false, "smi", "sami", nullptr, nullptr},
    {12, "RadLight", None, false, false, false, "rt", "radlight", nullptr, nullptr},
}};

bool IsFrameFormat(uint8_t formatIndex) { return formatIndex == 0 || formatIndex == 4; }

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
