// Every reader and the detector on 5 MB and 50 MB of four kinds of hostile input: each must
// finish the 50 MB within 2 s and within 30x its 5 MB time (median of three runs; below 100 ms
// for 50 MB, a twentieth of the budget, the ratio measures page faults, not the algorithm, and is only
// shown). A linear reader gives 10x, plus what 50 MB costs the memory that 5 MB does not
// (13-23x on a busy virtual machine); a quadratic one gives 100x. Exit status 1 when one fails.
//   build/bench/linear_time [--quick]     (--quick: 1 MB and 10 MB)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "platform/errors.h"

namespace {

using Generator = std::function<std::string(size_t bytes, uint8_t format)>;

std::string Repeat(const std::string& unit, size_t bytes) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text += unit;
  return text;
}

std::string RandomBytes(size_t bytes, uint8_t) {
  std::mt19937_64 random(7);
  std::string text(bytes, '\0');
  for (size_t i = 0; i + 8 <= bytes; i += 8) {
    const uint64_t value = random();
    std::memcpy(&text[i], &value, 8);
  }
  return text;
}

// A record of the format, as its own writer puts it, over and over.
std::string RepeatedRecord(size_t bytes, uint8_t format) {
  auto doc = std::make_unique<qm::SubtitleDocument>();
  doc->SubtitleCount = 1;
  qm::TSubtitle& r = doc->SubtitleTable[1];
  r.StartFrame = 25, r.EndFrame = 100, r.StartSecond = 1, r.EndSecond = 4, r.Text = "Some text|more";
  return Repeat(qm::WriteSubtitles(*doc, format), bytes);
}

double SecondsFor(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double ReadOnce(const std::string& input, int format, qm::SubtitleDocument& doc) {
  return SecondsFor([&] {
    try {
      if (format < 0) {
        (void)qm::DetectFormatInBytes(input);
      } else {
        qm::ClearSubtitleTable(doc);
        qm::LoadSubtitlesFromBytes(doc, static_cast<uint8_t>(format), input);
      }
    } catch (const qm::QuillmarkError&) {
      // A malformed number ends the read with the product's message: that is an answer too.
    }
  });
}

double ReadSeconds(const std::string& input, int format, qm::SubtitleDocument& doc) {
  double runs[3];
  for (double& run : runs) run = ReadOnce(input, format, doc);
  std::sort(std::begin(runs), std::end(runs));
  return runs[1];
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const size_t small = quick ? 1u << 20 : 5u << 20, large = small * 10;
  const std::pair<const char*, Generator> kinds[] = {
      {"random bytes", RandomBytes},
      {"one endless line", [](size_t n, uint8_t) { return std::string(n, 'x'); }},
      {"only line ends", [](size_t n, uint8_t) { return Repeat("\r\n", n); }},
      {"repeated record", RepeatedRecord},
  };
  auto doc = std::make_unique<qm::SubtitleDocument>();
  int failures = 0;
  std::printf("%-30s %-17s %9s %9s %7s\n", "reader", "input", "small s", "large s", "ratio");
  for (int format = -1; format <= 10; ++format) {
    const char* name = format < 0 ? "detector" : qm::FormatCatalogue[format].Name;
    for (const auto& [kind, generate] : kinds) {
      const auto asFormat = static_cast<uint8_t>(format < 0 ? 1 : format);
      const double tSmall = ReadSeconds(generate(small, asFormat), format, *doc);
      const double tLarge = ReadSeconds(generate(large, asFormat), format, *doc);
      const double ratio = tLarge / std::max(tSmall, 1e-4);
      const bool ok = tLarge <= 2.0 && (ratio <= 30 || tLarge < 0.1);
      failures += !ok;
      std::printf("%-30s %-17s %9.4f %9.4f %7.1f%s\n", name, kind, tSmall, tLarge, ratio,
                  ok ? "" : "  TOO SLOW");
    }
  }
  std::printf(failures ? "%d cases too slow\n" : "all linear\n", failures);
  return failures ? 1 : 0;
}
