#include "media/waveform_summary.h"

#include <gtest/gtest.h>

#include <vector>

namespace qm {
namespace {

std::vector<uint8_t> Peaks(const WaveformSummary& summary) {
  std::vector<uint8_t> peaks;
  for (int64_t b = 0; b < summary.BucketCount(); ++b) peaks.push_back(summary.PeakAt(b));
  return peaks;
}

TEST(WaveformSummary, LoudestSampleOfEveryTenMilliseconds) {
  // One second at 44100 Hz: silence for half a second, then full scale.
  std::vector<float> samples(44100, 0.0f);
  for (size_t i = 22050; i < samples.size(); ++i) samples[i] = i % 2 ? -1.0f : 0.5f;
  WaveformSummary summary;
  summary.AddSamples(samples.data(), 44100, 1, 44100, SampleFormat::Float, 0);
  const std::vector<uint8_t> peaks = Peaks(summary);
  ASSERT_EQ(peaks.size(), 100u);
  for (int b = 0; b < 50; ++b) EXPECT_EQ(peaks[b], 0) << b;
  for (int b = 50; b < 100; ++b) EXPECT_EQ(peaks[b], 255) << b;
  EXPECT_EQ(summary.PeakBetween(0, 500), 0);
  EXPECT_EQ(summary.PeakBetween(495, 505), 255);
}

TEST(WaveformSummary, EverySampleFormatAndChannelCounts) {
  const int16_t stereo[] = {0, 0, 0, -16384};  // only the right channel of the second frame sounds
  const uint8_t bytes[] = {128, 128, 192};     // unsigned, silent at 128
  const int32_t wide[] = {0, 1 << 30};
  const float floats[] = {0.25f, -2.0f};  // beyond full scale counts as full scale
  const struct {
    const void* data;
    int64_t frames;
    int channels;
    SampleFormat format;
    uint8_t peak;
  } cases[] = {
      {stereo, 2, 2, SampleFormat::Int16, 128},
      {bytes, 3, 1, SampleFormat::UInt8, 128},
      {wide, 2, 1, SampleFormat::Int32, 128},
      {floats, 2, 1, SampleFormat::Float, 255},
  };
  for (const auto& c : cases) {
    WaveformSummary summary;
    summary.AddSamples(c.data, c.frames, c.channels, 8000, c.format, 0);
    EXPECT_EQ(summary.PeakAt(0), c.peak) << int(c.format);
  }
}

TEST(WaveformSummary, BucketsFollowTheSamplesTimes) {
  // 22050 Hz has 220.5 frames per bucket: frame 220 still plays in the first 10 ms, 221 does not.
  std::vector<int16_t> pulse(441, 0);
  pulse[220] = 32767;
  WaveformSummary first;
  first.AddSamples(pulse.data(), 441, 1, 22050, SampleFormat::Int16, 0);
  EXPECT_EQ(Peaks(first), (std::vector<uint8_t>{255, 0}));
  pulse[220] = 0;
  pulse[221] = 32767;
  WaveformSummary second;
  second.AddSamples(pulse.data(), 441, 1, 22050, SampleFormat::Int16, 0);
  EXPECT_EQ(Peaks(second), (std::vector<uint8_t>{0, 255}));

  // A buffer placed by its start time; a buffer without one continues the last.
  const std::vector<float> loud(80, 1.0f);  // 10 ms at 8000 Hz
  WaveformSummary placed;
  placed.AddSamples(loud.data(), 80, 1, 8000, SampleFormat::Float, 2'000'000);
  placed.AddSamples(loud.data(), 80, 1, 8000, SampleFormat::Float, -1);
  EXPECT_EQ(placed.BucketCount(), 202);
  EXPECT_EQ(placed.PeakAt(199), 0);
  EXPECT_EQ(placed.PeakAt(200), 255);
  EXPECT_EQ(placed.PeakAt(201), 255);
  EXPECT_EQ(placed.PeakAt(202), 0);  // not heard yet
}

TEST(WaveformSummary, StaysWithinADayOfSound) {
  const std::vector<float> loud(80, 1.0f);
  WaveformSummary summary;
  summary.Reserve(int64_t{48} * 3600 * 1000);  // a stated length beyond a day reserves one day
  EXPECT_EQ(summary.Bytes(), size_t(WaveformSummary::kMaxBuckets));
  summary.AddSamples(loud.data(), 80, 1, 8000, SampleFormat::Float, int64_t{25} * 3600 * 1'000'000);
  EXPECT_EQ(summary.BucketCount(), 0);
  summary.AddSamples(loud.data(), 80, 1, 8000, SampleFormat::Float, int64_t{24} * 3600 * 1'000'000 - 10'000);
  EXPECT_EQ(summary.BucketCount(), WaveformSummary::kMaxBuckets);
  EXPECT_EQ(summary.PeakAt(WaveformSummary::kMaxBuckets - 1), 255);
}

}  // namespace
}  // namespace qm
