#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "document/subtitle_document.h"

namespace qm {
namespace {

// Milliseconds texts of every length a file or the editor can give, across the point where
// a text stops fitting in the record itself.
const std::vector<std::string> kMsTexts = {"",        "5",        "50",  "500",  "4a6",
                                           "1234567", "12345678", "ščř", "ščřž", std::string(300, '9')};

TEST(SubtitleRecord, MillisecondsTextsOfAnyLengthSurviveCopiesMovesAndAssignments) {
  for (const std::string& text : kMsTexts) {
    SCOPED_TRACE(text);
    TSubtitle record;
    EXPECT_EQ(record.StartMs, "000");
    record.StartMs = text;
    EXPECT_EQ(record.StartMs, text);
    EXPECT_EQ(record.StartMs.size(), text.size());

    TSubtitle copy = record;
    EXPECT_EQ(copy, record);
    TSubtitle moved = std::move(copy);
    EXPECT_EQ(moved.StartMs, text);

    // Each length over each other: the old text's memory goes, the new one stays whole.
    for (const std::string& other : kMsTexts) {
      moved.EndMs = other;
      EXPECT_EQ(moved.EndMs, other);
      moved.EndMs = moved.StartMs;
      EXPECT_EQ(moved.EndMs, text);
    }
    moved.StartMs = moved.StartMs.View();  // a text assigned from a view of itself
    EXPECT_EQ(moved.StartMs, text);
    moved.StartMs = std::move(moved.StartMs);
    EXPECT_EQ(moved.StartMs, text);
    EXPECT_EQ(std::string(moved.StartMs), text);
  }
}

TEST(SubtitleRecord, RecordsDifferByTheirMillisecondsTexts) {
  TSubtitle a, b;
  a.EndMs = "12345678";
  b.EndMs = "12345679";
  EXPECT_NE(a, b);
  b.EndMs = a.EndMs;
  EXPECT_EQ(a, b);
}

TEST(SubtitleRecord, TableSlotsKeepLongMillisecondsAndReadEmptyWhenNeverWritten) {
  TSubtitleTable table;
  table[MaxSubtitles].StartMs = std::string(40, '7');
  const TSubtitleTable& view = table;
  EXPECT_EQ(view[MaxSubtitles].StartMs, std::string(40, '7'));
  EXPECT_EQ(view[1].StartMs, "000");
  table.Clear();
  EXPECT_EQ(view[MaxSubtitles].StartMs, "000");
}

}  // namespace
}  // namespace qm
