#pragma once
// The video window: the film with the subtitle of the moment on its picture, the waveform
// strip with the subtitles as bars, and the buttons that set the selected subtitle's show and
// hide time from the film's position. It stands beside the main window and follows the
// document: the grid's selection seeks the film, and "Follow playback" lets the film select.

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

#include "config/video_texts.h"
#include "document/video_timing.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace qm {

// The open dialog's filter for films.
inline constexpr const char* kVideoFileFilter =
    "Video (*.mkv *.mp4 *.m4v *.avi *.webm *.mov *.mpg *.mpeg *.ts *.ogv *.wmv *.flv);;* (*)";

class TForm1;
class VideoEngine;
class VideoPicture;
class WaveformJob;
class WaveformStrip;

class TFormVideo final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormVideo(TForm1& mainWindow);
  ~TFormVideo() override;

  // Shown without waiting, beside the main window where the screen has room.
  void ShowBeside(const QWidget& mainWindow);
  void ApplyTexts(const VideoTexts& texts);
  const VideoTexts& Texts() const { return m_texts; }

  void OpenVideo(QString path);  // a copy: the offer it may come from is taken back here
  // The film beside the subtitle file, offered as a link; an empty path takes the offer back.
  void OfferVideo(const QString& path);
  const QString& VideoFile() const { return m_file; }
  // A film is open and can be played and sought.
  bool HasVideo() const { return m_ready; }
  int64_t PositionMs() const { return m_positionMs; }
  // The open film's frame rate: as its headers state it, else as the backend reports it;
  // 0 when neither says.
  double VideoFrameRate();

  void PlayPause();
  void Step(PositionStep step);
  void SeekTo(int64_t ms);
  // Seeks to the show time of grid row `row`, unless the window itself is selecting rows.
  void SeekToSubtitle(int32_t row);
  // Selects grid row `row` without seeking the film (follow playback, go to next).
  void SelectRowQuietly(int32_t row);

  QPushButton* ButtonVideoOtevrit;
  QLabel* LabelVideoSoubor;
  QPushButton* ButtonVideoNabidka;
  QLabel* LabelVideoZprava;
  VideoPicture* VideoObraz;
  WaveformStrip* VideoVlna;
  QSlider* SliderVideoPozice;
  QPushButton* ButtonVideoPlay;
  QLabel* LabelVideoPozice;
  QSlider* SliderVideoHlasitost;
  QCheckBox* CheckBoxSledovatPrehravani;
  QPushButton* ButtonNastavitZobrazeni;
  QPushButton* ButtonNastavitSchovani;
  QPushButton* ButtonNastavitSchovaniDalsi;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  void ConnectControls();
  bool EnsureEngine();
  void ShowMessage(const QString& text);
  void SetReady(bool ready);
  void Opened(bool hasPicture);
  void Failed(const QString& detail);
  void FrameReady(const QImage& picture, int64_t ms);
  void PositionChanged(int64_t ms);
  void ShowPosition();
  void FollowPlayback();
  void RefreshSubtitle();
  void ScheduleRefresh();
  void WaveformFinished();
  void ButtonVideoOtevritClick();
  bool KeyDown(const QKeyEvent& key);

  TForm1& m_main;
  VideoTexts m_texts;
  std::unique_ptr<VideoEngine> m_engine;
  std::unique_ptr<WaveformJob> m_waveformJob;
  bool m_engineTried = false;
  QTimer* m_waveformRepaint;
  QString m_file;
  QString m_offer;
  bool m_ready = false;
  bool m_refreshPending = false;
  bool m_saidNoPicture = false;
  int64_t m_positionMs = 0;
  int m_quietSelection = 0;
  double m_headerRate = -1;  // -1 until read from the open film's headers
};

}  // namespace qm
