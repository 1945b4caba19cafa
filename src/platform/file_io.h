#pragma once
// The only place where subtitle and settings files touch the disk.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qm {

// Files above this size are refused before a byte is read: no subtitle file comes near it,
// and reading a huge file by mistake would take the whole memory.
inline constexpr uint64_t kMaxReadFileSize = uint64_t{64} << 20;

// The whole file; fails with the platform-style message ("File not found", ...), or with
// the size limit's message for a file above kMaxReadFileSize.
std::string ReadWholeFile(const std::string& path);

// Hands the file to `consume` in chunks until it returns true (stop) or the file ends.
// Returns whether consume stopped the reading. Fails like ReadWholeFile.
bool ReadFileInChunks(const std::string& path, const std::function<bool(std::string_view)>& consume);

// Saves `bytes` as the file at `path` without ever leaving it half-written:
// - a file this user may not write is refused, as a direct write would be;
// - the new contents go to a temporary file beside the target (".qm-XXXXXX.tmp"), flushed
//   to disk, which gets the old file's mode, owner and group and is renamed over it;
// - a file with more than one hard link, or whose owner cannot be kept, is rewritten in
//   place instead (space reserved first), so that it stays the same file;
// - a link is followed, and devices and pipes are written as they are.
// On any failure the previous file is left as it was, the temporary file is removed, and
// the error carries the platform-style message. After a save, temporary files of ours
// that a killed run left in that folder more than a day ago are removed.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The name pattern of the temporary files: ".qm-" + six letters or digits + ".tmp".
bool IsTemporaryFileName(std::string_view name);

bool FileExists(const std::string& path);  // a regular file (or a link to one)
bool DirectoryExists(const std::string& path);
// Both paths name one existing file (through links and other names of it too).
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace qm
