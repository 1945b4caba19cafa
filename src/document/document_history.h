#pragma once
// Undo and redo of the document: each step keeps only the records that a change replaced
// (packed into one buffer) and the document's modes before and after it, so that a change of
// one subtitle costs about one record and a whole-document tool costs one packed copy.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/subtitle_document.h"

namespace qm {

// The document's values besides its records that a step can change.
struct DocumentModes {
  int32_t SubtitleCount = 0;
  uint8_t TimeMode = kModeFrames;
  uint8_t StoredMode = kModeBoth;
  double FrameRate = 23.976;
  bool FrameRateConfirmed = false;
  bool operator==(const DocumentModes&) const = default;
};

// Records packed one after another: eight 32-bit numbers, then the two millisecond texts and
// the text, each with its 32-bit length.
class PackedRecords {
 public:
  void Append(const TSubtitle& record);
  TSubtitle At(size_t index) const;
  bool Equals(size_t index, const TSubtitle& record) const;
  size_t Size() const { return m_offsets.size(); }
  size_t Bytes() const { return m_bytes.capacity() + m_offsets.capacity() * sizeof(uint32_t); }
  void ShrinkToFit();
  // Drops `front` records at the start and `back` at the end.
  void Trim(size_t front, size_t back);

 private:
  std::string m_bytes;
  std::vector<uint32_t> m_offsets;
};

// What undo (or redo) puts back: `Records` go in at slot `At` in place of the `Replaced`
// records that stand there now.
struct HistoryStep {
  int32_t At = 1;
  int32_t Replaced = 0;
  PackedRecords Records;
  uint8_t CapturedStoredMode = kModeBoth;  // the form the packed records were taken in
  DocumentModes Restore;                   // the modes to go back to
  DocumentModes Leave;                     // the modes the step left behind
  uint64_t Serial = 0;                     // names the state the step leads to
  size_t Bytes() const { return Records.Bytes() + sizeof(HistoryStep); }
};

class DocumentHistory {
 public:
  // At 20000 subtitles of ordinary length this keeps about a dozen whole-document steps.
  static constexpr size_t kDefaultByteLimit = size_t{40} << 20;

  explicit DocumentHistory(SubtitleDocument& doc, size_t byteLimit = kDefaultByteLimit);

  // Before records first..first+count-1 are replaced; how many stand in their place when the
  // change is done follows from the change of SubtitleCount. The step is completed by the
  // next call on the history, so a change that fails half-way is undone as far as it went.
  void BeforeChange(int32_t first, int32_t count);
  // Before a tool that may change any record, the count and the modes.
  void BeforeWholeChange() { BeforeChange(1, m_doc.SubtitleCount); }
  // Completes the step begun last. Call it before the document changes outside the history
  // (the frames/clock switch completing the table), so that the change is not taken as part
  // of the step.
  void Complete();

  bool CanUndo();
  bool CanRedo();
  // Both return the first slot that changed, or 0 when there was nothing to do.
  int32_t Undo();
  int32_t Redo();
  // A newly opened document starts with no history, and as saved.
  void Clear();

  // Whether the document differs from its state when it was last opened or saved: a change
  // the history recorded since then, which undoing back to that state takes away again.
  bool IsModified();
  // The document as it stands was just saved.
  void MarkSaved();
  // Called whenever IsModified may have changed (a step recorded, undone or redone, a clear,
  // a save).
  void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

  size_t UndoSteps();
  size_t RedoSteps() const { return m_redo.size(); }
  size_t Bytes() const;

 private:
  struct Pending {
    HistoryStep Step;
    int32_t CountBefore = 0;
  };
  int32_t Apply(std::vector<HistoryStep>& from, std::vector<HistoryStep>& to);
  void Restore(HistoryStep& step);
  HistoryStep Capture(int32_t first, int32_t count) const;
  void KeepWithinLimit();
  // The state the document is in: the last undo step's, or the one before every step kept.
  uint64_t CurrentSerial() const { return m_undo.empty() ? m_baseSerial : m_undo.back().Serial; }
  void Changed() const {
    if (m_onChange) m_onChange();
  }

  SubtitleDocument& m_doc;
  size_t m_byteLimit;
  std::vector<HistoryStep> m_undo;
  std::vector<HistoryStep> m_redo;
  std::vector<Pending> m_pending;  // at most one
  uint64_t m_nextSerial = 1;
  uint64_t m_baseSerial = 0;   // the state before the oldest undo step kept
  uint64_t m_savedSerial = 0;  // the state last opened or saved
  std::function<void()> m_onChange;
};

DocumentModes ModesOf(const SubtitleDocument& doc);

}  // namespace qm
