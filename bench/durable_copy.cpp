// The floor for the converter comparison: what any program that replaces a file safely must
// do, and nothing else. One allocation of the file's size, one read, and the safe replace the
// converter does too: a temporary file beside the target, one write, fsync, rename, fsync of
// the folder.   durable_copy IN OUT
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

bool ReadAll(const char* path, std::unique_ptr<char[]>& bytes, size_t& size) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || fstat(fd, &info) != 0) return false;
  size = static_cast<size_t>(info.st_size);
  bytes.reset(new char[size]);
  const bool ok = read(fd, bytes.get(), size) == static_cast<ssize_t>(size);
  close(fd);
  return ok;
}

bool WriteDurably(const std::string& target, const char* bytes, size_t size) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string temporary = folder + "/.floor.tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = write(fd, bytes, size) == static_cast<ssize_t>(size) && fsync(fd) == 0;
  if (close(fd) != 0 || !written || rename(temporary.c_str(), target.c_str()) != 0) return false;
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool synced = dir >= 0 && fsync(dir) == 0;
  if (dir >= 0) close(dir);
  return synced;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::unique_ptr<char[]> bytes;
  size_t size = 0;
  if (!ReadAll(argv[1], bytes, size)) return 1;
  return WriteDurably(argv[2], bytes.get(), size) ? 0 : 1;
}
