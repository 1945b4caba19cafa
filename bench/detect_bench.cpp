// Detection and table clearing. Detection must stay linear in the file's size: the inputs
// here decide only at their very end (or never).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "document/subtitles_tool.h"
#include "formats/detect.h"

namespace {

// Plain prose lines (no test passes), then one SubRip time line at the end.
std::string DecidedAtTheEnd(size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "Nothing here decides the format of this file, not yet.\r\n";
  return text + "00:00:01,000 --> 00:00:04,000\r\n";
}

std::string RandomBytes(size_t bytes) {
  std::mt19937 random(42);
  std::string text(bytes, '\0');
  for (char& c : text) c = static_cast<char>(random());
  return text;
}

void BM_DetectDecidedAtEnd(benchmark::State& state) {
  const std::string text = DecidedAtTheEnd(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(qm::DetectFormatInBytes(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DetectDecidedAtEnd)->Arg(1 << 20)->Arg(10 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

void BM_DetectRandomBytes(benchmark::State& state) {
  const std::string text = RandomBytes(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(qm::DetectFormatInBytes(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DetectRandomBytes)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

void BM_DetectOneEndlessLine(benchmark::State& state) {
  const std::string text(static_cast<size_t>(state.range(0)), 'x');
  for (auto _ : state) benchmark::DoNotOptimize(qm::DetectFormatInBytes(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DetectOneEndlessLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

void BM_DetectOnlyLineEnds(benchmark::State& state) {
  const std::string text(static_cast<size_t>(state.range(0)), '\n');
  for (auto _ : state) benchmark::DoNotOptimize(qm::DetectFormatInBytes(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DetectOnlyLineEnds)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

void BM_ClearSubtitleTable(benchmark::State& state) {
  auto doc = std::make_unique<qm::SubtitleDocument>();
  for (auto _ : state) {
    doc->SubtitleTable[1].Text = "dirty";
    qm::ClearSubtitleTable(*doc);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearSubtitleTable)->Unit(benchmark::kMicrosecond);

}  // namespace
