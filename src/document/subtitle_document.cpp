#include "document/subtitle_document.h"

#include "platform/errors.h"

namespace qm {

namespace {

void CheckIndex(int32_t index) {
  if (index < 1 || index > MaxSubtitles)
    throw QuillmarkError(ErrorKind::TableFull, "Subtitle index " + std::to_string(index) +
                                                   " is outside the table of 20000 subtitles");
}

}  // namespace

TSubtitle& TSubtitleTable::operator[](int32_t index) {
  CheckIndex(index);
  std::unique_ptr<TSubtitle[]>& block = m_blocks[(index - 1) / kBlock];
  if (!block) block.reset(new TSubtitle[kBlock]);
  return block[(index - 1) % kBlock];
}

const TSubtitle& TSubtitleTable::operator[](int32_t index) const {
  CheckIndex(index);
  static const TSubtitle kEmpty;
  const std::unique_ptr<TSubtitle[]>& block = m_blocks[(index - 1) / kBlock];
  return block ? block[(index - 1) % kBlock] : kEmpty;
}

void TSubtitleTable::Clear() {
  for (auto& block : m_blocks) block.reset();
}

}  // namespace qm
