#pragma once
// A subtitle's text: UTF-8, lines joined by "|". A text read from a file lies in the table's
// text store, one buffer for all the texts of the file, and the record only points at it; a
// text set or edited afterwards is the record's own. So reading 20000 subtitles takes no
// allocation per subtitle, and a record stays small. Only the table's slots point into its
// store: a record copied or moved anywhere owns its text, so it may outlive the table.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace qm {

class SubtitleText {
 public:
  SubtitleText() noexcept = default;
  SubtitleText(std::string_view text) { *this = text; }                            // NOLINT: a text
  SubtitleText(const char* text) : SubtitleText(std::string_view(text)) {}         // NOLINT
  SubtitleText(const std::string& text) : SubtitleText(std::string_view(text)) {}  // NOLINT
  SubtitleText(std::string&& text) { *this = std::move(text); }                    // NOLINT
  SubtitleText(const SubtitleText& other) : SubtitleText(other.View()) {}
  SubtitleText(SubtitleText&& other) { Take(other); }
  ~SubtitleText() { Release(); }

  SubtitleText& operator=(const SubtitleText& other) { return *this = other.View(); }
  SubtitleText& operator=(SubtitleText&& other);
  SubtitleText& operator=(std::string_view text);
  SubtitleText& operator=(const std::string& text) { return *this = std::string_view(text); }
  SubtitleText& operator=(const char* text) { return *this = std::string_view(text); }
  SubtitleText& operator=(std::string&& text);
  SubtitleText& operator+=(std::string_view more) {
    Edit() += more;
    return *this;
  }
  SubtitleText& operator+=(char more) {
    Edit() += more;
    return *this;
  }

  // The text to change in place; from then on the record's own.
  std::string& Edit();
  // Points at `kept`, which its owner (the table's text store) keeps unchanged for as long as
  // this text may be read.
  void PointAt(std::string_view kept) noexcept {
    Release();
    m_data = kept.data(), m_size = static_cast<uint32_t>(kept.size());
  }

  std::string_view View() const noexcept {
    return m_owned ? std::string_view(*static_cast<const std::string*>(m_data))
                   : std::string_view(static_cast<const char*>(m_data), m_size);
  }
  operator std::string_view() const noexcept { return View(); }  // NOLINT
  explicit operator std::string() const { return std::string(View()); }
  size_t size() const noexcept { return View().size(); }
  bool empty() const noexcept { return View().empty(); }
  const char* data() const noexcept { return View().data(); }
  char operator[](size_t at) const noexcept { return View()[at]; }
  auto begin() const noexcept { return View().begin(); }
  auto end() const noexcept { return View().end(); }
  std::string substr(size_t from, size_t count = std::string::npos) const {
    return std::string(View().substr(from, count));
  }
  size_t find(std::string_view what, size_t from = 0) const noexcept { return View().find(what, from); }
  size_t find(char what, size_t from = 0) const noexcept { return View().find(what, from); }

  friend bool operator==(const SubtitleText& a, const SubtitleText& b) noexcept {
    return a.View() == b.View();
  }
  friend bool operator==(const SubtitleText& a, std::string_view b) noexcept { return a.View() == b; }
  friend bool operator==(const SubtitleText& a, const std::string& b) noexcept { return a.View() == b; }
  friend bool operator==(const SubtitleText& a, const char* b) noexcept { return a.View() == b; }

 private:
  std::string* Own() const noexcept { return static_cast<std::string*>(const_cast<void*>(m_data)); }
  void Release() noexcept {
    if (m_owned) delete Own();
    m_data = "", m_size = 0, m_owned = false;
  }
  void Take(SubtitleText& other);

  // A kept text (m_size bytes), or the record's own std::string when m_owned.
  const void* m_data = "";
  uint32_t m_size = 0;
  bool m_owned = false;
};

std::ostream& operator<<(std::ostream& out, const SubtitleText& text);

}  // namespace qm
