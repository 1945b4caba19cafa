#include "document/subtitle_document.h"

#include "platform/errors.h"

namespace qm {

TSubtitleTable::TSubtitleTable() : m_slots(new TSubtitle[MaxSubtitles]) {}

TSubtitle& TSubtitleTable::operator[](int32_t index) {
  if (index < 1 || index > MaxSubtitles)
    throw QuillmarkError(ErrorKind::TableFull, "Subtitle index " + std::to_string(index) +
                                                   " is outside the table of 20000 subtitles");
  return m_slots[index - 1];
}

const TSubtitle& TSubtitleTable::operator[](int32_t index) const {
  return const_cast<TSubtitleTable&>(*this)[index];
}

}  // namespace qm
