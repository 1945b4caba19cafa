#include "config/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "config/language.h"
#include "platform/errors.h"
#include "platform/cp1250.h"
#include "test_support.h"

namespace qm {
namespace {

const std::string kCesky(kDefaultLanguageName);

TEST(Settings, NoFileGivesTheFirstRunDefaults) {
  test::TempDir dir;
  const Settings settings = LoadSettings(dir.File("settings.ini"));
  EXPECT_EQ(settings.Languages, std::vector<std::string>{kCesky});
  EXPECT_EQ(settings.LanguageName(), kCesky);
  EXPECT_EQ(settings.Exec, 0);
  EXPECT_FALSE(settings.AskToClose);
  EXPECT_FALSE(settings.AlwaysOnTop);
  EXPECT_TRUE(settings.EditByOneClick);
  EXPECT_EQ(settings.SubtitlesOpen, "");
}

TEST(Settings, CountAndLanguageUseOnlyTheirLow8Bits) {
  test::TempDir dir;
  // Count 3 with two keys: the third is the default name.
  auto settings = LoadSettings(
      dir.Write("a.ini", "[LANGUAGES]\r\nCount=3\r\n1=English\r\n2=Deutsch\r\n[SETTINGS]\r\nLanguage=2\r\n"));
  EXPECT_EQ(settings.Languages, (std::vector<std::string>{"English", "Deutsch", kCesky}));
  EXPECT_EQ(settings.LanguageName(), "Deutsch");
  // The file itself is Windows-1250.
  EXPECT_NE(SerializeSettings(settings).find("3=" + Utf8ToCp1250(kCesky)), std::string::npos);

  settings = LoadSettings(dir.Write("b.ini", "[LANGUAGES]\r\nCount=256\r\n1=English\r\n"));
  EXPECT_TRUE(settings.Languages.empty());
  EXPECT_EQ(settings.LanguageName(), "");  // no language chosen: written back as 0
  EXPECT_NE(SerializeSettings(settings).find("Count=0\r\n\r\n[SETTINGS]\r\nLanguage=0\r\n"),
            std::string::npos);

  settings = LoadSettings(
      dir.Write("c.ini", "[LANGUAGES]\r\nCount=2\r\n1=English\r\n2=X\r\n[SETTINGS]\r\nLanguage=257\r\n"));
  EXPECT_EQ(settings.LanguageName(), "English");
}

TEST(Settings, BooleansAreIntegersReadAsAnyNonZeroAndWrittenAsOneOrZero) {
  test::TempDir dir;
  const Settings settings = LoadSettings(
      dir.Write("s.ini", "[settings]\r\naskToClose=5\r\nAlwaysOnTop=x\r\nEditByOneClick=0\r\nExec=0x10\r\n"));
  EXPECT_TRUE(settings.AskToClose);
  EXPECT_FALSE(settings.AlwaysOnTop);  // not a number: the default
  EXPECT_FALSE(settings.EditByOneClick);
  EXPECT_EQ(settings.Exec, 16);
  const std::string written = SerializeSettings(settings);
  EXPECT_NE(written.find("AskToClose=1\r\nAlwaysOnTop=0\r\nEditByOneClick=0\r\n"), std::string::npos);
}

TEST(Settings, WrittenFileHoldsExactlyTheThreeSectionsInOrder) {
  test::TempDir dir;
  const std::string path =
      dir.Write("settings.ini",
                "; my note\r\n[LANGUAGES]\r\nCount=1\r\n1=English\r\n[EXTRA]\r\nKeep=no\r\n"
                "[PATHS]\r\nSubtitlesOpen=/films/\r\n");
  Settings settings = LoadSettings(path);
  settings.Exec = 7;
  settings.KonverzeDest = "/out/";
  SaveSettings(path, settings);
  EXPECT_EQ(test::ReadFile(path),
            "[LANGUAGES]\r\nCount=1\r\n1=English\r\n\r\n"
            "[SETTINGS]\r\nLanguage=1\r\nExec=7\r\nAskToClose=0\r\nAlwaysOnTop=0\r\nEditByOneClick=1\r\n\r\n"
            "[PATHS]\r\nSubtitlesOpen=/films/\r\nSubtitlesSave=\r\nKonverzeAdd=\r\nKonverzeDest=/out/\r\n");
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);  // no temporary file left behind
}

TEST(Settings, AFailedWriteLeavesThePreviousFileAsItWas) {
  test::TempDir dir;
  Settings settings;
  settings.Languages = {kCesky};

  // Missing folder.
  EXPECT_FALSE(CanWriteSettings(dir.File("Data/settings.ini")));
  EXPECT_ANY_THROW(SaveSettings(dir.File("Data/settings.ini"), settings));
  EXPECT_FALSE(std::filesystem::exists(dir.File("Data")));

  // Read-only file: refused for a user who may not write it; the check does not touch it.
  const std::string old = "[SETTINGS]\r\nExec=41\r\n; mine\r\n";
  const std::string path = dir.Write("settings.ini", old);
  chmod(dir.Path().c_str(), 0777);
  chown(path.c_str(), test::kNobody, test::kNobody);
  chmod(path.c_str(), 0444);
  const auto refused = test::RunUnprivileged([&] {
    if (CanWriteSettings(path)) return 1;
    try {
      SaveSettings(path, settings);
      return 2;
    } catch (const QuillmarkError&) {
      return 0;
    }
  });
  if (!refused) GTEST_SKIP() << "cannot run as an unprivileged user here";
  EXPECT_EQ(*refused, 0);
  EXPECT_EQ(test::ReadFile(path), old);
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);

  chmod(path.c_str(), 0644);
  const auto allowed = test::RunUnprivileged([&] { return CanWriteSettings(path) ? 0 : 1; });
  EXPECT_EQ(allowed, 0);
  EXPECT_EQ(test::ReadFile(path), old);
}

TEST(Settings, WritableMeansWritableByThisUserNotTheOwnersWriteBit) {
  test::TempDir dir;
  chmod(dir.Path().c_str(), 0777);
  const std::string path = dir.Write("settings.ini", "[SETTINGS]\r\n");
  chmod(path.c_str(), 0646);  // the owner may not write it, everyone else may
  const auto result = test::RunUnprivileged([&] { return CanWriteSettings(path) ? 0 : 1; });
  if (!result) GTEST_SKIP() << "cannot run as an unprivileged user here";
  if (geteuid() == 0) {
    EXPECT_EQ(*result, 0);
  }
  chmod(dir.Path().c_str(), 0555);  // the folder cannot take the replacement
  EXPECT_EQ(test::RunUnprivileged([&] { return CanWriteSettings(path) ? 0 : 1; }), 1);
}

}  // namespace
}  // namespace qm
