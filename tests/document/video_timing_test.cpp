#include "document/video_timing.h"

#include <gtest/gtest.h>

#include "document/subtitles_tool.h"
#include "platform/errors.h"

namespace qm {
namespace {

TEST(VideoTiming, FramesAndPositionsRoundTripAtTheUsualRates) {
  for (const double rate : {23.976, 24.0, 25.0, 29.97, 30.0, 24000.0 / 1001}) {
    for (int64_t frame = 0; frame < 200000; frame += 997) {
      const int64_t ms = PositionOfFrame(frame, rate);
      ASSERT_EQ(FrameAtPosition(ms, rate), frame) << rate << " " << frame;
      // The position lies inside the frame: not before its exact start, less than 1 ms after.
      EXPECT_GE(static_cast<double>(ms) + 1e-6, frame * 1000.0 / rate);
      EXPECT_LT(static_cast<double>(ms), frame * 1000.0 / rate + 1);
    }
  }
  EXPECT_EQ(PositionOfFrame(100, 25), 4000);
  EXPECT_EQ(FrameAtPosition(4020, 25), 100);  // 100.5 frames: ties go to the even frame
  EXPECT_EQ(FrameAtPosition(4060, 25), 102);  // 101.5
  EXPECT_THROW(FrameAtPosition(1000, 0), QuillmarkError);
}

TEST(VideoTiming, PositionAndRateTexts) {
  const std::pair<int64_t, const char*> positions[] = {
      {0, "00:00:00,000"}, {3723004, "01:02:03,004"}, {-5, "00:00:00,000"}, {360000000, "100:00:00,000"}};
  for (const auto& [ms, text] : positions) EXPECT_EQ(PositionText(ms), text) << ms;
  const std::pair<double, const char*> rates[] = {{25, "25"},
                                                  {24000.0 / 1001, "23,976"},
                                                  {30000.0 / 1001, "29,97"},
                                                  {23.976, "23,976"},
                                                  {60000.0 / 1001, "59,94"}};
  for (const auto& [rate, text] : rates) EXPECT_EQ(FrameRateText(rate), text) << rate;
}

class SubtitlesOnFilm : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  TSubtitle& Rec(int i) { return doc.SubtitleTable[i]; }
  // Subtitle i at frames (100i, 100i + 50) at 25 frames per second, clock times derived.
  void Fill(int count, uint8_t mode) {
    doc.FrameRate = 25;
    doc.TimeMode = mode;
    doc.SubtitleCount = count;
    for (int i = 1; i <= count; ++i) {
      Rec(i).StartFrame = 100 * i;
      Rec(i).EndFrame = 100 * i + 50;
      FramesToClock(doc, i, true, true, 25);
      Rec(i).Text = "Subtitle " + std::to_string(i);
    }
  }
};

TEST_F(SubtitlesOnFilm, TheSubtitleOnThePictureInBothViews) {
  for (const uint8_t mode : {kModeFrames, kModeClock}) {
    Fill(3, mode);
    const std::pair<int64_t, int32_t> cases[] = {{0, 0},    {3999, 0}, {4000, 1},  {5999, 1},
                                                 {6000, 0}, {8000, 2}, {12010, 3}, {14000, 0}};
    for (const auto& [ms, shown] : cases)
      EXPECT_EQ(SubtitleAtPosition(doc, ms), shown) << int(mode) << " " << ms;
  }
}

TEST_F(SubtitlesOnFilm, ViewsReadTheirOwnTimingForm) {
  Fill(1, kModeFrames);
  Rec(1).StartMs = "500";  // the clock form says 4,500 now; the frame view does not read it
  EXPECT_EQ(SpanOf(doc, 1)->ShowMs, 4000);
  doc.TimeMode = kModeClock;
  EXPECT_EQ(SpanOf(doc, 1)->ShowMs, 4500);
  Rec(1).StartMs = "x";  // a clock field that is not a number has no place on the film
  EXPECT_FALSE(SpanOf(doc, 1));
  EXPECT_EQ(SubtitleAtPosition(doc, 5000), 0);
}

TEST_F(SubtitlesOnFilm, OverlapShowsTheFirstAndStripListsBoth) {
  Fill(3, kModeClock);
  SetSubtitleTime(doc, 3, kShowTime, 5000);  // 3 now runs 5,000 .. 14,000 across 1 and 2
  EXPECT_EQ(SubtitleAtPosition(doc, 5500), 1);
  EXPECT_EQ(SubtitleAtPosition(doc, 7000), 3);
  std::vector<int32_t> listed;
  for (const SubtitleSpan& span : SubtitlesBetween(doc, 5900, 8000)) listed.push_back(span.Index);
  EXPECT_EQ(listed, (std::vector<int32_t>{1, 3}));  // 2 begins at 8,000, where the stretch ends
}

TEST_F(SubtitlesOnFilm, SettingATimeWritesTheViewsFormAndDerivesTheOther) {
  struct Case {
    uint8_t mode;
    int which;
    int64_t ms;
    int32_t frame;
    const char* clock;
  } cases[] = {
      {kModeFrames, kShowTime, 4020, 100, "0:00:04,000"},  // whole frames; the clock follows them
      {kModeFrames, kHideTime, 7330, 183, "0:00:07,320"},
      {kModeClock, kShowTime, 4020, 100, "0:00:04,020"},  // milliseconds; the frame is derived
      {kModeClock, kHideTime, 3661001, 91525, "1:01:01,001"},
      {kModeClock, kShowTime, -40, 0, "0:00:00,000"},
  };
  for (const Case& c : cases) {
    Fill(1, c.mode);
    const TSubtitle before = Rec(1);
    SetSubtitleTime(doc, 1, c.which, c.ms);
    const bool show = c.which == kShowTime;
    EXPECT_EQ(show ? Rec(1).StartFrame : Rec(1).EndFrame, c.frame) << c.ms;
    EXPECT_EQ(SubtitleTimeText(Rec(1), c.which, false, ',', true), c.clock) << c.ms;
    // The other time stays as it was.
    EXPECT_EQ(show ? Rec(1).EndFrame : Rec(1).StartFrame, show ? before.EndFrame : before.StartFrame);
    EXPECT_EQ(SubtitleTimeText(Rec(1), show ? kHideTime : kShowTime, false, ',', true),
              SubtitleTimeText(before, show ? kHideTime : kShowTime, false, ',', true));
  }
}

TEST_F(SubtitlesOnFilm, AnUnusableRateChangesNothing) {
  for (const uint8_t mode : {kModeFrames, kModeClock}) {
    Fill(1, mode);
    doc.FrameRate = 0;
    const TSubtitle before = Rec(1);
    EXPECT_THROW(SetSubtitleTime(doc, 1, kShowTime, 1000), QuillmarkError);
    EXPECT_EQ(Rec(1), before);
    EXPECT_FALSE(mode == kModeFrames && SpanOf(doc, 1));
  }
}

TEST(VideoTiming, SteppingKeysStayInsideTheFilm) {
  const struct {
    int64_t from;
    PositionStep step;
    double rate;
    int64_t to;
  } cases[] = {
      {5000, PositionStep::SecondForward, 25, 6000},
      {500, PositionStep::SecondBack, 25, 0},
      {9800, PositionStep::SecondForward, 25, 10000},
      {4000, PositionStep::FrameForward, 25, 4040},
      {4010, PositionStep::FrameForward, 25, 4040},
      {4000, PositionStep::FrameBack, 25, 3960},
      {0, PositionStep::FrameBack, 25, 0},
      {1000, PositionStep::FrameForward, 23.976, 1043},
  };
  for (const auto& c : cases) EXPECT_EQ(StepPosition(c.from, c.step, c.rate, 10000), c.to) << c.from;
  EXPECT_EQ(StepPosition(20000, PositionStep::SecondForward, 25, 0), 21000);  // length not known yet
}

TEST(VideoTiming, StripEdgesWithinReach) {
  const StripScale scale = CenteredStrip(5000, 10000, 1000);  // 10 ms a pixel, 0 at the left
  EXPECT_EQ(scale.FirstMs, 0);
  EXPECT_EQ(scale.MsAt(250), 2500);
  EXPECT_DOUBLE_EQ(scale.XOf(2500), 250);
  const std::vector<SubtitleSpan> spans = {{1, 1000, 3000}, {2, 3000, 4000}, {3, 6000, 7000}};
  const struct {
    double x;
    std::optional<std::pair<int32_t, int>> edge;
  } cases[] = {
      {100, std::pair{1, kShowTime}},
      {103, std::pair{1, kShowTime}},
      {106, std::nullopt},
      {300, std::pair{2, kShowTime}},  // a shared edge belongs to the later subtitle's show time
      {398, std::pair{2, kHideTime}},
      {650, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto edge = EdgeNear(spans, scale, c.x, 4);
    ASSERT_EQ(edge.has_value(), c.edge.has_value()) << c.x;
    if (edge) {
      EXPECT_EQ(std::pair(edge->Index, edge->Which), *c.edge) << c.x;
    }
  }
}

}  // namespace
}  // namespace qm
