#pragma once
// The steps a save is made of, shared by the single save (file_io.cpp) and the batch of
// saves (durable_batch.cpp), so that both follow the same rules for temporary files, owners,
// hard links and devices. Not for use outside platform/.

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <string_view>

namespace qm::write_steps {

// Closes the descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor();
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Fd() const { return m_fd; }
  void CloseChecked();

 private:
  int m_fd;
};

// The temporary file beside the target (".qm-" + six letters or digits + ".tmp"), removed
// unless committed. Its name has a fixed length, so that a target name of the longest length
// the folder takes still saves.
class TempFile {
 public:
  TempFile(const std::string& folder, mode_t mode);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int Fd() const { return m_fd; }
  const std::string& Path() const { return m_path; }
  void CloseChecked();
  // The file is no longer ours to remove (renamed).
  void Commit() { m_committed = true; }
  // The open descriptor and the file go to the caller, which closes and removes them.
  int HandOver();

 private:
  std::string m_path;
  int m_fd = -1;
  bool m_committed = false;
};

std::string FolderOf(const std::string& path);
// A link is followed, so that the file it points to is replaced and the link stays a link;
// a dangling link is returned as it is (the link itself is then replaced).
std::string ResolveLink(const std::string& path);

void WriteAll(int fd, std::string_view bytes);
// Devices and pipes are written as they are.
void WriteToDevice(const std::string& path, std::string_view bytes);
// The same file rewritten (space reserved first) and flushed to disk.
void RewriteInPlace(const std::string& path, std::string_view bytes);
// Gives fd the old file's owner, group and mode; false when the owner or group cannot be kept.
bool TakeOverOwnerAndMode(int fd, const struct stat& old);
// Flushes a folder's entries (renames, new names) to disk; a failure is not reported, as it
// cannot undo what the entries already say. True when the flush succeeded.
bool SyncFolder(const std::string& folder);
// Temporary files of ours left in folder by a killed run more than a day ago.
void RemoveStaleTemporaryFiles(const std::string& folder);

}  // namespace qm::write_steps
