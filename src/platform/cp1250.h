#pragma once
// The complete Windows-1250 code page, for showing text and naming files. Subtitle text
// stays Windows-1250 bytes inside; this converts only at the screen and file-name edges.

#include <optional>
#include <string>
#include <string_view>

namespace qm {

char32_t Cp1250ToUnicode(unsigned char byte);
std::optional<unsigned char> UnicodeToCp1250(char32_t code);
std::u32string DecodeCp1250(std::string_view bytes);
// Characters outside the code page become "?"; *lossless tells whether any did.
std::string EncodeCp1250(std::u32string_view text, bool* lossless = nullptr);
std::string Cp1250ToUtf8(std::string_view bytes);
std::string Utf8ToCp1250(std::string_view utf8, bool* lossless = nullptr);

}  // namespace qm
