// The editor on a machine whose Qt has no multimedia backend: the video window says so, and
// everything else, the frame rate read from a film's headers included, still works.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

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
  QCOMPARE(video.LabelVideoZprava->text(), FromCp1250(video.Texts().VideoNedostupne));
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

int main(int argc, char** argv) {
  // Before anything of Qt Multimedia loads: a backend that does not exist.
  qputenv("QT_MEDIA_BACKEND", "none-for-this-test");
  QApplication app(argc, argv);
  VideoUnavailableTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "video_unavailable_test.moc"
