#include "formats/unicode_tab.h"

namespace qm {

const std::array<UnicodeCharRow, 49> UnicodeCharTable = {{
    {0x8A, "0160"}, {0x8D, "0164"}, {0x8E, "017D"}, {0x9A, "0161"}, {0x9D, "0165"}, {0x9E, "017E"},
    {0xBC, "013D"}, {0xBE, "013E"}, {0xC0, "0154"}, {0xC1, "00C1"}, {0xC2, "00C2"}, {0xC4, "00C4"},
    {0xC8, "010C"}, {0xC9, "00C9"}, {0xCB, "00CB"}, {0xCC, "011A"}, {0xCD, "00CD"}, {0xCE, "00CE"},
    {0xCF, "010E"}, {0xD2, "0147"}, {0xD3, "00D3"}, {0xD4, "00D4"}, {0xD6, "00D6"}, {0xD8, "0158"},
    {0xD9, "016E"}, {0xDA, "00DA"}, {0xDC, "00DC"}, {0xDD, "00DD"}, {0xDF, "00DF"}, {0xE0, "0155"},
    {0xE1, "00E1"}, {0xE2, "00E2"}, {0xE4, "00E4"}, {0xE8, "010D"}, {0xE9, "00E9"}, {0xEB, "00EB"},
    {0xEC, "011B"}, {0xED, "00ED"}, {0xEE, "00EE"}, {0xEF, "010F"}, {0xF2, "0148"}, {0xF3, "00F3"},
    {0xF4, "00F4"}, {0xF6, "00F6"}, {0xF8, "0159"}, {0xF9, "016F"}, {0xFA, "00FA"}, {0xFC, "00FC"},
    {0xFD, "00FD"},
}};

namespace {

// Both directions are looked up once per character of every 16-bit file, so the table is
// expanded into two direct-index maps at first use.
struct Lookup {
  std::array<uint16_t, 256> toCode{};
  std::array<int16_t, 65536> toByte{};
  Lookup() {
    for (int b = 0; b < 256; ++b) toCode[b] = static_cast<uint16_t>(b);
    toByte.fill(-1);
    for (const auto& row : UnicodeCharTable) {
      const auto code = static_cast<uint16_t>(HexToInt(row.Code));
      toCode[row.Byte] = code;
      toByte[code] = row.Byte;
    }
  }
};

const Lookup& Tables() {
  static const Lookup lookup;
  return lookup;
}

}  // namespace

uint8_t HexDigitValue(char ch) {
  if (ch >= '0' && ch <= '9') return static_cast<uint8_t>(ch - '0');
  const char upper = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
  return static_cast<uint8_t>(upper - 55);
}

int32_t HexToInt(std::string_view text) {
  int32_t value = 0;
  for (char ch : text) value = value * 16 + HexDigitValue(ch);
  return value;
}

std::string CharToUnicode(unsigned char c) {
  const uint16_t code = Tables().toCode[c];
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

unsigned char UnicodeToChar(unsigned char high, unsigned char low) {
  const int16_t byte = Tables().toByte[(high << 8) | low];
  return byte >= 0 ? static_cast<unsigned char>(byte) : low;
}

}  // namespace qm
