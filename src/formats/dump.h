#pragma once
// The document as quillmark-convert --dump prints it and as golden files store it: one line
// per record, the index and the eleven fields separated by tabs.

#include <string>

#include "document/subtitle_document.h"

namespace qm {

// Numbers in decimal, StartMs/EndMs as stored, the text with "\", tab, CR and LF escaped as
// \\, \t, \r and \n and every other byte raw. Records 1..SubtitleCount.
std::string DumpDocument(const SubtitleDocument& doc);
std::string DumpRecord(int32_t index, const TSubtitle& record);

}  // namespace qm
