#pragma once
// Recognises a subtitle file's format from its lines; the user never names it. The lines are
// those of the decoded text, so the format is found the same in every encoding.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace qm {

class ByteStream;

// 0..10, or 13 when not recognised, for a text decoded into UTF-8: from its start, line by
// line, as far as a line decides.
uint8_t DetectFormatInText(std::string_view utf8);
uint8_t DetectFormatInStream(ByteStream& lines);
// The three 16-bit formats' own pattern on UTF-16LE bytes: when the first line begins as
// theirs do (a digit, then the byte 0, at least 48 bytes), the format its tabs name (8, 9, 10,
// or 13 with neither); nullopt for any other file.
std::optional<uint8_t> DetectSixteenBitFormat(std::string_view bytesLe);

// The file's (or bytes') format after finding its encoding, or with the encoding given.
// Fails like ReadWholeFile when the file cannot be read.
uint8_t DetectFormat(const std::string& fileName, const std::optional<TextEncoding>& encoding = std::nullopt);
uint8_t DetectFormatInBytes(std::string_view bytes,
                            const std::optional<TextEncoding>& encoding = std::nullopt);

}  // namespace qm
