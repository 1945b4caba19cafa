#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "test_support.h"

namespace qm {
namespace {

using test::CliRun;
using test::RunConvert;

class CliTools : public ::testing::Test {
 protected:
  // Runs the converter on `input` (named `name`) writing to standard output.
  CliRun Run(const std::string& name, const std::string& input, std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "-", dir.Write(name, input)});
    return RunConvert(args);
  }
  test::TempDir dir;
};

const char* const kTwoSubRip =
    "1\r\n00:00:10,000 --> 00:00:12,500\r\nFirst\r\n\r\n2\r\n23:59:59,000 --> 23:59:59,500\r\nLast\r\n\r\n";

TEST_F(CliTools, ShiftMovesClockTimesToTheMillisecondAndWrapsPastMidnight) {
  const CliRun run = Run("a.srt", kTwoSubRip, {"--fps", "25", "--shift", "1,5"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "1\r\n00:00:11,500 --> 00:00:14,000\r\nFirst\r\n\r\n2\r\n00:00:00,500 --> "
            "00:00:01,000\r\nLast\r\n\r\n");
  // Seconds written with a point read the same.
  EXPECT_EQ(Run("b.srt", kTwoSubRip, {"--shift", "1.5"}).out, run.out);
}

TEST_F(CliTools, ShiftOnFramesCarriesSecondsOverThroughTheRate) {
  const std::string sub = "{100}{150}a\r\n";
  EXPECT_EQ(Run("a.sub", sub, {"--fps", "25", "--shift-frames", "25", "--only", "hide"}).out,
            "{100}{175}a\r\n");
  EXPECT_EQ(Run("b.sub", sub, {"--fps", "25", "--shift", "1,5"}).out, "{138}{188}a\r\n");  // 37.5 -> 38
  // Frames given for a clock-timed file: 36 frames at 23,976 are 1,502 s.
  EXPECT_EQ(Run("c.srt", kTwoSubRip, {"--shift-frames", "36", "--only", "show", "--range", "1-1"})
                .out.substr(0, 34),
            "1\r\n00:00:11,502 --> 00:00:12,500\r\n");
}

TEST_F(CliTools, RangeLimitsTheShiftAndAReversedRangeShiftsNothing) {
  const std::string sub = "{10}{20}a\r\n{30}{40}b\r\n{50}{60}c\r\n";
  EXPECT_EQ(Run("a.sub", sub, {"--shift-frames", "5", "--range", "2-3"}).out,
            "{10}{20}a\r\n{35}{45}b\r\n{55}{65}c\r\n");
  EXPECT_EQ(Run("b.sub", sub, {"--shift-frames", "5", "--range", "3-2"}).out, sub);
  EXPECT_EQ(Run("c.sub", sub, {"--shift-frames", "-15"}).out, "{0}{5}a\r\n{15}{25}b\r\n{35}{45}c\r\n");
}

TEST_F(CliTools, SpeedChangeFromTwoFrameRatesOrAFactor) {
  EXPECT_EQ(Run("a.sub", "{1000}{1050}a\r\n", {"--fps-from", "25", "--fps-to", "23,976"}).out,
            "{959}{1007}a\r\n");
  const CliRun run =
      Run("b.srt", "1\r\n00:01:00,000 --> 00:00:10,000\r\nx\r\n", {"--fps-to", "23.976", "--fps-from", "25"});
  EXPECT_EQ(run.out.substr(3, 29), "00:00:57,542 --> 00:00:09,590");
  EXPECT_EQ(Run("c.sub", "{240}{250}a\r\n", {"--scale", "1,5"}).out, "{360}{375}a\r\n");
}

TEST_F(CliTools, ToolsRunInTheOrderGiven) {
  const std::string sub = "{100}{150}a\r\n";
  EXPECT_EQ(Run("a.sub", sub, {"--hide-from-show", "--shift-frames", "75", "--only", "hide"}).out,
            "{100}{175}a\r\n");
  EXPECT_EQ(Run("b.sub", sub, {"--show-from-hide"}).out, "{150}{150}a\r\n");
}

TEST_F(CliTools, TextToolsWithArgumentsInUtf8) {
  EXPECT_EQ(Run("a.sub", "{1}{2}banana\r\n", {"--replace", "a", "b"}).out, "{1}{2}bbnbnb\r\n");
  EXPECT_EQ(Run("b.sub", "{1}{2}k\xF9\xF2\r\n", {"--replace", "ů", "u"}).out, "{1}{2}ku\xF2\r\n");
  EXPECT_EQ(Run("b8.sub", "{1}{2}kůň\r\n", {"--replace", "ů", "u"}).out, "{1}{2}kuň\r\n");
  EXPECT_EQ(Run("c.sub",
                "{1}{2}\xE8"
                "e\x9Atina\r\n",
                {"--remove-accents"})
                .out,
            "{1}{2}cestina\r\n");
  EXPECT_EQ(Run("d.sub", "{1}{2}a b | \r\n", {"--trim"}).out, "{1}{2}a b\r\n");
  EXPECT_EQ(Run("e.sub", "{1}{2}aaa bbb\r\n", {"--wrap", "4"}).out, "{1}{2}aaa |bbb\r\n");
  EXPECT_EQ(Run("f.sub", "{1}{9}a\r\n{5}{20}b\r\n", {"--repair-overlaps"}).out, "{1}{5}a\r\n{5}{20}b\r\n");
  EXPECT_EQ(Run("g.sub", "{1}{2}a\r\n{3}{4}|\r\n{5}{6}b\r\n", {"--delete-empty"}).out,
            "{1}{2}a\r\n{5}{6}b\r\n");
}

TEST_F(CliTools, ToolsWithoutToKeepEachFilesFormatAndExtension) {
  const std::string in = dir.Write("film.srt", kTwoSubRip);
  std::filesystem::create_directory(dir.File("out"));
  EXPECT_EQ(RunConvert({"--shift", "1", "-d", dir.File("out"), in}).code, 0);
  EXPECT_EQ(test::ReadFile(dir.File("out/film.srt")).substr(0, 34), "1\r\n00:00:11,000 --> 00:00:13,500\r\n");
}

TEST_F(CliTools, FindWalksFromTheGivenRowLikeTheEditor) {
  const std::string in = dir.Write("a.sub", "{1}{2}Ahoj\r\n{3}{4}nic\r\n{5}{6}AHOJ\r\n");
  CliRun run = RunConvert({"--find", "ahoj", in});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "3\n");  // the search starts at the neighbour of row 1
  EXPECT_EQ(RunConvert({"--find", "ahoj", "--from", "3", "--up", in}).out, "1\n");
  run = RunConvert({"--find", "ahoj", "--case", in});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
}

TEST_F(CliTools, BadValuesAreUsageErrorsNamingTheOption) {
  const std::string in = dir.Write("a.sub", "{1}{2}a\r\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--shift", "x"}, "--shift"},
      {{"--shift-frames", "1,5"}, "--shift-frames"},
      {{"--fps", "0", "--shift", "1"}, "--fps"},
      {{"--wrap", "0"}, "--wrap"},
      {{"--range", "5"}, "--range"},
      {{"--range", "a-b"}, "--range"},
      {{"--range", "0-3"}, "--range"},
      {{"--only", "both", "--shift", "1"}, "--only"},
      {{"--fps-from", "25"}, "--fps-from"},
      {{"--fps-from", "0", "--fps-to", "25"}, "--fps-from"},
      {{"--scale", "-1"}, "--scale"},
      {{"--shift", "1e18"}, "--shift"},
      {{"--up", "--shift", "1"}, "--up"},
  };
  for (const auto& [args, option] : cases) {
    std::vector<std::string> full = args;
    full.insert(full.end(), {"-o", dir.File("out.sub"), in});
    const CliRun run = RunConvert(full);
    EXPECT_EQ(run.code, 2) << option;
    EXPECT_NE(run.err.find(option), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.sub")));
}

}  // namespace
}  // namespace qm
