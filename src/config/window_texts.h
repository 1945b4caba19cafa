#pragma once
// Which language-file key goes into which control of which window. The windows apply the
// texts by control name, so a table row is all a new caption needs; the tables keep the
// order in which the language file is read.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class IniFile;

enum class TextTarget : uint8_t {
  Caption,        // label, button, check box, group box or tab page text
  Hint,           // tooltip and status-bar text
  Item,           // item Index of a list control (combo box, radio group)
  WindowCaption,  // the window's title
  GridHeader,     // header of grid column Index
  StatusBarHint,  // the status bar's hint, followed by the web address
};

struct WindowTextKey {
  std::string_view Section;
  std::string_view Key;
  std::string_view Control;  // object name; empty for the window itself
  TextTarget Target;
  int Index = 0;
};

// The main window's sections, grid headers first.
std::span<const WindowTextKey> MainWindowTextKeys();
// TFormFrame, TFormFind, TFormSelectDir, TFormKonverze and TFormInfo by their object names;
// empty for any other window.
std::span<const WindowTextKey> SecondaryWindowTextKeys(std::string_view windowName);

// Section Count, then the keys "1" ... Count, each "LNG error!!" when missing. A count
// beyond kMaxNumberedLines is cut there, so a mistyped count cannot exhaust memory.
inline constexpr int kMaxNumberedLines = 1000;
std::vector<std::string> ReadNumberedLines(const IniFile& language, std::string_view section);

// "Author [Comment]": the hint of the language list.
std::string LanguageAuthorHint(const IniFile& language);

// Where each language's files are: the user's own language folder when it holds
// lng_<name>.ini, otherwise the program's Data folder.
class LanguageFiles {
 public:
  LanguageFiles() = default;
  LanguageFiles(std::string programFolder, std::string userFolder);
  // Names of the lng_*.ini files in the user folder, sorted; names that Windows-1250
  // cannot hold are left out.
  std::vector<std::string> UserLanguages() const;
  std::string IniPath(std::string_view languageName) const;
  std::string FlagPath(std::string_view languageName) const;

 private:
  std::string FolderFor(std::string_view languageName) const;
  std::string m_programFolder;  // ends with "/"
  std::string m_userFolder;     // ends with "/", or empty
};

}  // namespace qm
