#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/errors.h"

namespace qm {
namespace {

// Closes the descriptor and, unless released, removes the temporary file.
class TempFile {
 public:
  explicit TempFile(std::string pattern) : m_path(std::move(pattern)) {
    m_fd = mkstemp(m_path.data());
    if (m_fd < 0) ThrowInOut(errno);
  }
  ~TempFile() {
    if (m_fd >= 0) close(m_fd);
    if (!m_committed) unlink(m_path.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int Fd() const { return m_fd; }
  const std::string& Path() const { return m_path; }
  void CloseChecked() {
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0) ThrowInOut(errno);
  }
  void Commit() { m_committed = true; }

 private:
  std::string m_path;
  int m_fd = -1;
  bool m_committed = false;
};

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowInOut(errno);
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

namespace {

// Closes the descriptor on every way out.
class ReadableFile {
 public:
  explicit ReadableFile(const std::string& path) : m_fd(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (m_fd < 0) ThrowInOut(errno);
    if (fstat(m_fd, &m_info) == 0 && S_ISDIR(m_info.st_mode)) {
      close(m_fd);
      ThrowInOut(EISDIR);
    }
  }
  ~ReadableFile() { close(m_fd); }
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  size_t SizeHint() const { return m_info.st_size > 0 ? static_cast<size_t>(m_info.st_size) : 0; }

  // Hands chunks to consume until it returns true or the file ends; true when it stopped.
  template <class Consume>
  bool ReadChunks(Consume&& consume) {
    char buffer[65536];
    for (;;) {
      const ssize_t got = read(m_fd, buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        ThrowInOut(errno);
      }
      if (got == 0) return false;
      if (consume(std::string_view(buffer, static_cast<size_t>(got)))) return true;
    }
  }

 private:
  int m_fd;
  struct stat m_info {};
};

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  ReadableFile file(path);
  std::string bytes;
  bytes.reserve(file.SizeHint());
  file.ReadChunks([&](std::string_view chunk) {
    bytes.append(chunk);
    return false;
  });
  return bytes;
}

bool ReadFileInChunks(const std::string& path, const std::function<bool(std::string_view)>& consume) {
  ReadableFile file(path);
  return file.ReadChunks(consume);
}

namespace {

// Devices and pipes (/dev/null, /dev/stdout, a FIFO) are written in place: renaming a file
// over one would replace the device node itself.
void WriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) ThrowInOut(errno);
  try {
    WriteAll(fd, bytes);
  } catch (...) {
    close(fd);
    throw;
  }
  if (close(fd) != 0) ThrowInOut(errno);
}

// A link is followed, so that the file it points to is replaced and the link stays a link.
std::string ResolveLink(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;  // a dangling link: the link itself is replaced
  std::string target = resolved;
  std::free(resolved);
  return target;
}

}  // namespace

void WriteFileAtomically(const std::string& requestedPath, std::string_view bytes) {
  if (requestedPath.empty()) ThrowInOut(ENOENT);
  const std::string path = ResolveLink(requestedPath);
  struct stat old {};
  const bool replacing = stat(path.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) ThrowInOut(EISDIR);
  if (replacing && !S_ISREG(old.st_mode)) return WriteInPlace(path, bytes);

  TempFile temp(FolderOf(path) + "/." + BaseNameOf(path) + ".XXXXXX");
  // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
  mode_t mode = old.st_mode & 07777;
  if (!replacing) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(temp.Fd(), mode) != 0) ThrowInOut(errno);
  WriteAll(temp.Fd(), bytes);
  if (fsync(temp.Fd()) != 0) ThrowInOut(errno);
  temp.CloseChecked();
  if (rename(temp.Path().c_str(), path.c_str()) != 0) ThrowInOut(errno);
  temp.Commit();
  // Make the rename itself durable; a failure here cannot undo it, so it is not reported.
  const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace qm
