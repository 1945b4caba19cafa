#include "platform/errors.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(EscapeControls, ControlCharactersBecomeEscapesAndTextStays) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"plain name.srt", "plain name.srt"},
      {"a\tb\nc\rd", "a\\tb\\nc\\rd"},
      {"\x1b]2;title\x07", "\\x1b]2;title\\x07"},
      {std::string("\0\x1f\x7f", 3), "\\x00\\x1f\\x7f"},
      {"\xC2\x9B"
       "2J",
       "\\u009b2J"},                                       // CSI as UTF-8
      {"čeština ů \\ \xC2\xA0", "čeština ů \\ \xC2\xA0"},  // letters, backslash, no-break space
      {"\xC2", "\xC2"},                                    // a lone lead byte at the end
  };
  for (const auto& c : cases) EXPECT_EQ(EscapeControls(c.in), c.out) << c.out;
}

TEST(EscapeControls, MessagesQuotingAFilesTextEscapeIt) {
  try {
    ThrowNotInteger("1\x1b[2J");
    FAIL();
  } catch (const QuillmarkError& e) {
    EXPECT_STREQ(e.what(), "'1\\x1b[2J' is not a valid integer value");
  }
}

}  // namespace
}  // namespace qm
