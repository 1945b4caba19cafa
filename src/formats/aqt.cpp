// -->> 000100  then text lines, then -->> 000250
// Timing: frame numbers.

#include "document/subtitles_tool.h"
#include "formats/reader_support.h"
#include "formats/writer_support.h"

namespace qm {
namespace {

std::string FrameMarker(int32_t frame) { return "-->> " + ZeroPad7(frame) + "\r\n"; }

}  // namespace

void ReadAQT(ReaderState& state) {
  ByteStream& in = state.In;
  bool& nextTextStartsSubtitle = state.FirstFlag;
  bool& lastWasFrameLine = state.SecondFlag;
  while (!in.Eof()) {
    const std::string_view line = in.ReadLine();
    if (IsAqtFrameLine(line)) {
      // A frame line after text ends that subtitle; a second one in a row starts the next.
      const int32_t frame = AqtFrameNumber(line);
      if (!lastWasFrameLine) state.Current().EndFrame = frame;
      state.AqtLastFrame = frame;
      nextTextStartsSubtitle = lastWasFrameLine = true;
    } else if (!IsBlankText(line)) {
      if (nextTextStartsSubtitle) {
        if (!state.NewSubtitle()) return;
        state.SetText(line);
        state.Current().StartFrame = state.AqtLastFrame;
      } else {
        state.Current().Text += '|';
        state.Current().Text += line;
      }
      nextTextStartsSubtitle = lastWasFrameLine = false;
    }
  }
}

void WriteAQT(const SubtitleDocument& doc, std::string& out) {
  for (int32_t k = 1; k <= doc.SubtitleCount; ++k) {
    const TSubtitle& subtitle = doc.SubtitleTable[k];
    // Contiguous subtitles share one marker; the others are set apart by two empty lines.
    if (k == 1) {
      out += FrameMarker(subtitle.StartFrame);
    } else if (doc.SubtitleTable[k - 1].EndFrame != subtitle.StartFrame) {
      out += "\r\n\r\n";
      out += FrameMarker(subtitle.StartFrame);
    }
    AppendJoinedLines(out, subtitle.Text, kCrLf);
    out += kCrLf;
    out += FrameMarker(subtitle.EndFrame);
  }
}

}  // namespace qm
