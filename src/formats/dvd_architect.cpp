// 0001  00:00:01:50  00:00:04:00  First line  (UTF-16LE, each line followed by an empty line)
// Timing: clock time in hundredths of a second.

#include "document/subtitles_tool.h"
#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {

void ReadDVDArchitect(ReaderState& state) {
  ByteStream& in = state.In;
  while (!in.Eof()) {
    // The subtitle number and the blank after it; an ending without a blank starts nothing.
    if (!in.SkipPastWide(' ')) return;
    if (!state.NewSubtitle()) return;
    in.SkipWide(1);
    ReadWideStamp(state, 11, "0");
    state.StoreStamp(true, false);
    in.SkipWide(2);
    ReadWideStamp(state, 11, "0");
    state.StoreStamp(false, true);
    in.SkipWide(2);
    ReadWideText(state);
    in.SkipWide(3);  // LF, and the CR LF of the empty line
  }
}

void WriteDVDArchitect(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    AppendWide(out, ZeroPad(k, 4) + "  ");
    AppendWide(out, ClockHhMmSsMs(subtitle, kShowTime, ':').substr(0, 11) + "  ");
    AppendWide(out, ClockHhMmSsMs(subtitle, kHideTime, ':').substr(0, 11) + "  ");
    AppendWide(out, subtitle.Text);
    AppendWide(out, "\r\n\r\n");
  }
}

}  // namespace qm
