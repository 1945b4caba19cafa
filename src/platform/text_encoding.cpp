#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/utf8.h"

namespace qm {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// "UTF-8 BOM" as a list shows it is "utf-8-bom" as a command line gives it.
std::string NormalisedName(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c == ' ') c = '-';
  }
  return lower;
}

// The code pages offered after the UTF forms: Central European first, then the other
// European and the Middle Eastern ones, then the East Asian ones.
constexpr const char* kCodePages[] = {
    "Windows-1250", "Windows-1252", "ISO-8859-2",   "Windows-1251", "ISO-8859-1",
    "ISO-8859-15",  "Windows-1253", "Windows-1254", "Windows-1257", "KOI8-R",
    "Shift_JIS",    "EUC-JP",       "GB18030",      "Big5",         "EUC-KR",
};

std::string_view BomOf(const TextEncoding& encoding) {
  if (encoding.Name == "utf-8") return kUtf8Bom;
  if (encoding.Name == "utf-16le") return kUtf16LeBom;
  if (encoding.Name == "utf-16be") return kUtf16BeBom;
  return {};
}

// One conversion descriptor of glibc's iconv, closed on every way out.
class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (Valid()) iconv_close(m_cd);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; returns the input offset where it stopped (the size when
  // everything was converted) and appends the output.
  size_t Convert(std::string_view input, std::string& out) {
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[16384];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      const size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<size_t>(outPtr - buffer));
      if (result == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    return input.size() - inLeft;
  }

 private:
  iconv_t m_cd;
};

void CheckIconvName(const std::string& name) {
  if (!Iconv(name, "UTF-8").Valid())
    throw QuillmarkError(ErrorKind::Unsupported, "Unknown text encoding '" + EscapeControls(name) + "'");
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
  };
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    char32_t code = unit(2 * i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units) {
      const char32_t low = unit(2 * i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) code = kReplacementCharacter;  // a lone surrogate
    AppendCodePoint(out, code);
  }
  if (bytes.size() % 2) AppendCodePoint(out, kReplacementCharacter);  // half a character
  return out;
}

std::string DecodeWithIconv(std::string_view bytes, const std::string& name) {
  Iconv converter("UTF-8", name);
  if (!converter.Valid()) CheckIconvName(name);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  while (!bytes.empty()) {
    const size_t done = converter.Convert(bytes, out);
    bytes.remove_prefix(done);
    if (!bytes.empty()) {  // a byte this code page does not define
      AppendCodePoint(out, kReplacementCharacter);
      bytes.remove_prefix(1);
    }
  }
  return out;
}

bool EncodeCp1250(std::string_view utf8, std::string& out, EncodeFailure* failure) {
  size_t failedAt = 0;
  if (EncodeUtf8AsCp1250(utf8, out, &failedAt)) return true;
  if (failure) {
    size_t pos = failedAt;
    *failure = {failedAt, NextCodePoint(utf8, pos)};
  }
  return false;
}

void AppendUtf16Be(std::string& out, std::string_view utf8) {
  std::string little;
  AppendUtf16Le(little, utf8);
  for (size_t i = 0; i + 1 < little.size(); i += 2) {
    out += little[i + 1];
    out += little[i];
  }
}

bool EncodeWithIconv(std::string_view utf8, const std::string& name, std::string& out,
                     EncodeFailure* failure) {
  Iconv converter(name, "UTF-8");
  if (!converter.Valid()) CheckIconvName(name);
  const size_t done = converter.Convert(utf8, out);
  if (done == utf8.size()) return true;
  if (failure) {
    size_t pos = done;
    *failure = {done, NextCodePoint(utf8, pos)};
  }
  return false;
}

}  // namespace

TextEncoding Windows1250Encoding() { return {"windows-1250", false}; }
TextEncoding Utf8Encoding(bool bom) { return {"utf-8", bom}; }
TextEncoding Utf16LeEncoding(bool bom) { return {"utf-16le", bom}; }
TextEncoding Utf16BeEncoding(bool bom) { return {"utf-16be", bom}; }

bool IsUtf16(const TextEncoding& encoding) {
  return encoding.Name == "utf-16le" || encoding.Name == "utf-16be";
}

std::string EncodingDisplayName(const TextEncoding& encoding) {
  return encoding.Name == "utf-8" && encoding.Bom ? "utf-8-bom" : encoding.Name;
}

std::optional<TextEncoding> ParseEncodingName(std::string_view given) {
  const std::string name = NormalisedName(given);
  if (name == "auto") return std::nullopt;
  if (name == "utf-8" || name == "utf8") return Utf8Encoding(false);
  if (name == "utf-8-bom" || name == "utf8-bom") return Utf8Encoding(true);
  if (name == "utf-16le") return Utf16LeEncoding(true);
  if (name == "utf-16be") return Utf16BeEncoding(true);
  if (name == "windows-1250" || name == "cp1250") return Windows1250Encoding();
  if (name.empty()) throw QuillmarkError(ErrorKind::Unsupported, "An encoding name is needed");
  CheckIconvName(name);
  return TextEncoding{name, false};
}

std::optional<TextEncoding> ParseReadEncodingName(std::string_view given) {
  std::optional<TextEncoding> encoding = ParseEncodingName(given);
  if (encoding) encoding->Bom = false;
  return encoding;
}

std::optional<BomMatch> DetectBom(std::string_view bytes) {
  if (bytes.substr(0, 3) == kUtf8Bom) return BomMatch{Utf8Encoding(true), 3};
  if (bytes.substr(0, 2) == kUtf16LeBom) return BomMatch{Utf16LeEncoding(true), 2};
  if (bytes.substr(0, 2) == kUtf16BeBom) return BomMatch{Utf16BeEncoding(true), 2};
  return std::nullopt;
}

std::string_view SkipBomOf(const TextEncoding& encoding, std::string_view bytes) {
  const std::string_view bom = BomOf(encoding);
  return !bom.empty() && bytes.substr(0, bom.size()) == bom ? bytes.substr(bom.size()) : bytes;
}

std::string DecodeText(std::string_view bytes, const TextEncoding& encoding) {
  if (encoding.Name == "utf-8") return SanitizeUtf8(bytes);
  if (encoding.Name == "windows-1250") return Cp1250ToUtf8(bytes);
  if (encoding.Name == "utf-16le") return DecodeUtf16(bytes, false);
  if (encoding.Name == "utf-16be") return DecodeUtf16(bytes, true);
  return DecodeWithIconv(bytes, encoding.Name);
}

std::optional<std::string> EncodeText(std::string_view utf8, const TextEncoding& encoding,
                                      EncodeFailure* failure) {
  std::string out;
  if (encoding.Bom) out = BomOf(encoding);
  if (encoding.Name == "utf-8") {
    out.append(utf8);
    return out;
  }
  if (encoding.Name == "utf-16le") {
    AppendUtf16Le(out, utf8);
    return out;
  }
  if (encoding.Name == "utf-16be") {
    AppendUtf16Be(out, utf8);
    return out;
  }
  out.reserve(out.size() + utf8.size());
  const bool done = encoding.Name == "windows-1250" ? EncodeCp1250(utf8, out, failure)
                                                    : EncodeWithIconv(utf8, encoding.Name, out, failure);
  if (!done) return std::nullopt;
  return out;
}

bool CanEncode(std::string_view utf8, const TextEncoding& encoding, EncodeFailure* failure) {
  if (encoding.Name == "utf-8" || IsUtf16(encoding) || IsAscii(utf8)) return true;
  return EncodeText(utf8, encoding, failure).has_value();
}

const std::vector<std::string>& OpenEncodingItems() {
  static const auto items = [] {
    std::vector<std::string> list = {"Auto", "UTF-8", "UTF-16LE", "UTF-16BE"};
    list.insert(list.end(), std::begin(kCodePages), std::end(kCodePages));
    return list;
  }();
  return items;
}

const std::vector<std::string>& SaveEncodingItems() {
  static const auto items = [] {
    std::vector<std::string> list = {"UTF-8", "UTF-8 BOM", "UTF-16LE", "UTF-16BE"};
    list.insert(list.end(), std::begin(kCodePages), std::end(kCodePages));
    return list;
  }();
  return items;
}

void AppendUtf16Le(std::string& out, std::string_view utf8) {
  out.reserve(out.size() + 2 * utf8.size());
  const auto unit = [&out](char32_t code) {
    out += static_cast<char>(code & 0xFF);
    out += static_cast<char>(code >> 8);
  };
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t code = NextCodePoint(utf8, pos);
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
  }
}

std::string CodePointName(char32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
  return text;
}

}  // namespace qm
