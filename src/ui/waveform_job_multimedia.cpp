// The waveform's sound decoded on a thread of its own: the decoder hands over its buffers
// there, each is folded into the 10 ms peaks at once and dropped, so memory stays at the
// summary's size and the window never waits for the decoder.

#include <dlfcn.h>

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QPointer>
#include <QThread>
#include <QUrl>
#include <functional>
#include <optional>

#include "ui/video_engine.h"

namespace qm {
namespace {

std::optional<SampleFormat> SampleFormatOf(QAudioFormat::SampleFormat format) {
  switch (format) {
    case QAudioFormat::UInt8:
      return SampleFormat::UInt8;
    case QAudioFormat::Int16:
      return SampleFormat::Int16;
    case QAudioFormat::Int32:
      return SampleFormat::Int32;
    case QAudioFormat::Float:
      return SampleFormat::Float;
    default:
      return std::nullopt;
  }
}

// Qt 6.4's GStreamer backend registers the player's video sink ("qtvideosink") as a primary
// element, so the decoder's own pipeline plugs it onto a film's picture stream, where it
// crashes for want of a player. Once the player has registered it, it is taken out of
// automatic plugging. The backend's GStreamer is looked up only if it is already loaded;
// another backend needs nothing.
void KeepPlayerSinkOutOfDecoders() {
  void* gst = dlopen("libgstreamer-1.0.so.0", RTLD_NOW | RTLD_NOLOAD);
  if (!gst) return;
  using Find = void* (*)(const char*);
  using SetRank = void (*)(void*, unsigned);
  using Unref = void (*)(void*);
  const auto find = reinterpret_cast<Find>(dlsym(gst, "gst_element_factory_find"));
  const auto setRank = reinterpret_cast<SetRank>(dlsym(gst, "gst_plugin_feature_set_rank"));
  const auto unref = reinterpret_cast<Unref>(dlsym(gst, "gst_object_unref"));
  if (find && setRank && unref)
    if (void* sink = find("qtvideosink")) {
      setRank(sink, 0);  // GST_RANK_NONE
      unref(sink);
    }
  dlclose(gst);
}

// Lives on the job's thread from start to end of one file.
class DecoderRun final : public QObject {
 public:
  DecoderRun(QString path, std::shared_ptr<SharedWaveform> waveform)
      : m_path(std::move(path)), m_waveform(std::move(waveform)) {}

  void Start(std::function<void()> finished) {
    m_finished = std::move(finished);
    m_decoder = new QAudioDecoder(this);
    connect(m_decoder, &QAudioDecoder::bufferReady, this, &DecoderRun::TakeBuffer);
    connect(m_decoder, &QAudioDecoder::finished, this, &DecoderRun::Finish);
    connect(m_decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this, &DecoderRun::Refused);
    m_decoder->setSource(QUrl::fromLocalFile(m_path));
    m_decoder->start();
  }
  void Stop() {
    if (m_decoder) m_decoder->stop();
    m_finished = nullptr;
  }

 private:
  void TakeBuffer() {
    const QAudioBuffer buffer = m_decoder->read();
    const auto format = SampleFormatOf(buffer.format().sampleFormat());
    if (!buffer.isValid() || !format) return;
    m_heard = true;
    std::lock_guard lock(m_waveform->Lock);
    m_waveform->Summary.AddSamples(buffer.constData<unsigned char>(), buffer.frameCount(),
                                   buffer.format().channelCount(), buffer.format().sampleRate(), *format,
                                   buffer.startTime());
  }
  void Refused() {
    // Some decoders give their samples in a layout that only a converter can hand over
    // (planar AC-3, for one); asking for a plain format puts that converter in.
    if (m_heard || m_converted) return Finish();
    m_converted = true;
    m_decoder->stop();
    QAudioFormat plain;
    plain.setSampleFormat(QAudioFormat::Float);
    plain.setSampleRate(48000);
    plain.setChannelCount(2);
    m_decoder->setAudioFormat(plain);
    m_decoder->start();
  }
  void Finish() {
    {
      std::lock_guard lock(m_waveform->Lock);
      m_waveform->Done = true;
    }
    if (m_finished) std::exchange(m_finished, nullptr)();
  }

  QString m_path;
  std::shared_ptr<SharedWaveform> m_waveform;
  std::function<void()> m_finished;
  QAudioDecoder* m_decoder = nullptr;
  bool m_heard = false;
  bool m_converted = false;
};

class MultimediaWaveformJob final : public WaveformJob {
 public:
  MultimediaWaveformJob() {
    m_anchor.moveToThread(&m_thread);
    m_thread.start();
  }
  ~MultimediaWaveformJob() override {
    // Runs in order on the job's thread: every run stopped earlier is gone, and so is the
    // current one, before the thread ends.
    QMetaObject::invokeMethod(
        &m_anchor,
        [run = m_run] {
          if (!run) return;
          run->Stop();
          delete run;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
  }

  void Start(const QString& path, int64_t durationMs) override {
    StopRun();
    KeepPlayerSinkOutOfDecoders();
    m_waveform = std::make_shared<SharedWaveform>();
    m_waveform->Summary.Reserve(durationMs);
    auto* run = new DecoderRun(path, m_waveform);
    run->moveToThread(&m_thread);
    m_run = run;
    QPointer<WaveformJob> job(this);
    QMetaObject::invokeMethod(run, [run, job] {
      run->Start([job] {
        QMetaObject::invokeMethod(job, [job] {
          if (job) emit job->Finished();
        });
      });
    });
  }

 private:
  void StopRun() {
    if (!m_run) return;
    QMetaObject::invokeMethod(m_run, [run = m_run] {
      run->Stop();
      run->deleteLater();
    });
    m_run = nullptr;
  }

  QThread m_thread;
  QObject m_anchor;             // lives on the thread, for calls that must run there
  DecoderRun* m_run = nullptr;  // deleted on its own thread
};

}  // namespace

std::unique_ptr<WaveformJob> CreateWaveformJob() {
  if (!VideoSupported()) return nullptr;
  return std::make_unique<MultimediaWaveformJob>();
}

}  // namespace qm
