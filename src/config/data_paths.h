#pragma once
// Where the program's run-time files are: the Data folder beside the program (build folder,
// portable copy) or in share/quillmark/ of an installed tree, and where the settings and the
// user's own language files go when that folder is not the user's to write.

#include <string>

namespace qm {

// The environment variables that decide the per-user folders; empty when unset.
struct UserEnvironment {
  std::string Home;           // $HOME
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME
  std::string XdgDataHome;    // $XDG_DATA_HOME
  std::string XdgStateHome;   // $XDG_STATE_HOME
};
UserEnvironment ReadUserEnvironment();

struct DataPaths {
  std::string ProgramFolder;       // holds Data/; ends with "/"
  std::string SettingsFile;        // the settings file to read at start and write at exit
  std::string UserLanguageFolder;  // the user's own language files; ends with "/", may be empty
  std::string RecentFilesFile;     // the list of recently opened files; empty: kept for the run only
};

// executableFolder: the folder of the running program, with or without a trailing "/".
// Data beside the program wins over an installed tree's ../share/quillmark/Data; without
// either, the program's own folder is used (the program then runs on its built-in texts,
// its settings kept in the user's folder).
// The settings file is Data/settings.ini beside a program whose Data folder it may write;
// for an installed tree or a read-only copy it is $XDG_CONFIG_HOME/quillmark/settings.ini
// (default ~/.config). User language files: $XDG_DATA_HOME/quillmark/ (~/.local/share). The
// recent files: $XDG_STATE_HOME/quillmark/recent (~/.local/state), never in the settings file.
DataPaths ResolveDataPaths(const std::string& executableFolder, const UserEnvironment& environment);

// On the first run of an installed program the user's settings file does not exist yet: it
// starts as a copy of the shipped Data/settings.ini (when there is one). An existing file is
// left alone. Returns false when the copy could not be written; the program then runs on
// the defaults and reports the failure when it saves the settings at exit.
bool SeedSettingsFile(const DataPaths& paths);

}  // namespace qm
