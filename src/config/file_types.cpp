#include "config/file_types.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

#include "formats/catalogue.h"
#include "platform/errors.h"
#include "platform/file_io.h"

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

namespace {

// One line of mimeapps.list with its own line end, so that lines we do not own go back
// byte for byte.
struct ListLine {
  std::string_view Text, End;
};

std::vector<ListLine> SplitLines(std::string_view bytes) {
  std::vector<ListLine> lines;
  while (!bytes.empty()) {
    const size_t lf = bytes.find('\n');
    std::string_view text = bytes.substr(0, lf);
    size_t endLength = lf == std::string_view::npos ? 0 : 1;
    if (endLength == 1 && !text.empty() && text.back() == '\r') text.remove_suffix(1), endLength = 2;
    lines.push_back({text, bytes.substr(text.size(), endLength)});
    bytes.remove_prefix(std::min(bytes.size(), text.size() + endLength));
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<std::string_view> GroupName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return line.substr(1, line.size() - 2);
}

// The subtitle type a key line of ours names, or -1.
int OurTypeOf(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return -1;
  const std::string_view key = TrimBlanks(line.substr(0, equals));
  for (size_t i = 0; i < kSubtitleMimeTypes.size(); ++i)
    if (key == kSubtitleMimeTypes[i].Type) return static_cast<int>(i);
  return -1;
}

// Ours first; whatever else was named stays behind it as a fallback.
std::string OurValue(std::string_view old) {
  std::string value = std::string(kDesktopFileName) + ";";
  size_t start = 0;
  while (start < old.size()) {
    const size_t end = std::min(old.find(';', start), old.size());
    const std::string_view entry = TrimBlanks(old.substr(start, end - start));
    if (!entry.empty() && entry != kDesktopFileName) value.append(entry).append(";");
    start = end + 1;
  }
  return value;
}

}  // namespace

std::string MimeAppsList(const std::string& previous) {
  const std::vector<ListLine> lines = SplitLines(previous);
  const std::string_view newline = !lines.empty() && lines.front().End == "\r\n" ? "\r\n" : "\n";
  // Where each of our keys stands (in any Default Applications group) and what it held.
  std::vector<int> typeOfLine(lines.size(), -1);
  std::vector<std::optional<std::string_view>> oldValues(kSubtitleMimeTypes.size());
  std::optional<size_t> groupEnd;  // after the last non-blank line of the first such group
  bool inGroup = false, inFirstGroup = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = GroupName(lines[i].Text)) {
      inGroup = *name == kDefaultApplications;
      inFirstGroup = inGroup && !groupEnd;
      if (inFirstGroup) groupEnd = i + 1;
      continue;
    }
    if (inFirstGroup && !TrimBlanks(lines[i].Text).empty()) groupEnd = i + 1;
    if (!inGroup) continue;
    const int type = OurTypeOf(lines[i].Text);
    if (type < 0) continue;
    typeOfLine[i] = type;
    auto& old = oldValues[static_cast<size_t>(type)];
    if (!old) old = TrimBlanks(lines[i].Text.substr(lines[i].Text.find('=') + 1));
  }
  const auto ourLine = [&](size_t type) {
    return std::string(kSubtitleMimeTypes[type].Type) + "=" + OurValue(oldValues[type].value_or(""));
  };
  std::string missing;
  for (size_t type = 0; type < kSubtitleMimeTypes.size(); ++type)
    if (!oldValues[type]) missing.append(ourLine(type)).append(newline);

  std::string out;
  const auto endOfLine = [&](size_t i) {
    // A last line without a line end gets one when something follows it.
    return lines[i].End.empty() &&
                   (i + 1 < lines.size() || (groupEnd && *groupEnd == i + 1 && !missing.empty()))
               ? newline
               : lines[i].End;
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    out += typeOfLine[i] < 0 ? std::string(lines[i].Text) : ourLine(static_cast<size_t>(typeOfLine[i]));
    out += endOfLine(i);
    if (groupEnd && *groupEnd == i + 1) out += missing;
  }
  if (!groupEnd) {
    if (!out.empty() && out.back() != '\n') out += newline;
    if (!out.empty()) out += newline;
    out.append("[").append(kDefaultApplications).append("]").append(newline).append(missing);
  }
  return out;
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
