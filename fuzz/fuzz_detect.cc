// The detector on arbitrary bytes: always 0..10 or 13.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/detect.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t format = qm::DetectFormatInBytes({reinterpret_cast<const char*>(data), size});
  qm::fuzz::Require(format <= 10 || format == 13, "detector result in range");
  return 0;
}
