#pragma once
// Writing the whole table in one of the eleven layouts. Nothing is converted: the caller
// makes sure the table holds the timing form that the layout reads.

#include <cstdint>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"

namespace qm {

// The file's bytes for layout 0..10. Layouts 11 (SAMI) and 12 (RadLight) have no output
// form and fail with ErrorKind::Unsupported. A clock field out of range fails with
// "Invalid argument to time encode".
std::string WriteSubtitles(const SubtitleDocument& doc, uint8_t layout);

// WriteSubtitles, then an atomic replace of fileName (used exactly as given). Any failure
// leaves an existing file byte-for-byte as it was.
void SaveSubtitles(const SubtitleDocument& doc, uint8_t layout, const std::string& fileName);

// Each Windows-1250 character as the two bytes of its code from CharToUnicode, low byte first.
std::string StringToUnicode(std::string_view text);

}  // namespace qm
