#include "platform/utf8.h"

namespace qm {
namespace {

// Length of the valid sequence at `pos`, or 0 when none starts there.
size_t ValidSequenceLength(std::string_view bytes, size_t pos) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[pos + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (!IsContinuationByte(bytes[pos + k])) return 0;
  return length;
}

}  // namespace

std::u32string Utf8ToUtf32(std::string_view text) {
  std::u32string wide;
  wide.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) wide += NextCodePoint(text, pos);
  return wide;
}

std::string Utf32ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t code : text) AppendCodePoint(out, code);
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  const size_t size = bytes.size();
  for (size_t pos = 0; pos < size;) {
    // ASCII eight bytes at a time, up to the first byte that is not; a two-byte character,
    // the common case in European text, inline.
    if (pos + 8 <= size) {
      uint64_t word;
      std::memcpy(&word, bytes.data() + pos, 8);
      const uint64_t high = word & 0x8080808080808080ULL;
      if (!high) {
        pos += 8;
        continue;
      }
      pos += static_cast<size_t>(__builtin_ctzll(high)) / 8;
    } else if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead >= 0xC2 && lead <= 0xDF && pos + 1 < size && IsContinuationByte(bytes[pos + 1])) {
      pos += 2;
      continue;
    }
    const size_t length = ValidSequenceLength(bytes, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

bool IsUtf8WithMultibyte(std::string_view bytes) { return !IsAscii(bytes) && IsValidUtf8(bytes); }

std::string SanitizeUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + 16);
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t length = ValidSequenceLength(bytes, pos);
    if (length == 0) {
      AppendCodePoint(out, kReplacementCharacter);
      ++pos;
    } else {
      out.append(bytes.substr(pos, length));
      pos += length;
    }
  }
  return out;
}

}  // namespace qm
