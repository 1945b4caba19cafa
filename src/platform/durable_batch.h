#pragma once
// Many saves that wait on the disk together, where WriteFileAtomically waits twice for
// every file (the file, then its folder). The batch conversion saves through it.
//
// When Commit returns, every file it did not report as failed is on disk. No file that
// existed before is ever lost or half-written, even after a crash:
// - a file that did not exist is written under its own name at once; a crash before Commit
//   may leave it empty or partial, but it held nothing before;
// - a file that exists gets its new contents in a temporary file beside it, under the rules
//   of WriteFileAtomically (write permission asked, owner, group and mode kept, links
//   followed). The temporary file takes the old file's place only in Commit, once it is on
//   disk. A crash before then leaves the old file as it was, and the temporary file behind
//   for a later save in that folder to remove once it is a day old;
// - a file with more than one hard link, or whose owner cannot be kept, is rewritten in place
//   in Commit (its bytes wait in memory until then); devices and pipes are written at once.
// Commit flushes the files written (each by itself when there are few, else the whole file
// system once), then renames the temporary files (those of one file in the order written),
// then rewrites the in-place files, then flushes each folder touched, once.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm {

class DurableWriteBatch {
 public:
  // Up to this many files are each flushed by itself; beyond it, their file system at once.
  static constexpr size_t kFlushEachLimit = 16;

  struct Failure {
    size_t Write;         // the number Write returned
    std::string Path;     // as given to Write
    std::string Message;  // the platform-style message ("Disk full", ...)
  };
  struct CommitReport {
    std::vector<Failure> Failures;
    // The waits on the disk: files flushed by themselves (in-place rewrites included), file
    // systems flushed whole, folders flushed.
    int FileFlushes = 0;
    int FileSystemFlushes = 0;
    int FolderFlushes = 0;
  };

  DurableWriteBatch() = default;
  // Without Commit the replacements are dropped (their temporary files removed), so every old
  // file stays as it was; new files stay as written.
  ~DurableWriteBatch();
  DurableWriteBatch(const DurableWriteBatch&) = delete;
  DurableWriteBatch& operator=(const DurableWriteBatch&) = delete;

  // Writes bytes as the file at path, as described above. Fails with WriteFileAtomically's
  // messages and leaves nothing behind: no temporary file, no half-written new file, the old
  // file untouched. Returns the write's number: 0 for the first write that succeeded, then 1...
  size_t Write(const std::string& path, std::string_view bytes);

  // The contents a write of this batch gave the file at path that Commit has not put in place
  // yet; nullopt when there is none and the file on disk is current.
  std::optional<std::string> PendingContents(const std::string& path) const;

  // Puts everything written in place and on disk. A file that fails here is reported (its old
  // file, if any, stays) and the others go on. The batch is then empty again.
  CommitReport Commit();

 private:
  enum class Kind { Done, New, Replacement, InPlace };
  struct Entry {
    Kind What = Kind::Done;
    std::string Requested;  // the path given to Write
    std::string Target;     // the file replaced or made, links resolved
    std::string Written;    // where the bytes are now: the target itself or the temporary file
    std::string Bytes;      // an in-place rewrite's contents, until Commit
    dev_t Device = 0;       // the file system of Written
    int Fd = -1;            // still open, to be flushed by itself
    int Error = 0;          // found after Write returned (closing a file), reported in Commit
    size_t Lane = 0;        // a replacement: the same for every write of one file
  };

  size_t Add(Entry entry);
  size_t AddInPlace(const std::string& requested, const std::string& target, std::string_view bytes,
                    const struct stat& old);
  std::optional<Entry> WriteNew(const std::string& requested, const std::string& target,
                                std::string_view bytes);
  // Keeps fd open for a flush of its own while few files are written; closes it (and, past
  // the limit, every descriptor kept so far) otherwise. Throws when closing fails.
  void KeepOrClose(Entry& entry, int fd);
  void Flush(CommitReport& report);
  // Renames every replacement written whole over its target; a failure is left in its entry.
  void PutReplacementsInPlace();

  std::vector<Entry> m_entries;
  // The latest write not yet in place for each existing file, by device and inode.
  std::map<std::pair<dev_t, ino_t>, size_t> m_pending;
  size_t m_openCount = 0;
  bool m_flushEach = true;
};

}  // namespace qm
