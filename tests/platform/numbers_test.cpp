#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "platform/errors.h"

namespace qm {
namespace {

TEST(StrToInt, AcceptsTheProductsIntegerForms) {
  const std::pair<const char*, int32_t> cases[] = {
      {"42", 42},
      {"  7", 7},
      {"-15", -15},
      {"+3", 3},
      {"$1F", 31},
      {"0x1f", 31},
      {"0X10", 16},
      {"-$10", -16},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FFFFFFFF", -1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(StrToInt(text), value) << text;
}

TEST(StrToInt, RefusesOtherTextsWithTheProductMessage) {
  for (const char* text :
       {"", " ", "12 ", "1a", "--1", "0x", "$", "2147483648", "1,5", "\r\n", "$123456789"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const QuillmarkError& e) {
      // Control characters are quoted escaped, as everywhere a file's text is shown.
      EXPECT_EQ(e.what(), "'" + EscapeControls(text) + "' is not a valid integer value");
      EXPECT_EQ(e.Kind(), ErrorKind::Conversion);
    }
  }
}

TEST(Rounding, TiesGoToEven) {
  EXPECT_EQ(RoundToInt(2.5), 2);
  EXPECT_EQ(RoundToInt(3.5), 4);
  EXPECT_EQ(RoundToInt(-2.5), -2);
  EXPECT_EQ(RoundToInt(1000.998), 1001);
  EXPECT_EQ(RoundToInt(2.4999999), 2);
}

// The same as the hardware's round-to-nearest-even, whatever mode is current, including the
// sign of a zero and values too large to have a fraction.
TEST(Rounding, HalfEvenMatchesNearestModeInEveryMode) {
  const double values[] = {0.0,
                           -0.0,
                           0.3,
                           -0.3,
                           0.5,
                           -0.5,
                           1.5,
                           -1.5,
                           2.5,
                           -2.5,
                           0x1p52,
                           -0x1p52 - 1,
                           0x1p53 + 2,
                           1e300,
                           4503599627370495.5,
                           std::numeric_limits<double>::infinity(),
                           0.49999999999999994};
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    for (const double value : values) {
      std::fesetround(FE_TONEAREST);
      const double expected = std::nearbyint(value);
      std::fesetround(mode);
      const double rounded = RoundHalfEven(value);
      std::fesetround(FE_TONEAREST);
      EXPECT_EQ(rounded, expected) << value << " in mode " << mode;
      EXPECT_EQ(std::signbit(rounded), std::signbit(expected)) << value;
    }
  }
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Rounding, ResultsOutsideTheIntegerRangeFailInsteadOfWrapping) {
  EXPECT_THROW(RoundToInt(3e9), QuillmarkError);
  EXPECT_THROW(RoundToInt(-3e9), QuillmarkError);
  EXPECT_THROW(RoundToInt(std::numeric_limits<double>::quiet_NaN()), QuillmarkError);
  EXPECT_THROW(CheckedAdd(INT32_MAX, 1), QuillmarkError);
  EXPECT_EQ(CheckedAdd(-5, 3), -2);
}

TEST(FloatToText, GeneralFormatWithFifteenDigitsAndComma) {
  EXPECT_EQ(FloatToText(23.976 / 25), "0,95904");
  EXPECT_EQ(FloatToText(25 / 23.976), "1,04270937604271");
  EXPECT_EQ(FloatToText(0.3 - 0.1), "0,2");
  EXPECT_EQ(FloatToText(0.1 - 0.1), "0");
  EXPECT_EQ(FloatToText(0 - 0.1), "-0,1");
  EXPECT_EQ(FloatToText(1.502), "1,502");
  EXPECT_EQ(FloatToText(25), "25");
  EXPECT_EQ(FloatToText(1234567), "1234567");
  EXPECT_EQ(FloatToText(0.0001), "0,0001");
  EXPECT_EQ(FloatToText(1e20), "1E20");
  EXPECT_EQ(FloatToText(1.5e-7), "1,5E-7");
}

TEST(ParseDecimal, ReadsCommaNumbersAndOptionallyPoints) {
  EXPECT_DOUBLE_EQ(StrToFloat("23,976"), 23.976);
  EXPECT_DOUBLE_EQ(StrToFloat(" 25 "), 25);
  EXPECT_DOUBLE_EQ(StrToFloat("0,"), 0);
  EXPECT_DOUBLE_EQ(StrToFloat("-1,5"), -1.5);
  EXPECT_DOUBLE_EQ(StrToFloat("1,5E2"), 150);
  EXPECT_FALSE(TryParseDecimal("23.976").has_value());
  EXPECT_DOUBLE_EQ(*TryParseDecimal("23.976", true), 23.976);
  for (const char* bad : {"", ",", "1,2,3", "abc", "1e", "1 2"})
    EXPECT_FALSE(TryParseDecimal(bad, true)) << bad;
  try {
    StrToFloat("x");
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid floating point value");
  }
}

}  // namespace
}  // namespace qm
