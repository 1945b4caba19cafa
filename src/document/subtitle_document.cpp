#include "document/subtitle_document.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/errors.h"

namespace qm {

void TSubtitleTable::ThrowOutsideTable(int32_t index) {
  throw QuillmarkError(ErrorKind::TableFull, "Subtitle index " + std::to_string(index) +
                                                 " is outside the table of 20000 subtitles");
}

const TSubtitle& TSubtitleTable::EmptySlot() {
  static const TSubtitle kEmpty;
  return kEmpty;
}

void TSubtitleTable::Clear() {
  for (auto& block : m_blocks) block.reset();
  m_textChunks.clear();
  m_textFree = nullptr, m_textLeft = 0;
}

void TSubtitleTable::KeepText(SubtitleText& text, std::string_view kept) {
  constexpr size_t kChunk = 64 << 10;
  if (kept.empty() || kept.size() > UINT32_MAX) {
    text = kept;
    return;
  }
  if (kept.size() > m_textLeft) {
    // A text longer than a chunk gets one of its own; the rest of the current one stays.
    const size_t size = std::max(kChunk, kept.size());
    m_textChunks.emplace_back(new char[size]);
    m_textFree = m_textChunks.back().get(), m_textLeft = size;
  }
  std::memcpy(m_textFree, kept.data(), kept.size());
  text.PointAt({m_textFree, kept.size()});
  m_textFree += kept.size(), m_textLeft -= kept.size();
}

}  // namespace qm
