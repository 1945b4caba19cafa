// [00:00:01]First line|Second line  then an end mark [00:00:04] or the next subtitle
// Timing: clock time in whole seconds.

#include "document/subtitles_tool.h"
#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {
namespace {

std::string Marker(const TSubtitle& subtitle, int which) { return '[' + ClockHhMmSs(subtitle, which) + ']'; }

}  // namespace

void ReadDKS(ReaderState& state) {
  ByteStream& in = state.In;
  bool& lastWasEndMark = state.FirstFlag;
  while (!in.Eof()) {
    in.SkipChars(1);  // "["
    state.Stamp.clear();
    in.AppendChars(state.Stamp, 8);
    state.Stamp += ".000";
    in.SkipChars(1);  // "]"
    const std::string_view text = in.ReadLine();
    if (IsBlankText(text)) {
      // An end mark; one after another end mark changes nothing.
      if (!lastWasEndMark) state.StoreStamp(false, true);
      lastWasEndMark = true;
    } else {
      if (!state.NewSubtitle()) return;
      state.SetText(text);
      state.StoreStamp(true, false);
      // Two subtitle lines in a row: the second one's start ends the first.
      if (!lastWasEndMark && state.Doc.SubtitleCount > 1)
        StoreTimeStamp(state.Doc, state.Stamp, state.Doc.SubtitleCount - 1, false, true);
      lastWasEndMark = false;
    }
  }
}

void WriteDKS(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    // A subtitle that starts in the second the previous one ends stands on that end mark's line.
    if (k == 1) {
      out += Marker(subtitle, kShowTime);
    } else if (!SameWholeSeconds(doc.SubtitleTable[k - 1], subtitle)) {
      out += kCrLf;
      out += Marker(subtitle, kShowTime);
    }
    out += subtitle.Text;
    out += kCrLf;
    out += Marker(subtitle, kHideTime);  // no line end: the file ends right after the last one
  }
}

}  // namespace qm
