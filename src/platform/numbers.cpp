#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/errors.h"

namespace qm {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<int32_t> ParseHex(std::string_view digits, bool negative) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    int v = HexValue(c);
    if (v < 0) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(v);
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseDecimal(std::string_view digits, bool negative) {
  if (digits.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{1} << 31) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  // Readers convert two digits at a time, millions of times: plain digits take a short path.
  if (!text.empty() && text.size() <= 9) {
    int32_t value = 0;
    size_t i = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
    if (i == text.size()) return value;
  }
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::string_view rest = text.substr(i);
  if (!rest.empty() && rest[0] == '$') return ParseHex(rest.substr(1), negative);
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
    return ParseHex(rest.substr(2), negative);
  return ParseDecimal(rest, negative);
}

int32_t StrToInt(std::string_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  ThrowNotInteger(std::string(text));
}

double RoundHalfEven(double value) {
  // Ties to even whatever the current rounding mode, without asking for the mode: every frame
  // and clock conversion of a file comes through here. Taking the whole part off is exact.
  if (!(std::fabs(value) < 0x1p52)) return value;   // whole already, or not finite
  auto whole = static_cast<int64_t>(value);         // toward zero
  if (static_cast<double>(whole) > value) --whole;  // down, for negative values
  const double fraction = value - static_cast<double>(whole);
  const bool up = fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0);
  return std::copysign(static_cast<double>(up ? whole + 1 : whole), value);
}

int32_t RoundToInt(double value) {
  if (std::isnan(value)) throw QuillmarkError(ErrorKind::Arithmetic, "Invalid floating point operation");
  const double rounded = RoundHalfEven(value);
  if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max())
    throw QuillmarkError(ErrorKind::Arithmetic, "Integer overflow");
  return static_cast<int32_t>(rounded);
}

int32_t CheckedAdd(int32_t a, int32_t b) {
  const int64_t sum = int64_t{a} + b;
  if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max())
    throw QuillmarkError(ErrorKind::Arithmetic, "Integer overflow");
  return static_cast<int32_t>(sum);
}

std::optional<double> TryParseDecimal(std::string_view text, bool acceptPoint) {
  size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  std::string normal;  // rewritten for strtod, which reads "." in the C locale
  size_t i = begin;
  if (i < end && (text[i] == '-' || text[i] == '+')) normal += text[i++];
  size_t digits = 0;
  while (i < end && IsDigit(text[i])) normal += text[i++], ++digits;
  if (i < end && (text[i] == ',' || (acceptPoint && text[i] == '.'))) {
    normal += '.';
    ++i;
    while (i < end && IsDigit(text[i])) normal += text[i++], ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    normal += 'e';
    ++i;
    if (i < end && (text[i] == '-' || text[i] == '+')) normal += text[i++];
    size_t expDigits = 0;
    while (i < end && IsDigit(text[i])) normal += text[i++], ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  const double value = std::strtod(normal.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

double StrToFloat(std::string_view text) {
  if (auto value = TryParseDecimal(text)) return *value;
  ThrowNotFloat(std::string(text));
}

std::string FloatToText(double value) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);  // d.dddddddddddddde+XX: 15 digits
  std::string text = buffer;
  const bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  const size_t ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1) + 1;  // digits before the point
  std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  // Built with append: GCC 12 warns falsely (-Wrestrict) on "," + std::string.
  std::string result = negative ? "-" : "";
  if (exponent > 15 || exponent < -4) {
    result.append(digits, 0, 1);
    if (digits.size() > 1) result.append(",").append(digits, 1);
    result.append("E").append(std::to_string(exponent - 1));
  } else if (exponent <= 0) {
    result.append("0,").append(static_cast<size_t>(-exponent), '0').append(digits);
  } else if (static_cast<size_t>(exponent) >= digits.size()) {
    result.append(digits).append(exponent - digits.size(), '0');
  } else {
    result.append(digits, 0, exponent).append(",").append(digits, exponent);
  }
  return result;
}

}  // namespace qm
