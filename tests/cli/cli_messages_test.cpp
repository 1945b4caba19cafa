// What the converter prints about files: never their control characters raw, a failed
// write names the file that could not be written, and an answer that never reached standard
// output is a failure.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <streambuf>

#include "cli/cli_runner.h"
#include "test_support.h"

namespace qm {
namespace {

using test::CliRun;
using test::RunConvert;

bool HasRawControl(const std::string& text) {
  for (char c : text)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') || c == 0x7F) return true;
  return false;
}

TEST(CliMessages, FileBytesAndNamesReachTheTerminalEscaped) {
  test::TempDir dir;
  const std::string badNumber = dir.Write("esc.sub", "{1\x1b]2;owned\x07}{2}x\r\n");
  const std::string newlineName =
      dir.Write("two\nlines.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n");
  const std::string text = dir.Write("text.sub", "{1}{2}a\x1b[2Jb\r\n");
  std::filesystem::create_directory(dir.File("out"));
  const std::vector<std::vector<std::string>> runs = {
      {"--detect", newlineName, badNumber},
      {"--dump", badNumber},
      {"--dump", text},
      {"--check", newlineName},
      {"--to", "srt", "-d", dir.File("out"), newlineName, badNumber},
      {"--to", "srt", "--quiet", "-d", dir.File("out"), newlineName, dir.File("missing\x1b[2J.srt")},
  };
  for (const auto& args : runs) {
    const CliRun run = RunConvert(args);
    EXPECT_FALSE(HasRawControl(run.out)) << args[0] << ": " << run.out;
    EXPECT_FALSE(HasRawControl(run.err)) << args[0] << ": " << run.err;
  }
  const CliRun detect = RunConvert({"--detect", newlineName});
  EXPECT_EQ(detect.out, "1\tSubRip\t" + dir.Path() + "/two\\nlines.srt\n");
  EXPECT_NE(RunConvert({"--dump", badNumber}).err.find("'1\\x1b]2;owned\\x07' is not a valid integer value"),
            std::string::npos);
  EXPECT_NE(RunConvert({"--dump", text}).out.find("a\\x1b[2Jb"), std::string::npos);
}

TEST(CliMessages, AFailedWriteNamesTheOutputFile) {
  test::TempDir dir;
  const std::string in = dir.Write("valid.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n");
  const std::string out = dir.File("no-such-folder/out.srt");
  const CliRun run = RunConvert({"--to", "srt", "-o", out, in});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find(in + ": Cannot write " + out + ": File not found"), std::string::npos) << run.err;
}

// A standard output that takes nothing, as a full disk or a closed descriptor.
class RefusingBuffer final : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
  int sync() override { return -1; }
};

TEST(CliMessages, AnAnswerThatNeverArrivedIsAFailure) {
  test::TempDir dir;
  const std::string in = dir.Write("valid.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n");
  const std::vector<std::vector<std::string>> runs = {
      {"--to", "microdvd", "-o", "-", in},
      {"--detect", in},
      {"--dump", in},
      {"--info", in},
      {"--find", "x", in},
      {"--list-formats"},
      {"--version"},
  };
  for (const auto& args : runs) {
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    EXPECT_EQ(RunCli(args, out, err), 1) << args[0];
    EXPECT_NE(err.str().find("Cannot write standard output"), std::string::npos)
        << args[0] << ": " << err.str();
  }
  // The converted file is counted as not converted, against its own name, and said once.
  RefusingBuffer refusing;
  std::ostream out(&refusing);
  std::ostringstream err;
  RunCli(runs.front(), out, err);
  EXPECT_NE(err.str().find(in + ": Cannot write standard output\n      File not converted"),
            std::string::npos)
      << err.str();
  EXPECT_NE(err.str().find("Errors 1"), std::string::npos);
  EXPECT_EQ(err.str().find("Cannot write standard output"), err.str().rfind("Cannot write standard output"));

  // The program itself, on a full disk and on a closed standard output.
  for (const std::string redirect : {"> /dev/full", ">&-"}) {
    const std::string command = std::string(QM_CONVERT_EXE) + " --to microdvd -o - '" + in + "' " + redirect +
                                " 2> '" + dir.File("err.txt") + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << redirect;
    EXPECT_EQ(WEXITSTATUS(status), 1) << redirect;
    const std::string said = test::ReadFile(dir.File("err.txt"));
    EXPECT_NE(said.find(in + ": Cannot write standard output"), std::string::npos)
        << redirect << ": " << said;
    if (redirect == "> /dev/full") {
      EXPECT_NE(said.find("standard output: Disk full"), std::string::npos) << said;
    }
  }
}

}  // namespace
}  // namespace qm
