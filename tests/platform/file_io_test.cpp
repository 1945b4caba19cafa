#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "platform/errors.h"
#include "test_support.h"

namespace qm {
namespace {

// Runs the save in a child whose file-size limit is `limit` bytes, with SIGXFSZ ignored so
// that the write fails with EFBIG. Returns true when the save reported success.
bool SaveUnderSizeLimit(const std::string& path, const std::string& bytes, rlim_t limit) {
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit r{limit, limit};
    setrlimit(RLIMIT_FSIZE, &r);
    try {
      WriteFileAtomically(path, bytes);
      _exit(0);
    } catch (const QuillmarkError&) {
      _exit(1);
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(AtomicWrite, ReplacesTheFileAndKeepsItsPermissions) {
  test::TempDir dir;
  const std::string path = dir.Write("out.srt", "old");
  chmod(path.c_str(), 0640);
  WriteFileAtomically(path, "new contents");
  EXPECT_EQ(test::ReadFile(path), "new contents");
  struct stat info {};
  stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

TEST(AtomicWrite, FailedWritesLeaveTheOldFileAndNoTemporaryFile) {
  test::TempDir dir;
  for (size_t size : {size_t{12 * 1024}, size_t{200 * 1024}}) {  // below and above 16 KiB
    const std::string old(3000, 'o');
    const std::string path = dir.Write("keep.srt", old);
    EXPECT_FALSE(SaveUnderSizeLimit(path, std::string(size, 'n'), 8192)) << size;
    EXPECT_EQ(test::ReadFile(path), old);
    EXPECT_EQ(test::CountEntries(dir.Path()), 1);
  }
}

TEST(AtomicWrite, UnwritableTargetsFailWithThePlatformMessage) {
  test::TempDir dir;
  const std::string notAFolder = dir.Write("plain", "x");
  try {
    WriteFileAtomically(notAFolder + "/out.srt", "data");
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_EQ(e.Kind(), ErrorKind::InOut);
    EXPECT_STREQ(e.what(), "Invalid filename");
  }
  std::filesystem::create_directory(dir.File("folder.srt"));
  EXPECT_THROW(WriteFileAtomically(dir.File("folder.srt"), "data"), QuillmarkError);
  EXPECT_THROW(WriteFileAtomically(dir.File("missing/out.srt"), "data"), QuillmarkError);
  EXPECT_EQ(test::ReadFile(notAFolder), "x");
  EXPECT_EQ(test::CountEntries(dir.Path()), 2);
}

TEST(AtomicWrite, ALinkKeepsPointingAtTheReplacedFile) {
  test::TempDir dir;
  const std::string target = dir.Write("real.srt", "old");
  ASSERT_EQ(symlink(target.c_str(), dir.File("link.srt").c_str()), 0);
  WriteFileAtomically(dir.File("link.srt"), "new");
  struct stat info {};
  ASSERT_EQ(lstat(dir.File("link.srt").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(test::ReadFile(target), "new");
}

TEST(AtomicWrite, PipesAndDevicesAreWrittenInPlaceNotReplaced) {
  test::TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = test::ReadFile(fifo); });
  WriteFileAtomically(fifo, "through the pipe");
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  struct stat info {};
  ASSERT_EQ(stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(ReadWholeFile, ReadsBytesExactlyAndReportsMissingFiles) {
  test::TempDir dir;
  const std::string bytes("a\0b\r\n\xFF", 6);
  EXPECT_EQ(ReadWholeFile(dir.Write("f.bin", bytes)), bytes);
  EXPECT_THROW(ReadWholeFile(dir.File("nope")), QuillmarkError);
  EXPECT_TRUE(FileExists(dir.File("f.bin")));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_TRUE(DirectoryExists(dir.Path()));
}

}  // namespace
}  // namespace qm
