#include <gtest/gtest.h>

#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "formats/writer_support.h"
#include "platform/errors.h"
#include "test_support.h"

namespace qm {
namespace {

struct Sub {
  int32_t h1, m1, s1;
  const char* ms1;
  int32_t h2, m2, s2;
  const char* ms2;
  const char* text;
  int32_t f1 = 0, f2 = 0;
};

void Fill(SubtitleDocument& doc, const std::vector<Sub>& subs) {
  doc.SubtitleCount = static_cast<int32_t>(subs.size());
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    const Sub& s = subs[i - 1];
    doc.SubtitleTable[i] = TSubtitle{s.f1, s.f2, s.h1, s.h2, s.m1, s.m2, s.s1, s.s2, s.ms1, s.ms2, s.text};
  }
}

std::string Write(uint8_t layout, const std::vector<Sub>& subs) {
  SubtitleDocument doc;
  Fill(doc, subs);
  return WriteSubtitles(doc, layout);
}

std::string Utf16(std::string_view text) { return StringToUnicode(text); }

// What Sub Station Alpha writes before its events: the script information, the style and
// the events' format line.
std::string SsaScript(std::string_view events) { return Write(6, {}) + std::string(events); }

TEST(Writers, EmptyTableGivesNothingButTheSubViewerFrameAndTheSsaScriptHeader) {
  for (uint8_t layout = 0; layout <= 10; ++layout) {
    if (layout == 6) continue;
    EXPECT_EQ(Write(layout, {}), layout == 2 ? "[BEGIN]\r\n******** START SCRIPT ********\r\n"
                                               "[END]\r\n******** End Script ********\r\n"
                                             : "")
        << int{layout};
  }
  const std::string header = Write(6, {});
  for (const char* line :
       {"[Script Info]\r\n", "\r\nScriptType: v4.00\r\n", "\r\nPlayResY: 288\r\n",
        "\r\n[V4 Styles]\r\nFormat: Name, Fontname,", "\r\nStyle: Default,Arial,20,16777215,",
        "\r\n[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, "
        "MarginV, Effect, Text\r\n"})
    EXPECT_NE(header.find(line), std::string::npos) << line;
  EXPECT_EQ(header.rfind("Text\r\n"), header.size() - 6);  // the events' format line ends it
}

TEST(Writers, LayoutEdgeCases) {
  struct Case {
    const char* what;
    uint8_t layout;
    std::vector<Sub> subs;
    std::string expected;
  };
  // End 4.200 and start 4.900 fall in the same second.
  const std::vector<Sub> sameSecond = {{0, 0, 1, "000", 0, 0, 4, "200", "a"},
                                       {0, 0, 4, "900", 0, 0, 6, "000", "b"}};
  const std::vector<Sub> gap = {{0, 0, 1, "000", 0, 0, 4, "200", "a"}, {0, 0, 5, "000", 0, 0, 6, "000", "b"}};
  const Sub late{10, 0, 1, "999", 23, 59, 59, "999", "x|"};
  const Case cases[] = {
      {"whole seconds join", 2, sameSecond,
       "[BEGIN]\r\n******** START SCRIPT ********\r\n[00:00:01]\r\na\r\n[00:00:04]\r\nb\r\n[00:00:06]\r\n"
       "[END]\r\n******** End Script ********\r\n"},
      {"a gap gets its own start", 2, gap,
       "[BEGIN]\r\n******** START SCRIPT ********\r\n[00:00:01]\r\na\r\n[00:00:04]\r\n\r\n[00:00:05]\r\nb\r\n"
       "[00:00:06]\r\n[END]\r\n******** End Script ********\r\n"},
      {"text on the end mark's line, no final line end", 7, sameSecond,
       "[00:00:01]a\r\n[00:00:04]b\r\n[00:00:06]"},
      {"a gap ends the end mark's line", 7, gap, "[00:00:01]a\r\n[00:00:04]\r\n[00:00:05]b\r\n[00:00:06]"},
      {"frames compared exactly",
       4,
       {{0, 0, 0, "000", 0, 0, 0, "000", "a", 5, 10},
        {0, 0, 0, "000", 0, 0, 0, "000", "b", 10, 20},
        {0, 0, 0, "000", 0, 0, 0, "000", "c", 21, 12345678}},
       "-->> 0000005\r\na\r\n-->> 0000010\r\nb\r\n-->> 0000020\r\n\r\n\r\n-->> 0000021\r\nc\r\n-->> "
       "12345678\r\n"},
      {"hundredths truncated, bar as [br]", 3, {late}, "10:00:01.99,23:59:59.99\r\nx[br]\r\n\r\n"},
      {"ten hours keep hundredths too, bar as \\N",
       6,
       {late},
       SsaScript("Dialogue: Marked=0,10:00:01.99,23:59:59.99,*Default,1,0000,0000,0000,,x\\N\r\n")},
      {"one-digit hour keeps hundredths",
       6,
       {{1, 2, 3, "456", 1, 2, 4, "999", ""}},
       SsaScript("Dialogue: Marked=0,1:02:03.45,1:02:04.99,*Default,1,0000,0000,0000,,\r\n")},
      {"trailing bar is an empty last line",
       1,
       {late},
       "1\r\n10:00:01,999 --> 23:59:59,999\r\nx\r\n\r\n\r\n"},
      {"empty text is an empty line",
       1,
       {{0, 0, 1, "000", 0, 0, 2, "000", ""}},
       "1\r\n00:00:01,000 --> 00:00:02,000\r\n\r\n\r\n"},
      {"trailing bar kept", 0, {{0, 0, 0, "000", 0, 0, 0, "000", "x|", 1, 2}}, "{1}{2}x|\r\n"},
      {"end time not written", 5, {late}, "10:00:01:x|\r\n"},
      {"hundredths as :cc", 8, {late}, Utf16("0001  10:00:01:99  23:59:59:99  x|\r\n\r\n")},
      {"hundredths as :cc", 9, {late}, Utf16("10:00:01:99\t23:59:59:99\tx|\r\n")},
      {"duration is the magnitude",
       10,
       {{0, 0, 12, "500", 0, 0, 10, "000", "r"}},
       Utf16("00:00:12.500\t00:00:10.000\t00:00:02.500\tr\r\n")},
      {"every character as its Unicode code: the en dash is U+2013, Š U+0160",
       9,
       {{0, 0, 0, "000", 0, 0, 0, "000", "–Š"}},
       Utf16("00:00:00:00\t00:00:00:00\t") + std::string("\x13\x20\x60\x01\r\x00\n\x00", 8)},
  };
  for (const Case& c : cases) EXPECT_EQ(Write(c.layout, c.subs), c.expected) << c.what;
}

TEST(Writers, DvdArchitectNumbersAboveNineThousandHaveFiveDigits) {
  std::vector<Sub> subs(10000, Sub{0, 0, 1, "000", 0, 0, 2, "000", "t"});
  const std::string bytes = Write(8, subs);
  const std::string last = Utf16("10000  00:00:01:00  00:00:02:00  t\r\n\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - last.size()), last);
  EXPECT_NE(bytes.find(Utf16("\r\n9999  ")), std::string::npos);
}

TEST(Writers, NumbersOfEveryLengthAndSign) {
  const std::pair<int64_t, const char*> cases[] = {{0, "0"},
                                                   {7, "7"},
                                                   {10, "10"},
                                                   {99, "99"},
                                                   {100, "100"},
                                                   {105, "105"},
                                                   {1000, "1000"},
                                                   {123456789, "123456789"},
                                                   {-1, "-1"},
                                                   {-1001, "-1001"},
                                                   {INT64_MAX, "9223372036854775807"},
                                                   {INT64_MIN, "-9223372036854775808"}};
  for (const auto& [number, text] : cases) {
    std::string out = "x";
    AppendNumber(out, number);
    EXPECT_EQ(out, std::string("x") + text);
  }
}

TEST(Writers, EveryLineEndIsCrLf) {
  const std::vector<Sub> subs = {{0, 0, 1, "000", 0, 0, 2, "000", "a|b", 1, 2},
                                 {0, 0, 3, "000", 0, 0, 4, "000", "c", 3, 4}};
  for (uint8_t layout = 0; layout <= 10; ++layout) {
    const std::string bytes = Write(layout, subs);
    const size_t unit = FormatCatalogue[layout].SixteenBit ? 2 : 1;
    for (size_t at = 0; at + unit <= bytes.size(); at += unit) {
      if (bytes[at] != '\n' || (unit == 2 && bytes[at + 1] != '\0')) continue;
      ASSERT_GE(at, unit);
      EXPECT_EQ(bytes[at - unit], '\r') << "layout " << int{layout} << " at byte " << at;
    }
  }
}

TEST(Writers, SamiAndRadLightHaveNoOutputForm) {
  for (uint8_t layout : {11, 12}) {
    try {
      Write(layout, {});
      ADD_FAILURE();
    } catch (const QuillmarkError& e) {
      EXPECT_EQ(e.Kind(), ErrorKind::Unsupported);
      EXPECT_NE(std::string(e.what()).find(FormatCatalogue[layout].Name), std::string::npos) << e.what();
    }
  }
}

// A save that fails for any reason leaves the previous file as it was and nothing beside it.
TEST(SaveSubtitles, FailuresLeaveTheOldFileUntouched) {
  test::TempDir dir;
  const std::string old = "1\r\n00:00:01,000 --> 00:00:02,000\r\nold\r\n\r\n";
  const std::string path = dir.Write("film.srt", old);
  SubtitleDocument doc;
  Fill(doc, {{0, 0, 1, "000", 0, 0, 2, "000", "fine"}, {0, 61, 0, "000", 0, 0, 0, "000", "minute 61"}});
  try {
    SaveSubtitles(doc, 1, path);
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "Invalid argument to time encode");
  }
  EXPECT_THROW(SaveSubtitles(doc, 11, path), QuillmarkError);
  doc.SubtitleCount = 1;
  EXPECT_THROW(SaveSubtitles(doc, 1, dir.File("missing/film.srt")), QuillmarkError);
  EXPECT_EQ(test::ReadFile(path), old);
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);

  SaveSubtitles(doc, 1, path);
  EXPECT_EQ(test::ReadFile(path), "1\r\n00:00:01,000 --> 00:00:02,000\r\nfine\r\n\r\n");
}

// Read -> write -> read gives the same subtitles within what each layout keeps.
TEST(RoundTrip, EachLayoutKeepsItsPrecision) {
  const std::vector<Sub> subs = {
      {0, 0, 1, "234", 0, 0, 4, "567", "First|second line", 29, 109},
      {0, 0, 4, "980", 0, 1, 2, "005", "Šárka – žluť", 119, 1550},
      {9, 59, 59, "999", 9, 59, 59, "999", "Late", 862999, 863000},
  };
  for (uint8_t layout = 0; layout <= 10; ++layout) {
    SubtitleDocument doc;
    Fill(doc, subs);
    const std::string bytes = WriteSubtitles(doc, layout);
    EXPECT_EQ(DetectFormatInBytes(bytes), layout);
    SubtitleDocument back;
    LoadSubtitlesFromBytes(back, layout, bytes);
    ASSERT_EQ(back.SubtitleCount, 3) << int{layout};
    const bool frames = layout == 0 || layout == 4;
    const bool wholeSeconds = layout == 2 || layout == 5 || layout == 7;
    const bool hundredths = layout == 3 || layout == 6 || layout == 8 || layout == 9;
    for (int32_t i = 1; i <= 3; ++i) {
      const TSubtitle& in = doc.SubtitleTable[i];
      const TSubtitle& out = back.SubtitleTable[i];
      SCOPED_TRACE("layout " + std::to_string(layout) + ", subtitle " + std::to_string(i));
      EXPECT_EQ(out.Text, in.Text);
      if (frames) {
        EXPECT_EQ(std::tie(out.StartFrame, out.EndFrame), std::tie(in.StartFrame, in.EndFrame));
        continue;
      }
      auto kept = [&](const std::string& ms) {
        return wholeSeconds ? std::string("000") : hundredths ? ms.substr(0, 2) + "0" : ms;
      };
      EXPECT_EQ(std::tie(out.StartHour, out.StartMinute, out.StartSecond),
                std::tie(in.StartHour, in.StartMinute, in.StartSecond));
      EXPECT_EQ(out.StartMs, kept(in.StartMs));
      if (layout == 5) {  // no end time in the file: the hide time is the show time
        EXPECT_EQ(std::tie(out.EndHour, out.EndMinute, out.EndSecond, out.EndMs),
                  std::tie(out.StartHour, out.StartMinute, out.StartSecond, out.StartMs));
        continue;
      }
      EXPECT_EQ(std::tie(out.EndHour, out.EndMinute, out.EndSecond),
                std::tie(in.EndHour, in.EndMinute, in.EndSecond));
      EXPECT_EQ(out.EndMs, kept(in.EndMs));
    }
  }
}

TEST(RoundTrip, KnownLosses) {
  auto readBack = [](uint8_t layout, const Sub& sub, SubtitleDocument& back) {
    SubtitleDocument doc;
    Fill(doc, {sub});
    LoadSubtitlesFromBytes(back, layout, WriteSubtitles(doc, layout));
  };
  SubtitleDocument back;
  readBack(1, {0, 0, 1, "000", 0, 0, 2, "000", "a|"}, back);  // SubRip: the empty last line goes
  EXPECT_EQ(back.SubtitleTable[1].Text, "a");
  readBack(1, {0, 0, 1, "000", 0, 0, 2, "000", "a||b"}, back);  // an empty line inside stays
  EXPECT_EQ(back.SubtitleTable[1].Text, "a||b");
  for (uint8_t layout : {2, 7}) {  // an empty text reads as a blank line or an end mark
    try {
      readBack(layout, {0, 0, 1, "000", 0, 0, 2, "000", ""}, back);
      ADD_FAILURE() << int{layout} << ": a file of no subtitle reads";
    } catch (const QuillmarkError& e) {
      EXPECT_EQ(e.Kind(), ErrorKind::NothingRead) << int{layout};
    }
  }
}

}  // namespace
}  // namespace qm
