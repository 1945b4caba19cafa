#include "document/timing_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "document/subtitles_tool.h"
#include "platform/errors.h"
#include "platform/numbers.h"

namespace qm {
namespace {

std::string Show(const TSubtitle& r) { return SubtitleTimeText(r, kShowTime, false, ',', true); }
std::string Hide(const TSubtitle& r) { return SubtitleTimeText(r, kHideTime, false, ',', true); }

class TimingTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  TSubtitle& Rec(int i) { return doc.SubtitleTable[i]; }

  // n subtitles at frames 100i .. 100i+50, clock times derived at 25 frames per second.
  void Fill(int n, uint8_t mode) {
    doc.TimeMode = mode;
    doc.FrameRate = 25;
    doc.SubtitleCount = n;
    for (int i = 1; i <= n; ++i) {
      Rec(i).StartFrame = 100 * i, Rec(i).EndFrame = 100 * i + 50;
      FramesToClock(doc, i, true, true, 25);
    }
  }
  std::vector<TSubtitle> Records(int upTo) {
    std::vector<TSubtitle> records;
    for (int i = 1; i <= upTo; ++i) records.push_back(Rec(i));
    return records;
  }
};

TEST_F(TimingTest, ClockViewShiftsSecondsWrapsAtMidnightAndTheFramesFollow) {
  Fill(2, kModeClock);
  Rec(1).StartSecond = 10, Rec(1).EndSecond = 12, Rec(1).EndMs = "500";
  ShiftSubtitles(doc, TimeShift{0, 1.5, true, true});
  EXPECT_EQ(Show(Rec(1)), "0:00:11,500");
  EXPECT_EQ(Hide(Rec(1)), "0:00:14,000");
  EXPECT_EQ(Rec(1).StartFrame, 288);  // 287.5 to even
  EXPECT_EQ(Rec(1).EndFrame, 350);
  Rec(2).StartHour = 23, Rec(2).StartMinute = 59, Rec(2).StartSecond = 59, Rec(2).StartMs = "000";
  ShiftSubtitle(doc, 2, TimeShift{0, 2, true, false});
  EXPECT_EQ(Show(Rec(2)), "0:00:01,000");
  EXPECT_EQ(Rec(2).StartFrame, 25);
}

TEST_F(TimingTest, FrameViewShiftsWholeFramesOfTheChosenTimesOnly) {
  Fill(1, kModeFrames);
  Rec(1).StartHour = 1;  // the show time is not shifted, so its clock is not rebuilt either
  ShiftSubtitles(doc, TimeShift{25, 9.9, false, true});
  EXPECT_EQ(Rec(1).StartFrame, 100);
  EXPECT_EQ(Rec(1).EndFrame, 175);
  EXPECT_EQ(Hide(Rec(1)), "0:00:07,000");
  EXPECT_EQ(Rec(1).StartHour, 1);
}

TEST_F(TimingTest, ShiftsStopAtZeroButTimesAlreadyNegativeJustMove) {
  Fill(2, kModeFrames);
  Rec(2).StartFrame = -10;
  ShiftSubtitles(doc, TimeShift{-120, 0, true, true});
  EXPECT_EQ(Rec(1).StartFrame, 0);
  EXPECT_EQ(Show(Rec(1)), "0:00:00,000");
  EXPECT_EQ(Rec(1).EndFrame, 30);
  EXPECT_EQ(Rec(2).StartFrame, -130);

  doc.TimeMode = kModeClock;
  Rec(1).StartSecond = 1;
  ShiftSubtitle(doc, 1, TimeShift{0, -2, true, false});
  EXPECT_EQ(Show(Rec(1)), "0:00:00,000");  // not 0:00:01,000, the magnitude of -1 s
}

TEST_F(TimingTest, RangeShiftsOnlyExistingSubtitlesWithinIt) {
  Fill(10, kModeFrames);
  const auto before = Records(11);
  const TimeShift shift{5, 0, true, true};
  ShiftSubtitles(doc, shift, SubtitleRange{7, 3});
  ShiftSubtitles(doc, TimeShift{5, 0, false, false});
  EXPECT_EQ(Records(11), before);

  ShiftSubtitles(doc, shift, SubtitleRange{2, 3});
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(Rec(i).StartFrame, 100 * i + (i == 2 || i == 3 ? 5 : 0)) << i;
  ShiftSubtitles(doc, shift, SubtitleRange{0, 25});  // typed before the count dropped
  EXPECT_EQ(Rec(1).StartFrame, 105);
  EXPECT_EQ(Rec(10).StartFrame, 1005);
  EXPECT_EQ(Rec(11), TSubtitle{});
}

TEST_F(TimingTest, AFailingRunLeavesEveryTimeAsItWas) {
  Fill(3, kModeFrames);
  Rec(3).EndFrame = INT32_MAX - 10;
  auto before = Records(3);
  EXPECT_THROW(ShiftSubtitles(doc, TimeShift{20, 0, true, true}), QuillmarkError);
  EXPECT_THROW(ChangeSubtitleSpeed(doc, 2), QuillmarkError);
  EXPECT_EQ(Records(3), before);

  Rec(3).EndFrame = 350;
  Rec(2).EndMs = "12x";
  before = Records(3);
  doc.TimeMode = kModeClock;
  EXPECT_THROW(ShiftSubtitles(doc, TimeShift{0, 1, true, true}), QuillmarkError);
  doc.FrameRate = 0;
  EXPECT_THROW(ShiftSubtitle(doc, 1, TimeShift{0, 1, true, true}), QuillmarkError);
  EXPECT_THROW(ChangeSubtitleSpeed(doc, -1), QuillmarkError);
  EXPECT_THROW(ChangeSubtitleSpeed(doc, std::nan("")), QuillmarkError);
  EXPECT_EQ(Records(3), before);
}

TEST(ShiftValue, CarriesOverBetweenUnitsAndStepsByATenth) {
  EXPECT_EQ(ShiftSecondsToFrames(1.5, 23.976), 36);
  EXPECT_EQ(ShiftFramesToSecondsText(36, 23.976), "1,502");
  EXPECT_EQ(ShiftFramesToSecondsText(-25, 25), "-1");
  EXPECT_EQ(ShiftFramesToSecondsText(1, 3000), "0,000");
  EXPECT_THROW(ShiftSecondsToFrames(1, 0), QuillmarkError);
  const struct {
    const char* field;
    bool up;
    const char* expected;
  } steps[] = {{"0,3", false, "0,2"},
               {"0,1", false, "0"},
               {"0,000", false, "-0,1"},
               {"-0,2", false, "-0,3"},
               {"1,25", true, "1,35"}};
  for (const auto& s : steps) EXPECT_EQ(StepShiftSeconds(s.field, s.up), s.expected) << s.field;
}

TEST(ShiftValue, RangeFieldsAreHeldWithinTheSubtitles) {
  EXPECT_EQ(ShiftRangeLastDefault(0), "1");
  EXPECT_EQ(CorrectShiftRangeField("0", true, 10), "1");
  EXPECT_EQ(CorrectShiftRangeField("25", false, 10), "10");
  EXPECT_EQ(CorrectShiftRangeField("10", false, 10), std::nullopt);
  EXPECT_EQ(CorrectShiftRangeField("Max", false, 10), std::nullopt);
  EXPECT_EQ(CorrectShiftRangeField("1", false, 0), "0");  // checking the box on an empty document
  EXPECT_EQ(CorrectShiftRangeField("1", true, 0), std::nullopt);
}

TEST_F(TimingTest, SpeedChangeFromTwoFrameRates) {
  EXPECT_EQ(TimeScaleText(23.976, 25), "1,04270937604271");
  // A source of 0 fails with the division's own messages.
  for (const auto& [target, message] : {std::pair{25.0, "Floating point division by zero"},
                                        std::pair{0.0, "Invalid floating point operation"}}) {
    try {
      TimeScaleFromFrameRates(0, target);
      ADD_FAILURE() << "a source rate of 0 was accepted";
    } catch (const QuillmarkError& error) {
      EXPECT_STREQ(error.what(), message);
    }
  }
  EXPECT_EQ(TimeScaleText(25, 0), "0");  // a target of 0 is the accepted scale 0
  EXPECT_EQ(SpeedChangeTextKey(0.95904), "LabelZmenaRychlostiTitulkyZrychli");
  EXPECT_EQ(SpeedChangeTextKey(1), "LabelZmenaRychlostiTitulkyBezeZmeny");

  doc.SubtitleCount = 1;
  Rec(1).StartFrame = 1000, Rec(1).EndFrame = 1050, Rec(1).StartMinute = 1;
  ChangeSubtitleSpeed(doc, StrToFloat(TimeScaleText(25, 23.976)));  // "0,95904" as the field holds it
  EXPECT_EQ(Rec(1).StartFrame, 959);
  EXPECT_EQ(Rec(1).EndFrame, 1007);
  EXPECT_EQ(Show(Rec(1)), "0:00:57,542");
  Rec(1).StartFrame = 240, Rec(1).StartSecond = 10, Rec(1).StartMinute = 0, Rec(1).StartMs = "000";
  ChangeSubtitleSpeed(doc, 1.5);
  EXPECT_EQ(Rec(1).StartFrame, 360);
  EXPECT_EQ(Show(Rec(1)), "0:00:15,000");
}

TEST_F(TimingTest, HideFromShowAndShowFromHide) {
  Fill(1, kModeClock);
  const TSubtitle original = Rec(1);
  HideTimesFromShowTimes(doc);
  EXPECT_EQ(Rec(1).EndFrame, 100);
  EXPECT_EQ(Hide(Rec(1)), "0:00:04,000");
  Rec(1) = original;
  ShowTimesFromHideTimes(doc);
  EXPECT_EQ(Rec(1).StartFrame, 150);
  EXPECT_EQ(Show(Rec(1)), "0:00:06,000");
  EXPECT_EQ(Rec(2), TSubtitle{});
}

}  // namespace
}  // namespace qm
