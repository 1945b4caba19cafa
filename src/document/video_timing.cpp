#include "document/video_timing.h"

#include <algorithm>
#include <cmath>

#include "document/clock_time.h"
#include "document/subtitles_tool.h"
#include "platform/numbers.h"

namespace qm {
namespace {

constexpr int64_t kMsPerSecond = 1000;

std::optional<int64_t> ClockMs(int32_t h, int32_t m, int32_t s, std::string_view msText) {
  const std::optional<int32_t> ms = TryStrToInt(msText);
  if (!ms) return std::nullopt;
  return int64_t{h} * 3600000 + int64_t{m} * 60000 + int64_t{s} * kMsPerSecond + *ms;
}

bool UsableRate(double rate) { return rate > 0 && std::isfinite(rate); }

}  // namespace

int32_t FrameAtPosition(int64_t ms, double rate) {
  CheckFrameRate(rate);
  return RoundToInt(static_cast<double>(ms) * rate / kMsPerSecond);
}

int64_t PositionOfFrame(int64_t frame, double rate) {
  CheckFrameRate(rate);
  // A hair below the exact start, so that 100 frames at 25 are 4000 ms and not 4001.
  return static_cast<int64_t>(std::ceil(static_cast<double>(frame) * kMsPerSecond / rate - 1e-6));
}

std::string PositionText(int64_t ms) {
  ms = std::max<int64_t>(ms, 0);
  const int64_t hours = ms / 3600000;
  std::string text = hours < 10 ? "0" + std::to_string(hours) : std::to_string(hours);
  text += ':' + ZeroPad(static_cast<int32_t>(ms / 60000 % 60), 2) + ':' +
          ZeroPad(static_cast<int32_t>(ms / kMsPerSecond % 60), 2) + ',' +
          ZeroPad3(static_cast<int32_t>(ms % kMsPerSecond));
  return text;
}

std::string FrameRateText(double rate) { return FloatToText(RoundHalfEven(rate * 1000) / 1000); }

std::optional<SubtitleSpan> SpanOf(const SubtitleDocument& doc, int32_t index) {
  const TSubtitle& r = doc.SubtitleTable[index];
  if (doc.TimeMode == kModeFrames) {
    if (!UsableRate(doc.FrameRate)) return std::nullopt;
    return SubtitleSpan{index, PositionOfFrame(r.StartFrame, doc.FrameRate),
                        PositionOfFrame(r.EndFrame, doc.FrameRate)};
  }
  const auto show = ClockMs(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs);
  const auto hide = ClockMs(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs);
  if (!show || !hide) return std::nullopt;
  return SubtitleSpan{index, *show, *hide};
}

int32_t SubtitleAtPosition(const SubtitleDocument& doc, int64_t ms) {
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    const auto span = SpanOf(doc, i);
    if (span && span->ShowMs <= ms && ms < span->HideMs) return i;
  }
  return 0;
}

std::vector<SubtitleSpan> SubtitlesBetween(const SubtitleDocument& doc, int64_t fromMs, int64_t toMs) {
  std::vector<SubtitleSpan> spans;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    const auto span = SpanOf(doc, i);
    if (span && span->ShowMs < toMs && span->HideMs > fromMs) spans.push_back(*span);
  }
  return spans;
}

void SetSubtitleTime(SubtitleDocument& doc, int32_t index, int which, int64_t ms) {
  ms = std::max<int64_t>(ms, 0);
  const bool show = which == kShowTime;
  TSubtitle& r = doc.SubtitleTable[index];
  if (doc.TimeMode == kModeFrames) {
    (show ? r.StartFrame : r.EndFrame) = FrameAtPosition(ms, doc.FrameRate);
    FramesToClock(doc, index, show, !show, doc.FrameRate);
    return;
  }
  CheckFrameRate(doc.FrameRate);  // before the record changes
  const ClockFields f = DecodeDayFraction(static_cast<double>(ms) / static_cast<double>(kMsPerDay));
  (show ? r.StartHour : r.EndHour) = f.Hour;
  (show ? r.StartMinute : r.EndMinute) = f.Minute;
  (show ? r.StartSecond : r.EndSecond) = f.Second;
  (show ? r.StartMs : r.EndMs) = ZeroPad3(f.Millisecond);
  ClockToFrames(doc, index, show, !show, doc.FrameRate);
}

int64_t StepPosition(int64_t ms, PositionStep step, double rate, int64_t durationMs) {
  int64_t to = ms;
  switch (step) {
    case PositionStep::SecondBack:
      to = ms - kMsPerSecond;
      break;
    case PositionStep::SecondForward:
      to = ms + kMsPerSecond;
      break;
    case PositionStep::FrameBack:
      to = PositionOfFrame(int64_t{FrameAtPosition(ms, rate)} - 1, rate);
      break;
    case PositionStep::FrameForward:
      to = PositionOfFrame(int64_t{FrameAtPosition(ms, rate)} + 1, rate);
      break;
  }
  to = std::max<int64_t>(to, 0);
  return durationMs > 0 ? std::min(to, durationMs) : to;
}

int64_t StripScale::MsAt(double x) const { return FirstMs + std::llround(x * MsPerPixel); }

StripScale CenteredStrip(int64_t centreMs, int64_t spanMs, int width) {
  const double msPerPixel = static_cast<double>(std::max<int64_t>(spanMs, 1)) / std::max(width, 1);
  return {centreMs - std::llround(msPerPixel * std::max(width, 1) / 2), msPerPixel};
}

std::optional<BarEdge> EdgeNear(const std::vector<SubtitleSpan>& spans, const StripScale& scale, double x,
                                double tolerance) {
  std::optional<BarEdge> best;
  double bestDistance = 0;
  for (const SubtitleSpan& span : spans) {
    for (const auto& [which, ms] : {std::pair{kShowTime, span.ShowMs}, std::pair{kHideTime, span.HideMs}}) {
      const double distance = std::fabs(scale.XOf(ms) - x);
      if (distance > tolerance) continue;
      if (best && (distance > bestDistance || (distance == bestDistance && which == kHideTime))) continue;
      best = BarEdge{span.Index, which, ms};
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace qm
