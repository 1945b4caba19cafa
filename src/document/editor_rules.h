#pragma once
// The editor page's rules that need no window: subtitle text and editor lines, the record
// the timing fields describe, the jump to a typed number and the grid's row height.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/search.h"
#include "document/subtitles_tool.h"

namespace qm {

// The editor shows one line per subtitle line: every "|" becomes a line break.
std::string EditorTextOf(std::string_view subtitleText);
// The editor's lines joined by "|"; a line break at the very end starts no further line.
std::string SubtitleTextOf(std::string_view editorText);
// How many lines the editor holds by that rule: 0 when empty, "a\n" is one line.
int32_t EditorLineCount(std::string_view editorText);

// The record that StoreEditorTimes(slot, FrameRate) makes of the editor's fields and `text`;
// the slot itself is left as it was. A field that is not a number, or a clock time that
// cannot be shown, fails here with the product's message before anything changes.
TSubtitle EditorRecord(SubtitleDocument& doc, int32_t slot, std::string text, const EditorTimes& editor);

// The duration that EditDiference shows for the editor's fields (millisecond digits through
// MsFromDigits).
std::string EditorDurationText(const EditorTimes& editor, uint8_t timeMode);

// 1 plus the most "|" in any subtitle's text; 0 for an empty document.
int32_t MostLines(const SubtitleDocument& doc);

// A digit typed into the grid: appended to `digits`; the subtitle to jump to, or nothing (and
// the digits dropped) when the number lies outside 1..count.
std::optional<int32_t> JumpToNumber(std::string& digits, char typed, int32_t count);

// Grid row height for a font of this many points: points x 1.4 + 4, halves to even.
int32_t GridRowHeight(double points);

// Where the search's hit lies in the editor, whose line breaks are one character each:
// `caseSensitive` as the search compared.
std::optional<TextSelection> EditorSelectionOfHit(std::string_view needle, std::string_view haystack,
                                                  bool caseSensitive);

}  // namespace qm
