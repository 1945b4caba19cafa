#pragma once
// Find: the walk from the grid's current row to the next subtitle whose text holds the searched
// text, and where the hit lies in the editor, whose lines are joined by CR LF instead of "|".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"

namespace qm {

enum class SearchDirection { Up, Down };  // RadioGroupSmer: item 0 up, item 1 down

// What the case-insensitive search compares: only a..z become A..Z; accented letters stay.
std::string UpperCaseBasicLatin(std::string_view text);

// A selection in the editor's text, counted in characters from 0.
struct TextSelection {
  int32_t Start = 0;
  int32_t Length = 0;
  bool operator==(const TextSelection&) const = default;
};

// The selection of the first occurrence of `needle` in the subtitle text `haystack`; every "|"
// before and inside it counts as the editor's two-character line break. Nothing when the needle
// is empty or absent.
std::optional<TextSelection> SelectFoundText(std::string_view needle, std::string_view haystack);

struct FoundSubtitle {
  int32_t Row = 0;  // 1-based subtitle number, the grid's new current row
  TextSelection Selection;
};

// Searches the subtitle texts from the neighbour of `currentRow` towards the first or the last
// subtitle (the current row itself only when it is already at that edge), without wrapping
// around. Nothing when no text holds the needle, when the needle is empty or the document is.
std::optional<FoundSubtitle> FindSubtitleText(const SubtitleDocument& doc, int32_t currentRow,
                                              std::string_view needle, bool caseSensitive,
                                              SearchDirection direction);

}  // namespace qm
