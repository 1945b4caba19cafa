#pragma once
// INI files with the platform's private-profile rules: sections and keys match without
// regard to case, missing keys give the caller's default, and the file is written back with
// its other lines (comments included) in place. The files are Windows-1250; names and values
// go in and out as UTF-8, and a character the code page cannot hold is saved as "?".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class IniFile {
 public:
  IniFile() = default;
  static IniFile Parse(std::string_view bytes);
  // A missing or unreadable file is an empty INI, as the private-profile functions see it.
  static IniFile Load(const std::string& path);

  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // Decimal, "$" or "0x" hexadecimal; the default on anything else.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
  // An integer: 0 is false, any other number true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  bool HasKey(std::string_view section, std::string_view key) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The file's Windows-1250 bytes: CR LF line ends unless told otherwise, one blank line
  // between sections.
  std::string Serialize(std::string_view lineEnd = "\r\n") const;
  // Atomic: a failed save leaves the previous file as it was.
  void Save(const std::string& path) const;

 private:
  std::string SerializeText(std::string_view lineEnd) const;

  struct Line {
    std::string key;  // empty for comments and lines without "="
    std::string value;
    std::string raw;  // kept for lines that are not key=value
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };
  const Line* Find(std::string_view section, std::string_view key) const;
  Section* FindSection(std::string_view section);

  std::vector<std::string> m_preamble;  // lines before the first section
  std::vector<Section> m_sections;
};

// Case-insensitive for ASCII and the Windows-1250 letters (UTF-8 texts).
bool EqualsIgnoringCase1250(std::string_view a, std::string_view b);

}  // namespace qm
