#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/utf8.h"

namespace qm {
namespace {

// The same lines in five languages; Polish and the en dash are where Windows-1250 and the
// old 49-letter table part ways.
const std::string kSample = "Žluťoučký kůň – łódź, très, времена, 日本語 😀";

TEST(Cp1250, DecodesTheCodePageAndRoundTripsEveryByte) {
  EXPECT_EQ(Cp1250ToUnicode(0x8A), U'Š');
  EXPECT_EQ(Cp1250ToUnicode(0xA3), U'Ł');
  EXPECT_EQ(Cp1250ToUnicode(0x80), U'€');
  EXPECT_EQ(Cp1250ToUnicode(0x96), U'–');
  EXPECT_EQ(Cp1250ToUnicode(0x81), U'\u0081');
  for (int b = 0; b < 256; ++b) EXPECT_EQ(UnicodeToCp1250(Cp1250ToUnicode(static_cast<unsigned char>(b))), b);
}

TEST(Cp1250, Utf8BothWaysAndLossReported) {
  EXPECT_EQ(Cp1250ToUtf8("\xC8"
                         "esk\xFD"),
            "Český");
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp1250("Český", &lossless),
            "\xC8"
            "esk\xFD");
  EXPECT_TRUE(lossless);
  EXPECT_EQ(Utf8ToCp1250("日本", &lossless), "??");
  EXPECT_FALSE(lossless);
  EXPECT_EQ(Utf8ToCp1250("a\xC3", &lossless), "a?");  // cut short
}

// Saving encodes megabytes within the laid-out text itself, a piece at a time: every byte of
// the code page, characters cut by a piece's end, and a misfit far into the text must come
// out as the plain per-character encoding says.
TEST(Cp1250, EncodingInPlaceMatchesCharacterByCharacter) {
  std::string everyByte;
  for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::string unit = Cp1250ToUtf8(everyByte) + "\r\nŽluťoučký kůň – „x“ … €";
  std::string large;
  while (large.size() < 100000) large += unit;
  for (const std::string& text : {unit, large, std::string("ok")}) {
    std::string inPlace = text;
    ASSERT_TRUE(EncodeUtf8AsCp1250InPlace(inPlace));
    bool lossless = false;
    EXPECT_EQ(inPlace, Utf8ToCp1250(text, &lossless));
    EXPECT_TRUE(lossless);
  }
  struct Misfit {
    std::string Text;
    size_t At;
  };
  const std::string head = large.substr(0, unit.size() * (40000 / unit.size()));
  for (const Misfit& misfit :
       {Misfit{head + "日" + unit, head.size()}, Misfit{head + "\xC3", head.size()}, Misfit{"a😀", 1},
        Misfit{"ab\xE2\x80", 2}, Misfit{"a" + std::string(40000, '\x80'), 1}}) {
    std::string inPlace = misfit.Text, copy;
    size_t inPlaceAt = 0, copyAt = 0;
    EXPECT_FALSE(EncodeUtf8AsCp1250InPlace(inPlace, &inPlaceAt));
    EXPECT_FALSE(EncodeUtf8AsCp1250(misfit.Text, copy, &copyAt));
    EXPECT_EQ(inPlaceAt, misfit.At);
    EXPECT_EQ(copyAt, misfit.At);
    EXPECT_TRUE(copy.empty());
  }
}

// Where the code page's encoder must stop: the first character that is broken, or that
// Windows-1250 lacks; npos when there is none.
size_t FirstMisfit(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead < 0x80                    ? 1
                          : lead >= 0xC2 && lead <= 0xDF ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                                                         : 4;
    if (pos + length > text.size() || !IsValidUtf8(text.substr(pos, length))) return pos;
    size_t next = pos;
    if (!UnicodeToCp1250(NextCodePoint(text, next))) return pos;
    pos = next;
  }
  return std::string_view::npos;
}

// Long texts are encoded sixteen bytes at a time, with short cuts for ASCII and the accented
// letters: at every alignment, among characters of every length, broken ones and misfits, the
// bytes and the place of a misfit must be what encoding character by character gives.
TEST(Cp1250, BlockEncodingAgreesWithCharacterByCharacter) {
  const std::string pieces[] = {
      "a", "bcdefghijklmnopq", "č",        "Ž",    "ł",  "\xC2\x81", "Я", "\xC3", "\x80", "–", "€", "„", "日",
      "😀", "\xE2\x80",         "\xC1\xBF", "\r\n", "ňý "};
  uint32_t seed = 777;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int round = 0; round < 100000; ++round) {
    std::string text(next() >> 28, 'x');
    const int count = 4 + static_cast<int>(next() >> 26);
    for (int k = 0; k < count; ++k) {
      const uint32_t pick = next() >> 27;
      // Mostly what Windows-1250 holds, so that many texts get through whole.
      text += pieces[pick < std::size(pieces) && (pick < 5 || pick == 9 || pick == 10 || next() % 8 == 0)
                         ? pick
                         : pick % 5];
    }
    const size_t misfit = FirstMisfit(text);
    std::string copy, inPlace = text;
    size_t copyAt = 0, inPlaceAt = 0;
    ASSERT_EQ(EncodeUtf8AsCp1250(text, copy, &copyAt), misfit == std::string::npos) << text;
    ASSERT_EQ(EncodeUtf8AsCp1250InPlace(inPlace, &inPlaceAt), misfit == std::string::npos) << text;
    if (misfit == std::string::npos) {
      ASSERT_EQ(copy, Utf8ToCp1250(text)) << text;
      ASSERT_EQ(inPlace, copy) << text;
    } else {
      ASSERT_EQ(copyAt, misfit) << text;
      ASSERT_EQ(inPlaceAt, misfit) << text;
    }
  }
}

TEST(Utf8, StrictValidityAndCharacterCounts) {
  struct Case {
    std::string bytes;
    bool valid;
  } const cases[] = {
      {"plain", true},
      {kSample, true},
      {"\xC3", false},              // cut short
      {"\xC0\xAF", false},          // overlong "/"
      {"\xE0\x80\xAF", false},      // overlong, three bytes
      {"\xED\xA0\x80", false},      // a surrogate
      {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
      {"\x80", false},              // a lone continuation byte
      {"\xE8\x61", false},          // Windows-1250 "č" before a letter
      {"\xF0\x9F\x98\x80", true},   // U+1F600
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
  EXPECT_FALSE(IsUtf8WithMultibyte("ascii only"));
  EXPECT_TRUE(IsUtf8WithMultibyte("č"));
  EXPECT_EQ(SanitizeUtf8("a\xE8z\xC3"), "a\uFFFDz\uFFFD");
  EXPECT_EQ(CountCharacters("kůň 日本"), 6u);
  EXPECT_EQ(CharacterSubstr("kůň 日本", 2, 3), "ň 日");
  EXPECT_EQ(Utf32ToUtf8(Utf8ToUtf32(kSample)), kSample);
}

// The well-formed sequences as the Unicode standard tables them, one character at a time.
bool IsWellFormedUtf8(std::string_view bytes) {
  struct Row {
    unsigned char lead0, lead1, second0, second1;
    size_t length;
  } const rows[] = {{0x00, 0x7F, 0, 0, 1},       {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3},
                    {0xE1, 0xEC, 0x80, 0xBF, 3}, {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3},
                    {0xF0, 0xF0, 0x90, 0xBF, 4}, {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4}};
  const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  for (size_t pos = 0; pos < bytes.size();) {
    const Row* row = nullptr;
    for (const Row& r : rows)
      if (at(pos) >= r.lead0 && at(pos) <= r.lead1) row = &r;
    if (!row || pos + row->length > bytes.size()) return false;
    if (row->length > 1 && (at(pos + 1) < row->second0 || at(pos + 1) > row->second1)) return false;
    for (size_t k = 2; k < row->length; ++k)
      if ((at(pos + k) & 0xC0) != 0x80) return false;
    pos += row->length;
  }
  return true;
}

// Every pair of bytes at every place within and across eight-byte words, in text of accented
// letters, and random runs of whole, cut and stray sequences.
TEST(Utf8, ValidityAgreesWithTheStandardsTableEverywhere) {
  const std::string around = "čš ab ňý";  // ASCII and two-byte letters
  for (size_t place = 0; place < 10; ++place)
    for (int first = 0; first < 256; ++first)
      for (int second = 0; second < 256; ++second) {
        std::string text =
            around.substr(0, place) + static_cast<char>(first) + static_cast<char>(second) + around;
        ASSERT_EQ(IsValidUtf8(text), IsWellFormedUtf8(text)) << place << ' ' << first << ' ' << second;
      }
  const std::string pieces[] = {"a", "bcdefgh", "č",        "Ž", "\xC3",     "\x80",         "\xC1\xBF",
                                "–", "„",       "\xE2\x80", "😀", "\xF0\x9F", "\xED\xA0\x80", "\xDF\xBF"};
  uint32_t seed = 12345;
  for (int round = 0; round < 200000; ++round) {
    std::string text;
    for (int k = 0; k < 12; ++k) {
      seed = seed * 1664525u + 1013904223u;
      const size_t pick = seed >> 28;
      text += pick < std::size(pieces) && (pick > 3 || seed % 5 == 0) ? pieces[pick] : pieces[pick % 4];
    }
    ASSERT_EQ(IsValidUtf8(text), IsWellFormedUtf8(text)) << text;
  }
}

// Every encoding a user can pick decodes what it encodes; where the sample does not fit, the
// first character that does not is named with its place.
TEST(TextEncoding, EveryOfferedEncodingRoundTripsOrNamesTheFirstMisfit) {
  for (const std::string& item : SaveEncodingItems()) {
    SCOPED_TRACE(item);
    const auto encoding = ParseEncodingName(item);
    ASSERT_TRUE(encoding);
    EncodeFailure failure;
    const auto bytes = EncodeText(kSample, *encoding, &failure);
    if (bytes) {
      const auto bom = DetectBom(*bytes);
      EXPECT_EQ(bom.has_value(), encoding->Bom);
      EXPECT_EQ(DecodeText(SkipBomOf(*encoding, *bytes), *encoding), kSample);
      continue;
    }
    EXPECT_FALSE(CanEncode(kSample, *encoding));
    // The misfit is a character of the sample, at its place.
    size_t pos = failure.Offset;
    EXPECT_EQ(NextCodePoint(kSample, pos), failure.Character);
    EXPECT_TRUE(CanEncode(kSample.substr(0, failure.Offset), *encoding));
  }
}

TEST(TextEncoding, WhatEachEncodingCannotHold) {
  EncodeFailure failure;
  EXPECT_FALSE(EncodeText("ok ł 日", Windows1250Encoding(), &failure).has_value() &&
               failure.Character == U'日');
  EXPECT_EQ(failure.Character, U'日');
  EXPECT_EQ(*EncodeText("ł – „x“", Windows1250Encoding()), "\xB3 \x96 \x84x\x93");
  EXPECT_FALSE(EncodeText("ł", *ParseEncodingName("windows-1252"), &failure));
  EXPECT_EQ(failure.Character, U'ł');
  EXPECT_EQ(failure.Offset, 0u);
  EXPECT_EQ(*EncodeText("très", *ParseEncodingName("windows-1252")), "tr\xE8s");
  EXPECT_EQ(*EncodeText("время", *ParseEncodingName("windows-1251")), "\xE2\xF0\xE5\xEC\xFF");
}

TEST(TextEncoding, Utf16FormsAndTheirMarks) {
  EXPECT_EQ(*EncodeText("a😀", Utf16LeEncoding()), std::string("\xFF\xFE"
                                                              "a\0\x3D\xD8\x00\xDE",
                                                              8));
  EXPECT_EQ(*EncodeText("a", Utf16BeEncoding()), std::string("\xFE\xFF\0a", 4));
  EXPECT_EQ(*EncodeText("a", Utf16LeEncoding(false)), std::string("a\0", 2));
  EXPECT_EQ(*EncodeText("a", Utf8Encoding(true)),
            "\xEF\xBB\xBF"
            "a");
  EXPECT_EQ(DecodeText(std::string("\x3D\xD8\x00\xDE", 4), Utf16LeEncoding()), "😀");
  // A lone surrogate and half a character are no characters.
  EXPECT_EQ(DecodeText(std::string("\x00\xD8"
                                   "a\0"
                                   "b",
                                   5),
                       Utf16LeEncoding()),
            "\uFFFDa\uFFFD");
  EXPECT_EQ(DetectBom("\xEF\xBB\xBFx")->Encoding, Utf8Encoding(true));
  EXPECT_EQ(DetectBom("\xFF\xFEx")->Encoding, Utf16LeEncoding(true));
  EXPECT_EQ(DetectBom("\xFE\xFFx")->Length, 2u);
  EXPECT_FALSE(DetectBom("x"));
  // Only a mark of the named encoding is skipped.
  EXPECT_EQ(SkipBomOf(Utf8Encoding(), "\xEF\xBB\xBFx"), "x");
  EXPECT_EQ(SkipBomOf(Windows1250Encoding(), "\xEF\xBB\xBFx"), "\xEF\xBB\xBFx");
}

TEST(TextEncoding, WindowsUndefinedBytesSurviveEveryWay) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string text = DecodeText(all, Windows1250Encoding());
  EXPECT_TRUE(IsValidUtf8(text));
  for (const char* undefined : {"\u0081", "\u0083", "\u0088", "\u0090", "\u0098"})
    EXPECT_NE(text.find(undefined), std::string::npos) << undefined;
  EXPECT_EQ(*EncodeText(text, Windows1250Encoding()), all);
}

TEST(TextEncoding, NamesAsUsersGiveThem) {
  EXPECT_FALSE(ParseEncodingName("auto"));
  EXPECT_FALSE(ParseEncodingName("Auto"));
  EXPECT_EQ(*ParseEncodingName("UTF-8 BOM"), Utf8Encoding(true));
  EXPECT_EQ(*ParseEncodingName("utf-8-bom"), Utf8Encoding(true));
  EXPECT_EQ(*ParseEncodingName("CP1250"), Windows1250Encoding());
  EXPECT_EQ(ParseEncodingName("ISO-8859-2")->Name, "iso-8859-2");
  EXPECT_EQ(*ParseReadEncodingName("utf-16le"), Utf16LeEncoding(false));
  EXPECT_THROW(ParseEncodingName("no-such-encoding"), QuillmarkError);
  EXPECT_THROW(ParseEncodingName(""), QuillmarkError);
  for (const std::string& item : OpenEncodingItems()) EXPECT_NO_THROW(ParseReadEncodingName(item)) << item;
  EXPECT_EQ(EncodingDisplayName(Utf8Encoding(true)), "utf-8-bom");
  EXPECT_EQ(EncodingDisplayName(Utf16BeEncoding(true)), "utf-16be");
}

TEST(TextEncoding, BytesACodePageDoesNotDefineBecomeReplacementCharacters) {
  // 0x98 is undefined in Windows-1251; iconv refuses it, we show U+FFFD and go on.
  EXPECT_EQ(DecodeText("a\x98z", *ParseEncodingName("windows-1251")), "a\uFFFDz");
  EXPECT_EQ(DecodeText("a\xE8z", Utf8Encoding()), "a\uFFFDz");
}

}  // namespace
}  // namespace qm
