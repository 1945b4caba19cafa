#include "config/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "config/language.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace qm {
namespace {

constexpr const char* kLanguages = "LANGUAGES";
constexpr const char* kSettings = "SETTINGS";
constexpr const char* kPaths = "PATHS";

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string Settings::LanguageName() const {
  if (LanguageIndex < 0 || LanguageIndex >= static_cast<int>(Languages.size())) return {};
  return Languages[static_cast<size_t>(LanguageIndex)];
}

Settings LoadSettings(const std::string& path) { return SettingsFromIni(IniFile::Load(path)); }

Settings SettingsFromIni(const IniFile& ini) {
  Settings settings;
  // Only the low 8 bits of the count and of the choice count, as the product stores them.
  const int count = ini.ReadInteger(kLanguages, "Count", 1) & 0xFF;
  for (int k = 1; k <= count; ++k)
    settings.Languages.push_back(ini.ReadString(kLanguages, std::to_string(k), kDefaultLanguageName));
  settings.Exec = ini.ReadInteger(kSettings, "Exec", 0);
  settings.LanguageIndex = (ini.ReadInteger(kSettings, "Language", 1) & 0xFF) - 1;
  settings.AskToClose = ini.ReadBool(kSettings, "AskToClose", false);
  settings.AlwaysOnTop = ini.ReadBool(kSettings, "AlwaysOnTop", false);
  settings.EditByOneClick = ini.ReadBool(kSettings, "EditByOneClick", true);
  settings.SubtitlesOpen = ini.ReadString(kPaths, "SubtitlesOpen", "");
  settings.KonverzeAdd = ini.ReadString(kPaths, "KonverzeAdd", "");
  settings.SubtitlesSave = ini.ReadString(kPaths, "SubtitlesSave", "");
  settings.KonverzeDest = ini.ReadString(kPaths, "KonverzeDest", "");
  return settings;
}

std::string SerializeSettings(const Settings& settings) {
  IniFile ini;
  const int count = static_cast<int>(settings.Languages.size());
  ini.WriteInteger(kLanguages, "Count", count);
  for (int k = 1; k <= count; ++k)
    ini.WriteString(kLanguages, std::to_string(k), settings.Languages[static_cast<size_t>(k - 1)]);
  const bool chosen = settings.LanguageIndex >= 0 && settings.LanguageIndex < count;
  ini.WriteInteger(kSettings, "Language", chosen ? settings.LanguageIndex + 1 : 0);
  ini.WriteInteger(kSettings, "Exec", settings.Exec);
  ini.WriteBool(kSettings, "AskToClose", settings.AskToClose);
  ini.WriteBool(kSettings, "AlwaysOnTop", settings.AlwaysOnTop);
  ini.WriteBool(kSettings, "EditByOneClick", settings.EditByOneClick);
  ini.WriteString(kPaths, "SubtitlesOpen", settings.SubtitlesOpen);
  ini.WriteString(kPaths, "SubtitlesSave", settings.SubtitlesSave);
  ini.WriteString(kPaths, "KonverzeAdd", settings.KonverzeAdd);
  ini.WriteString(kPaths, "KonverzeDest", settings.KonverzeDest);
  return ini.Serialize();
}

bool CanWriteSettings(const std::string& path) {
  // Asked as this user: the folder must take the replacement file, and an existing file
  // must be one this user may write (root may write a read-only file, as a direct write can).
  if (access(FolderOf(path).c_str(), W_OK | X_OK) != 0) return false;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) && access(path.c_str(), W_OK) == 0;
}

void SaveSettings(const std::string& path, const Settings& settings) {
  if (!CanWriteSettings(path)) ThrowInOut(EACCES);
  WriteFileAtomically(path, SerializeSettings(settings));
}

}  // namespace qm
