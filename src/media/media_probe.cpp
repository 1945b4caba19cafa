// Container headers read with bounds checks on every field: a damaged or hostile file gives
// no rate, never a read outside the bytes. AVI is little-endian RIFF chunks, Matroska is EBML
// (variable-length ids and sizes), MP4 is big-endian boxes.

#include "media/media_probe.h"

#include <array>
#include <cstring>
#include <fstream>

namespace qm {
namespace {

constexpr size_t kHeadBytes = size_t{4} << 20;  // the headers of AVI and Matroska stand here
constexpr uint64_t kMaxMovieBox = uint64_t{64} << 20;
constexpr int kMaxDepth = 8;
// Beyond this a header's rate is a writer's mistake, not a film's.
constexpr double kMaxRate = 300;

uint32_t U32Le(std::string_view b, size_t at) {
  if (at + 4 > b.size()) return 0;
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}

uint64_t UBe(std::string_view b, size_t at, size_t n) {
  if (at + n > b.size() || at + n < at) return 0;
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}

bool Tag(std::string_view b, size_t at, std::string_view tag) {
  return b.substr(std::min(at, b.size()), 4) == tag;
}

std::optional<double> Positive(double rate) {
  if (rate > 0 && rate <= kMaxRate) return rate;  // also refuses NaN
  return std::nullopt;
}

// --- AVI ----------------------------------------------------------------------------------

struct AviRates {
  std::optional<double> Stream;  // strh of the first video stream: dwRate / dwScale
  std::optional<double> Main;    // avih: 1e6 / dwMicroSecPerFrame
};

void WalkAvi(std::string_view b, size_t at, size_t end, int depth, AviRates& rates) {
  while (at + 8 <= end && !rates.Stream) {
    const uint64_t size = U32Le(b, at + 4);
    const size_t data = at + 8;
    const size_t dataEnd = static_cast<size_t>(std::min<uint64_t>(data + size, end));
    if (Tag(b, at, "LIST") && depth < kMaxDepth) {
      if (Tag(b, data, "movi")) return;  // the frames begin; no header follows
      WalkAvi(b, data + 4, dataEnd, depth + 1, rates);
    } else if (Tag(b, at, "avih") && dataEnd - data >= 4) {
      if (const uint32_t us = U32Le(b, data)) rates.Main = Positive(1e6 / us);
    } else if (Tag(b, at, "strh") && dataEnd - data >= 28 && Tag(b, data, "vids")) {
      const uint32_t scale = U32Le(b, data + 20), rate = U32Le(b, data + 24);
      if (scale && rate) rates.Stream = Positive(static_cast<double>(rate) / scale);
    }
    at = data + static_cast<size_t>(std::min<uint64_t>(size + (size & 1), end - data));
  }
}

std::optional<double> ProbeAvi(std::string_view b) {
  AviRates rates;
  WalkAvi(b, 12, b.size(), 0, rates);
  return rates.Stream ? rates.Stream : rates.Main;
}

// --- Matroska -----------------------------------------------------------------------------

constexpr uint64_t kUnknownSize = ~uint64_t{0};
enum : uint32_t {
  kEbml = 0x1A45DFA3,
  kSegment = 0x18538067,
  kTracks = 0x1654AE6B,
  kTrackEntry = 0xAE,
  kTrackType = 0x83,
  kDefaultDuration = 0x23E383,
  kVideo = 0xE0,
  kFrameRate = 0x2383E3,
  kCluster = 0x1F43B675,
};

struct Element {
  uint32_t Id = 0;
  uint64_t Size = 0;  // kUnknownSize when the writer left it open
  size_t Data = 0;
};

// Length of a variable-length number from its first byte: the count of leading zero bits + 1.
int VintLength(uint8_t first, int maxLength) {
  for (int n = 1; n <= maxLength; ++n)
    if (first & (0x80 >> (n - 1))) return n;
  return 0;
}

std::optional<Element> ReadElement(std::string_view b, size_t at) {
  if (at >= b.size()) return std::nullopt;
  const int idLength = VintLength(static_cast<uint8_t>(b[at]), 4);
  if (!idLength || at + idLength >= b.size()) return std::nullopt;
  Element e;
  e.Id = static_cast<uint32_t>(UBe(b, at, idLength));
  const size_t sizeAt = at + idLength;
  const int sizeLength = VintLength(static_cast<uint8_t>(b[sizeAt]), 8);
  if (!sizeLength || sizeAt + sizeLength > b.size()) return std::nullopt;
  const uint64_t mask = (uint64_t{1} << (7 * sizeLength)) - 1;  // drops the length marker
  const uint64_t raw = UBe(b, sizeAt, sizeLength);
  e.Size = (raw & mask) == mask ? kUnknownSize : raw & mask;
  e.Data = sizeAt + sizeLength;
  return e;
}

size_t EndOf(const Element& e, size_t limit) {
  return e.Size == kUnknownSize || e.Size > limit - e.Data ? limit : e.Data + static_cast<size_t>(e.Size);
}

double FloatBe(std::string_view b, size_t at, uint64_t size) {
  if (size == 4) {
    const auto bits = static_cast<uint32_t>(UBe(b, at, 4));
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  if (size == 8) {
    const uint64_t bits = UBe(b, at, 8);
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
  }
  return 0;
}

std::optional<double> TrackRate(std::string_view b, size_t at, size_t end) {
  uint64_t type = 0, frameNs = 0;
  double stated = 0;
  while (const auto e = ReadElement(b, at)) {
    if (e->Data > end) break;
    const size_t next = EndOf(*e, end);
    if (e->Id == kTrackType && e->Size <= 8) type = UBe(b, e->Data, static_cast<size_t>(e->Size));
    if (e->Id == kDefaultDuration && e->Size <= 8) frameNs = UBe(b, e->Data, static_cast<size_t>(e->Size));
    for (size_t v = e->Data; e->Id == kVideo && v < next;) {
      const auto inner = ReadElement(b, v);
      if (!inner || inner->Data > next) break;
      if (inner->Id == kFrameRate) stated = FloatBe(b, inner->Data, inner->Size);
      v = EndOf(*inner, next);
    }
    if (next >= end) break;
    at = next;
  }
  if (type != 1) return std::nullopt;
  if (frameNs) return Positive(1e9 / static_cast<double>(frameNs));
  return Positive(stated);
}

std::optional<double> ProbeMatroska(std::string_view b) {
  size_t at = 0, end = b.size();
  while (const auto e = ReadElement(b, at)) {
    if (e->Data > end) break;
    const size_t next = EndOf(*e, end);
    if (e->Id == kSegment) {  // step inside: its children follow
      at = e->Data;
      end = next;
      continue;
    }
    if (e->Id == kCluster) break;  // the frames begin; the tracks stand before them
    for (size_t t = e->Data; e->Id == kTracks && t < next;) {
      const auto entry = ReadElement(b, t);
      if (!entry || entry->Data > next) break;
      t = EndOf(*entry, next);
      if (entry->Id == kTrackEntry)
        if (const auto rate = TrackRate(b, entry->Data, t)) return rate;
    }
    if (e->Size == kUnknownSize || next >= end) break;
    at = next;
  }
  return std::nullopt;
}

// --- MP4 / QuickTime ------------------------------------------------------------------------

struct Box {
  std::array<char, 4> Type{};
  size_t Data = 0;
  size_t End = 0;
};

std::optional<Box> ReadBox(std::string_view b, size_t at, size_t end) {
  if (at + 8 > end) return std::nullopt;
  uint64_t size = UBe(b, at, 4);
  size_t header = 8;
  if (size == 1) {
    if (at + 16 > end) return std::nullopt;
    size = UBe(b, at + 8, 8);
    header = 16;
  } else if (size == 0) {
    size = end - at;
  }
  if (size < header || size > end - at) return std::nullopt;
  Box box;
  std::memcpy(box.Type.data(), b.data() + at + 4, 4);
  box.Data = at + header;
  box.End = at + static_cast<size_t>(size);
  return box;
}

bool Is(const Box& box, std::string_view type) { return std::string_view(box.Type.data(), 4) == type; }

std::optional<Box> Child(std::string_view b, const Box& parent, std::string_view type) {
  size_t at = parent.Data;
  while (const auto box = ReadBox(b, at, parent.End)) {
    if (Is(*box, type)) return box;
    at = box->End;
  }
  return std::nullopt;
}

std::optional<double> VideoTrackRate(std::string_view b, const Box& trak) {
  const auto mdia = Child(b, trak, "mdia");
  if (!mdia) return std::nullopt;
  const auto hdlr = Child(b, *mdia, "hdlr");
  const auto mdhd = Child(b, *mdia, "mdhd");
  if (!hdlr || !mdhd || !Tag(b, hdlr->Data + 8, "vide")) return std::nullopt;
  const bool v1 = mdhd->Data < b.size() && b[mdhd->Data] == 1;
  const size_t scaleAt = mdhd->Data + (v1 ? 20 : 12);
  if (scaleAt + 4 > mdhd->End) return std::nullopt;
  const uint64_t timescale = UBe(b, scaleAt, 4);
  const auto minf = Child(b, *mdia, "minf");
  const auto stbl = minf ? Child(b, *minf, "stbl") : std::nullopt;
  const auto stts = stbl ? Child(b, *stbl, "stts") : std::nullopt;
  if (!stts || !timescale) return std::nullopt;
  // The sample duration that most frames have: a last frame held longer, or a first one
  // stamped oddly, does not change the rate the film runs at.
  const uint64_t entries = UBe(b, stts->Data + 4, 4);
  uint64_t mostFrames = 0, commonDelta = 0;
  for (uint64_t i = 0; i < entries; ++i) {
    const size_t at = stts->Data + 8 + static_cast<size_t>(i) * 8;
    if (at + 8 > stts->End) break;
    const uint64_t count = UBe(b, at, 4), delta = UBe(b, at + 4, 4);
    if (delta && count > mostFrames) {
      mostFrames = count;
      commonDelta = delta;
    }
  }
  if (!commonDelta) return std::nullopt;
  return Positive(static_cast<double>(timescale) / static_cast<double>(commonDelta));
}

std::optional<double> ProbeMovieBox(std::string_view b, const Box& moov) {
  size_t at = moov.Data;
  while (const auto box = ReadBox(b, at, moov.End)) {
    if (Is(*box, "trak"))
      if (const auto rate = VideoTrackRate(b, *box)) return rate;
    at = box->End;
  }
  return std::nullopt;
}

std::optional<double> ProbeMp4(std::string_view b) {
  size_t at = 0;
  while (const auto box = ReadBox(b, at, b.size())) {
    if (Is(*box, "moov")) return ProbeMovieBox(b, *box);
    at = box->End;
  }
  return std::nullopt;
}

std::string ReadAt(std::ifstream& file, uint64_t offset, size_t count) {
  std::string bytes(count, '\0');
  file.clear();
  file.seekg(static_cast<std::streamoff>(offset));
  file.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  return bytes;
}

// The movie box of a file whose media data may come first: the top-level boxes are walked by
// their sizes and only the movie box is read.
std::optional<double> ProbeMp4File(std::ifstream& file) {
  for (uint64_t at = 0;;) {
    const std::string header = ReadAt(file, at, 16);
    if (header.size() < 8) return std::nullopt;
    uint64_t size = UBe(header, 0, 4);
    if (size == 1) size = header.size() == 16 ? UBe(header, 8, 8) : 0;
    if (size == 0 && Tag(header, 4, "moov")) size = kMaxMovieBox;  // to the end of the file
    if (size < 8) return std::nullopt;
    if (Tag(header, 4, "moov")) {
      const std::string moov = ReadAt(file, at, static_cast<size_t>(std::min(size, kMaxMovieBox)));
      return ProbeMp4(moov);
    }
    at += size;
  }
}

}  // namespace

MediaContainer SniffContainer(std::string_view b) {
  const auto at = [&](size_t i) { return i < b.size() ? static_cast<uint8_t>(b[i]) : 0u; };
  if (Tag(b, 0, "RIFF") && Tag(b, 8, "AVI ")) return MediaContainer::Avi;
  if (Tag(b, 0, "RIFF") && Tag(b, 8, "WAVE")) return MediaContainer::Wave;
  if (UBe(b, 0, 4) == kEbml) return MediaContainer::Matroska;
  if (Tag(b, 4, "ftyp") || Tag(b, 4, "moov") || Tag(b, 4, "mdat")) return MediaContainer::Mp4;
  // QuickTime files may open with an empty padding box.
  if (UBe(b, 0, 4) == 8 && (Tag(b, 4, "wide") || Tag(b, 4, "free") || Tag(b, 4, "skip")))
    return MediaContainer::Mp4;
  if (Tag(b, 0, "OggS")) return MediaContainer::Ogg;
  if (b.size() >= 752 && at(0) == 0x47 && at(188) == 0x47 && at(376) == 0x47 && at(564) == 0x47)
    return MediaContainer::MpegTs;
  if (UBe(b, 0, 4) == 0x000001BA) return MediaContainer::MpegPs;
  if (Tag(b, 0, "FLV\x01")) return MediaContainer::Flv;
  if (UBe(b, 0, 8) == 0x3026B2758E66CF11) return MediaContainer::Asf;
  if (b.substr(0, 3) == "ID3" || (at(0) == 0xFF && (at(1) & 0xF6) == 0xF2)) return MediaContainer::Mp3;
  return MediaContainer::None;
}

MediaContainer SniffMediaFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return MediaContainer::None;
  return SniffContainer(ReadAt(file, 0, 752));
}

std::optional<double> ProbeFrameRate(std::string_view bytes) {
  switch (SniffContainer(bytes)) {
    case MediaContainer::Avi:
      return ProbeAvi(bytes);
    case MediaContainer::Matroska:
      return ProbeMatroska(bytes);
    case MediaContainer::Mp4:
      return ProbeMp4(bytes);
    default:
      return std::nullopt;
  }
}

std::optional<double> ProbeFrameRateOfFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  const std::string head = ReadAt(file, 0, kHeadBytes);
  if (SniffContainer(head) == MediaContainer::Mp4) return ProbeMp4File(file);
  return ProbeFrameRate(head);
}

}  // namespace qm
