// 00:00:01.500<TAB>00:00:04.000<TAB>00:00:02.500<TAB>First line  (UTF-16LE; start, end, length, name)
// Timing: clock time with milliseconds.

#include "document/subtitles_tool.h"
#include "formats/reader_support.h"
#include "formats/writer_support.h"
#include "platform/numbers.h"

namespace qm {
namespace {

std::string Duration(const TSubtitle& s) {
  return TimeDifferenceText(s.StartHour, s.EndHour, s.StartMinute, s.EndMinute, s.StartSecond, s.EndSecond,
                            StrToInt(s.StartMs), StrToInt(s.EndMs), true, '.');
}

}  // namespace

void ReadVegasRegions(ReaderState& state) {
  ByteStream& in = state.In;
  while (!in.Eof()) {
    if (!state.NewSubtitle()) return;
    ReadWideStamp(state, 12, "");
    state.StoreStamp(true, false);
    in.SkipWide(1);
    ReadWideStamp(state, 12, "");
    state.StoreStamp(false, true);
    in.SkipWide(1 + 12 + 1);  // tab, the region's length, tab
    ReadWideText(state);
    in.SkipWide(1);  // LF
  }
}

void WriteVegasRegions(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    AppendWide(out, ClockHhMmSsMs(subtitle, kShowTime, '.') + '\t');
    AppendWide(out, ClockHhMmSsMs(subtitle, kHideTime, '.') + '\t');
    AppendWide(out, Duration(subtitle) + '\t');
    AppendWide(out, subtitle.Text);
    AppendWide(out, "\r\n");
  }
}

}  // namespace qm
