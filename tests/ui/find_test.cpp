// The find window driven through its controls: opening and closing, the walk up and down
// without wrapping, letter case, and the selection of the hit in the editor.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <map>

#include "ui/find_form.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

namespace {

// Ten subtitles "text N"; the texts given replace those of the numbers named.
std::string TenSubtitles(const std::map<int, std::string>& texts) {
  std::string file;
  for (int i = 1; i <= 10; ++i) {
    const auto text = texts.count(i) ? texts.at(i) : "text " + std::to_string(i);
    file += std::to_string(i) + "\r\n00:00:" + (i < 10 ? "0" : "") + std::to_string(i) +
            ",000 --> 00:00:" + (i < 10 ? "0" : "") + std::to_string(i) + ",500\r\n" + text + "\r\n\r\n";
  }
  return file;
}

struct FindFixture {
  Editor editor;
  TForm1& form = editor.Form();
  TFormFind& find = form.FormFind();

  explicit FindFixture(const std::string& file) {
    form.CheckBoxEditByOneClick->setChecked(false);
    editor.Dialogs.OpenAnswers = {editor.Write("a.srt", file)};
    QTest::mouseClick(form.ButtonNacist, Qt::LeftButton);
    QTest::mouseClick(form.ButtonNajit, Qt::LeftButton);
  }
  void Search(const QString& text, bool up, int fromRow) {
    find.EditFindText->clear();
    QTest::keyClicks(find.EditFindText, text);
    (up ? find.RadioGroupSmerNahoru : find.RadioGroupSmerDolu)->setChecked(true);
    form.SetCurrentRow(fromRow);
    QTest::keyClick(find.EditFindText, Qt::Key_Return);  // the default button
  }
  int NothingFound() const { return editor.Dialogs.Count(Kind::Message); }
  QString Selected() const { return form.MemoAktual->textCursor().selectedText(); }
};

}  // namespace

class FindTest : public QObject {
  Q_OBJECT

 private slots:
  void windowControlsAndOpening();
  void walksWithoutWrapping();
  void letterCaseOnlyForBasicLatin();
  void selectsAHitOnALaterLine();
  void selectsAHitAfterCharactersOfOtherScripts();
};

void FindTest::windowControlsAndOpening() {
  FindFixture f(TenSubtitles({}));
  QCOMPARE(f.find.objectName(), QString("TFormFind"));
  QCOMPARE(f.find.windowTitle(), QString("Najít"));
  QVERIFY(f.find.isVisible() && !f.find.isModal());
  QVERIFY(f.find.windowFlags() & Qt::WindowStaysOnTopHint);
  const QList<QRadioButton*> items = f.find.RadioGroupSmer->findChildren<QRadioButton*>();
  QCOMPARE(items.size(), 2);
  QCOMPARE(items[0]->objectName(), QString("RadioGroupSmerNahoru"));
  QVERIFY(items[1]->isChecked());
  QVERIFY(!f.find.ButtonNajit->isEnabled());
  QTest::keyClicks(f.find.EditFindText, "x");
  QVERIFY(f.find.ButtonNajit->isEnabled());
  for (QWidget* off :
       {static_cast<QWidget*>(f.form.GroupBoxEditace), static_cast<QWidget*>(f.form.ButtonNacist),
        f.form.TabSheetUpravyCasu, f.form.TabSheetUpravyTitulku})
    QVERIFY(!off->isEnabled());

  QTest::keyClick(&f.find, Qt::Key_Escape);
  QVERIFY(!f.find.isVisible());
  QVERIFY(f.form.GroupBoxEditace->isEnabled() && f.form.ButtonNacist->isEnabled());
  QVERIFY(f.form.TabSheetUpravyCasu->isEnabled() && f.form.TabSheetUpravyTitulku->isEnabled());
  // Zrušit closes as well; the text, direction and case stay for the next opening.
  QTest::mouseClick(f.form.ButtonNajit, Qt::LeftButton);
  QCOMPARE(f.find.EditFindText->text(), QString("x"));
  QTest::mouseClick(f.find.ButtonZrusit, Qt::LeftButton);
  QVERIFY(!f.find.isVisible() && f.form.GroupBoxEditace->isEnabled());
}

void FindTest::walksWithoutWrapping() {
  FindFixture f(TenSubtitles({{3, "needle here"}}));
  f.Search("needle", false, 5);
  QCOMPARE(f.NothingFound(), 1);
  QCOMPARE(f.editor.Dialogs.Last(Kind::Message)->Icon, MessageIcon::Information);
  QCOMPARE(f.editor.Dialogs.Last(Kind::Message)->Text, FromUtf8(f.form.Texts().InformationNothingFound));
  QCOMPARE(f.form.CurrentRow(), 5);
  QVERIFY(f.form.isEnabled() && f.find.ButtonNajit->isEnabled() && !f.find.EditFindText->isReadOnly());

  f.Search("needle", true, 5);
  QCOMPARE(f.NothingFound(), 1);
  QCOMPARE(f.form.CurrentRow(), 3);
  QCOMPARE(f.form.PageControl->currentWidget(), f.form.TabSheetEditace);
  QCOMPARE(f.form.LabelTitleNum->text(), QString("3."));
  QCOMPARE(f.Selected(), QString("needle"));
  QVERIFY(f.form.isEnabled());
  // The next press goes on from the hit: up from 3 finds nothing more.
  QTest::mouseClick(f.find.ButtonNajit, Qt::LeftButton);
  QCOMPARE(f.NothingFound(), 2);
  QCOMPARE(f.form.CurrentRow(), 3);
}

void FindTest::letterCaseOnlyForBasicLatin() {
  FindFixture f(TenSubtitles({{4, "Ahoj"}, {6, "ČAU"}}));
  for (const QChar ch : QString::fromUtf8("čau"))
    QTest::sendKeyEvent(QTest::Click, f.find.EditFindText, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  QTest::mouseClick(f.find.ButtonNajit, Qt::LeftButton);
  QCOMPARE(f.NothingFound(), 1);
  f.Search("AHOJ", false, 1);
  QCOMPARE(f.Selected(), QString("Ahoj"));
  f.find.CheckBoxCase->setChecked(true);
  f.Search("AHOJ", false, 1);
  QCOMPARE(f.NothingFound(), 2);
}

void FindTest::selectsAHitOnALaterLine() {
  FindFixture f(TenSubtitles({{7, "Ahoj|Jak se máš"}}));
  f.Search("jak", false, 1);
  QCOMPARE(f.form.CurrentRow(), 7);
  QCOMPARE(f.form.MemoAktual->toPlainText(), QString::fromUtf8("Ahoj\nJak se máš"));
  const QTextCursor cursor = f.form.MemoAktual->textCursor();
  QCOMPARE(cursor.selectionStart(), 5);  // four letters and the one-character line break
  QCOMPARE(cursor.selectedText(), QString("Jak"));
}

// A UTF-8 file: the hit is selected by characters, also after ones beyond U+FFFF.
void FindTest::selectsAHitAfterCharactersOfOtherScripts() {
  FindFixture f(TenSubtitles({{2, "日本語 😀|Жак и JAK"}}));
  f.Search("jak", false, 1);
  QCOMPARE(f.form.CurrentRow(), 2);
  QCOMPARE(f.form.MemoAktual->textCursor().selectedText(), QString("JAK"));
}

QTEST_MAIN(FindTest)
#include "find_test.moc"
