#pragma once
// Checks shared by every fuzz target: only the product's own error may escape a reader, and
// the table never holds more than it can.

#include <cstdio>
#include <cstdlib>

#include "document/subtitle_document.h"

namespace qm::fuzz {

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
  }
}

// Clears only the slots the last input used; a whole new table per input would cost more
// than the reading itself.
inline void ResetDocument(SubtitleDocument& doc) {
  for (int32_t i = 1; i <= doc.SubtitleCount && i <= MaxSubtitles; ++i) doc.SubtitleTable[i] = TSubtitle{};
  if (doc.SubtitleCount < MaxSubtitles) doc.SubtitleTable[doc.SubtitleCount + 1] = TSubtitle{};
  doc.SubtitleCount = 0;
}

inline void CheckTable(const SubtitleDocument& doc) {
  Require(doc.SubtitleCount >= 0 && doc.SubtitleCount <= MaxSubtitles, "SubtitleCount within the table");
}

}  // namespace qm::fuzz
