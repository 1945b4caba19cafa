#pragma once
// UTF-8, the one form text takes inside the program. These helpers assume valid UTF-8, which
// every decoder guarantees: invalid input becomes U+FFFD at the file's edge.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qm {

constexpr char32_t kReplacementCharacter = 0xFFFD;

inline bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The offset of the first byte of 0x80 or above at or after `from`; the size when none.
inline size_t FindNonAscii(std::string_view text, size_t from = 0) {
  size_t i = from;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & 0x8080808080808080ULL) break;
  }
  for (; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return i;
  return text.size();
}

// True when no byte is 0x80 or above: then bytes and characters coincide.
inline bool IsAscii(std::string_view text) { return FindNonAscii(text) == text.size(); }

// The character starting at `pos`, which moves past it; U+FFFD for a broken sequence.
inline char32_t NextCodePoint(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  if (lead < 0xC0 || lead > 0xF7) return 0xFFFD;
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
  char32_t code = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (pos >= text.size() || !IsContinuationByte(text[pos])) return 0xFFFD;
    code = (code << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  }
  return code;
}

inline void AppendCodePoint(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

inline std::string CodePointText(char32_t code) {
  std::string text;
  AppendCodePoint(text, code);
  return text;
}

// Characters (code points), not bytes.
inline size_t CountCharacters(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += !IsContinuationByte(c);
  return count;
}

// The byte offset of character `index` (0-based); the text's size when it has fewer.
inline size_t ByteOffsetOfCharacter(std::string_view text, size_t index) {
  size_t pos = 0;
  for (; pos < text.size() && index > 0; --index) do
      ++pos;
    while (pos < text.size() && IsContinuationByte(text[pos]));
  return pos;
}

// `count` characters from 0-based character `from`, shorter near the end.
inline std::string_view CharacterSubstr(std::string_view text, size_t from, size_t count) {
  const size_t begin = ByteOffsetOfCharacter(text, from);
  const std::string_view rest = text.substr(begin);
  return rest.substr(0, ByteOffsetOfCharacter(rest, count));
}

std::u32string Utf8ToUtf32(std::string_view text);
std::string Utf32ToUtf8(std::u32string_view text);

// Bytes that are strictly valid UTF-8 (no overlong forms, surrogates or codes above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// Valid UTF-8 with at least one multi-byte character: such bytes are almost never text in a
// single-byte code page.
bool IsUtf8WithMultibyte(std::string_view bytes);
// Invalid sequences become U+FFFD, one per byte that starts no valid character.
std::string SanitizeUtf8(std::string_view bytes);

}  // namespace qm
