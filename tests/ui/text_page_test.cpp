// The text tools page as the user drives it: the changes pass, blank subtitles, accents and
// line wrapping, through the real fields and buttons, checked in the grid and the table.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "document/subtitles_tool.h"
#include "ui/subtitle_grid.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class TextPageTest : public QObject {
  Q_OBJECT

 private slots:
  void changesTrimRepairAndResetTheEditorState();
  void replacementReadsBothFields();
  void overlapRepairStopsAtAClockFieldOutOfRange();
  void blankSubtitlesAreRemoved();
  void allBlankEmptiesTheTableAndKeepsTheGridRows();
  void accentsOfEightLettersAreRemoved();
  void wrapFieldTakesDigitsAndRefillsOnKeyRelease();
  void wrapBreaksEverySubtitle();
  void everyToolRunsWithTheWindowDisabled();
};

namespace {

struct Cue {
  int StartFrame, EndFrame;
  std::string Text;
};

// A MicroDVD document whose clock fields are filled in too (as after a switch of view).
void LoadFrames(Editor& editor, const std::vector<Cue>& cues) {
  std::string file;
  for (const Cue& cue : cues)
    file +=
        "{" + std::to_string(cue.StartFrame) + "}{" + std::to_string(cue.EndFrame) + "}" + cue.Text + "\r\n";
  editor.Form().OpenFile(editor.Write("doc.sub", file), OpenFailureReport::OwnMessage);
  SubtitleDocument& doc = editor.Doc();
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) FramesToClock(doc, i, true, true, 25);
}

std::string Text(Editor& editor, int32_t index) {
  return std::string(editor.Doc().SubtitleTable[index].Text);
}

}  // namespace

void TextPageTest::changesTrimRepairAndResetTheEditorState() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  QVERIFY(!form.ButtonProvest->isEnabled());
  LoadFrames(editor, {{250, 375, "One"}, {350, 400, "Two"}, {400, 450, "Three"}});
  QVERIFY(form.ButtonProvest->isEnabled());
  SubtitleDocument& doc = editor.Doc();
  doc.SubtitleTable[1].Text = "One \t|";
  doc.SubtitleTable[2].Text = "Two|\r";
  form.SpinEditPosuv->setValue(12);
  form.Titulky->setCurrentIndex(form.GridModel().index(1, 0));

  QTest::mouseClick(form.ButtonProvest, Qt::LeftButton);
  QCOMPARE(Text(editor, 1), std::string("One"));
  QCOMPARE(Text(editor, 2), std::string("Two"));
  QCOMPARE(editor.Row(1), QStringList({"1", "250", "350", "One"}));
  // Both timing forms are repaired on their own: 0:00:15,000 > 0:00:14,000 as well.
  QCOMPARE(doc.SubtitleTable[1].EndSecond, 14);
  QCOMPARE(doc.SubtitleTable[1].EndMs, std::string("000"));
  // A hide time equal to the next show time stays.
  QCOMPARE(doc.SubtitleTable[2].EndFrame, 400);
  QCOMPARE(doc.SubtitleTable[2].EndSecond, 16);
  QCOMPARE(form.EditPosuv->text(), QString("0,000"));
  QCOMPARE(form.SpinEditPosuv->value(), 0);
  QCOMPARE(form.Titulky->currentIndex().row(), 1);
  QCOMPARE(form.LabelTitleNum->text(), FromUtf8(form.Texts().LabelTitleNumNovyTitulek));
  QVERIFY(form.isEnabled());

  // Unchecked boxes: neither trimming nor repair.
  doc.SubtitleTable[1].Text = "One ";
  doc.SubtitleTable[1].EndFrame = 999;
  QTest::mouseClick(form.CheckBoxRepairHiding, Qt::LeftButton);
  QTest::mouseClick(form.CheckBoxDeleteLastEmptyChars, Qt::LeftButton);
  QTest::mouseClick(form.ButtonProvest, Qt::LeftButton);
  QCOMPARE(Text(editor, 1), std::string("One "));
  QCOMPARE(doc.SubtitleTable[1].EndFrame, 999);
}

void TextPageTest::replacementReadsBothFields() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  LoadFrames(editor, {{10, 20, "banana"}, {30, 40, "Banana"}});
  Retype(form.EditString1, "a");
  Retype(form.EditString2, "b");
  QTest::mouseClick(form.ButtonProvest, Qt::LeftButton);
  QCOMPARE(editor.Row(1)[3], QString("bbnbnb"));
  QCOMPARE(Text(editor, 2), std::string("Bbnbnb"));  // case-sensitive: the capital stays
  // A replacement holding the find text ends, each occurrence replaced once.
  Retype(form.EditString1, "b");
  Retype(form.EditString2, "ba");
  QTest::mouseClick(form.ButtonProvest, Qt::LeftButton);
  QCOMPARE(Text(editor, 1), std::string("babanbanba"));
}

void TextPageTest::overlapRepairStopsAtAClockFieldOutOfRange() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  LoadFrames(editor, {{250, 375, "a "}, {350, 500, "b "}, {400, 600, "c "}, {500, 700, "d "}});
  SubtitleDocument& doc = editor.Doc();
  doc.SubtitleTable[3].StartMinute = 75;  // stored out of range
  QTest::mouseClick(form.ButtonProvest, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 1);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("Invalid argument to time encode"));
  QVERIFY(form.isEnabled());
  QCOMPARE(doc.SubtitleTable[1].EndSecond, 14);  // the pair before stays repaired
  QCOMPARE(doc.SubtitleTable[2].EndFrame, 400);  // frames of the failing pair come first
  QCOMPARE(doc.SubtitleTable[2].EndSecond, 20);
  QCOMPARE(doc.SubtitleTable[3].EndFrame, 600);  // the pairs after it are not reached
  // What was changed before the failure is what the grid shows.
  QCOMPARE(editor.Row(1), QStringList({"1", "250", "350", "a"}));
  QCOMPARE(editor.Row(4)[3], QString("d"));
}

void TextPageTest::blankSubtitlesAreRemoved() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  LoadFrames(editor, {{10, 20, "a"}, {30, 40, " "}, {50, 60, "c"}, {70, 80, "x"}, {90, 95, "e"}});
  editor.Doc().SubtitleTable[4].Text = "\r| |";
  QTest::mouseClick(form.ButtonDeleteEmpty, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 3);
  QCOMPARE(editor.GridRows(), 4);
  QCOMPARE(editor.Row(1), QStringList({"1", "10", "20", "a"}));
  QCOMPARE(editor.Row(2), QStringList({"2", "50", "60", "c"}));
  QCOMPARE(editor.Row(3), QStringList({"3", "90", "95", "e"}));
  QCOMPARE(editor.Doc().SubtitleTable[3].EndSecond, 3);  // clock fields moved with their records
  QVERIFY(editor.Doc().SubtitleTable[4] == TSubtitle{});
  QCOMPARE(form.PanelTitulkyMax->text(), QString("3"));

  // A tab is not blank.
  editor.Doc().SubtitleTable[2].Text = "\t";
  QTest::mouseClick(form.ButtonDeleteEmpty, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 3);
}

void TextPageTest::allBlankEmptiesTheTableAndKeepsTheGridRows() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  LoadFrames(editor, {{10, 20, " "}, {30, 40, "|"}, {50, 60, " "}});
  QTest::mouseClick(form.ButtonDeleteEmpty, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleCount, 0);
  QCOMPARE(editor.GridRows(), 4);
  for (int row = 1; row <= 3; ++row) QCOMPARE(editor.Row(row), QStringList({"", "", "", ""}));
  QCOMPARE(form.PanelTitulkyMax->text(), QString("0"));
  QVERIFY(form.ButtonProvest->isEnabled());
  // A run of the changes that finds the table empty disables its button.
  QTest::mouseClick(form.ButtonProvest, Qt::LeftButton);
  QVERIFY(!form.ButtonProvest->isEnabled());
}

void TextPageTest::accentsOfEightLettersAreRemoved() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  LoadFrames(editor, {{10, 20, "Žluťoučký kůň"}});
  QTest::mouseClick(form.CheckBoxKonvertOnlyBadAccents, Qt::LeftButton);  // has no effect
  QTest::mouseClick(form.ButtonKonvertToCestina, Qt::LeftButton);
  QCOMPARE(editor.Row(1)[3], QString::fromUtf8("Žluťoucký kun"));
  QCOMPARE(Text(editor, 1), std::string("Žluťoucký kun"));
}

void TextPageTest::wrapFieldTakesDigitsAndRefillsOnKeyRelease() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  QLineEdit* field = form.EditMaxCharsOnLine;
  Retype(field, "4a.-2");
  QCOMPARE(field->text(), QString("42"));
  QTest::keyClick(field, Qt::Key_Backspace);  // refused
  QCOMPARE(field->text(), QString("42"));
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QCOMPARE(field->text(), QString("55"));

  LoadFrames(editor, {{10, 20, "aaa bbb"}});
  field->setText("x");  // as pasted
  QTest::mouseClick(form.ButtonZalomeniRadek, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("'x' is not a valid integer value"));
  QCOMPARE(Text(editor, 1), std::string("aaa bbb"));
  QVERIFY(form.isEnabled());
}

void TextPageTest::wrapBreaksEverySubtitle() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  LoadFrames(editor, {{10, 20, "aaa bbb"}, {30, 40, "aaa b"}, {50, 60, "Mr.Smith went-home now"}});
  Retype(form.EditMaxCharsOnLine, "4");
  QTest::mouseClick(form.ButtonZalomeniRadek, Qt::LeftButton);
  QCOMPARE(editor.Row(1)[3], QString("aaa |bbb"));
  QCOMPARE(Text(editor, 2), std::string("aaa b"));
  Retype(form.EditMaxCharsOnLine, "8");
  editor.Doc().SubtitleTable[3].Text = "Mr.Smith went-home now";
  QTest::mouseClick(form.ButtonZalomeniRadek, Qt::LeftButton);
  QCOMPARE(Text(editor, 3), std::string("Mr.|Smith went-|home now"));
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void TextPageTest::everyToolRunsWithTheWindowDisabled() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyTitulku);
  LoadFrames(editor, {{10, 20, "a"}, {30, 40, "b"}});
  const struct {
    QWidget* page;
    QPushButton* button;
  } tools[] = {
      {form.TabSheetUpravyCasu, form.ButtonPosuvCasu},
      {form.TabSheetUpravyCasu, form.ButtonZmenaRychlosti},
      {form.TabSheetUpravyCasu, form.ButtonSchovDleZobraz},
      {form.TabSheetUpravyCasu, form.ButtonZobrazDleSchov},
      {form.TabSheetUpravyTitulku, form.ButtonProvest},
      {form.TabSheetUpravyTitulku, form.ButtonDeleteEmpty},
      {form.TabSheetUpravyTitulku, form.ButtonKonvertToCestina},
      {form.TabSheetUpravyTitulku, form.ButtonZalomeniRadek},
  };
  // The grid is told of its new rows while the tool runs; the window must take no input then.
  QList<bool> enabledWhileFilling;
  connect(&form.GridModel(), &QAbstractItemModel::dataChanged, &form,
          [&] { enabledWhileFilling << form.isEnabled(); });
  for (const auto& tool : tools) {
    enabledWhileFilling.clear();
    form.PageControl->setCurrentWidget(tool.page);
    QTest::mouseClick(tool.button, Qt::LeftButton);
    QVERIFY2(!enabledWhileFilling.isEmpty(), qPrintable(tool.button->objectName()));
    QVERIFY2(!enabledWhileFilling.contains(true), qPrintable(tool.button->objectName()));
    QVERIFY(form.isEnabled());
  }
}

QTEST_MAIN(TextPageTest)
#include "text_page_test.moc"
