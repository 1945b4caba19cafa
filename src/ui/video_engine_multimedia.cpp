// The video window's film through Qt Multimedia: a player that hands every frame over as a
// picture. A freshly loaded file shows no frame and ignores seeks until it has played once,
// so a load plays and pauses at once and keeps any seek asked for meanwhile.

#include <QAudioOutput>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPluginLoader>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <optional>

#include "ui/video_engine.h"

namespace qm {
namespace {

class MultimediaEngine final : public VideoEngine {
 public:
  MultimediaEngine() {
    m_player.setAudioOutput(&m_audio);
    m_player.setVideoSink(&m_sink);
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, &MultimediaEngine::StatusChanged);
    // What a file holds may become known only after it is reported loaded.
    connect(&m_player, &QMediaPlayer::durationChanged, this, &MultimediaEngine::TryReady);
    connect(&m_player, &QMediaPlayer::hasVideoChanged, this, &MultimediaEngine::TryReady);
    connect(&m_player, &QMediaPlayer::hasAudioChanged, this, &MultimediaEngine::TryReady);
    connect(&m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& detail) {
              if (!std::exchange(m_failed, true)) emit Failed(detail);
            });
    connect(&m_player, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
      if (m_ready) emit PositionChanged(ms);
    });
    connect(&m_player, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
      if (m_ready) emit PlayingChanged(state == QMediaPlayer::PlayingState);
    });
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, &MultimediaEngine::TakeFrame);
  }

  void Open(const QString& path) override {
    m_ready = m_failed = m_loading = false;
    m_pendingSeek.reset();
    // The same file again must load again, not be taken as already there.
    if (m_player.source() == QUrl::fromLocalFile(path)) m_player.setSource(QUrl());
    m_player.setSource(QUrl::fromLocalFile(path));
  }
  void Play() override {
    if (m_ready) m_player.play();
  }
  void Pause() override {
    if (m_ready) m_player.pause();
  }
  bool IsPlaying() const override { return m_player.playbackState() == QMediaPlayer::PlayingState; }
  void Seek(int64_t ms) override {
    if (m_ready)
      m_player.setPosition(ms);
    else
      m_pendingSeek = ms;
  }
  int64_t Position() const override { return m_player.position(); }
  int64_t Duration() const override { return m_player.duration(); }
  double FrameRate() const override {
    return m_player.metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
  }
  void SetVolume(int percent) override { m_audio.setVolume(static_cast<float>(percent) / 100.0f); }

 private:
  // The backend's renderer waits for this handler and gives up playing when it waits long
  // (300 ms in Qt 6.4): the picture is made from the frame later, and only from the newest
  // frame when several came meanwhile.
  void TakeFrame(const QVideoFrame& frame) {
    if (!m_ready || !frame.isValid()) return;
    const bool scheduled = m_pendingFrame.isValid();
    m_pendingFrame = frame;
    if (!scheduled)
      QMetaObject::invokeMethod(this, &MultimediaEngine::ShowPendingFrame, Qt::QueuedConnection);
  }
  void ShowPendingFrame() {
    const QVideoFrame frame = std::exchange(m_pendingFrame, QVideoFrame());
    if (!m_ready || !frame.isValid()) return;
    const qint64 ms = frame.startTime() >= 0 ? frame.startTime() / 1000 : m_player.position();
    emit FrameReady(frame.toImage(), ms);
  }

  void StatusChanged(QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::InvalidMedia) {
      if (!std::exchange(m_failed, true)) emit Failed(m_player.errorString());
      return;
    }
    // The statuses of the file before may still arrive after a new one is set; the new file's
    // own begin with its loading.
    if (status == QMediaPlayer::LoadingMedia) m_loading = true;
    TryReady();
  }

  // Qt 6.4 may report a file loaded before it knows its streams and length; the file is
  // ready once it is loaded and both are known. It then plays and pauses at once, which
  // shows its first frame.
  void TryReady() {
    const QMediaPlayer::MediaStatus status = m_player.mediaStatus();
    const bool loaded = status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia;
    if (!loaded || !m_loading || m_ready || m_failed) return;
    if (m_player.duration() <= 0 || !(m_player.hasVideo() || m_player.hasAudio())) return;
    m_player.play();
    m_player.pause();
    m_ready = true;
    if (m_pendingSeek) m_player.setPosition(*std::exchange(m_pendingSeek, std::nullopt));
    emit Opened(m_player.hasVideo());
    emit PositionChanged(m_player.position());
  }

  QMediaPlayer m_player;
  QAudioOutput m_audio;
  QVideoSink m_sink;
  bool m_loading = false;
  bool m_ready = false;
  bool m_failed = false;
  std::optional<int64_t> m_pendingSeek;
  QVideoFrame m_pendingFrame;
};

// Qt 6.4 ends the program on the first player when no multimedia backend loads, so the
// backends are looked at first, the way Qt finds them: plugins in a "multimedia" folder of the
// plugin paths, chosen by QT_MEDIA_BACKEND when it is set. Every candidate must load, since
// which of them Qt prefers is its own choice.
bool BackendsLoad() {
  const QString wanted = qEnvironmentVariable("QT_MEDIA_BACKEND");
  int loaded = 0;
  for (const QString& folder : QCoreApplication::libraryPaths()) {
    const QDir plugins(folder + "/multimedia");
    for (const QString& file : plugins.entryList(QDir::Files)) {
      QPluginLoader plugin(plugins.filePath(file));
      const QJsonArray keys = plugin.metaData().value("MetaData").toObject().value("Keys").toArray();
      if (keys.isEmpty() || (!wanted.isEmpty() && !keys.contains(wanted))) continue;
      if (!plugin.load()) return false;
      ++loaded;
    }
  }
  return loaded > 0;
}

}  // namespace

bool VideoSupported() {
  static const bool supported = BackendsLoad() && QMediaPlayer().isAvailable();
  return supported;
}

std::unique_ptr<VideoEngine> CreateVideoEngine() {
  if (!VideoSupported()) return nullptr;
  return std::make_unique<MultimediaEngine>();
}

double BackendFrameRate(const QString& path, int timeoutMs) {
  if (!VideoSupported()) return 0;
  QMediaPlayer player;
  QEventLoop wait;
  QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &wait, [&wait](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::InvalidMedia) wait.quit();
  });
  QObject::connect(&player, &QMediaPlayer::errorOccurred, &wait, &QEventLoop::quit);
  QTimer::singleShot(timeoutMs, &wait, &QEventLoop::quit);
  player.setSource(QUrl::fromLocalFile(path));
  if (player.mediaStatus() != QMediaPlayer::LoadedMedia) wait.exec();
  return player.metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
}

}  // namespace qm
