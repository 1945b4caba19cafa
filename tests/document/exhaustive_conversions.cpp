// Every millisecond of ten hours, at every frame rate the product offers, converted to frames
// and every frame of those ten hours converted to a clock: the results must stay exactly what
// the plain double arithmetic with round-half-even in the hardware's nearest mode gives, so
// that faster reading and rounding never move a subtitle by a frame or a millisecond.

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <string>

#include "document/subtitles_tool.h"

namespace qm {
namespace {

constexpr double kRates[] = {23.976, 24, 25, 29.97, 30};
constexpr int32_t kTenHoursMs = 10 * 3600 * 1000;

int32_t ReferenceFrame(int32_t ms, double rate) {
  const int32_t whole = ms / 1000;
  const double seconds =
      static_cast<double>(int64_t{whole / 3600} * 3600 + int64_t{whole / 60 % 60} * 60 + whole % 60) +
      (ms % 1000) / 1000.0;
  return static_cast<int32_t>(std::nearbyint(seconds * rate));
}

int64_t ReferenceClockMs(int32_t frames, double rate) {
  const double dayFraction = frames / rate / 3600 / 24;
  return static_cast<int64_t>(std::nearbyint(dayFraction * 86400000.0));
}

void SetClock(TSubtitle& r, int32_t ms, bool start) {
  const int32_t whole = ms / 1000;
  std::string digits = std::to_string(1000 + ms % 1000).substr(1);
  (start ? r.StartHour : r.EndHour) = whole / 3600;
  (start ? r.StartMinute : r.EndMinute) = whole / 60 % 60;
  (start ? r.StartSecond : r.EndSecond) = whole % 60;
  (start ? r.StartMs : r.EndMs) = std::move(digits);
}

TEST(ExhaustiveConversions, EveryMillisecondOfTenHoursToFrames) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  SubtitleDocument doc;
  TSubtitle& r = doc.SubtitleTable[1];
  for (const double rate : kRates) {
    int64_t mismatches = 0;
    for (int32_t ms = 0; ms < kTenHoursMs; ms += 2) {
      SetClock(r, ms, true);
      SetClock(r, ms + 1, false);
      ClockToFrames(doc, 1, true, true, rate);
      mismatches += (r.StartFrame != ReferenceFrame(ms, rate)) + (r.EndFrame != ReferenceFrame(ms + 1, rate));
    }
    EXPECT_EQ(mismatches, 0) << "at " << rate << " frames per second";
  }
}

TEST(ExhaustiveConversions, EveryFrameOfTenHoursToAClock) {
  SubtitleDocument doc;
  TSubtitle& r = doc.SubtitleTable[1];
  for (const double rate : kRates) {
    int64_t mismatches = 0;
    const auto lastFrame = static_cast<int32_t>(10 * 3600 * rate);
    for (int32_t frame = 0; frame <= lastFrame; ++frame) {
      r.StartFrame = frame;
      FramesToClock(doc, 1, true, false, rate);
      const int64_t ms = ReferenceClockMs(frame, rate);
      const int64_t got =
          (int64_t{r.StartHour} * 3600 + r.StartMinute * 60 + r.StartSecond) * 1000 + std::stoi(r.StartMs);
      mismatches += got != ms;
    }
    EXPECT_EQ(mismatches, 0) << "at " << rate << " frames per second";
  }
}

}  // namespace
}  // namespace qm
