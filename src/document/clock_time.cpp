#include "document/clock_time.h"

#include <cmath>

#include "platform/errors.h"
#include "platform/numbers.h"

namespace qm {

ClockFields DecodeDayFraction(double dayFraction) {
  double ms = RoundHalfEven(dayFraction * static_cast<double>(kMsPerDay));
  if (!std::isfinite(ms)) throw QuillmarkError(ErrorKind::Arithmetic, "Invalid floating point operation");
  ms = std::fmod(std::fabs(ms), static_cast<double>(kMsPerDay));  // exact for whole numbers
  const auto total = static_cast<int64_t>(ms);
  ClockFields f;
  f.Hour = static_cast<int32_t>(total / 3600000);
  f.Minute = static_cast<int32_t>(total / 60000 % 60);
  f.Second = static_cast<int32_t>(total / 1000 % 60);
  f.Millisecond = static_cast<int32_t>(total % 1000);
  return f;
}

double EncodeClock(int32_t hour, int32_t minute, int32_t second, int32_t millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    ThrowTimeEncode();
  const int64_t ms = int64_t{hour} * 3600000 + minute * 60000 + second * 1000 + millisecond;
  return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

void AppendLongTimeText(std::string& text, const ClockFields& f) {
  char buffer[9];
  char* p = buffer;
  if (f.Hour >= 10) *p++ = static_cast<char>('0' + f.Hour / 10 % 10);
  *p++ = static_cast<char>('0' + f.Hour % 10);
  *p++ = ':';
  *p++ = static_cast<char>('0' + f.Minute / 10);
  *p++ = static_cast<char>('0' + f.Minute % 10);
  *p++ = ':';
  *p++ = static_cast<char>('0' + f.Second / 10);
  *p++ = static_cast<char>('0' + f.Second % 10);
  text.append(buffer, p);
}

std::string LongTimeText(const ClockFields& f) {
  std::string text;
  AppendLongTimeText(text, f);
  return text;
}

std::string LongTimeText(double dayFraction) { return LongTimeText(DecodeDayFraction(dayFraction)); }

}  // namespace qm
