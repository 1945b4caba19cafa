#include "config/file_types.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "formats/catalogue.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace qm {

const std::vector<std::string> kSubtitleExtensions = [] {
  std::vector<std::string> registered;
  for (const auto& [extension, isRegistered] : SubtitleExtensions)
    if (isRegistered) registered.emplace_back(extension);
  return registered;
}();

// .sub is shared by several layouts; the two that the program reads are claimed.
const std::vector<MimeTypeGlob> kSubtitleMimeTypes = {
    {"text/x-microdvd", "*.sub", true},       {"text/x-subviewer", "*.sub", true},
    {"application/x-subrip", "*.srt", true},  {"text/x-ssa", "*.ssa", true},
    {"text/x-quillmark-dks", "*.dks", false}, {"text/x-quillmark-aqt", "*.aqt", false},
};

namespace {

constexpr const char* kDesktopFileName = "quillmark.desktop";
constexpr const char* kDefaultApplications = "Default Applications";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// A quoted Exec argument: " ` $ \ take a backslash (the string rule then doubles every
// backslash), and % is doubled so that it is not a field code.
std::string QuotedExecArgument(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}

std::string EscapedDesktopString(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void CheckDesktopPath(const std::string& path) {
  if (path.empty() || path.front() != '/' || path.find_first_of("\r\n") != std::string::npos)
    ThrowInOut(EINVAL);
}

std::string DefaultUnder(const char* variable, const char* homeRelative) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + homeRelative;
}

void WriteCreatingFolders(const std::string& path, const std::string& bytes) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  WriteFileAtomically(path, bytes);
}

}  // namespace

bool InMemoryKeyStore::NoCase::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

bool InMemoryKeyStore::OpenKey(const std::string& path) {
  if (Refused.count(path)) return false;
  m_open = path;
  Values.try_emplace(path);
  return true;
}

void InMemoryKeyStore::WriteDefaultValue(const std::string& value) { Values[m_open] = value; }

void InMemoryKeyStore::CloseKey() { m_open.clear(); }

std::string OpenCommand(const std::string& programPath) { return "\"" + programPath + "\" \"%1\""; }

void RegisterFileType(KeyStore& store, const std::string& typeName, const std::string& description,
                      const std::string& programFolder, const std::string& programPath) {
  const auto write = [&store](const std::string& key, const std::string& value) {
    if (!store.OpenKey(key)) return;
    store.WriteDefaultValue(value);
    store.CloseKey();
  };
  for (const std::string& extension : kSubtitleExtensions) write(extension, typeName);
  write(typeName, description);
  write(typeName + "\\DefaultIcon", programFolder + "Data\\Icon.ico");
  write(typeName + "\\Shell\\Open\\Command", OpenCommand(programPath));
}

XdgFolders XdgFoldersFromEnvironment() {
  return {DefaultUnder("XDG_DATA_HOME", "/.local/share"), DefaultUnder("XDG_CONFIG_HOME", "/.config")};
}

std::string DesktopEntry(const std::string& programPath, const std::string& iconPath) {
  std::string types;
  for (const MimeTypeGlob& type : kSubtitleMimeTypes) types += std::string(type.Type) + ";";
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Quillmark\n"
         "GenericName=Subtitle Editor\n"
         "Comment=Edit and convert film subtitles\n"
         "Exec=" +
         EscapedDesktopString(QuotedExecArgument(programPath)) + " %f\n" +
         "Icon=" + EscapedDesktopString(iconPath) + "\n" +
         "Terminal=false\n"
         "Categories=AudioVideo;Video;\n"
         "MimeType=" +
         types + "\n";
}

std::string MimePackage() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  for (const MimeTypeGlob& type : kSubtitleMimeTypes) {
    xml += std::string("  <mime-type type=\"") + type.Type + "\">\n";
    if (!type.Standard)
      xml += std::string("    <comment>") + (type.Glob + 2) + " subtitles</comment>\n" +
             "    <sub-class-of type=\"text/plain\"/>\n";
    xml += std::string("    <glob pattern=\"") + type.Glob + "\"/>\n  </mime-type>\n";
  }
  return xml + "</mime-info>\n";
}

std::string MimeAppsList(const std::string& previous) {
  IniFile list = IniFile::Parse(previous);
  for (const MimeTypeGlob& type : kSubtitleMimeTypes) {
    // Ours first; whatever else was named stays behind it as a fallback.
    std::string value = std::string(kDesktopFileName) + ";";
    const std::string old = list.ReadString(kDefaultApplications, type.Type, "");
    size_t start = 0;
    while (start < old.size()) {
      const size_t end = std::min(old.find(';', start), old.size());
      const std::string entry = old.substr(start, end - start);
      if (!entry.empty() && entry != kDesktopFileName) value += entry + ";";
      start = end + 1;
    }
    list.WriteString(kDefaultApplications, type.Type, value);
  }
  return list.Serialize("\n");
}

DesktopRegistration RegisterDesktopFileTypes(const XdgFolders& folders, const std::string& programPath,
                                             const std::string& iconPath) {
  CheckDesktopPath(programPath);
  CheckDesktopPath(iconPath);
  DesktopRegistration done;
  done.DesktopFile = folders.DataHome + "/applications/" + kDesktopFileName;
  done.MimePackageFile = folders.DataHome + "/mime/packages/quillmark.xml";
  done.MimeAppsFile = folders.ConfigHome + "/mimeapps.list";
  WriteCreatingFolders(done.DesktopFile, DesktopEntry(programPath, iconPath));
  WriteCreatingFolders(done.MimePackageFile, MimePackage());
  std::string previous;
  if (FileExists(done.MimeAppsFile)) previous = ReadWholeFile(done.MimeAppsFile);
  WriteCreatingFolders(done.MimeAppsFile, MimeAppsList(previous));
  done.CacheCommands = {{"update-mime-database", folders.DataHome + "/mime"},
                        {"update-desktop-database", folders.DataHome + "/applications"}};
  return done;
}

}  // namespace qm
