#pragma once
// Checks shared by every fuzz target: only the product's own error may escape a reader, and
// the table never holds more than it can.

#include <cstdlib>
#include <cstdio>

#include "document/subtitle_document.h"

namespace qm::fuzz {

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
  }
}

inline void CheckTable(const SubtitleDocument& doc) {
  Require(doc.SubtitleCount >= 0 && doc.SubtitleCount <= MaxSubtitles, "SubtitleCount within the table");
}

}  // namespace qm::fuzz
