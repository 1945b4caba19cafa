#pragma once
// A file's bytes for reading: a regular file is mapped into memory, so that only the parts
// that are read take memory, and those can be given back; anything else (a pipe, a device)
// is read whole. Bytes already in memory can stand in for a file.

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

class FileBytes {
 public:
  FileBytes() = default;
  // Fails like ReadWholeFile: the platform-style message, or the size limit's.
  static FileBytes Read(const std::string& path);
  static FileBytes Own(std::string bytes);

  FileBytes(FileBytes&& other) noexcept;
  FileBytes& operator=(FileBytes&& other) noexcept;
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;
  ~FileBytes();

  std::string_view View() const { return {m_data, m_size}; }
  bool Mapped() const { return m_mapping != nullptr; }
  // The bytes from `from` to `upTo` are not needed for now: a mapped file of more than a few
  // megabytes gives the memory of the whole pages among them back. Reading them again still
  // works, from the file.
  void Forget(size_t from, size_t upTo);

 private:
  void Unmap();

  const char* m_data = nullptr;
  size_t m_size = 0;
  void* m_mapping = nullptr;  // the mapped file, or nullptr when the bytes are m_owned
  std::string m_owned;
};

}  // namespace qm
