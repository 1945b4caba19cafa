#include "document/document_history.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/subtitles_tool.h"

namespace qm {
namespace {

class HistoryTest : public ::testing::Test {
 protected:
  SubtitleDocument doc;
  DocumentHistory history{doc};

  void Fill(int count, const std::string& text = "subtitle number") {
    doc.SubtitleCount = count;
    for (int i = 1; i <= count; ++i) {
      TSubtitle& r = doc.SubtitleTable[i];
      r.StartFrame = i * 100;
      r.EndFrame = i * 100 + 50;
      r.StartSecond = i % 60;
      r.StartMs = "250";
      r.Text = text + " " + std::to_string(i) + "|second line";
    }
  }
  std::vector<TSubtitle> Records() const {
    std::vector<TSubtitle> records;
    for (int i = 1; i <= MaxSubtitles; ++i)
      if (i <= doc.SubtitleCount || !(doc.SubtitleTable[i] == TSubtitle{}))
        records.push_back(doc.SubtitleTable[i]);
    return records;
  }
  void Insert(int at, const std::string& text) {
    history.BeforeChange(at, 0);
    for (int k = doc.SubtitleCount; k >= at; --k) doc.SubtitleTable[k + 1] = doc.SubtitleTable[k];
    doc.SubtitleTable[at] = TSubtitle{};
    doc.SubtitleTable[at].Text = text;
    ++doc.SubtitleCount;
  }
  void Remove(int at) {
    history.BeforeChange(at, 1);
    for (int i = at; i < doc.SubtitleCount; ++i) doc.SubtitleTable[i] = doc.SubtitleTable[i + 1];
    ClearSubtitle(doc, doc.SubtitleCount--);
  }
};

TEST_F(HistoryTest, UndoAfterEachKindOfChangeRestoresTheExactRecords) {
  Fill(5);
  std::vector<std::vector<TSubtitle>> states{Records()};
  history.BeforeChange(2, 1);  // change
  doc.SubtitleTable[2].Text = "changed";
  doc.SubtitleTable[2].EndMs = "999";
  states.push_back(Records());
  history.BeforeChange(6, 0);  // add
  doc.SubtitleTable[6].Text = "added";
  doc.SubtitleCount = 6;
  states.push_back(Records());
  Insert(1, "inserted");
  states.push_back(Records());
  Remove(4);
  states.push_back(Records());
  history.BeforeWholeChange();  // delete all
  ClearSubtitleTable(doc);
  states.push_back(Records());

  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(history.CanUndo());
    history.Undo();
    EXPECT_EQ(Records(), states[i - 1]) << "undo to state " << i - 1;
    EXPECT_EQ(doc.SubtitleCount, static_cast<int32_t>(states[i - 1].size()));
  }
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.Undo(), 0);
  for (size_t i = 1; i < states.size(); ++i) {
    history.Redo();
    EXPECT_EQ(Records(), states[i]) << "redo to state " << i;
  }
  EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, ANewChangeDropsTheRedoStepsAndANoChangeIsNoStep) {
  Fill(3);
  history.BeforeChange(1, 1);
  doc.SubtitleTable[1].Text = "x";
  history.Undo();
  ASSERT_TRUE(history.CanRedo());
  history.BeforeChange(2, 1);
  doc.SubtitleTable[2].Text = "y";
  EXPECT_FALSE(history.CanRedo());
  history.BeforeWholeChange();  // a tool that changed nothing
  EXPECT_EQ(history.UndoSteps(), 1u);
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(HistoryTest, AWholeChangeKeepsOnlyTheRecordsThatDifferAndTheModesItChanged) {
  Fill(20000);
  history.BeforeWholeChange();
  doc.SubtitleTable[7].Text = "one changed";
  doc.SubtitleTable[12].Text = "and another";
  doc.FrameRate = 25;
  ASSERT_EQ(history.UndoSteps(), 1u);
  const size_t bytes = history.Bytes();
  EXPECT_LT(bytes, 1000u);  // the span 7..12, not a copy of the table
  // A view switch made afterwards is not undone with the tool.
  doc.TimeMode = kModeClock;
  history.Undo();
  EXPECT_EQ(doc.SubtitleTable[7].Text, "subtitle number 7|second line");
  EXPECT_EQ(doc.SubtitleTable[12].Text, "subtitle number 12|second line");
  EXPECT_EQ(doc.FrameRate, 23.976);
  EXPECT_EQ(doc.TimeMode, kModeClock);
}

TEST_F(HistoryTest, AOneRecordChangeCostsAboutOneRecord) {
  Fill(20000);
  history.BeforeChange(10000, 1);
  doc.SubtitleTable[10000].Text = "x";
  EXPECT_LT(history.Bytes(), 400u);
}

TEST_F(HistoryTest, MemoryStaysWithinItsBoundAtTwentyThousandSubtitles) {
  Fill(20000, std::string(40, 'w'));
  for (int round = 0; round < 40; ++round) {
    history.BeforeWholeChange();
    for (int i = 1; i <= doc.SubtitleCount; ++i) doc.SubtitleTable[i].StartFrame += 1;
    EXPECT_LE(history.Bytes(), DocumentHistory::kDefaultByteLimit);
  }
  EXPECT_LE(history.Bytes(), DocumentHistory::kDefaultByteLimit);
  EXPECT_LE(DocumentHistory::kDefaultByteLimit, size_t{64} << 20);
  EXPECT_GE(history.UndoSteps(), 10u);
  // The newest steps are the ones kept.
  const int32_t frame = doc.SubtitleTable[1].StartFrame;
  history.Undo();
  EXPECT_EQ(doc.SubtitleTable[1].StartFrame, frame - 1);
}

TEST_F(HistoryTest, ModifiedFollowsTheStepsSinceTheLastOpenOrSave) {
  int told = 0;
  history.SetOnChange([&] { ++told; });
  Fill(3);
  history.Clear();  // as opened
  EXPECT_FALSE(history.IsModified());
  history.BeforeChange(2, 1);  // a change that changes nothing is no step
  history.Complete();
  EXPECT_FALSE(history.IsModified());

  const auto change = [&](const char* text) {
    history.BeforeChange(2, 1);
    doc.SubtitleTable[2].Text = text;
    history.Complete();
  };
  change("a");
  EXPECT_TRUE(history.IsModified());
  history.Undo();  // back to the opened state
  EXPECT_FALSE(history.IsModified());
  history.Redo();
  EXPECT_TRUE(history.IsModified());
  change("b");
  history.MarkSaved();
  EXPECT_FALSE(history.IsModified());
  history.Undo();  // before the save
  EXPECT_TRUE(history.IsModified());
  history.Redo();
  EXPECT_FALSE(history.IsModified());
  change("c");
  history.Undo();
  EXPECT_FALSE(history.IsModified());
  change("d");  // drops the redo step; "saved" is now only reachable by undo
  EXPECT_TRUE(history.IsModified());
  history.Undo();
  EXPECT_FALSE(history.IsModified());
  EXPECT_GE(told, 12);

  // A pending step counts as soon as it is asked about.
  history.BeforeChange(1, 1);
  doc.SubtitleTable[1].Text = "e";
  EXPECT_TRUE(history.IsModified());
  history.Clear();
  EXPECT_FALSE(history.IsModified());
}

TEST_F(HistoryTest, ModifiedStaysTrueWhenTheStepsBackToTheSavedStateAreDropped) {
  // A tiny byte limit keeps only the latest step: undoing it cannot reach the opened state.
  DocumentHistory small(doc, 1);
  Fill(3);
  small.Clear();
  for (const char* text : {"a", "b", "c"}) {
    small.BeforeChange(1, 1);
    doc.SubtitleTable[1].Text = text;
    small.Complete();
  }
  EXPECT_EQ(small.UndoSteps(), 1u);
  small.Undo();
  EXPECT_FALSE(small.CanUndo());
  EXPECT_EQ(doc.SubtitleTable[1].Text, "b");
  EXPECT_TRUE(small.IsModified());
}

TEST_F(HistoryTest, RestoredRecordsGetTheTimingFormTheTableHoldsSince) {
  // A frame-based document: a subtitle removed, then the clock form completed for the rest.
  Fill(3);
  doc.StoredMode = kModeFrames;
  doc.FrameRate = 25;
  Remove(2);
  history.Complete();
  CompleteTable(doc, [] { return std::optional<double>(25.0); });
  history.Undo();
  EXPECT_EQ(doc.StoredMode, kModeBoth);
  EXPECT_EQ(doc.SubtitleTable[2].StartFrame, 200);
  EXPECT_EQ(doc.SubtitleTable[2].StartSecond, 8);  // 200 frames at 25 per second
  EXPECT_EQ(doc.SubtitleTable[2].EndMs, "000");
}

}  // namespace
}  // namespace qm
