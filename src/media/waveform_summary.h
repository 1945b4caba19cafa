#pragma once
// The sound of a film as the waveform strip draws it: the loudest sample of every 10 ms, one
// byte each, so that a two-hour track costs 720 KB whatever its sample rate and channels.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

enum class SampleFormat : uint8_t { UInt8, Int16, Int32, Float };

class WaveformSummary {
 public:
  static constexpr int64_t kBucketMs = 10;
  // A day of sound at most (8.64 million buckets); sound beyond it is not kept.
  static constexpr int64_t kMaxBuckets = int64_t{24} * 3600 * 1000 / kBucketMs;

  // Room for a track of this length, so that the summary grows in one step.
  void Reserve(int64_t durationMs);
  // Interleaved samples whose first frame plays at `startUs` microseconds; a negative start
  // continues where the previous call ended. Buckets that two calls share keep the louder.
  void AddSamples(const void* data, int64_t frames, int channels, int sampleRate, SampleFormat format,
                  int64_t startUs);
  int64_t BucketCount() const { return static_cast<int64_t>(m_peaks.size()); }
  // The loudest sample of bucket `bucket`, 0..255 of full scale; 0 for a bucket not yet heard.
  uint8_t PeakAt(int64_t bucket) const;
  // The loudest of the buckets that overlap [fromMs, toMs).
  uint8_t PeakBetween(int64_t fromMs, int64_t toMs) const;
  size_t Bytes() const { return m_peaks.capacity(); }

 private:
  void Put(int64_t bucket, float level);

  std::vector<uint8_t> m_peaks;
  int64_t m_nextUs = 0;  // where the sound of the last call ended
};

}  // namespace qm
