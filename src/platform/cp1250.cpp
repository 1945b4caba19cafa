#include "platform/cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/utf8.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define QM_VECTOR_CP1250 1
#else
#define QM_VECTOR_CP1250 0
#endif

namespace qm {
namespace {

// Unicode of the bytes 0x80-0xFF; the five undefined bytes map to the C1 controls, as the
// platform does, so that every byte survives a round trip.
constexpr std::array<uint16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Code -> byte for the codes the high half uses (all below U+2200); 0 where none.
const std::array<unsigned char, 0x2200>& ReverseTable() {
  static const auto table = [] {
    std::array<unsigned char, 0x2200> reverse{};
    for (size_t i = 0; i < kHighHalf.size(); ++i)
      reverse[kHighHalf[i]] = static_cast<unsigned char>(0x80 + i);
    return reverse;
  }();
  return table;
}

// The byte of each two-byte UTF-8 character, indexed by the two bytes as they lie in memory
// (first byte low); 0 for pairs that are no such character or one Windows-1250 lacks.
const std::array<unsigned char, 0x10000>& TwoByteTable() {
  static const auto table = [] {
    std::array<unsigned char, 0x10000> pairs{};
    for (unsigned lead = 0xC2; lead <= 0xDF; ++lead)
      for (unsigned next = 0x80; next <= 0xBF; ++next) {
        const char32_t code = (lead & 0x1Fu) << 6 | (next & 0x3Fu);
        if (code < ReverseTable().size()) pairs[lead | next << 8] = ReverseTable()[code];
      }
    return pairs;
  }();
  return table;
}

// Each byte's UTF-8 form in the low three bytes (first byte lowest), its length in the top
// byte: one four-byte store and one shift per character, no branch.
const std::array<uint32_t, 256>& Utf8Forms() {
  static const auto table = [] {
    std::array<uint32_t, 256> forms{};
    for (int b = 0; b < 256; ++b) {
      const std::string text = CodePointText(Cp1250ToUnicode(static_cast<unsigned char>(b)));
      uint32_t form = static_cast<uint32_t>(text.size()) << 24;
      for (size_t k = 0; k < text.size(); ++k)
        form |= static_cast<uint32_t>(static_cast<unsigned char>(text[k])) << (8 * k);
      forms[static_cast<size_t>(b)] = form;
    }
    return forms;
  }();
  return table;
}

constexpr uint64_t kHighBits = 0x8080808080808080ULL;

// Copies the eight bytes at `from` to `to` and steps both past them when all eight are
// ASCII, which reads and writes the same in UTF-8 and Windows-1250; else does nothing.
bool CopyAsciiWord(const unsigned char*& from, char*& to) {
  uint64_t word;
  std::memcpy(&word, from, 8);
  if ((word & kHighBits) != 0) return false;
  std::memcpy(to, &word, 8);
  from += 8, to += 8;
  return true;
}

#if QM_VECTOR_CP1250
bool HasVectorUnit() {
  static const bool has = __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
  return has;
}

__attribute__((target("popcnt"))) size_t CountHighBytesBySixteens(std::string_view bytes, size_t& i) {
  size_t count = 0;
  for (; i + 16 <= bytes.size(); i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
    count += static_cast<size_t>(_mm_popcnt_u32(static_cast<unsigned>(_mm_movemask_epi8(block))));
  }
  return count;
}
#endif

// How many bytes are 0x80 or above: each becomes at most three UTF-8 bytes.
size_t CountHighBytes(std::string_view bytes) {
  size_t count = 0, i = 0;
#if QM_VECTOR_CP1250
  if (HasVectorUnit()) count = CountHighBytesBySixteens(bytes, i);
#endif
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    count += static_cast<size_t>((((word & kHighBits) >> 7) * 0x0101010101010101ULL) >> 56);
  }
  for (; i < bytes.size(); ++i) count += static_cast<unsigned char>(bytes[i]) >> 7;
  return count;
}

}  // namespace

char32_t Cp1250ToUnicode(unsigned char byte) { return byte < 0x80 ? byte : kHighHalf[byte - 0x80]; }

std::optional<unsigned char> UnicodeToCp1250(char32_t code) {
  if (code < 0x80) return static_cast<unsigned char>(code);
  if (code >= 0x2200) return std::nullopt;
  const unsigned char byte = ReverseTable()[code];
  if (byte == 0) return std::nullopt;
  return byte;
}

size_t DecodeCp1250Into(std::string_view bytes, char* to) {
  char* const start = to;
  const auto* from = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = from + bytes.size();
  const auto& forms = Utf8Forms();
  const auto one = [&] {
    const uint32_t form = forms[*from++];
    std::memcpy(to, &form, 4);
    to += form >> 24;
  };
  while (end - from >= 8) {
    // Eight ASCII bytes are copied at once; eight others go through the table one by one,
    // which costs less than finding where the ASCII stops.
    if (CopyAsciiWord(from, to)) continue;
    for (int k = 0; k < 8; ++k) one();
  }
  while (from < end) one();
  return static_cast<size_t>(to - start);
}

size_t Cp1250AsUtf8Room(std::string_view bytes) {
  // Three bytes at most for a byte of the high half, one for the rest.
  return bytes.size() + 2 * CountHighBytes(bytes);
}

void AppendCp1250AsUtf8(std::string& out, std::string_view bytes) {
  // Sized once for the worst case (and the room the decoder's wide stores need), written
  // through a pointer, cut to what was written: files are megabytes, and this runs over every
  // byte of them.
  const size_t start = out.size();
  out.resize(start + Cp1250AsUtf8Room(bytes) + 8);
  out.resize(start + DecodeCp1250Into(bytes, out.data() + start));
}

std::string Cp1250ToUtf8(std::string_view bytes) {
  std::string out;
  AppendCp1250AsUtf8(out, bytes);
  return out;
}

namespace {

// How far EncodeRun got: the bytes read and written, and whether it stopped early at a
// character Windows-1250 lacks (which is then at `read`).
struct EncodeProgress {
  size_t Read = 0;
  size_t Written = 0;
  bool Failed = false;
};

// Encodes UTF-8 bytes [From, End) into At, which has room for as many bytes (and 16 more).
struct Cp1250Encoder {
  const unsigned char* From;
  const unsigned char* const End;
  char* At;

  // One character; false at a character the code page lacks, or a broken sequence.
  bool Character() {
    if (*From < 0x80) {
      *At++ = static_cast<char>(*From++);
      return true;
    }
    // Two-byte characters (the accented letters) are the common case: one table look-up.
    unsigned char byte = 0;
    size_t length = 2;
    if (End - From >= 2) {
      uint16_t pair;
      std::memcpy(&pair, From, 2);
      byte = TwoByteTable()[pair];
    }
    if (byte == 0 && (From[0] & 0xF0) == 0xE0 && End - From >= 3 && (From[1] & 0xC0) == 0x80 &&
        (From[2] & 0xC0) == 0x80) {
      const char32_t code = (From[0] & 0x0Fu) << 12 | (From[1] & 0x3Fu) << 6 | (From[2] & 0x3Fu);
      if (code < ReverseTable().size()) byte = ReverseTable()[code], length = 3;
    }
    if (byte == 0) return false;  // four bytes, a broken sequence or a missing character
    *At++ = static_cast<char>(byte);
    From += length;
    return true;
  }

  // The characters that begin within the next `count` bytes.
  bool Characters(size_t count) {
    for (const unsigned char* const stop = From + count; From < stop;)
      if (!Character()) return false;
    return true;
  }

  bool Rest() { return Characters(static_cast<size_t>(End - From)); }

  // Eight bytes at a time while they are ASCII; others character by character past those eight.
  bool ByWords() {
    while (End - From >= 8)
      if (!CopyAsciiWord(From, At) && !Characters(8)) return false;
    return Rest();
  }

#if QM_VECTOR_CP1250
  bool BySixteens();
#endif
};

#if QM_VECTOR_CP1250

// For each set of the eight bytes to leave out: the byte shuffle that closes the gaps.
const std::array<uint64_t, 256>& GapClosers() {
  static const auto table = [] {
    std::array<uint64_t, 256> closers{};
    for (unsigned drop = 0; drop < 256; ++drop) {
      uint64_t closer = 0;
      for (unsigned i = 0, kept = 0; i < 8; ++i)
        if ((drop >> i & 1) == 0) closer |= uint64_t{i} << (8 * kept++);
      closers[drop] = closer;
    }
    return closers;
  }();
  return table;
}

// Sixteen bytes at a time: ASCII is copied whole; a block of ASCII and two-byte characters
// only (the accented letters) has its second bytes shuffled out and each first byte replaced
// by the character's byte. Anything else goes character by character, so both routes agree.
__attribute__((target("ssse3,popcnt"))) bool Cp1250Encoder::BySixteens() {
  const auto& pairs = TwoByteTable();
  const auto& closers = GapClosers();
  const __m128i top3 = _mm_set1_epi8(static_cast<char>(0xE0)), top2 = _mm_set1_epi8(static_cast<char>(0xC0));
  const __m128i lead = top2, trail = _mm_set1_epi8(static_cast<char>(0x80)), upper = _mm_set1_epi8(8);
  // Kept in locals: stores through At could otherwise be the members themselves.
  const unsigned char* from = From;
  char* at = At;
  const auto slowly = [&] {
    From = from, At = at;
    const bool encoded = Characters(16);
    from = From, at = At;
    return encoded;
  };
  while (End - from >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
    if (high == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(at), block);
      from += 16, at += 16;
      continue;
    }
    const auto leads =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(block, top3), lead)));
    const auto trails =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(block, top2), trail)));
    // A first byte in the last place has its second byte in the next block.
    if ((leads | trails) != high || trails != ((leads << 1) & 0xFFFF)) {
      if (!slowly()) return false;
      continue;
    }
    const unsigned drop = trails | (leads & 0x8000);
    const auto closer = [&](unsigned half) {
      return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&closers[half]));
    };
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm_shuffle_epi8(block, closer(drop & 0xFF)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 8 - _mm_popcnt_u32(drop & 0xFF)),
                     _mm_shuffle_epi8(block, _mm_add_epi8(closer(drop >> 8), upper)));
    unsigned char missing = 1;
    for (unsigned left = leads & 0x7FFF; left != 0; left &= left - 1) {
      const auto place = static_cast<unsigned>(__builtin_ctz(left));
      uint16_t pair;
      std::memcpy(&pair, from + place, 2);
      const unsigned char byte = pairs[pair];
      at[place - static_cast<unsigned>(_mm_popcnt_u32(trails & ((1u << place) - 1)))] =
          static_cast<char>(byte);
      missing &= byte != 0;
    }
    // A character the code page lacks (or an overlong form) is found and told by the slow route.
    if (!missing) {
      if (!slowly()) return false;
      continue;
    }
    const unsigned taken = 16 - (leads >> 15);
    at += taken - static_cast<unsigned>(_mm_popcnt_u32(leads & 0x7FFF));
    from += taken;
  }
  From = from, At = at;
  return Rest();
}

#endif

// Encodes the UTF-8 bytes [begin, end) into `to`, which has room for as many bytes and 16 more.
EncodeProgress EncodeRun(const unsigned char* const begin, const unsigned char* const end, char* const to) {
  Cp1250Encoder encoder{begin, end, to};
#if QM_VECTOR_CP1250
  const bool done = HasVectorUnit() ? encoder.BySixteens() : encoder.ByWords();
#else
  const bool done = encoder.ByWords();
#endif
  return {static_cast<size_t>(encoder.From - begin), static_cast<size_t>(encoder.At - to), !done};
}

}  // namespace

bool EncodeUtf8AsCp1250(std::string_view utf8, std::string& out, size_t* failedAt) {
  // Never longer than the UTF-8 text (every character becomes one byte), and 16 bytes of room
  // for the wide stores.
  const size_t start = out.size();
  out.resize(start + utf8.size() + 16);
  const auto* const begin = reinterpret_cast<const unsigned char*>(utf8.data());
  const EncodeProgress done = EncodeRun(begin, begin + utf8.size(), out.data() + start);
  if (done.Failed) {
    out.resize(start);
    if (failedAt) *failedAt = done.Read;
    return false;
  }
  out.resize(start + done.Written);
  return true;
}

bool EncodeUtf8AsCp1250InPlace(std::string& text, size_t* failedAt) {
  // Every character shrinks to one byte, so a piece encoded aside lands behind the bytes
  // still to be read: no second buffer of the file's size, and no byte-by-byte moves.
  constexpr size_t kPiece = 16 << 10;
  char piece[kPiece + 16];
  auto* const data = reinterpret_cast<unsigned char*>(text.data());
  const size_t size = text.size();
  size_t from = 0, to = 0;
  while (from < size) {
    size_t upTo = std::min(size, from + kPiece);
    // A piece ends before a character's first byte, never inside a character (a longer run
    // of continuation bytes is no character, and fails wherever it is cut).
    for (int back = 0; back < 3 && upTo < size && upTo > from + 1 && (data[upTo] & 0xC0) == 0x80; ++back)
      --upTo;
    const EncodeProgress done = EncodeRun(data + from, data + upTo, piece);
    std::memcpy(data + to, piece, done.Written);
    to += done.Written;
    if (done.Failed) {
      if (failedAt) *failedAt = from + done.Read;
      return false;
    }
    from = upTo;
  }
  text.resize(to);
  return true;
}

std::string Utf8ToCp1250(std::string_view utf8, bool* lossless) {
  std::string bytes;
  bytes.reserve(utf8.size());
  if (lossless) *lossless = true;
  for (size_t pos = 0; pos < utf8.size();) {
    const auto byte = UnicodeToCp1250(NextCodePoint(utf8, pos));
    bytes += byte ? static_cast<char>(*byte) : '?';
    if (!byte && lossless) *lossless = false;
  }
  return bytes;
}

}  // namespace qm
