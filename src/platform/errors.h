#pragma once
// Failures carry the exact text that the user is shown ("File not found",
// "'x' is not a valid integer value", ...), so that every caller reports them the same way.

#include <stdexcept>
#include <string>

namespace qm {

enum class ErrorKind {
  Conversion,   // a text that is not a number, a clock field out of range
  InOut,        // a file that cannot be opened, read or written
  Arithmetic,   // a frame rate of zero, a result beyond the integer range
  TableFull,    // more subtitles than the table holds
  Unsupported,  // a format that has no reader or writer
  Encoding,     // a character that the chosen text encoding cannot hold
  NothingRead,  // a recognised file of which its reader made no subtitle
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

}  // namespace qm
