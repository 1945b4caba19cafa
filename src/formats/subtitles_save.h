#pragma once
// Writing the whole table in one of the eleven layouts. Nothing is converted: the caller
// makes sure the table holds the timing form that the layout reads.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/subtitle_document.h"
#include "platform/errors.h"
#include "platform/text_encoding.h"

namespace qm {

// A character that the output encoding cannot hold: nothing is written, and the user is told
// which subtitle holds which character.
class EncodingError : public QuillmarkError {
 public:
  EncodingError(int32_t subtitleNumber, char32_t character, const TextEncoding& encoding);
  int32_t SubtitleNumber() const { return m_subtitleNumber; }
  char32_t Character() const { return m_character; }
  const TextEncoding& Encoding() const { return m_encoding; }

 private:
  int32_t m_subtitleNumber;
  char32_t m_character;
  TextEncoding m_encoding;
};

// The message for the user from a template holding {number}, {character} and {encoding}.
inline constexpr const char* kEnglishCantEncode =
    "Subtitle {number} holds the character {character}, which {encoding} cannot hold. Choose UTF-8 to save "
    "it.";
std::string EncodingErrorText(std::string_view messageTemplate, const EncodingError& error);

struct EncodingProblem {
  int32_t SubtitleNumber = 0;
  char32_t Character = 0;
};
// The first subtitle (in table order) holding a character that `encoding` cannot hold.
std::optional<EncodingProblem> FindUnencodableCharacter(const SubtitleDocument& doc,
                                                        const TextEncoding& encoding);

// The file's bytes for layout 0..10 in `encoding` (without it, DefaultSaveEncoding). The
// three 16-bit layouts are always UTF-16LE without a byte-order mark. Layouts 11 (SAMI) and
// 12 (RadLight) have no output form and fail with ErrorKind::Unsupported. A clock field out
// of range fails with "Invalid argument to time encode"; a character the encoding cannot
// hold with EncodingError.
std::string WriteSubtitles(const SubtitleDocument& doc, uint8_t layout);
std::string WriteSubtitles(const SubtitleDocument& doc, uint8_t layout, const TextEncoding& encoding);

// WriteSubtitles, then an atomic replace of fileName (used exactly as given). Any failure
// leaves an existing file byte-for-byte as it was.
void SaveSubtitles(const SubtitleDocument& doc, uint8_t layout, const std::string& fileName);
void SaveSubtitles(const SubtitleDocument& doc, uint8_t layout, const std::string& fileName,
                   const TextEncoding& encoding);

// Each character as its UTF-16 code units, low byte first.
std::string StringToUnicode(std::string_view text);

}  // namespace qm
