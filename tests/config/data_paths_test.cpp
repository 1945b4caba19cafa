#include "config/data_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "test_support.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// A program folder laid out like a build folder or portable copy: bin/ with Data/ inside.
struct Tree {
  test::TempDir dir;
  std::string Make(const std::string& relative) const {
    fs::create_directories(dir.Path() + "/" + relative);
    return dir.Path() + "/" + relative;
  }
};

TEST(DataPaths, DataBesideTheProgramKeepsItsSettingsThere) {
  Tree tree;
  tree.Make("portable/Data");
  // An installed tree around it must not win over the copy's own Data.
  tree.Make("share/quillmark/Data");
  const DataPaths paths = ResolveDataPaths(tree.dir.Path() + "/portable", {"/home/u", "", "", ""});
  EXPECT_EQ(paths.ProgramFolder, tree.dir.Path() + "/portable/");
  EXPECT_EQ(paths.SettingsFile, tree.dir.Path() + "/portable/Data/settings.ini");
  EXPECT_EQ(paths.UserLanguageFolder, "/home/u/.local/share/quillmark/");
}

TEST(DataPaths, InstalledTreeUsesShareAndTheUserFolders) {
  Tree tree;
  const std::string bin = tree.Make("usr/bin");
  tree.Make("usr/share/quillmark/Data");
  const std::string share = tree.dir.Path() + "/usr/share/quillmark/";

  DataPaths paths = ResolveDataPaths(bin + "/", {"/home/u", "", "", ""});
  EXPECT_EQ(paths.ProgramFolder, fs::weakly_canonical(share).string() + "/");
  EXPECT_EQ(paths.SettingsFile, "/home/u/.config/quillmark/settings.ini");
  EXPECT_EQ(paths.UserLanguageFolder, "/home/u/.local/share/quillmark/");
  EXPECT_EQ(paths.RecentFilesFile, "/home/u/.local/state/quillmark/recent");

  paths = ResolveDataPaths(bin, {"/home/u", "/cfg/", "/data", "/state"});
  EXPECT_EQ(paths.SettingsFile, "/cfg/quillmark/settings.ini");
  EXPECT_EQ(paths.UserLanguageFolder, "/data/quillmark/");
  EXPECT_EQ(paths.RecentFilesFile, "/state/quillmark/recent");

  // Relative base folders are not valid and fall back to the home defaults.
  paths = ResolveDataPaths(bin, {"/home/u", "cfg", "data", ""});
  EXPECT_EQ(paths.SettingsFile, "/home/u/.config/quillmark/settings.ini");
  EXPECT_EQ(paths.UserLanguageFolder, "/home/u/.local/share/quillmark/");

  // Nowhere of the user's own: the shipped file is used (saving it then fails and says so).
  paths = ResolveDataPaths(bin, {"", "", "", ""});
  EXPECT_EQ(paths.SettingsFile, paths.ProgramFolder + "Data/settings.ini");
  EXPECT_EQ(paths.UserLanguageFolder, "");
  EXPECT_EQ(paths.RecentFilesFile, "");
}

TEST(DataPaths, WithoutAnyDataFolderTheSettingsGoToTheUser) {
  Tree tree;
  const std::string bin = tree.Make("bin");
  const DataPaths paths = ResolveDataPaths(bin, {"/home/u", "", "", ""});
  EXPECT_EQ(paths.ProgramFolder, bin + "/");
  EXPECT_EQ(paths.SettingsFile, "/home/u/.config/quillmark/settings.ini");
}

TEST(DataPaths, ReadOnlyCopyMovesTheSettingsToTheUser) {
  Tree tree;
  const std::string data = tree.Make("ro/Data");
  fs::permissions(tree.dir.Path(), fs::perms::all);
  fs::permissions(
      data, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  // Resolved by a user who may not write the copy's Data folder.
  const auto moved = test::RunUnprivileged([&] {
    const DataPaths paths = ResolveDataPaths(tree.dir.Path() + "/ro", {"/home/u", "", "", ""});
    return paths.ProgramFolder == tree.dir.Path() + "/ro/" &&
                   paths.SettingsFile == "/home/u/.config/quillmark/settings.ini"
               ? 0
               : 1;
  });
  fs::permissions(data, fs::perms::owner_all);
  if (!moved) GTEST_SKIP() << "cannot run as an unprivileged user here";
  EXPECT_EQ(*moved, 0);
}

TEST(DataPaths, FirstRunCopiesTheShippedSettingsOnce) {
  Tree tree;
  const std::string bin = tree.Make("usr/bin");
  tree.Make("usr/share/quillmark/Data");
  tree.dir.Write("usr/share/quillmark/Data/settings.ini", "[LANGUAGES]\r\nCount=2\r\n");
  const DataPaths paths = ResolveDataPaths(bin, {tree.dir.Path() + "/home", "", "", ""});

  ASSERT_TRUE(SeedSettingsFile(paths));
  EXPECT_EQ(test::ReadFile(paths.SettingsFile), "[LANGUAGES]\r\nCount=2\r\n");
  EXPECT_EQ(test::CountEntries(tree.dir.Path() + "/home/.config/quillmark"), 1);

  // The user's file, once there, is the user's: later runs leave it alone.
  tree.dir.Write("home/.config/quillmark/settings.ini", "[OPTIONS]\r\n");
  ASSERT_TRUE(SeedSettingsFile(paths));
  EXPECT_EQ(test::ReadFile(paths.SettingsFile), "[OPTIONS]\r\n");
}

TEST(DataPaths, SeedingWithoutAShippedFileOrIntoABlockedFolder) {
  Tree tree;
  const std::string bin = tree.Make("usr/bin");
  tree.Make("usr/share/quillmark/Data");
  DataPaths paths = ResolveDataPaths(bin, {tree.dir.Path() + "/home", "", "", ""});
  EXPECT_TRUE(SeedSettingsFile(paths));  // the defaults apply; nothing to copy
  EXPECT_FALSE(fs::exists(paths.SettingsFile));

  tree.dir.Write("usr/share/quillmark/Data/settings.ini", "[OPTIONS]\r\n");
  tree.dir.Write("blocked", "a file where the folder should be");
  paths = ResolveDataPaths(bin, {"", tree.dir.Path() + "/blocked", "", ""});
  EXPECT_FALSE(SeedSettingsFile(paths));
}

}  // namespace
}  // namespace qm
