// One reader (QM_FUZZ_FORMAT, or the detector's choice when it is -1) on arbitrary bytes,
// then every writer on what was read. Only QuillmarkError may escape, with the table intact.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "formats/detect.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "fuzz_common.h"
#include "platform/errors.h"

#ifndef QM_FUZZ_FORMAT
#error "QM_FUZZ_FORMAT must name the format number (-1: let the detector choose)"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto doc = std::make_unique<qm::SubtitleDocument>();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const int chosen = QM_FUZZ_FORMAT < 0 ? qm::DetectFormatInBytes(bytes) : QM_FUZZ_FORMAT;
  qm::fuzz::ResetDocument(*doc);
  try {
    qm::LoadSubtitlesFromBytes(*doc, static_cast<uint8_t>(chosen), bytes);
  } catch (const qm::QuillmarkError&) {
    // The product's message for a malformed number; what was read stays.
  }
  qm::fuzz::CheckTable(*doc);
  for (uint8_t layout = 0; layout <= 10; ++layout) {
    try {
      (void)qm::WriteSubtitles(*doc, layout);
    } catch (const qm::QuillmarkError&) {
      // A clock field out of range cannot be written; the writer says so.
    }
  }
  return 0;
}
