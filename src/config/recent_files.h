#pragma once
// The files the editor opened last, newest first: one path a line in a file of the user's
// state folder ($XDG_STATE_HOME/quillmark/recent), apart from the settings file, whose
// layout is fixed.

#include <string>
#include <vector>

namespace qm {

inline constexpr size_t kMaxRecentFiles = 10;

class RecentFiles {
 public:
  // Reads the list kept in `file`; an empty name keeps the list for this run only.
  explicit RecentFiles(std::string file = {});
  const std::vector<std::string>& Files() const { return m_files; }
  // To the front; a path listed already moves there, the eleventh falls off.
  void Add(const std::string& path);
  void Remove(const std::string& path);

 private:
  void Save() const;

  std::string m_file;
  std::vector<std::string> m_files;
};

}  // namespace qm
