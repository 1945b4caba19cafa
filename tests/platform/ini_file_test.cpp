#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace qm {
namespace {

// The file is Windows-1250; names and values come and go as UTF-8.
TEST(IniFile, SectionsAndKeysMatchWithoutRegardToCase) {
  const IniFile ini = IniFile::Parse(
      "[Settings]\r\nLanguage=2\r\n[LANGUAGES]\r\n1=\xC8"
      "esk\xFD\r\n[\xC8\xC1ST]\r\nKL\xCD\xC8=v\r\n");
  EXPECT_EQ(ini.ReadInteger("SETTINGS", "language", 1), 2);
  EXPECT_EQ(ini.ReadString("languages", "1", "x"), "Český");
  EXPECT_EQ(ini.ReadString("LANGUAGES", "2", "Český"), "Český");
  EXPECT_EQ(ini.ReadString("část", "klíč", "x"), "v");
  EXPECT_TRUE(EqualsIgnoringCase1250("ČESKÝ", "český"));
  EXPECT_FALSE(EqualsIgnoringCase1250("český", "česky"));
  EXPECT_FALSE(EqualsIgnoringCase1250("ł", "ł "));
}

TEST(IniFile, WritesWindows1250AndMarksWhatItCannotHold) {
  IniFile ini;
  ini.WriteString("LANGUAGES", "1", "Český");
  ini.WriteString("FOLDERS", "Open", "/home/ł/日本");
  EXPECT_EQ(ini.Serialize("\n"),
            "[LANGUAGES]\n1=\xC8"
            "esk\xFD\n\n[FOLDERS]\nOpen=/home/\xB3/??\n");
  // Every byte of a file read comes back as it was.
  std::string all = "[s]\nk=";
  for (int b = 0x21; b < 256; ++b) all += static_cast<char>(b);
  all += "\n";
  EXPECT_EQ(IniFile::Parse(all).Serialize("\n"), all);
}

TEST(IniFile, ValuesAreTrimmedAndUnquotedAsThePlatformReadsThem) {
  const IniFile ini = IniFile::Parse("[a]\n key = some value \nq=\"quoted \"\nempty=\n; note=1\n");
  EXPECT_EQ(ini.ReadString("a", "key", ""), "some value");
  EXPECT_EQ(ini.ReadString("a", "q", ""), "quoted ");
  EXPECT_EQ(ini.ReadString("a", "empty", "d"), "");
  EXPECT_EQ(ini.ReadString("a", "; note", "d"), "d");
}

TEST(IniFile, IntegersInDecimalOrHexElseTheDefault) {
  const IniFile ini = IniFile::Parse("[s]\nd=42\nh=0x1F\nneg=-3\nbad=12abc\nword=yes\nb=5\nz=0\n");
  EXPECT_EQ(ini.ReadInteger("s", "d", 0), 42);
  EXPECT_EQ(ini.ReadInteger("s", "h", 0), 31);
  EXPECT_EQ(ini.ReadInteger("s", "neg", 0), -3);
  EXPECT_EQ(ini.ReadInteger("s", "bad", 7), 7);
  EXPECT_EQ(ini.ReadInteger("s", "word", 7), 7);
  EXPECT_EQ(ini.ReadInteger("s", "missing", 9), 9);
  EXPECT_TRUE(ini.ReadBool("s", "b", false));
  EXPECT_FALSE(ini.ReadBool("s", "z", true));
  EXPECT_TRUE(ini.ReadBool("s", "missing", true));
}

TEST(IniFile, FirstSectionAndFirstKeyOfAName) {
  const IniFile ini = IniFile::Parse("[s]\nk=1\nk=2\n[S]\nk=3\nother=4\n");
  EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
  EXPECT_EQ(ini.ReadInteger("s", "other", 0), 0);
}

TEST(IniFile, WritingKeepsOtherLinesAndAddsSectionsAtTheEnd) {
  IniFile ini = IniFile::Parse("; top comment\r\n[A]\r\n; keep me\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ini.WriteString("a", "X", "10");
  ini.WriteInteger("B", "z", 3);
  ini.WriteBool("C", "flag", true);
  EXPECT_EQ(
      ini.Serialize(),
      "; top comment\r\n\r\n[A]\r\n; keep me\r\nx=10\r\n\r\n[B]\r\ny=2\r\nz=3\r\n\r\n[C]\r\nflag=1\r\n");
  EXPECT_EQ(IniFile::Parse(ini.Serialize()).ReadInteger("c", "FLAG", 0), 1);
}

TEST(IniFile, ALineWithoutAKeyStaysAsItStands) {
  const IniFile ini = IniFile::Parse("[A]\r\n = no key\r\nx=1\r\n");
  EXPECT_EQ(ini.Serialize(), "[A]\r\n = no key\r\nx=1\r\n");
  EXPECT_EQ(ini.ReadString("A", "", "none"), "none");
}

TEST(IniFile, MissingFileIsEmptyAndSaveIsAtomic) {
  test::TempDir dir;
  EXPECT_EQ(IniFile::Load(dir.File("none.ini")).ReadString("a", "b", "default"), "default");
  IniFile ini;
  ini.WriteString("SETTINGS", "Exec", "4");
  ini.Save(dir.File("settings.ini"));
  EXPECT_EQ(test::ReadFile(dir.File("settings.ini")), "[SETTINGS]\r\nExec=4\r\n");
  EXPECT_EQ(IniFile::Load(dir.File("settings.ini")).ReadInteger("settings", "exec", 0), 4);
  EXPECT_ANY_THROW(ini.Save(dir.File("missing-folder/settings.ini")));
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);
}

}  // namespace
}  // namespace qm
