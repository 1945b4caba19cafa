#pragma once
// The only place where subtitle and settings files touch the disk.

#include <functional>
#include <string>
#include <string_view>

namespace qm {

// The whole file; fails with the platform-style message ("File not found", ...).
std::string ReadWholeFile(const std::string& path);

// Hands the file to `consume` in chunks until it returns true (stop) or the file ends.
// Returns whether consume stopped the reading. Fails like ReadWholeFile.
bool ReadFileInChunks(const std::string& path, const std::function<bool(std::string_view)>& consume);

// Writes into a temporary file beside the target, flushes it to disk and renames it over
// the target only when every byte is written. On any failure the previous file is left as
// it was, the temporary file is removed, and the error carries the platform-style message.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);  // a regular file (or a link to one)
bool DirectoryExists(const std::string& path);
// Both paths name one existing file (through links and other names of it too).
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace qm
