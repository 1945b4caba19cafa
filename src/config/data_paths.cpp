#include "config/data_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/file_io.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// Base directory variables hold absolute paths; a relative one is ignored, as the
// freedesktop base directory rules say.
std::string UserFolder(const std::string& variable, const std::string& home, const char* homeDefault) {
  if (!variable.empty() && variable.front() == '/') return WithSlash(variable) + "quillmark/";
  if (home.empty()) return "";
  return WithSlash(home) + homeDefault + "/quillmark/";
}

bool IsDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

std::string CanonicalFolder(const fs::path& path) {
  std::error_code error;
  const fs::path canonical = fs::weakly_canonical(path, error);
  return WithSlash((error ? path.lexically_normal() : canonical).string());
}

struct ProgramPlace {
  std::string Folder;
  bool Installed = false;
};

ProgramPlace FindProgramFolder(const std::string& executableFolder) {
  const fs::path beside = fs::path(WithSlash(executableFolder));
  if (IsDirectory(beside / "Data")) return {WithSlash(executableFolder)};
  const fs::path installed = beside / ".." / "share" / "quillmark";
  if (IsDirectory(installed / "Data")) return {CanonicalFolder(installed), true};
  return {WithSlash(executableFolder)};
}

}  // namespace

UserEnvironment ReadUserEnvironment() {
  return {Env("HOME"), Env("XDG_CONFIG_HOME"), Env("XDG_DATA_HOME"), Env("XDG_STATE_HOME")};
}

DataPaths ResolveDataPaths(const std::string& executableFolder, const UserEnvironment& environment) {
  const ProgramPlace place = FindProgramFolder(executableFolder);
  DataPaths paths;
  paths.ProgramFolder = place.Folder;
  paths.UserLanguageFolder = UserFolder(environment.XdgDataHome, environment.Home, ".local/share");
  const std::string state = UserFolder(environment.XdgStateHome, environment.Home, ".local/state");
  if (!state.empty()) paths.RecentFilesFile = state + "recent";
  const std::string dataFolder = paths.ProgramFolder + "Data";
  const std::string userConfig = UserFolder(environment.XdgConfigHome, environment.Home, ".config");
  // An installed tree's files belong to the package, even when this user may write them
  // (root, or a prefix in the user's home); a copy beside the program keeps its own settings.
  const bool portable = !place.Installed && access(dataFolder.c_str(), W_OK) == 0;
  paths.SettingsFile = (portable || userConfig.empty() ? dataFolder + "/" : userConfig) + "settings.ini";
  return paths;
}

bool SeedSettingsFile(const DataPaths& paths) {
  const std::string shipped = paths.ProgramFolder + "Data/settings.ini";
  if (paths.SettingsFile == shipped || FileExists(paths.SettingsFile) || !FileExists(shipped)) return true;
  std::error_code error;
  fs::create_directories(fs::path(paths.SettingsFile).parent_path(), error);
  if (error) return false;
  try {
    WriteFileAtomically(paths.SettingsFile, ReadWholeFile(shipped));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace qm
