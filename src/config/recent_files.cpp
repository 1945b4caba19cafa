#include "config/recent_files.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_io.h"

namespace qm {

RecentFiles::RecentFiles(std::string file) : m_file(std::move(file)) {
  if (m_file.empty() || !FileExists(m_file)) return;
  std::string text;
  try {
    text = ReadWholeFile(m_file);
  } catch (const std::exception&) {
    return;  // an unreadable list is an empty one
  }
  size_t begin = 0;
  while (begin < text.size() && m_files.size() < kMaxRecentFiles) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && std::find(m_files.begin(), m_files.end(), line) == m_files.end())
      m_files.push_back(std::move(line));
    begin = end + 1;
  }
}

void RecentFiles::Add(const std::string& path) {
  // A name with a line break cannot stand on a line of its own.
  if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return;
  std::erase(m_files, path);
  m_files.insert(m_files.begin(), path);
  if (m_files.size() > kMaxRecentFiles) m_files.resize(kMaxRecentFiles);
  Save();
}

void RecentFiles::Remove(const std::string& path) {
  if (std::erase(m_files, path) > 0) Save();
}

void RecentFiles::Save() const {
  if (m_file.empty()) return;
  std::string text;
  for (const std::string& path : m_files) text += path + "\n";
  // The list is a convenience: a state folder that cannot be written costs only the list,
  // never the user's work, so it is not worth a message on every open.
  try {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_file).parent_path(), error);
    WriteFileAtomically(m_file, text);
  } catch (const std::exception&) {
  }
}

}  // namespace qm
