#include "document/search.h"

#include <algorithm>

#include "platform/utf8.h"

namespace qm {
namespace {

char UpperBasicLatin(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Position (from 0) of the first occurrence, compared as the search compares.
std::optional<size_t> FindIn(std::string_view haystack, std::string_view needle, bool caseSensitive) {
  if (needle.empty()) return std::nullopt;
  const auto hit = caseSensitive
                       ? std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end())
                       : std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                                     [](char a, char b) { return UpperBasicLatin(a) == UpperBasicLatin(b); });
  if (hit == haystack.end()) return std::nullopt;
  return static_cast<size_t>(hit - haystack.begin());
}

int32_t BarsIn(std::string_view text) {
  return static_cast<int32_t>(std::count(text.begin(), text.end(), '|'));
}

TextSelection SelectionAt(std::string_view haystack, size_t position, size_t length) {
  const std::string_view before = haystack.substr(0, position);
  const std::string_view hit = haystack.substr(position, length);
  return {static_cast<int32_t>(CountCharacters(before)) + BarsIn(before),
          static_cast<int32_t>(CountCharacters(hit)) + BarsIn(hit)};
}

}  // namespace

std::string UpperCaseBasicLatin(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), UpperBasicLatin);
  return upper;
}

std::optional<TextSelection> SelectFoundText(std::string_view needle, std::string_view haystack) {
  const auto position = FindIn(haystack, needle, true);
  if (!position) return std::nullopt;
  return SelectionAt(haystack, *position, needle.size());
}

std::optional<FoundSubtitle> FindSubtitleText(const SubtitleDocument& doc, int32_t currentRow,
                                              std::string_view needle, bool caseSensitive,
                                              SearchDirection direction) {
  const int32_t count = doc.SubtitleCount;
  if (count <= 0 || needle.empty()) return std::nullopt;
  const bool up = direction == SearchDirection::Up;
  const int32_t edge = up ? 1 : count;
  int32_t row = std::clamp(currentRow, 1, count);
  for (;;) {
    if (row != edge) row += up ? -1 : 1;
    const std::string_view text = doc.SubtitleTable[row].Text;
    if (const auto position = FindIn(text, needle, caseSensitive))
      return FoundSubtitle{row, SelectionAt(text, *position, needle.size())};
    if (row == edge) return std::nullopt;
  }
}

}  // namespace qm
