// The main window's side of the video window: the top panel's button, films opened from the
// open flow or a drop, the film beside an opened subtitle file, the grid's selection seeking
// the film, and the show and hide times set from the film's position, each one undo step.

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

#include "document/subtitles_tool.h"
#include "media/media_probe.h"
#include "platform/ini_file.h"
#include "ui/frame_form.h"
#include "ui/quillmark_unit.h"
#include "ui/video_engine.h"
#include "ui/video_form.h"

namespace qm {
namespace {

// The film that stands beside a subtitle file under the same base name.
constexpr const char* kFilmExtensions[] = {"mkv", "mp4", "avi", "webm", "mov"};
constexpr int kBackendRateWaitMs = 5000;

struct TimingKey {
  Qt::Key Key;
  int Which;
  bool ThenNext;
};
// F6 to F8: free in the main window, whose own keys are F2, F3 and F5.
constexpr TimingKey kTimingKeys[] = {
    {Qt::Key_F6, kShowTime, false},
    {Qt::Key_F7, kHideTime, false},
    {Qt::Key_F8, kHideTime, true},
};

}  // namespace

void TForm1::ConnectVideo() {
  ButtonVideo = new QToolButton(PanelTop);
  ButtonVideo->setObjectName("ButtonVideo");
  ButtonVideo->setGeometry(336, 5, 24, 23);
  ButtonVideo->setAutoRaise(true);
  ButtonVideo->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  // The load gauge moves right to make room; the file caption follows it.
  GaugeWriteSub->setGeometry(366, 10, 74, 14);
  ButtonVideo->show();

  m_formVideo = std::make_unique<TFormVideo>(*this);
  connect(ButtonVideo, &QToolButton::clicked, this, &TForm1::ButtonVideoClick);
  connect(Titulky->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { m_formVideo->SeekToSubtitle(CurrentRow()); });
  connect(Titulky, &QAbstractItemView::clicked, this, [this] { m_formVideo->SeekToSubtitle(CurrentRow()); });
  m_formFrame->SetMovieRate([this](QWidget& asking) { return FpsFromMovie(asking); });
  ApplyVideoTexts(IniFile::Load(m_languageFiles.IniPath(m_languageName)));
}

void TForm1::ApplyVideoTexts(const IniFile& language) {
  const VideoTexts texts = LoadVideoTexts(language);
  SetHint(*ButtonVideo, FromUtf8(texts.ButtonVideoHint));
  m_formVideo->ApplyTexts(texts);
}

void TForm1::ButtonVideoClick() { m_formVideo->ShowBeside(*this); }

bool TForm1::OpenVideoIfFilm(const QString& fileName) {
  if (SniffMediaFile(ToPath(fileName)) == MediaContainer::None) return false;
  m_formVideo->ShowBeside(*this);
  m_formVideo->OpenVideo(fileName);
  return true;
}

void TForm1::OfferVideoBeside(const QString& subtitleFile) {
  const QFileInfo subtitles(subtitleFile);
  QString film;
  for (const char* extension : kFilmExtensions)
    for (const QString& named : {QString(extension), QString(extension).toUpper()}) {
      const QFileInfo candidate(subtitles.dir(), subtitles.completeBaseName() + "." + named);
      if (film.isEmpty() && candidate.isFile()) film = candidate.absoluteFilePath();
    }
  m_formVideo->OfferVideo(film);
}

bool TForm1::VideoKeyDown(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  for (const TimingKey& timing : kTimingKeys) {
    if (key.key() != timing.Key) continue;
    Guarded([&] { SetTimeFromVideo(timing.Which, timing.ThenNext); });
    return true;
  }
  return false;
}

void TForm1::SetTimeFromVideo(int which, bool thenNext) {
  const int32_t row = CurrentRow();
  if (!m_formVideo->HasVideo() || row > m_document.SubtitleCount) return;
  SetSubtitleTimeAt(row, which, m_formVideo->PositionMs());
  // The film is where the user is timing: going on to the next subtitle does not seek it.
  if (thenNext && row < m_document.SubtitleCount) m_formVideo->SelectRowQuietly(row + 1);
}

void TForm1::SetSubtitleTimeAt(int32_t row, int which, int64_t ms) {
  if (row < 1 || row > m_document.SubtitleCount) return;
  m_history->BeforeChange(row, 1);
  SetSubtitleTime(m_document, row, which, ms);
  m_history->Complete();
  WriteGridRow(row);
  // The editor follows when it holds this very subtitle; typed text stays as it is.
  if (LabelTitleNum->text() != QString::number(row) + ".") return;
  ShowEditorTimes(m_document.SubtitleTable[row]);
}

std::optional<double> TForm1::FpsFromMovie(QWidget& asking) {
  QString film = m_formVideo->HasVideo() ? m_formVideo->VideoFile() : QString();
  double rate = film.isEmpty() ? 0 : m_formVideo->VideoFrameRate();
  if (film.isEmpty()) {
    const VideoTexts& texts = m_formVideo->Texts();
    FileDialogRequest request;
    request.Title = FromUtf8(texts.VideoOpenDialogTitle);
    request.Folder = OpenDialog.Folder;
    request.Filter = kVideoFileFilter;
    const auto chosen = m_dialogs.OpenFileName(&asking, request);
    if (!chosen) return std::nullopt;
    film = *chosen;
    rate = ProbeFrameRateOfFile(ToPath(film)).value_or(0);
    if (rate <= 0) rate = BackendFrameRate(film, kBackendRateWaitMs);
  }
  if (rate > 0) return rate;
  m_dialogs.Message(&asking,
                    FromUtf8(m_formVideo->Texts().VideoBezFps).replace("{file}", QFileInfo(film).fileName()),
                    MessageIcon::Error, MessageButtons::Ok);
  return std::nullopt;
}

}  // namespace qm
