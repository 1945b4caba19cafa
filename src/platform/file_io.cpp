#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "platform/errors.h"
#include "platform/file_write_steps.h"

namespace qm {
namespace {

constexpr std::string_view kTempPrefix = ".qm-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr size_t kTempRandomLength = 6;
constexpr time_t kStaleTempAge = 24 * 60 * 60;

using write_steps::Descriptor;
using write_steps::TempFile;

// --- Reading ---------------------------------------------------------------------------

class ReadableFile {
 public:
  explicit ReadableFile(const std::string& path) : m_file(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (m_file.Fd() < 0) ThrowInOut(errno);
    if (fstat(m_file.Fd(), &m_info) != 0) ThrowInOut(errno);
    if (S_ISDIR(m_info.st_mode)) ThrowInOut(EISDIR);
    if (S_ISREG(m_info.st_mode) && static_cast<uint64_t>(m_info.st_size) > kMaxReadFileSize) ThrowTooLarge();
  }

  size_t SizeHint() const { return m_info.st_size > 0 ? static_cast<size_t>(m_info.st_size) : 0; }

  // Hands chunks to consume until it returns true or the file ends; true when it stopped.
  // A pipe or a file that grows while it is read meets the same limit as a large file.
  template <class Consume>
  bool ReadChunks(Consume&& consume) {
    char buffer[65536];
    uint64_t total = 0;
    for (;;) {
      const ssize_t got = read(m_file.Fd(), buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        ThrowInOut(errno);
      }
      if (got == 0) return false;
      total += static_cast<uint64_t>(got);
      if (total > kMaxReadFileSize) ThrowTooLarge();
      if (consume(std::string_view(buffer, static_cast<size_t>(got)))) return true;
    }
  }

 private:
  Descriptor m_file;
  struct stat m_info {};
};

// Writes the temporary file and renames it over the target; false (nothing changed) when
// the old file's owner cannot be given to the new one.
bool ReplaceByRename(const std::string& path, const std::string& folder, std::string_view bytes,
                     const struct stat* old) {
  TempFile temp(folder, old ? 0600 : 0666);
  if (old && !write_steps::TakeOverOwnerAndMode(temp.Fd(), *old)) return false;
  write_steps::WriteAll(temp.Fd(), bytes);
  if (fsync(temp.Fd()) != 0) ThrowInOut(errno);
  temp.CloseChecked();
  if (rename(temp.Path().c_str(), path.c_str()) != 0) ThrowInOut(errno);
  temp.Commit();
  write_steps::SyncFolder(folder);
  return true;
}

}  // namespace

// --- The steps of a save ---------------------------------------------------------------

namespace write_steps {

Descriptor::~Descriptor() {
  if (m_fd >= 0) close(m_fd);
}

void Descriptor::CloseChecked() {
  const int fd = std::exchange(m_fd, -1);
  if (close(fd) != 0) ThrowInOut(errno);
}

TempFile::TempFile(const std::string& folder, mode_t mode) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char random[kTempRandomLength];
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) ThrowInOut(errno);
    std::string name(kTempPrefix);
    for (unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
    m_path = folder + "/" + name + std::string(kTempSuffix);
    // The mode given here passes through the umask, as for any new file.
    m_fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (m_fd >= 0) return;
    if (errno != EEXIST) ThrowInOut(errno);
  }
  ThrowInOut(EEXIST);
}

TempFile::~TempFile() {
  if (m_fd >= 0) close(m_fd);
  if (!m_committed) unlink(m_path.c_str());
}

int TempFile::HandOver() {
  m_committed = true;
  return std::exchange(m_fd, -1);
}

void TempFile::CloseChecked() {
  const int fd = std::exchange(m_fd, -1);
  if (close(fd) != 0) ThrowInOut(errno);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ResolveLink(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string target = resolved;
  std::free(resolved);
  return target;
}

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

// Renaming a file over a device or pipe (/dev/null, /dev/stdout, a FIFO) would replace the
// device node itself.
void WriteToDevice(const std::string& path, std::string_view bytes) {
  Descriptor file(open(path.c_str(), O_WRONLY | O_CLOEXEC));
  if (file.Fd() < 0) ThrowInOut(errno);
  WriteAll(file.Fd(), bytes);
  file.CloseChecked();
}

// For when replacing the file would split its hard links or give it another owner. The space
// is reserved before the first byte changes, so that a full disk or a file-size limit fails
// while the old contents are still whole.
void RewriteInPlace(const std::string& path, std::string_view bytes) {
  Descriptor file(open(path.c_str(), O_WRONLY | O_CLOEXEC));
  if (file.Fd() < 0) ThrowInOut(errno);
  if (!bytes.empty()) {
    const int reserved = posix_fallocate(file.Fd(), 0, static_cast<off_t>(bytes.size()));
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) ThrowInOut(reserved);
  }
  WriteAll(file.Fd(), bytes);
  if (ftruncate(file.Fd(), static_cast<off_t>(bytes.size())) != 0) ThrowInOut(errno);
  if (fsync(file.Fd()) != 0) ThrowInOut(errno);
  file.CloseChecked();
}

// Owner first: a change of owner clears the set-user-ID bits.
bool TakeOverOwnerAndMode(int fd, const struct stat& old) {
  struct stat now {};
  if (fstat(fd, &now) != 0) ThrowInOut(errno);
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && fchown(fd, old.st_uid, old.st_gid) != 0)
    return false;
  if (fchmod(fd, old.st_mode & 07777) != 0) ThrowInOut(errno);
  return true;
}

bool SyncFolder(const std::string& folder) {
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return false;
  const bool synced = fsync(dir) == 0;
  close(dir);
  return synced;
}

// Fresh ones may belong to a save that is running right now, and anything else is not ours
// to touch.
void RemoveStaleTemporaryFiles(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(dir)) {
    if (!IsTemporaryFileName(entry->d_name)) continue;
    struct stat info {};
    if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(info.st_mode) && now - info.st_mtime > kStaleTempAge) unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

}  // namespace write_steps

// --- Public entry points ---------------------------------------------------------------

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

void WriteFileAtomically(const std::string& requestedPath, std::string_view bytes) {
  if (requestedPath.empty()) ThrowInOut(ENOENT);
  const std::string path = write_steps::ResolveLink(requestedPath);
  const std::string folder = write_steps::FolderOf(path);
  struct stat old {};
  const bool replacing = stat(path.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) ThrowInOut(EISDIR);
  // The same answer a direct write would get: a read-only file stays as it is.
  if (replacing && access(path.c_str(), W_OK) != 0) ThrowInOut(errno);
  if (replacing && !S_ISREG(old.st_mode)) return write_steps::WriteToDevice(path, bytes);
  if (replacing && old.st_nlink > 1) {
    write_steps::RewriteInPlace(path, bytes);
  } else if (!ReplaceByRename(path, folder, bytes, replacing ? &old : nullptr)) {
    write_steps::RewriteInPlace(path, bytes);
  }
  write_steps::RemoveStaleTemporaryFiles(folder);
}

bool IsTemporaryFileName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + kTempRandomLength + kTempSuffix.size()) return false;
  if (name.substr(0, kTempPrefix.size()) != kTempPrefix ||
      name.substr(name.size() - kTempSuffix.size()) != kTempSuffix)
    return false;
  for (char c : name.substr(kTempPrefix.size(), kTempRandomLength))
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
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
