// A batch of saves: when it touches which file, what a crash or a failure at each step leaves,
// and how often it waits on the disk.
#include "platform/durable_batch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "test_support.h"

namespace qm {
namespace {

ino_t InodeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_ino;
}

int CountTemporaryFiles(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    count += IsTemporaryFileName(entry.path().filename().string());
  return count;
}

std::string MessageOf(const std::function<void()>& write) {
  try {
    write();
  } catch (const QuillmarkError& e) {
    return e.what();
  }
  return "";
}

TEST(DurableBatch, NewFilesAreWrittenAtOnceReplacementsOnlyAtCommit) {
  test::TempDir dir;
  const std::string old = dir.Write("old.srt", "old contents");
  const ino_t oldInode = InodeOf(old);
  const std::string stale = dir.Write(".qm-AbC123.tmp", "left by a killed run");
  const timespec twoDaysAgo[2] = {{time(nullptr) - 2 * 86400, 0}, {time(nullptr) - 2 * 86400, 0}};
  utimensat(AT_FDCWD, stale.c_str(), twoDaysAgo, 0);

  DurableWriteBatch batch;
  EXPECT_EQ(batch.Write(dir.File("new.srt"), "made"), 0u);
  EXPECT_EQ(batch.Write(old, "replaced"), 1u);
  EXPECT_EQ(test::ReadFile(dir.File("new.srt")), "made");
  EXPECT_EQ(test::ReadFile(old), "old contents");
  EXPECT_EQ(InodeOf(old), oldInode);
  EXPECT_EQ(CountTemporaryFiles(dir.Path()), 2);  // the replacement's and the stale one
  EXPECT_EQ(batch.PendingContents(old), "replaced");
  EXPECT_EQ(batch.PendingContents(dir.File("new.srt")), std::nullopt);  // on disk as written

  const DurableWriteBatch::CommitReport report = batch.Commit();
  EXPECT_TRUE(report.Failures.empty());
  EXPECT_EQ(test::ReadFile(old), "replaced");
  EXPECT_EQ(test::ReadFile(dir.File("new.srt")), "made");
  EXPECT_EQ(CountTemporaryFiles(dir.Path()), 0);
  EXPECT_EQ(test::CountEntries(dir.Path()), 2);
  EXPECT_EQ(batch.PendingContents(old), std::nullopt);
}

// The waits on the disk: a few files are flushed each by itself, more by one flush of their
// file system; every folder touched is flushed once.
TEST(DurableBatch, WaitsOnTheDiskOncePerFileSystemAndFolder) {
  const size_t limit = DurableWriteBatch::kFlushEachLimit;
  const struct {
    size_t files;
    int folders;
    bool replacements;
    int fileFlushes, fileSystemFlushes;
  } cases[] = {
      {1, 1, false, 1, 0},         {limit, 1, true, static_cast<int>(limit), 0},
      {limit + 1, 1, false, 0, 1}, {100, 1, true, 0, 1},
      {40, 2, false, 0, 1},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    for (int f = 0; f < c.folders; ++f) std::filesystem::create_directory(dir.File(std::to_string(f)));
    DurableWriteBatch batch;
    for (size_t i = 0; i < c.files; ++i) {
      const std::string name = std::to_string(i % c.folders) + "/" + std::to_string(i) + ".sub";
      if (c.replacements) dir.Write(name, "old");
      batch.Write(dir.File(name), "{1}{2}x\r\n");
    }
    const DurableWriteBatch::CommitReport report = batch.Commit();
    EXPECT_TRUE(report.Failures.empty()) << c.files;
    EXPECT_EQ(report.FileFlushes, c.fileFlushes) << c.files;
    EXPECT_EQ(report.FileSystemFlushes, c.fileSystemFlushes) << c.files;
    EXPECT_EQ(report.FolderFlushes, c.folders) << c.files;
    EXPECT_EQ(test::ReadFile(dir.File("0/0.sub")), "{1}{2}x\r\n");
    EXPECT_EQ(CountTemporaryFiles(dir.File("0")), 0);
  }
}

// A crash before Commit (here a SIGKILL right after the writes): every old file is whole,
// the new ones are there, and the replacements' temporary files are left behind.
TEST(DurableBatch, AKilledRunLeavesEveryOldFileWhole) {
  test::TempDir dir;
  const std::string old(20000, 'o');
  for (int i = 0; i < 30; ++i) dir.Write("old" + std::to_string(i) + ".srt", old);
  const pid_t child = fork();
  if (child == 0) {
    DurableWriteBatch batch;
    for (int i = 0; i < 30; ++i) {
      batch.Write(dir.File("old" + std::to_string(i) + ".srt"), std::string(30000, 'n'));
      batch.Write(dir.File("new" + std::to_string(i) + ".srt"), "new");
    }
    raise(SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(test::ReadFile(dir.File("old" + std::to_string(i) + ".srt")), old) << i;
    EXPECT_EQ(test::ReadFile(dir.File("new" + std::to_string(i) + ".srt")), "new") << i;
  }
  EXPECT_EQ(CountTemporaryFiles(dir.Path()), 30);
}

TEST(DurableBatch, DroppedWithoutCommitTheReplacementsGoAndOldFilesStay) {
  test::TempDir dir;
  const std::string old = dir.Write("old.srt", "old");
  {
    DurableWriteBatch batch;
    batch.Write(old, "replaced");
    batch.Write(dir.File("new.srt"), "new");
  }
  EXPECT_EQ(test::ReadFile(old), "old");
  EXPECT_EQ(test::ReadFile(dir.File("new.srt")), "new");
  EXPECT_EQ(test::CountEntries(dir.Path()), 2);
}

// A write that fails leaves nothing of itself (no temporary file, no half-written new file, the
// old file whole) and the batch goes on with the others.
TEST(DurableBatch, AFailedWriteLeavesNothingAndTheOthersGoOn) {
  test::TempDir dir;
  const std::string old(3000, 'o');
  dir.Write("big-old.srt", old);
  dir.Write("small-old.srt", old);
  const std::string plain = dir.Write("plain", "x");
  std::filesystem::create_directory(dir.File("folder.srt"));
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{8192, 8192};
    setrlimit(RLIMIT_FSIZE, &limit);
    DurableWriteBatch batch;
    const std::string big(12 * 1024, 'n');
    int wrong = 0;
    const std::pair<std::string, std::string> failing[] = {
        {dir.File("big-new.srt"), "Disk full"},  // partly written, then taken away
        {dir.File("big-old.srt"), "Disk full"},  // the temporary file fails
        {dir.File("folder.srt"), "File access denied"},  {plain + "/out.srt", "Invalid filename"},
        {dir.File("missing/out.srt"), "File not found"},
    };
    batch.Write(dir.File("small-new.srt"), "small");
    for (const auto& [path, message] : failing)
      wrong += MessageOf([&] { batch.Write(path, big); }) != message;
    batch.Write(dir.File("small-old.srt"), "small");
    wrong += !batch.Commit().Failures.empty();
    _exit(wrong);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(test::ReadFile(dir.File("big-old.srt")), old);
  EXPECT_FALSE(std::filesystem::exists(dir.File("big-new.srt")));
  EXPECT_EQ(test::ReadFile(dir.File("small-new.srt")), "small");
  EXPECT_EQ(test::ReadFile(dir.File("small-old.srt")), "small");
  EXPECT_EQ(test::CountEntries(dir.Path()), 5);
}

// A file that cannot be put in place at Commit (here its name became a folder meanwhile) is
// reported with its write number; its temporary file goes and the others are put in place.
TEST(DurableBatch, ACommitFailureIsReportedForThatFileAlone) {
  test::TempDir dir;
  DurableWriteBatch batch;
  for (const char* name : {"a.srt", "b.srt", "c.srt"}) batch.Write(dir.Write(name, "old"), "new");
  std::filesystem::remove(dir.File("b.srt"));
  std::filesystem::create_directory(dir.File("b.srt"));
  std::filesystem::create_directory(dir.File("b.srt/inside"));
  const DurableWriteBatch::CommitReport report = batch.Commit();
  ASSERT_EQ(report.Failures.size(), 1u);
  EXPECT_EQ(report.Failures[0].Write, 1u);
  EXPECT_EQ(report.Failures[0].Path, dir.File("b.srt"));
  EXPECT_EQ(report.Failures[0].Message, "File access denied");
  EXPECT_EQ(test::ReadFile(dir.File("a.srt")), "new");
  EXPECT_EQ(test::ReadFile(dir.File("c.srt")), "new");
  EXPECT_EQ(CountTemporaryFiles(dir.Path()), 0);
}

// The single save's rules hold in a batch: hard links stay one file (rewritten in place, but
// only at Commit), links are followed, modes kept, devices written as they are.
TEST(DurableBatch, TheRulesOfASingleSaveHold) {
  test::TempDir dir;
  const std::string first = dir.Write("first.srt", "old");
  ASSERT_EQ(link(first.c_str(), dir.File("second.srt").c_str()), 0);
  const std::string real = dir.Write("real.srt", "old");
  ASSERT_EQ(symlink(real.c_str(), dir.File("link.srt").c_str()), 0);
  ASSERT_EQ(symlink(dir.File("nowhere.srt").c_str(), dir.File("dangling.srt").c_str()), 0);
  const std::string mode = dir.Write("mode.srt", "old");
  chmod(mode.c_str(), 0604);

  DurableWriteBatch batch;
  batch.Write(dir.File("second.srt"), "linked");
  batch.Write(dir.File("link.srt"), "through the link");
  batch.Write(dir.File("dangling.srt"), "the link replaced");
  batch.Write(mode, "mode kept");
  batch.Write("/dev/null", "gone");
  EXPECT_EQ(test::ReadFile(first), "old");
  EXPECT_EQ(batch.PendingContents(first), "linked");  // by its other name too
  EXPECT_EQ(batch.PendingContents(dir.File("link.srt")), "through the link");
  EXPECT_TRUE(batch.Commit().Failures.empty());

  EXPECT_EQ(test::ReadFile(first), "linked");
  EXPECT_EQ(InodeOf(first), InodeOf(dir.File("second.srt")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.srt")));
  EXPECT_EQ(test::ReadFile(real), "through the link");
  EXPECT_FALSE(std::filesystem::is_symlink(dir.File("dangling.srt")));
  EXPECT_EQ(test::ReadFile(dir.File("dangling.srt")), "the link replaced");
  EXPECT_EQ(std::filesystem::status(mode).permissions(), static_cast<std::filesystem::perms>(0604));
  EXPECT_EQ(CountTemporaryFiles(dir.Path()), 0);
}

TEST(DurableBatch, AReadOnlyFileIsRefusedAtOnce) {
  test::TempDir dir;
  chmod(dir.Path().c_str(), 0777);
  const std::string path = dir.Write("read-only.srt", "old");
  chown(path.c_str(), test::kNobody, test::kNobody);
  chmod(path.c_str(), 0444);
  const auto result = test::RunUnprivileged([&] {
    DurableWriteBatch batch;
    return MessageOf([&] { batch.Write(path, "new"); }) == "File access denied" ? 0 : 1;
  });
  if (!result) GTEST_SKIP() << "cannot run as an unprivileged user here";
  EXPECT_EQ(*result, 0);
  EXPECT_EQ(test::ReadFile(path), "old");
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

// Written more than once in one batch, a file ends with the last bytes, whether it existed or
// not, and also when many replacements are put in place at once.
TEST(DurableBatch, TheLastWriteOfAFileWins) {
  for (const int others : {0, 40}) {
    test::TempDir dir;
    const std::string existing = dir.Write("existing.srt", "old");
    DurableWriteBatch batch;
    for (int i = 0; i < others; ++i) batch.Write(dir.Write("other" + std::to_string(i), "old"), "new");
    for (const std::string& path : {existing, dir.File("made.srt")}) {
      for (const char* bytes : {"first", "second", "third"}) batch.Write(path, bytes);
      EXPECT_EQ(batch.PendingContents(path), "third");
    }
    EXPECT_TRUE(batch.Commit().Failures.empty());
    EXPECT_EQ(test::ReadFile(existing), "third") << others;
    EXPECT_EQ(test::ReadFile(dir.File("made.srt")), "third") << others;
    EXPECT_EQ(test::CountEntries(dir.Path()), 2 + others);
  }
}

}  // namespace
}  // namespace qm
