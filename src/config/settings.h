#pragma once
// Data/settings.ini: the language list and choice, the run counter, three switches and the
// folders the dialogs were last pointed at. Read once at start, written once at exit. The
// file is Windows-1250; the texts here are UTF-8.

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

class IniFile;

struct Settings {
  std::vector<std::string> Languages;  // the items of the language list, in key order
  int LanguageIndex = 0;               // 0-based; outside Languages when no language is chosen
  int32_t Exec = 0;                    // runs recorded so far
  bool AskToClose = false;
  bool AlwaysOnTop = false;
  bool EditByOneClick = true;
  std::string SubtitlesOpen, SubtitlesSave, KonverzeAdd, KonverzeDest;

  // The chosen language's name; empty when LanguageIndex names no item.
  std::string LanguageName() const;
};

// A missing or unreadable file gives the defaults: one language "Český", chosen, no runs.
Settings LoadSettings(const std::string& path);
// The same from a file already parsed.
Settings SettingsFromIni(const IniFile& ini);

// Exactly the three sections and their keys in the product's order; nothing else survives.
std::string SerializeSettings(const Settings& settings);

// Whether this user may write the file: its folder exists and takes a new file, and an
// existing file is a plain file this user may write. Nothing is created to find out.
bool CanWriteSettings(const std::string& path);

// Replaces the file as a whole (temporary file + rename); on failure the previous file is
// left byte for byte as it was and the error carries the platform's message.
void SaveSettings(const std::string& path, const Settings& settings);

}  // namespace qm
