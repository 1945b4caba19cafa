#pragma once
// The tools of the "Úpravy titulků" page as pure functions over the document: the changes
// pass (replace, trim, overlap repair), deleting blank subtitles, accent removal and line
// wrapping.

#include <cstdint>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"

namespace qm {

// The controls of the "Změny" group.
struct TextChanges {
  std::string Find;          // EditString1
  std::string Replacement;   // EditString2
  bool TrimEnds = true;      // CheckBoxDeleteLastEmptyChars
  bool RepairHiding = true;  // CheckBoxRepairHiding
};

// For every subtitle in order: replace (case-sensitive, ReplaceAll's rules), then trim trailing
// tabs, CRs, blanks and "|" when asked; after all of them, repair overlaps when asked.
void ApplyTextChanges(SubtitleDocument& doc, const TextChanges& changes);

// Each subtitle's hide time is pulled back to the next subtitle's show time where it is later,
// for neighbours in table order. Frames and clock times are compared and repaired
// independently; clock times in whole milliseconds; equal times are no overlap. A clock field
// out of range stops the repair at that pair with "Invalid argument to time encode"; the pairs
// before it stay repaired.
void RepairOverlaps(SubtitleDocument& doc);

// Deletes the blank subtitles and stores the new count in doc.SubtitleCount. The two counts
// tell the grid which rows to empty (Before + 1 .. After is nothing when they are equal).
struct SubtitleCountChange {
  int32_t Before = 0;
  int32_t After = 0;
};
SubtitleCountChange DeleteBlankSubtitles(SubtitleDocument& doc);

// RemoveAccents on every subtitle.
void RemoveAccentsFromAll(SubtitleDocument& doc);

// Breaks the lines of one subtitle text so that a line holds about `maxChars` characters:
// a line is broken at the last blank, tab, "-" or "." once more than that many characters of it
// were read; existing "|" restart the count; nothing is broken inside quotes ('...' or "..."),
// and an unmatched quote stops breaking for the rest of the text. No break is added right
// before an existing one, so wrapping never makes an empty line. A width below 1 is refused.
std::string WrapSubtitleLines(std::string_view text, int32_t maxChars);
// WrapSubtitleLines on every subtitle; the width is checked before anything changes.
void WrapAllSubtitleLines(SubtitleDocument& doc, int32_t maxChars);

}  // namespace qm
