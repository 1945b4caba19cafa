#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "test_support.h"

namespace qm {
namespace {

using test::CliRun;
using test::RunConvert;

TEST(CliDetect, OneLinePerFileAndExitCodes) {
  test::TempDir dir;
  const std::string srt = dir.Write("a.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n");
  const std::string sub = dir.Write("b.sub", "{1}{2}x\r\n");
  CliRun run = RunConvert({"--detect", srt, sub});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "1\tSubRip\t" + srt + "\n0\tMicroDVD\t" + sub + "\n");
  EXPECT_EQ(run.err, "");

  const std::string junk = dir.Write("c.txt", "hello\n");
  run = RunConvert({"--detect", junk, dir.File("missing.srt"), srt});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "13\t???\t" + junk + "\n1\tSubRip\t" + srt + "\n");
  EXPECT_NE(run.err.find(junk + ": format not recognised"), std::string::npos);
  EXPECT_NE(run.err.find("missing.srt: File not found"), std::string::npos);
}

TEST(CliDetect, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunConvert({}).code, 2);
  EXPECT_EQ(RunConvert({"--detect"}).code, 2);
  EXPECT_EQ(RunConvert({"--frobnicate"}).code, 2);
  EXPECT_EQ(RunConvert({"--help"}).code, 0);
  EXPECT_NE(RunConvert({"--version"}).out.find("0.91"), std::string::npos);
}

TEST(CliDetect, RealExecutableSmoke) {
  test::TempDir dir;
  const std::string sub = dir.Write("b.sub", "{1}{2}x\r\n");
  const std::string command =
      std::string(QM_CONVERT_EXE) + " --detect '" + sub + "' > " + dir.File("out.txt");
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(test::ReadFile(dir.File("out.txt")), "0\tMicroDVD\t" + sub + "\n");
}

}  // namespace
}  // namespace qm
