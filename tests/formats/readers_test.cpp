#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "formats/catalogue.h"
#include "formats/dump.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "platform/errors.h"
#include "test_support.h"

namespace qm {
namespace {

std::string Utf16(std::string_view text) { return StringToUnicode(text); }

// Reads `bytes` as `format`; the failure message, if any, goes to `error`.
LoadResult Read(SubtitleDocument& doc, uint8_t format, std::string_view bytes, std::string* error = nullptr) {
  try {
    return LoadSubtitlesFromBytes(doc, format, bytes);
  } catch (const QuillmarkError& e) {
    if (!error) throw;
    *error = e.what();
    return {};
  }
}

TEST(StoreTimeStamp, TakesFieldsByPositionAndStoresMillisecondsUnchecked) {
  SubtitleDocument doc;
  StoreTimeStamp(doc, "01x02y03z4a6", 1, true, false);
  StoreTimeStamp(doc, "23:59:58.12", 1, false, true);  // short: two millisecond characters
  const TSubtitle& s = doc.SubtitleTable[1];
  EXPECT_EQ(std::tie(s.StartHour, s.StartMinute, s.StartSecond, s.StartMs), std::make_tuple(1, 2, 3, "4a6"));
  EXPECT_EQ(std::tie(s.EndHour, s.EndMinute, s.EndSecond, s.EndMs), std::make_tuple(23, 59, 58, "12"));
  try {
    StoreTimeStamp(doc, "00:0", 1, true, true);
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");  // minutes "0" pass, seconds are empty
  }
}

// A number field that is not a number stops the read with the product's message; what was
// read until then, including the subtitle being read, stays.
TEST(ReaderFailures, NotANumberKeepsTheSubtitlesReadSoFar) {
  struct Case {
    uint8_t format;
    std::string input;
    const char* message;
    int32_t count;
  };
  const Case cases[] = {
      {0, "{1}{2}a\r\n{x}{3}b\r\n", "'x' is not a valid integer value", 2},
      {0, "{1}{2 }a\r\n", "'2 ' is not a valid integer value", 1},
      {1, "1\r\n00:00:01,000 --> 00:0b:02,000\r\nkept\r\n", "'0b' is not a valid integer value", 1},
      {2, "*** START SCRIPT ***\r\n[00:00:01]\r\na\r\n[0a:00:02]\r\n", "'0a' is not a valid integer value",
       1},
      {2, "*** START SCRIPT ***\r\ntext before any tag\r\n", "'' is not a valid integer value", 1},
      {4, "-->> 1\r\na\r\n-->> 2\r\n-->> 3x\r\n", "'3x' is not a valid integer value", 1},
      {6, "Dialogue: 0,0:00:01.00,0:0a:02.00,D,,0,0,0,,t\r\n", "'0a' is not a valid integer value", 1},
      {7, "[00:00:01]a\r\n[00:00:0x]b\r\n", "'0x' is not a valid integer value", 2},
      {9, Utf16("00:00:01:00\t00:00:02:00\ta\r\n0:00:03:00\t00:00:04:00\tb\r\n"),
       "'0:' is not a valid integer value", 2},
  };
  for (const Case& c : cases) {
    SubtitleDocument doc;
    std::string error;
    Read(doc, c.format, c.input, &error);
    EXPECT_EQ(error, c.message) << c.input;
    EXPECT_EQ(doc.SubtitleCount, c.count) << c.input;
  }
  SubtitleDocument doc;
  std::string error;
  Read(doc, 0, "{1}{2}a\r\n{x}{3}b\r\n", &error);
  EXPECT_EQ(doc.SubtitleTable[1].Text, "a");
}

// One subtitle of each format, numbered so that the last one read can be recognised.
std::string OneSubtitle(uint8_t format, int n) {
  const std::string t = "t" + std::to_string(n);
  switch (format) {
    case 0:
      return "{" + std::to_string(n) + "}{" + std::to_string(n + 1) + "}" + t + "\r\n";
    case 1:
      return std::to_string(n) + "\r\n00:00:01,000 --> 00:00:02,000\r\n" + t + "\r\n\r\n";
    case 2:
      return "[00:00:01]\r\n" + t + "\r\n";
    case 3:
      return "00:00:01.00,00:00:02.00\r\n" + t + "\r\n\r\n";
    case 4:
      return "-->> 1\r\n" + t + "\r\n";
    case 5:
      return "00:00:01:" + t + "\r\n";
    case 6:
      return "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,," + t + "\r\n";
    case 7:
      return "[00:00:01]" + t + "\r\n";
    case 8:
      return Utf16("1  00:00:01:00  00:00:02:00  " + t + "\r\n\r\n");
    case 9:
      return Utf16("00:00:01:00\t00:00:02:00\t" + t + "\r\n");
    default:
      return Utf16("00:00:01.000\t00:00:02.000\t00:00:01.000\t" + t + "\r\n");
  }
}

std::string FileOf(uint8_t format, int subtitles) {
  std::string bytes = format == 2 ? "*** START SCRIPT ***\r\n" : format == 3 ? "[SUBTITLE]\r\n" : "";
  for (int n = 1; n <= subtitles; ++n) bytes += OneSubtitle(format, n);
  return bytes;
}

TEST(ReaderLimits, TheTableHoldsTwentyThousandAndTheRestIsReported) {
  SubtitleDocument doc;
  for (uint8_t format = 0; format <= 10; ++format) {
    LoadResult full = Read(doc, format, FileOf(format, MaxSubtitles));
    EXPECT_FALSE(full.Truncated) << int{format};
    EXPECT_EQ(doc.SubtitleCount, MaxSubtitles) << int{format};

    LoadResult over = Read(doc, format, FileOf(format, MaxSubtitles + 1));
    EXPECT_TRUE(over.Truncated) << int{format};
    EXPECT_EQ(doc.SubtitleCount, MaxSubtitles) << int{format};
    EXPECT_EQ(doc.SubtitleTable[MaxSubtitles].Text, "t20000") << int{format};
  }
  EXPECT_EQ(TruncationMessage(), "The file holds more than 20000 subtitles; the rest of it was not read.");
}

TEST(ReaderRules, FormatsWithoutAReaderReadNothing) {
  SubtitleDocument doc;
  for (uint8_t format : {11, 12, 13, 200}) {
    doc.SubtitleCount = 5;
    EXPECT_FALSE(Read(doc, format, FileOf(0, 3)).Truncated);
    EXPECT_EQ(doc.SubtitleCount, 0);
  }
}

// Reader rules shown on small inputs; the fuller files are in tests/data.
TEST(ReaderRules, SmallCasesReadAsTheFormatsDefine) {
  struct Case {
    uint8_t format;
    std::string input;
    std::string dump;
  };
  const Case cases[] = {
      // A "{" that the file ends behind begins nothing; text codes cut by the end stay.
      {0, "{1}{2}a{y:i}b{c\r\n{", "1\t1\t2\t0\t0\t0\t0\t0\t0\t000\t000\tab{c\n"},
      // A lone CR ends the text, and the reading primitive drops the line up to its LF.
      {1, "1\r\n00:00:01,000 --> 00:00:02,000\r\na\rlost\nb\r\n",
       "1\t0\t0\t0\t0\t0\t0\t1\t2\t000\t000\ta|b\n"},
      // Hexadecimal and signed counter lines count; the hide time is found by its first digit.
      {1, "$1F\r\n00:00:01,000-->x00:00:02,000\r\na\r\n\r\n-2\r\n00:00:03,000 -> 00:00:04,000\r\nb\r\n",
       "1\t0\t0\t0\t0\t0\t0\t1\t2\t000\t000\ta\n2\t0\t0\t0\t0\t0\t0\t3\t4\t000\t000\tb\n"},
      // A UTF-8 byte-order mark costs nothing in single-byte files.
      {7, "\xEF\xBB\xBF[00:00:01]a\r\n[00:00:02]\r\n", "1\t0\t0\t0\t0\t0\t0\t1\t2\t000\t000\ta\n"},
      // DVD Architect: the number runs to the first blank, whatever its length; č (U+010D)
      // does not end the text although its low byte is a CR.
      {8, Utf16("12345 x00:00:01:50  00:00:02:00  a") + std::string("\x0D\x01", 2) + Utf16("b\r\n\r\n"),
       "1\t0\t0\t0\t0\t0\t0\t1\t2\t500\t000\tačb\n"},
      // A 16-bit file whose last character is cut in half keeps the text before it.
      {9, Utf16("00:00:01:00\t00:00:02:00\tab") + "c", "1\t0\t0\t0\t0\t0\t0\t1\t2\t000\t000\tab\n"},
  };
  for (const Case& c : cases) {
    SubtitleDocument doc;
    Read(doc, c.format, c.input);
    EXPECT_EQ(DumpDocument(doc), c.dump) << int{c.format} << ": " << c.input;
  }
}

// What real files hold beyond the formats' strict grammar: counters left out, empty lines in
// a text, long hours, times before zero, millisecond fractions, the MicroDVD rate line.
TEST(ReaderTolerance, RealFilesReadAsTheyMean) {
  struct Case {
    uint8_t format;
    std::string input;
    std::string dump;
    int32_t negatives = 0;
    double rate = 0;
  };
  const Case cases[] = {
      {1, "100:00:03,000 --> 123:04:05,600\nlong\n", "1\t0\t0\t100\t123\t0\t4\t3\t5\t000\t600\tlong\n"},
      // Never +7 s: a time before zero is zero, and so is one that only its sign made negative.
      {1, "-0:00:07,000 --> 0:00:08,000\nx\n", "1\t0\t0\t0\t0\t0\t0\t0\t8\t000\t000\tx\n", 1},
      {1, "-00:00:02,000 --> -00:00:01,000\nx\n\n-00:00:00,000 --> 00:00:01,000\ny\n",
       "1\t0\t0\t0\t0\t0\t0\t0\t0\t000\t000\tx\n2\t0\t0\t0\t0\t0\t0\t0\t1\t000\t000\ty\n", 2},
      // A fraction shorter than three digits is a decimal fraction; none at all is zero.
      {1, "00:01:39 --> 00:01:41,04\nx\n", "1\t0\t0\t0\t0\t1\t1\t39\t41\t000\t040\tx\n"},
      {5, "-0:00:07:a\n", "1\t0\t0\t0\t0\t0\t0\t0\t0\t000\t000\ta\n", 1},
      {6, "Dialogue: 0,-0:00:07.00,10:00:01.20,,,,,,,a\n", "1\t0\t0\t0\t10\t0\t0\t0\t1\t000\t200\ta\n", 1},
      {3, "00:00:01.000,00:00:02.5\na\n", "1\t0\t0\t0\t0\t0\t0\t1\t2\t000\t500\ta\n"},
      {0, "{1}{1}23.976\n{1}{2}a\n", "1\t1\t2\t0\t0\t0\t0\t0\t0\t000\t000\ta\n", 0, 23.976},
      {0, "junk {0}{0}{y:b}29,97\r\n{1}{2}a\n", "1\t1\t2\t0\t0\t0\t0\t0\t0\t000\t000\ta\n", 0, 29.97},
      {0, "{1}{1}120\n{1}{2}a\n", "1\t1\t2\t0\t0\t0\t0\t0\t0\t000\t000\ta\n", 0, 120},
      // Not a rate line: a second one, out of range, other frames, more than a number.
      {0, "{1}{2}a\n{1}{1}25\n",
       "1\t1\t2\t0\t0\t0\t0\t0\t0\t000\t000\ta\n2\t1\t1\t0\t0\t0\t0\t0\t0\t000\t000\t25\n"},
      {0, "{1}{1}121\n", "1\t1\t1\t0\t0\t0\t0\t0\t0\t000\t000\t121\n"},
      {0, "{1}{1}0.5\n", "1\t1\t1\t0\t0\t0\t0\t0\t0\t000\t000\t0.5\n"},
      {0, "{2}{2}25\n", "1\t2\t2\t0\t0\t0\t0\t0\t0\t000\t000\t25\n"},
      {0, "{0}{1}25\n", "1\t0\t1\t0\t0\t0\t0\t0\t0\t000\t000\t25\n"},
      {0, "{1}{1}25.\n", "1\t1\t1\t0\t0\t0\t0\t0\t0\t000\t000\t25.\n"},
      {0, "{1}{1}25 fps\n", "1\t1\t1\t0\t0\t0\t0\t0\t0\t000\t000\t25 fps\n"},
      {0, "{1}{1}1e2\n", "1\t1\t1\t0\t0\t0\t0\t0\t0\t000\t000\t1e2\n"},
  };
  for (const Case& c : cases) {
    SubtitleDocument doc;
    const LoadResult result = Read(doc, c.format, c.input);
    EXPECT_EQ(DumpDocument(doc), c.dump) << int{c.format} << ": " << c.input;
    EXPECT_EQ(result.NegativeTimesZeroed, c.negatives) << c.input;
    EXPECT_EQ(result.FileFrameRate.value_or(0), c.rate) << c.input;
  }
}

// A recognised file whose visible content gives no subtitle is not read; a file of blanks
// and line ends is only empty.
TEST(ReaderRules, VisibleContentWithoutASubtitleIsNotRead) {
  const std::pair<uint8_t, std::string> notRead[] = {
      {0, "{1}{1}23.976\r\n"},
      {1, "00:00:01,000 --> no hide time\r\n"},
      {6, "[Events]\r\nDialogue: no fields\r\n"},
      {8, Utf16("x")},
  };
  for (const auto& [format, input] : notRead) {
    SubtitleDocument doc;
    try {
      Read(doc, format, input);
      ADD_FAILURE() << input;
    } catch (const QuillmarkError& e) {
      EXPECT_EQ(e.Kind(), ErrorKind::NothingRead);
      EXPECT_STREQ(e.what(), "No subtitle was found in the file; it was not read.");
    }
  }
  for (const auto& [format, input] : {std::pair<uint8_t, std::string>{1, ""},
                                      {1, " \r\n\t\n"},
                                      {0, "\xEF\xBB\xBF\r\n"},
                                      {4, " \r\n\r\n"},
                                      {8, Utf16("\r\n")}}) {
    SubtitleDocument doc;
    EXPECT_NO_THROW(Read(doc, format, input)) << int{format};
    EXPECT_EQ(doc.SubtitleCount, 0);
  }
}

// Readers only move forward: inputs of several megabytes that keep a reader scanning,
// skipping or appending end in well under a second each on an idle machine (the speed
// itself is bench/linear_time's business). The bound leaves room for a busy machine and for
// the sanitizers, which slow every read several times over; a reader that went back over
// its input would still take minutes.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kLinearBoundSeconds = 30.0;
#else
constexpr double kLinearBoundSeconds = 10.0;
#endif

TEST(ReaderLimits, LargeInputsAreReadInLinearTime) {
  const size_t n = 1 << 20;
  auto repeat = [](std::string_view piece, size_t times) {
    std::string s;
    s.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) s += piece;
    return s;
  };
  const std::pair<uint8_t, std::string> inputs[] = {
      {0, "{1}{2}" + repeat("a{b}", n)},
      {0, repeat("{", n)},
      {1, repeat("x\n", n)},
      {1, "1\n00:00:01,000 --> 00:00:02,000\n" + repeat("line\n", n)},
      {1, repeat("\r", 4 * n)},
      {2, repeat("no marker\n", n)},
      {2, "*** START SCRIPT ***\n[00:00:01]\nx\n" + repeat(" \n", n)},
      {3, repeat("[header]\n", n)},
      {4, "-->> 1\n" + repeat("text\n", n)},
      {6, repeat("Format: a, b, c\n", n)},
      {6, "Dialogue: 0,0:00:01.00,0:00:02.00,,,,,,," + repeat("\\N", 2 * n)},
      {7, "[00:00:01]a\n" + repeat("[00:00:02]\n", n)},
      {8, Utf16(repeat("x", 2 * n))},
      {9, Utf16("00:00:01:00\t00:00:02:00\t" + repeat("y", 2 * n))},
  };
  SubtitleDocument doc;
  for (const auto& [format, bytes] : inputs) {
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    Read(doc, format, bytes, &error);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, kLinearBoundSeconds) << "format " << int{format} << ", " << bytes.size() << " bytes";
  }
}

}  // namespace
}  // namespace qm
