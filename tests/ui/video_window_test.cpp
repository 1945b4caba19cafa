// The video window with a real film: a 10 s clip made by GStreamer's test sources (a moving
// ball at 25 frames per second, a 440 Hz tone from 4 to 6 s), played offscreen.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <mutex>

#include "document/document_history.h"
#include "document/subtitles_tool.h"
#include "ui/frame_form.h"
#include "ui/subtitle_grid.h"
#include "ui/video_engine.h"
#include "ui/video_form.h"
#include "ui/video_picture.h"
#include "ui/waveform_strip.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class VideoWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void droppedFilmOpensAndSubtitlesAreToldByContent();
  void frameRateFromTheFilm();
  void selectingARowSeeksToItsShowTime();
  void thePictureShowsTheSubtitleOfItsTime();
  void setShowAndHideTimeAreEachOneUndoStep();
  void setTimesInFrameView();
  void waveformHasPeaksWhereTheToneIs();
  void draggingABarEdgeMovesThatTime();
  void keysPlayAndStep();
  void followPlaybackSelectsTheSubtitleOnThePicture();
  void filmBesideTheSubtitlesIsOffered();
  void filmsThatCannotPlaySaySo();
  void anotherFilmAndTheSameFilmAgainOpen();
};

namespace {

constexpr int kWaitMs = 15000;

// Three subtitles: 1,000-3,000, 4,000-6,000 (two lines) and 7,000-9,000.
const std::string kScene =
    "1\r\n00:00:01,000 --> 00:00:03,000\r\nFirst\r\n\r\n"
    "2\r\n00:00:04,000 --> 00:00:06,000\r\nSecond|two lines\r\n\r\n"
    "3\r\n00:00:07,000 --> 00:00:09,000\r\nThird\r\n\r\n";

// A text of the video window in the editor's language, with its file name filled in.
QString Text(const TFormVideo& video, std::string VideoTexts::*text, const QString& file = {}) {
  return FromUtf8(video.Texts().*text).replace("{file}", file);
}

std::string Show(const TSubtitle& r) { return SubtitleTimeText(r, kShowTime, false, ',', true); }
std::string Hide(const TSubtitle& r) { return SubtitleTimeText(r, kHideTime, false, ',', true); }

// An editor with the scene open and the clip playing-ready in the video window.
struct Scene {
  Editor editor;
  TForm1& form = editor.Form();
  TFormVideo& video = form.FormVideo();
  SubtitleDocument& doc = editor.Doc();

  explicit Scene(const std::string& subtitles = kScene, const QString& name = "scene.srt") {
    form.OpenFile(editor.Write(name, subtitles), OpenFailureReport::OwnMessage);
    form.ButtonVideoClick();
    video.OpenVideo(TestFilm("clip"));
  }
  bool Ready() {
    return QTest::qWaitFor([this] { return video.HasVideo(); }, kWaitMs);
  }
  // Seeks and waits for the frame of that time on the picture.
  bool SeekAndWait(int64_t ms) {
    video.SeekTo(ms);
    return QTest::qWaitFor([&] { return video.VideoObraz->HasFrame() && video.VideoObraz->FrameMs() == ms; },
                           kWaitMs);
  }
  void Select(int row) {
    form.Titulky->setFocus();
    form.SetCurrentRow(row);
  }
};

}  // namespace

void VideoWindowTest::initTestCase() {
  if (!VideoSupported())
    QSKIP(
        "No multimedia support (built without QM_VIDEO, or Qt Multimedia has no backend here): the video "
        "window cannot play films");
  if (TestFilm("clip").isEmpty()) QSKIP("GStreamer's tools (gst-launch-1.0) could not make the test film");
}

void VideoWindowTest::droppedFilmOpensAndSubtitlesAreToldByContent() {
  Editor editor;
  TForm1& form = editor.Form();
  // Subtitles under a film's name are still subtitles.
  QVERIFY(DropFiles(form.Titulky->viewport(), {editor.Write("notes.mkv", kScene)}));
  QTRY_COMPARE(editor.Doc().SubtitleCount, 3);
  QVERIFY(!form.FormVideo().isVisible());

  QVERIFY(DropFiles(form.Titulky->viewport(), {TestFilm("clip")}));
  QTRY_VERIFY_WITH_TIMEOUT(form.FormVideo().HasVideo(), kWaitMs);
  QVERIFY(form.FormVideo().isVisible());
  QCOMPARE(form.FormVideo().windowTitle(), QString("Video"));
  QCOMPARE(form.FormVideo().LabelVideoSoubor->text(), QString("clip.webm"));
  QCOMPARE(editor.Doc().SubtitleCount, 3);  // the document is untouched
  QTRY_VERIFY_WITH_TIMEOUT(form.FormVideo().VideoObraz->HasFrame(), kWaitMs);
  QCOMPARE(editor.Dialogs.Asked.size(), size_t(0));
}

void VideoWindowTest::frameRateFromTheFilm() {
  Scene scene;
  QVERIFY(scene.Ready());
  TFormFrame& frames = scene.form.FormFrame();
  frames.ComboBoxFrameRate->setEditText("23,976");
  frames.ButtonFPSFromAvi->click();
  QCOMPARE(frames.ComboBoxFrameRate->currentText(), QString("25"));

  // Without a film open, one is asked for and read without playing: an MJPEG AVI states its
  // rate only in its headers.
  Editor editor;
  TFormFrame& asking = editor.Form().FormFrame();
  editor.Dialogs.OpenAnswers = {TestFilm("mjpeg"), TestFilm("sound")};
  asking.ComboBoxFrameRate->setEditText("23,976");
  asking.ButtonFPSFromAvi->click();
  QCOMPARE(asking.ComboBoxFrameRate->currentText(), QString("25"));
  QCOMPARE(editor.Dialogs.Count(Kind::Open), 1);
  QCOMPARE(editor.Dialogs.OpenRequests.back().Filter, QString(kVideoFileFilter));  // films only
  QVERIFY(editor.Dialogs.OpenRequests.back().FileName.isEmpty());
  QVERIFY(!editor.Form().FormVideo().HasVideo());
  asking.ButtonFPSFromAvi->click();  // a film without a picture states no rate
  QCOMPARE(asking.ComboBoxFrameRate->currentText(), QString("25"));
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text,
           Text(editor.Form().FormVideo(), &VideoTexts::VideoBezFps, "sound.ogg"));

  editor.Form().FormVideo().ButtonVideoOtevrit->click();  // the window's own button, cancelled
  QCOMPARE(editor.Dialogs.OpenRequests.back().Filter, QString(kVideoFileFilter));
  QVERIFY(editor.Dialogs.OpenRequests.back().FileName.isEmpty());
}

void VideoWindowTest::selectingARowSeeksToItsShowTime() {
  Scene scene;
  QVERIFY(scene.Ready());
  scene.Select(1);
  QTest::keyClick(scene.form.Titulky, Qt::Key_Down);  // the keys select row 2, shown at 4,000
  QCOMPARE(scene.form.CurrentRow(), 2);
  QTRY_VERIFY_WITH_TIMEOUT(std::abs(scene.video.VideoObraz->FrameMs() - 4000) <= 40, kWaitMs);
  // The frame number counts at the document's rate, 23,976 until the user confirms another.
  QCOMPARE(scene.video.LabelVideoPozice->text(), QString("00:00:04,000 [96]"));

  const QRect row3 = scene.form.Titulky->visualRect(scene.form.GridModel().index(2, 1));
  QTest::mouseClick(scene.form.Titulky->viewport(), Qt::LeftButton, {}, row3.center());
  QTRY_VERIFY_WITH_TIMEOUT(std::abs(scene.video.VideoObraz->FrameMs() - 7000) <= 40, kWaitMs);
}

void VideoWindowTest::thePictureShowsTheSubtitleOfItsTime() {
  Scene scene;
  QVERIFY(scene.Ready());
  const std::pair<int64_t, QString> shown[] = {
      {1500, "First"}, {3500, ""}, {4000, "Second\ntwo lines"}, {5960, "Second\ntwo lines"}, {6000, ""}};
  for (const auto& [ms, text] : shown) {
    QVERIFY(scene.SeekAndWait(ms));
    QCOMPARE(scene.video.VideoObraz->Subtitle(), text);
  }
  // It follows the document as it is edited.
  QVERIFY(scene.SeekAndWait(4500));
  scene.Select(2);
  scene.form.TitulkyDblClick();
  scene.form.MemoAktual->setPlainText("Changed");
  scene.form.ButtonZmenit->click();
  QTRY_COMPARE(scene.video.VideoObraz->Subtitle(), QString("Changed"));
  scene.form.UndoClick();
  QTRY_COMPARE(scene.video.VideoObraz->Subtitle(), QString("Second\ntwo lines"));

  // White text on a dark outline over the bottom of the picture, nothing above it.
  VideoPicture picture;
  picture.resize(320, 180);
  QImage black(320, 180, QImage::Format_RGB32);
  black.fill(Qt::black);
  picture.ShowFrame(black, 0);
  picture.SetSubtitle("Hello\nWorld");
  const QImage drawn = picture.grab().toImage();
  int whiteBelow = 0, whiteAbove = 0, outline = 0;
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x) {
      const QColor c = drawn.pixelColor(x, y);
      if (c.lightness() > 240) ++(y > drawn.height() / 2 ? whiteBelow : whiteAbove);
      if (c.lightness() > 5 && c.lightness() < 40) ++outline;
    }
  QVERIFY(whiteBelow > 100);
  QCOMPARE(whiteAbove, 0);
  QVERIFY(outline > 50);
}

void VideoWindowTest::setShowAndHideTimeAreEachOneUndoStep() {
  Scene scene;
  QVERIFY(scene.Ready());
  scene.Select(2);
  scene.form.TitulkyDblClick();  // the editor holds subtitle 2 and follows its times
  QVERIFY(scene.SeekAndWait(4520));
  const size_t steps = scene.form.History().UndoSteps();
  QTest::keyClick(scene.form.Titulky, Qt::Key_F6);  // a key of the main window
  QCOMPARE(Show(scene.doc.SubtitleTable[2]), std::string("0:00:04,520"));
  QCOMPARE(Hide(scene.doc.SubtitleTable[2]), std::string("0:00:06,000"));
  QCOMPARE(scene.doc.SubtitleTable[2].StartFrame, 108);  // derived at the document's 23,976
  QCOMPARE(scene.editor.Row(2)[1], QString("00:00:04,520"));
  QCOMPARE(scene.form.EditSSS1->text(), QString("520"));
  QCOMPARE(scene.form.History().UndoSteps(), steps + 1);

  QVERIFY(scene.SeekAndWait(5240));
  scene.video.ButtonNastavitSchovani->click();
  QCOMPARE(Show(scene.doc.SubtitleTable[2]), std::string("0:00:04,520"));
  QCOMPARE(Hide(scene.doc.SubtitleTable[2]), std::string("0:00:05,240"));
  QCOMPARE(scene.form.History().UndoSteps(), steps + 2);

  scene.form.UndoClick();
  QCOMPARE(Hide(scene.doc.SubtitleTable[2]), std::string("0:00:06,000"));
  QCOMPARE(Show(scene.doc.SubtitleTable[2]), std::string("0:00:04,520"));
  scene.form.UndoClick();
  QCOMPARE(Show(scene.doc.SubtitleTable[2]), std::string("0:00:04,000"));
  QCOMPARE(scene.editor.Row(2)[1], QString("00:00:04,000"));

  // Hide and go on: the next subtitle is selected, and the film stays where it is.
  scene.Select(2);
  QVERIFY(scene.SeekAndWait(5600));
  QTest::keyClick(scene.video.ButtonVideoPlay, Qt::Key_F8);  // the same key in the video window
  QCOMPARE(Hide(scene.doc.SubtitleTable[2]), std::string("0:00:05,600"));
  QCOMPARE(scene.form.CurrentRow(), 3);
  QTest::qWait(200);
  QCOMPARE(scene.video.PositionMs(), int64_t{5600});
}

void VideoWindowTest::setTimesInFrameView() {
  Scene scene("{100}{150}Frames\r\n{200}{250}More\r\n", "scene.sub");
  QVERIFY(scene.Ready());
  scene.doc.FrameRate = 25;  // as the frame-rate window would set it
  QCOMPARE(scene.doc.TimeMode, uint8_t(kModeFrames));
  QVERIFY(scene.SeekAndWait(4100));
  QCOMPARE(scene.video.VideoObraz->Subtitle(), QString("Frames"));  // frame 102.5 lies in 100..150
  scene.Select(1);
  QVERIFY(scene.SeekAndWait(4520));
  scene.video.ButtonNastavitZobrazeni->click();
  QCOMPARE(scene.doc.SubtitleTable[1].StartFrame, 113);
  QCOMPARE(scene.doc.SubtitleTable[1].EndFrame, 150);
  QCOMPARE(scene.editor.Row(1)[1], QString("113"));
  scene.form.UndoClick();
  QCOMPARE(scene.doc.SubtitleTable[1].StartFrame, 100);
}

void VideoWindowTest::waveformHasPeaksWhereTheToneIs() {
  Scene scene;
  QVERIFY(scene.Ready());
  const auto waveform = [&] { return scene.video.VideoVlna->Waveform(); };
  QTRY_VERIFY_WITH_TIMEOUT(
      waveform() &&
          [&] {
            std::lock_guard lock(waveform()->Lock);
            return waveform()->Done;
          }(),
      kWaitMs);
  std::lock_guard lock(waveform()->Lock);
  const WaveformSummary& peaks = waveform()->Summary;
  QVERIFY(peaks.BucketCount() >= 990);
  QVERIFY(peaks.PeakBetween(4100, 5900) > 100);
  for (int64_t ms = 4100; ms < 5900; ms += 10)
    QVERIFY2(peaks.PeakBetween(ms, ms + 10) > 100, qPrintable(QString::number(ms)));
  QVERIFY(peaks.PeakBetween(0, 3900) < 5);
  QVERIFY(peaks.PeakBetween(6100, 10000) < 5);
  QVERIFY(scene.video.VideoVlna->isEnabled());
}

void VideoWindowTest::draggingABarEdgeMovesThatTime() {
  Scene scene;
  QVERIFY(scene.Ready());
  scene.video.resize(800, 600);
  QVERIFY(scene.SeekAndWait(5000));
  WaveformStrip* strip = scene.video.VideoVlna;
  const StripScale scale = strip->Scale();
  const int y = strip->height() / 2;
  const QPoint showEdge(static_cast<int>(scale.XOf(4000)), y);
  const QPoint later(static_cast<int>(scale.XOf(4500)), y);
  const size_t steps = scene.form.History().UndoSteps();
  QTest::mousePress(strip, Qt::LeftButton, {}, showEdge);
  QTest::mouseMove(strip, (showEdge + later) / 2);
  QTest::mouseMove(strip, later);
  QCOMPARE(Show(scene.doc.SubtitleTable[2]), std::string("0:00:04,000"));  // nothing until let go
  QTest::mouseRelease(strip, Qt::LeftButton, {}, later);
  QCOMPARE(scene.form.History().UndoSteps(), steps + 1);
  QCOMPARE(scene.doc.SubtitleTable[2].StartSecond, 4);
  QVERIFY(std::abs(std::stoi(scene.doc.SubtitleTable[2].StartMs) - 500) <= scale.MsPerPixel);
  QCOMPARE(Hide(scene.doc.SubtitleTable[2]), std::string("0:00:06,000"));
  scene.form.UndoClick();
  QCOMPARE(Show(scene.doc.SubtitleTable[2]), std::string("0:00:04,000"));

  // A click away from the edges seeks there (the undo selected row 2 and so went to 4,000).
  QVERIFY(scene.SeekAndWait(5000));
  QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(static_cast<int>(scale.XOf(7500)), y));
  QTRY_VERIFY_WITH_TIMEOUT(std::abs(scene.video.PositionMs() - 7500) <= scale.MsPerPixel, kWaitMs);
}

void VideoWindowTest::keysPlayAndStep() {
  Scene scene;
  QVERIFY(scene.Ready());
  scene.doc.FrameRate = 25;  // a frame is 40 ms
  QVERIFY(scene.SeekAndWait(5000));
  scene.video.activateWindow();
  QWidget* focus = scene.video.SliderVideoPozice;  // a control that would use the arrows itself
  focus->setFocus();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int64_t to;
  } steps[] = {{Qt::Key_Right, Qt::NoModifier, 6000},
               {Qt::Key_Left, Qt::NoModifier, 5000},
               {Qt::Key_Right, Qt::ControlModifier, 5040},
               {Qt::Key_Left, Qt::ControlModifier, 5000},
               {Qt::Key_Left, Qt::ControlModifier, 4960}};
  for (const auto& step : steps) {
    QTest::keyClick(focus, step.key, step.mods);
    QCOMPARE(scene.video.PositionMs(), step.to);
  }
  QTest::keyClick(focus, Qt::Key_Space);
  QTRY_VERIFY_WITH_TIMEOUT(scene.video.PositionMs() > 5200, kWaitMs);  // it plays
  QTest::keyClick(focus, Qt::Key_Space);
  QTest::qWait(300);
  const int64_t paused = scene.video.PositionMs();
  QTest::qWait(400);
  QCOMPARE(scene.video.PositionMs(), paused);
}

void VideoWindowTest::followPlaybackSelectsTheSubtitleOnThePicture() {
  Scene scene;
  QVERIFY(scene.Ready());
  scene.Select(1);
  QVERIFY(scene.SeekAndWait(3600));
  scene.video.CheckBoxSledovatPrehravani->setChecked(true);
  scene.video.PlayPause();
  QTRY_COMPARE_WITH_TIMEOUT(scene.form.CurrentRow(), 2, kWaitMs);
  scene.video.PlayPause();
  QVERIFY(scene.video.PositionMs() >= 4000);  // selecting by playback did not seek back to 4,000
  QVERIFY(scene.video.PositionMs() < 6000);
}

void VideoWindowTest::filmBesideTheSubtitlesIsOffered() {
  Editor editor;
  QFile::copy(TestFilm("clip"), editor.Folder() + "harbour.webm");
  editor.Form().ButtonVideoClick();
  TFormVideo& video = editor.Form().FormVideo();
  QVERIFY(!video.ButtonVideoNabidka->isVisible());
  editor.Form().OpenFile(editor.Write("harbour.srt", kScene), OpenFailureReport::OwnMessage);
  QVERIFY(video.ButtonVideoNabidka->isVisible());
  QCOMPARE(video.ButtonVideoNabidka->text(), Text(video, &VideoTexts::VideoNabidka, "harbour.webm"));
  QVERIFY(!video.HasVideo());  // offered, not opened, and nothing asked
  QCOMPARE(editor.Dialogs.Asked.size(), size_t(0));
  video.ButtonVideoNabidka->click();
  QTRY_VERIFY_WITH_TIMEOUT(video.HasVideo(), kWaitMs);
  QVERIFY(!video.ButtonVideoNabidka->isVisible());
  editor.Form().OpenFile(editor.Write("other.srt", kScene), OpenFailureReport::OwnMessage);
  QVERIFY(!video.ButtonVideoNabidka->isVisible());  // no film beside this one
}

void VideoWindowTest::filmsThatCannotPlaySaySo() {
  Editor editor;
  editor.Form().ButtonVideoClick();
  TFormVideo& video = editor.Form().FormVideo();
  QCOMPARE(video.LabelVideoZprava->text(), Text(video, &VideoTexts::VideoZadneVideo));
  video.OpenVideo(TestFilm("nocodec"));
  QTRY_VERIFY_WITH_TIMEOUT(
      video.LabelVideoZprava->isVisible() &&
          video.LabelVideoZprava->text().startsWith(Text(video, &VideoTexts::VideoNelzePrehrat) + "\n"),
      kWaitMs);
  QVERIFY(!video.HasVideo());
  QVERIFY(!video.ButtonNastavitZobrazeni->isEnabled());
  QCOMPARE(editor.Dialogs.Asked.size(), size_t(0));  // said in the window, not in a message box

  video.OpenVideo(TestFilm("sound"));
  QTRY_VERIFY_WITH_TIMEOUT(video.HasVideo(), kWaitMs);
  QCOMPARE(video.LabelVideoZprava->text(), Text(video, &VideoTexts::VideoBezObrazu));
}

void VideoWindowTest::anotherFilmAndTheSameFilmAgainOpen() {
  Scene scene;
  QVERIFY(scene.Ready());
  // The first film's late statuses must not be taken for the next film's.
  for (const QString& film : {TestFilm("mjpeg"), TestFilm("mjpeg"), TestFilm("clip")}) {
    scene.video.OpenVideo(film);
    QVERIFY(!scene.video.HasVideo());
    QVERIFY(scene.Ready());
    QVERIFY(scene.SeekAndWait(2000));
    QCOMPARE(scene.video.VideoFile(), film);
  }
}

QTEST_MAIN(VideoWindowTest)
#include "video_window_test.moc"
