#pragma once
// The fixed 49-letter table through which the three 16-bit formats translate text. It is
// not a code page: bytes outside it keep their value as the Unicode code and back.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

struct UnicodeCharRow {
  unsigned char Byte;
  const char* Code;  // four upper-case hexadecimal digits
};
extern const std::array<UnicodeCharRow, 49> UnicodeCharTable;

// Two characters: the high byte, then the low byte of the code of c.
std::string CharToUnicode(unsigned char c);
unsigned char UnicodeToChar(unsigned char high, unsigned char low);
// CharToUnicode as one number, for the writers' inner loop.
uint16_t UnicodeCodeOf(unsigned char c);
uint8_t HexDigitValue(char ch);
int32_t HexToInt(std::string_view text);

}  // namespace qm
