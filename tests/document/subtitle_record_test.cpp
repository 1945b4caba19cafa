#include <gtest/gtest.h>

#include <memory>
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

// Texts kept in the table's store: thousands of them across its chunks, one longer than a
// chunk, and empty ones; each reads back whole after all the others were kept.
TEST(SubtitleRecord, KeptTextsStayWholeAndCopiesOutliveTheTable) {
  auto table = std::make_unique<TSubtitleTable>();
  const auto textOf = [](int32_t i) {
    return i == 700      ? std::string(200000, 'L')
           : i % 97 == 0 ? std::string()
                         : "č" + std::to_string(i) + "|řádek";
  };
  for (int32_t i = 1; i <= 5000; ++i) table->KeepText((*table)[i].Text, textOf(i));
  for (int32_t i = 1; i <= 5000; ++i) ASSERT_EQ((*table)[i].Text, textOf(i)) << i;

  TSubtitle copy = (*table)[42];
  TSubtitle moved = std::move((*table)[43]);
  (*table)[44].Text += "+";  // an edited text is the record's own
  EXPECT_EQ((*table)[44].Text, textOf(44) + "+");
  (*table)[45].Text = (*table)[45].Text.View().substr(1);  // assigned from a view of itself
  EXPECT_EQ((*table)[45].Text, textOf(45).substr(1));
  (*table)[46].Text.Edit().insert(0, "x");
  EXPECT_EQ((*table)[46].Text, "x" + textOf(46));
  EXPECT_EQ((*table)[47].Text, textOf(47));  // the neighbours in the store are untouched

  table.reset();  // the store goes; the copied and the moved record own their texts
  EXPECT_EQ(copy.Text, textOf(42));
  EXPECT_EQ(moved.Text, textOf(43));
}

}  // namespace
}  // namespace qm
