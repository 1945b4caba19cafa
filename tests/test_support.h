#pragma once
// Helpers shared by the core tests: a fresh temporary folder per test and file helpers.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qm::test {

// Creates a new empty folder under the system temp folder; removed with its contents when
// the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return m_path; }
  // Path + "/" + name, with the file written when contents are given.
  std::string File(const std::string& name) const;
  std::string Write(const std::string& name, std::string_view contents) const;

 private:
  std::string m_path;
};

std::string ReadFile(const std::string& path);
// Number of entries in a folder (to prove that no temporary file stayed behind).
int CountEntries(const std::string& folder);
std::string TestData(const std::string& relative);  // tests/data/<relative>

// The user the permission tests run as when the tests run as root.
inline constexpr unsigned kNobody = 65534;
// Runs `body` in a child process without privileges: as kNobody (no supplementary groups)
// when this process is root, as itself otherwise. Returns what body returned, or nothing
// when the privileges cannot be dropped; the caller then skips with a message.
std::optional<int> RunUnprivileged(const std::function<int()>& body);

}  // namespace qm::test
