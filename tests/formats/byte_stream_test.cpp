// The readers' line primitives: a line's text ends at its first CR or LF wherever that falls
// (the search takes sixteen bytes at a time), and what follows is consumed as each defines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/reader_support.h"

namespace qm {
namespace {

// The lines ReadLine gives, by the rule itself: text to the first CR or LF, consumed up to and
// including the next LF.
std::vector<std::string> LinesByRule(std::string_view text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    lines.emplace_back(text.substr(pos, end - pos));
    const size_t lf = text.find('\n', end);
    pos = lf == std::string_view::npos ? text.size() : lf + 1;
  }
  return lines;
}

TEST(ByteStream, LinesEndAtTheFirstCrOrLfWhereverItFalls) {
  const std::string ends[] = {"\n", "\r\n", "\r", "\r\r\n", "\rx\n", "\n\r", ""};
  uint32_t seed = 99;
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    while (text.size() < 200) {
      seed = seed * 1664525u + 1013904223u;
      text += std::string(seed >> 26, static_cast<char>('a' + seed % 26)) + "ž" +
              ends[(seed >> 8) % std::size(ends)];
    }
    ByteStream lines(text);
    std::vector<std::string> read;
    while (!lines.Eof()) read.emplace_back(lines.ReadLine());
    ASSERT_EQ(read, LinesByRule(text)) << text;

    ByteStream toEnd(text);  // consumes only the CR or LF that ends the text
    std::string rebuilt;
    while (!toEnd.Eof()) {
      const std::string_view part = toEnd.ReadToLineEnd();
      ASSERT_EQ(part.find_first_of("\r\n"), std::string_view::npos);
      rebuilt.append(part);
      if (rebuilt.size() == text.size()) break;
      ASSERT_TRUE(text[rebuilt.size()] == '\r' || text[rebuilt.size()] == '\n');
      rebuilt += text[rebuilt.size()];
    }
    ASSERT_EQ(rebuilt, text);
  }
}

}  // namespace
}  // namespace qm
