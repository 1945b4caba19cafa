#include "ui/video_form.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <mutex>

#include "document/subtitles_tool.h"
#include "media/media_probe.h"
#include "platform/ini_file.h"
#include "ui/quillmark_unit.h"
#include "ui/subtitle_grid.h"
#include "ui/text_bridge.h"
#include "ui/video_engine.h"
#include "ui/video_picture.h"
#include "ui/waveform_strip.h"

namespace qm {
namespace {

constexpr int kWaveformRepaintMs = 250;

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QString Q(const std::string& text) { return FromUtf8(text); }

}  // namespace

TFormVideo::TFormVideo(TForm1& mainWindow) : QDialog(nullptr), m_main(mainWindow) {
  setObjectName("TFormVideo");
  setWindowTitle("Video");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
  setModal(false);
  setAttribute(Qt::WA_QuitOnClose, false);  // an open video window never keeps the program running
  setFont(mainWindow.font());
  resize(640, 560);
  BuildWindow();
  ConnectControls();
  ApplyTexts(LoadVideoTexts(IniFile{}));
  SetReady(false);
}

TFormVideo::~TFormVideo() = default;

void TFormVideo::BuildWindow() {
  ButtonVideoOtevrit = Named(new QPushButton(this), "ButtonVideoOtevrit");
  LabelVideoSoubor = Named(new QLabel(this), "LabelVideoSoubor");
  ButtonVideoNabidka = Named(new QPushButton(this), "ButtonVideoNabidka");
  ButtonVideoNabidka->setFlat(true);
  ButtonVideoNabidka->setCursor(Qt::PointingHandCursor);
  ButtonVideoNabidka->setStyleSheet("color: palette(link); text-decoration: underline; border: none;");
  ButtonVideoNabidka->hide();
  LabelVideoZprava = Named(new QLabel(this), "LabelVideoZprava");
  LabelVideoZprava->setWordWrap(true);
  LabelVideoZprava->hide();
  VideoObraz = Named(new VideoPicture(this), "VideoObraz");
  VideoVlna = Named(
      new WaveformStrip(
          [this](int64_t from, int64_t to) { return SubtitlesBetween(m_main.Document(), from, to); }, this),
      "VideoVlna");
  SliderVideoPozice = Named(new QSlider(Qt::Horizontal, this), "SliderVideoPozice");
  ButtonVideoPlay = Named(new QPushButton(this), "ButtonVideoPlay");
  ButtonVideoPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  LabelVideoPozice = Named(new QLabel(QString::fromStdString(PositionText(0)), this), "LabelVideoPozice");
  LabelVideoPozice->setMinimumWidth(fontMetrics().horizontalAdvance("00:00:00,000 [000000]") + 8);
  CheckBoxSledovatPrehravani = Named(new QCheckBox(this), "CheckBoxSledovatPrehravani");
  SliderVideoHlasitost = Named(new QSlider(Qt::Horizontal, this), "SliderVideoHlasitost");
  SliderVideoHlasitost->setRange(0, 100);
  SliderVideoHlasitost->setValue(100);
  SliderVideoHlasitost->setMaximumWidth(90);
  ButtonNastavitZobrazeni = Named(new QPushButton(this), "ButtonNastavitZobrazeni");
  ButtonNastavitSchovani = Named(new QPushButton(this), "ButtonNastavitSchovani");
  ButtonNastavitSchovaniDalsi = Named(new QPushButton(this), "ButtonNastavitSchovaniDalsi");
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

  auto* file = new QHBoxLayout;
  file->addWidget(ButtonVideoOtevrit);
  file->addWidget(LabelVideoSoubor, 1);
  file->addWidget(ButtonVideoNabidka);
  auto* playing = new QHBoxLayout;
  playing->addWidget(ButtonVideoPlay);
  playing->addWidget(LabelVideoPozice);
  playing->addStretch(1);
  playing->addWidget(CheckBoxSledovatPrehravani);
  auto* volume = new QLabel(this);
  volume->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));
  playing->addWidget(volume);
  playing->addWidget(SliderVideoHlasitost);
  auto* timing = new QHBoxLayout;
  timing->addWidget(ButtonNastavitZobrazeni);
  timing->addWidget(ButtonNastavitSchovani);
  timing->addWidget(ButtonNastavitSchovaniDalsi);
  timing->addStretch(1);
  auto* column = new QVBoxLayout(this);
  column->addLayout(file);
  column->addWidget(LabelVideoZprava);
  column->addWidget(VideoObraz, 1);
  column->addWidget(VideoVlna);
  column->addWidget(SliderVideoPozice);
  column->addLayout(playing);
  column->addLayout(timing);

  m_waveformRepaint = new QTimer(this);
  m_waveformRepaint->setInterval(kWaveformRepaintMs);
  connect(m_waveformRepaint, &QTimer::timeout, VideoVlna, qOverload<>(&QWidget::update));

  // The window sees every key before its controls do.
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TFormVideo::ConnectControls() {
  const auto guarded = [this](auto body) { return [this, body] { m_main.Guarded(body); }; };
  connect(ButtonVideoOtevrit, &QPushButton::clicked, this, guarded([this] { ButtonVideoOtevritClick(); }));
  connect(ButtonVideoNabidka, &QPushButton::clicked, this, [this] { OpenVideo(m_offer); });
  connect(ButtonVideoPlay, &QPushButton::clicked, this, &TFormVideo::PlayPause);
  connect(ButtonNastavitZobrazeni, &QPushButton::clicked, this,
          guarded([this] { m_main.SetTimeFromVideo(kShowTime, false); }));
  connect(ButtonNastavitSchovani, &QPushButton::clicked, this,
          guarded([this] { m_main.SetTimeFromVideo(kHideTime, false); }));
  connect(ButtonNastavitSchovaniDalsi, &QPushButton::clicked, this,
          guarded([this] { m_main.SetTimeFromVideo(kHideTime, true); }));
  connect(SliderVideoPozice, &QSlider::sliderMoved, this, [this](int ms) { SeekTo(ms); });
  connect(SliderVideoPozice, &QSlider::actionTriggered, this, [this](int action) {
    if (action != QSlider::SliderMove)
      QTimer::singleShot(0, this, [this] { SeekTo(SliderVideoPozice->value()); });
  });
  connect(SliderVideoHlasitost, &QSlider::valueChanged, this, [this](int percent) {
    if (m_engine) m_engine->SetVolume(percent);
  });
  connect(VideoVlna, &WaveformStrip::SeekRequested, this, [this](qint64 ms) { SeekTo(ms); });
  connect(VideoVlna, &WaveformStrip::EdgeMoved, this, [this](int row, int which, qint64 ms) {
    m_main.Guarded([&] { m_main.SetSubtitleTimeAt(row, which, ms); });
  });
  // Every change of the document reaches the grid; the picture and the bars follow it there.
  const SubtitleGridModel* grid = &m_main.GridModel();
  connect(grid, &QAbstractItemModel::dataChanged, this, &TFormVideo::ScheduleRefresh);
  connect(grid, &QAbstractItemModel::modelReset, this, &TFormVideo::ScheduleRefresh);
  connect(grid, &QAbstractItemModel::rowsInserted, this, &TFormVideo::ScheduleRefresh);
  connect(grid, &QAbstractItemModel::rowsRemoved, this, &TFormVideo::ScheduleRefresh);
  connect(m_main.Titulky->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &TFormVideo::ScheduleRefresh);
}

void TFormVideo::ApplyTexts(const VideoTexts& texts) {
  m_texts = texts;
  setWindowTitle(Q(texts.FormVideoCaption));
  const struct {
    QWidget* control;
    const std::string* caption;
    const std::string& hint;
  } controls[] = {
      {ButtonVideoOtevrit, &texts.ButtonVideoOtevrit, texts.ButtonVideoOtevritHint},
      {ButtonVideoPlay, nullptr, texts.ButtonVideoPlayHint},
      {LabelVideoPozice, nullptr, texts.LabelVideoPoziceHint},
      {SliderVideoPozice, nullptr, texts.SliderVideoPoziceHint},
      {SliderVideoHlasitost, nullptr, texts.SliderVideoHlasitostHint},
      {CheckBoxSledovatPrehravani, &texts.CheckBoxSledovatPrehravani, texts.CheckBoxSledovatPrehravaniHint},
      {ButtonNastavitZobrazeni, &texts.ButtonNastavitZobrazeni, texts.ButtonNastavitZobrazeniHint},
      {ButtonNastavitSchovani, &texts.ButtonNastavitSchovani, texts.ButtonNastavitSchovaniHint},
      {ButtonNastavitSchovaniDalsi, &texts.ButtonNastavitSchovaniDalsi,
       texts.ButtonNastavitSchovaniDalsiHint},
      {VideoVlna, nullptr, texts.VideoVlnaHint},
  };
  for (const auto& [control, caption, hint] : controls) {
    if (caption) control->setProperty("text", Q(*caption));
    SetHint(*control, Q(hint));
  }
  OfferVideo(m_offer);
  if (!m_engineTried || !m_file.isEmpty()) return;
  ShowMessage(Q(m_engine ? texts.VideoZadneVideo : texts.VideoNedostupne));
}

void TFormVideo::ShowBeside(const QWidget& mainWindow) {
  if (!m_engineTried && EnsureEngine() && m_file.isEmpty()) ShowMessage(Q(m_texts.VideoZadneVideo));
  if (!isVisible()) {
    const QRect main = mainWindow.frameGeometry();
    const QScreen* screen = mainWindow.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    QPoint at(main.right() + 8, main.top());
    if (at.x() + width() > room.right()) at.setX(std::max(room.left(), room.right() - width()));
    move(at);
  }
  show();
  raise();
  activateWindow();
}

bool TFormVideo::EnsureEngine() {
  if (std::exchange(m_engineTried, true)) return m_engine != nullptr;
  m_engine = CreateVideoEngine();
  if (!m_engine) {
    ShowMessage(Q(m_texts.VideoNedostupne));
    return false;
  }
  m_waveformJob = CreateWaveformJob();
  connect(m_engine.get(), &VideoEngine::Opened, this, &TFormVideo::Opened);
  connect(m_engine.get(), &VideoEngine::Failed, this, &TFormVideo::Failed);
  connect(m_engine.get(), &VideoEngine::FrameReady, this, &TFormVideo::FrameReady);
  connect(m_engine.get(), &VideoEngine::PositionChanged, this, &TFormVideo::PositionChanged);
  connect(m_engine.get(), &VideoEngine::PlayingChanged, this, [this](bool playing) {
    ButtonVideoPlay->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
  });
  if (m_waveformJob)
    connect(m_waveformJob.get(), &WaveformJob::Finished, this, &TFormVideo::WaveformFinished);
  m_engine->SetVolume(SliderVideoHlasitost->value());
  return true;
}

void TFormVideo::ShowMessage(const QString& text) {
  LabelVideoZprava->setText(text);
  LabelVideoZprava->setVisible(!text.isEmpty());
}

void TFormVideo::SetReady(bool ready) {
  m_ready = ready;
  for (QWidget* control :
       {static_cast<QWidget*>(ButtonVideoPlay), static_cast<QWidget*>(SliderVideoPozice),
        static_cast<QWidget*>(ButtonNastavitZobrazeni), static_cast<QWidget*>(ButtonNastavitSchovani),
        static_cast<QWidget*>(ButtonNastavitSchovaniDalsi), static_cast<QWidget*>(VideoVlna)})
    control->setEnabled(ready);
}

// --- Opening ------------------------------------------------------------------------------

void TFormVideo::ButtonVideoOtevritClick() {
  FileDialogRequest request;
  request.Title = Q(m_texts.VideoOpenDialogTitle);
  if (!m_file.isEmpty()) request.Folder = QFileInfo(m_file).absolutePath();
  request.Filter = kVideoFileFilter;
  if (const auto path = m_main.DialogsLayer().OpenFileName(this, request)) OpenVideo(*path);
}

void TFormVideo::OpenVideo(QString path) {
  if (path.isEmpty()) return;
  if (!EnsureEngine()) return;
  m_file = path = QFileInfo(path).absoluteFilePath();
  m_headerRate = -1;
  m_positionMs = 0;
  LabelVideoSoubor->setText(QFileInfo(path).fileName());
  LabelVideoSoubor->setToolTip(path);
  if (m_offer == path) OfferVideo({});
  SetReady(false);
  VideoObraz->Clear();
  VideoVlna->SetWaveform(nullptr);
  VideoVlna->SetNote({});
  ShowMessage({});
  m_saidNoPicture = false;
  m_engine->Open(path);
}

void TFormVideo::OfferVideo(const QString& path) {
  m_offer = path;
  ButtonVideoNabidka->setText(Q(m_texts.VideoNabidka).replace("{file}", QFileInfo(path).fileName()));
  ButtonVideoNabidka->setToolTip(path);
  ButtonVideoNabidka->setVisible(!path.isEmpty() && path != m_file);
}

void TFormVideo::Opened(bool hasPicture) {
  SetReady(true);
  SliderVideoPozice->setRange(0, static_cast<int>(std::min<int64_t>(m_engine->Duration(), INT32_MAX)));
  m_saidNoPicture = !hasPicture;
  ShowMessage(hasPicture ? QString() : Q(m_texts.VideoBezObrazu));
  if (m_waveformJob) {
    m_waveformJob->Start(m_file, m_engine->Duration());
    VideoVlna->SetWaveform(m_waveformJob->Waveform());
    VideoVlna->SetNote(Q(m_texts.VideoVlnaPocitam));
    m_waveformRepaint->start();
  }
  ShowPosition();
  RefreshSubtitle();
}

void TFormVideo::Failed(const QString& detail) {
  SetReady(false);
  m_saidNoPicture = false;
  VideoObraz->Clear();
  ShowMessage(Q(m_texts.VideoNelzePrehrat) + (detail.isEmpty() ? QString() : "\n" + detail));
}

void TFormVideo::WaveformFinished() {
  m_waveformRepaint->stop();
  const auto waveform = m_waveformJob->Waveform();
  bool silent;
  {
    std::lock_guard lock(waveform->Lock);
    silent = waveform->Summary.BucketCount() == 0;
  }
  VideoVlna->SetNote(silent ? Q(m_texts.VideoVlnaBezZvuku) : QString());
  VideoVlna->update();
}

double TFormVideo::VideoFrameRate() {
  if (!m_ready) return 0;
  if (m_headerRate < 0) m_headerRate = ProbeFrameRateOfFile(ToPath(m_file)).value_or(0);
  return m_headerRate > 0 ? m_headerRate : m_engine->FrameRate();
}

// --- Playing and seeking ----------------------------------------------------------------------

void TFormVideo::PlayPause() {
  if (!m_ready) return;
  m_engine->IsPlaying() ? m_engine->Pause() : m_engine->Play();
}

void TFormVideo::Step(PositionStep step) {
  if (!m_ready) return;
  SeekTo(StepPosition(m_positionMs, step, m_main.Document().FrameRate, m_engine->Duration()));
}

void TFormVideo::SeekTo(int64_t ms) {
  if (!m_ready) return;
  const int64_t duration = m_engine->Duration();
  ms = std::clamp<int64_t>(ms, 0, duration > 0 ? duration : ms);
  m_engine->Seek(ms);
  m_positionMs = ms;
  ShowPosition();
}

void TFormVideo::SeekToSubtitle(int32_t row) {
  const SubtitleDocument& doc = m_main.Document();
  if (m_quietSelection > 0 || !m_ready || row < 1 || row > doc.SubtitleCount) return;
  if (const auto span = SpanOf(doc, row)) SeekTo(span->ShowMs);
}

void TFormVideo::SelectRowQuietly(int32_t row) {
  ++m_quietSelection;
  m_main.Guarded([&] { m_main.SetCurrentRow(row); });
  --m_quietSelection;
}

void TFormVideo::FrameReady(const QImage& picture, int64_t ms) {
  // A picture stream the backend found only after the file was ready.
  if (std::exchange(m_saidNoPicture, false)) ShowMessage({});
  VideoObraz->ShowFrame(picture, ms);
  m_positionMs = ms;
  ShowPosition();
  RefreshSubtitle();
}

void TFormVideo::PositionChanged(int64_t ms) {
  m_positionMs = ms;
  ShowPosition();
  if (!VideoObraz->HasFrame()) RefreshSubtitle();
  FollowPlayback();
}

void TFormVideo::ShowPosition() {
  QString text = QString::fromStdString(PositionText(m_positionMs));
  try {
    text += QString(" [%1]").arg(FrameAtPosition(m_positionMs, m_main.Document().FrameRate));
  } catch (const std::exception&) {
    // A rate that cannot convert shows the time alone.
  }
  LabelVideoPozice->setText(text);
  if (!SliderVideoPozice->isSliderDown()) {
    const QSignalBlocker quiet(SliderVideoPozice);
    SliderVideoPozice->setValue(static_cast<int>(std::min<int64_t>(m_positionMs, INT32_MAX)));
  }
  VideoVlna->SetPosition(m_positionMs);
}

void TFormVideo::FollowPlayback() {
  if (!CheckBoxSledovatPrehravani->isChecked() || !m_engine->IsPlaying()) return;
  const int32_t row = SubtitleAtPosition(m_main.Document(), m_positionMs);
  if (row > 0 && row != m_main.CurrentRow()) SelectRowQuietly(row);
}

void TFormVideo::ScheduleRefresh() {
  if (std::exchange(m_refreshPending, true)) return;
  QTimer::singleShot(0, this, [this] {
    m_refreshPending = false;
    RefreshSubtitle();
    VideoVlna->update();
  });
}

void TFormVideo::RefreshSubtitle() {
  const SubtitleDocument& doc = m_main.Document();
  const int64_t ms = VideoObraz->HasFrame() ? VideoObraz->FrameMs() : m_positionMs;
  const int32_t shown = m_ready ? SubtitleAtPosition(doc, ms) : 0;
  VideoObraz->SetSubtitle(shown ? FromUtf8(doc.SubtitleTable[shown].Text).replace(u'|', u'\n') : QString());
  VideoVlna->SetCurrentSubtitle(m_main.CurrentRow());
}

// --- Keys and closing ----------------------------------------------------------------------

bool TFormVideo::KeyDown(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  if (key.key() == Qt::Key_Space && mods == Qt::NoModifier) {
    PlayPause();
    return true;
  }
  if ((key.key() == Qt::Key_Left || key.key() == Qt::Key_Right) &&
      (mods == Qt::NoModifier || mods == Qt::ControlModifier)) {
    const bool back = key.key() == Qt::Key_Left;
    const bool frame = mods == Qt::ControlModifier;
    m_main.Guarded([&] {
      Step(frame ? (back ? PositionStep::FrameBack : PositionStep::FrameForward)
                 : (back ? PositionStep::SecondBack : PositionStep::SecondForward));
    });
    return true;
  }
  return m_main.VideoKeyDown(key);
}

bool TFormVideo::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && KeyDown(static_cast<const QKeyEvent&>(*event))) return true;
  return QDialog::eventFilter(watched, event);
}

void TFormVideo::closeEvent(QCloseEvent* event) {
  if (m_engine && m_engine->IsPlaying()) m_engine->Pause();
  QDialog::closeEvent(event);
}

}  // namespace qm
