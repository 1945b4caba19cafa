#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "test_support.h"

namespace qm {
namespace {

using test::RunConvert;

TEST(CliCheck, OneLinePerFindingAndExitCodes) {
  test::TempDir dir;
  const std::string clean = dir.Write("clean.srt", "1\r\n00:00:01,000 --> 00:00:03,000\r\nfine\r\n\r\n");
  const std::string bad = dir.Write("bad.srt",
                                    "1\r\n00:00:01,000 --> 00:00:09,000\r\nlong\r\n\r\n"
                                    "2\r\n00:00:08,500 --> 00:00:10,000\r\na|b|c\r\n\r\n");
  EXPECT_EQ(RunConvert({"--check", clean}).code, 0);
  EXPECT_EQ(RunConvert({"--check", clean}).out, "");

  const auto run = RunConvert({"--check", clean, bad});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, bad + ":1: 00:00:01,000 shown for 8 s, longer than 7 s\n" + bad +
                         ":1: 00:00:01,000 still shown 0,5 s after subtitle 2 starts\n" + bad +
                         ":2: 00:00:08,500 3 lines, more than 2\n");
  EXPECT_EQ(run.err, "");
}

TEST(CliCheck, FramesAreTimedAtTheDefaultRateAndFailuresReported) {
  test::TempDir dir;
  const std::string shortSub = dir.Write("b.sub", "{0}{12}x\r\n");
  EXPECT_EQ(RunConvert({"--check", shortSub}).out,
            shortSub + ":1: 00:00:00,000 shown for 0,501 s, shorter than 1 s\n");
  const auto missing = RunConvert({"--check", dir.File("missing.srt"), dir.Write("junk.txt", "hello\n")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("missing.srt: File not found"), std::string::npos);
  EXPECT_NE(missing.err.find("junk.txt: format not recognised"), std::string::npos);
  EXPECT_EQ(RunConvert({"--check"}).code, 2);
  EXPECT_EQ(RunConvert({"--check", "--to", "srt", shortSub}).code, 2);
}

}  // namespace
}  // namespace qm
