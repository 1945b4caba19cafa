#include <gtest/gtest.h>

#include "formats/unicode_tab.h"
#include "platform/cp1250.h"

namespace qm {
namespace {

std::string Code(unsigned char byte) {
  const std::string pair = CharToUnicode(byte);
  char text[5];
  std::snprintf(text, sizeof text, "%02X%02X", static_cast<unsigned char>(pair[0]),
                static_cast<unsigned char>(pair[1]));
  return text;
}

TEST(UnicodeTab, TableHas49RowsOf22ChangedAnd27KeptValues) {
  int changed = 0;
  for (const auto& row : UnicodeCharTable) changed += HexToInt(row.Code) != row.Byte;
  EXPECT_EQ(UnicodeCharTable.size(), 49u);
  EXPECT_EQ(changed, 22);
}

TEST(UnicodeTab, CharToUnicodeUsesTheTableElseTheByteValue) {
  EXPECT_EQ(Code(0x8A), "0160");  // Š
  EXPECT_EQ(Code(0xE8), "010D");  // č
  EXPECT_EQ(Code('A'), "0041");
  EXPECT_EQ(Code(' '), "0020");
  EXPECT_EQ(Code(0x96), "0096");  // en dash is not in the table
  EXPECT_EQ(Code(0xA3), "00A3");  // Ł
  EXPECT_EQ(Code(0xC5), "00C5");  // Ĺ
}

TEST(UnicodeTab, UnicodeToCharUsesTheTableElseTheLowByte) {
  EXPECT_EQ(UnicodeToChar(0x01, 0x60), 0x8A);
  EXPECT_EQ(UnicodeToChar(0x00, 0xC1), 0xC1);
  EXPECT_EQ(UnicodeToChar(0x20, 0x13), 0x13);  // en dash loses its high byte
  EXPECT_EQ(UnicodeToChar(0x01, 0x41), 0x41);  // Ł becomes A
}

TEST(UnicodeTab, EveryByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string pair = CharToUnicode(static_cast<unsigned char>(b));
    EXPECT_EQ(UnicodeToChar(static_cast<unsigned char>(pair[0]), static_cast<unsigned char>(pair[1])), b);
  }
}

TEST(UnicodeTab, HexHelpers) {
  EXPECT_EQ(HexDigitValue('7'), 7);
  EXPECT_EQ(HexDigitValue('B'), 11);
  EXPECT_EQ(HexDigitValue('f'), 15);
  EXPECT_EQ(HexToInt("017D"), 0x17D);
  EXPECT_EQ(HexToInt(""), 0);
}

TEST(Cp1250, DecodesTheCodePageAndRoundTripsEveryByte) {
  EXPECT_EQ(Cp1250ToUnicode(0x8A), U'Š');
  EXPECT_EQ(Cp1250ToUnicode(0xA3), U'Ł');
  EXPECT_EQ(Cp1250ToUnicode(0x80), U'€');
  EXPECT_EQ(Cp1250ToUnicode(0x96), U'–');
  EXPECT_EQ(Cp1250ToUnicode(0x81), U'\u0081');
  for (int b = 0; b < 256; ++b) EXPECT_EQ(UnicodeToCp1250(Cp1250ToUnicode(static_cast<unsigned char>(b))), b);
}

TEST(Cp1250, Utf8BothWaysAndLossReported) {
  EXPECT_EQ(Cp1250ToUtf8("\xC8"
                         "esk\xFD"),
            "Český");
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp1250("Český", &lossless),
            "\xC8"
            "esk\xFD");
  EXPECT_TRUE(lossless);
  EXPECT_EQ(Utf8ToCp1250("日本", &lossless), "??");
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp1250("a\xC3", &lossless), "a?");  // cut short
}

}  // namespace
}  // namespace qm
