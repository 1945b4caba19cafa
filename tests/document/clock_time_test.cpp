#include "document/clock_time.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace qm {
namespace {

TEST(DayFraction, DecodesToTheNearestMillisecondAndWrapsAtOneDay) {
  ClockFields f = DecodeDayFraction((24 * 3600 + 1) / 86400.0);
  EXPECT_EQ(f.Hour, 0);
  EXPECT_EQ(f.Minute, 0);
  EXPECT_EQ(f.Second, 1);
  EXPECT_EQ(f.Millisecond, 0);

  f = DecodeDayFraction(41.750083 / 86400.0);
  EXPECT_EQ(f.Second, 41);
  EXPECT_EQ(f.Millisecond, 750);

  f = DecodeDayFraction(3723.456 / 86400.0);
  EXPECT_EQ(f.Hour, 1);
  EXPECT_EQ(f.Minute, 2);
  EXPECT_EQ(f.Second, 3);
  EXPECT_EQ(f.Millisecond, 456);
}

TEST(DayFraction, NegativeFractionsDecodeToTheirMagnitude) {
  const ClockFields f = DecodeDayFraction(-1.0 / 86400.0);
  EXPECT_EQ(f.Second, 1);
  EXPECT_EQ(f.Hour, 0);
}

TEST(DayFraction, HalfMillisecondsRoundToEven) {
  EXPECT_EQ(DecodeDayFraction(0.5 / 86400000.0).Millisecond, 0);
  EXPECT_EQ(DecodeDayFraction(1.5 / 86400000.0).Millisecond, 2);
}

TEST(EncodeClock, RefusesFieldsOutsideTheClock) {
  EXPECT_NO_THROW(EncodeClock(23, 59, 59, 999));
  for (auto fields : {ClockFields{24, 0, 0, 0}, ClockFields{0, 60, 0, 0}, ClockFields{0, 0, 60, 0},
                      ClockFields{0, 0, 0, 1000}, ClockFields{-1, 0, 0, 0}}) {
    try {
      EncodeClock(fields.Hour, fields.Minute, fields.Second, fields.Millisecond);
      ADD_FAILURE();
    } catch (const QuillmarkError& e) {
      EXPECT_STREQ(e.what(), "Invalid argument to time encode");
    }
  }
}

TEST(LongTimeText, HoursWithoutLeadingZero) {
  EXPECT_EQ(LongTimeText(ClockFields{1, 2, 3, 456}), "1:02:03");
  EXPECT_EQ(LongTimeText(ClockFields{13, 0, 9, 0}), "13:00:09");
  EXPECT_EQ(LongTimeText(EncodeClock(0, 0, 2, 500)), "0:00:02");
}

}  // namespace
}  // namespace qm
