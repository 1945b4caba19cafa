#include "document/text_tools.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace qm {
namespace {

class TextToolsTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  TSubtitle& Rec(int i) { return doc.SubtitleTable[i]; }

  // One subtitle per text, StartFrame = its number so that records can be told apart.
  void SetTexts(std::initializer_list<const char*> texts) {
    doc.SubtitleCount = 0;
    for (const char* text : texts) {
      TSubtitle& r = Rec(++doc.SubtitleCount);
      r.Text = text, r.StartFrame = doc.SubtitleCount;
    }
  }
  void SetSeconds(int i, int show, int hide, const char* hideMs = "000") {
    Rec(i).StartSecond = show, Rec(i).EndSecond = hide, Rec(i).EndMs = hideMs;
  }
};

TEST_F(TextToolsTest, ChangesReplaceThenTrimThenRepair) {
  SetTexts({"banana| \t", "a|"});
  SetSeconds(1, 10, 15);
  SetSeconds(2, 14, 16);
  ApplyTextChanges(doc, TextChanges{"a", "b", true, true});
  EXPECT_EQ(Rec(1).Text, "bbnbnb");
  EXPECT_EQ(Rec(2).Text, "b");
  EXPECT_EQ(Rec(1).EndSecond, 14);

  SetTexts({"a b  |"});
  ApplyTextChanges(doc, TextChanges{"", "", false, false});
  EXPECT_EQ(Rec(1).Text, "a b  |");
}

TEST_F(TextToolsTest, OverlapsAreRepairedPerRepresentationBetweenNeighbours) {
  SetTexts({"1", "2", "3", "4"});
  SetSeconds(1, 10, 15);         // overlaps 2
  SetSeconds(2, 14, 16);         // ends where 3 begins: no overlap
  SetSeconds(3, 16, 20, "001");  // overlaps 4 by one millisecond
  SetSeconds(4, 20, 21);
  Rec(2).EndFrame = 300;  // frames overlap where the clock does not
  Rec(3).EndFrame = 9;    // 4 starts at frame 4
  RepairOverlaps(doc);
  EXPECT_EQ(Rec(1).EndSecond, 14);
  EXPECT_EQ(Rec(2).EndSecond, 16);
  EXPECT_EQ(Rec(3).EndSecond, 20);
  EXPECT_EQ(Rec(3).EndMs, "000");
  EXPECT_EQ(Rec(2).EndFrame, 3);
  EXPECT_EQ(Rec(3).EndFrame, 4);
  EXPECT_EQ(Rec(1).EndFrame, 0);

  SetSeconds(1, 10, 15);
  Rec(3).StartMinute = 60;  // stops at pair 2-3; pair 1-2 stays repaired
  EXPECT_THROW(RepairOverlaps(doc), QuillmarkError);
  EXPECT_EQ(Rec(1).EndSecond, 14);
}

TEST_F(TextToolsTest, DeletingBlankSubtitlesKeepsOrderAndStoresTheCount) {
  SetTexts({"one", " | ", "three", "", "five"});
  const SubtitleCountChange change = DeleteBlankSubtitles(doc);
  EXPECT_EQ(change.Before, 5);
  EXPECT_EQ(change.After, 3);
  EXPECT_EQ(doc.SubtitleCount, 3);
  EXPECT_EQ(Rec(2).Text, "three");
  EXPECT_EQ(Rec(3).StartFrame, 5);
  EXPECT_EQ(Rec(4), TSubtitle{});

  SetTexts({"\r", "|"});
  EXPECT_EQ(DeleteBlankSubtitles(doc).After, 0);
  EXPECT_EQ(doc.SubtitleCount, 0);
}

TEST_F(TextToolsTest, AccentsAreRemovedFromEverySubtitle) {
  SetTexts({"Žluťoučký kůň", "ř"});
  RemoveAccentsFromAll(doc);
  EXPECT_EQ(Rec(1).Text, "Žluťoucký kun");
  EXPECT_EQ(Rec(2).Text, "r");
}

TEST(WrapSubtitleLines, BreaksAtTheLastBreakCharacterOfALine) {
  const struct {
    int width;
    const char* text;
    const char* expected;
  } cases[] = {
      {4, "aaa bbb", "aaa |bbb"},
      {4, "aaa  bbb", "aaa | bbb"},  // the blank after the break point begins the next line
      {8, "Mr.Smith went-home now", "Mr.|Smith went-|home now"},
      {4, "aaa b", "aaa b"},  // fewer than two characters left: no new line
      {20, "Toto je velmi dlouhy text", "Toto je velmi |dlouhy text"},
      {4, "abcdefgh ij", "abcdefgh |ij"},          // a long word is not split
      {4, "ab|cd|ef", "ab|cd|ef"},                 // each existing line starts the count again
      {4, "aaa \r\nbbb", "aaa |\r\nbbb"},          // a CR LF after the break is stepped over, not removed
      {5, "\"a b c d\" e f", "\"a b c d\" |e f"},  // nothing is broken inside quotes
      {4, "a \"b\" c", "a |\"b\" c"},              // no stepping over after a closing quote
      {10, "don't stop me now please", "don't stop me now please"},  // unmatched apostrophe
      // A break never goes where a line break already stands: no empty line is made.
      {4, "aaa |bbb", "aaa |bbb"},
      {4, "aaa  |bbb", "aaa  |bbb"},
      {4, "aaa \r\n|bbb", "aaa \r\n|bbb"},
      {6, "ab cdef|gh ij klmn", "ab |cdef|gh ij |klmn"},
  };
  for (const auto& c : cases) EXPECT_EQ(WrapSubtitleLines(c.text, c.width), c.expected) << c.text;
}

TEST_F(TextToolsTest, WrappingRunsOverTheDocumentAndRefusesAWidthBelowOne) {
  SetTexts({"aaa bbb", "short"});
  EXPECT_THROW(WrapAllSubtitleLines(doc, 0), QuillmarkError);
  EXPECT_EQ(Rec(1).Text, "aaa bbb");
  WrapAllSubtitleLines(doc, 4);
  EXPECT_EQ(Rec(1).Text, "aaa |bbb");
  EXPECT_EQ(Rec(2).Text, "short");
}

}  // namespace
}  // namespace qm
