// What a save does to the file it replaces: who may write it, who owns it afterwards, its
// hard links, long names, leftovers of killed saves, and the size limit of reading.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "test_support.h"

namespace qm {
namespace {

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info;
}

// A folder that the unprivileged user may create files in.
void OpenToEveryone(const std::string& folder) { chmod(folder.c_str(), 0777); }

// 0: saved; 1: refused with "File access denied"; 2: refused with another message.
int SaveAndClassify(const std::string& path, const std::string& bytes) {
  try {
    WriteFileAtomically(path, bytes);
    return 0;
  } catch (const QuillmarkError& e) {
    return std::string(e.what()) == "File access denied" ? 1 : 2;
  }
}

TEST(FileReplace, AReadOnlyFileIsRefusedAsADirectWriteWouldBe) {
  test::TempDir dir;
  OpenToEveryone(dir.Path());
  const std::string path = dir.Write("read-only.srt", "old");
  chown(path.c_str(), test::kNobody, test::kNobody);
  chmod(path.c_str(), 0444);
  const auto result = test::RunUnprivileged([&] { return SaveAndClassify(path, "new"); });
  if (!result) GTEST_SKIP() << "cannot run as an unprivileged user here";
  EXPECT_EQ(*result, 1);
  EXPECT_EQ(test::ReadFile(path), "old");
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

TEST(FileReplace, AWritableFileOfAnotherOwnerKeepsItsOwnerAndItsContentsChange) {
  test::TempDir dir;
  OpenToEveryone(dir.Path());
  const std::string path = dir.Write("shared.srt", "old contents");
  chmod(path.c_str(), 0666);
  const struct stat before = StatOf(path);
  const auto result = test::RunUnprivileged([&] { return SaveAndClassify(path, "new"); });
  if (!result) GTEST_SKIP() << "cannot run as an unprivileged user here";
  if (before.st_uid == geteuid() && geteuid() != 0) GTEST_SKIP() << "needs a file of another user";
  EXPECT_EQ(*result, 0);
  EXPECT_EQ(test::ReadFile(path), "new");
  const struct stat after = StatOf(path);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_ino, before.st_ino);  // rewritten in place: a rename would have changed the owner
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

TEST(FileReplace, RootKeepsTheUsersOwnerGroupAndModeSoTheUserCanStillReadIt) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root";
  test::TempDir dir;
  OpenToEveryone(dir.Path());
  const std::string path = dir.Write("users.srt", "old");
  ASSERT_EQ(chown(path.c_str(), test::kNobody, test::kNobody), 0);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  WriteFileAtomically(path, "written by root");
  const struct stat after = StatOf(path);
  EXPECT_EQ(after.st_uid, test::kNobody);
  EXPECT_EQ(after.st_gid, test::kNobody);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  const auto readable =
      test::RunUnprivileged([&] { return test::ReadFile(path) == "written by root" ? 0 : 1; });
  if (readable) {
    EXPECT_EQ(*readable, 0);
  }
}

TEST(FileReplace, NewFilesGetTheUsualModeAndTheOldModeIsKept) {
  test::TempDir dir;
  const mode_t mask = umask(022);
  WriteFileAtomically(dir.File("new.srt"), "x");
  const std::string old = dir.Write("old.srt", "x");
  chmod(old.c_str(), 0604);
  WriteFileAtomically(old, "y");
  umask(mask);
  EXPECT_EQ(StatOf(dir.File("new.srt")).st_mode & 07777, 0644u);
  EXPECT_EQ(StatOf(old).st_mode & 07777, 0604u);
}

TEST(FileReplace, HardLinksStayOneFile) {
  test::TempDir dir;
  const std::string first = dir.Write("first.srt", "old");
  const std::string second = dir.File("second.srt");
  ASSERT_EQ(link(first.c_str(), second.c_str()), 0);
  WriteFileAtomically(second, "new and longer");
  EXPECT_EQ(test::ReadFile(first), "new and longer");
  WriteFileAtomically(first, "short");
  EXPECT_EQ(test::ReadFile(second), "short");
  EXPECT_EQ(StatOf(first).st_ino, StatOf(second).st_ino);
  EXPECT_EQ(StatOf(first).st_nlink, 2u);
  EXPECT_EQ(test::CountEntries(dir.Path()), 2);
}

TEST(FileReplace, AHardLinkedFileOverTheSizeLimitKeepsItsOldContents) {
  test::TempDir dir;
  const std::string old(3000, 'o');
  const std::string path = dir.Write("linked.srt", old);
  ASSERT_EQ(link(path.c_str(), dir.File("other.srt").c_str()), 0);
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{8192, 8192};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(SaveAndClassify(path, std::string(12 * 1024, 'n')));
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
  EXPECT_EQ(test::ReadFile(path), old);
}

TEST(FileReplace, NamesOfTheLongestLengthSave) {
  test::TempDir dir;
  const std::string name = std::string(251, 'n') + ".srt";  // 255 bytes
  WriteFileAtomically(dir.File(name), "first");
  WriteFileAtomically(dir.File(name), "second");
  EXPECT_EQ(test::ReadFile(dir.File(name)), "second");
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

TEST(FileReplace, OnlyOurStaleTemporaryFilesAreRemovedBySaving) {
  test::TempDir dir;
  const time_t twoDaysAgo = time(nullptr) - 2 * 24 * 60 * 60;
  const auto writeAged = [&](const std::string& name, time_t when) {
    const std::string path = dir.Write(name, "left over");
    const timespec times[2] = {{when, 0}, {when, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
  };
  writeAged(".qm-AbC123.tmp", twoDaysAgo);      // ours and stale: removed
  writeAged(".qm-XyZ789.tmp", time(nullptr));   // ours but fresh: a save may be running
  writeAged(".qm-AbC12.tmp", twoDaysAgo);       // not the pattern
  writeAged(".qm-AbC123.tmp.srt", twoDaysAgo);  // not the pattern
  writeAged("qm-AbC123.tmp", twoDaysAgo);       // not the pattern
  WriteFileAtomically(dir.File("out.srt"), "saved");
  EXPECT_FALSE(FileExists(dir.File(".qm-AbC123.tmp")));
  for (const char* kept : {".qm-XyZ789.tmp", ".qm-AbC12.tmp", ".qm-AbC123.tmp.srt", "qm-AbC123.tmp"})
    EXPECT_TRUE(FileExists(dir.File(kept))) << kept;
}

TEST(FileReplace, TemporaryFileNamePattern) {
  const struct {
    const char* name;
    bool ours;
  } cases[] = {
      {".qm-Ab3xZ9.tmp", true},   {".qm-000000.tmp", true},  {".qm-Ab3xZ.tmp", false},
      {".qm-Ab3xZ99.tmp", false}, {".qm-Ab-xZ9.tmp", false}, {".qm-Ab3xZ9.TMP", false},
      {"x.qm-Ab3xZ9.tmp", false}, {".settings.ini", false},  {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsTemporaryFileName(c.name), c.ours) << c.name;
}

TEST(ReadLimit, FilesAboveTheLimitAreRefusedBeforeReadingWithAMessageNamingIt) {
  test::TempDir dir;
  const std::string path = dir.File("huge.srt");
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, static_cast<off_t>(kMaxReadFileSize + 1)), 0);  // sparse: no disk used
  close(fd);
  for (const std::string& source : {path, std::string("/dev/zero")}) {
    try {
      ReadFileInChunks(source, [](std::string_view) { return false; });
      ADD_FAILURE() << source;
    } catch (const QuillmarkError& e) {
      EXPECT_EQ(e.Kind(), ErrorKind::TooLarge);
      EXPECT_NE(std::string(e.what()).find("64 MiB"), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(ReadWholeFile(path), QuillmarkError);
}

}  // namespace
}  // namespace qm
