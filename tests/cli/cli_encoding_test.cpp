// The converter and text encodings: --info names a file's encoding, --encoding reads with a
// chosen one, --to-encoding writes another, and a character that does not fit fails the file.

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "test_support.h"

namespace qm {
namespace {

std::string Fixture(const std::string& name) { return test::TestData("encodings/" + name); }

TEST(CliEncoding, InfoNamesFormatEncodingAndCount) {
  const std::string utf16 = Fixture("utf-16be.srt"), cp1251 = Fixture("windows-1251.sub");
  const auto run = test::RunConvert({"--info", Fixture("utf-8-bom.srt"), utf16, Fixture("windows-1250.txt")});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "1\tSubRip\tutf-8-bom\t5\t" + Fixture("utf-8-bom.srt") + "\n1\tSubRip\tutf-16be\t5\t" +
                         utf16 + "\n5\tHH:MM:SS (SimpleTime)\twindows-1250\t2\t" +
                         Fixture("windows-1250.txt") + "\n");
  EXPECT_EQ(test::RunConvert({"--info", "--encoding", "windows-1251", cp1251}).out,
            "0\tMicroDVD\twindows-1251\t1\t" + cp1251 + "\n");
  // --detect keeps its three columns.
  EXPECT_EQ(test::RunConvert({"--detect", utf16}).out, "1\tSubRip\t" + utf16 + "\n");
}

TEST(CliEncoding, DumpPrintsUtf8WhateverTheFile) {
  const auto run = test::RunConvert({"--dump", "--encoding", "windows-1251", Fixture("windows-1251.srt")});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("Времена года|и снова зима"), std::string::npos) << run.out;
}

TEST(CliEncoding, ConvertsIntoTheChosenEncodingOrKeepsTheFilesOwn) {
  test::TempDir dir;
  const std::string out = dir.File("out.srt");
  EXPECT_EQ(test::RunConvert({"--to", "srt", "-o", out, Fixture("utf-16le.srt")}).code, 0);
  EXPECT_EQ(test::ReadFile(out), test::ReadFile(Fixture("utf-16le.srt")));
  EXPECT_EQ(
      test::RunConvert({"--to", "srt", "--to-encoding", "utf-8-bom", "-o", out, Fixture("utf-8.srt")}).code,
      0);
  EXPECT_EQ(test::ReadFile(out), test::ReadFile(Fixture("utf-8-bom.srt")));
  EXPECT_EQ(test::RunConvert({"--to", "srt", "--encoding", "windows-1252", "--to-encoding", "utf-8", "-o",
                              out, Fixture("windows-1252.txt")})
                .code,
            0);
  EXPECT_EQ(test::ReadFile(out),
            "1\r\n00:00:01,000 --> 00:00:01,000\r\nTrès bien, où est la forêt ?\r\n\r\n");
}

TEST(CliEncoding, ACharacterThatDoesNotFitFailsTheFileAndWritesNothing) {
  test::TempDir dir;
  const std::string out = dir.Write("out.srt", "kept");
  const auto run =
      test::RunConvert({"--to", "srt", "--to-encoding", "windows-1250", "-o", out, Fixture("utf-8.srt")});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("Subtitle 3 holds the character è (U+00E8), which windows-1250 cannot hold"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(test::ReadFile(out), "kept");
}

TEST(CliEncoding, UnknownEncodingNamesAreUsageErrors) {
  for (const char* option : {"--encoding", "--to-encoding"}) {
    const auto run = test::RunConvert({"--to", "srt", option, "klingon", "-o", "-", Fixture("utf-8.srt")});
    EXPECT_EQ(run.code, 2) << option;
    EXPECT_NE(run.err.find(option), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace qm
