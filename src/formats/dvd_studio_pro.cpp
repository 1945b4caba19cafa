// 00:00:01:50<TAB>00:00:04:00<TAB>First line  (UTF-16LE)
// Timing: clock time in hundredths of a second.

#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {

void ReadDVDStudioPro(ReaderState& state) {
  ByteStream& in = state.In;
  while (!in.Eof()) {
    if (!state.NewSubtitle()) return;
    ReadWideStamp(state, 11, "0");
    state.StoreStamp(true, false);
    in.SkipWide(1);
    ReadWideStamp(state, 11, "0");
    state.StoreStamp(false, true);
    in.SkipWide(1);
    ReadWideText(state);
    in.SkipWide(1);  // LF
  }
}

void WriteDVDStudioPro(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    AppendWide(out, ClockHhMmSsMs(subtitle, kShowTime, ':').substr(0, 11) + '\t');
    AppendWide(out, ClockHhMmSsMs(subtitle, kHideTime, ':').substr(0, 11) + '\t');
    AppendWide(out, subtitle.Text);
    AppendWide(out, "\r\n");
  }
}

}  // namespace qm
