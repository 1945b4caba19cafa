// The recent files offered from the open button: kept in the user's state folder, newest
// first, opened from the menu, and a file that is gone dropped with the open error.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "platform/file_io.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

namespace {

// The menu as it is shown: the texts of its actions.
QStringList MenuTexts(TForm1& form) {
  emit form.MenuNedavneSoubory->aboutToShow();
  QStringList texts;
  for (const QAction* action : form.MenuNedavneSoubory->actions())
    texts << (action->isEnabled() ? "" : "(disabled) ") + action->text();
  return texts;
}

QAction* MenuAction(TForm1& form, int index) {
  emit form.MenuNedavneSoubory->aboutToShow();
  return form.MenuNedavneSoubory->actions().value(index);
}

}  // namespace

class RecentFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void openedFilesAreOfferedNewestFirstAndKeptInTheStateFolder();
  void aMissingFileIsDroppedWithTheOpenError();
};

void RecentFilesTest::openedFilesAreOfferedNewestFirstAndKeptInTheStateFolder() {
  Editor editor;
  TForm1& form = editor.Form();
  QCOMPARE(form.ButtonNedavneSoubory->menu(), form.MenuNedavneSoubory);
  QCOMPARE(form.ButtonNacist->contextMenuPolicy(), Qt::CustomContextMenu);
  QCOMPARE(MenuTexts(form), QStringList{QString::fromUtf8("(disabled) (žádné soubory)")});

  QStringList films;
  for (const char* name : {"a.srt", "b.sub", "c&d.srt"})
    films << editor.Write(name, std::string(name).ends_with(".sub") ? MicroDvdFile(2) : SubRipFile(2));
  OpenWithButton(editor, films[0]);
  QVERIFY(DropFiles(form.Titulky->viewport(), {films[1]}));
  form.OpenFile(films[2], OpenFailureReport::OwnMessage);
  form.OpenFile(editor.Write("junk.txt", "not subtitles\r\n"), OpenFailureReport::OwnMessage);  // not kept
  QCOMPARE(form.RecentFileNames(), QStringList({films[2], films[1], films[0]}));
  const QStringList texts = MenuTexts(form);
  QCOMPARE(texts.size(), 3);
  QVERIFY(texts[0].startsWith("&1  ") && texts[0].endsWith("c&&d.srt"));
  QVERIFY(texts[2].startsWith("&3  ") && texts[2].endsWith("a.srt"));

  // Chosen from the menu: opened, and to the front of the list.
  MenuAction(form, 2)->trigger();
  QCOMPARE(FromPath(editor.Doc().CurrentFileName), films[0]);
  QCOMPARE(form.RecentFileNames().first(), films[0]);

  // In the state folder, never in the settings file; a later run offers the same list.
  const std::string kept = ReadWholeFile(ToPath(editor.Folder() + "state/quillmark/recent"));
  QCOMPARE(QString::fromStdString(kept), films[0] + "\n" + films[2] + "\n" + films[1] + "\n");
  QVERIFY(form.close());
  QVERIFY(ReadWholeFile(ToPath(editor.Folder() + "Data/settings.ini")).find("a.srt") == std::string::npos);
  StartupOptions later;
  later.RecentFilesFile = editor.Folder() + "state/quillmark/recent";
  Editor next(later);
  QCOMPARE(next.Form().RecentFileNames(), QStringList({films[0], films[2], films[1]}));

  // At most ten.
  for (int i = 0; i < 12; ++i)
    next.Form().OpenFile(next.Write(QString("f%1.srt").arg(i), SubRipFile(1)), OpenFailureReport::OwnMessage);
  QCOMPARE(next.Form().RecentFileNames().size(), 10);
  QVERIFY(MenuTexts(next.Form()).last().startsWith("1&0  "));
}

void RecentFilesTest::aMissingFileIsDroppedWithTheOpenError() {
  Editor editor;
  TForm1& form = editor.Form();
  const QString gone = editor.Write("gone.srt", SubRipFile(2));
  const QString kept = editor.Write("kept.srt", SubRipFile(3));
  form.OpenFile(gone, OpenFailureReport::OwnMessage);
  form.OpenFile(kept, OpenFailureReport::OwnMessage);
  QVERIFY(QFile::remove(gone));
  MenuAction(form, 1)->trigger();
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, FromUtf8(form.Texts().ErrorCantOpenFile));
  QCOMPARE(form.RecentFileNames(), QStringList{kept});
  QCOMPARE(FromPath(editor.Doc().CurrentFileName), kept);  // the open document stays
  QCOMPARE(editor.Doc().SubtitleCount, 3);

  // With unsaved changes the three-way question comes first; Cancel keeps the document.
  TypeMemo(form, {"new"});
  QTest::mouseClick(form.ButtonPridat, Qt::LeftButton);
  const QString other = editor.Write("other.srt", SubRipFile(5));
  form.OpenFile(other, OpenFailureReport::OwnMessage);  // directly: no question
  TypeMemo(form, {"new"});
  QTest::mouseClick(form.ButtonPridat, Qt::LeftButton);
  MenuAction(form, 1)->trigger();  // kept.srt
  QCOMPARE(editor.Dialogs.Count(Kind::UnsavedChanges), 1);
  QCOMPARE(editor.Doc().SubtitleCount, 6);
  editor.Dialogs.UnsavedAnswers = {UnsavedChangesAnswer::Discard};
  MenuAction(form, 1)->trigger();
  QCOMPARE(editor.Doc().SubtitleCount, 3);
}

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
