#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "cli/cli.h"
#include "test_support.h"

namespace qm {
namespace {

const char* const kSubRip = "1\r\n00:00:01,000 --> 00:00:02,000\r\nLine\r\n\r\n";

struct Outcome {
  int code;
  std::string err;
};

class CliProgressLine : public ::testing::Test {
 protected:
  std::vector<std::string> Files(int count) {
    std::vector<std::string> args = {"--to", "microdvd", "-d", dir.Path()};
    for (int i = 0; i < count; ++i) args.push_back(dir.Write("f" + std::to_string(i) + ".srt", kSubRip));
    return args;
  }
  static Outcome Convert(const std::vector<std::string>& args, bool terminal) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err, CliConsole{terminal});
    return {code, err.str()};
  }
  test::TempDir dir;
};

TEST_F(CliProgressLine, OnATerminalTheLineCountsUpAndIsWipedAroundTheReport) {
  const std::vector<std::string> args = Files(4);
  const Outcome plain = Convert(args, false);
  const Outcome terminal = Convert(args, true);
  EXPECT_EQ(terminal.code, 0);
  for (int done = 1; done <= 4; ++done)
    EXPECT_NE(terminal.err.find("Converted " + std::to_string(done) + " of 4 files (" +
                                std::to_string(done * 25) + "%)"),
              std::string::npos)
        << terminal.err;
  // Wiping each drawn line leaves exactly the report a file or a pipe gets, ending clean.
  const std::regex drawn(R"(Converted \d+ of \d+ files \(\d+%\)\r\x1b\[K)");
  EXPECT_EQ(std::regex_replace(terminal.err, drawn, ""), plain.err);
  EXPECT_EQ(plain.err.find('\x1b'), std::string::npos);
  EXPECT_EQ(terminal.err.substr(terminal.err.size() - 4), "\r\x1b[K");
}

TEST_F(CliProgressLine, NoLineForAFewFilesOrWithQuiet) {
  EXPECT_EQ(Convert(Files(3), true).err.find("files ("), std::string::npos);
  std::vector<std::string> quiet = Files(6);
  quiet.insert(quiet.begin(), "--quiet");
  const Outcome run = Convert(quiet, true);
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "");
}

TEST_F(CliProgressLine, ErrorsStayReadableBetweenProgressLines) {
  std::vector<std::string> args = Files(4);
  args.push_back(dir.File("missing.srt"));
  const Outcome run = Convert(args, true);
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("\r\x1b[K" + dir.File("missing.srt") + ": File not found\n"), std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace qm
