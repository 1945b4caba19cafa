#include "document/ms_text.h"

#include <ostream>

namespace qm {

void MsText::Assign(std::string_view text) {
  if (text.size() <= kInlineBytes) {
    SetInline(text.data(), text.size());
    return;
  }
  const size_t size = text.size();
  char* block = new char[sizeof size + size];
  std::memcpy(block, &size, sizeof size);
  std::memcpy(block + sizeof size, text.data(), size);
  std::memcpy(m_bytes, &block, sizeof block);
}

MsText& MsText::operator=(MsText&& other) noexcept {
  if (this != &other) {
    Release();
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    other.SetInline("", 0);
  }
  return *this;
}

MsText& MsText::AssignLong(std::string_view text) {
  // The text may be this one's own; it is copied before the old memory goes.
  MsText copy(text);
  return *this = std::move(copy);
}

std::ostream& operator<<(std::ostream& out, const MsText& text) { return out << text.View(); }

}  // namespace qm
