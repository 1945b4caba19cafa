#include "formats/text_feed.h"

#include <algorithm>
#include <memory>

#include "platform/cp1250.h"

namespace qm {
namespace {

// Raw bytes handed out per piece: large enough that a reader rarely waits on one, small
// enough that a reader stopping early leaves most of a large file untouched.
constexpr size_t kPiece = size_t{64} << 10;
// How much of a Windows-1250 file is looked through ahead to size its decoded text.
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
  // Room for the whole file: counted for its first megabytes, three bytes a character beyond,
  // so that a large file is not read through before a reader stops in it. The pages of a
  // block this large are taken as they are written; freed after the load, the block is where
  // the output is then laid out, so it is sized close to what it holds.
  const std::string_view body = feed->m_raw.View().substr(feed->m_rawPos);
  const std::string_view counted = body.substr(0, kCountedRoom);
  feed->m_room = Cp1250AsUtf8Room(counted) + 3 * (body.size() - counted.size()) + 8;
  feed->m_decoded = new char[feed->m_room];
  feed->m_data = feed->m_decoded;
  return feed;
}

TextFeed::~TextFeed() { delete[] m_decoded; }

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
