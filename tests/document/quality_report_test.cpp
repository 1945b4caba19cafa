#include "document/quality_report.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

void SetClock(TSubtitle& r, int showMs, int hideMs, const std::string& text) {
  const auto set = [](int ms, int32_t& h, int32_t& m, int32_t& s, MsText& millis) {
    h = ms / 3600000;
    m = ms / 60000 % 60;
    s = ms / 1000 % 60;
    const std::string digits = std::to_string(ms % 1000);
    millis = std::string(3 - digits.size(), '0') + digits;
  };
  set(showMs, r.StartHour, r.StartMinute, r.StartSecond, r.StartMs);
  set(hideMs, r.EndHour, r.EndMinute, r.EndSecond, r.EndMs);
  r.Text = text;
}

class QualityTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  void Add(int showMs, int hideMs, const std::string& text) {
    SetClock(doc.SubtitleTable[++doc.SubtitleCount], showMs, hideMs, text);
  }
  std::vector<std::string> Lines(const QualityLimits& limits = {}) {
    std::vector<std::string> lines;
    for (const Finding& f : CheckQuality(doc, limits).Findings)
      lines.push_back(FindingLine(f, EnglishFindingTemplates()));
    return lines;
  }
};

TEST_F(QualityTest, EachKindOfFindingInTableOrder) {
  doc.StoredMode = kModeClock;
  Add(1000, 3000, "fine");
  Add(4000, 12500, "long");                             // 8,5 s
  Add(13000, 13400, "a|b|c");                           // short, three lines, 12,5 cps is fine
  Add(20000, 19000, "backwards");                       // hidden before shown
  Add(21000, 24000, "overlaps the next one");           // 24,0 > 23,5
  Add(23500, 26000, "");                                // blank
  Add(22000, 25000, std::string(60, 'x'));              // before 6; 20 cps; a 60-character line
  Add(30000, 31000, "thirty characters in 1 second.");  // 30 cps
  const QualityReport report = CheckQuality(doc, {});
  EXPECT_EQ(report.SubtitleCount, 8);
  EXPECT_EQ(report.BlankCount, 1);
  const std::vector<std::string> expected = {
      "2 (00:00:04,000): shown for 8,5 s, longer than 7 s",
      "3 (00:00:13,000): shown for 0,4 s, shorter than 1 s",
      "3 (00:00:13,000): 3 lines, more than 2",
      "4 (00:00:20,000): hidden 1 s before it is shown",
      "5 (00:00:21,000): still shown 0,5 s after subtitle 6 starts",
      "6 (00:00:23,500): still shown 4 s after subtitle 7 starts",
      "7 (00:00:22,000): starts before subtitle 6",
      "7 (00:00:22,000): a line of 60 characters, longer than 55",
      "8 (00:00:30,000): 30 characters per second, more than 25",
  };
  EXPECT_EQ(Lines(), expected);
}

TEST_F(QualityTest, LimitsAreTheCallersAndEqualValuesPass) {
  doc.StoredMode = kModeClock;
  Add(0, 7000, "exactly seven seconds");
  Add(8000, 9000, "exactly one");
  Add(10000, 12000, "a|b");
  EXPECT_TRUE(Lines().empty());
  QualityLimits tight;
  tight.MaxDurationMs = 1500;
  tight.MaxLines = 1;
  tight.MaxLineLength = 5;
  tight.MaxCharsPerSecond = 2;
  EXPECT_EQ(Lines(tight).size(), 7u);  // 3 + 2 + 2
}

TEST_F(QualityTest, FrameOnlyTablesAreTimedThroughTheFrameRate) {
  doc.StoredMode = kModeFrames;
  doc.FrameRate = 25;
  doc.SubtitleCount = 1;
  doc.SubtitleTable[1].StartFrame = 250;  // 10 s
  doc.SubtitleTable[1].EndFrame = 260;    // 0,4 s later
  doc.SubtitleTable[1].Text = "x";
  EXPECT_EQ(Lines(), std::vector<std::string>{"1 (00:00:10,000): shown for 0,4 s, shorter than 1 s"});
}

TEST_F(QualityTest, FramesAtATinyFrameRateStayWithinTheTimeArithmetic) {
  // 2^31 frames at 1e-300 frames per second are far beyond any 64-bit millisecond count;
  // they are reported at a distant bound instead of overflowing (UBSan checks the casts).
  doc.StoredMode = kModeFrames;
  doc.FrameRate = 1e-300;
  doc.SubtitleCount = 2;
  doc.SubtitleTable[1].StartFrame = INT32_MIN;
  doc.SubtitleTable[1].EndFrame = INT32_MAX;
  doc.SubtitleTable[2].StartFrame = 1;
  doc.SubtitleTable[2].EndFrame = 0;
  const QualityReport report = CheckQuality(doc, {});
  ASSERT_FALSE(report.Findings.empty());
  EXPECT_EQ(report.Findings.front().Value, int64_t{2'000'000'000'000'000});  // shown for 2e15 ms
  for (const Finding& f : report.Findings) (void)FindingLine(f, EnglishFindingTemplates());
}

TEST_F(QualityTest, EmptyAndOddRecordsDoNotFail) {
  EXPECT_TRUE(CheckQuality(doc, {}).Findings.empty());
  doc.StoredMode = kModeClock;
  Add(1000, 2000, "x");
  doc.SubtitleTable[1].StartMs = "abc";  // not a number: read as 0 rather than stopping the report
  EXPECT_EQ(CheckQuality(doc, {}).SubtitleCount, 1);
}

}  // namespace
}  // namespace qm
