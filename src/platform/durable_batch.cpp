#include "platform/durable_batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <set>
#include <system_error>
#include <thread>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_write_steps.h"

namespace qm {
namespace {

using namespace write_steps;

// Putting a replacement in place frees the old file's blocks, and that can wait on the device
// (ext4 without a journal discards them there and then, about a millisecond a file); spread
// over a few threads, those waits overlap.
constexpr size_t kRenameLanes = 4;

// 0 when the file at path reached the disk, else the errno of the failure.
int FlushByName(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);  // a file its owner may not read
  if (fd < 0) return errno;
  const int flushed = fsync(fd) == 0 ? 0 : errno;
  const int closed = close(fd) == 0 ? 0 : errno;
  return flushed ? flushed : closed;
}

// 0 when the whole file system holding folder reached the disk, else the errno.
int FlushFileSystemOf(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int flushed = syncfs(fd) == 0 ? 0 : errno;
  close(fd);
  return flushed;
}

}  // namespace

DurableWriteBatch::~DurableWriteBatch() {
  for (const Entry& entry : m_entries) {
    if (entry.Fd >= 0) close(entry.Fd);
    if (entry.What == Kind::Replacement) unlink(entry.Written.c_str());
  }
}

size_t DurableWriteBatch::Add(Entry entry) {
  m_entries.push_back(std::move(entry));
  return m_entries.size() - 1;
}

size_t DurableWriteBatch::AddInPlace(const std::string& requested, const std::string& target,
                                     std::string_view bytes, const struct stat& old) {
  Entry entry;
  entry.What = Kind::InPlace;
  entry.Requested = requested;
  entry.Target = entry.Written = target;
  entry.Bytes = bytes;
  const size_t number = Add(std::move(entry));
  m_pending[{old.st_dev, old.st_ino}] = number;
  return number;
}

void DurableWriteBatch::KeepOrClose(Entry& entry, int fd) {
  struct stat info {};
  if (fstat(fd, &info) == 0) entry.Device = info.st_dev;
  if (m_flushEach && m_openCount < kFlushEachLimit) {
    entry.Fd = fd;
    ++m_openCount;
    return;
  }
  if (m_flushEach) {
    // Too many to flush one by one: from here on the file system is flushed whole, so the
    // descriptors kept so far are not needed.
    m_flushEach = false;
    for (Entry& kept : m_entries) {
      if (kept.Fd < 0) continue;
      if (close(kept.Fd) != 0) kept.Error = errno;
      kept.Fd = -1;
    }
    m_openCount = 0;
  }
  if (close(fd) != 0) ThrowInOut(errno);
}

std::optional<DurableWriteBatch::Entry> DurableWriteBatch::WriteNew(const std::string& requested,
                                                                    const std::string& target,
                                                                    std::string_view bytes) {
  // O_EXCL: a file made under this name since it was looked at is not written over.
  const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST) return std::nullopt;
    ThrowInOut(errno);
  }
  Entry entry;
  entry.What = Kind::New;
  entry.Requested = requested;
  entry.Target = entry.Written = target;
  try {
    WriteAll(fd, bytes);
  } catch (...) {
    // The name held nothing before, and holds nothing again.
    close(fd);
    unlink(target.c_str());
    throw;
  }
  try {
    KeepOrClose(entry, fd);
  } catch (...) {
    unlink(target.c_str());
    throw;
  }
  return entry;
}

size_t DurableWriteBatch::Write(const std::string& requestedPath, std::string_view bytes) {
  if (requestedPath.empty()) ThrowInOut(ENOENT);
  const std::string path = ResolveLink(requestedPath);
  struct stat old {};
  const bool replacing = stat(path.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) ThrowInOut(EISDIR);
  // The same answer a direct write would get: a read-only file stays as it is.
  if (replacing && access(path.c_str(), W_OK) != 0) ThrowInOut(errno);
  if (replacing && !S_ISREG(old.st_mode)) {
    WriteToDevice(path, bytes);
    Entry done;
    done.Requested = requestedPath;
    done.Target = done.Written = path;
    return Add(std::move(done));
  }
  if (!replacing) {
    if (auto made = WriteNew(requestedPath, path, bytes)) return Add(std::move(*made));
    // The name is taken after all (a dangling link, or a file made meanwhile): replaced like
    // a new file, the way WriteFileAtomically does.
  }
  if (replacing && old.st_nlink > 1) return AddInPlace(requestedPath, path, bytes, old);
  TempFile temp(FolderOf(path), replacing ? 0600 : 0666);
  if (replacing && !TakeOverOwnerAndMode(temp.Fd(), old)) return AddInPlace(requestedPath, path, bytes, old);
  WriteAll(temp.Fd(), bytes);
  Entry entry;
  entry.What = Kind::Replacement;
  entry.Requested = requestedPath;
  entry.Target = path;
  entry.Written = temp.Path();
  entry.Lane = replacing ? static_cast<size_t>(old.st_ino ^ old.st_dev) : std::hash<std::string>{}(path);
  // From here the batch removes the temporary file if it is not put in place.
  const int fd = temp.HandOver();
  try {
    KeepOrClose(entry, fd);
  } catch (...) {
    unlink(entry.Written.c_str());
    throw;
  }
  const size_t number = Add(std::move(entry));
  if (replacing) m_pending[{old.st_dev, old.st_ino}] = number;
  return number;
}

std::optional<std::string> DurableWriteBatch::PendingContents(const std::string& path) const {
  if (m_pending.empty()) return std::nullopt;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  const auto found = m_pending.find({info.st_dev, info.st_ino});
  if (found == m_pending.end()) return std::nullopt;
  const Entry& entry = m_entries[found->second];
  return entry.What == Kind::InPlace ? entry.Bytes : ReadWholeFile(entry.Written);
}

void DurableWriteBatch::Flush(CommitReport& report) {
  std::map<dev_t, std::string> fileSystems;  // a folder on each file system to flush whole
  for (Entry& entry : m_entries) {
    if ((entry.What != Kind::New && entry.What != Kind::Replacement) || entry.Error) continue;
    if (entry.Fd < 0) {
      fileSystems.emplace(entry.Device, FolderOf(entry.Written));
      continue;
    }
    ++report.FileFlushes;
    if (fsync(entry.Fd) != 0) entry.Error = errno;
    if (close(entry.Fd) != 0 && !entry.Error) entry.Error = errno;
    entry.Fd = -1;
  }
  for (const auto& [device, folder] : fileSystems) {
    ++report.FileSystemFlushes;
    if (FlushFileSystemOf(folder) == 0) continue;
    // Which file failed is not known: each one on that file system is flushed by itself.
    for (Entry& entry : m_entries) {
      if ((entry.What != Kind::New && entry.What != Kind::Replacement) || entry.Error ||
          entry.Device != device)
        continue;
      ++report.FileFlushes;
      entry.Error = FlushByName(entry.Written);
    }
  }
}

void DurableWriteBatch::PutReplacementsInPlace() {
  // The writes of one file share a lane, so that they are put in place in the order written.
  std::vector<std::vector<Entry*>> lanes(kRenameLanes);
  size_t count = 0;
  for (Entry& entry : m_entries) {
    if (entry.What != Kind::Replacement || entry.Error) continue;
    lanes[entry.Lane % kRenameLanes].push_back(&entry);
    ++count;
  }
  const auto putInPlace = [](const std::vector<Entry*>& lane) {
    for (Entry* entry : lane) {
      if (rename(entry->Written.c_str(), entry->Target.c_str()) != 0) {
        entry->Error = errno;
        unlink(entry->Written.c_str());
      }
      entry->What = Kind::Done;  // the temporary file is gone either way
    }
  };
  const bool spread = count > kFlushEachLimit;
  std::vector<std::thread> helpers;
  for (size_t i = 1; i < lanes.size(); ++i) {
    if (spread) {
      try {
        helpers.emplace_back(putInPlace, std::cref(lanes[i]));
        continue;
      } catch (const std::system_error&) {
        // No thread to be had: the lane goes in this one.
      }
    }
    putInPlace(lanes[i]);
  }
  putInPlace(lanes[0]);
  for (std::thread& helper : helpers) helper.join();
}

DurableWriteBatch::CommitReport DurableWriteBatch::Commit() {
  CommitReport report;
  Flush(report);
  std::set<std::string> folders;
  for (const Entry& entry : m_entries)
    if (entry.What == Kind::New || entry.What == Kind::Replacement) folders.insert(FolderOf(entry.Target));
  PutReplacementsInPlace();
  for (size_t i = 0; i < m_entries.size(); ++i) {
    Entry& entry = m_entries[i];
    std::string message;
    if (entry.Error) {
      message = InOutMessage(entry.Error);
      // Not on disk as written: a new file is taken away rather than left broken.
      if (entry.What == Kind::New || entry.What == Kind::Replacement) unlink(entry.Written.c_str());
      if (entry.What == Kind::Replacement) entry.What = Kind::Done;
    } else if (entry.What == Kind::InPlace) {
      ++report.FileFlushes;
      try {
        RewriteInPlace(entry.Target, entry.Bytes);
      } catch (const QuillmarkError& error) {
        message = error.what();
      }
    }
    if (!message.empty()) report.Failures.push_back({i, entry.Requested, message});
  }
  for (const std::string& folder : folders) {
    SyncFolder(folder);
    ++report.FolderFlushes;
    RemoveStaleTemporaryFiles(folder);
  }
  m_entries.clear();
  m_pending.clear();
  m_openCount = 0;
  m_flushEach = true;
  return report;
}

}  // namespace qm
