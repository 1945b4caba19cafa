// The shipped format samples Data/1.sub ... Data/13.sub.

#include <gtest/gtest.h>

#include <memory>

#include "document/subtitle_document.h"
#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/subtitles_load.h"

namespace qm {
namespace {

std::string Sample(int number) {
  return std::string(QM_TEST_DATA) + "/../../Data/" + std::to_string(number) + ".sub";
}

TEST(FormatSamples, EachReadableSampleIsRecognisedAsItsFormatAndReadsWhole) {
  for (int format = 0; format <= 10; ++format) {
    const std::string file = Sample(format + 1);
    ASSERT_EQ(DetectFormat(file), format) << file;
    auto doc = std::make_unique<SubtitleDocument>();
    ClearSubtitleTable(*doc);
    EXPECT_FALSE(LoadSubtitles(*doc, static_cast<uint8_t>(format), file).Truncated);
    ASSERT_EQ(doc->SubtitleCount, 3) << file;
    // The same three subtitles in every layout; the text of the last one carries the accents.
    EXPECT_NE(doc->SubtitleTable[3].Text.find("žluťoučký"), std::string::npos) << file;
    EXPECT_NE(doc->SubtitleTable[2].Text.find('|'), std::string::npos) << file;
  }
}

TEST(FormatSamples, SamiAndRadLightSamplesAreNotRecognised) {
  EXPECT_EQ(DetectFormat(Sample(12)), kNotRecognised);
  EXPECT_EQ(DetectFormat(Sample(13)), kNotRecognised);
}

}  // namespace
}  // namespace qm
