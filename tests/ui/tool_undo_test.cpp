// Every whole-document tool of the time and text pages is one step of the undo history:
// Ctrl+Z after the real button restores both timing forms and the count, Ctrl+Y redoes it.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

class ToolUndoTest : public QObject {
  Q_OBJECT

 private slots:
  void eachToolIsOneStep_data();
  void eachToolIsOneStep();
};

namespace {

// The fields of every record that the tools can change, in one comparable text.
QStringList Records(const SubtitleDocument& doc) {
  QStringList records;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    const TSubtitle& r = doc.SubtitleTable[i];
    records << QString("%1 %2 %3:%4:%5,%6 %7:%8:%9,%10 %11")
                   .arg(r.StartFrame)
                   .arg(r.EndFrame)
                   .arg(r.StartHour)
                   .arg(r.StartMinute)
                   .arg(r.StartSecond)
                   .arg(QString::fromStdString(r.StartMs))
                   .arg(r.EndHour)
                   .arg(r.EndMinute)
                   .arg(r.EndSecond)
                   .arg(QString::fromStdString(r.EndMs))
                   .arg(FromUtf8(r.Text));
  }
  return records;
}

using Prepare = QPushButton* (*)(TForm1&);

}  // namespace

void ToolUndoTest::eachToolIsOneStep_data() {
  QTest::addColumn<void*>("prepare");
  const auto add = [](const char* name, Prepare prepare) {
    QTest::newRow(name) << reinterpret_cast<void*>(prepare);
  };
  add("shift", [](TForm1& f) {
    f.EditPosuv->setText("1,5");
    return f.ButtonPosuvCasu;
  });
  add("speed", [](TForm1& f) {
    f.EditTimeScale->setText("1,5");
    return f.ButtonZmenaRychlosti;
  });
  add("hide from show", [](TForm1& f) { return f.ButtonSchovDleZobraz; });
  add("changes", [](TForm1& f) {
    f.EditString1->setText("Line");
    f.EditString2->setText("Row");
    return f.ButtonProvest;
  });
  add("delete empty", [](TForm1& f) { return f.ButtonDeleteEmpty; });
  add("accents", [](TForm1& f) { return f.ButtonKonvertToCestina; });
  add("wrap", [](TForm1& f) {
    f.EditMaxCharsOnLine->setText("3");
    return f.ButtonZalomeniRadek;
  });
}

void ToolUndoTest::eachToolIsOneStep() {
  QFETCH(void*, prepare);
  Editor editor;
  TForm1& form = editor.Form();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  const std::string file =
      "1\r\n00:00:01,000 --> 00:00:02,500\r\nLine \xE8\xED"
      "slo 1\r\n\r\n"
      "2\r\n00:00:03,000 --> 00:00:04,000\r\n \r\n\r\n"
      "3\r\n00:00:05,000 --> 00:00:07,000\r\nLine 3\r\n\r\n";
  form.OpenFile(editor.Write("a.srt", file), OpenFailureReport::OwnMessage);
  // Both timing forms are filled first, so that undo has both to restore.
  editor.Dialogs.FrameRateAnswers.push_back(25.0);
  form.ComboBoxSubPreview->setCurrentIndex(0);
  form.ComboBoxSubPreviewChange();
  form.ComboBoxSubPreview->setCurrentIndex(1);
  form.ComboBoxSubPreviewChange();
  const QStringList before = Records(editor.Doc());
  const QStringList beforeRow = editor.Row(1);

  QTest::mouseClick(reinterpret_cast<Prepare>(prepare)(form), Qt::LeftButton);
  const QStringList after = Records(editor.Doc());
  QVERIFY2(after != before, "the tool changed nothing");

  form.Titulky->setFocus();
  QTest::keyClick(form.Titulky, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Records(editor.Doc()), before);
  QCOMPARE(editor.Row(1), beforeRow);
  QCOMPARE(form.PanelTitulkyMax->text(), QString::number(before.size()));

  QTest::keyClick(form.Titulky, Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(Records(editor.Doc()), after);
  QCOMPARE(form.PanelTitulkyMax->text(), QString::number(after.size()));
  QCOMPARE(editor.Dialogs.Count(AskedDialog::Kind::Message), 0);
}

QTEST_MAIN(ToolUndoTest)
#include "tool_undo_test.moc"
