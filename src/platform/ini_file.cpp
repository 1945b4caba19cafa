#include "platform/ini_file.h"

#include <array>

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/numbers.h"
#include "platform/utf8.h"

namespace qm {
namespace {

// Windows-1250 capital -> small letter; everything else maps to itself.
const std::array<unsigned char, 256>& LowerTable() {
  static const auto table = [] {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
    for (int c : {0x8A, 0x8C, 0x8D, 0x8E, 0x8F}) t[c] = static_cast<unsigned char>(c + 0x10);
    for (int c = 0xC0; c <= 0xDE; ++c)
      if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 0x20);
    t[0xA3] = 0xB3;  // Ł
    t[0xA5] = 0xB9;  // Ą
    t[0xAA] = 0xBA;  // Ş
    t[0xAF] = 0xBF;  // Ż
    t[0xBC] = 0xBE;  // Ľ
    return t;
  }();
  return table;
}

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The private-profile reader drops one pair of enclosing quotes.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

// The small letter of a Windows-1250 capital; any other character as it is.
char32_t LowerCase1250(char32_t c) {
  const auto byte = UnicodeToCp1250(c);
  return byte ? Cp1250ToUnicode(LowerTable()[*byte]) : c;
}

bool EqualsIgnoringCase1250(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size())
    if (LowerCase1250(NextCodePoint(a, i)) != LowerCase1250(NextCodePoint(b, j))) return false;
  return i == a.size() && j == b.size();
}

IniFile IniFile::Parse(std::string_view fileBytes) {
  IniFile ini;
  // The file is Windows-1250; inside, as everywhere, text is UTF-8.
  const std::string decoded = Cp1250ToUtf8(fileBytes);
  std::string_view bytes = decoded;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view line = Trim(raw);
    if (!line.empty() && line.front() == '[') {
      const size_t close = line.find(']');
      ini.m_sections.push_back(
          {std::string(Trim(line.substr(1, close == line.npos ? line.npos : close - 1))), {}});
      continue;
    }
    Line entry;
    const size_t equals = line.find('=');
    // A line without a key ("=x") is kept as it stands, like a comment.
    if (equals != std::string_view::npos && line.front() != ';' && !Trim(line.substr(0, equals)).empty()) {
      entry.key = std::string(Trim(line.substr(0, equals)));
      entry.value = std::string(Trim(line.substr(equals + 1)));
    } else {
      entry.raw = std::string(raw);
    }
    if (ini.m_sections.empty()) {
      ini.m_preamble.emplace_back(raw);
    } else {
      ini.m_sections.back().lines.push_back(std::move(entry));
    }
  }
  // Blank lines are layout, rewritten by Serialize.
  for (auto& section : ini.m_sections)
    while (!section.lines.empty() && section.lines.back().key.empty() &&
           Trim(section.lines.back().raw).empty())
      section.lines.pop_back();
  while (!ini.m_preamble.empty() && Trim(ini.m_preamble.back()).empty()) ini.m_preamble.pop_back();
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  try {
    return Parse(ReadWholeFile(path));
  } catch (const QuillmarkError&) {
    return IniFile{};
  }
}

const IniFile::Line* IniFile::Find(std::string_view section, std::string_view key) const {
  for (const auto& s : m_sections) {
    if (!EqualsIgnoringCase1250(s.name, section)) continue;
    for (const auto& line : s.lines)
      if (!line.key.empty() && EqualsIgnoringCase1250(line.key, key)) return &line;
    return nullptr;  // the first section of that name is the one that counts
  }
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view section) {
  for (auto& s : m_sections)
    if (EqualsIgnoringCase1250(s.name, section)) return &s;
  return nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  const Line* line = Find(section, key);
  return std::string(line ? Unquote(line->value) : fallback);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
  const Line* line = Find(section, key);
  if (!line) return fallback;
  return TryStrToInt(Unquote(line->value)).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = FindSection(section);
  if (!s) {
    m_sections.push_back({std::string(section), {}});
    s = &m_sections.back();
  }
  for (auto& line : s->lines)
    if (!line.key.empty() && EqualsIgnoringCase1250(line.key, key)) {
      line.value = std::string(value);
      return;
    }
  s->lines.push_back({std::string(key), std::string(value), {}});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Serialize(std::string_view lineEnd) const {
  return Utf8ToCp1250(SerializeText(lineEnd));
}

std::string IniFile::SerializeText(std::string_view lineEnd) const {
  const std::string end(lineEnd);
  std::string out;
  for (const auto& raw : m_preamble) out += raw + end;
  if (!m_preamble.empty() && !m_sections.empty()) out += end;
  for (size_t i = 0; i < m_sections.size(); ++i) {
    if (i > 0) out += end;
    out += "[" + m_sections[i].name + "]" + end;
    for (const auto& line : m_sections[i].lines)
      out += (line.key.empty() ? line.raw : line.key + "=" + line.value) + end;
  }
  return out;
}

void IniFile::Save(const std::string& path) const { WriteFileAtomically(path, Serialize()); }

}  // namespace qm
