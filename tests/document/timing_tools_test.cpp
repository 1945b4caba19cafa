#include "document/timing_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "document/errors.h"
#include "document/numbers.h"
#include "document/subtitles_tool.h"

namespace qm {
namespace {

struct Clock {
  int h, m, s;
  const char* ms;
};

void SetShow(TSubtitle& r, Clock c) { r.StartHour = c.h, r.StartMinute = c.m, r.StartSecond = c.s, r.StartMs = c.ms; }
void SetHide(TSubtitle& r, Clock c) { r.EndHour = c.h, r.EndMinute = c.m, r.EndSecond = c.s, r.EndMs = c.ms; }
std::string ShowText(const TSubtitle& r) { return SubtitleTimeText(r, kShowTime, false, ',', true); }
std::string HideText(const TSubtitle& r) { return SubtitleTimeText(r, kHideTime, false, ',', true); }

class TimingTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  TSubtitle& Rec(int i) { return doc.SubtitleTable[i]; }

  // n subtitles at frames 100i .. 100i+50 with their clock times at the document's rate.
  void Fill(int n, double rate = 25) {
    doc.FrameRate = rate;
    doc.SubtitleCount = n;
    for (int i = 1; i <= n; ++i) {
      Rec(i).StartFrame = 100 * i;
      Rec(i).EndFrame = 100 * i + 50;
      Rec(i).Text = "subtitle " + std::to_string(i);
      FramesToClock(doc, i, true, true, rate);
    }
  }
  std::vector<TSubtitle> Snapshot(int upTo) {
    std::vector<TSubtitle> records;
    for (int i = 1; i <= upTo; ++i) records.push_back(Rec(i));
    return records;
  }
};

TEST_F(TimingTest, ClockViewShiftsSecondsAndTheFramesFollow) {
  doc.TimeMode = kModeClock;
  doc.FrameRate = 25;
  doc.SubtitleCount = 1;
  SetShow(Rec(1), {0, 0, 10, "000"});
  SetHide(Rec(1), {0, 0, 12, "500"});
  ShiftSubtitles(doc, TimeShift{0, 1.5, true, true});
  EXPECT_EQ(ShowText(Rec(1)), "0:00:11,500");
  EXPECT_EQ(HideText(Rec(1)), "0:00:14,000");
  EXPECT_EQ(Rec(1).StartFrame, 288);  // 287.5 rounds to even
  EXPECT_EQ(Rec(1).EndFrame, 350);
}

TEST_F(TimingTest, FrameViewShiftsWholeFramesOfTheHideTimeOnly) {
  doc.TimeMode = kModeFrames;
  Fill(1);
  Rec(1).StartFrame = 100, Rec(1).EndFrame = 150;
  SetShow(Rec(1), {1, 2, 3, "456"});  // must stay as it is
  ShiftSubtitles(doc, TimeShift{25, 9.9, false, true});
  EXPECT_EQ(Rec(1).StartFrame, 100);
  EXPECT_EQ(Rec(1).EndFrame, 175);
  EXPECT_EQ(HideText(Rec(1)), "0:00:07,000");
  EXPECT_EQ(ShowText(Rec(1)), "1:02:03,456");
}

TEST_F(TimingTest, ClockShiftPastMidnightWrapsToTheNextDay) {
  doc.TimeMode = kModeClock;
  doc.SubtitleCount = 1;
  SetShow(Rec(1), {23, 59, 59, "000"});
  ShiftSubtitle(doc, 1, TimeShift{0, 2, true, false});
  EXPECT_EQ(ShowText(Rec(1)), "0:00:01,000");
}

TEST_F(TimingTest, ShiftsStopAtZero) {
  doc.TimeMode = kModeFrames;
  Fill(2);
  Rec(2).StartFrame = -10;  // already negative in the file: it only moves
  ShiftSubtitles(doc, TimeShift{-120, 0, true, true});
  EXPECT_EQ(Rec(1).StartFrame, 0);
  EXPECT_EQ(ShowText(Rec(1)), "0:00:00,000");
  EXPECT_EQ(Rec(1).EndFrame, 30);
  EXPECT_EQ(Rec(2).StartFrame, -130);
  EXPECT_EQ(Rec(2).EndFrame, 130);

  doc.TimeMode = kModeClock;
  SetShow(Rec(1), {0, 0, 1, "000"});
  ShiftSubtitle(doc, 1, TimeShift{0, -2, true, false});
  EXPECT_EQ(ShowText(Rec(1)), "0:00:00,000");
  EXPECT_EQ(Rec(1).StartFrame, 0);
}

TEST_F(TimingTest, RangeShiftsOnlyTheSubtitlesThatExistWithinIt) {
  doc.TimeMode = kModeFrames;
  Fill(10);
  const auto before = Snapshot(11);
  const TimeShift shift{5, 0, true, true};

  ShiftSubtitles(doc, shift, SubtitleRange{7, 3});
  EXPECT_EQ(Snapshot(11), before);

  ShiftSubtitles(doc, shift, SubtitleRange{2, 3});
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(Rec(i).StartFrame, 100 * i + (i == 2 || i == 3 ? 5 : 0)) << i;

  // Range fields keep numbers typed before the count dropped: only existing subtitles move.
  ShiftSubtitles(doc, shift, SubtitleRange{0, 25});
  EXPECT_EQ(Rec(1).StartFrame, 105);
  EXPECT_EQ(Rec(10).StartFrame, 1005);
  EXPECT_EQ(Rec(11), TSubtitle{});

  ShiftSubtitles(doc, TimeShift{5, 0, false, false});
  EXPECT_EQ(Rec(1).StartFrame, 105);
}

TEST_F(TimingTest, AFailingShiftChangesNothing) {
  doc.TimeMode = kModeFrames;
  Fill(3);
  Rec(3).EndFrame = INT32_MAX - 10;
  const auto before = Snapshot(3);
  try {
    ShiftSubtitles(doc, TimeShift{20, 0, true, true});
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "Integer overflow");
  }
  EXPECT_EQ(Snapshot(3), before);

  Rec(3).EndFrame = 350;
  doc.FrameRate = 0;
  const auto atZeroRate = Snapshot(3);
  EXPECT_THROW(ShiftSubtitles(doc, TimeShift{20, 0, true, true}), QuillmarkError);
  doc.TimeMode = kModeClock;
  EXPECT_THROW(ShiftSubtitle(doc, 1, TimeShift{0, 1, true, true}), QuillmarkError);
  EXPECT_EQ(Snapshot(3), atZeroRate);

  doc.FrameRate = 25;
  Rec(2).EndMs = "12x";
  EXPECT_THROW(ShiftSubtitles(doc, TimeShift{0, 1, true, true}), QuillmarkError);
  EXPECT_EQ(Rec(1).StartFrame, 100);
}

TEST(ShiftUnits, SecondsAndFramesCarryOverThroughTheFrameRate) {
  EXPECT_EQ(ShiftSecondsToFrames(1.5, 23.976), 36);
  EXPECT_EQ(ShiftFramesToSecondsText(36, 23.976), "1,502");
  EXPECT_EQ(ShiftSecondsToFrames(-0.3, 25), -8);  // -7.5 to even
  EXPECT_EQ(ShiftFramesToSecondsText(-25, 25), "-1");
  EXPECT_EQ(ShiftFramesToSecondsText(0, 25), "0,000");
  EXPECT_EQ(ShiftFramesToSecondsText(1, 23.976), "0,042");
  EXPECT_EQ(ShiftFramesToSecondsText(1, 3000), "0,000");  // rounds to zero
  EXPECT_THROW(ShiftSecondsToFrames(1, 0), QuillmarkError);
  EXPECT_THROW(ShiftFramesToSecondsText(1, -25), QuillmarkError);
}

TEST(ShiftUnits, ArrowsStepTheSecondsByATenth) {
  const struct {
    const char* field;
    bool up;
    const char* expected;
  } cases[] = {{"0,3", false, "0,2"},   {"0,1", false, "0"},    {"0,000", false, "-0,1"},
               {"-0,2", false, "-0,3"}, {"1,25", true, "1,35"}, {"-0,1", true, "0"}};
  for (const auto& c : cases) EXPECT_EQ(StepShiftSeconds(c.field, c.up), c.expected) << c.field;
  EXPECT_THROW(StepShiftSeconds("1,2,3", true), QuillmarkError);
}

TEST(ShiftRange, FieldsAreHeldWithinTheSubtitles) {
  EXPECT_EQ(ShiftRangeLastDefault(10), "10");
  EXPECT_EQ(ShiftRangeLastDefault(0), "1");
  const struct {
    const char* text;
    bool isFirst;
    int count;
    std::optional<std::string> expected;
  } cases[] = {
      {"0", true, 10, "1"},          {"25", false, 10, "10"},        {"5", true, 10, std::nullopt},
      {"10", false, 10, std::nullopt}, {"Min", true, 10, std::nullopt}, {"", false, 10, std::nullopt},
      {"1", false, 0, "0"},          {"1", true, 0, std::nullopt},   // already "1": no change
  };
  for (const auto& c : cases) EXPECT_EQ(CorrectShiftRangeField(c.text, c.isFirst, c.count), c.expected) << c.text;
  EXPECT_THROW(CorrectShiftRangeField("1x", true, 10), QuillmarkError);
}

TEST(SpeedChange, TimeScaleFromTwoFrameRates) {
  EXPECT_EQ(TimeScaleText(25, 23.976), "0,95904");
  EXPECT_EQ(TimeScaleText(23.976, 25), "1,04270937604271");
  EXPECT_EQ(TimeScaleText(25, 25), "1");
  try {
    TimeScaleFromFrameRates(0, 25);
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_EQ(e.Kind(), ErrorKind::Arithmetic);
  }
  EXPECT_THROW(TimeScaleFromFrameRates(25, -1), QuillmarkError);
  EXPECT_EQ(SpeedChangeTextKey(0.95904), "LabelZmenaRychlostiTitulkyZrychli");
  EXPECT_EQ(SpeedChangeTextKey(1), "LabelZmenaRychlostiTitulkyBezeZmeny");
  EXPECT_EQ(SpeedChangeTextKey(1.5), "LabelZmenaRychlostiTitulkyZpomali");
}

TEST_F(TimingTest, SpeedChangeScalesFramesAndClockEachWithItsOwnRounding) {
  doc.SubtitleCount = 1;
  Rec(1).StartFrame = 1000, Rec(1).EndFrame = 1050;
  SetShow(Rec(1), {0, 1, 0, "000"});
  ChangeSubtitleSpeed(doc, StrToFloat(TimeScaleText(25, 23.976)));  // as typed into the field
  EXPECT_EQ(Rec(1).StartFrame, 959);
  EXPECT_EQ(Rec(1).EndFrame, 1007);
  EXPECT_EQ(ShowText(Rec(1)), "0:00:57,542");

  doc.SubtitleCount = 2;
  Rec(2).StartFrame = 240;
  SetShow(Rec(2), {0, 0, 10, "000"});
  ChangeSubtitleSpeed(doc, 1.5);
  EXPECT_EQ(Rec(2).StartFrame, 360);
  EXPECT_EQ(ShowText(Rec(2)), "0:00:15,000");
  EXPECT_EQ(Rec(3), TSubtitle{});

  ChangeSubtitleSpeed(doc, 0);  // accepted: every time becomes zero
  EXPECT_EQ(Rec(2).StartFrame, 0);
  EXPECT_EQ(ShowText(Rec(2)), "0:00:00,000");
}

TEST_F(TimingTest, SpeedChangeRefusesBadScalesAndUndoesAFailedRun) {
  Fill(3);
  const auto before = Snapshot(3);
  EXPECT_THROW(ChangeSubtitleSpeed(doc, -1), QuillmarkError);
  EXPECT_THROW(ChangeSubtitleSpeed(doc, std::nan("")), QuillmarkError);
  Rec(3).EndFrame = 2000000000;
  const auto large = Snapshot(3);
  EXPECT_THROW(ChangeSubtitleSpeed(doc, 2), QuillmarkError);
  EXPECT_EQ(Snapshot(3), large);
  EXPECT_EQ(Rec(1), before[0]);
}

TEST_F(TimingTest, HideFromShowAndShowFromHide) {
  doc.SubtitleCount = 1;
  Rec(1).StartFrame = 250, Rec(1).EndFrame = 312;
  SetShow(Rec(1), {0, 0, 10, "000"});
  SetHide(Rec(1), {0, 0, 12, "500"});
  TSubtitle original = Rec(1);

  HideTimesFromShowTimes(doc);
  EXPECT_EQ(Rec(1).EndFrame, 250);
  EXPECT_EQ(HideText(Rec(1)), "0:00:10,000");
  EXPECT_EQ(Rec(2), TSubtitle{});

  Rec(1) = original;
  ShowTimesFromHideTimes(doc);
  EXPECT_EQ(Rec(1).StartFrame, 312);
  EXPECT_EQ(ShowText(Rec(1)), "0:00:12,500");
  EXPECT_EQ(Rec(1).Text, original.Text);
}

}  // namespace
}  // namespace qm
