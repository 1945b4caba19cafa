#include "config/recent_files.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "test_support.h"

namespace qm {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostTen) {
  test::TempDir dir;
  const std::string file = dir.File("state/quillmark/recent");  // the folders do not exist yet
  RecentFiles recent(file);
  EXPECT_TRUE(recent.Files().empty());
  for (int i = 1; i <= 12; ++i) recent.Add("/films/" + std::to_string(i) + ".srt");
  EXPECT_EQ(recent.Files().size(), kMaxRecentFiles);
  EXPECT_EQ(recent.Files().front(), "/films/12.srt");
  EXPECT_EQ(recent.Files().back(), "/films/3.srt");
  recent.Add("/films/5.srt");  // opened again: to the front, once
  EXPECT_EQ(recent.Files()[0], "/films/5.srt");
  EXPECT_EQ(std::count(recent.Files().begin(), recent.Files().end(), "/films/5.srt"), 1);
  recent.Remove("/films/12.srt");
  recent.Add("bad\nname");  // cannot be kept one a line
  EXPECT_EQ(recent.Files().size(), 9u);

  // The next run reads the same list back.
  EXPECT_EQ(RecentFiles(file).Files(), recent.Files());
  EXPECT_EQ(ReadWholeFile(file).substr(0, 13), "/films/5.srt\n");
}

TEST(RecentFiles, ReadsWhatAPersonWroteAndSurvivesWhatCannotBeWritten) {
  test::TempDir dir;
  dir.Write("recent", "/a.srt\r\n\r\n/b.sub\n/a.srt\n/c.ssa");
  EXPECT_EQ(RecentFiles(dir.File("recent")).Files(), (Paths{"/a.srt", "/b.sub", "/c.ssa"}));
  EXPECT_TRUE(RecentFiles(dir.File("missing")).Files().empty());

  RecentFiles memoryOnly;
  memoryOnly.Add("/x.srt");
  EXPECT_EQ(memoryOnly.Files(), Paths{"/x.srt"});
  // A state "folder" that is a file: the list lives on for the run.
  dir.Write("blocked", "");
  RecentFiles blocked(dir.File("blocked/recent"));
  blocked.Add("/y.srt");
  EXPECT_EQ(blocked.Files(), Paths{"/y.srt"});
}

}  // namespace
}  // namespace qm
