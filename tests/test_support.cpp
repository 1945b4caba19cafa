#include "test_support.h"

#include <dirent.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qm::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qmtest.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::File(const std::string& name) const { return m_path + "/" + name; }

std::string TempDir::Write(const std::string& name, std::string_view contents) const {
  const std::string path = File(name);
  std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

int CountEntries(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

std::optional<int> RunUnprivileged(const std::function<int()>& body) {
  constexpr int kCannotDrop = 125, kThrew = 126;
  const pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
      _exit(kCannotDrop);
    if (geteuid() == 0) _exit(kCannotDrop);
    try {
      _exit(body());
    } catch (...) {
      _exit(kThrew);
    }
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == kCannotDrop)
    return std::nullopt;
  return WEXITSTATUS(status);
}

std::string TestData(const std::string& relative) { return std::string(QM_TEST_DATA) + "/" + relative; }

}  // namespace qm::test
