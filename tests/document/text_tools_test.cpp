#include "document/text_tools.h"

#include <gtest/gtest.h>

#include "document/errors.h"
#include "document/subtitles_tool.h"

namespace qm {
namespace {

class TextToolsTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  TSubtitle& Rec(int i) { return doc.SubtitleTable[i]; }

  void SetTexts(std::initializer_list<const char*> texts) {
    doc.SubtitleCount = 0;
    for (const char* text : texts) {
      ++doc.SubtitleCount;
      Rec(doc.SubtitleCount).Text = text;
      Rec(doc.SubtitleCount).StartFrame = doc.SubtitleCount;  // tells the records apart
    }
  }
  // Subtitle i from `show` to `hide` seconds (whole seconds plus milliseconds text).
  void SetSeconds(int i, int show, const char* showMs, int hide, const char* hideMs) {
    Rec(i).StartSecond = show, Rec(i).StartMs = showMs;
    Rec(i).EndSecond = hide, Rec(i).EndMs = hideMs;
  }
};

TEST_F(TextToolsTest, ChangesReplaceThenTrimThenRepair) {
  SetTexts({"banana| \t", "a|"});
  SetSeconds(1, 10, "000", 15, "000");
  SetSeconds(2, 14, "000", 16, "000");
  ApplyTextChanges(doc, TextChanges{"a", "b", true, true});
  EXPECT_EQ(Rec(1).Text, "bbnbnb");
  EXPECT_EQ(Rec(2).Text, "b");
  EXPECT_EQ(Rec(1).EndSecond, 14);

  SetTexts({"a b  |"});
  ApplyTextChanges(doc, TextChanges{"", "", false, false});
  EXPECT_EQ(Rec(1).Text, "a b  |");
  ApplyTextChanges(doc, TextChanges{"b", "b", true, false});
  EXPECT_EQ(Rec(1).Text, "a b");
}

TEST_F(TextToolsTest, OverlapsArePulledBackToTheNextShowTime) {
  SetTexts({"1", "2", "3", "4"});
  SetSeconds(1, 10, "000", 15, "000");  // overlaps 2 by a second
  SetSeconds(2, 14, "000", 16, "000");  // ends exactly where 3 begins: no overlap
  SetSeconds(3, 16, "000", 20, "001");  // overlaps 4 by one millisecond
  SetSeconds(4, 20, "000", 21, "000");
  RepairOverlaps(doc);
  EXPECT_EQ(Rec(1).EndSecond, 14);
  EXPECT_EQ(Rec(1).EndMs, "000");
  EXPECT_EQ(Rec(2).EndSecond, 16);
  EXPECT_EQ(Rec(3).EndSecond, 20);
  EXPECT_EQ(Rec(3).EndMs, "000");
  EXPECT_EQ(Rec(4).EndSecond, 21);  // the last has no neighbour
}

TEST_F(TextToolsTest, FramesAndClockAreRepairedIndependentlyInTableOrder) {
  SetTexts({"1", "2", "3"});
  Rec(1).StartFrame = 100, Rec(1).EndFrame = 300;
  Rec(2).StartFrame = 250, Rec(2).EndFrame = 280;
  Rec(3).StartFrame = 50, Rec(3).EndFrame = 90;  // out of order: only compared with 2
  SetSeconds(1, 1, "000", 2, "000");             // clock times do not overlap
  SetSeconds(2, 3, "000", 4, "000");
  SetSeconds(3, 5, "000", 6, "000");
  RepairOverlaps(doc);
  EXPECT_EQ(Rec(1).EndFrame, 250);
  EXPECT_EQ(Rec(2).EndFrame, 50);
  EXPECT_EQ(Rec(1).EndSecond, 2);
  EXPECT_EQ(Rec(2).EndSecond, 4);
}

TEST_F(TextToolsTest, OverlapRepairStopsAtAClockFieldOutOfRange) {
  SetTexts({"1", "2", "3"});
  SetSeconds(1, 10, "000", 15, "000");
  SetSeconds(2, 14, "000", 30, "000");
  SetSeconds(3, 20, "000", 25, "000");
  Rec(3).StartMinute = 60;
  try {
    RepairOverlaps(doc);
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "Invalid argument to time encode");
  }
  EXPECT_EQ(Rec(1).EndSecond, 14);
  EXPECT_EQ(Rec(2).EndSecond, 30);
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
  EXPECT_EQ(Rec(5), TSubtitle{});

  SetTexts({"\r", "|"});
  const SubtitleCountChange all = DeleteBlankSubtitles(doc);
  EXPECT_EQ(all.After, 0);
  EXPECT_EQ(doc.SubtitleCount, 0);
  EXPECT_EQ(Rec(1), TSubtitle{});
}

TEST_F(TextToolsTest, AccentsAreRemovedFromEverySubtitle) {
  // Žluťoučký kůň, then "ř" alone: only č, ů, ň and ř change.
  SetTexts({"\x8E" "lu\x9Do" "u\xE8k\xFD k\xF9\xF2", "\xF8"});
  RemoveAccentsFromAll(doc);
  EXPECT_EQ(Rec(1).Text, "\x8E" "lu\x9Do" "uck\xFD kun");
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
      {4, "abcdefgh ij", "abcdefgh |ij"},  // a long word is not split
      {10, "ab|cd", "ab|cd"},
      {4, "ab|cd|ef", "ab|cd|ef"},  // each existing line starts the count again
      {4, "aaa \r\nbbb", "aaa |\r\nbbb"},  // a CR LF after the break is stepped over, not removed
      {5, "\"a b c d\" e f", "\"a b c d\" |e f"},  // nothing is broken inside quotes
      {10, "don't stop me now please", "don't stop me now please"},  // unmatched apostrophe
      {4, "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WrapSubtitleLines(c.text, c.width), c.expected) << c.text;
}

TEST_F(TextToolsTest, WrappingRunsOverTheDocumentAndRefusesAWidthBelowOne) {
  SetTexts({"aaa bbb", "short"});
  EXPECT_THROW(WrapAllSubtitleLines(doc, 0), QuillmarkError);
  EXPECT_THROW(WrapSubtitleLines("a b", -3), QuillmarkError);
  EXPECT_EQ(Rec(1).Text, "aaa bbb");
  WrapAllSubtitleLines(doc, 4);
  EXPECT_EQ(Rec(1).Text, "aaa |bbb");
  EXPECT_EQ(Rec(2).Text, "short");
}

}  // namespace
}  // namespace qm
