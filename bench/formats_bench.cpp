// Reading and writing every format on a generated 20000-subtitle document (MB/s and
// subtitles/s). The input of each reader is the writer's own output for that format.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"

namespace {

std::unique_ptr<qm::SubtitleDocument> MakeDocument() {
  auto doc = std::make_unique<qm::SubtitleDocument>();
  for (int32_t i = 1; i <= qm::MaxSubtitles; ++i) {
    qm::TSubtitle& r = doc->SubtitleTable[i];
    // 1.6 s apart, so the last one starts before 10 hours (the SSA layout keeps one hour digit).
    r.StartFrame = i * 40;
    r.EndFrame = i * 40 + 30;
    r.Text =
        "\x8Elu\x9Do"
        "u\xE8k\xFD k\xF9\xF2 \xFApel \xEF\xE1"
        "belsk\xE9 \xF3"
        "dy|p\xF8\xEDli\x9A \xE8"
        "ern\xE9 \xF8"
        "e\xE8i";
  }
  doc->SubtitleCount = qm::MaxSubtitles;
  for (int32_t i = 1; i <= qm::MaxSubtitles; ++i) qm::FramesToClock(*doc, i, true, true, 25);
  return doc;
}

const qm::SubtitleDocument& Document() {
  static const auto doc = MakeDocument();
  return *doc;
}

void BM_Write(benchmark::State& state) {
  const auto layout = static_cast<uint8_t>(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string out = qm::WriteSubtitles(Document(), layout);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetLabel(qm::FormatCatalogue[layout].Name);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(state.iterations() * qm::MaxSubtitles);
}

void BM_Read(benchmark::State& state) {
  const auto format = static_cast<uint8_t>(state.range(0));
  const std::string input = qm::WriteSubtitles(Document(), format);
  auto doc = std::make_unique<qm::SubtitleDocument>();
  for (auto _ : state) {
    qm::ClearSubtitleTable(*doc);
    qm::LoadSubtitlesFromBytes(*doc, format, input);
    benchmark::DoNotOptimize(doc->SubtitleCount);
  }
  state.SetLabel(qm::FormatCatalogue[format].Name);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
  state.SetItemsProcessed(state.iterations() * doc->SubtitleCount);
}

BENCHMARK(BM_Read)->DenseRange(0, 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->DenseRange(0, 10)->Unit(benchmark::kMillisecond);

}  // namespace
