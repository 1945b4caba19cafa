#include "media/media_probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace qm {
namespace {

using namespace std::string_literals;

// --- Containers built byte by byte ------------------------------------------------------------

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Be(uint64_t v, int bytes) {
  std::string s;
  for (int i = bytes - 1; i >= 0; --i) s += char(v >> (8 * i));
  return s;
}

std::string Chunk(const std::string& id, const std::string& data) {
  return id + Le32(uint32_t(data.size())) + data + (data.size() % 2 ? std::string(1, '\0') : "");
}
std::string List(const std::string& type, const std::string& children) {
  return Chunk("LIST", type + children);
}
std::string StreamHeader(const std::string& kind, uint32_t scale, uint32_t rate) {
  return Chunk("strh",
               kind + "MJPG" + std::string(12, '\0') + Le32(scale) + Le32(rate) + std::string(28, '\0'));
}
std::string Avi(uint32_t usPerFrame, const std::string& streams, bool framesFirst = false) {
  const std::string header = List("hdrl", Chunk("avih", Le32(usPerFrame) + std::string(52, '\0')) + streams);
  const std::string frames = List("movi", Chunk("00dc", "frame"));
  const std::string body = "AVI " + (framesFirst ? frames + header : header + frames);
  return "RIFF" + Le32(uint32_t(body.size())) + body;
}

std::string Element(uint32_t id, const std::string& data) {
  std::string idBytes = id > 0xFFFFFF ? Be(id, 4)
                        : id > 0xFFFF ? Be(id, 3)
                        : id > 0xFF   ? Be(id, 2)
                                      : Be(id, 1);
  return idBytes + Be(0x0100000000000000ull | data.size(), 8) + data;  // 8-byte sizes, as some writers do
}
std::string UnknownSize(uint32_t id, const std::string& data) {
  return Be(id, 4) + "\x01\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + data;
}
std::string Track(uint64_t type, uint64_t frameNs, const std::string& video = "") {
  std::string entry = Element(0x83, Be(type, 1));
  if (frameNs) entry += Element(0x23E383, Be(frameNs, 4));
  if (!video.empty()) entry += Element(0xE0, video);
  return Element(0xAE, entry);
}
std::string Matroska(const std::string& segmentChildren) {
  return Element(0x1A45DFA3, Element(0x4282, "webm")) + UnknownSize(0x18538067, segmentChildren);
}

std::string Box(const std::string& type, const std::string& data) {
  return Be(8 + data.size(), 4) + type + data;
}
std::string VideoTrack(const std::string& handler, uint32_t timescale,
                       std::initializer_list<std::pair<uint32_t, uint32_t>> durations,
                       bool version1 = false) {
  const std::string mdhd =
      version1 ? Box("mdhd", "\x01\0\0\0"s + std::string(16, '\0') + Be(timescale, 4) + Be(0, 8))
               : Box("mdhd", std::string(12, '\0') + Be(timescale, 4) + Be(0, 4));
  std::string stts = std::string(4, '\0') + Be(durations.size(), 4);
  for (const auto& [count, delta] : durations) stts += Be(count, 4) + Be(delta, 4);
  const std::string hdlr = Box("hdlr", std::string(8, '\0') + handler + std::string(12, '\0'));
  return Box("trak", Box("mdia", mdhd + hdlr + Box("minf", Box("stbl", Box("stts", stts)))));
}
std::string Mp4(const std::string& tracks, bool movieLast = false) {
  const std::string ftyp = Box("ftyp", "isom\0\0\0\0isom"s);
  const std::string mdat = Box("mdat", std::string(64, 'x'));
  const std::string moov = Box("moov", tracks);
  return movieLast ? ftyp + mdat + moov : ftyp + moov + mdat;
}

struct RateCase {
  const char* name;
  std::string bytes;
  std::optional<double> rate;
};

std::vector<RateCase> RateCases() {
  return {
      {"avi stream header", Avi(40000, List("strl", StreamHeader("vids", 1001, 24000))), 24000.0 / 1001},
      {"avi sound before picture",
       Avi(0, List("strl", StreamHeader("auds", 1, 44100)) + List("strl", StreamHeader("vids", 1, 25))), 25},
      {"avi main header only", Avi(33367, ""), 1e6 / 33367},
      {"avi frames before headers", Avi(40000, "", true), std::nullopt},
      {"matroska default duration", Matroska(Element(0x1654AE6B, Track(2, 0) + Track(1, 41708333))),
       1e9 / 41708333},
      {"matroska stated rate",
       Matroska(Element(0x1654AE6B, Track(1, 0, Element(0x2383E3, Be(0x41C80000, 4))))), 25},
      {"matroska sound only", Matroska(Element(0x1654AE6B, Track(2, 21333333))), std::nullopt},
      {"matroska frames before tracks",
       Matroska(Element(0x1F43B675, "x") + Element(0x1654AE6B, Track(1, 40000000))), std::nullopt},
      {"mp4", Mp4(VideoTrack("soun", 44100, {{10, 1024}}) + VideoTrack("vide", 30000, {{100, 1001}})),
       30000.0 / 1001},
      {"mp4 movie last, version 1", Mp4(VideoTrack("vide", 90000, {{1, 3600}, {99, 3600}}, true), true), 25},
      {"mp4 with an odd last frame", Mp4(VideoTrack("vide", 30000, {{249, 1001}, {1, 500}})), 30000.0 / 1001},
      {"mp4 frames without durations", Mp4(VideoTrack("vide", 30000, {{250, 0}})), std::nullopt},
      {"mp4 without video", Mp4(VideoTrack("soun", 48000, {{5, 1024}})), std::nullopt},
      {"subtitles", "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n", std::nullopt},
  };
}

TEST(MediaProbe, FrameRateFromEachContainersHeaders) {
  for (const RateCase& c : RateCases()) {
    const auto rate = ProbeFrameRate(c.bytes);
    ASSERT_EQ(rate.has_value(), c.rate.has_value()) << c.name;
    if (rate) {
      EXPECT_NEAR(*rate, *c.rate, 1e-9) << c.name;
    }
  }
}

TEST(MediaProbe, EveryTruncationIsSafe) {
  for (const RateCase& c : RateCases())
    for (size_t length = 0; length < c.bytes.size(); ++length) {
      // A cut file may still state a rate (its main header, say); never one out of reason.
      const auto rate = ProbeFrameRate(std::string_view(c.bytes).substr(0, length));
      if (rate) {
        EXPECT_TRUE(*rate > 0 && *rate <= 300) << c.name << " " << length;
      }
    }
}

TEST(MediaProbe, FileWithTheMovieBoxAfterLargeMediaData) {
  test::TempDir dir;
  const std::string big = Box("mdat", std::string(6 << 20, '\0'));  // beyond the first bytes read
  const std::string file = dir.Write(
      "film.mp4", Box("ftyp", "isom\0\0\0\0"s) + big + Box("moov", VideoTrack("vide", 25, {{250, 1}})));
  EXPECT_EQ(ProbeFrameRateOfFile(file), 25.0);
  EXPECT_EQ(ProbeFrameRateOfFile(dir.File("missing.mkv")), std::nullopt);
}

TEST(MediaProbe, ContainersAreToldByTheirFirstBytes) {
  const std::pair<std::string, MediaContainer> heads[] = {
      {Avi(40000, ""), MediaContainer::Avi},
      {"RIFF\x24\0\0\0WAVEfmt "s, MediaContainer::Wave},
      {Matroska(""), MediaContainer::Matroska},
      {Mp4(""), MediaContainer::Mp4},
      {std::string("\0\0\0\x08wide\0\0\0\0mdat", 16), MediaContainer::Mp4},
      {"OggS\0\x02", MediaContainer::Ogg},
      {std::string("\0\0\x01\xBA\x44", 5), MediaContainer::MpegPs},
      {"FLV\x01\x05", MediaContainer::Flv},
      {"\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9", MediaContainer::Asf},
      {"ID3\x04\0", MediaContainer::Mp3},
      {"\xFF\xFB\x90\x64", MediaContainer::Mp3},
      {std::string("free text: the wide sea"), MediaContainer::None},
      {"{1}{25}Hello", MediaContainer::None},
      {"", MediaContainer::None},
  };
  for (const auto& [head, kind] : heads) EXPECT_EQ(SniffContainer(head), kind) << head;
  std::string transport(752, 'G');
  EXPECT_EQ(SniffContainer(transport), MediaContainer::MpegTs);
  transport[376] = 'H';
  EXPECT_EQ(SniffContainer(transport), MediaContainer::None);
}

TEST(MediaProbe, NoSubtitleFileLooksLikeAFilm) {
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(test::TestData(""))) {
    if (!entry.is_regular_file()) continue;
    ++files;
    EXPECT_EQ(SniffMediaFile(entry.path().string()), MediaContainer::None) << entry.path();
  }
  EXPECT_GT(files, 20);
}

}  // namespace
}  // namespace qm
