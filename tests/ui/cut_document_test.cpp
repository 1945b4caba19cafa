// A file with more subtitles than the table is read up to the table's end; saving that over
// the file itself would lose the rest, so the editor asks first.

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QtTest>

#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

class CutDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void savingOverTheFileItCameFromAsksFirst();
};

void CutDocumentTest::savingOverTheFileItCameFromAsksFirst() {
  Editor editor;
  TForm1& form = editor.Form();
  const std::string big = MicroDvdFile(20001);
  const QString path = editor.Write("big.sub", big);
  editor.Dialogs.OpenAnswers = {path};
  QTest::mouseClick(form.ButtonNacist, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 20000);
  const auto read = [](const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
  };

  // Another file: no question.
  const int before = editor.Dialogs.Count(AskedDialog::Kind::Message);
  editor.Dialogs.SaveAnswers = {editor.Folder() + "other.sub"};
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(AskedDialog::Kind::Message), before);

  // The file itself: asked; No keeps it whole.
  editor.Dialogs.SaveAnswers = {path};
  editor.Dialogs.MessageAnswers = {MessageAnswer::No};
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  const AskedDialog* asked = editor.Dialogs.Last(AskedDialog::Kind::Message);
  QVERIFY(asked);
  QCOMPARE(asked->Text, FromUtf8(form.Texts().QuestionSaveCutDocument));
  QCOMPARE(asked->Buttons, MessageButtons::YesNo);
  QCOMPARE(read(path), big);

  // Yes writes the 20000, and the document is no longer a cut one.
  editor.Dialogs.SaveAnswers = {path, path};
  editor.Dialogs.MessageAnswers = {MessageAnswer::Yes};
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(read(path), MicroDvdFile(20000));
  const int afterYes = editor.Dialogs.Count(AskedDialog::Kind::Message);
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(AskedDialog::Kind::Message), afterYes);
}

QTEST_MAIN(CutDocumentTest)
#include "cut_document_test.moc"
