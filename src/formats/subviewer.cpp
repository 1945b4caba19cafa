// [00:00:01]  then a text line, then [00:00:04]  (after "*** START SCRIPT ***")
// Timing: clock time in whole seconds.

#include "document/subtitles_tool.h"
#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {
namespace {

// Everything up to and including the marker line is header. A file without the marker
// reads nothing rather than running to its end looking for it.
bool SkipPastStartMarker(ByteStream& in) {
  while (!in.Eof())
    if (AsciiUpper(in.ReadLine()).find("*** START SCRIPT ***") != std::string::npos) return true;
  return false;
}

std::string TimeTag(const TSubtitle& subtitle, int which) { return '[' + ClockHhMmSs(subtitle, which) + ']'; }

}  // namespace

void ReadSubViewer(ReaderState& state) {
  ByteStream& in = state.In;
  if (!SkipPastStartMarker(in)) return;
  bool& waitsForHideTime = state.FirstFlag;
  waitsForHideTime = false;
  while (!in.Eof()) {
    const std::string_view line = in.ReadLine();
    if (IsTimeTag(line)) {
      state.Stamp = std::string(Copy(line, 2, 8)) + ".000";
      if (waitsForHideTime) state.StoreStamp(false, true);
      waitsForHideTime = false;
    } else if (AsciiUpper(line) == "[END]") {
      return;
    } else if (IsBlankText(line)) {
      // Before the first subtitle there is nothing whose hide time it could set.
      if (state.Doc.SubtitleCount > 0) state.StoreStamp(false, true);
    } else {
      // Each text line is a subtitle of its own.
      if (!state.NewSubtitle()) return;
      state.StoreStamp(true, false);
      state.SetText(line);
      waitsForHideTime = true;
    }
  }
}

void WriteSubViewer(const SubtitleDocument& doc, std::string& out) {
  out += "[BEGIN]\r\n******** START SCRIPT ********\r\n";
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    // A subtitle that starts in the second the previous one ends shares its end tag.
    if (k == 1) {
      out += TimeTag(subtitle, kShowTime) + "\r\n";
    } else if (!SameWholeSeconds(doc.SubtitleTable[k - 1], subtitle)) {
      out += kCrLf;
      out += TimeTag(subtitle, kShowTime) + "\r\n";
    }
    out += subtitle.Text;
    out += kCrLf;
    out += TimeTag(subtitle, kHideTime) + "\r\n";
  }
  out += "[END]\r\n******** End Script ********\r\n";
}

}  // namespace qm
