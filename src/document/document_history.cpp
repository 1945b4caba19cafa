#include "document/document_history.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "document/subtitles_tool.h"

namespace qm {
namespace {

constexpr size_t kNumbers = 8;

void AppendNumber(std::string& bytes, uint32_t value) {
  char raw[sizeof value];
  std::memcpy(raw, &value, sizeof value);
  bytes.append(raw, sizeof value);
}

uint32_t ReadNumber(const char*& at) {
  uint32_t value = 0;
  std::memcpy(&value, at, sizeof value);
  at += sizeof value;
  return value;
}

std::string_view ReadText(const char*& at) {
  const uint32_t size = ReadNumber(at);
  const std::string_view text(at, size);
  at += size;
  return text;
}

std::array<int32_t, kNumbers> NumbersOf(const TSubtitle& r) {
  return {r.StartFrame,  r.EndFrame,  r.StartHour,   r.EndHour,
          r.StartMinute, r.EndMinute, r.StartSecond, r.EndSecond};
}

}  // namespace

void PackedRecords::Append(const TSubtitle& record) {
  m_offsets.push_back(static_cast<uint32_t>(m_bytes.size()));
  for (const int32_t number : NumbersOf(record)) AppendNumber(m_bytes, static_cast<uint32_t>(number));
  for (const std::string_view text :
       {record.StartMs.View(), record.EndMs.View(), std::string_view(record.Text)}) {
    AppendNumber(m_bytes, static_cast<uint32_t>(text.size()));
    m_bytes += text;
  }
}

TSubtitle PackedRecords::At(size_t index) const {
  const char* at = m_bytes.data() + m_offsets.at(index);
  TSubtitle r;
  for (int32_t* field : {&r.StartFrame, &r.EndFrame, &r.StartHour, &r.EndHour, &r.StartMinute, &r.EndMinute,
                         &r.StartSecond, &r.EndSecond})
    *field = static_cast<int32_t>(ReadNumber(at));
  r.StartMs = ReadText(at);
  r.EndMs = ReadText(at);
  r.Text = ReadText(at);
  return r;
}

bool PackedRecords::Equals(size_t index, const TSubtitle& record) const {
  const char* at = m_bytes.data() + m_offsets.at(index);
  for (const int32_t number : NumbersOf(record))
    if (static_cast<int32_t>(ReadNumber(at)) != number) return false;
  return ReadText(at) == record.StartMs && ReadText(at) == record.EndMs && ReadText(at) == record.Text;
}

void PackedRecords::Trim(size_t front, size_t back) {
  if (front + back >= m_offsets.size()) {
    *this = PackedRecords{};
    return;
  }
  const size_t begin = m_offsets[front];
  const size_t keep = m_offsets.size() - back;
  const size_t end = keep < m_offsets.size() ? m_offsets[keep] : m_bytes.size();
  m_bytes = m_bytes.substr(begin, end - begin);
  m_offsets.erase(m_offsets.begin() + static_cast<std::ptrdiff_t>(keep), m_offsets.end());
  m_offsets.erase(m_offsets.begin(), m_offsets.begin() + static_cast<std::ptrdiff_t>(front));
  for (uint32_t& offset : m_offsets) offset -= static_cast<uint32_t>(begin);
}

void PackedRecords::ShrinkToFit() {
  m_bytes.shrink_to_fit();
  m_offsets.shrink_to_fit();
}

DocumentModes ModesOf(const SubtitleDocument& doc) {
  return {doc.SubtitleCount, doc.TimeMode, doc.StoredMode, doc.FrameRate, doc.FrameRateConfirmed};
}

DocumentHistory::DocumentHistory(SubtitleDocument& doc, size_t byteLimit)
    : m_doc(doc), m_byteLimit(byteLimit) {}

HistoryStep DocumentHistory::Capture(int32_t first, int32_t count) const {
  HistoryStep step;
  step.At = first;
  for (int32_t i = first; i < first + count; ++i) step.Records.Append(m_doc.SubtitleTable[i]);
  step.Records.ShrinkToFit();
  step.CapturedStoredMode = m_doc.StoredMode;
  step.Restore = ModesOf(m_doc);
  return step;
}

void DocumentHistory::BeforeChange(int32_t first, int32_t count) {
  Complete();
  first = std::clamp(first, 1, MaxSubtitles);
  count = std::clamp(count, 0, std::max(0, m_doc.SubtitleCount - first + 1));
  m_pending.push_back({Capture(first, count), m_doc.SubtitleCount});
  KeepWithinLimit();
}

void DocumentHistory::Complete() {
  if (m_pending.empty()) return;
  Pending pending = std::move(m_pending.back());
  m_pending.clear();
  HistoryStep& step = pending.Step;
  const int32_t before = static_cast<int32_t>(step.Records.Size());
  const int32_t after = std::clamp(before + m_doc.SubtitleCount - pending.CountBefore, 0,
                                   std::max(0, m_doc.SubtitleCount - step.At + 1));
  // Only the records that differ are kept: a tool that touched three subtitles of 20000
  // costs three records.
  int32_t front = 0;
  while (front < std::min(before, after) && step.Records.Equals(front, m_doc.SubtitleTable[step.At + front]))
    ++front;
  int32_t back = 0;
  while (back < std::min(before, after) - front &&
         step.Records.Equals(before - 1 - back, m_doc.SubtitleTable[step.At + after - 1 - back]))
    ++back;
  step.Records.Trim(front, back);
  step.Records.ShrinkToFit();
  step.At += front;
  step.Replaced = after - front - back;
  step.Leave = ModesOf(m_doc);
  if (step.Records.Size() == 0 && step.Replaced == 0 && step.Restore == step.Leave) return;
  step.Serial = m_nextSerial++;
  m_undo.push_back(std::move(step));
  m_redo.clear();
  KeepWithinLimit();
  Changed();
}

bool DocumentHistory::CanUndo() {
  Complete();
  return !m_undo.empty();
}

bool DocumentHistory::CanRedo() {
  Complete();
  return !m_redo.empty();
}

size_t DocumentHistory::UndoSteps() {
  Complete();
  return m_undo.size();
}

int32_t DocumentHistory::Undo() {
  Complete();
  return Apply(m_undo, m_redo);
}

int32_t DocumentHistory::Redo() {
  Complete();
  return Apply(m_redo, m_undo);
}

void DocumentHistory::Clear() {
  m_undo.clear();
  m_redo.clear();
  m_pending.clear();
  m_baseSerial = m_savedSerial = m_nextSerial++;
  Changed();
}

bool DocumentHistory::IsModified() {
  Complete();
  return CurrentSerial() != m_savedSerial;
}

void DocumentHistory::MarkSaved() {
  Complete();
  m_savedSerial = CurrentSerial();
  Changed();
}

int32_t DocumentHistory::Apply(std::vector<HistoryStep>& from, std::vector<HistoryStep>& to) {
  if (from.empty()) return 0;
  HistoryStep step = std::move(from.back());
  from.pop_back();
  HistoryStep reverse = Capture(step.At, step.Replaced);
  reverse.Replaced = static_cast<int32_t>(step.Records.Size());
  reverse.Restore = step.Leave;
  reverse.Leave = step.Restore;
  // An undone step waits among the redo steps under its own name; the state it came from is
  // then named by the undo step below it.
  reverse.Serial = step.Serial;
  Restore(step);
  to.push_back(std::move(reverse));
  KeepWithinLimit();
  Changed();
  return step.At;
}

void DocumentHistory::Restore(HistoryStep& step) {
  SubtitleDocument& doc = m_doc;
  const int32_t put = static_cast<int32_t>(step.Records.Size());
  const int32_t oldCount = doc.SubtitleCount;
  const int32_t newCount = oldCount + put - step.Replaced;
  const int32_t tail = step.At + step.Replaced;  // first record that moves
  auto& table = doc.SubtitleTable;
  if (put > step.Replaced)
    for (int32_t i = oldCount; i >= tail; --i) table[i + put - step.Replaced] = std::move(table[i]);
  else if (put < step.Replaced)
    for (int32_t i = tail; i <= oldCount; ++i) table[i + put - step.Replaced] = std::move(table[i]);
  for (int32_t i = newCount + 1; i <= oldCount; ++i) ClearSubtitle(doc, i);
  for (int32_t i = 0; i < put; ++i) table[step.At + i] = step.Records.At(static_cast<size_t>(i));
  doc.SubtitleCount = newCount;

  // Only what the step itself changed goes back: a view switch made since then stays.
  const DocumentModes& to = step.Restore;
  const DocumentModes& from = step.Leave;
  if (to.TimeMode != from.TimeMode) doc.TimeMode = to.TimeMode;
  if (to.StoredMode != from.StoredMode) doc.StoredMode = to.StoredMode;
  if (to.FrameRate != from.FrameRate) doc.FrameRate = to.FrameRate;
  if (to.FrameRateConfirmed != from.FrameRateConfirmed) doc.FrameRateConfirmed = to.FrameRateConfirmed;

  // Records taken while the table held one timing form get the other one derived, when the
  // table has held both forms since.
  const uint8_t captured = step.CapturedStoredMode;
  if (captured != kModeBoth && captured != doc.StoredMode) {
    for (int32_t i = step.At; i < step.At + put; ++i) try {
        if (captured == kModeFrames) FramesToClock(doc, i, true, true, doc.FrameRate);
        if (captured == kModeClock) ClockToFrames(doc, i, true, true, doc.FrameRate);
      } catch (const std::exception&) {
        // A record that cannot convert keeps the form it was taken in.
      }
  }
  if (doc.StoredMode != kModeBoth && doc.StoredMode != doc.TimeMode) doc.TimeMode = doc.StoredMode;
}

size_t DocumentHistory::Bytes() const {
  size_t bytes = 0;
  for (const auto* steps : {&m_undo, &m_redo})
    for (const HistoryStep& step : *steps) bytes += step.Bytes();
  for (const Pending& pending : m_pending) bytes += pending.Step.Bytes();
  return bytes;
}

void DocumentHistory::KeepWithinLimit() {
  // The oldest undo steps go first, then the farthest redo steps; the latest of each stays.
  while (Bytes() > m_byteLimit && m_undo.size() > 1) {
    m_baseSerial = m_undo.front().Serial;
    m_undo.erase(m_undo.begin());
  }
  while (Bytes() > m_byteLimit && m_redo.size() > 1) m_redo.erase(m_redo.begin());
}

}  // namespace qm
