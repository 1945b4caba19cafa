#pragma once
// Timing against a film: positions are milliseconds of the video; a subtitle's times are read
// in the same unit (through the frame rate in frame view, from the clock fields in clock view).
// The video window and its waveform strip call these and compute nothing themselves.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/subtitle_document.h"

namespace qm {

// The frame shown at a position, at the document's rate, rounded half to even like every
// frame number. Fails on a rate that is not a positive number.
int32_t FrameAtPosition(int64_t ms, double rate);
// The first whole millisecond that lies inside frame `frame`, so that a seek there shows it.
int64_t PositionOfFrame(int64_t frame, double rate);
// "HH:MM:SS,mmm"; a negative position reads as zero.
std::string PositionText(int64_t ms);
// A rate as the rate lists write it, to three decimals: "25", "23,976", "29,97".
std::string FrameRateText(double rate);

// A subtitle's show and hide times in milliseconds, as the grid's view reads them.
struct SubtitleSpan {
  int32_t Index = 0;
  int64_t ShowMs = 0;
  int64_t HideMs = 0;
};
// nullopt when a clock field is not a number, or in frame view with an unusable rate.
std::optional<SubtitleSpan> SpanOf(const SubtitleDocument& doc, int32_t index);

// The subtitle on the picture at `ms`: the first in table order with show <= ms < hide; 0 when
// none is.
int32_t SubtitleAtPosition(const SubtitleDocument& doc, int64_t ms);
// The subtitles that overlap [fromMs, toMs), in table order.
std::vector<SubtitleSpan> SubtitlesBetween(const SubtitleDocument& doc, int64_t fromMs, int64_t toMs);

// Sets the show time (kShowTime) or the hide time (kHideTime) of record `index` to `ms`: the
// frame number in frame view, the clock fields in clock view; the other form of that time is
// derived through doc.FrameRate, as the editor's fields are stored. A negative `ms` counts as 0.
void SetSubtitleTime(SubtitleDocument& doc, int32_t index, int which, int64_t ms);

// The video window's stepping keys: one second, or one frame at the document's rate. The result
// stays within [0, durationMs] (a duration of 0 or less sets no upper bound).
enum class PositionStep { SecondBack, SecondForward, FrameBack, FrameForward };
int64_t StepPosition(int64_t ms, PositionStep step, double rate, int64_t durationMs);

// The waveform strip: `spanMs` milliseconds across `width` pixels, centred on a position.
struct StripScale {
  int64_t FirstMs = 0;
  double MsPerPixel = 1;
  double XOf(int64_t ms) const { return static_cast<double>(ms - FirstMs) / MsPerPixel; }
  int64_t MsAt(double x) const;
  int64_t LastMs(int width) const { return MsAt(width); }
};
StripScale CenteredStrip(int64_t centreMs, int64_t spanMs, int width);

// A subtitle bar's left (kShowTime) or right (kHideTime) edge.
struct BarEdge {
  int32_t Index = 0;
  int Which = 0;
  int64_t Ms = 0;
};
// The edge nearest to x that lies within `tolerance` pixels of it; on a tie the later subtitle's
// show time wins over the earlier one's hide time, so that adjoining bars can both be reached.
std::optional<BarEdge> EdgeNear(const std::vector<SubtitleSpan>& spans, const StripScale& scale, double x,
                                double tolerance);

}  // namespace qm
