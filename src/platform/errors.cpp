#include "platform/errors.h"

#include <cerrno>

namespace qm {

namespace {

// Built by appending: GCC 12 warns falsely (-Wrestrict) on "'" + text + "...".
std::string Quoted(const std::string& text, const char* tail) {
  std::string message(1, '\'');
  message.append(EscapeControls(text)).append(tail);
  return message;
}

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
  static const char kHex[] = "0123456789abcdef";
  out += prefix;
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

void ThrowNotInteger(const std::string& text) {
  throw QuillmarkError(ErrorKind::Conversion, Quoted(text, "' is not a valid integer value"));
}

void ThrowNotFloat(const std::string& text) {
  throw QuillmarkError(ErrorKind::Conversion, Quoted(text, "' is not a valid floating point value"));
}

void ThrowTimeEncode() { throw QuillmarkError(ErrorKind::Conversion, "Invalid argument to time encode"); }

std::string InOutMessage(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(errorNumber);
  }
}

void ThrowInOut(int errorNumber) { throw QuillmarkError(ErrorKind::InOut, InOutMessage(errorNumber)); }

void ThrowTooLarge() { throw QuillmarkError(ErrorKind::TooLarge, "File too large: the limit is 64 MiB"); }

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      AppendHex(out, "\\x", c, 2);
    } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      // U+0080..U+009F: terminals take some of them (CSI, OSC) as the start of a command.
      AppendHex(out, "\\u00", static_cast<unsigned char>(text[++i]), 2);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace qm
