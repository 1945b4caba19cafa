#include "document/subtitles_tool.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace qm {
namespace {

TEST(ReplaceAll, RepeatsFromTheStartSoRunsCollapse) {
  EXPECT_EQ(ReplaceAll("  ", " ", "a     b"), "a b");
  EXPECT_EQ(ReplaceAll("aa", "a", "aaaa"), "a");
  EXPECT_EQ(ReplaceAll("a", "b", "banana"), "bbnbnb");
  EXPECT_EQ(ReplaceAll("ab", "ba", "aab"), "baa");  // the product's order: earlier hits first
}

TEST(ReplaceAll, LeavesTheSourceWhenNothingCanBeReplaced) {
  EXPECT_EQ(ReplaceAll("x", "x", "xyz"), "xyz");
  EXPECT_EQ(ReplaceAll("", "q", "abc"), "abc");
  EXPECT_EQ(ReplaceAll("zz", "q", "abc"), "abc");
}

TEST(ReplaceAll, TerminatesWhenTheReplacementRecreatesTheFindText) {
  EXPECT_EQ(ReplaceAll("a", "ab", "banana"), "babnabnab");
  EXPECT_EQ(ReplaceAll(" ", "  ", "a b"), "a  b");
  // Not containing the find text, yet every round makes a new one further on.
  EXPECT_EQ(ReplaceAll("ab", "bbaa", "aab"), "abbaa");
}

TEST(TextTests, LinesBlanksTagsAndFrameLines) {
  EXPECT_EQ(CountLines(""), 1);
  EXPECT_EQ(CountLines("a|b|"), 3);
  EXPECT_TRUE(IsBlankText(""));
  EXPECT_TRUE(IsBlankText("| |"));
  EXPECT_TRUE(IsBlankText("\r \r"));
  EXPECT_FALSE(IsBlankText("\t"));
  EXPECT_FALSE(IsBlankText(" x "));
  EXPECT_TRUE(IsTimeTag("[00:00:05]"));
  EXPECT_FALSE(IsTimeTag("[0:00:05]"));
  EXPECT_TRUE(IsAqtFrameLine("-->> 000100"));
  EXPECT_TRUE(IsAqtFrameLine("x-->> 1"));
  EXPECT_FALSE(IsAqtFrameLine("-->>"));
  EXPECT_EQ(AqtFrameNumber("-->> 000250"), 250);
  EXPECT_THROW(AqtFrameNumber("-->> 12a"), QuillmarkError);
  EXPECT_THROW(AqtFrameNumber("-->> "), QuillmarkError);
}

TEST(ZeroPadding, ThreeDigitsSevenDigitsAndWidth) {
  EXPECT_EQ(ZeroPad3(7), "007");
  EXPECT_EQ(ZeroPad3(45), "045");
  EXPECT_EQ(ZeroPad3(100), "100");
  EXPECT_EQ(ZeroPad3(1234), "1234");
  EXPECT_EQ(ZeroPad3(-1), "");
  EXPECT_EQ(ZeroPad(42, 7), "0000042");
  EXPECT_EQ(ZeroPad(1234567, 7), "1234567");
  EXPECT_EQ(ZeroPad(12345678, 7), "12345678");
  EXPECT_EQ(ZeroPad(1, 4), "0001");
  EXPECT_EQ(ZeroPad(10000, 4), "10000");
  EXPECT_EQ(ZeroPad7(250), "0000250");
}

TEST(MsFromDigits, DigitsAfterTheDecimalComma) {
  EXPECT_EQ(MsFromDigits("5"), "500");
  EXPECT_EQ(MsFromDigits("05"), "050");
  EXPECT_EQ(MsFromDigits("25"), "250");
  EXPECT_EQ(MsFromDigits("005"), "005");
  EXPECT_EQ(MsFromDigits(""), "000");
  EXPECT_EQ(MsFromDigits("1234"), "123");
}

TSubtitle Timed(int h, int m, int s, const char* ms) {
  TSubtitle r;
  r.StartHour = h;
  r.StartMinute = m;
  r.StartSecond = s;
  r.StartMs = ms;
  return r;
}

TEST(SubtitleTimeText, LeadingZeroSeparatorAndStoredMilliseconds) {
  const TSubtitle r = Timed(1, 2, 3, "456");
  EXPECT_EQ(SubtitleTimeText(r, kShowTime, true, ',', true), "01:02:03,456");
  EXPECT_EQ(SubtitleTimeText(r, kShowTime, false, '.', true), "1:02:03.456");
  EXPECT_EQ(SubtitleTimeText(r, kShowTime, true, ',', false), "01:02:03");
  EXPECT_EQ(SubtitleTimeText(Timed(12, 0, 0, "000"), kShowTime, true, ',', true), "12:00:00,000");
  EXPECT_EQ(SubtitleTimeText(r, kHideTime, true, ',', true), "00:00:00,000");
  EXPECT_EQ(SubtitleTimeText(r, 3, true, ',', true), "");
}

TEST(SubtitleTimeText, FieldsOutsideTheClockFail) {
  EXPECT_THROW(SubtitleTimeText(Timed(24, 0, 0, "000"), kShowTime, true, ',', true), QuillmarkError);
  EXPECT_THROW(SubtitleTimeText(Timed(0, 60, 0, "000"), kShowTime, true, ',', true), QuillmarkError);
  try {
    SubtitleTimeText(Timed(0, 0, 0, "5 -"), kShowTime, true, ',', true);
    ADD_FAILURE();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "'5 -' is not a valid integer value");
  }
}

TEST(DurationText, FramesKeepTheirSignClockShowsTheMagnitude) {
  TSubtitle r;
  r.StartFrame = 150;
  r.EndFrame = 100;
  EXPECT_EQ(DurationText(r, kModeFrames), "-50");
  r.StartSecond = 10;
  r.EndSecond = 12;
  r.EndMs = "500";
  EXPECT_EQ(DurationText(r, kModeClock), "0:00:02,500");
  std::swap(r.StartSecond, r.EndSecond);
  EXPECT_EQ(DurationText(r, kModeClock), "0:00:01,500");
}

TEST(TimeDifferenceText, MagnitudeOfTheDifference) {
  EXPECT_EQ(TimeDifferenceText(0, 0, 0, 0, 10, 12, 0, 500, true, ','), "00:00:02,500");
  EXPECT_EQ(TimeDifferenceText(0, 0, 0, 0, 10, 12, 0, 500, false, ','), "0:00:02,500");
  EXPECT_EQ(TimeDifferenceText(0, 0, 0, 0, 12, 10, 500, 0, true, '.'), "00:00:02.500");
  EXPECT_EQ(TimeDifferenceText(11, 0, 0, 0, 0, 0, 0, 0, true, '.'), "11:00:00.000");
}

class DocumentTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  TSubtitle& Rec(int i) { return doc.SubtitleTable[i]; }
};

TEST_F(DocumentTest, ClearingResetsEverySlot) {
  Rec(1).Text = "x";
  Rec(20000).StartFrame = 9;
  Rec(20000).EndMs = "123";
  doc.SubtitleCount = 5;
  ClearSubtitleTable(doc);
  EXPECT_EQ(doc.SubtitleCount, 0);
  EXPECT_EQ(Rec(1), TSubtitle{});
  EXPECT_EQ(Rec(20000), TSubtitle{});
  EXPECT_EQ(Rec(20000).StartMs, "000");
  EXPECT_THROW(Rec(20001), QuillmarkError);
  EXPECT_THROW(Rec(0), QuillmarkError);
}

TEST_F(DocumentTest, TrimRemovesTrailingTabsReturnsBlanksAndBars) {
  Rec(1).Text = "a b|\t \r||";
  TrimSubtitleEnd(doc, 1);
  EXPECT_EQ(Rec(1).Text, "a b");
  Rec(2).Text = " |\t";
  TrimSubtitleEnd(doc, 2);
  EXPECT_EQ(Rec(2).Text, "");
}

TEST_F(DocumentTest, FramesAndClockConvertThroughTheRate) {
  Rec(1).StartFrame = 1000;
  Rec(1).EndFrame = 1001;
  FramesToClock(doc, 1, true, true, 25);
  EXPECT_EQ(Rec(1).StartSecond, 40);
  EXPECT_EQ(Rec(1).StartMs, "000");
  FramesToClock(doc, 1, true, true, 23.976);
  EXPECT_EQ(Rec(1).EndSecond, 41);
  EXPECT_EQ(Rec(1).EndMs, "750");
  Rec(1).EndFrame = 0;
  ClockToFrames(doc, 1, false, true, 23.976);
  EXPECT_EQ(Rec(1).EndFrame, 1001);  // 41.75 x 23.976 = 1000.998 rounds, never truncates
}

TEST_F(DocumentTest, FramesBeyondOneDayWrap) {
  Rec(1).StartFrame = (24 * 3600 + 1) * 25;
  FramesToClock(doc, 1, true, false, 25);
  EXPECT_EQ(Rec(1).StartHour, 0);
  EXPECT_EQ(Rec(1).StartSecond, 1);
}

TEST_F(DocumentTest, ConversionsRefuseAZeroFrameRate) {
  EXPECT_THROW(FramesToClock(doc, 1, true, true, 0), QuillmarkError);
  EXPECT_THROW(ClockToFrames(doc, 1, true, true, 0), QuillmarkError);
}

TEST_F(DocumentTest, ScalingChangesBothRepresentationsEachWithItsOwnRounding) {
  Rec(1).StartFrame = 1000;
  Rec(1).EndFrame = 1050;
  Rec(1).StartMinute = 1;
  ScaleSubtitleTimes(doc, 1, 23.976 / 25);
  EXPECT_EQ(Rec(1).StartFrame, 959);
  EXPECT_EQ(Rec(1).EndFrame, 1007);
  EXPECT_EQ(Rec(1).StartMinute, 0);
  EXPECT_EQ(Rec(1).StartSecond, 57);
  EXPECT_EQ(Rec(1).StartMs, "542");
}

TEST_F(DocumentTest, CopyShowToHideAndBack) {
  Rec(1) = Timed(0, 0, 10, "000");
  Rec(1).StartFrame = 250;
  Rec(1).EndFrame = 312;
  Rec(1).EndSecond = 12;
  Rec(1).EndMs = "500";
  CopyShowToHide(doc, 1);
  EXPECT_EQ(Rec(1).EndFrame, 250);
  EXPECT_EQ(Rec(1).EndSecond, 10);
  EXPECT_EQ(Rec(1).EndMs, "000");
  Rec(1).EndFrame = 300;
  Rec(1).EndMs = "900";
  CopyHideToShow(doc, 1);
  EXPECT_EQ(Rec(1).StartFrame, 300);
  EXPECT_EQ(Rec(1).StartMs, "900");
}

TEST_F(DocumentTest, RemoveAccentsChangesOnlyEightSmallLetters) {
  Rec(1).Text = "čeština kůň Čas tíha ťuk Žluťoučký";
  RemoveAccents(doc, 1);
  EXPECT_EQ(Rec(1).Text, "cestina kun Čas tíha ťuk Žluťoucký");
  // Letters of other scripts are characters, not bytes: none of their bytes is touched.
  Rec(2).Text = "времена très 日本語 łódź ěšř";
  RemoveAccents(doc, 2);
  EXPECT_EQ(Rec(2).Text, "времена très 日本語 łódź esr");
}

TEST_F(DocumentTest, DeleteEmptyKeepsOrderAndClearsVacatedSlots) {
  const char* texts[] = {"a", "", "|", "b"};
  for (int i = 1; i <= 4; ++i) Rec(i).Text = texts[i - 1], Rec(i).StartFrame = i;
  doc.SubtitleCount = 4;
  EXPECT_EQ(DeleteEmptySubtitles(doc), 2);
  EXPECT_EQ(doc.SubtitleCount, 4);  // the caller stores the new count
  EXPECT_EQ(Rec(1).Text, "a");
  EXPECT_EQ(Rec(2).Text, "b");
  EXPECT_EQ(Rec(2).StartFrame, 4);
  EXPECT_EQ(Rec(3), TSubtitle{});
  EXPECT_EQ(Rec(4), TSubtitle{});
}

TEST_F(DocumentTest, StoreEditorTimesDerivesTheOtherRepresentation) {
  doc.TimeMode = kModeClock;
  EditorTimes e;
  e.SS1 = "10";
  e.SSS1 = "5";
  e.SS2 = "12";
  e.SSS2 = "05";
  StoreEditorTimes(doc, 1, 25, e);
  EXPECT_EQ(Rec(1).StartMs, "500");
  EXPECT_EQ(Rec(1).EndMs, "050");
  EXPECT_EQ(Rec(1).StartFrame, 262);  // 10.5 x 25 = 262.5, ties to even
  EXPECT_EQ(Rec(1).EndFrame, 301);

  doc.TimeMode = kModeFrames;
  e.StartFrame = 100;
  e.EndFrame = 175;
  StoreEditorTimes(doc, 2, 25, e);
  EXPECT_EQ(Rec(2).StartSecond, 4);
  EXPECT_EQ(Rec(2).EndSecond, 7);

  doc.TimeMode = kModeClock;
  e.HH1 = "x";
  EXPECT_THROW(StoreEditorTimes(doc, 3, 25, e), QuillmarkError);
}

TEST_F(DocumentTest, CompleteTableAsksOnceAndFillsTheMissingForm) {
  doc.SubtitleCount = 1;
  Rec(1).StartFrame = 1000;
  doc.StoredMode = kModeFrames;
  int asked = 0;
  EXPECT_TRUE(CompleteTable(doc, [&] {
    ++asked;
    return std::optional<double>(25.0);
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(doc.FrameRate, 25.0);
  EXPECT_TRUE(doc.FrameRateConfirmed);
  EXPECT_EQ(doc.StoredMode, kModeBoth);
  EXPECT_EQ(Rec(1).StartSecond, 40);

  // Closed without OK: the operation that asked is cancelled, nothing changes.
  doc.StoredMode = kModeClock;
  doc.FrameRateConfirmed = false;
  Rec(1).StartSecond = 2;
  EXPECT_FALSE(CompleteTable(doc, [] { return std::nullopt; }));
  EXPECT_EQ(doc.FrameRate, 25.0);
  EXPECT_EQ(Rec(1).StartFrame, 1000);
  EXPECT_EQ(doc.StoredMode, kModeClock);
  EXPECT_FALSE(doc.FrameRateConfirmed);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(SubtitleTable, EverySlotReadsEmptyUntilWrittenAndOutsideSlotsThrow) {
  SubtitleDocument doc;
  const SubtitleDocument& shown = doc;
  EXPECT_EQ(shown.SubtitleTable[MaxSubtitles], TSubtitle{});
  doc.SubtitleTable[MaxSubtitles].Text = "last";
  doc.SubtitleTable[1].StartFrame = 5;
  TSubtitle& first = doc.SubtitleTable[1];
  for (int32_t i = 2; i < MaxSubtitles; ++i) doc.SubtitleTable[i].Text = "x";  // written slots never move
  EXPECT_EQ(&first, &doc.SubtitleTable[1]);
  EXPECT_EQ(shown.SubtitleTable[MaxSubtitles].Text, "last");
  EXPECT_EQ(shown.SubtitleTable[1].StartFrame, 5);

  for (const int32_t outside : {0, -1, MaxSubtitles + 1}) {
    EXPECT_THROW(doc.SubtitleTable[outside], QuillmarkError) << outside;
    EXPECT_THROW(shown.SubtitleTable[outside], QuillmarkError) << outside;
  }

  doc.SubtitleCount = MaxSubtitles;
  ClearSubtitleTable(doc);
  EXPECT_EQ(doc.SubtitleCount, 0);
  for (const int32_t i : {1, 2, 300, MaxSubtitles}) EXPECT_EQ(shown.SubtitleTable[i], TSubtitle{}) << i;
}

}  // namespace
}  // namespace qm
