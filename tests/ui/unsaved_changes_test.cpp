// Unsaved changes: the title's mark, the three-way question before closing or opening another
// file, and the desktop's standard keys.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "platform/file_io.h"
#include "ui/find_form.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;
using Answer = UnsavedChangesAnswer;

namespace {

const QString kDash = QString::fromUtf8(" – ");

// An editor on screen with film.srt open.
struct OpenFilm {
  Editor editor;
  TForm1& form = editor.Form();
  QString film = editor.Write("film.srt", SubRipFile(3));
  OpenFilm() {
    Shown(editor);
    form.OpenFile(film, OpenFailureReport::OwnMessage);
    form.ComboBoxSave->setCurrentIndex(1);  // SubRip, as read
  }
  // One subtitle added through the editor page.
  void Change() {
    TypeMemo(form, {"added"});
    QTest::mouseClick(form.ButtonPridat, Qt::LeftButton);
  }
};

}  // namespace

class UnsavedChangesTest : public QObject {
  Q_OBJECT

 private slots:
  void titleNamesTheFileAndMarksChanges();
  void closingWithChangesAsksOnlyTheThreeWayQuestion_data();
  void closingWithChangesAsksOnlyTheThreeWayQuestion();
  void closingWithoutChangesFollowsTheAskToCloseOption();
  void openingAnotherFileAsksFirst_data();
  void openingAnotherFileAsksFirst();
  void standardKeysWorkBesideTheProductsOwn();
  void realQuestionHasTheStandardButtonsWithTranslatedCaptions();
};

void UnsavedChangesTest::titleNamesTheFileAndMarksChanges() {
  Editor editor;
  QCOMPARE(editor.Form().windowTitle(), QString("Quillmark v0.91"));
  OpenFilm open;
  TForm1& form = open.form;
  QCOMPARE(form.windowTitle(), "film.srt" + kDash + "Quillmark v0.91");
  QVERIFY(!form.IsModified());
  open.Change();
  QCOMPARE(form.windowTitle(), "film.srt*" + kDash + "Quillmark v0.91");
  form.Titulky->setFocus();
  QTest::keyClick(form.Titulky, Qt::Key_Z, Qt::ControlModifier);  // undo back to the opened state
  QCOMPARE(form.windowTitle(), "film.srt" + kDash + "Quillmark v0.91");
  QTest::keyClick(form.Titulky, Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(form.windowTitle(), "film.srt*" + kDash + "Quillmark v0.91");

  // Saved under another name: the title follows the save, the top panel keeps the opened file.
  const QString copy = open.editor.Folder() + "copy.srt";
  open.editor.Dialogs.SaveAnswers = {copy};
  form.ComboBoxSave->setCurrentIndex(1);
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(form.windowTitle(), "copy.srt" + kDash + "Quillmark v0.91");
  QCOMPARE(form.StaticTextSubtitlesFile->toolTip(), open.film);
  QVERIFY(!form.IsModified());
  QTest::keyClick(form.Titulky, Qt::Key_Z, Qt::ControlModifier);  // before the save
  QVERIFY(form.IsModified());
  QTest::keyClick(form.Titulky, Qt::Key_Y, Qt::ControlModifier);
  QVERIFY(!form.IsModified());

  // A whole-document tool marks it at once.
  QTest::mouseClick(form.ButtonSchovDleZobraz, Qt::LeftButton);
  QCOMPARE(form.windowTitle(), "copy.srt*" + kDash + "Quillmark v0.91");
  // Another file opened starts unmodified; one not recognised leaves the program's title.
  form.OpenFile(open.editor.Write("other.srt", SubRipFile(1)), OpenFailureReport::OwnMessage);
  QCOMPARE(form.windowTitle(), "other.srt" + kDash + "Quillmark v0.91");
  form.OpenFile(open.editor.Write("junk.txt", "not subtitles\r\n"), OpenFailureReport::OwnMessage);
  QCOMPARE(form.windowTitle(), QString("Quillmark v0.91"));
}

void UnsavedChangesTest::closingWithChangesAsksOnlyTheThreeWayQuestion_data() {
  QTest::addColumn<int>("answer");
  QTest::addColumn<QString>("saveAnswer");  // the save dialog's answer after Save
  QTest::addColumn<bool>("closes");
  QTest::addColumn<bool>("written");
  QTest::newRow("Save, saved") << int(Answer::Save) << "saved.srt" << true << true;
  QTest::newRow("Save, dialog cancelled") << int(Answer::Save) << "" << false << false;
  QTest::newRow("Save, failed") << int(Answer::Save) << "no/such/folder/x.srt" << false << false;
  QTest::newRow("Discard") << int(Answer::Discard) << "" << true << false;
  QTest::newRow("Cancel") << int(Answer::Cancel) << "" << false << false;
}

void UnsavedChangesTest::closingWithChangesAsksOnlyTheThreeWayQuestion() {
  QFETCH(int, answer);
  QFETCH(QString, saveAnswer);
  QFETCH(bool, closes);
  QFETCH(bool, written);
  OpenFilm open;
  TForm1& form = open.form;
  form.CheckBoxAskToClose->setChecked(true);  // never a second question
  open.Change();
  const int32_t count = open.editor.Doc().SubtitleCount;
  const QString settings = open.editor.Folder() + "Data/settings.ini";
  const std::string settingsBefore = ReadWholeFile(settings.toStdString());
  open.editor.Dialogs.UnsavedAnswers = {Answer(answer)};
  if (!saveAnswer.isEmpty()) open.editor.Dialogs.SaveAnswers = {open.editor.Folder() + saveAnswer};

  QTest::mouseClick(form.ButtonKonec, Qt::LeftButton);
  QCOMPARE(open.editor.Dialogs.Count(Kind::UnsavedChanges), 1);
  const AskedDialog& asked = *open.editor.Dialogs.Last(Kind::UnsavedChanges);
  QCOMPARE(asked.Text, QString::fromUtf8("Titulky obsahují neuložené změny. Chcete je uložit?"));
  QCOMPARE(open.editor.Dialogs.UnsavedQuestions[0].Discard, QString("&Zahodit"));
  QCOMPARE(open.editor.Dialogs.Count(Kind::Message) - (saveAnswer.startsWith("no/") ? 1 : 0), 0);
  QCOMPARE(form.isVisible(), !closes);
  QCOMPARE(QFileInfo::exists(open.editor.Folder() + "saved.srt"), written);
  QCOMPARE(open.editor.Doc().SubtitleCount, count);  // the document stays as it was
  QCOMPARE(form.IsModified(), !written);
  // The settings are written only when the window really closes.
  QCOMPARE(ReadWholeFile(settings.toStdString()) != settingsBefore, closes);
}

void UnsavedChangesTest::closingWithoutChangesFollowsTheAskToCloseOption() {
  OpenFilm open;
  TForm1& form = open.form;
  form.CheckBoxAskToClose->setChecked(true);
  open.editor.Dialogs.MessageAnswers = {MessageAnswer::No};
  QVERIFY(!form.close());
  QCOMPARE(open.editor.Dialogs.Last(Kind::Message)->Text, FromUtf8(form.Texts().QuestionUkonceni));
  // Changes undone are no changes.
  open.Change();
  form.UndoClick();
  open.editor.Dialogs.MessageAnswers = {MessageAnswer::Yes};
  QVERIFY(form.close());
  QCOMPARE(open.editor.Dialogs.Count(Kind::Message), 2);
  QCOMPARE(open.editor.Dialogs.Count(Kind::UnsavedChanges), 0);
}

void UnsavedChangesTest::openingAnotherFileAsksFirst_data() {
  QTest::addColumn<QString>("way");
  QTest::addColumn<int>("answer");
  for (const char* way : {"button", "F3", "Ctrl+O", "drop"}) {
    QTest::newRow(QByteArray(way) + " cancel") << QString(way) << int(Answer::Cancel);
    QTest::newRow(QByteArray(way) + " discard") << QString(way) << int(Answer::Discard);
    QTest::newRow(QByteArray(way) + " save") << QString(way) << int(Answer::Save);
  }
}

void UnsavedChangesTest::openingAnotherFileAsksFirst() {
  QFETCH(QString, way);
  QFETCH(int, answer);
  OpenFilm open;
  TForm1& form = open.form;
  open.Change();
  const QString other = open.editor.Write("other.srt", SubRipFile(7));
  FakeDialogs& dialogs = open.editor.Dialogs;
  dialogs.UnsavedAnswers = {Answer(answer)};
  dialogs.SaveAnswers = {open.editor.Folder() + "saved.srt"};
  dialogs.OpenAnswers = {other};
  form.MemoAktual->setFocus();
  if (way == "button") QTest::mouseClick(form.ButtonNacist, Qt::LeftButton);
  if (way == "F3") QTest::keyClick(form.MemoAktual, Qt::Key_F3);
  if (way == "Ctrl+O") QTest::keyClick(form.MemoAktual, Qt::Key_O, Qt::ControlModifier);
  if (way == "drop") QVERIFY(DropFiles(form.Titulky->viewport(), {other}));
  QTRY_COMPARE(dialogs.Count(Kind::UnsavedChanges), 1);
  const bool goesOn = Answer(answer) != Answer::Cancel;
  // The open dialog comes only after the question was answered.
  if (way != "drop") QCOMPARE(dialogs.Count(Kind::Open), goesOn ? 1 : 0);
  QTRY_COMPARE(open.editor.Doc().SubtitleCount, goesOn ? 7 : 4);
  QCOMPARE(QFileInfo::exists(open.editor.Folder() + "saved.srt"), Answer(answer) == Answer::Save);
  QCOMPARE(form.IsModified(), !goesOn);
}

void UnsavedChangesTest::standardKeysWorkBesideTheProductsOwn() {
  OpenFilm open;
  TForm1& form = open.form;
  FakeDialogs& dialogs = open.editor.Dialogs;
  for (QWidget* focus : {static_cast<QWidget*>(form.Titulky), static_cast<QWidget*>(form.MemoAktual),
                         static_cast<QWidget*>(form.EditHH1)}) {
    const int opens = dialogs.Count(Kind::Open), saves = dialogs.Count(Kind::Save);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(dialogs.Count(Kind::Open), opens + 1);
    QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(dialogs.Count(Kind::Save), saves + 1);
    QTest::keyClick(focus, Qt::Key_F2);  // the product's own keys still work
    QCOMPARE(dialogs.Count(Kind::Save), saves + 2);
  }
  form.EditHH1->setFocus();
  QTest::keyClick(form.EditHH1, Qt::Key_F, Qt::ControlModifier);
  QTRY_VERIFY(form.FormFind().isVisible());
  form.FormFind().close();
  form.CheckBoxAskToClose->setChecked(true);
  dialogs.MessageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
  form.Titulky->setFocus();
  QTest::keyClick(form.Titulky, Qt::Key_Q, Qt::ControlModifier);  // through the close flow
  QVERIFY(form.isVisible());
  QTest::keyClick(form.Titulky, Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(!form.isVisible());
}

void UnsavedChangesTest::realQuestionHasTheStandardButtonsWithTranslatedCaptions() {
  QtDialogs dialogs;
  const UnsavedChangesQuestion question{"Changed.", "&Uložit", "&Zahodit", "Zrušit"};
  const struct {
    QMessageBox::StandardButton click;
    Answer expected;
  } cases[] = {{QMessageBox::Save, Answer::Save},
               {QMessageBox::Discard, Answer::Discard},
               {QMessageBox::Cancel, Answer::Cancel}};
  for (const auto& [click, expected] : cases) {
    QStringList captions;
    QTimer::singleShot(0, [&, click = click] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      QCOMPARE(box->text(), QString("Changed."));
      for (const auto button : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
        captions << box->button(button)->text();
      box->button(click)->click();
    });
    QCOMPARE(dialogs.UnsavedChanges(nullptr, question), expected);
    QCOMPARE(captions, QStringList({"&Uložit", "&Zahodit", QString::fromUtf8("Zrušit")}));
  }
}

QTEST_MAIN(UnsavedChangesTest)
#include "unsaved_changes_test.moc"
