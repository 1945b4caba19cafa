#include "platform/errors.h"

#include <cerrno>

namespace qm {

namespace {

// Built by appending: GCC 12 warns falsely (-Wrestrict) on "'" + text + "...".
std::string Quoted(const std::string& text, const char* tail) {
  std::string message(1, '\'');
  message.append(text).append(tail);
  return message;
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

}  // namespace qm
