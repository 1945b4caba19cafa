#include "batch/batch_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "test_support.h"

namespace qm {
namespace {

const char* const kMicroDvd = "{25}{50}One\r\n";
const char* const kSubRip = "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n";

// Records every step the engine reports, answers the overwrite question from a script (No
// when it runs out), and ends the run at a failure as the window does, or goes on as the
// converter does.
class Recorder final : public BatchObserver {
 public:
  std::vector<std::string> Steps;
  std::deque<bool> OverwriteAnswers;
  bool GoOnAfterFailure = false;
  std::function<void(int done)> OnFileDone;
  std::function<void(const std::string& line)> OnLine;

  void AddLine(const std::string& line) override {
    if (OnLine) OnLine(line);
    Steps.push_back(line);
  }
  bool ConfirmOverwrite(const std::string&, const std::string& question) override {
    Steps.push_back("? " + question);
    const bool yes = !OverwriteAnswers.empty() && OverwriteAnswers.front();
    if (!OverwriteAnswers.empty()) OverwriteAnswers.pop_front();
    return yes;
  }
  bool ContinueAfterFailure(const std::string& path, const QuillmarkError& error) override {
    Steps.push_back("! " + path + ": " + error.what());
    return GoOnAfterFailure;
  }
  void Truncated(const std::string& path, bool inputKept) override {
    Steps.push_back("truncated " + path + (inputKept ? " kept" : ""));
  }
  void NegativeTimesZeroed(const std::string&, int32_t count) override {
    Steps.push_back("zeroed " + std::to_string(count));
  }
  void FileFrameRate(const std::string&, double rate, bool used) override {
    Steps.push_back("rate " + std::to_string(rate).substr(0, 5) + (used ? " used" : " reported"));
  }
  void FileDone(int done, int total) override {
    Steps.push_back("done " + std::to_string(done) + "/" + std::to_string(total));
    if (OnFileDone) OnFileDone(done);
  }
  void WriteStream(const std::string&) override {}
};

class BatchEngine : public ::testing::Test {
 protected:
  BatchOutcome Run(BatchRequest request) {
    if (request.Destination.empty()) request.Destination = out + "/";
    return ConvertFiles(*work, request, EnglishBatchTexts(), BuiltInFormatNames(), recorder);
  }
  // The three lines of a converted file.
  static std::vector<std::string> Converted(const std::string& path, const std::string& format) {
    return {"Opening " + path, "      Format:  " + format, "      File converted"};
  }

  test::TempDir dir;
  std::string out = dir.File("out");
  std::unique_ptr<SubtitleDocument> work = std::make_unique<SubtitleDocument>();
  Recorder recorder;

  void SetUp() override { std::filesystem::create_directory(out); }
};

TEST_F(BatchEngine, ReportsEachStepAndStepsOncePerFile) {
  BatchRequest request;
  request.Files = {dir.Write("a.sub", kMicroDvd), dir.Write("b.txt", "nothing known\r\n")};
  request.Layout = 1;
  request.FrameRate = 25;
  const BatchOutcome outcome = Run(request);
  const std::vector<std::string> expected = {"Opening " + request.Files[0],
                                             "      Format:  MicroDVD",
                                             "      File converted",
                                             "done 1/2",
                                             "Opening " + request.Files[1],
                                             "      Unknown format",
                                             "      File not converted",
                                             "done 2/2",
                                             "Converted 1/2",
                                             "Errors 1"};
  EXPECT_EQ(recorder.Steps, expected);
  EXPECT_TRUE(outcome.Completed);
  EXPECT_EQ(test::ReadFile(out + "/a.sub"), kSubRip);
}

// The outputs written before the failure are in place and on disk when the run ends.
TEST_F(BatchEngine, FailureEndsTheRunWhenTheObserverSaysSo) {
  BatchRequest request;
  request.Files = {dir.Write("a.sub", kMicroDvd), dir.File("gone.sub"), dir.Write("c.sub", kMicroDvd)};
  dir.Write("out/a.sub", "old");
  const BatchOutcome outcome = Run(request);
  ASSERT_EQ(recorder.Steps.size(), 5u);
  EXPECT_EQ(recorder.Steps[3], "done 1/3");
  EXPECT_EQ(recorder.Steps[4], "! " + request.Files[1] + ": File not found");
  EXPECT_FALSE(outcome.Completed);
  EXPECT_EQ(test::ReadFile(out + "/a.sub"), kMicroDvd);
  EXPECT_FALSE(std::filesystem::exists(out + "/c.sub"));
  EXPECT_EQ(test::CountEntries(out), 1);
}

// A file's own frame rate converts it where the run lets it (the converter without --fps) and
// is only reported where the run keeps its own (the batch window); zeroed times are reported.
TEST_F(BatchEngine, FileFrameRateAndZeroedTimesPerFile) {
  BatchRequest request;
  request.Files = {dir.Write("a.sub", "{1}{1}29.970\r\n{2997}{5994}One\r\n"),
                   dir.Write("b.srt", "1\r\n-00:00:01,000 --> -00:00:00,500\r\nOne\r\n\r\n")};
  request.Layout = 1;
  request.KeepExtension = false;
  request.Extension = "srt";
  request.FrameRate = 25;
  request.UseFileFrameRate = true;
  Run(request);
  EXPECT_EQ(test::ReadFile(out + "/a.srt"), "1\r\n00:01:40,000 --> 00:03:20,000\r\nOne\r\n\r\n");
  EXPECT_EQ(test::ReadFile(out + "/b.srt"), "1\r\n00:00:00,000 --> 00:00:00,000\r\nOne\r\n\r\n");
  const std::vector<std::string> reports = {recorder.Steps[1], recorder.Steps[6]};
  EXPECT_EQ(reports, (std::vector<std::string>{"rate 29.97 used", "zeroed 2"}));

  recorder.Steps.clear();
  request.UseFileFrameRate = false;
  request.Files.resize(1);
  Run(request);
  EXPECT_EQ(test::ReadFile(out + "/a.srt"), "1\r\n00:01:59,880 --> 00:03:59,760\r\nOne\r\n\r\n");
  EXPECT_EQ(recorder.Steps[1], "rate 29.97 reported");
}

// The output's name: the input's file name in the destination, its extension kept or
// replaced after the last dot of the file name (a dot in a folder's name does not count).
TEST_F(BatchEngine, OutputNames) {
  const struct {
    const char* input;
    bool keepExtension;
    const char* extension;
    const char* output;
  } cases[] = {
      {"film.srt", true, "sub", "film.srt"},
      {"film.srt", false, "sub", "film.sub"},
      {"film.srt", false, ".srt", "film..srt"},
      {"film.srt", false, "", "film."},
      {"film", false, "sub", "film.sub"},
      {"v1.0/film", false, "sub", "film.sub"},
      {"film.old.srt", false, "sub", "film.old.sub"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    std::filesystem::create_directories(
        std::filesystem::path(dir.File(std::string("in/") + c.input)).parent_path());
    BatchRequest request;
    request.Files = {dir.Write(std::string("in/") + c.input, kMicroDvd)};
    request.KeepExtension = c.keepExtension;
    request.Extension = c.extension;
    request.Destination = out + "/";
    EXPECT_EQ(BatchOutputPath(request, request.Files[0]), out + "/" + c.output) << c.input;
    Run(request);
    EXPECT_EQ(test::ReadFile(out + "/" + c.output), kMicroDvd) << c.input;
    EXPECT_EQ(test::CountEntries(out), 1) << c.input;
  }
}

// With overwriting off, an existing output is written only when the user says yes; declined,
// the file still counts as converted and the old output stays.
TEST_F(BatchEngine, OverwriteOrNot) {
  const struct {
    bool overwrite, exists;
    std::deque<bool> answers;
    bool asked, written;
  } cases[] = {
      {true, true, {}, false, true},
      {false, false, {}, false, true},
      {false, true, {false}, true, false},
      {false, true, {true}, true, true},
  };
  const std::string input = dir.Write("film.sub", kMicroDvd);
  const std::string output = out + "/film.srt";
  for (const auto& c : cases) {
    std::filesystem::remove(output);
    if (c.exists) dir.Write("out/film.srt", "old");
    recorder.Steps.clear();
    recorder.OverwriteAnswers = c.answers;
    BatchRequest request;
    request.Files = {input};
    request.Layout = 1;
    request.FrameRate = 25;
    request.KeepExtension = false;
    request.Extension = "srt";
    request.Overwrite = c.overwrite;
    const BatchOutcome outcome = Run(request);
    std::vector<std::string> expected = Converted(input, "MicroDVD");
    if (c.asked) expected.insert(expected.begin() + 1, "? Overwrite " + output + " ?");
    expected.insert(expected.end(), {"done 1/1", "Converted 1/1", "Errors 0"});
    EXPECT_EQ(recorder.Steps, expected);
    EXPECT_EQ(test::ReadFile(output), c.written ? kSubRip : "old");
    EXPECT_EQ(outcome.SkippedCount, c.written ? 0 : 1);
    EXPECT_EQ(outcome.ConvertedCount, 1);
  }
}

// More subtitles than the table holds: the first 20000 are converted and the cut reported;
// written over itself the file would lose the rest, so it is kept as it is and not converted.
TEST_F(BatchEngine, TheCutAt20000Subtitles) {
  std::string big;
  for (int i = 1; i <= 20001; ++i) big += "{" + std::to_string(i) + "}{" + std::to_string(i + 1) + "}t\r\n";
  const std::string input = dir.Write("big.sub", big);
  const struct {
    std::string destination;
    bool kept;
  } cases[] = {{out + "/", false}, {dir.Path() + "/", true}};
  for (const auto& c : cases) {
    recorder.Steps.clear();
    BatchRequest request;
    request.Files = {input};
    request.Destination = c.destination;
    const BatchOutcome outcome = Run(request);
    std::vector<std::string> expected;
    if (c.kept) {
      expected = {"Opening " + input,
                  "truncated " + input + " kept",
                  "      File not converted",
                  "done 1/1",
                  "Converted 0/1",
                  "Errors 0"};
    } else {
      expected = Converted(input, "MicroDVD");
      expected.insert(expected.begin() + 1, "truncated " + input);
      expected.insert(expected.end(), {"done 1/1", "Converted 1/1", "Errors 0"});
    }
    EXPECT_EQ(recorder.Steps, expected);
    EXPECT_EQ(outcome.TruncatedCount, 1);
    EXPECT_EQ(test::ReadFile(input), big);
    const std::string written = test::ReadFile(c.destination + "big.sub");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), c.kept ? 20001 : 20000);
  }
}

// The converter goes on after every failure; each is reported against its input, and the
// summary counts them with the unrecognised files.
TEST_F(BatchEngine, FailuresAreReportedPerFileAndCounted) {
  recorder.GoOnAfterFailure = true;
  std::filesystem::create_directory(out + "/taken.sub");  // the output's name is a folder
  BatchRequest request;
  request.Files = {dir.Write("good.sub", kMicroDvd), dir.File("missing.sub"),
                   dir.Write("bad.sub", "{1x}{2}text\r\n"), dir.Write("taken.sub", kMicroDvd),
                   dir.Write("junk.sub", "no subtitles here\r\n")};
  const BatchOutcome outcome = Run(request);
  std::vector<std::string> expected = Converted(request.Files[0], "MicroDVD");
  expected.insert(
      expected.end(),
      {"done 1/5", "! " + request.Files[1] + ": File not found", "done 2/5", "Opening " + request.Files[2],
       "! " + request.Files[2] + ": '1x' is not a valid integer value", "done 3/5",
       "Opening " + request.Files[3],
       "! " + request.Files[3] + ": Cannot write " + out + "/taken.sub: File access denied", "done 4/5",
       "Opening " + request.Files[4], "      Unknown format", "      File not converted", "done 5/5",
       "Converted 1/5", "Errors 4"});
  EXPECT_EQ(recorder.Steps, expected);
  EXPECT_EQ(outcome.FailedCount, 3);
  EXPECT_TRUE(outcome.Completed);
  EXPECT_EQ(test::CountEntries(out), 2);
}

// An output that replaces a file takes its place only after the last file, and before the
// summary; so a run that stops half-way has changed no old file until it ends.
TEST_F(BatchEngine, ReplacedOutputsChangeAfterTheLastFileBeforeTheSummary) {
  BatchRequest request;
  request.Files = {dir.Write("a.sub", kMicroDvd), dir.Write("b.sub", kMicroDvd)};
  request.Layout = 1;
  request.FrameRate = 25;
  for (const char* name : {"out/a.sub", "out/b.sub"}) dir.Write(name, "old");
  std::vector<std::string> seen;
  recorder.OnFileDone = [&](int) { seen.push_back(test::ReadFile(out + "/a.sub")); };
  recorder.OnLine = [&](const std::string& line) {
    if (line.rfind("Converted", 0) == 0) seen.push_back(test::ReadFile(out + "/b.sub"));
  };
  Run(request);
  EXPECT_EQ(seen, (std::vector<std::string>{"old", "old", kSubRip}));
  EXPECT_EQ(test::ReadFile(out + "/a.sub"), kSubRip);
}

// A replacement that cannot be put in place at the end (its name became a folder during the
// run) is reported against its input after the last file and counted as a failure.
TEST_F(BatchEngine, AnOutputThatCannotBePutInPlaceIsReportedAgainstItsInput) {
  recorder.GoOnAfterFailure = true;
  BatchRequest request;
  request.Files = {dir.Write("a.sub", kMicroDvd), dir.Write("b.sub", kMicroDvd)};
  for (const char* name : {"out/a.sub", "out/b.sub"}) dir.Write(name, "old");
  recorder.OnFileDone = [&](int done) {
    if (done != 2) return;
    std::filesystem::remove(out + "/a.sub");
    std::filesystem::create_directories(out + "/a.sub/inside");
  };
  const BatchOutcome outcome = Run(request);
  const std::vector<std::string> tail(recorder.Steps.end() - 4, recorder.Steps.end());
  EXPECT_EQ(tail,
            (std::vector<std::string>{
                "done 2/2", "! " + request.Files[0] + ": Cannot write " + out + "/a.sub: File access denied",
                "Converted 1/2", "Errors 1"}));
  EXPECT_EQ(outcome.ConvertedCount, 1);
  EXPECT_EQ(outcome.FailedCount, 1);
  EXPECT_EQ(test::ReadFile(out + "/b.sub"), kMicroDvd);
}

// A file listed twice and written over itself is read the second time as the first
// conversion left it, as when every output was put in place at once.
TEST_F(BatchEngine, AFileListedTwiceIsReadAsTheRunLeftIt) {
  const std::string input = dir.Write("film.sub", kMicroDvd);
  BatchRequest request;
  request.Files = {input, input};
  request.KeepInputFormat = true;
  request.Destination = dir.Path() + "/";
  request.Transform = [](SubtitleDocument& doc, uint8_t) {
    for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
      doc.SubtitleTable[i].StartFrame += 10;
      doc.SubtitleTable[i].EndFrame += 10;
    }
  };
  Run(request);
  EXPECT_EQ(test::ReadFile(input), "{45}{70}One\r\n");
}

TEST(BatchDrop, FoldersGiveTheirSubtitleFilesSortedFilesStay) {
  test::TempDir dir;
  for (const char* name : {"z.srt", "B.SSA", "a.sub", "x.doc", "c.Txt"}) dir.Write(name, "x");
  std::filesystem::create_directory(dir.File("inner.srt"));  // a folder, not a file
  const std::string alone = dir.Write("inner.srt/deep.srt", "x");
  const std::vector<std::string> got =
      ExpandDroppedPaths({alone, dir.Path(), dir.File("missing.srt"), dir.File("x.doc")});
  const std::vector<std::string> expected = {
      alone, dir.File("B.SSA"), dir.File("a.sub"), dir.File("c.Txt"), dir.File("z.srt"), dir.File("x.doc")};
  EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace qm
