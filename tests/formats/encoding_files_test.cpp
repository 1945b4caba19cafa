// The same subtitles in seven encodings and three formats (tests/data/encodings, written by
// Python's codecs): every file opens to the same text, saves back to the same bytes, and
// every tool treats a UTF-8 file exactly as its Windows-1250 twin.

#include <gtest/gtest.h>

#include <map>

#include "document/quality_report.h"
#include "document/search.h"
#include "document/subtitles_tool.h"
#include "document/text_tools.h"
#include "formats/catalogue.h"
#include "formats/subtitle_source.h"
#include "formats/subtitles_save.h"
#include "platform/errors.h"
#include "test_support.h"

namespace qm {
namespace {

const std::map<std::string, std::string> kLines = {
    {"cs", "Příliš žluťoučký kůň|úpěl ďábelské ódy"},
    {"pl", "Zażółć gęślą jaźń – „cytat”"},
    {"fr", "Très bien, où est la forêt ?"},
    {"ru", "Времена года|и снова зима"},
    {"ja", "日本語のテキスト"},
};

struct Fixture {
  std::string Name;                   // the file name without its extension
  std::optional<std::string> Chosen;  // the encoding a user must choose; auto when none
  std::vector<std::string> Languages;
};

const Fixture kFixtures[] = {
    {"utf-8", {}, {"cs", "pl", "fr", "ru", "ja"}},
    {"utf-8-bom", {}, {"cs", "pl", "fr", "ru", "ja"}},
    {"utf-16le", {}, {"cs", "pl", "fr", "ru", "ja"}},
    {"utf-16be", {}, {"cs", "pl", "fr", "ru", "ja"}},
    {"windows-1250", {}, {"cs", "pl"}},
    {"windows-1252", "windows-1252", {"fr"}},
    {"windows-1251", "windows-1251", {"ru"}},
};

const std::pair<const char*, uint8_t> kFormats[] = {{"srt", 1}, {"sub", 0}, {"txt", 5}};

std::string FixturePath(const Fixture& f, const char* extension) {
  return test::TestData("encodings/" + f.Name + "." + extension);
}

std::unique_ptr<SubtitleDocument> Opened(const std::string& path, const std::optional<std::string>& chosen) {
  auto doc = std::make_unique<SubtitleDocument>();
  OpenSubtitles(*doc, path, chosen ? ParseReadEncodingName(*chosen) : std::nullopt);
  return doc;
}

TEST(EncodingFiles, EveryFileOpensToTheSameTextAndSavesToTheSameBytes) {
  test::TempDir dir;
  for (const Fixture& f : kFixtures) {
    for (const auto& [extension, format] : kFormats) {
      const std::string path = FixturePath(f, extension);
      SCOPED_TRACE(path);
      const auto doc = Opened(path, f.Chosen);
      EXPECT_EQ(doc->FormatIndex, format);
      EXPECT_EQ(EncodingDisplayName(doc->Encoding), f.Name);
      ASSERT_EQ(doc->SubtitleCount, static_cast<int32_t>(f.Languages.size()));
      for (size_t i = 0; i < f.Languages.size(); ++i)
        EXPECT_EQ(doc->SubtitleTable[static_cast<int32_t>(i + 1)].Text, kLines.at(f.Languages[i]));
      const std::string out = dir.File("out");
      SaveSubtitles(*doc, format, out);
      EXPECT_EQ(test::ReadFile(out), test::ReadFile(path));
    }
  }
}

TEST(EncodingFiles, WithoutAChoiceSingleByteFilesAreWindows1250) {
  // No guessing among code pages: "très" in Windows-1252 reads as Windows-1250 ("trčs")
  // until the user chooses, and saves back to the very same bytes either way.
  const auto guessed = Opened(test::TestData("encodings/windows-1252.srt"), std::nullopt);
  EXPECT_EQ(guessed->Encoding, Windows1250Encoding());
  EXPECT_EQ(guessed->SubtitleTable[1].Text, "Trčs bien, oů est la foręt ?");
  EXPECT_EQ(WriteSubtitles(*guessed, 1), test::ReadFile(test::TestData("encodings/windows-1252.srt")));
  // A chosen encoding wins over a byte-order mark, which then is text of the first line.
  const auto forced = Opened(test::TestData("encodings/utf-8-bom.srt"), "windows-1250");
  EXPECT_EQ(forced->Encoding, Windows1250Encoding());
  EXPECT_EQ(forced->SubtitleCount, 5);
  EXPECT_EQ(forced->SubtitleTable[1].Text, DecodeText(kLines.at("cs"), Windows1250Encoding()));
}

// Every tool gives the same text on the UTF-8 file as on its Windows-1250 twin.
TEST(EncodingFiles, ToolsTreatUtf8AndWindows1250TwinsAlike) {
  const std::string utf8Path = test::TestData("encodings/utf-8.srt");
  const std::string cp1250Path = test::TestData("encodings/windows-1250.srt");
  const std::vector<std::function<void(SubtitleDocument&)>> tools = {
      [](SubtitleDocument& d) { WrapAllSubtitleLines(d, 7); },
      [](SubtitleDocument& d) { WrapAllSubtitleLines(d, 15); },
      [](SubtitleDocument& d) { RemoveAccentsFromAll(d); },
      [](SubtitleDocument& d) {
        ApplyTextChanges(d, {"ż", "z", true, true});
      },
      [](SubtitleDocument& d) {
        ApplyTextChanges(d, {"|", " ", true, false});
      },
  };
  for (size_t t = 0; t < tools.size(); ++t) {
    SCOPED_TRACE("tool " + std::to_string(t));
    const auto utf8 = Opened(utf8Path, std::nullopt);
    const auto cp1250 = Opened(cp1250Path, std::nullopt);
    utf8->SubtitleCount = 2;  // the twin holds the Czech and Polish subtitles only
    tools[t](*utf8);
    tools[t](*cp1250);
    for (int32_t i = 1; i <= 2; ++i) EXPECT_EQ(utf8->SubtitleTable[i].Text, cp1250->SubtitleTable[i].Text);
  }
  const auto utf8 = Opened(utf8Path, std::nullopt);
  const auto cp1250 = Opened(cp1250Path, std::nullopt);
  utf8->SubtitleCount = 2;
  QualityLimits limits;
  limits.MaxLineLength = 20;
  limits.MaxCharsPerSecond = 10;
  const QualityReport a = CheckQuality(*utf8, limits), b = CheckQuality(*cp1250, limits);
  ASSERT_EQ(a.Findings.size(), b.Findings.size());
  for (size_t i = 0; i < a.Findings.size(); ++i) EXPECT_EQ(a.Findings[i].Value, b.Findings[i].Value);
  EXPECT_EQ(FindSubtitleText(*utf8, 1, "GĘŚLĄ", false, SearchDirection::Down).has_value(), false);
  EXPECT_EQ(FindSubtitleText(*utf8, 1, "gęślą", false, SearchDirection::Down)->Selection,
            FindSubtitleText(*cp1250, 1, "gęślą", false, SearchDirection::Down)->Selection);
}

TEST(EncodingFiles, ACharacterTheEncodingCannotHoldStopsTheSaveAndKeepsTheOldFile) {
  test::TempDir dir;
  const auto doc = Opened(test::TestData("encodings/utf-8.srt"), std::nullopt);
  const std::string target = dir.Write("old.srt", "old bytes");
  try {
    SaveSubtitles(*doc, 1, target, Windows1250Encoding());
    FAIL() << "saved";
  } catch (const EncodingError& e) {
    EXPECT_EQ(e.SubtitleNumber(), 3);  // the French line: "è" is not in Windows-1250
    EXPECT_EQ(e.Character(), U'è');
    EXPECT_STREQ(e.what(),
                 "Subtitle 3 holds the character è (U+00E8), which windows-1250 cannot hold. Choose UTF-8 to "
                 "save it.");
  }
  EXPECT_EQ(test::ReadFile(target), "old bytes");
  EXPECT_EQ(test::CountEntries(dir.Path()), 1);
  EXPECT_THROW(WriteSubtitles(*doc, 0, *ParseEncodingName("windows-1251")), EncodingError);
  EXPECT_NO_THROW(WriteSubtitles(*doc, 0, *ParseEncodingName("utf-16be")));
}

TEST(EncodingFiles, AFileLikeTheSixteenBitFormatsButNoneOfThemIsNotRecognisedAndReadsAsText) {
  // UTF-16 whose first line begins as theirs do ("1", then ":" as the fifth character) but
  // has a tab at neither of their places.
  const std::string text = "10:20 no tab where the three formats have one\r\nnext\r\n";
  std::string utf16;
  AppendUtf16Le(utf16, text);
  for (const std::string& bytes : {utf16, "\xFF\xFE" + utf16}) {
    const SubtitleSource source = PrepareSubtitleSource(bytes, std::nullopt);
    EXPECT_EQ(source.FormatIndex, kNotRecognised);
    EXPECT_EQ(source.AllText(), text);
  }
}

TEST(EncodingFiles, SixteenBitFormatsHoldEveryCharacter) {
  const auto doc = Opened(test::TestData("encodings/utf-8.srt"), std::nullopt);
  for (uint8_t layout : {8, 9, 10}) {
    SubtitleDocument back;
    LoadSubtitlesFromBytes(back, layout, WriteSubtitles(*doc, layout));
    ASSERT_EQ(back.SubtitleCount, 5) << int{layout};
    for (int32_t i = 1; i <= 5; ++i) EXPECT_EQ(back.SubtitleTable[i].Text, doc->SubtitleTable[i].Text);
  }
  // Read from a 16-bit file, a document saves as Windows-1250 unless told otherwise; a
  // character that code page lacks is then refused rather than written wrong.
  SubtitleDocument sixteen;
  sixteen.FormatIndex = 9;
  EXPECT_EQ(DefaultSaveEncoding(sixteen), Windows1250Encoding());
}

}  // namespace
}  // namespace qm
