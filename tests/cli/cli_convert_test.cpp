#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "test_support.h"

namespace qm {
namespace {

using test::CliRun;
using test::RunConvert;

const char* const kSubRip =
    "1\r\n00:00:01,000 --> 00:00:04,000\r\nFirst line|x\r\n\r\n"
    "2\r\n00:00:05,500 --> 00:00:07,000\r\nSecond\r\n\r\n";

class CliConvert : public ::testing::Test {
 protected:
  test::TempDir dir;
};

TEST_F(CliConvert, ConvertsBetweenTimingKindsThroughTheFrameRate) {
  const std::string in = dir.Write("film.srt", kSubRip);
  for (const char* rate : {"25", "25,0", "25.0"}) {
    const CliRun run = RunConvert({"--to", "microdvd", "--fps", rate, "-o", dir.File("film.sub"), in});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(test::ReadFile(dir.File("film.sub")), "{25}{100}First line|x\r\n{138}{175}Second\r\n") << rate;
  }
  // 5.5 s x 25 = 137.5: ties go to the even frame.
}

// A MicroDVD rate line gives the rate when --fps does not; with --fps the line only reports it.
TEST_F(CliConvert, AFilesOwnFrameRateServesWhenNoneIsGiven) {
  const std::string in = dir.Write("film.sub", "{1}{1}29,97\r\n{2997}{5994}One\r\n");
  CliRun run = RunConvert({"--to", "srt", "-o", dir.File("a.srt"), in});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(test::ReadFile(dir.File("a.srt")), "1\r\n00:01:40,000 --> 00:03:20,000\r\nOne\r\n\r\n");
  EXPECT_NE(run.err.find("      Frame rate from the file: 29,97\n"), std::string::npos) << run.err;

  run = RunConvert({"--to", "srt", "--fps", "25", "-o", dir.File("b.srt"), in});
  EXPECT_EQ(test::ReadFile(dir.File("b.srt")), "1\r\n00:01:59,880 --> 00:03:59,760\r\nOne\r\n\r\n");
  EXPECT_NE(run.err.find("The file gives its own frame rate: 29,97 (--fps used)"), std::string::npos)
      << run.err;

  // The tools work at the rate the file is converted at: 1 s is 29.97 frames.
  run = RunConvert({"--shift", "1", "-o", dir.File("c.sub"), in});
  EXPECT_EQ(test::ReadFile(dir.File("c.sub")), "{3027}{6024}One\r\n");
}

// Times before zero are read as zero with a warning, even with --quiet; a file that gives no
// subtitle is not read and not converted.
TEST_F(CliConvert, ZeroedTimesWarnAndAFileOfNoSubtitleFails) {
  const std::string negative = dir.Write("neg.srt", "1\r\n-00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n");
  CliRun run = RunConvert({"--quiet", "--to", "srt", "-o", dir.File("a.srt"), negative});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, negative + ": Times before 0:00:00 read as 0:00:00: 1\n");
  EXPECT_EQ(test::ReadFile(dir.File("a.srt")), "1\r\n00:00:00,000 --> 00:00:02,000\r\nOne\r\n\r\n");

  const std::string empty = dir.Write("rate-only.sub", "{1}{1}23.976\r\n");
  run = RunConvert({"--to", "srt", "-o", dir.File("b.srt"), empty});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find(empty + ": No subtitle was found in the file; it was not read.\n"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.srt")));
}

TEST_F(CliConvert, SameTimingKindDoesNotUseTheFrameRate) {
  const std::string in = dir.Write("a.srt", kSubRip);
  EXPECT_EQ(RunConvert({"--to", "srt", "-o", dir.File("b.srt"), in}).code, 0);
  EXPECT_EQ(test::ReadFile(dir.File("b.srt")),
            "1\r\n00:00:01,000 --> 00:00:04,000\r\nFirst line\r\nx\r\n\r\n"
            "2\r\n00:00:05,500 --> 00:00:07,000\r\nSecond\r\n\r\n");
}

TEST_F(CliConvert, StandardOutput) {
  const std::string in = dir.Write("a.srt", kSubRip);
  const CliRun run = RunConvert({"--to", "5", "-o", "-", in});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "00:00:01:First line|x\r\n00:00:05:Second\r\n");
}

TEST_F(CliConvert, FolderOutputNamesAndExtensions) {
  const std::string in = dir.Write("film.srt", kSubRip);
  std::filesystem::create_directory(dir.File("out"));
  EXPECT_EQ(RunConvert({"--to", "ssa", "-d", dir.File("out"), in}).code, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/film.ssa")));
  EXPECT_EQ(RunConvert({"--to", "dks", "-d", dir.File("out") + "/", "--ext", "", in}).code, 0);
  EXPECT_EQ(test::ReadFile(dir.File("out/film.srt")).substr(0, 10), "[00:00:01]");
  EXPECT_EQ(RunConvert({"--to", "aqt", "-d", dir.File("out"), "--ext", ".txt", in}).code, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/film.txt")));
}

TEST_F(CliConvert, NoOverwriteSkipsExistingOutputsWithAReportLine) {
  const std::string in = dir.Write("film.srt", kSubRip);
  std::filesystem::create_directory(dir.File("out"));
  const std::string existing = dir.Write("out/film.sub", "keep me");
  const CliRun run = RunConvert({"--to", "microdvd", "-d", dir.File("out"), "--no-overwrite", in});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(test::ReadFile(existing), "keep me");
  EXPECT_NE(run.err.find("Skipped: " + existing + " exists"), std::string::npos) << run.err;
}

TEST_F(CliConvert, ReportsEachFileAndGoesOnAfterFailures) {
  const std::string good = dir.Write("good.srt", kSubRip);
  const std::string junk = dir.Write("junk.txt", "no subtitles here\n");
  const std::string bad = dir.Write("bad.sub", "{1x}{2}text\r\n");
  std::filesystem::create_directory(dir.File("out"));
  const CliRun run =
      RunConvert({"--to", "srt", "-d", dir.File("out"), junk, dir.File("missing.srt"), bad, good});
  EXPECT_EQ(run.code, 1);
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/good.srt")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("out/junk.srt")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("out/bad.srt")));
  for (const std::string& expected : std::vector<std::string>{
           "Opening " + junk + "\n      Unknown format\n      File not converted\n",
           dir.File("missing.srt") + ": File not found\n", bad + ": '1x' is not a valid integer value\n",
           "Opening " + good + "\n      Format:  SubRip\n      File converted\n",
           "Converted 1/4\nErrors 3\n"})
    EXPECT_NE(run.err.find(expected), std::string::npos) << expected << "\n---\n" << run.err;
}

TEST_F(CliConvert, QuietKeepsOnlyErrors) {
  const std::string good = dir.Write("good.srt", kSubRip);
  const std::string junk = dir.Write("junk.txt", "no subtitles here\n");
  const CliRun run = RunConvert({"--quiet", "--to", "srt", "-d", dir.Path(), "--ext", "out", good, junk});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, junk + ": format not recognised\n");
}

TEST_F(CliConvert, UsageErrorsWriteNothing) {
  const std::string in = dir.Write("a.srt", kSubRip);
  const std::vector<std::vector<std::string>> cases = {
      {"--to", "sami", "-o", dir.File("x"), in},
      {"--to", "radlight", "-o", dir.File("x"), in},
      {"--to", "webvtt", "-o", dir.File("x"), in},
      {"--to", "srt", "--fps", "0", "-o", dir.File("x"), in},
      {"--to", "srt", "--fps", "abc", "-o", dir.File("x"), in},
      {"--to", "srt", "-o", dir.File("x"), in, in},
      {"--to", "srt", in},
      {"--to", "srt", "-o", dir.File("x"), "-d", dir.Path(), in},
      {"--to", "srt", "-d", dir.File("no-such-folder"), in},
      {"--to", "srt", "-o", dir.File("x")},
      {"--to"},
      {"--dump"},
      {"--list-formats", in},
      {"--detect", in, "--to", "srt"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunConvert(args);
    EXPECT_EQ(run.code, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    EXPECT_NE(run.err.find("quillmark-convert: "), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("x")));
}

TEST_F(CliConvert, DumpPrintsRecordsAndStopsAtAFailure) {
  const std::string in = dir.Write("a.sub", "{10}{20}a\\b\tc\r\n{30}{x}d\r\n{50}{60}e\r\n");
  const CliRun run = RunConvert({"--dump", in});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out,
            "1\t10\t20\t0\t0\t0\t0\t0\t0\t000\t000\ta\\\\b\\tc\n"
            "2\t30\t0\t0\t0\t0\t0\t0\t0\t000\t000\t\n");
  EXPECT_EQ(run.err, in + ": 'x' is not a valid integer value\n");
}

TEST_F(CliConvert, ListFormatsShowsTheCatalogue) {
  const CliRun run = RunConvert({"--list-formats"});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("0\tMicroDVD\tframes\tread/write\tmicrodvd\n"), std::string::npos);
  EXPECT_NE(run.out.find("11\tSAMI\t-\t-\tsami\n"), std::string::npos);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 13);
}

TEST_F(CliConvert, MoreThanTheTableHoldsConvertsTheFirst20000AndSaysSo) {
  std::string big;
  for (int i = 1; i <= 20001; ++i)
    big.append("{").append(std::to_string(i)).append("}{").append(std::to_string(i + 1)).append("}t\r\n");
  const std::string in = dir.Write("big.sub", big);
  const CliRun run = RunConvert({"--to", "microdvd", "-o", dir.File("out.sub"), in});
  EXPECT_EQ(run.code, 3);
  const std::string out = test::ReadFile(dir.File("out.sub"));
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 20000);
  EXPECT_NE(run.err.find("20000"), std::string::npos);

  // Written over itself (by name, by a link, or by keeping the name in a folder run) the
  // file would lose the rest: it is kept as it is, and the run says so.
  std::filesystem::create_symlink(in, dir.File("link.sub"));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--to", "microdvd", "-o", in, in},
        std::vector<std::string>{"--to", "microdvd", "-o", dir.File("link.sub"), in},
        std::vector<std::string>{"--shift", "1", "-d", dir.Path(), "--ext", "", in}}) {
    const CliRun kept = RunConvert(args);
    EXPECT_EQ(kept.code, 3) << args[2];
    EXPECT_NE(kept.err.find("it was kept as it is"), std::string::npos) << kept.err;
    EXPECT_EQ(test::ReadFile(in), big);
  }
}

}  // namespace
}  // namespace qm
