#pragma once
// Makes the program the opener of the five subtitle extensions: the shell's key layout over
// a small key store (the Windows registry in a Windows build, a map in tests), and the
// freedesktop files that file managers on Linux read.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace qm {

// The extensions, in the order in which they are registered.
extern const std::vector<std::string> kSubtitleExtensions;
inline constexpr const char* kSubtitleFileType = "Subtitle File";
inline constexpr const char* kSubtitleFileDescription = "Soubor aplikace Quillmark";

// Keys below one root, each with an unnamed default string value.
class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // Opens the key, creating it when missing; false when that is not allowed.
  virtual bool OpenKey(const std::string& path) = 0;
  // Sets the default value of the key opened last; fails with the platform's message.
  virtual void WriteDefaultValue(const std::string& value) = 0;
  virtual void CloseKey() = 0;
};

// Key names match without regard to case, as the registry's do.
class InMemoryKeyStore final : public KeyStore {
 public:
  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, std::string, NoCase> Values;
  std::set<std::string, NoCase> Refused;  // keys that cannot be opened

  bool OpenKey(const std::string& path) override;
  void WriteDefaultValue(const std::string& value) override;
  void CloseKey() override;

 private:
  std::string m_open;
};

// The open command: the program's path and the file's, each in quotes, so that a path with
// a blank stays one argument.
std::string OpenCommand(const std::string& programPath);

// Writes the layout for typeName; a key that cannot be opened is skipped, the rest still runs.
// programFolder ends with the platform's separator; paths are in the platform's form.
void RegisterFileType(KeyStore& store, const std::string& typeName, const std::string& description,
                      const std::string& programFolder, const std::string& programPath);

// --- freedesktop ------------------------------------------------------------------------

struct XdgFolders {
  std::string DataHome;    // $XDG_DATA_HOME, else $HOME/.local/share
  std::string ConfigHome;  // $XDG_CONFIG_HOME, else $HOME/.config
};
// From the environment; relative or empty values fall back to the defaults.
XdgFolders XdgFoldersFromEnvironment();

struct MimeTypeGlob {
  const char* Type;
  const char* Glob;
  bool Standard;  // named by shared-mime-info; ours otherwise
};
extern const std::vector<MimeTypeGlob> kSubtitleMimeTypes;

std::string DesktopEntry(const std::string& programPath, const std::string& iconPath);
std::string MimePackage();
// mimeapps.list with our desktop file first for every subtitle type; other lines kept.
std::string MimeAppsList(const std::string& previous);

struct DesktopRegistration {
  std::string DesktopFile, MimePackageFile, MimeAppsFile;
  // Refreshes of the caches that file managers read, to run when the tool is installed.
  std::vector<std::vector<std::string>> CacheCommands;
};

// Writes the three files, each atomically, creating their folders. programPath must be an
// absolute path without line breaks; fails with the platform's message otherwise.
DesktopRegistration RegisterDesktopFileTypes(const XdgFolders& folders, const std::string& programPath,
                                             const std::string& iconPath);

}  // namespace qm
