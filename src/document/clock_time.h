#pragma once
// Clock times as the product handles them: a day fraction (1.0 = 24 h) decoded to the
// nearest millisecond with a wrap at 24 hours, and the long time text H:MM:SS.

#include <cstdint>
#include <string>

namespace qm {

constexpr int64_t kMsPerDay = 86400000;

struct ClockFields {
  int32_t Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// Milliseconds = d x 86400000 rounded half to even; the magnitude is taken and reduced
// modulo one day. Fails on a non-finite fraction.
ClockFields DecodeDayFraction(double dayFraction);

// Validates hours 0-23, minutes and seconds 0-59, milliseconds 0-999, else fails with
// "Invalid argument to time encode"; returns the day fraction.
double EncodeClock(int32_t hour, int32_t minute, int32_t second, int32_t millisecond);

// "H:MM:SS": hours without a leading zero, produced without any locale.
std::string LongTimeText(const ClockFields& fields);
void AppendLongTimeText(std::string& text, const ClockFields& fields);
std::string LongTimeText(double dayFraction);

}  // namespace qm
