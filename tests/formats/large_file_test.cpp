// Files large enough to be mapped and handed to the readers a piece at a time: every reader
// reads them exactly as it reads the same text handed over whole, wherever a piece ends (inside
// a character, between CR and LF, inside a time), and a file beyond the table's size is read
// only as far as the table holds.

#include <gtest/gtest.h>

#include "formats/subtitle_source.h"
#include "formats/subtitles_save.h"
#include "platform/file_bytes.h"
#include "platform/text_encoding.h"
#include "test_support.h"

namespace qm {
namespace {

constexpr const char* kWords[] = {"Žluťoučký", "kůň",   "úpěl", "ďábelské", "ódy",
                                  "příliš",    "černé", "řeči", "šeptá"};

// Subtitles with texts of uneven lengths, so that the pieces end at ever other places.
void Fill(SubtitleDocument& doc, int32_t count) {
  doc.SubtitleCount = count;
  uint32_t seed = 7;
  for (int32_t i = 1; i <= count; ++i) {
    TSubtitle& s = doc.SubtitleTable[i];
    const int32_t startMs = i * 3000, endMs = startMs + 2000 + i % 997;
    s.StartFrame = startMs / 40;
    s.EndFrame = endMs / 40;
    s.StartHour = startMs / 3600000, s.StartMinute = startMs / 60000 % 60,
    s.StartSecond = startMs / 1000 % 60;
    s.EndHour = endMs / 3600000, s.EndMinute = endMs / 60000 % 60, s.EndSecond = endMs / 1000 % 60;
    s.StartMs = std::to_string(1000 + startMs % 1000).substr(1);
    s.EndMs = std::to_string(1000 + endMs % 1000).substr(1);
    s.Text = "";
    const int words = 3 + static_cast<int>((seed = seed * 1103515245u + 12345u) >> 16) % 14;
    for (int w = 0; w < words; ++w) {
      if (w) s.Text += w == words / 2 ? "|" : " ";
      s.Text += kWords[(seed >> (w % 8)) % std::size(kWords)];
    }
  }
  doc.FrameRate = 25;
}

std::unique_ptr<SubtitleDocument> ReadAsWholeText(const std::string& bytes, uint8_t format,
                                                  const TextEncoding& encoding) {
  auto doc = std::make_unique<SubtitleDocument>();
  doc->FrameRate = 25;
  const std::string text = DecodeText(std::string_view(bytes).substr(encoding.Bom ? 3 : 0), encoding);
  RunReader(*doc, format, std::string_view(text));
  return doc;
}

void ExpectSameTable(const SubtitleDocument& expected, const SubtitleDocument& actual,
                     const std::string& what) {
  ASSERT_EQ(actual.SubtitleCount, expected.SubtitleCount) << what;
  for (int32_t i = 1; i <= expected.SubtitleCount; ++i)
    ASSERT_EQ(actual.SubtitleTable[i], expected.SubtitleTable[i]) << what << ", subtitle " << i;
}

TEST(LargeFiles, ReadPieceByPieceAsTheWholeTextIsRead) {
  test::TempDir dir;
  auto source = std::make_unique<SubtitleDocument>();
  Fill(*source, 16000);
  const TextEncoding encodings[] = {Windows1250Encoding(), Utf8Encoding(false), Utf8Encoding(true)};
  for (uint8_t format = 0; format <= 7; ++format) {
    for (const TextEncoding& encoding : encodings) {
      const std::string what =
          "format " + std::to_string(format) + " in " + encoding.Name + (encoding.Bom ? " with a mark" : "");
      const std::string bytes = WriteSubtitles(*source, format, encoding);
      ASSERT_GT(bytes.size(), size_t{1} << 20) << what;  // large enough to be mapped
      const std::string path = dir.Write("large", bytes);

      SubtitleDocument opened;
      opened.FrameRate = 25;
      const LoadResult result = OpenSubtitles(opened, path, std::nullopt);
      EXPECT_EQ(opened.FormatIndex, format) << what;
      EXPECT_EQ(opened.Encoding, encoding) << what;
      EXPECT_FALSE(result.Truncated) << what;
      ExpectSameTable(*ReadAsWholeText(bytes, format, encoding), opened, what);
      EXPECT_EQ(WriteSubtitles(opened, format, opened.Encoding), bytes) << what;
    }
  }
}

TEST(LargeFiles, BeyondTheTableOnlyTheFirstTwentyThousandAreRead) {
  test::TempDir dir;
  for (const TextEncoding& encoding : {Windows1250Encoding(), Utf8Encoding(false)}) {
    std::string bytes;
    for (int32_t n = 1; n <= 3 * MaxSubtitles; ++n)
      bytes +=
          std::to_string(n) + "\r\n00:00:01,000 --> 00:00:02,000\r\nřádek " + std::to_string(n) + "\r\n\r\n";
    bytes = EncodeText(bytes, encoding).value();
    const std::string path = dir.Write("over.srt", bytes);

    SubtitleDocument doc;
    const LoadResult result = OpenSubtitles(doc, path, std::nullopt);
    EXPECT_TRUE(result.Truncated) << encoding.Name;
    EXPECT_EQ(doc.Encoding, encoding);
    ASSERT_EQ(doc.SubtitleCount, MaxSubtitles) << encoding.Name;
    EXPECT_EQ(doc.SubtitleTable[MaxSubtitles].Text, "řádek 20000") << encoding.Name;
  }
}

TEST(LargeFiles, BytesGivenBackCanStillBeRead) {
  test::TempDir dir;
  std::string bytes(6 << 20, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
  const std::string path = dir.Write("letters", bytes);
  FileBytes file = FileBytes::Read(path);
  ASSERT_TRUE(file.Mapped());
  ASSERT_EQ(file.View(), bytes);
  file.Forget(0, bytes.size());
  file.Forget(12345, 2 << 20);
  EXPECT_EQ(file.View(), bytes);

  FileBytes small = FileBytes::Read(test::TestData("encodings/utf-8.srt"));
  EXPECT_FALSE(small.Mapped());
  EXPECT_EQ(small.View(), test::ReadFile(test::TestData("encodings/utf-8.srt")));
}

}  // namespace
}  // namespace qm
