#pragma once
// The text a reader reads, handed out as far as it has been decoded. A Windows-1250 file is
// decoded piece by piece as a reader gets there, and a mapped UTF-8 file is handed out piece
// by piece, so that a reader that stops early (the table is full) neither decodes nor keeps
// in memory the rest of a large file; every other text is all there from the start. What has
// been handed out never moves, so readers may keep views of it.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_bytes.h"

namespace qm {

class TextFeed {
 public:
  // The bytes from `from` on, as they are (UTF-8 text, or the 16-bit formats' UTF-16LE).
  explicit TextFeed(FileBytes bytes, size_t from = 0);
  explicit TextFeed(std::string text);
  // Windows-1250 bytes from `from` on, decoded into UTF-8 as they are asked for.
  static std::unique_ptr<TextFeed> Windows1250(FileBytes bytes, size_t from);
  ~TextFeed();

  TextFeed(const TextFeed&) = delete;
  TextFeed& operator=(const TextFeed&) = delete;

  const char* Data() const { return m_data; }
  size_t Size() const { return m_size; }
  // Hands out the next piece; false when the whole text is there already.
  bool Grow();
  // The whole text, to its end.
  std::string_view All();

 private:
  enum class Kind { Whole, MappedUtf8, Windows1250 };
  TextFeed() = default;

  Kind m_kind = Kind::Whole;
  FileBytes m_raw;
  size_t m_rawPos = 0;  // the first raw byte not yet handed out
  std::string m_owned;
  char* m_decoded = nullptr;  // m_room bytes, from the heap or mapped
  size_t m_room = 0;
  bool m_roomMapped = false;
  const char* m_data = nullptr;
  size_t m_size = 0;
};

}  // namespace qm
