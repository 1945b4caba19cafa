#include "document/editor_rules.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace qm {
namespace {

TEST(EditorRules, SubtitleTextAndEditorLines) {
  EXPECT_EQ(SubtitleTextOf("a\nb\n"), "a|b");  // a break at the very end starts no line
  EXPECT_EQ(EditorLineCount(""), 0);
  EXPECT_EQ(EditorLineCount("a\n"), 1);
}

TEST(EditorRules, EditorRecordFailsBeforeTheSlotChanges) {
  SubtitleDocument doc;
  doc.SubtitleTable[3].Text = "kept";
  doc.TimeMode = kModeClock;
  EditorTimes times;
  times.SS1 = "4";
  times.SSS1 = "5";
  times.SS2 = "6";
  const TSubtitle made = EditorRecord(doc, 3, "new", times);
  EXPECT_EQ(made.Text, "new");
  EXPECT_EQ(made.StartMs, "500");
  EXPECT_EQ(made.StartFrame, 108);  // 4,5 s at 23.976
  EXPECT_EQ(doc.SubtitleTable[3].Text, "kept");
  times.MM2 = "x";
  EXPECT_THROW(EditorRecord(doc, 3, "new", times), QuillmarkError);
  times.MM2 = "-1";  // a time the grid could not show
  EXPECT_THROW(EditorRecord(doc, 3, "new", times), QuillmarkError);
  EXPECT_EQ(doc.SubtitleTable[3].Text, "kept");
  doc.TimeMode = kModeFrames;  // the clock texts are not read in frame view
  EXPECT_NO_THROW(EditorRecord(doc, 3, "new", times));
}

TEST(EditorRules, JumpDigitsGrowUntilTheyPassTheCount) {
  std::string digits;
  EXPECT_EQ(JumpToNumber(digits, '7', 80), 7);
  EXPECT_EQ(JumpToNumber(digits, '5', 80), 75);
  EXPECT_EQ(JumpToNumber(digits, '1', 80), std::nullopt);  // 751: dropped
  EXPECT_EQ(digits, "");
  EXPECT_EQ(JumpToNumber(digits, '0', 80), std::nullopt);           // 0 is no subtitle
  for (int i = 0; i < 12; ++i) JumpToNumber(digits, '9', 1000000);  // never overflows
  EXPECT_LE(digits.size(), 7u);
}

TEST(EditorRules, RowHeightAndDuration) {
  EXPECT_EQ(GridRowHeight(10), 18);
  EXPECT_EQ(GridRowHeight(7.5), 14);  // 14,5 rounds to even
  EditorTimes times;
  times.StartFrame = 30;
  times.EndFrame = 10;
  EXPECT_EQ(EditorDurationText(times, kModeFrames), "-20");
  times.SS1 = "10";
  times.SS2 = "12";
  times.SSS2 = "5";
  EXPECT_EQ(EditorDurationText(times, kModeClock), "0:00:02,500");
}

}  // namespace
}  // namespace qm
