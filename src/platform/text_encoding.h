#pragma once
// A file's text encoding: UTF-8 or UTF-16 with or without a byte-order mark, our own
// Windows-1250 table, or any other code page through glibc's iconv. Files are decoded into
// UTF-8 when read and encoded from it when written; nothing in between knows the difference.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct TextEncoding {
  // Lower case: "utf-8", "utf-16le", "utf-16be", "windows-1250", or an iconv name such as
  // "windows-1252".
  std::string Name = "windows-1250";
  bool Bom = false;

  bool operator==(const TextEncoding&) const = default;
};

TextEncoding Windows1250Encoding();
TextEncoding Utf8Encoding(bool bom = false);
TextEncoding Utf16LeEncoding(bool bom = true);
TextEncoding Utf16BeEncoding(bool bom = true);

bool IsUtf16(const TextEncoding& encoding);

// The name as the converter prints it: "utf-8-bom" for UTF-8 with a mark, else the name.
std::string EncodingDisplayName(const TextEncoding& encoding);

// A name as a user gives it, in any letter case: "auto" (nullopt), "utf-8", "utf-8-bom",
// "utf-16le" and "utf-16be" (both with a mark), "windows-1250" (also "cp1250"), or any name
// iconv knows. Throws QuillmarkError for a name that is none of these.
std::optional<TextEncoding> ParseEncodingName(std::string_view name);
// As ParseEncodingName, for reading: the UTF-16 forms then read with or without a mark.
std::optional<TextEncoding> ParseReadEncodingName(std::string_view name);

// The encoding a byte-order mark names, with the mark's length; nullopt without one.
struct BomMatch {
  TextEncoding Encoding;
  size_t Length = 0;
};
std::optional<BomMatch> DetectBom(std::string_view bytes);
// The bytes after a mark of exactly this encoding, or all of them.
std::string_view SkipBomOf(const TextEncoding& encoding, std::string_view bytes);

// Bytes (without their mark) into UTF-8. Sequences the encoding does not define become U+FFFD;
// the five bytes that Windows-1250 leaves undefined map to U+0081, U+0083, U+0088, U+0090 and
// U+0098, so that every byte survives.
std::string DecodeText(std::string_view bytes, const TextEncoding& encoding);

// UTF-8 into the encoding, with its mark when Bom is set. A character the encoding cannot
// hold stops the encoding: the result is empty and `failure` tells where.
struct EncodeFailure {
  size_t Offset = 0;  // byte offset in the UTF-8 text
  char32_t Character = 0;
};
std::optional<std::string> EncodeText(std::string_view utf8, const TextEncoding& encoding,
                                      EncodeFailure* failure = nullptr);
// Whether the encoding can hold every character of the text; `failure` as above.
bool CanEncode(std::string_view utf8, const TextEncoding& encoding, EncodeFailure* failure = nullptr);

// The lists a user picks an encoding from, as their items read; each item is also a name
// ParseEncodingName takes. Opening: "Auto", the UTF forms (with or without a mark, as the
// file has it), then the code pages. Saving (after the list's own "as the file" item):
// "UTF-8", "UTF-8 BOM", "UTF-16LE", "UTF-16BE", then the same code pages.
const std::vector<std::string>& OpenEncodingItems();
const std::vector<std::string>& SaveEncodingItems();

// The UTF-16LE code units of a UTF-8 text, characters beyond U+FFFF as surrogate pairs.
void AppendUtf16Le(std::string& out, std::string_view utf8);

// "U+2013"
std::string CodePointName(char32_t code);

}  // namespace qm
