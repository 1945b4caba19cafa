// Every timing, text and find tool over a full document: 20000 subtitles of two lines of
// about 40 characters, timed at 23,976 frames per second with both representations filled.
// Each must stay far below 20 ms so that the window needs no progress display.

#include <benchmark/benchmark.h>

#include <string>

#include "document/search.h"
#include "document/subtitles_tool.h"
#include "document/text_tools.h"
#include "document/timing_tools.h"

namespace qm {
namespace {

// Windows-1250 lines with the letters the accent tool changes, some closing quotes and dashes.
const char* const kLines[] = {
    "Tohle je \xE8"
    "ist\xEC m\xF9j posledn\xED pokus, v\xEC"
    "\xF8 mi.",
    "Ne\xF8\xEDkej mi, \x9E"
    "e jsi na to zapomn\xECl.",
    "- Kam jde\x9A tak brzy r\xE1no, p\xF8\xEDteli?",
    "- Dom\xF9, mus\xEDm je\x9At\xEC nakrmit psa a ko\xE8ku.",
    "\"Nikdy\" nen\xED tak dlouho, jak si mysl\xED\x9A.",
    "To se ti jen zd\xE1lo. Nic takov\xE9ho se nestalo.",
    "Pot\xF8"
    "ebujeme v\xED"
    "c \xE8"
    "asu, ne\x9E n\xE1m zb\xFDv\xE1.",
    "Zavolej mi, a\x9E dorazi\x9A na leti\x9At\xEC.",
};
constexpr int kLineKinds = sizeof kLines / sizeof kLines[0];

// Subtitles of about 2.5 s every 3 s; every tenth overlaps its successor and every twentieth
// is blank, so that the repair and the blank removal have work to do.
void FillDocument(SubtitleDocument& doc) {
  doc.FrameRate = 23.976;
  doc.StoredMode = kModeBoth;
  doc.SubtitleCount = MaxSubtitles;
  for (int32_t i = 1; i <= MaxSubtitles; ++i) {
    TSubtitle& r = doc.SubtitleTable[i];
    r.StartFrame = i * 72;
    r.EndFrame = i * 72 + (i % 10 == 0 ? 90 : 60);
    r.Text = i % 20 == 0 ? std::string(" |")
                         : std::string(kLines[i % kLineKinds]) + "|" + kLines[(i + 3) % kLineKinds];
    FramesToClock(doc, i, true, true, doc.FrameRate);
  }
}

SubtitleDocument& Document() {
  static SubtitleDocument doc;
  return doc;
}

// Tools that change texts or the count run on a fresh document every iteration.
template <typename Tool>
void OnFreshDocument(benchmark::State& state, Tool tool) {
  SubtitleDocument& doc = Document();
  for (auto _ : state) {
    state.PauseTiming();
    FillDocument(doc);
    state.ResumeTiming();
    tool(doc);
    benchmark::DoNotOptimize(doc.SubtitleTable[1].Text.data());
  }
}

void BM_ShiftFrames(benchmark::State& state) {
  SubtitleDocument& doc = Document();
  FillDocument(doc);
  doc.TimeMode = kModeFrames;
  int32_t direction = 1;
  for (auto _ : state) {
    ShiftSubtitles(doc, TimeShift{25 * direction, 0, true, true});
    direction = -direction;
  }
}
BENCHMARK(BM_ShiftFrames)->Unit(benchmark::kMillisecond);

void BM_ShiftClock(benchmark::State& state) {
  SubtitleDocument& doc = Document();
  FillDocument(doc);
  doc.TimeMode = kModeClock;
  double direction = 1;
  for (auto _ : state) {
    ShiftSubtitles(doc, TimeShift{0, 1.5 * direction, true, true});
    direction = -direction;
  }
}
BENCHMARK(BM_ShiftClock)->Unit(benchmark::kMillisecond);

void BM_ChangeSpeed(benchmark::State& state) {
  SubtitleDocument& doc = Document();
  FillDocument(doc);
  bool slower = true;
  for (auto _ : state) {
    ChangeSubtitleSpeed(doc,
                        slower ? TimeScaleFromFrameRates(23.976, 25) : TimeScaleFromFrameRates(25, 23.976));
    slower = !slower;
  }
}
BENCHMARK(BM_ChangeSpeed)->Unit(benchmark::kMillisecond);

void BM_HideFromShow(benchmark::State& state) {
  SubtitleDocument& doc = Document();
  FillDocument(doc);
  for (auto _ : state) {
    HideTimesFromShowTimes(doc);
    ShowTimesFromHideTimes(doc);
  }
}
BENCHMARK(BM_HideFromShow)->Unit(benchmark::kMillisecond);

void BM_ApplyTextChanges(benchmark::State& state) {
  OnFreshDocument(state, [](SubtitleDocument& doc) {
    ApplyTextChanges(doc, TextChanges{"a", "e", true, true});
  });
}
BENCHMARK(BM_ApplyTextChanges)->Unit(benchmark::kMillisecond);

void BM_RepairOverlaps(benchmark::State& state) {
  OnFreshDocument(state, [](SubtitleDocument& doc) { RepairOverlaps(doc); });
}
BENCHMARK(BM_RepairOverlaps)->Unit(benchmark::kMillisecond);

void BM_DeleteBlankSubtitles(benchmark::State& state) {
  OnFreshDocument(state, [](SubtitleDocument& doc) { DeleteBlankSubtitles(doc); });
}
BENCHMARK(BM_DeleteBlankSubtitles)->Unit(benchmark::kMillisecond);

void BM_RemoveAccents(benchmark::State& state) {
  OnFreshDocument(state, [](SubtitleDocument& doc) { RemoveAccentsFromAll(doc); });
}
BENCHMARK(BM_RemoveAccents)->Unit(benchmark::kMillisecond);

// 55 is the field's default; 20 breaks nearly every line.
void BM_WrapLines(benchmark::State& state) {
  const auto width = static_cast<int32_t>(state.range(0));
  OnFreshDocument(state, [width](SubtitleDocument& doc) { WrapAllSubtitleLines(doc, width); });
}
BENCHMARK(BM_WrapLines)->Arg(55)->Arg(20)->Unit(benchmark::kMillisecond);

// The longest walk: from the first subtitle down to the last without a hit.
void BM_FindNothing(benchmark::State& state) {
  SubtitleDocument& doc = Document();
  FillDocument(doc);
  const bool caseSensitive = state.range(0) != 0;
  for (auto _ : state) {
    auto hit = FindSubtitleText(doc, 1, "nenajdes", caseSensitive, SearchDirection::Down);
    benchmark::DoNotOptimize(hit);
  }
}
BENCHMARK(BM_FindNothing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
