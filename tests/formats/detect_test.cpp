#include "formats/detect.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "formats/catalogue.h"
#include "platform/errors.h"
#include "test_support.h"

namespace qm {
namespace {

// Single-byte text to the 16-bit little-endian form of the three 16-bit formats.
std::string Utf16(std::string_view ascii) {
  std::string out;
  for (char c : ascii) out += c, out += '\0';
  return out;
}

TEST(DetectFormat, EachFormatByItsTypicalLines) {
  const std::pair<const char*, int> cases[] = {
      {"{1}{25}Text\r\n", 0},
      {"1\r\n00:00:01,000 --> 00:00:04,000\r\nText\r\n", 1},
      {"1\n00:00:01.000 --> 00:00:04.000\nText\n", 1},
      {"1\n00:00:01:000 --> 00:00:04:000\nText\n", 1},
      {"[INFORMATION]\r\n*** START SCRIPT ***\r\n[00:00:01]\r\nText\r\n", 2},
      {"[information]\n*** start script ***\n", 2},
      {"[INFORMATION]\r\n[SUBTITLE]\r\n00:00:01.00,00:00:04.00\r\nText\r\n", 3},
      {"-->> 000100\r\nText\r\n-->> 000200\r\n", 4},
      {"00:01:15:Text\r\n", 5},
      {"[Events]\r\ndialogue: Marked=0,0:00:01.50,0:00:04.00,x\r\n", 6},
      {"COMMENT: 0,0:00:01.50\r\n", 6},
      {"[00:00:01]Text\r\n[00:00:04]\r\n", 7},
      {"", 13},
      {"just some words\r\nand more\r\n", 13},
      {"SAMI <SAMI><BODY></BODY></SAMI>\r\n", 13},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(DetectFormatInBytes(text), expected) << text;
}

TEST(DetectFormat, LaterLinesOverrideTentativeResults) {
  // [SUBTITLE] makes it 7 first; the time line later makes it 3.
  EXPECT_EQ(DetectFormatInBytes("[SUBTITLE]\r\n00:00:01.00,00:00:04.00\r\n"), 3);
  // DKS stays 7 until a later line passes test 1.
  EXPECT_EQ(DetectFormatInBytes("[00:00:01]Text\r\n00:00:02:x\r\n"), 5);
  // Within one line test 5 beats test 1 (the 23-character SubViewer 2.0 line has ':' at 3 and 6).
  EXPECT_EQ(DetectFormatInBytes("00:00:01.00,00:00:04.00"), 3);
  // A deciding line stops the reading: MicroDVD before SubRip.
  EXPECT_EQ(DetectFormatInBytes("{1}{2}a\n00:00:01,000 --> 00:00:04,000\n"), 0);
}

// SubViewer 2.0 time lines with millisecond fractions (or a sign) are SubViewer 2.0 too;
// only the whole shape counts, so other lines stay what they were.
TEST(DetectFormat, SubViewer2TimeLinesWithThreeDigitFractions) {
  const std::pair<const char*, int> cases[] = {
      {"[SUBTITLE]\n00:00:01.000,00:00:02.500\nText\n", 3},
      {"[SUBTITLE]\n00:00:01.00,00:00:02.00\na\n\n00:00:18.167,00:00:20.00\nb\n", 3},
      {"00:00:01.00,00:00:02.500\n", 3},
      {"-00:00:06.84,-00:00:02.85\n", 3},
      {"00:00:01.0000,00:00:02.500\n", 5},  // four digits: only the HH:MM:SS test passes
      {"00:00:01.000,00:00:02.500 x\n", 5},
      {"00:00:01.000;00:00:02.500\n", 5},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(DetectFormatInBytes(text), expected) << text;
}

TEST(DetectFormat, SubRipNeedsTwentySevenCharacters) {
  EXPECT_EQ(DetectFormatInBytes("00:00:01,000 --> 00:00:04"), 5);  // 25 characters: only test 1
  EXPECT_EQ(DetectFormatInBytes("00:00:01,000 --> 00:00:04,0"), 1);
  // A time before zero in front: the rest of the line is the time line.
  EXPECT_EQ(DetectFormatInBytes("1\n-00:00:06,843 --> -00:00:02,850\n"), 1);
  EXPECT_EQ(DetectFormatInBytes("-00:00:01,000 --> 00:00"), 13);
}

TEST(DetectFormat, SixteenBitFirstLine) {
  const std::string studio = Utf16("00:00:01:50\t00:00:04:00\tFirst line of text\r\n");
  const std::string vegas = Utf16("00:00:01.500\t00:00:04.000\t00:00:02.500\tFirst\r\n");
  const std::string architect = Utf16("0001  00:00:01:50  00:00:04:00  First line\r\n\r\n");
  EXPECT_EQ(DetectFormatInBytes(studio), 9);
  EXPECT_EQ(DetectFormatInBytes(vegas), 10);
  EXPECT_EQ(DetectFormatInBytes(architect), 8);
  // With a byte-order mark (either byte order) the file is recognised all the same.
  EXPECT_EQ(DetectFormatInBytes("\xFF\xFE" + studio), 9);
  std::string bigEndian = vegas;
  for (size_t i = 0; i + 1 < bigEndian.size(); i += 2) std::swap(bigEndian[i], bigEndian[i + 1]);
  EXPECT_EQ(DetectFormatInBytes("\xFE\xFF" + bigEndian), 10);
  // A first line shorter than 48 bytes is not a 16-bit line.
  EXPECT_EQ(DetectFormatInBytes(Utf16("00:00:01:50\t00:00:04\r\n")), 13);
  // 'č' is 0x010D: its low byte ends the single-byte line early.
  const std::string cut =
      Utf16("0001 ") + std::string("\x0D\x01", 2) + Utf16(" 00:00:01:50  00:00:04:00  First line\r\n");
  EXPECT_EQ(DetectFormatInBytes(cut), 13);
}

TEST(DetectFormat, SixteenBitTestOnlyOnTheFirstLine) {
  EXPECT_EQ(DetectFormatInBytes("x\r\n" + Utf16("00:00:01:50\t00:00:04:00\tFirst line of text\r\n")), 13);
}

TEST(DetectFormat, Utf8ByteOrderMarkIsSkipped) {
  EXPECT_EQ(DetectFormatInBytes("\xEF\xBB\xBF{1}{25}Text\r\n"), 0);
  EXPECT_EQ(DetectFormatInBytes("\xEF\xBB\xBF"
                                "Dialogue: 0,0:00:01.00"),
            6);
}

TEST(DetectFormat, LineEndsAreLfOrCrUpToTheNextLf) {
  // After a lone CR the rest up to the next LF is not a line of its own.
  EXPECT_EQ(DetectFormatInBytes("abc\r{1}{2}x\ndef\n"), 13);
  EXPECT_EQ(DetectFormatInBytes("abc\n{1}{2}x\n"), 0);
}

TEST(DetectFormat, FilesOnDisk) {
  test::TempDir dir;
  EXPECT_EQ(DetectFormat(dir.Write("a.srt", "1\n00:00:01,000 --> 00:00:04,000\nx\n")), 1);
  EXPECT_EQ(DetectFormat(dir.Write("empty.txt", "")), 13);
  try {
    DetectFormat(dir.File("missing.srt"));
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "File not found");
    EXPECT_EQ(e.Kind(), ErrorKind::InOut);
  }
  EXPECT_THROW(DetectFormat(dir.Path()), QuillmarkError);
}

TEST(Catalogue, NamesKindsAndCommandLineNames) {
  EXPECT_EQ(FormatCatalogue.size(), 13u);
  EXPECT_STREQ(FormatCatalogue[6].Name, "Sub Station Alpha scriptV4");
  EXPECT_TRUE(IsFrameFormat(0));
  EXPECT_TRUE(IsFrameFormat(4));
  EXPECT_FALSE(IsFrameFormat(1));
  EXPECT_EQ(FormatFromCliName("SRT"), 1);
  EXPECT_EQ(FormatFromCliName("Dvd-Studio-Pro"), 9);
  EXPECT_EQ(FormatFromCliName("10"), 10);
  EXPECT_EQ(FormatFromCliName("sami"), 11);
  EXPECT_FALSE(FormatFromCliName("webvtt"));
  EXPECT_FALSE(FormatFromCliName("13"));
  const FormatNameList names = BuiltInFormatNames();
  EXPECT_EQ(FormatName(names, 4), "AQT (aqTitle)");
  EXPECT_EQ(FormatName(names, 13), "???");
  EXPECT_EQ(FormatName(names, 200), "???");
}

TEST(Catalogue, ProposedFileNameTakesTheFormatsExtension) {
  const struct {
    const char* path;
    uint8_t layout;
    const char* proposed;
  } cases[] = {
      {"/films/film.sub", 1, "film.srt"},
      {"/films/film.en.sub", 6, "film.en.ssa"},
      {"/films/film", 0, "film.sub"},
      {"film.srt", 4, "film.aqt"},
      {"/films/.hidden", 1, ".hidden.srt"},
      {"/a.b/film", 1, "film.srt"},
      {"", 1, ""},
      {"/films/", 1, ""},
      {"/films/film.sub", kFormatCount, ""},
  };
  for (const auto& [path, layout, proposed] : cases)
    EXPECT_EQ(ProposedFileName(path, layout), proposed) << path;
}

TEST(Catalogue, NamesFromFormatsIni) {
  test::TempDir dir;
  EXPECT_EQ(LoadFormatNames(dir.Path() + "/"), BuiltInFormatNames());
  std::filesystem::create_directory(dir.File("Data"));
  std::string ini = "[Subtitles Formats]\r\n";
  for (int k = 1; k <= 12; ++k) ini += std::to_string(k) + "=Name " + std::to_string(k) + "\r\n";
  dir.Write("Data/formats.ini", ini);
  const FormatNameList names = LoadFormatNames(dir.Path() + "/");
  EXPECT_EQ(names[0], "Name 1");
  EXPECT_EQ(names[11], "Name 12");
  EXPECT_EQ(names[12], "ERROR READING SUB FORMAT");
  EXPECT_EQ(FormatName(names, 12), "ERROR READING SUB FORMAT");
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(DetectFormat, FilesReadInChunksDecideAsTheWholeBytesDo) {
  test::TempDir dir;
  const std::string prose = "words without any format in them at all\r\n";
  std::string filler;
  while (filler.size() < 65536 - 20) filler += prose;
  filler.resize(65536 - 20);
  filler += "\r\n";
  const std::string cases[] = {
      filler + "00:00:01,000 --> 00:00:04,000\r\n",  // the deciding line straddles the chunk end
      filler + "[00:00:01]x\r" + std::string(70000, 'y') + "\n{1}{2}z\n",
      std::string(200000, 'x') + "\n00:00:01:x",
      "\xEF\xBB\xBF" + filler + "{1}{2}a",
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(DetectFormat(dir.Write("f.txt", bytes)), DetectFormatInBytes(bytes));
  }
  EXPECT_EQ(DetectFormat(dir.Write("g.srt", cases[0])), 1);
  EXPECT_EQ(DetectFormat(dir.Write("h.txt", cases[2])), 5);
}

}  // namespace
}  // namespace qm
