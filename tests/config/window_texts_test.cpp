#include "config/window_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "config/language.h"
#include "platform/ini_file.h"
#include "test_support.h"

namespace qm {
namespace {

const std::string kShippedData = std::string(QM_TEST_DATA) + "/../../Data/";

std::vector<std::span<const WindowTextKey>> AllTables() {
  return {MainWindowTextKeys(),
          SecondaryWindowTextKeys("TFormFrame"),
          SecondaryWindowTextKeys("TFormFind"),
          SecondaryWindowTextKeys("TFormSelectDir"),
          SecondaryWindowTextKeys("TFormKonverze"),
          SecondaryWindowTextKeys("TFormInfo")};
}

TEST(WindowTexts, TablesHoldEverySectionWithItsNumberOfKeys) {
  std::map<std::string, int, std::less<>> counts;
  for (auto table : AllTables())
    for (const WindowTextKey& entry : table) ++counts[std::string(entry.Section)];
  const std::map<std::string, int, std::less<>> expected = {{"STRINGGRID_TITULKY", 4},
                                                            {"PANEL_TOP", 9},
                                                            {"PANEL_MENU", 10},
                                                            {"STATUSBAR", 1},
                                                            {"TABSHEET_UPRAVY_CASU", 21},
                                                            {"TABSHEET_UPRAVY_TITULKU", 19},
                                                            {"TABSHEET_EDITACE", 21},
                                                            {"TABSHEET_UKAZKY_FORMATU", 4},
                                                            {"TABSHEET_DAVKOVA_KONVERZE", 8},
                                                            {"TABSHEET_MOZNOSTI", 9},
                                                            {"FORM_FRAME", 5},
                                                            {"FORM_FIND", 8},
                                                            {"FORM_SELECT_DIR", 5},
                                                            {"FORM_KONVERZE", 13},
                                                            {"FORM_INFO", 5}};
  EXPECT_EQ(counts, expected);
  EXPECT_TRUE(SecondaryWindowTextKeys("TFormNothing").empty());
}

TEST(WindowTexts, ShippedLanguagesHaveEveryKeyAndTheirTipsAndShortcuts) {
  for (const std::string& name : {std::string(kDefaultLanguageName), std::string("English")}) {
    const IniFile language = IniFile::Load(LanguageFilePath(kShippedData + "../", name));
    for (auto table : AllTables())
      for (const WindowTextKey& entry : table)
        EXPECT_TRUE(language.HasKey(entry.Section, entry.Key))
            << name << " " << entry.Section << "/" << entry.Key;
    for (const auto& entry : kDynamicTextKeys)
      EXPECT_TRUE(language.HasKey(entry.Section, entry.Key)) << name << " " << entry.Key;
    for (const char* section : {"TIPS", "SHORTCUTS", "INFO_HISTORY"}) {
      const auto lines = ReadNumberedLines(language, section);
      EXPECT_GE(lines.size(), 3u) << name << " " << section;
      for (const std::string& line : lines) EXPECT_NE(line, kLanguageError) << name << " " << section;
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(LanguageFlagPath(kShippedData + "../", name))) << name;
  }
}

TEST(WindowTexts, NumberedLinesFillGapsAndCapTheCount) {
  EXPECT_EQ(ReadNumberedLines(IniFile::Parse("[TIPS]\r\nCount=3\r\n1=First\r\n"), "TIPS"),
            (std::vector<std::string>{"First", "LNG error!!", "LNG error!!"}));
  EXPECT_TRUE(ReadNumberedLines(IniFile::Parse("[TIPS]\r\nCount=-4\r\n"), "TIPS").empty());
  EXPECT_TRUE(ReadNumberedLines(IniFile{}, "TIPS").empty());
  EXPECT_EQ(ReadNumberedLines(IniFile::Parse("[TIPS]\r\nCount=2000000000\r\n"), "tips").size(),
            size_t(kMaxNumberedLines));
}

TEST(WindowTexts, AuthorHintStandsInForMissingKeys) {
  EXPECT_EQ(LanguageAuthorHint(IniFile::Parse("[AUTHOR]\r\nAuthor=Jan\r\nComment=Czech\r\n")), "Jan [Czech]");
  EXPECT_EQ(LanguageAuthorHint(IniFile{}), "LNG error!! [LNG error!!]");
}

TEST(WindowTexts, UserLanguagesAreListedAndReadFromTheirOwnFolder) {
  test::TempDir program, user;
  std::filesystem::create_directories(program.File("Data"));
  program.Write("Data/lng_English.ini", "");
  user.Write("lng_English.ini", "");
  user.Write("lng_Sloven\xC4\x8D\x69na.ini", "");  // UTF-8 file name
  user.Write("lng_\xE4\xB8\xAD.ini", "");          // not in Windows-1250: left out
  user.Write("notes.ini", "");
  std::filesystem::create_directories(user.File("lng_Dir.ini"));
  const LanguageFiles files(program.Path(), user.Path());
  EXPECT_EQ(files.UserLanguages(), (std::vector<std::string>{"English", "Slovenčina"}));
  EXPECT_EQ(files.IniPath("English"), user.Path() + "/lng_English.ini");
  EXPECT_EQ(files.FlagPath("Slovenčina"), user.Path() + "/lng_Sloven\xC4\x8Dina.bmp");
  EXPECT_EQ(files.IniPath("Deutsch"), program.Path() + "/Data/lng_Deutsch.ini");
  EXPECT_TRUE(LanguageFiles(program.Path(), "").UserLanguages().empty());
}

}  // namespace
}  // namespace qm
