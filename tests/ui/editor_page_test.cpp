// The editor page driven through its real controls: grid clicks and keys, the timing fields'
// filters, add, insert, change, remove, delete all, the grid font, and undo and redo.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "ui/subtitle_grid.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

namespace {

QPoint RowCentre(TForm1& form, int row) {
  return form.Titulky->visualRect(form.GridModel().index(row - 1, 3)).center();
}

void ClickRow(TForm1& form, int row) {
  QTest::mouseClick(form.Titulky->viewport(), Qt::LeftButton, {}, RowCentre(form, row));
}

QString NewSubtitleText(Editor& editor) { return FromUtf8(editor.Form().Texts().LabelTitleNumNovyTitulek); }

}  // namespace

class EditorPageTest : public QObject {
  Q_OBJECT

 private slots:
  void clickAndDoubleClickLoadTheRow();
  void enterAndDeleteInTheGrid();
  void typedDigitsJumpToANumber();
  void addOnAnEmptyDocument();
  void insertChangeAndRemove();
  void deleteAllTakesTwoClicks();
  void clockFieldsFilterAndClamp();
  void everyChangeOfAFrameFieldRefreshesTheDuration();
  void pastedNonNumberStopsBeforeAnythingChanges();
  void fullTableRefusesAddAndInsert();
  void overwriteModeAndCaretPanel();
  void undoAndRedoRestoreGridAndCounters();
};

void EditorPageTest::clickAndDoubleClickLoadTheRow() {
  Editor editor;
  TForm1& form = editor.Form();
  Shown(editor);
  OpenWithButton(editor, editor.Write("a.srt", SubRipFile(3, "One|two")));
  form.CheckBoxEditByOneClick->setChecked(false);
  form.PageControl->setCurrentIndex(0);
  ClickRow(form, 2);
  QCOMPARE(form.CurrentRow(), 2);
  QVERIFY(form.ButtonZmenit->isEnabled() && form.ButtonOdebrat->isEnabled());
  QCOMPARE(form.Titulky->toolTip(), QString("One\ntwo 2"));
  QCOMPARE(form.PageControl->currentWidget(), form.TabSheetUpravyCasu);  // a click alone loads nothing

  QTest::mouseDClick(form.Titulky->viewport(), Qt::LeftButton, {}, RowCentre(form, 2));
  QCOMPARE(form.PageControl->currentWidget(), form.TabSheetEditace);
  QCOMPARE(form.MemoAktual->toPlainText(), QString("One\ntwo 2"));
  QCOMPARE(form.LabelLines->text(), QString("2"));
  QCOMPARE(form.LabelTitleNum->text(), QString("2."));
  QCOMPARE(form.EditSS1->text() + form.EditSSS1->text() + form.EditSSS2->text(), QString("4250500"));
  QCOMPARE(form.EditDiference->text(), QString("0:00:01,250"));

  // One-click editing: a click on another row, and on the current row again, loads it.
  form.CheckBoxEditByOneClick->setChecked(true);
  ClickRow(form, 3);
  QCOMPARE(form.LabelTitleNum->text(), QString("3."));
  form.MemoAktual->setPlainText("edited");
  QCOMPARE(form.LabelTitleNum->text(), NewSubtitleText(editor));
  ClickRow(form, 3);
  QCOMPARE(form.MemoAktual->toPlainText(), QString("One\ntwo 3"));
}

void EditorPageTest::enterAndDeleteInTheGrid() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  QTest::keyClick(form.Titulky, Qt::Key_Delete);  // empty table: nothing happens
  QCOMPARE(editor.GridRows(), 2);
  QCOMPARE(editor.Dialogs.Asked.size(), size_t{0});

  OpenWithButton(editor, editor.Write("a.srt", SubRipFile(5)));
  form.SetCurrentRow(4);
  QTest::keyClick(form.Titulky, Qt::Key_Return);
  QCOMPARE(form.PageControl->currentWidget(), form.TabSheetEditace);
  QCOMPARE(form.MemoAktual->toPlainText(), QString("Line 4"));
  QTest::keyClick(form.Titulky, Qt::Key_Delete, Qt::ShiftModifier);
  QCOMPARE(editor.Doc().SubtitleCount, 4);
  QCOMPARE(editor.Row(4)[3], QString("Line 5"));
  QCOMPARE(form.MemoAktual->toPlainText(), QString("Line 4"));  // the editor keeps its contents
}

void EditorPageTest::typedDigitsJumpToANumber() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  form.TimerJumpClear->stop();  // the test decides when the digits are forgotten
  OpenWithButton(editor, editor.Write("a.srt", SubRipFile(80)));
  QTest::keyClicks(form.Titulky, "75");
  QCOMPARE(form.CurrentRow(), 75);

  OpenWithButton(editor, editor.Write("b.srt", SubRipFile(50)));
  form.SetCurrentRow(1);
  const auto forget = [&] {
    form.TimerJumpClear->start(5);
    QTest::qWait(30);
    form.TimerJumpClear->stop();
  };
  forget();
  QTest::keyClick(form.Titulky, Qt::Key_7);
  QCOMPARE(form.CurrentRow(), 7);
  QTest::keyClick(form.Titulky, Qt::Key_5);  // 75 is beyond 50: dropped
  QCOMPARE(form.CurrentRow(), 7);
  QTest::keyClick(form.Titulky, Qt::Key_3);
  QCOMPARE(form.CurrentRow(), 3);
  // Letters are not the view's search either, whichever column is current.
  form.Titulky->setCurrentIndex(form.GridModel().index(2, 3));
  QTest::keyClick(form.Titulky, Qt::Key_L);
  QCOMPARE(form.CurrentRow(), 3);

  // The timer forgets the digits: 1 then (after it fired) 2 is row 2, not 12.
  QTest::keyClick(form.Titulky, Qt::Key_1);
  forget();
  QTest::keyClick(form.Titulky, Qt::Key_2);
  QCOMPARE(form.CurrentRow(), 2);
}

void EditorPageTest::addOnAnEmptyDocument() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  TypeMemo(form, {"a", "", "b"});
  QCOMPARE(form.LabelLines->text(), QString("3"));
  Retype(form.SpinEditStart, "10");
  Retype(form.SpinEditKonec, "25");
  QCOMPARE(form.EditDiference->text(), QString("15"));
  QTest::mouseClick(form.ButtonPridat, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 1);
  QCOMPARE(editor.GridRows(), 2);
  QCOMPARE(editor.Row(1), QStringList({"1", "10", "25", "a||b"}));
  QCOMPARE(form.LabelTitleNum->text(), QString("1."));
  QCOMPARE(form.PanelTitulkyMax->text(), QString("1"));
  QCOMPARE(form.PanelLinesMax->text(), QString("3"));
  QVERIFY(form.ButtonZmenit->isEnabled() && form.ButtonOdebrat->isEnabled() &&
          form.ButtonProvest->isEnabled());
  // The clock form is derived through the frame rate (23.976).
  QCOMPARE(editor.Doc().SubtitleTable[1].EndSecond, 1);
  QCOMPARE(editor.Doc().SubtitleTable[1].EndMs, std::string("043"));
}

void EditorPageTest::insertChangeAndRemove() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  OpenWithButton(editor, editor.Write("a.srt",
                                      "1\r\n00:00:01,000 --> 00:00:02,000\r\none\r\n\r\n"
                                      "2\r\n00:00:03,000 --> 00:00:04,000\r\nthree|lines|here\r\n\r\n"
                                      "3\r\n00:00:05,000 --> 00:00:06,000\r\ntwo|lines\r\n\r\n"));
  form.SetCurrentRow(1);
  TypeMemo(form, {"new"});
  QTest::mouseClick(form.ButtonVlozit, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 4);
  QCOMPARE(editor.Row(1)[3], QString("new"));
  QCOMPARE(editor.Row(2), QStringList({"2", "00:00:01,000", "00:00:02,000", "one"}));
  QCOMPARE(editor.Row(4)[3], QString("two|lines"));
  QCOMPARE(form.CurrentRow(), 1);
  QCOMPARE(form.PanelTitulkyMax->text(), QString("4"));
  QCOMPARE(form.PanelLinesMax->text(), QString("3"));
  QCOMPARE(form.LabelTitleNum->text(), QString("1."));

  // Change writes the editor into the current row, text and clock times.
  form.SetCurrentRow(2);
  QTest::keyClick(form.Titulky, Qt::Key_Return);
  TypeMemo(form, {"a", "", "b"});
  Retype(form.EditSSS1, "5");
  QCOMPARE(form.EditDiference->text(), QString("0:00:00,500"));
  QTest::mouseClick(form.ButtonZmenit, Qt::LeftButton);
  QCOMPARE(editor.Row(2), QStringList({"2", "00:00:01,500", "00:00:02,000", "a||b"}));
  QCOMPARE(editor.Doc().SubtitleTable[2].StartMs, std::string("500"));
  QCOMPARE(form.LabelTitleNum->text(), QString("2."));

  // Removing the three-line subtitle: the counters follow, the row keeps its number.
  form.SetCurrentRow(3);
  QTest::mouseClick(form.ButtonOdebrat, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 3);
  QCOMPARE(editor.Row(3)[3], QString("two|lines"));
  QCOMPARE(form.PanelLinesMax->text(), QString("3"));  // a||b has three lines
  QCOMPARE(form.CurrentRow(), 3);
  QVERIFY(!form.ButtonZmenit->isEnabled());
  QCOMPARE(form.LabelTitleNum->text(), NewSubtitleText(editor));
  // The last row removed: the current row becomes the new last one, its slot is reset.
  QTest::mouseClick(form.ButtonOdebrat, Qt::LeftButton);
  QCOMPARE(form.CurrentRow(), 2);
  QCOMPARE(editor.GridRows(), 3);
  QCOMPARE(editor.Doc().SubtitleTable[3], TSubtitle{});
  QCOMPARE(form.PanelLinesMax->text(), QString("3"));
  QVERIFY(form.ButtonOdebrat->isEnabled());  // stays armed while subtitles are left
  for (int i = 0; i < 2; ++i) QTest::mouseClick(form.ButtonOdebrat, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 0);
  QCOMPARE(editor.GridRows(), 2);
  QCOMPARE(editor.Row(1), QStringList({"", "", "", ""}));
  QVERIFY(!form.ButtonOdebrat->isEnabled() && !form.ButtonProvest->isEnabled());
  QCOMPARE(form.PanelLinesMax->text(), QString("0"));
}

void EditorPageTest::deleteAllTakesTwoClicks() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  OpenWithButton(editor, editor.Write("a.srt", SubRipFile(6)));
  QVERIFY(!form.ButtonSmazat->isEnabled());
  QTest::mouseClick(form.CheckBoxSmazat, Qt::LeftButton);
  QVERIFY(form.ButtonSmazat->isEnabled());
  form.MemoAktual->setPlainText("x");
  QTest::mouseClick(form.ButtonSmazat, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 0);
  QCOMPARE(editor.GridRows(), 2);
  QCOMPARE(editor.Row(1), QStringList({"", "", "", ""}));
  QVERIFY(!form.CheckBoxSmazat->isChecked() && !form.ButtonSmazat->isEnabled());
  QVERIFY(!form.ButtonZmenit->isEnabled() && !form.ButtonOdebrat->isEnabled() &&
          !form.ButtonProvest->isEnabled());
  QCOMPARE(form.MemoAktual->toPlainText() + form.LabelLines->text() + form.PanelTitulkyMax->text(),
           QString("0"));
}

void EditorPageTest::clockFieldsFilterAndClamp() {
  Editor editor;
  TForm1& form = editor.Form();
  Shown(editor);
  OpenWithButton(editor, editor.Write("a.srt", SubRipFile(1)));
  QVERIFY(form.PanelSubFormat1->isVisibleTo(form.TabSheetEditace));
  Retype(form.EditMM1, "75");
  QCOMPARE(form.EditMM1->text(), QString("59"));
  QCOMPARE(form.EditMM1->selectedText(), QString("59"));
  Retype(form.EditHH2, "30");
  QCOMPARE(form.EditHH2->text(), QString("23"));
  Retype(form.EditSS2, "");
  QCOMPARE(form.EditSS2->text(), QString("0"));
  QCOMPARE(form.EditSS2->selectedText(), QString("0"));
  Retype(form.EditSS1, "4x-,");
  QCOMPARE(form.EditSS1->text(), QString("4"));
  Retype(form.SpinEditStart, "-1a2+");  // the spin fields take digits only
  QCOMPARE(form.SpinEditStart->value(), 12);
  Retype(form.EditSSS1, "999");  // no limit on the digits after the comma
  QCOMPARE(form.EditSSS1->text(), QString("999"));
  // Clock durations are magnitudes: the hide time 0:00:00,500 lies before 0:59:04,999.
  Retype(form.EditHH1, "0");
  Retype(form.EditMM2, "0");
  Retype(form.EditHH2, "0");
  Retype(form.EditSSS2, "5");
  QCOMPARE(form.EditDiference->text(), QString("0:59:04,499"));
}

void EditorPageTest::everyChangeOfAFrameFieldRefreshesTheDuration() {
  Editor editor;
  OpenWithButton(editor, editor.Write("film.sub", MicroDvdFile(2)));
  TForm1& form = Shown(editor, editor.Form().TabSheetEditace);
  QSpinBox* hide = form.SpinEditKonec;
  Retype(form.SpinEditStart, "500");
  Retype(hide, "400");
  QCOMPARE(form.EditDiference->text(), QString("-100"));
  QTest::keyClick(hide, Qt::Key_Up);  // the arrow keys
  QCOMPARE(form.EditDiference->text(), QString("-99"));
  QTest::keyClick(hide, Qt::Key_Down);
  QTest::keyClick(hide, Qt::Key_Down);
  QCOMPARE(form.EditDiference->text(), QString("-101"));
  // The arrow buttons at the field's right edge, upper and lower half.
  QTest::mouseClick(hide, Qt::LeftButton, {}, QPoint(hide->width() - 4, 4));
  QCOMPARE(hide->value(), 400);
  QCOMPARE(form.EditDiference->text(), QString("-100"));
  QTest::mouseClick(hide, Qt::LeftButton, {}, QPoint(hide->width() - 4, hide->height() - 4));
  QCOMPARE(form.EditDiference->text(), QString("-101"));
  // The mouse wheel.
  QWheelEvent wheel(QPointF(10, 10), hide->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(hide, &wheel);
  QCOMPARE(hide->value(), 400);
  QCOMPARE(form.EditDiference->text(), QString("-100"));
  form.SpinEditStart->stepBy(-150);
  QCOMPARE(form.EditDiference->text(), QString("50"));
}

void EditorPageTest::pastedNonNumberStopsBeforeAnythingChanges() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  OpenWithButton(editor, editor.Write("a.srt", SubRipFile(2)));
  form.EditSS1->setText("1x");  // as a paste would leave it
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("'1x' is not a valid integer value"));
  const size_t asked = editor.Dialogs.Asked.size();
  form.TitulkyClick();
  for (QPushButton* button : {form.ButtonPridat, form.ButtonVlozit, form.ButtonZmenit})
    QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Asked.size(), asked + 3);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("'1x' is not a valid integer value"));
  QCOMPARE(editor.Doc().SubtitleCount, 2);
  QCOMPARE(editor.GridRows(), 3);
  QCOMPARE(editor.Row(1)[3], QString("Line 1"));
  QCOMPARE(editor.Doc().SubtitleTable[3], TSubtitle{});
  QVERIFY(!form.History().CanUndo());
}

void EditorPageTest::fullTableRefusesAddAndInsert() {
  Editor editor;
  TForm1& form = editor.Form();
  SubtitleDocument& doc = editor.Doc();
  for (int32_t i = 1; i <= MaxSubtitles; ++i) doc.SubtitleTable[i].Text = "t";
  doc.SubtitleCount = MaxSubtitles;
  form.FillGrid();
  for (QPushButton* button : {form.ButtonPridat, form.ButtonVlozit}) {
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(editor.Dialogs.Last(Kind::Message)->Icon, MessageIcon::Information);
    QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text,
             QString("Tabulka je plná: pojme nejvýše 20000 titulků."));
  }
  QCOMPARE(doc.SubtitleCount, MaxSubtitles);
  QCOMPARE(editor.GridRows(), MaxSubtitles + 1);
}

void EditorPageTest::overwriteModeAndCaretPanel() {
  Editor editor;
  TForm1& form = editor.Form();
  Shown(editor);
  const DynamicTexts& texts = form.Texts();
  TypeMemo(form, {"abc", "de"});
  QCOMPARE(form.StatusBarMemoText(1), QString("2 : 3"));
  QTest::keyClick(form.MemoAktual, Qt::Key_Home);
  QCOMPARE(form.StatusBarMemoText(1), QString("2 : 1"));
  QTest::keyClick(form.MemoAktual, Qt::Key_Insert);
  QCOMPARE(form.StatusBarMemoText(2), FromUtf8(texts.StatusBarMemoPrepisovani));
  QTest::keyClicks(form.MemoAktual, "XYZ");  // replaces d and e; a line break is never replaced
  QCOMPARE(form.MemoAktual->toPlainText(), QString("abc\nXYZ"));
  QTest::keyClick(form.MemoAktual, Qt::Key_Insert, Qt::ShiftModifier);  // with a modifier: no toggle
  QTest::keyClick(form.MemoAktual, Qt::Key_Insert);
  QCOMPARE(form.StatusBarMemoText(2), FromUtf8(texts.StatusBarMemoVkladani));
  form.MemoAktual->setPlainText(QString(1600, u'x'));
  QCOMPARE(form.MemoAktual->toPlainText().size(), 1500);
}

void EditorPageTest::undoAndRedoRestoreGridAndCounters() {
  Editor editor;
  TForm1& form = editor.Form();
  Shown(editor);
  form.CheckBoxEditByOneClick->setChecked(false);
  OpenWithButton(editor, editor.Write("a.srt", SubRipFile(4)));
  const auto undo = [&] { QTest::keyClick(form.Titulky, Qt::Key_Z, Qt::ControlModifier); };
  const auto redo = [&] { QTest::keyClick(form.Titulky, Qt::Key_Y, Qt::ControlModifier); };

  form.SetCurrentRow(2);
  TypeMemo(form, {"changed", "twice"});
  QTest::mouseClick(form.ButtonZmenit, Qt::LeftButton);
  QTest::mouseClick(form.ButtonOdebrat, Qt::LeftButton);  // removes the changed row 2
  QCOMPARE(editor.Doc().SubtitleCount, 3);
  QTest::mouseClick(form.CheckBoxSmazat, Qt::LeftButton);
  QTest::mouseClick(form.ButtonSmazat, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 0);

  form.Titulky->setFocus();
  undo();  // delete all
  QCOMPARE(editor.Doc().SubtitleCount, 3);
  QCOMPARE(editor.GridRows(), 4);
  QCOMPARE(form.PanelTitulkyMax->text(), QString("3"));
  QVERIFY(form.ButtonOdebrat->isEnabled() && form.ButtonProvest->isEnabled());
  undo();  // remove
  QCOMPARE(editor.Row(2)[3], QString("changed|twice"));
  QCOMPARE(form.PanelLinesMax->text(), QString("2"));
  QCOMPARE(form.CurrentRow(), 2);
  undo();  // change
  QCOMPARE(editor.Row(2)[3], QString("Line 2"));
  QCOMPARE(editor.Doc().SubtitleTable[2].Text, std::string("Line 2"));
  QCOMPARE(form.PanelLinesMax->text(), QString("1"));
  undo();  // nothing left: no change, no message
  QCOMPARE(editor.Doc().SubtitleCount, 4);

  redo();
  redo();
  QTest::keyClick(form.Titulky, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // the other redo key
  QCOMPARE(editor.Doc().SubtitleCount, 0);
  QCOMPARE(editor.GridRows(), 2);
  QCOMPARE(editor.Row(1), QStringList({"", "", "", ""}));
  QVERIFY(!form.ButtonOdebrat->isEnabled());

  // A whole-document tool: one step, however many records it touched.
  undo();
  form.BeginWholeDocumentChange();
  for (int32_t i = 1; i <= editor.Doc().SubtitleCount; ++i) editor.Doc().SubtitleTable[i].Text += "!";
  editor.Doc().FrameRate = 25;
  form.FillGrid();
  undo();
  QCOMPARE(editor.Row(3)[3], QString("Line 4"));
  QCOMPARE(editor.Doc().FrameRate, 23.976);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);

  // Inside the text editor the keys undo typing, not the document; opening starts afresh.
  form.MemoAktual->setPlainText("abc");
  form.MemoAktual->setFocus();
  form.MemoAktual->moveCursor(QTextCursor::End);
  QTest::keyClicks(form.MemoAktual, "d");
  QTest::keyClick(form.MemoAktual, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(form.MemoAktual->toPlainText(), QString("abc"));
  QCOMPARE(editor.Row(1)[3], QString("Line 1"));
  editor.Dialogs.UnsavedAnswers = {UnsavedChangesAnswer::Discard};
  OpenWithButton(editor, editor.Write("b.srt", SubRipFile(3)));
  QVERIFY(!form.History().CanUndo());
}

QTEST_MAIN(EditorPageTest)
#include "editor_page_test.moc"
