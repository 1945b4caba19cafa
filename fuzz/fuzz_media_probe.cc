// The film probe on arbitrary bytes: a container kind, and a rate that is either absent or
// a plausible number of frames per second.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_common.h"
#include "media/media_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qm::fuzz::Require(qm::SniffContainer(bytes) <= qm::MediaContainer::Mp3, "container kind in range");
  if (const auto rate = qm::ProbeFrameRate(bytes))
    qm::fuzz::Require(*rate > 0 && *rate <= 300, "rate in range");
  return 0;
}
