// The editor's core work over a full document: the quality report, a find walk that finds
// nothing, and undo of a whole-document change. 20000 subtitles of two lines, both timing
// forms filled. Targets: report < 20 ms, find < 30 ms, undo < 50 ms (with the grid, see
// bench/gui_editor_ops.cpp).

#include <benchmark/benchmark.h>

#include <string>

#include "document/document_history.h"
#include "document/quality_report.h"
#include "document/search.h"
#include "document/subtitles_tool.h"

namespace qm {
namespace {

void FillDocument(SubtitleDocument& doc) {
  doc.FrameRate = 23.976;
  doc.StoredMode = kModeBoth;
  doc.TimeMode = kModeClock;
  doc.SubtitleCount = MaxSubtitles;
  for (int32_t i = 1; i <= MaxSubtitles; ++i) {
    TSubtitle& r = doc.SubtitleTable[i];
    r.StartFrame = static_cast<int32_t>(i * 72);
    r.EndFrame = r.StartFrame + 60 + i % 5 * 30;
    FramesToClock(doc, i, true, true, doc.FrameRate);
    r.Text =
        "Subtitle number " + std::to_string(i) + " with some text|and a second line " + std::to_string(i);
  }
}

SubtitleDocument& Document() {
  static SubtitleDocument doc;
  static bool filled = (FillDocument(doc), true);
  (void)filled;
  return doc;
}

void BM_QualityReport(benchmark::State& state) {
  const SubtitleDocument& doc = Document();
  size_t findings = 0;
  for (auto _ : state) {
    const QualityReport report = CheckQuality(doc, {});
    findings = report.Findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_QualityReport)->Unit(benchmark::kMillisecond);

void BM_FindWithoutHit(benchmark::State& state) {
  const SubtitleDocument& doc = Document();
  const bool caseSensitive = state.range(0) != 0;
  for (auto _ : state) {
    auto hit = FindSubtitleText(doc, 1, "nowhere to be found", caseSensitive, SearchDirection::Down);
    benchmark::DoNotOptimize(hit);
  }
}
BENCHMARK(BM_FindWithoutHit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UndoWholeDocumentChange(benchmark::State& state) {
  SubtitleDocument& doc = Document();
  DocumentHistory history(doc);
  for (auto _ : state) {
    state.PauseTiming();
    history.BeforeWholeChange();
    for (int32_t i = 1; i <= doc.SubtitleCount; ++i) doc.SubtitleTable[i].StartFrame += 1;
    history.Complete();
    state.ResumeTiming();
    history.Undo();
  }
  state.counters["history_MB"] = static_cast<double>(history.Bytes()) / (1 << 20);
}
BENCHMARK(BM_UndoWholeDocumentChange)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CompleteWholeDocumentStep(benchmark::State& state) {
  SubtitleDocument& doc = Document();
  DocumentHistory history(doc);
  for (auto _ : state) {
    history.BeforeWholeChange();
    for (int32_t i = 1; i <= doc.SubtitleCount; ++i) doc.SubtitleTable[i].StartFrame += 1;
    history.Complete();
  }
}
BENCHMARK(BM_CompleteWholeDocumentStep)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace qm
