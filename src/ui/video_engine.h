#pragma once
// The film behind the video window, as the window needs it: open, play, pause, seek, each
// frame as a picture, and the sound summarised for the waveform strip in the background.
// Qt Multimedia stays behind this header: it is built in only with QM_VIDEO, and without it,
// or on a machine whose Qt has no multimedia backend, the factories return nothing and the
// window says so.

#include <QImage>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <mutex>

#include "media/waveform_summary.h"

namespace qm {

class VideoEngine : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  virtual void Open(const QString& path) = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual bool IsPlaying() const = 0;
  // A seek asked for before the file is ready is kept and done once it is.
  virtual void Seek(int64_t ms) = 0;
  virtual int64_t Position() const = 0;
  virtual int64_t Duration() const = 0;
  // The rate the backend reports for the open file; 0 when it does not say.
  virtual double FrameRate() const = 0;
  virtual void SetVolume(int percent) = 0;

 signals:
  void Opened(bool hasPicture);        // the duration is known and the first frame is on its way
  void Failed(const QString& detail);  // the backend's own words
  void PositionChanged(qint64 ms);
  void FrameReady(const QImage& picture, qint64 ms);
  void PlayingChanged(bool playing);
};

// The summary the background job fills and the strip reads, each under the lock.
struct SharedWaveform {
  std::mutex Lock;
  WaveformSummary Summary;
  bool Done = false;
};

class WaveformJob : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  // Decodes the sound of `path` in the background into a new summary; a run still going for
  // an earlier file stops.
  virtual void Start(const QString& path, int64_t durationMs) = 0;
  std::shared_ptr<SharedWaveform> Waveform() const { return m_waveform; }

 signals:
  void Finished();

 protected:
  std::shared_ptr<SharedWaveform> m_waveform = std::make_shared<SharedWaveform>();
};

// Whether films can be played here at all.
bool VideoSupported();
// nullptr when VideoSupported() is false.
std::unique_ptr<VideoEngine> CreateVideoEngine();
std::unique_ptr<WaveformJob> CreateWaveformJob();
// The frame rate the backend reports for a file, read without playing it; 0 when it does not
// say, when the file does not open within `timeoutMs`, or without multimedia support.
double BackendFrameRate(const QString& path, int timeoutMs);

}  // namespace qm
