#include "formats/text_feed.h"

#include <sys/mman.h>

#include <algorithm>
#include <memory>
#include <new>

#include "platform/cp1250.h"

namespace qm {
namespace {

// Raw bytes handed out per piece: large enough that a reader rarely waits on one, small
// enough that a reader stopping early leaves most of a large file untouched.
constexpr size_t kPiece = size_t{64} << 10;
// The largest Windows-1250 file that is looked through ahead to size its decoded text.
constexpr size_t kCountedRoom = size_t{4} << 20;

}  // namespace

TextFeed::TextFeed(FileBytes bytes, size_t from) : m_raw(std::move(bytes)) {
  const std::string_view view = m_raw.View();
  m_rawPos = std::min(from, view.size());
  m_data = view.data() + m_rawPos;
  if (m_raw.Mapped()) {
    m_kind = Kind::MappedUtf8;
    Grow();
  } else {
    m_size = view.size() - m_rawPos;
  }
}

TextFeed::TextFeed(std::string text) : m_owned(std::move(text)) {
  m_data = m_owned.data();
  m_size = m_owned.size();
}

std::unique_ptr<TextFeed> TextFeed::Windows1250(FileBytes bytes, size_t from) {
  std::unique_ptr<TextFeed> feed(new TextFeed());
  feed->m_kind = Kind::Windows1250;
  feed->m_raw = std::move(bytes);
  feed->m_rawPos = std::min(from, feed->m_raw.View().size());
  const std::string_view body = feed->m_raw.View().substr(feed->m_rawPos);
  if (body.size() <= kCountedRoom) {
    // Room for exactly what a file of a few megabytes can decode to, from the heap: once the
    // load frees it, the output is laid out there.
    feed->m_room = Cp1250AsUtf8Room(body) + 8;
    feed->m_decoded = new char[feed->m_room];
  } else {
    // A larger file may be read only in part (the table fills first): room at three bytes a
    // character, mapped apart from the heap, so that pages never written are never taken.
    feed->m_room = 3 * body.size() + 8;
    void* room = mmap(nullptr, feed->m_room, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (room == MAP_FAILED) throw std::bad_alloc();
    feed->m_decoded = static_cast<char*>(room);
    feed->m_roomMapped = true;
  }
  feed->m_data = feed->m_decoded;
  return feed;
}

TextFeed::~TextFeed() {
  if (m_roomMapped)
    munmap(m_decoded, m_room);
  else
    delete[] m_decoded;
}

bool TextFeed::Grow() {
  if (m_kind == Kind::Whole) return false;
  const std::string_view raw = m_raw.View();
  if (m_rawPos >= raw.size()) return false;
  const std::string_view piece = raw.substr(m_rawPos, kPiece);
  // Raw bytes already decoded, and UTF-8 a piece behind the reader, are done with: their
  // memory goes back while the file's bytes stay there to be read again.
  const size_t doneUpTo = m_kind == Kind::Windows1250 ? m_rawPos : m_rawPos - std::min(m_rawPos, kPiece);
  m_raw.Forget(doneUpTo - std::min(doneUpTo, kPiece), doneUpTo);
  if (m_kind == Kind::Windows1250)
    m_size += DecodeCp1250Into(piece, m_decoded + m_size);
  else
    m_size += piece.size();
  m_rawPos += piece.size();
  return true;
}

std::string_view TextFeed::All() {
  while (Grow()) {
  }
  return {m_data, m_size};
}

}  // namespace qm
