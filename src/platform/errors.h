#pragma once
// Failures carry the exact text that the user is shown ("File not found",
// "'x' is not a valid integer value", ...), so that every caller reports them the same way.

#include <stdexcept>
#include <string>
#include <string_view>

namespace qm {

enum class ErrorKind {
  Conversion,   // a text that is not a number, a clock field out of range
  InOut,        // a file that cannot be opened, read or written
  Arithmetic,   // a frame rate of zero, a result beyond the integer range
  TableFull,    // more subtitles than the table holds
  Unsupported,  // a format that has no reader or writer
  Encoding,     // a character that the chosen text encoding cannot hold
  NothingRead,  // a recognised file of which its reader made no subtitle
  TooLarge,     // a file above the size that is read at all
};

class QuillmarkError : public std::runtime_error {
 public:
  QuillmarkError(ErrorKind kind, const std::string& message) : std::runtime_error(message), m_kind(kind) {}
  ErrorKind Kind() const { return m_kind; }

 private:
  ErrorKind m_kind;
};

[[noreturn]] void ThrowNotInteger(const std::string& text);
[[noreturn]] void ThrowNotFloat(const std::string& text);
[[noreturn]] void ThrowTimeEncode();
// The platform-style message for an errno value: "File not found", "I/O error 5", ...
std::string InOutMessage(int errorNumber);
[[noreturn]] void ThrowInOut(int errorNumber);
// "File too large: the limit is 64 MiB".
[[noreturn]] void ThrowTooLarge();

// A file's text or name made safe to show: control characters are written as escapes
// (TAB "\t", LF "\n", CR "\r", ESC "\x1b", a C1 control in UTF-8 "\u009b"), so that
// the bytes of a file can neither move a terminal's cursor nor fake a line of output.
std::string EscapeControls(std::string_view text);

}  // namespace qm
