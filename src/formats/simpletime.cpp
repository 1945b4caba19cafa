// 00:01:15:First line|Second line
// Timing: clock time in whole seconds, show time only.

#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {

void ReadSimpleTime(ReaderState& state) {
  ByteStream& in = state.In;
  // Every line is a subtitle, even an empty one: its time is then read across the line end
  // and fails as a number.
  while (!in.Eof()) {
    if (!state.NewSubtitle()) return;
    // HH:MM:SS by position; one-digit hours and a "-" before the time (read as zero) too.
    const ClockText clock = SplitClock(in.Lookahead(), 2);
    in.SkipChars(clock.Length);
    state.StoreClock(clock, "000", true, true);
    in.SkipChars(1);  // the separator after the time
    state.SetText(in.ReadLine());
  }
}

void WriteSimpleTime(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    AppendClock(out, subtitle, kShowTime, true, ':', false);
    out += ':';
    out += subtitle.Text;
    out += kCrLf;
  }
}

}  // namespace qm
