#include "media/waveform_summary.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace qm {
namespace {

constexpr int64_t kUsPerBucket = WaveformSummary::kBucketMs * 1000;

template <class Sample>
float LoudestOf(const void* data, int64_t first, int64_t count) {
  const auto* samples = static_cast<const Sample*>(data) + first;
  float loudest = 0;
  for (int64_t i = 0; i < count; ++i) {
    float level;
    if constexpr (std::is_same_v<Sample, float>) {
      level = std::fabs(samples[i]);
    } else if constexpr (std::is_same_v<Sample, uint8_t>) {
      level = std::fabs(static_cast<float>(samples[i]) - 128.0f) / 128.0f;
    } else {
      level = std::fabs(static_cast<float>(samples[i])) /
              (static_cast<float>(std::numeric_limits<Sample>::max()) + 1);
    }
    loudest = std::max(loudest, level);
  }
  return loudest;
}

float Loudest(const void* data, int64_t first, int64_t count, SampleFormat format) {
  switch (format) {
    case SampleFormat::UInt8:
      return LoudestOf<uint8_t>(data, first, count);
    case SampleFormat::Int16:
      return LoudestOf<int16_t>(data, first, count);
    case SampleFormat::Int32:
      return LoudestOf<int32_t>(data, first, count);
    case SampleFormat::Float:
      return LoudestOf<float>(data, first, count);
  }
  return 0;
}

}  // namespace

void WaveformSummary::Reserve(int64_t durationMs) {
  m_peaks.reserve(static_cast<size_t>(std::clamp<int64_t>(durationMs / kBucketMs + 1, 0, kMaxBuckets)));
}

void WaveformSummary::AddSamples(const void* data, int64_t frames, int channels, int sampleRate,
                                 SampleFormat format, int64_t startUs) {
  if (frames <= 0 || channels <= 0 || sampleRate <= 0) return;
  if (startUs < 0) startUs = m_nextUs;
  const double framesPerUs = sampleRate / 1e6;
  // The frame at which bucket b begins, counted from this call's first frame.
  const auto firstFrameOf = [&](int64_t bucket) {
    return static_cast<int64_t>(
        std::ceil(static_cast<double>(bucket * kUsPerBucket - startUs) * framesPerUs));
  };
  for (int64_t frame = 0; frame < frames;) {
    const int64_t bucket =
        (startUs + static_cast<int64_t>(static_cast<double>(frame) / framesPerUs)) / kUsPerBucket;
    const int64_t end = std::clamp(firstFrameOf(bucket + 1), frame + 1, frames);
    Put(bucket, Loudest(data, frame * channels, (end - frame) * channels, format));
    frame = end;
  }
  m_nextUs = startUs + static_cast<int64_t>(std::llround(static_cast<double>(frames) / framesPerUs));
}

void WaveformSummary::Put(int64_t bucket, float level) {
  if (bucket < 0 || bucket >= kMaxBuckets) return;
  if (bucket >= BucketCount()) m_peaks.resize(static_cast<size_t>(bucket) + 1, 0);
  const auto peak = static_cast<uint8_t>(std::lround(std::min(level, 1.0f) * 255));
  uint8_t& kept = m_peaks[static_cast<size_t>(bucket)];
  kept = std::max(kept, peak);
}

uint8_t WaveformSummary::PeakAt(int64_t bucket) const {
  return bucket >= 0 && bucket < BucketCount() ? m_peaks[static_cast<size_t>(bucket)] : 0;
}

uint8_t WaveformSummary::PeakBetween(int64_t fromMs, int64_t toMs) const {
  const int64_t first = std::max<int64_t>(fromMs, 0) / kBucketMs;
  const int64_t last = std::min((toMs + kBucketMs - 1) / kBucketMs, BucketCount());
  uint8_t loudest = 0;
  for (int64_t b = first; b < last; ++b) loudest = std::max(loudest, m_peaks[static_cast<size_t>(b)]);
  return loudest;
}

}  // namespace qm
