#include "document/editor_rules.h"

#include <algorithm>

#include "platform/numbers.h"
#include "platform/utf8.h"

namespace qm {

std::string EditorTextOf(std::string_view subtitleText) {
  std::string text(subtitleText);
  std::replace(text.begin(), text.end(), '|', '\n');
  return text;
}

std::string SubtitleTextOf(std::string_view editorText) {
  if (!editorText.empty() && editorText.back() == '\n') editorText.remove_suffix(1);
  std::string text(editorText);
  std::erase(text, '\r');
  std::replace(text.begin(), text.end(), '\n', '|');
  return text;
}

int32_t EditorLineCount(std::string_view editorText) {
  if (editorText.empty()) return 0;
  if (editorText.back() == '\n') editorText.remove_suffix(1);
  return 1 + static_cast<int32_t>(std::count(editorText.begin(), editorText.end(), '\n'));
}

TSubtitle EditorRecord(SubtitleDocument& doc, int32_t slot, std::string text, const EditorTimes& editor) {
  // StoreEditorTimes works on a record of the document: build in the slot, then put it back.
  TSubtitle kept = doc.SubtitleTable[slot];
  struct PutBack {
    TSubtitle& slot;
    TSubtitle& kept;
    ~PutBack() { slot = std::move(kept); }
  } putBack{doc.SubtitleTable[slot], kept};
  doc.SubtitleTable[slot].Text = std::move(text);
  StoreEditorTimes(doc, slot, doc.FrameRate, editor);
  TSubtitle record = doc.SubtitleTable[slot];
  if (doc.TimeMode == kModeClock) {
    SubtitleTimeText(record, kShowTime, true, ',', true);
    SubtitleTimeText(record, kHideTime, true, ',', true);
  }
  return record;
}

std::string EditorDurationText(const EditorTimes& e, uint8_t timeMode) {
  TSubtitle r;
  r.StartFrame = e.StartFrame;
  r.EndFrame = e.EndFrame;
  if (timeMode != kModeFrames) ReadEditorClockFields(r, e);
  return DurationText(r, timeMode);
}

int32_t MostLines(const SubtitleDocument& doc) {
  int32_t most = 0;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i)
    most = std::max(most, CountLines(doc.SubtitleTable[i].Text));
  return most;
}

std::optional<int32_t> JumpToNumber(std::string& digits, char typed, int32_t count) {
  if (typed >= '0' && typed <= '9') digits += typed;
  if (digits.empty()) return std::nullopt;
  const std::optional<int32_t> number = digits.size() <= 9 ? TryStrToInt(digits) : std::nullopt;
  if (!number || *number < 1 || *number > count) {
    digits.clear();
    return std::nullopt;
  }
  return number;
}

int32_t GridRowHeight(double points) { return RoundToInt(points * 1.4 + 4); }

std::optional<TextSelection> EditorSelectionOfHit(std::string_view needle, std::string_view haystack,
                                                  bool caseSensitive) {
  const std::string wanted = caseSensitive ? std::string(needle) : UpperCaseBasicLatin(needle);
  const std::string text = caseSensitive ? std::string(haystack) : UpperCaseBasicLatin(haystack);
  const size_t position = wanted.empty() ? std::string::npos : text.find(wanted);
  if (position == std::string::npos) return std::nullopt;
  return TextSelection{static_cast<int32_t>(CountCharacters(std::string_view(text).substr(0, position))),
                       static_cast<int32_t>(CountCharacters(wanted))};
}

}  // namespace qm
