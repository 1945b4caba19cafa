// Real subtitle files from other projects: each one is detected and read to its end, or the
// table says why the product's grammar takes it otherwise.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/subtitles_load.h"
#include "platform/errors.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int detected;
  int32_t count;          // subtitles in the table afterwards
  const char* error;      // the read's failure message, "" when it reads to the end
  const char* why = "";   // for files the grammar does not take as their folder's format
  int32_t negatives = 0;  // times written below zero, read as zero
  double rate = 0;        // the frame rate the file states, 0 for none
};

const std::map<std::string, Outcome> kExpected = {
    {"microdvd/gaupol-microdvd.sub", {0, 10, ""}},
    {"microdvd/subsrt-sample.sub", {0, 5, ""}},
    {"microdvd/subtitleeditor-microdvd-euc-jp.sub", {0, 77, ""}},
    {"microdvd/subtitleeditor-microdvd.sub", {0, 89, ""}},
    {"microdvd/subtitlesparser-20140116-152304.sub", {0, 332, ""}},
    {"microdvd/subtitlesparser-20140118-173751.sub", {0, 289, "", "", 0, 23.976}},
    {"microdvd/subtitlesparser-freaks.sub", {0, 714, ""}},
    {"microdvd/subtitlesparser-gangs-of-new-york.sub", {0, 748, "", "", 0, 12.5}},
    {"microdvd/subtitlesparser-pirates-cd1.sub", {0, 420, "", "", 0, 29.97}},
    {"simpletime/gaupol-tmplayer-2007.txt", {5, 10, ""}},
    {"simpletime/gaupol-tmplayer-one-digit-hour.txt", {5, 10, "", "", 2}},
    {"simpletime/gaupol-tmplayer.txt", {5, 10, "", "", 2}},
    {"ssa/astisub-example-in.ssa", {6, 6, ""}},
    {"ssa/gaupol-ssa.ssa", {6, 10, "", "", 3}},
    {"ssa/jellyfin-example.ssa", {6, 1, ""}},
    {"ssa/subsrt-sample.ssa",
     {13, 0, "", "every line is indented, so none begins with Dialogue: or Comment:"}},
    {"ssa/subtitleedit-test.ssa", {6, 3, ""}},
    {"ssa/subtitleeditor-ssa-euc-jp.ssa", {6, 77, ""}},
    {"ssa/subtitleeditor-ssa.ssa", {6, 89, ""}},
    {"ssa/subtitlesparser-hellboy2.ssa", {6, 849, ""}},
    {"ssa/subtitlesparser-hp2.ssa", {6, 622, ""}},
    {"ssa/subtitlesparser-lost-and-delirious-fr.ssa", {6, 933, ""}},
    {"subrip/astisub-example-in-non-utf8.srt", {1, 6, ""}},
    {"subrip/astisub-example-in-styled.srt", {1, 10, ""}},
    {"subrip/astisub-missing-sequence-in.srt", {1, 6, ""}},
    {"subrip/gaupol-subrip-extended.srt", {1, 10, "", "", 3}},
    {"subrip/gaupol-subrip.srt", {1, 10, "", "", 3}},
    {"subrip/pysrt-bom-utf-16-be.srt", {1, 7, ""}},
    {"subrip/pysrt-bom-utf-16-le.srt", {1, 7, ""}},
    {"subrip/pysrt-bom-utf-8.srt", {1, 7, ""}},
    {"subrip/pysrt-capability_tester.srt", {1, 37, ""}},
    {"subrip/pysrt-no-indexes.srt", {1, 7, ""}},
    {"subrip/pysrt-windows-1252.srt", {1, 1332, ""}},
    {"subrip/subtitleedit-auto_detect_windows-1250.srt", {1, 1132, ""}},
    {"subrip/subtitleedit-auto_detect_windows-1251.srt", {1, 595, ""}},
    {"subrip/subtitleeditor-subrip-euc-jp.srt", {1, 77, ""}},
    {"subrip/subtitlesparser-fight-club-srt-in-sub.sub", {1, 2000, ""}},
    {"subrip/subtitlesparser-salvage.srt", {1, 474, ""}},
    {"subviewer2/gaupol-subviewer2.sub", {3, 10, "", "", 3}},
    {"subviewer2/subtitleeditor-subviewer2-euc-jp.sub", {3, 77, ""}},
    {"subviewer2/subtitleeditor-subviewer2.sub", {3, 89, ""}},
    {"subviewer2/subtitlesparser-20140119-151331.sub", {3, 1331, ""}},
    {"subviewer2/subtitlesparser-battlestar-galactica.sub", {3, 336, ""}},
};

TEST(Corpus, EveryFileIsReadOrItsRejectionIsKnown) {
  const fs::path corpus(QM_CORPUS);
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  int files = 0;
  for (const auto& folder : fs::directory_iterator(corpus)) {
    if (!folder.is_directory()) continue;
    const auto folderFormat = FormatFromCliName(folder.path().filename().string());
    for (const auto& file : fs::directory_iterator(folder.path())) {
      const std::string name = folder.path().filename().string() + "/" + file.path().filename().string();
      SCOPED_TRACE(name);
      const auto expected = kExpected.find(name);
      ASSERT_NE(expected, kExpected.end()) << "a new corpus file needs its expected outcome";
      const Outcome& outcome = expected->second;
      ++files;

      const uint8_t detected = DetectFormat(file.path().string());
      EXPECT_EQ(detected, outcome.detected);
      SubtitleDocument doc;
      std::string error;
      LoadResult result;
      try {
        result = LoadSubtitles(doc, detected, file.path().string());
      } catch (const QuillmarkError& e) {
        error = e.what();
      }
      EXPECT_FALSE(result.Truncated);
      EXPECT_EQ(error, outcome.error);
      EXPECT_EQ(doc.SubtitleCount, outcome.count);
      EXPECT_EQ(result.NegativeTimesZeroed, outcome.negatives);
      EXPECT_EQ(result.FileFrameRate.value_or(0), outcome.rate);
      const bool clean = folderFormat && detected == *folderFormat && error.empty() && outcome.count > 0;
      EXPECT_EQ(clean, std::string(outcome.why).empty()) << "a file the grammar takes otherwise says why";
    }
  }
  EXPECT_EQ(files, static_cast<int>(kExpected.size()));
}

}  // namespace
}  // namespace qm
