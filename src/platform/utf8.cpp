#include "platform/utf8.h"

#include <cstdint>
#include <cstring>

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

// For the eight bytes at `at`, where a character starts: when they hold only ASCII and
// well-formed two-byte characters, how many of them those characters take up (7 when the
// last byte starts a character that ends in the next word); else 0. Each test is on bit 7
// of every byte at once, with the byte's lower bits shifted up into that place.
size_t TwoByteWordStep(const char* at) {
  constexpr uint64_t kTop = 0x8080808080808080ULL;
  uint64_t word;
  std::memcpy(&word, at, 8);
  const uint64_t high = word & kTop;
  if (high == 0) return 8;  // long runs of ASCII, in every file, go by at one test a word
  const uint64_t bit6 = (word << 1) & kTop;
  const uint64_t bit5 = (word << 2) & kTop;
  const uint64_t continuation = high & ~bit6;  // 10xxxxxx
  const uint64_t lead = high & bit6;           // 11xxxxxx
  // 110xxxxx with one of bits 1-4 set: C2-DF, as C0 and C1 would be overlong.
  const uint64_t payload = ((word & 0x1E1E1E1E1E1E1E1EULL) + 0x7F7F7F7F7F7F7F7FULL) & kTop;
  const uint64_t twoByteLead = lead & ~bit5 & payload;
  if (lead != twoByteLead || continuation != twoByteLead << 8) return 0;
  return 8 - static_cast<size_t>(twoByteLead >> 63);
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
  size_t pos = 0;
  while (pos < size) {
    // Eight bytes of ASCII and two-byte characters (European text) at once, without a branch
    // per character; anything else one character at a time.
    const size_t step = pos + 8 <= size ? TwoByteWordStep(bytes.data() + pos) : 0;
    if (step) {
      pos += step;
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
