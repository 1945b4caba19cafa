// The editor on a machine whose Qt has no multimedia backend: the video window says so, and
// everything else, the frame rate read from a film's headers included, still works. The
// window's texts, which need no film, are checked here too.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "ui/frame_form.h"
#include "ui/video_engine.h"
#include "ui/video_form.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

class VideoUnavailableTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowSaysSoAndTheEditorWorksOn();
  void textsComeFromTheLanguageAndFollowItsSwitch();
};

namespace {

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

// The headers of an AVI at 25 frames per second, and no frames.
std::string AviHeaders() {
  const std::string avih = "avih" + Le32(56) + Le32(40000) + std::string(52, '\0');
  const std::string hdrl = "LIST" + Le32(4 + uint32_t(avih.size())) + "hdrl" + avih;
  return "RIFF" + Le32(4 + uint32_t(hdrl.size())) + "AVI " + hdrl;
}

}  // namespace

void VideoUnavailableTest::theWindowSaysSoAndTheEditorWorksOn() {
  QVERIFY(!VideoSupported());
  Editor editor;
  TForm1& form = editor.Form();
  const QString film = editor.Write("film.avi", AviHeaders());
  QVERIFY(DropFiles(form.Titulky->viewport(), {film}));
  TFormVideo& video = form.FormVideo();
  QTRY_VERIFY(video.isVisible());
  QCOMPARE(video.LabelVideoZprava->text(), FromUtf8(video.Texts().VideoNedostupne));
  QVERIFY(!video.HasVideo());
  QVERIFY(!video.ButtonVideoPlay->isEnabled());
  QCOMPARE(editor.Dialogs.Asked.size(), size_t(0));

  QVERIFY(DropFiles(form.Titulky->viewport(), {editor.Write("scene.srt", SubRipFile(3))}));
  QTRY_COMPARE(editor.Doc().SubtitleCount, 3);
  QTest::keyClick(form.Titulky, Qt::Key_F6);  // nothing to time against; nothing changes
  QCOMPARE(form.History().UndoSteps(), size_t(0));

  editor.Dialogs.OpenAnswers = {film};
  form.FormFrame().ButtonFPSFromAvi->click();
  QCOMPARE(form.FormFrame().ComboBoxFrameRate->currentText(), QString("25"));
}

void VideoUnavailableTest::textsComeFromTheLanguageAndFollowItsSwitch() {
  const std::string bothLanguages =
      "[LANGUAGES]\r\nCount=2\r\n1=\xC8"
      "esk\xFD\r\n2=English\r\n[SETTINGS]\r\nExec=3\r\n";
  Editor editor({}, true, bothLanguages, {"lng_English.ini"});
  TForm1& form = editor.Form();
  TFormVideo& video = form.FormVideo();
  form.show();
  QTRY_COMPARE(video.ButtonNastavitZobrazeni->text(), QString::fromUtf8("Nastavit zobrazení"));
  QCOMPARE(video.windowTitle(), QString("Video"));
  QCOMPARE(form.ButtonVideo->toolTip(), QString::fromUtf8("Video: časování titulků podle filmu"));
  QCOMPARE(video.CheckBoxSledovatPrehravani->text(), QString::fromUtf8("Sledovat přehrávání"));
  QVERIFY(video.ButtonNastavitSchovaniDalsi->toolTip().contains("(F8)"));
  form.ComboBoxLanguage->setCurrentIndex(1);
  QCOMPARE(video.ButtonNastavitZobrazeni->text(), QString("Set show time"));
  QCOMPARE(video.ButtonNastavitSchovani->text(), QString("Set hide time"));
  QCOMPARE(video.ButtonNastavitSchovaniDalsi->text(), QString("Set hide time and go to next"));
  QCOMPARE(video.CheckBoxSledovatPrehravani->text(), QString("Follow playback"));
  QCOMPARE(form.ButtonVideo->toolTip(), QString("Video: time the subtitles against the film"));
  QVERIFY(form.MemoKlavZkratky->toPlainText().contains("F6, F7, F8 - Set show time"));
}

int main(int argc, char** argv) {
  // Before anything of Qt Multimedia loads: a backend that does not exist.
  qputenv("QT_MEDIA_BACKEND", "none-for-this-test");
  QApplication app(argc, argv);
  VideoUnavailableTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "video_unavailable_test.moc"
