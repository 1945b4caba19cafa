#include "document/search.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

class SearchTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;

  // Subtitles "text 1" .. "text <count>"; `special` replaces the text of one of them.
  void Fill(int count, int specialRow = 0, const char* special = "") {
    doc.SubtitleCount = count;
    for (int i = 1; i <= count; ++i) doc.SubtitleTable[i].Text = "text " + std::to_string(i);
    if (specialRow) doc.SubtitleTable[specialRow].Text = special;
  }
  std::optional<int32_t> Row(int current, const char* needle, SearchDirection direction,
                             bool caseSensitive = false) {
    const auto hit = FindSubtitleText(doc, current, needle, caseSensitive, direction);
    return hit ? std::optional<int32_t>(hit->Row) : std::nullopt;
  }
};

TEST_F(SearchTest, WalksFromTheNeighbourWithoutWrappingAround) {
  Fill(10, 3, "Ahoj");
  EXPECT_EQ(Row(5, "Ahoj", SearchDirection::Down), std::nullopt);
  EXPECT_EQ(Row(5, "Ahoj", SearchDirection::Up), 3);
  EXPECT_EQ(Row(3, "Ahoj", SearchDirection::Up), std::nullopt);  // the current row is skipped
  EXPECT_EQ(Row(3, "text", SearchDirection::Down), 4);

  Fill(10, 10, "Ahoj");
  EXPECT_EQ(Row(10, "Ahoj", SearchDirection::Down), 10);  // at the edge it finds itself again
  EXPECT_EQ(Row(10, "Ahoj", SearchDirection::Down), 10);
  Fill(10, 1, "Ahoj");
  EXPECT_EQ(Row(1, "Ahoj", SearchDirection::Up), 1);
}

TEST_F(SearchTest, NothingToFindInAnEmptyDocumentOrWithAnEmptyNeedle) {
  EXPECT_EQ(Row(1, "a", SearchDirection::Down), std::nullopt);
  Fill(3);
  EXPECT_EQ(Row(1, "", SearchDirection::Down), std::nullopt);
  // A current row outside the subtitles starts from the nearest one.
  EXPECT_EQ(Row(0, "text", SearchDirection::Up), 1);
  EXPECT_EQ(Row(7, "text", SearchDirection::Down), 3);
  EXPECT_EQ(Row(7, "text", SearchDirection::Up), 2);
}

TEST_F(SearchTest, CaseRuleUpperCasesOnlyBasicLatinLetters) {
  Fill(3, 2, "AHOJ a ČAU");
  EXPECT_EQ(Row(1, "ahoj", SearchDirection::Down), 2);
  EXPECT_EQ(Row(1, "ahoj", SearchDirection::Down, true), std::nullopt);
  EXPECT_EQ(Row(1, "čau", SearchDirection::Down), std::nullopt);
  EXPECT_EQ(Row(1, "Čau", SearchDirection::Down), 2);
  EXPECT_EQ(UpperCaseBasicLatin("ahoj čau z{"), "AHOJ čAU Z{");
}

TEST(SelectFoundText, EachBarBeforeTheHitIsATwoCharacterLineBreak) {
  EXPECT_EQ(SelectFoundText("Jak", "Ahoj|Jak se máš"), (TextSelection{6, 3}));
  EXPECT_EQ(SelectFoundText("Ahoj", "Ahoj|Jak"), (TextSelection{0, 4}));
  EXPECT_EQ(SelectFoundText("c", "a|b|c"), (TextSelection{6, 1}));
  EXPECT_EQ(SelectFoundText("j|J", "Ahoj|Jak"), (TextSelection{3, 4}));  // the whole hit
  EXPECT_EQ(SelectFoundText("x", "Ahoj"), std::nullopt);
}

TEST_F(SearchTest, AHitCarriesItsSelectionInTheOriginalText) {
  Fill(2, 2, "Ahoj|JAK se máš");
  const auto hit = FindSubtitleText(doc, 1, "jak", false, SearchDirection::Down);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->Row, 2);
  EXPECT_EQ(hit->Selection, (TextSelection{6, 3}));
}

}  // namespace
}  // namespace qm
