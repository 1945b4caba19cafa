#pragma once
// The milliseconds of a subtitle's clock, kept as the text a file or the user gave: nearly
// always three digits, yet any text must survive. Up to seven bytes live in the record
// itself, so a record stays small (most of what a 20000-subtitle table costs is its memory);
// a longer text takes memory of its own.

#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace qm {

class MsText {
 public:
  MsText() noexcept { SetInline("000", 3); }
  MsText(std::string_view text) { Assign(text); }               // NOLINT: a text is a milliseconds text
  MsText(const char* text) : MsText(std::string_view(text)) {}  // NOLINT
  MsText(const std::string& text) : MsText(std::string_view(text)) {}  // NOLINT
  MsText(const MsText& other) { Assign(other.View()); }
  MsText(MsText&& other) noexcept {
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    other.SetInline("", 0);
  }
  ~MsText() { Release(); }

  MsText& operator=(const MsText& other) { return *this = other.View(); }
  MsText& operator=(MsText&& other) noexcept;
  MsText& operator=(std::string_view text) {
    if (text.size() > kInlineBytes) return AssignLong(text);
    // The text may lie in this one's own bytes or memory: it is copied before the memory goes.
    const char* old = IsInline() ? nullptr : HeapBlock();
    SetInline(text.data(), text.size());
    delete[] old;
    return *this;
  }
  MsText& operator=(const std::string& text) { return *this = std::string_view(text); }
  MsText& operator=(const char* text) { return *this = std::string_view(text); }
  void assign(const char* text, size_t size) { *this = std::string_view(text, size); }

  std::string_view View() const noexcept {
    if (IsInline()) return {reinterpret_cast<const char*>(m_bytes) + 1, static_cast<size_t>(m_bytes[0] >> 1)};
    const char* block = HeapBlock();
    size_t size;
    std::memcpy(&size, block, sizeof size);
    return {block + sizeof size, size};
  }
  operator std::string_view() const noexcept { return View(); }  // NOLINT
  operator std::string() const { return std::string(View()); }   // NOLINT
  size_t size() const noexcept { return View().size(); }
  bool empty() const noexcept { return View().empty(); }
  const char* data() const noexcept { return View().data(); }
  char operator[](size_t at) const noexcept { return View()[at]; }

  friend bool operator==(const MsText& a, const MsText& b) noexcept { return a.View() == b.View(); }
  friend bool operator==(const MsText& a, std::string_view b) noexcept { return a.View() == b; }
  friend bool operator==(const MsText& a, const std::string& b) noexcept { return a.View() == b; }
  friend bool operator==(const MsText& a, const char* b) noexcept { return a.View() == b; }

 private:
  static constexpr size_t kInlineBytes = 7;
  // Inline: byte 0 holds twice the length plus one, bytes 1-7 the text. Otherwise the bytes
  // are a pointer (even, as every allocation is) to a block of the length and the text.
  bool IsInline() const noexcept { return (m_bytes[0] & 1) != 0; }
  const char* HeapBlock() const noexcept {
    const char* block;
    std::memcpy(&block, m_bytes, sizeof block);
    return block;
  }
  void SetInline(const char* text, size_t size) noexcept {
    m_bytes[0] = static_cast<unsigned char>(size << 1 | 1);
    std::memmove(m_bytes + 1, text, size);  // the text may be these very bytes
  }
  void Assign(std::string_view text);
  MsText& AssignLong(std::string_view text);
  void Release() noexcept {
    if (!IsInline()) delete[] HeapBlock();
  }

  alignas(8) unsigned char m_bytes[8];
};

std::ostream& operator<<(std::ostream& out, const MsText& text);

}  // namespace qm
