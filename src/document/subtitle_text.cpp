#include "document/subtitle_text.h"

#include <ostream>

namespace qm {

void SubtitleText::Take(SubtitleText& other) {
  if (!other.m_owned) {
    *this = other.View();  // a kept text is copied: the store stays behind with its table
  } else {
    Release();
    m_data = other.m_data, m_owned = true;
  }
  other.m_data = "", other.m_size = 0, other.m_owned = false;
}

SubtitleText& SubtitleText::operator=(SubtitleText&& other) {
  if (this != &other) Take(other);
  return *this;
}

SubtitleText& SubtitleText::operator=(std::string_view text) {
  if (text.empty()) {
    Release();
    return *this;
  }
  // The text may be this one's own: it is copied before the old one goes.
  return *this = std::string(text);
}

SubtitleText& SubtitleText::operator=(std::string&& text) {
  if (m_owned) {
    *Own() = std::move(text);
    return *this;
  }
  auto* own = new std::string(std::move(text));
  Release();
  m_data = own, m_owned = true;
  return *this;
}

std::string& SubtitleText::Edit() {
  if (!m_owned) *this = std::string(View());
  return *Own();
}

std::ostream& operator<<(std::ostream& out, const SubtitleText& text) { return out << text.View(); }

}  // namespace qm
