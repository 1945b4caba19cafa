#include "config/language.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "formats/subtitles_load.h"
#include "test_support.h"

namespace qm {
namespace {

// The repository root holds the shipped Data folder, as the program's folder does.
const std::string kShippedProgramFolder = std::string(QM_TEST_DATA) + "/../../";

// Our own keys stand at the end of the table, from WarningTooManySubtitles on.
bool IsOwnKey(std::string DynamicTexts::*member) {
  bool own = false;
  for (const auto& entry : kDynamicTextKeys) {
    own = own || entry.Member == &DynamicTexts::WarningTooManySubtitles;
    if (entry.Member == member) return own;
  }
  return false;
}

TEST(Language, FileNameIsTheUtf8FormOfTheLanguageName) {
  EXPECT_EQ(LanguageFilePath("/opt/q/", kDefaultLanguageName),
            "/opt/q/Data/lng_\xC4\x8C"
            "esk\xC3\xBD.ini");
  EXPECT_EQ(LanguageFlagPath("/opt/q/", "English"), "/opt/q/Data/lng_English.bmp");
}

TEST(Language, ShippedCzechFileHasEveryTextInWindows1250) {
  const DynamicTexts texts = LoadDynamicTexts(kShippedProgramFolder, kDefaultLanguageName);
  for (const auto& entry : kDynamicTextKeys) EXPECT_NE(texts.*entry.Member, kLanguageError) << entry.Key;
  EXPECT_EQ(texts.LabelVyberPosuvuZkratkaSnimky, "sn.");
  EXPECT_EQ(texts.StatusBarMemoVkladani, "vkládání");
  EXPECT_EQ(texts.LabelZmenaRychlostiTitulkyBezeZmeny, "Titulky zůstanou beze změny");
  EXPECT_EQ(texts.ButtonZrusitZmeny, "Zrušit");
  EXPECT_EQ(texts.MenuNedavneSouboryPrazdne, "(žádné soubory)");
}

TEST(Language, MissingFileGivesTheErrorTextExceptForOurOwnKeys) {
  test::TempDir dir;
  const DynamicTexts texts = LoadDynamicTexts(dir.Path() + "/", kDefaultLanguageName);
  for (const auto& entry : kDynamicTextKeys)
    EXPECT_EQ(texts.*entry.Member == kLanguageError, !IsOwnKey(entry.Member)) << entry.Key;
  EXPECT_EQ(texts.WarningTooManySubtitles, TruncationMessage());
  EXPECT_EQ(texts.ErrorFormatNotWritable, FormatNotWritableMessage());
  EXPECT_EQ(texts.ButtonZahoditZmeny, "&Discard");
}

TEST(Language, KeysMatchWithoutRegardToCaseAndMissingOnesAreMarked) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.File("Data"));
  dir.Write("Data/lng_Test.ini",
            "[dynamic_texts]\r\nerrorcantopenfile=Nelze\r\nWARNINGTOOMANYSUBTITLES=Moc\r\n[Author]\r\nauthor="
            "Jan\r\n");
  const DynamicTexts texts = LoadDynamicTexts(dir.Path() + "/", "Test");
  EXPECT_EQ(texts.ErrorCantOpenFile, "Nelze");
  EXPECT_EQ(texts.WarningTooManySubtitles, "Moc");
  EXPECT_EQ(texts.Author, "Jan");
  EXPECT_EQ(texts.Comment, kLanguageError);
  EXPECT_EQ(texts.ErrorCantSaveFile, kLanguageError);
}

}  // namespace
}  // namespace qm
