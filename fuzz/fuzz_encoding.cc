// The text decoders and encoders on arbitrary bytes: the first byte picks one of the
// encodings a user can choose (or none, for the automatic choice of opening), the rest is a
// file. Decoding always gives valid UTF-8, and text that encodes decodes back to itself.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/subtitle_source.h"
#include "fuzz_common.h"
#include "platform/errors.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"

namespace {

using namespace qm;

// Every item of the save list (the UTF forms, with and without a mark, and the code pages).
const std::vector<TextEncoding>& Encodings() {
  static const auto list = [] {
    std::vector<TextEncoding> encodings;
    for (const std::string& item : SaveEncodingItems())
      if (const auto encoding = ParseEncodingName(item)) encodings.push_back(*encoding);
    encodings.push_back(Utf8Encoding(false));
    return encodings;
  }();
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto& encodings = Encodings();
  const size_t pick = data[0] % (encodings.size() + 1);
  if (pick == encodings.size()) {
    // Opening without a chosen encoding: BOM, the 16-bit pattern, UTF-8, else Windows-1250.
    const SubtitleSource source = PrepareSubtitleSource(std::string(bytes), std::nullopt);
    fuzz::Require(source.FormatIndex <= 10 || source.FormatIndex == 13, "format in range");
    // The 16-bit formats' readers alone take their UTF-16LE bytes; every other text is UTF-8.
    if (source.FormatIndex < 8 || source.FormatIndex > 10)
      fuzz::Require(IsValidUtf8(source.AllText()), "opened text is valid UTF-8");
    fuzz::Require(IsValidUtf8(SanitizeUtf8(bytes)), "sanitised text is valid UTF-8");
    return 0;
  }
  const TextEncoding& encoding = encodings[pick];
  const std::string text = DecodeText(SkipBomOf(encoding, bytes), encoding);
  fuzz::Require(IsValidUtf8(text), "decoded text is valid UTF-8");
  fuzz::Require(Utf32ToUtf8(Utf8ToUtf32(text)) == text, "UTF-32 round trip");
  EncodeFailure failure;
  const bool encodable = CanEncode(text, encoding, &failure);
  const std::optional<std::string> encoded = EncodeText(text, encoding, &failure);
  fuzz::Require(encodable == encoded.has_value(), "CanEncode agrees with EncodeText");
  if (encoded) {
    fuzz::Require(DecodeText(SkipBomOf(encoding, *encoded), encoding) == text, "encoded text decodes back");
  } else {
    fuzz::Require(failure.Offset < text.size(), "the failure points into the text");
  }
  return 0;
}
