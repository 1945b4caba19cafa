#include "platform/file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/errors.h"
#include "platform/file_io.h"

namespace qm {
namespace {

// Smaller files are simply read: mapping them saves nothing worth a mapping's cost.
constexpr off_t kMapFrom = off_t{1} << 20;

}  // namespace

FileBytes FileBytes::Read(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowInOut(errno);
  struct stat info {};
  const bool known = fstat(fd, &info) == 0;
  if (!known || !S_ISREG(info.st_mode) || info.st_size < kMapFrom) {
    close(fd);
    return Own(ReadWholeFile(path));
  }
  if (static_cast<uint64_t>(info.st_size) > kMaxReadFileSize) {
    close(fd);
    ThrowTooLarge();
  }
  void* mapping = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (mapping == MAP_FAILED) return Own(ReadWholeFile(path));
  FileBytes bytes;
  bytes.m_mapping = mapping;
  bytes.m_data = static_cast<const char*>(mapping);
  bytes.m_size = static_cast<size_t>(info.st_size);
  madvise(mapping, bytes.m_size, MADV_SEQUENTIAL);
  return bytes;
}

FileBytes FileBytes::Own(std::string bytes) {
  FileBytes owned;
  owned.m_owned = std::move(bytes);
  owned.m_data = owned.m_owned.data();
  owned.m_size = owned.m_owned.size();
  return owned;
}

FileBytes::FileBytes(FileBytes&& other) noexcept { *this = std::move(other); }

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
  if (this == &other) return *this;
  Unmap();
  m_mapping = std::exchange(other.m_mapping, nullptr);
  m_size = std::exchange(other.m_size, 0);
  const bool owned = !m_mapping;
  m_owned = std::move(other.m_owned);
  m_data = owned ? m_owned.data() : std::exchange(other.m_data, nullptr);
  other.m_data = nullptr;
  return *this;
}

FileBytes::~FileBytes() { Unmap(); }

void FileBytes::Unmap() {
  if (m_mapping) munmap(m_mapping, m_size);
  m_mapping = nullptr;
}

void FileBytes::Forget(size_t from, size_t upTo) {
  // A file of a few megabytes stays mapped whole while it is read: giving its pages back
  // and taking them again costs more than the memory they hold.
  constexpr size_t kKeptWhole = size_t{4} << 20;
  if (!m_mapping || m_size <= kKeptWhole) return;
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const size_t start = (from + page - 1) / page * page;
  const size_t end = std::min(upTo, m_size) / page * page;
  if (end > start) madvise(static_cast<char*>(m_mapping) + start, end - start, MADV_DONTNEED);
}

}  // namespace qm
