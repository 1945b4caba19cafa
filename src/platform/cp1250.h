#pragma once
// The complete Windows-1250 code page, our own table: the five bytes it leaves undefined map
// to the C1 controls U+0081, U+0083, U+0088, U+0090 and U+0098, so every byte survives a round
// trip (iconv would refuse them). The INI files and old subtitle files are Windows-1250.

#include <optional>
#include <string>
#include <string_view>

namespace qm {

char32_t Cp1250ToUnicode(unsigned char byte);
std::optional<unsigned char> UnicodeToCp1250(char32_t code);
void AppendCp1250AsUtf8(std::string& out, std::string_view bytes);
// At least as many bytes as DecodeCp1250Into writes for `bytes`, and about as many.
size_t Cp1250AsUtf8Room(std::string_view bytes);
// Decodes into `to`, which has Cp1250AsUtf8Room (or 3 bytes per input byte) and 8 more;
// returns the bytes written.
size_t DecodeCp1250Into(std::string_view bytes, char* to);
std::string Cp1250ToUtf8(std::string_view bytes);
// Appends the Windows-1250 bytes of a UTF-8 text; false, with `out` as it was and the
// offending character's offset in *failedAt, when a character is outside the code page.
bool EncodeUtf8AsCp1250(std::string_view utf8, std::string& out, size_t* failedAt = nullptr);
// The same within the text itself; on failure the text is left in a state of no use.
bool EncodeUtf8AsCp1250InPlace(std::string& text, size_t* failedAt = nullptr);
// Characters outside the code page become "?"; *lossless tells whether any did.
std::string Utf8ToCp1250(std::string_view utf8, bool* lossless = nullptr);

}  // namespace qm
