// The converter's command line as getopt_long reads it: "--opt=value" for every option with
// a value, "--" before file names that begin with "-", tools in the order given, and values
// whose results could not be represented refused before anything is read or written.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "formats/catalogue.h"
#include "test_support.h"

namespace qm {
namespace {

using test::CliRun;
using test::RunConvert;

TEST(CliOptions, ValuesJoinedByEqualsReadLikeSeparateOnes) {
  const CliOptions joined =
      ParseCliOptions({"--to=srt", "--fps=25", "-d", "out", "--shift=-1,5", "--replace=a", "b", "--wrap=40",
                       "--only=show", "--range=2-3", "--ext=", "in.sub"});
  EXPECT_EQ(joined.Format, FormatFromCliName("srt"));
  EXPECT_DOUBLE_EQ(joined.FrameRate, 25);
  EXPECT_EQ(joined.Directory, "out");
  ASSERT_EQ(joined.Tools.Steps.size(), 3u);
  EXPECT_DOUBLE_EQ(joined.Tools.Steps[0].Number, -1.5);
  EXPECT_EQ(joined.Tools.Steps[1].Find, "a");
  EXPECT_EQ(joined.Tools.Steps[1].Replacement, "b");
  EXPECT_EQ(joined.Tools.Steps[2].Width, 40);
  EXPECT_FALSE(joined.Tools.Hide);
  EXPECT_EQ(joined.Tools.Range->Last, 3);
  EXPECT_EQ(joined.Extension, "");
  EXPECT_EQ(joined.Files, std::vector<std::string>{"in.sub"});
}

TEST(CliOptions, FilesAmongOptionsKeepTheirOrderAndDoubleDashEndsTheOptions) {
  const CliOptions o = ParseCliOptions(
      {"b.srt", "--scale", "2", "a.srt", "--shift", "1", "-d", "out", "--", "-x.srt", "--to", "-"});
  EXPECT_EQ(o.Files, (std::vector<std::string>{"b.srt", "a.srt", "-x.srt", "--to", "-"}));
  ASSERT_EQ(o.Tools.Steps.size(), 2u);
  EXPECT_EQ(o.Tools.Steps[0].Kind, ToolKind::Scale);
  EXPECT_EQ(o.Tools.Steps[1].Kind, ToolKind::ShiftSeconds);
  // Values that begin with "-" are values, also the second one of --replace.
  const CliOptions dashes =
      ParseCliOptions({"--replace", "-a", "-b", "--shift-frames", "-3", "-o", "-", "f"});
  EXPECT_EQ(dashes.Tools.Steps[0].Find, "-a");
  EXPECT_EQ(dashes.Tools.Steps[0].Replacement, "-b");
  EXPECT_DOUBLE_EQ(dashes.Tools.Steps[1].Number, -3);
  EXPECT_EQ(dashes.Output, "-");
}

TEST(CliOptions, FindAndReplaceTextsStayAsGiven) {
  EXPECT_EQ(ParseCliOptions({"--find", "日本", "f"}).FindText, "日本");
  EXPECT_EQ(ParseCliOptions({"--replace", "ů", "日", "-o", "x", "f"}).Tools.Steps[0].Replacement, "日");
}

TEST(CliOptions, WrongOptionsAreNamedAndTheirBytesEscaped) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--quiet=yes", "f"}, "--quiet takes no value"},
      {{"--t", "f"}, "ambiguous option '--t' (--to-encoding, --to, --trim)"},
      {{"--bogus=1", "f"}, "unknown option '--bogus'"},
      {{"-x.srt"}, "unknown option '-x'"},
      {{"f", "--to"}, "--to needs a value"},
      {{"f", "-o"}, "-o needs a value"},
      {{"--replace", "a"}, "--replace needs two values"},
      {{"--no\x1b]2;owned\a", "f"}, "unknown option '--no\\x1b]2;owned\\x07'"},
      {{"--only", "both\n", "f"}, "not 'both\\n'"},
  };
  for (const auto& [args, message] : cases) {
    try {
      ParseCliOptions(args);
      ADD_FAILURE() << args[0];
    } catch (const UsageError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
}

TEST(CliOptions, HelpAndVersionWinWhereverTheyStand) {
  EXPECT_EQ(ParseCliOptions({"--to", "srt", "--help", "--bogus"}).Command, CliCommand::Help);
  EXPECT_EQ(ParseCliOptions({"f", "-h"}).Command, CliCommand::Help);
  EXPECT_EQ(ParseCliOptions({"--version", "f"}).Command, CliCommand::Version);
  EXPECT_THROW(ParseCliOptions({"--bogus", "--help"}), UsageError);  // read in order
}

TEST(CliOptions, NumbersWhoseResultsCannotBeRepresentedAreRefusedAndNothingIsWritten) {
  test::TempDir dir;
  const std::string in = dir.Write("a.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--scale", "1e300"}, "--scale: '1e300' is out of range (0.001 to 1000)"},
      {{"--scale", "0"}, "--scale"},
      {{"--shift", "1e18"}, "--shift: '1e18' is out of range (-360000 to 360000 seconds)"},
      {{"--shift", "-360001"}, "--shift"},
      {{"--fps", "1e300", "--to", "microdvd"}, "--fps: '1e300' is out of range"},
      {{"--fps", "0.0001", "--to", "microdvd"}, "--fps"},
      {{"--fps-from", "0.001", "--fps-to", "1000"}, "the speed change 1000000 is out of range"},
      {{"--shift-frames", "2000000000"}, "--shift-frames: 2000000000 frames is out of range"},
      {{"--shift-frames", "1000", "--fps", "0.001"}, "--shift-frames"},
  };
  for (const auto& [args, message] : cases) {
    std::vector<std::string> full = args;
    full.insert(full.end(), {"-o", dir.File("out.srt"), in});
    const CliRun run = RunConvert(full);
    EXPECT_EQ(run.code, 2) << message;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.srt")));
  // At the limits the tools still run.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--scale", "1000"}, {"--shift", "-360000"}, {"--fps", "1000", "--to", "microdvd"}}) {
    std::vector<std::string> full = args;
    full.insert(full.end(), {"-o", "-", in});
    EXPECT_EQ(RunConvert(full).code, 0) << args[0];
  }
}

TEST(CliOptions, AFileNamedLikeAnOptionConvertsAfterDoubleDash) {
  test::TempDir dir;
  const std::string in = dir.Write("-x.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n");
  std::filesystem::create_directory(dir.File("out"));
  const CliRun run = RunConvert({"--to=microdvd", "--fps=25", "-d", dir.File("out"), "--", in});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(test::ReadFile(dir.File("out/-x.sub")), "{25}{50}x\r\n");
}

}  // namespace
}  // namespace qm
