#include <gtest/gtest.h>

#include "formats/subtitles_save.h"
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

// The 16-bit formats now write every character's real code; for the 49 letters of the old
// table that is the code the table gave, so files written before stay byte-identical.
TEST(UnicodeTab, TheTableLettersKeepTheirCodesInTheSixteenBitOutput) {
  for (const auto& row : UnicodeCharTable) {
    const std::string wide = StringToUnicode(Cp1250ToUtf8(std::string(1, static_cast<char>(row.Byte))));
    ASSERT_EQ(wide.size(), 2u);
    const std::string pair = CharToUnicode(row.Byte);
    EXPECT_EQ(wide[0], pair[1]) << row.Code;
    EXPECT_EQ(wide[1], pair[0]) << row.Code;
  }
}

}  // namespace
}  // namespace qm
