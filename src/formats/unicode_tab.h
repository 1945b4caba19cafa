#pragma once
// The fixed 49-letter table through which the three 16-bit formats once translated text. It
// is not a code page (bytes outside it kept their value as the code), so the formats now
// write every character as its real Unicode code; for these 49 letters that is the same
// code, which keeps files written before byte-identical.

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
uint8_t HexDigitValue(char ch);
int32_t HexToInt(std::string_view text);

}  // namespace qm
