#pragma once
// Recognises a subtitle file's format from its lines; the user never names it.

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// 0..10, or 13 when not recognised. Fails like ReadWholeFile when the file cannot be read.
uint8_t DetectFormat(const std::string& fileName);
uint8_t DetectFormatInBytes(std::string_view bytes);

// A UTF-8 byte-order mark in front of single-byte text is not part of its first line.
std::string_view SkipUtf8Bom(std::string_view bytes);

}  // namespace qm
