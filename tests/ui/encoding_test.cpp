// The editor's text in every encoding: what a file holds is what the grid and the editor
// show, typed letters are saved in the file's encoding, and a letter it cannot hold is
// refused before anything is written.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "batch/konverze_form.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

namespace {

std::string FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

void Choose(QComboBox* box, const QString& item) {
  const int index = box->findText(item);
  QVERIFY2(index >= 0, qPrintable(item));
  box->setCurrentIndex(index);
}

const std::string kUtf8Film =
    "1\r\n00:00:01,000 --> 00:00:02,000\r\neikä – łódź\r\n\r\n"
    "2\r\n00:00:03,000 --> 00:00:04,000\r\n日本語\r\nвремена\r\n\r\n";

}  // namespace

class EncodingTest : public QObject {
  Q_OBJECT

 private slots:
  void listsOfferTheEncodingsByName();
  void utf8FileShowsItsRealText();
  void typedLetterIsSavedInTheFilesEncoding();
  void letterTheEncodingCannotHoldIsRefusedAndNothingWritten();
  void chosenEncodingsOpenAndSave();
  void batchRunWritesTheChosenEncoding();
};

void EncodingTest::listsOfferTheEncodingsByName() {
  Editor editor;
  TForm1& form = editor.Form();
  QStringList open;
  for (int i = 0; i < form.ComboBoxKodovaniNacist->count(); ++i)
    open << form.ComboBoxKodovaniNacist->itemText(i);
  QCOMPARE(open.mid(0, 8), QStringList({"Auto", "UTF-8", "UTF-16LE", "UTF-16BE", "Windows-1250",
                                        "Windows-1252", "ISO-8859-2", "Windows-1251"}));
  QCOMPARE(form.ComboBoxKodovaniNacist->currentText(), QString("Auto"));
  QStringList save;
  for (int i = 0; i < form.ComboBoxKodovaniUlozit->count(); ++i)
    save << form.ComboBoxKodovaniUlozit->itemText(i);
  QCOMPARE(save.mid(0, 7), QStringList({QString::fromUtf8("Jako zdroj"), "UTF-8", "UTF-8 BOM", "UTF-16LE",
                                        "UTF-16BE", "Windows-1250", "Windows-1252"}));
  QCOMPARE(form.ComboBoxKodovaniUlozit->currentIndex(), 0);
  QComboBox* batch = form.FormKonverze().findChild<QComboBox*>("ComboBoxKonverzeKodovani");
  QVERIFY(batch);
  QCOMPARE(batch->itemText(0), QString::fromUtf8("Jako zdroj"));
  QCOMPARE(batch->count(), form.ComboBoxKodovaniUlozit->count());
}

void EncodingTest::utf8FileShowsItsRealText() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  OpenWithButton(editor, editor.Write("film.srt", kUtf8Film));
  QCOMPARE(editor.Row(1)[3], QString::fromUtf8("eikä – łódź"));
  QCOMPARE(editor.Row(2)[3], QString::fromUtf8("日本語|времена"));
  form.SetCurrentRow(2);
  form.TitulkyDblClick();
  QCOMPARE(form.MemoAktual->toPlainText(), QString::fromUtf8("日本語\nвремена"));
  // Saved as it came: UTF-8, byte for byte.
  const QString out = editor.Folder() + "out.srt";
  editor.Dialogs.SaveAnswers = {out};
  Choose(form.ComboBoxSave, "SubRip");
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(QString::fromStdString(FileBytes(out)), QString::fromStdString(kUtf8Film));
}

void EncodingTest::typedLetterIsSavedInTheFilesEncoding() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  OpenWithButton(editor,
                 editor.Write("film.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nP\xF8\xEDli\x9A\r\n\r\n"));
  QCOMPARE(editor.Row(1)[3], QString::fromUtf8("Příliš"));
  form.TitulkyClick();
  form.TitulkyDblClick();
  form.MemoAktual->moveCursor(QTextCursor::End);
  TypeText(form.MemoAktual, QString::fromUtf8(" ł"));
  QCOMPARE(form.MemoAktual->toPlainText(), QString::fromUtf8("Příliš ł"));
  QTest::mouseClick(form.ButtonZmenit, Qt::LeftButton);
  const QString out = editor.Folder() + "out.srt";
  editor.Dialogs.SaveAnswers = {out};
  Choose(form.ComboBoxSave, "SubRip");
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(QByteArray::fromStdString(FileBytes(out)),
           QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nP\xF8\xEDli\x9A \xB3\r\n\r\n"));
}

void EncodingTest::letterTheEncodingCannotHoldIsRefusedAndNothingWritten() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  const QString path = editor.Write("film.srt",
                                    "1\r\n00:00:01,000 --> 00:00:02,000\r\nfirst\r\n\r\n"
                                    "2\r\n00:00:03,000 --> 00:00:04,000\r\nsecond\r\n\r\n");
  OpenWithButton(editor, path);
  form.SetCurrentRow(2);
  form.TitulkyDblClick();
  form.MemoAktual->clear();
  TypeText(form.MemoAktual, QString::fromUtf8("日本"));
  QTest::mouseClick(form.ButtonZmenit, Qt::LeftButton);
  const std::string before = FileBytes(path);
  editor.Dialogs.SaveAnswers = {path};
  Choose(form.ComboBoxSave, "SubRip");
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  const AskedDialog* message = editor.Dialogs.Last(AskedDialog::Kind::Message);
  QVERIFY(message);
  QCOMPARE(message->Icon, MessageIcon::Error);
  QCOMPARE(message->Text,
           QString::fromUtf8("Titulek 2 obsahuje znak 日 (U+65E5), který kódování windows-1250 "
                             "neumí uložit. Pro uložení zvolte UTF-8."));
  QCOMPARE(editor.Dialogs.Count(AskedDialog::Kind::Save), 0);  // refused before a name is asked
  QCOMPARE(FileBytes(path), before);
  // With UTF-8 chosen it saves.
  Choose(form.ComboBoxKodovaniUlozit, "UTF-8");
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QVERIFY(FileBytes(path).find("日本") != std::string::npos);
  QCOMPARE(form.isEnabled(), true);
}

void EncodingTest::chosenEncodingsOpenAndSave() {
  Editor editor;
  TForm1& form = editor.Form();
  const QString path = editor.Write("french.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\ntr\xE8s\r\n\r\n");
  OpenWithButton(editor, path);
  QCOMPARE(editor.Row(1)[3], QString::fromUtf8("trčs"));  // no guessing: Windows-1250
  Choose(form.ComboBoxKodovaniNacist, "Windows-1252");
  OpenWithButton(editor, path);
  QCOMPARE(editor.Row(1)[3], QString::fromUtf8("très"));
  const QString out = editor.Folder() + "out.srt";
  editor.Dialogs.SaveAnswers = {out, out};
  Choose(form.ComboBoxSave, "SubRip");
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(FileBytes(out), FileBytes(path));  // kept as the file's own
  Choose(form.ComboBoxKodovaniUlozit, "UTF-16LE");
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(FileBytes(out).substr(0, 4), std::string("\xFF\xFE"
                                                    "1\0",
                                                    4));
  // ... and opens again as UTF-16 under Auto.
  Choose(form.ComboBoxKodovaniNacist, "Auto");
  OpenWithButton(editor, out);
  QCOMPARE(editor.Row(1)[3], QString::fromUtf8("très"));
}

void EncodingTest::batchRunWritesTheChosenEncoding() {
  Editor editor;
  TForm1& form = editor.Form();
  const QString input = editor.Write("in.srt", kUtf8Film);
  form.ListBoxBatch->addItem(input);
  TFormKonverze& batch = form.FormKonverze();
  batch.EditKonverzeDir->setText(editor.Folder() + "out");
  QVERIFY(QDir().mkpath(editor.Folder() + "out"));
  Choose(batch.ComboBoxKonverzeOutput, "MicroDVD");
  Choose(batch.ComboBoxKonverzeKodovani, "UTF-16BE");
  batch.CheckBoxPuvodniPripona->setChecked(true);
  batch.ConvertFiles(editor.Folder() + "out/");
  const std::string written = FileBytes(editor.Folder() + "out/in.srt");
  QCOMPARE(written.substr(0, 4), std::string("\xFE\xFF\0{", 4));
  // Windows-1250 cannot hold the Japanese line: the run stops at that file with the message.
  Choose(batch.ComboBoxKonverzeKodovani, "Windows-1250");
  editor.Dialogs.Asked.clear();
  batch.ConvertFiles(editor.Folder() + "out/");
  const AskedDialog* message = editor.Dialogs.Last(AskedDialog::Kind::Message);
  QVERIFY(message);
  QVERIFY(message->Text.startsWith(QString::fromUtf8("Titulek 2 obsahuje znak 日")));
  QCOMPARE(FileBytes(editor.Folder() + "out/in.srt"), written);
}

QTEST_MAIN(EncodingTest)
#include "encoding_test.moc"
