#include "batch/batch_engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "test_support.h"

namespace qm {
namespace {

const char* const kMicroDvd = "{25}{50}One\r\n";
const char* const kSubRip = "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n";

// Records every step the engine reports, and answers the overwrite question from a script.
class Recorder final : public BatchObserver {
 public:
  std::vector<std::string> Steps;

  void AddLine(const std::string& line) override { Steps.push_back(line); }
  bool ConfirmOverwrite(const std::string&, const std::string& question) override {
    Steps.push_back("? " + question);
    return false;
  }
  bool ContinueAfterFailure(const std::string& path, const QuillmarkError& error) override {
    Steps.push_back("! " + path + ": " + error.what());
    return false;  // the window ends the run here
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
  }
  void WriteStream(const std::string&) override {}
};

class BatchEngine : public ::testing::Test {
 protected:
  BatchOutcome Run(BatchRequest request) {
    request.Destination = out + "/";
    return ConvertFiles(*work, request, EnglishBatchTexts(), BuiltInFormatNames(), recorder);
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

TEST_F(BatchEngine, FailureEndsTheRunWhenTheObserverSaysSo) {
  BatchRequest request;
  request.Files = {dir.Write("a.sub", kMicroDvd), dir.File("gone.sub"), dir.Write("c.sub", kMicroDvd)};
  const BatchOutcome outcome = Run(request);
  ASSERT_EQ(recorder.Steps.size(), 5u);
  EXPECT_EQ(recorder.Steps[3], "done 1/3");
  EXPECT_EQ(recorder.Steps[4], "! " + request.Files[1] + ": File not found");
  EXPECT_FALSE(outcome.Completed);
  EXPECT_TRUE(std::filesystem::exists(out + "/a.sub"));
  EXPECT_FALSE(std::filesystem::exists(out + "/c.sub"));
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
