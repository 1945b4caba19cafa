// Golden files: tests/data/<format>/<case>.<ext> is detected as its folder's format and read;
// <case>.dump holds the document as dumped, <case>.error the failure message when reading is
// meant to fail, and <case>.<layout>.expected the bytes written in that layout (always at
// least the folder's own). UPDATE_GOLDEN=1 rewrites these files instead of comparing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/dump.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "platform/errors.h"
#include "test_support.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// Frame and clock layouts meet through this rate when a case is written in the other kind.
constexpr double kGoldenFrameRate = 25.0;

bool Updating() {
  const char* value = std::getenv("UPDATE_GOLDEN");
  return value && std::string(value) == "1";
}

bool IsGoldenOutput(const fs::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".dump" || ext == ".expected" || ext == ".error";
}

std::vector<std::string> GoldenInputs() {
  std::vector<std::string> inputs;
  for (const auto& folder : fs::directory_iterator(QM_TEST_DATA)) {
    if (!folder.is_directory() || !FormatFromCliName(folder.path().filename().string())) continue;
    for (const auto& file : fs::directory_iterator(folder.path()))
      if (file.is_regular_file() && !IsGoldenOutput(file.path())) inputs.push_back(file.path().string());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

uint8_t FolderFormat(const fs::path& input) {
  return *FormatFromCliName(input.parent_path().filename().string());
}

// <folder>/<case> without the input's extension.
std::string CaseStem(const fs::path& input) { return (input.parent_path() / input.stem()).string(); }

// Layouts with a recorded expectation for this case, plus the folder's own.
std::vector<uint8_t> ExpectedLayouts(const fs::path& input) {
  std::vector<uint8_t> layouts{FolderFormat(input)};
  const std::string prefix = input.stem().string() + ".";
  for (const auto& file : fs::directory_iterator(input.parent_path())) {
    const std::string name = file.path().filename().string();
    if (file.path().extension() != ".expected" || name.rfind(prefix, 0) != 0) continue;
    const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - 9);
    if (auto layout = FormatFromCliName(middle); layout && middle == std::to_string(*layout))
      layouts.push_back(*layout);
  }
  std::sort(layouts.begin(), layouts.end());
  layouts.erase(std::unique(layouts.begin(), layouts.end()), layouts.end());
  return layouts;
}

void CheckGolden(const std::string& path, const std::string& actual) {
  if (Updating()) {
    std::ofstream(path, std::ios::binary).write(actual.data(), static_cast<std::streamsize>(actual.size()));
    return;
  }
  ASSERT_TRUE(fs::exists(path)) << path << " is missing; run with UPDATE_GOLDEN=1 and read the diff";
  EXPECT_EQ(test::ReadFile(path), actual) << path;
}

// The document in the timing kind that the layout reads.
void ConvertFor(SubtitleDocument& doc, uint8_t fromFormat, uint8_t layout) {
  if (IsFrameFormat(fromFormat) == IsFrameFormat(layout)) return;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    if (IsFrameFormat(layout))
      ClockToFrames(doc, i, true, true, kGoldenFrameRate);
    else
      FramesToClock(doc, i, true, true, kGoldenFrameRate);
  }
}

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
  const fs::path path(info.param);
  std::string name = path.parent_path().filename().string() + "_" + path.stem().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

class GoldenFile : public testing::TestWithParam<std::string> {};

TEST_P(GoldenFile, ReadsAndWritesAsRecorded) {
  const fs::path input(GetParam());
  const uint8_t format = FolderFormat(input);
  ASSERT_EQ(DetectFormat(input.string()), format);

  SubtitleDocument doc;
  std::string error;
  try {
    LoadSubtitles(doc, format, input.string());
  } catch (const QuillmarkError& e) {
    error = e.what();
  }
  CheckGolden(CaseStem(input) + ".dump", DumpDocument(doc));
  const std::string errorFile = CaseStem(input) + ".error";
  if (!error.empty() || fs::exists(errorFile)) {
    CheckGolden(errorFile, error);
    return;  // a file that fails to read is not written
  }

  for (uint8_t layout : ExpectedLayouts(input)) {
    SubtitleDocument copy;
    copy.SubtitleCount = doc.SubtitleCount;
    for (int32_t i = 1; i <= doc.SubtitleCount; ++i) copy.SubtitleTable[i] = doc.SubtitleTable[i];
    ConvertFor(copy, format, layout);
    CheckGolden(CaseStem(input) + "." + std::to_string(layout) + ".expected", WriteSubtitles(copy, layout));
  }
}

INSTANTIATE_TEST_SUITE_P(Data, GoldenFile, testing::ValuesIn(GoldenInputs()), CaseName);

// Every prefix of every golden input: detection and reading end without a crash, a hang or
// a write past the table. A number cut short fails with the product's message, and a prefix
// that ends before the first subtitle is not read; both are fine.
TEST(GoldenFilePrefixes, EveryPrefixIsDetectedAndReadSafely) {
  SubtitleDocument doc;
  for (const std::string& input : GoldenInputs()) {
    const std::string bytes = test::ReadFile(input);
    const uint8_t format = FolderFormat(input);
    for (size_t length = 0; length <= bytes.size(); ++length) {
      const std::string_view prefix(bytes.data(), length);
      const uint8_t detected = DetectFormatInBytes(prefix);
      for (uint8_t reader : {format, detected}) {
        try {
          LoadSubtitlesFromBytes(doc, reader, prefix);
        } catch (const QuillmarkError& e) {
          ASSERT_TRUE(e.Kind() == ErrorKind::Conversion || e.Kind() == ErrorKind::NothingRead)
              << input << " cut at " << length << ": " << e.what();
        }
        ASSERT_LE(doc.SubtitleCount, MaxSubtitles);
      }
    }
  }
}

}  // namespace
}  // namespace qm
