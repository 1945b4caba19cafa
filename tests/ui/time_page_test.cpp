// The time tools page as the user drives it: typing into the shift, range, rate and scale
// fields, clicking the buttons, then reading the grid and both timing forms of the table.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "ui/spin_button.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class TimePageTest : public QObject {
  Q_OBJECT

 private slots:
  void shiftInClockViewIsExactInMillisecondsAndFramesFollow();
  void shiftInFrameViewIsExactInFramesAndClockFollows();
  void rangeFieldsKeepWithinTheSubtitles();
  void secondsFieldFiltersRefillsAndSteps();
  void shiftValueIsCarriedOverOnSwitchAndLoad();
  void pastedNonNumberStopsTheShiftBeforeAnyChange();
  void rateBoxesSetTheScaleAndItsText();
  void rateBoxesFilterKeysSentToTheComboBox();
  void sourceRateOfZeroFailsAndKeepsTheScale();
  void speedChangeScalesBothTimingForms();
  void hideFromShowAndShowFromHide();
};

namespace {

std::string SubRip(const std::vector<std::pair<std::string, std::string>>& times) {
  std::string file;
  int number = 0;
  for (const auto& [show, hide] : times) {
    const std::string n = std::to_string(++number);
    file += n + "\r\n" + show + " --> " + hide + "\r\nText " + n + "\r\n\r\n";
  }
  return file;
}

void Load(Editor& editor, const QString& name, const std::string& bytes) {
  editor.Form().OpenFile(editor.Write(name, bytes), OpenFailureReport::OwnMessage);
}

QString ClockOf(const TSubtitle& r, bool show) {
  return QString("%1:%2:%3,%4")
      .arg(show ? r.StartHour : r.EndHour)
      .arg(show ? r.StartMinute : r.EndMinute, 2, 10, QChar('0'))
      .arg(show ? r.StartSecond : r.EndSecond, 2, 10, QChar('0'))
      .arg(QString::fromStdString(show ? r.StartMs : r.EndMs));
}

}  // namespace

void TimePageTest::shiftInClockViewIsExactInMillisecondsAndFramesFollow() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Load(editor, "a.srt", SubRip({{"00:00:10,000", "00:00:12,500"}, {"23:59:59,000", "23:59:59,500"}}));
  editor.Doc().FrameRate = 25;
  Retype(form.EditPosuv, "1.5");
  QCOMPARE(form.EditPosuv->text(), QString("1,5"));
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);

  const TSubtitle& first = editor.Doc().SubtitleTable[1];
  QCOMPARE(editor.Row(1), QStringList({"1", "00:00:11,500", "00:00:14,000", "Text 1"}));
  QCOMPARE(first.StartFrame, 288);
  QCOMPARE(first.EndFrame, 350);
  // Past midnight the day is dropped.
  QCOMPARE(editor.Row(2)[1], QString("00:00:00,500"));
  QCOMPARE(ClockOf(editor.Doc().SubtitleTable[2], false), QString("0:00:01,000"));
  QCOMPARE(editor.Doc().SubtitleTable[2].EndFrame, 25);
  QVERIFY(form.isEnabled());
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);

  // With both boxes unchecked a run changes nothing.
  QTest::mouseClick(form.CheckBoxShow, Qt::LeftButton);
  QTest::mouseClick(form.CheckBoxHide, Qt::LeftButton);
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);
  QCOMPARE(editor.Row(1)[1], QString("00:00:11,500"));
}

void TimePageTest::shiftInFrameViewIsExactInFramesAndClockFollows() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Load(editor, "a.sub", "{100}{150}Text\r\n");
  editor.Doc().FrameRate = 25;
  QCOMPARE(form.LabelVyberPosuvu->text(), FromUtf8(form.Texts().LabelVyberPosuvuZkratkaSnimky));
  form.SpinEditPosuv->setFocus();
  form.SpinEditPosuv->selectAll();
  QTest::keyClicks(form.SpinEditPosuv, "25");
  QTest::mouseClick(form.CheckBoxShow, Qt::LeftButton);
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);

  const TSubtitle& r = editor.Doc().SubtitleTable[1];
  QCOMPARE(editor.Row(1), QStringList({"1", "100", "175", "Text"}));
  QCOMPARE(ClockOf(r, false), QString("0:00:07,000"));
  QCOMPARE(ClockOf(r, true), QString("0:00:00,000"));  // the show time was not touched

  // The down arrow reaches a negative shift; a time stops at zero instead of going below it.
  form.SpinEditPosuv->setValue(-500);
  QTest::mouseClick(form.CheckBoxShow, Qt::LeftButton);
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);
  QCOMPARE(editor.Row(1)[1], QString("0"));
  QCOMPARE(editor.Row(1)[2], QString("0"));
  QCOMPARE(ClockOf(r, false), QString("0:00:00,000"));
}

void TimePageTest::rangeFieldsKeepWithinTheSubtitles() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  // No subtitles: the second field is written "1" and corrected to the count at once.
  QTest::mouseClick(form.CheckBoxPosuvOdDo, Qt::LeftButton);
  QCOMPARE(form.EditPosuvOd->text(), QString("1"));
  QCOMPARE(form.EditPosuvDo->text(), QString("0"));
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
  QTest::mouseClick(form.CheckBoxPosuvOdDo, Qt::LeftButton);
  QCOMPARE(form.EditPosuvOd->text(), QString("Min"));
  QCOMPARE(form.EditPosuvDo->text(), QString("Max"));
  QVERIFY(!form.EditPosuvOd->isEnabled() && !form.EditPosuvDo->isEnabled());

  Load(editor, "ten.sub", MicroDvdFile(10));
  QTest::mouseClick(form.CheckBoxPosuvOdDo, Qt::LeftButton);
  QVERIFY(form.EditPosuvOd->isEnabled() && form.EditPosuvDo->isEnabled());
  QCOMPARE(form.EditPosuvDo->text(), QString("10"));
  Retype(form.EditPosuvOd, "0");
  QCOMPARE(form.EditPosuvOd->text(), QString("1"));
  Retype(form.EditPosuvDo, "25");
  QCOMPARE(form.EditPosuvDo->text(), QString("10"));
  QTest::keyClick(form.EditPosuvDo, Qt::Key_Backspace);  // refused: deleting is Delete's job
  QTest::keyClicks(form.EditPosuvDo, "x-");
  QCOMPARE(form.EditPosuvDo->text(), QString("10"));
  form.EditPosuvDo->selectAll();
  QTest::keyClick(form.EditPosuvDo, Qt::Key_Delete);  // emptied: both fields get the whole range
  QCOMPARE(form.EditPosuvOd->text(), QString("1"));
  QCOMPARE(form.EditPosuvDo->text(), QString("10"));
  QCOMPARE(form.EditPosuvDo->selectedText(), QString("10"));

  form.SpinEditPosuv->setValue(5);
  Retype(form.EditPosuvOd, "7");
  Retype(form.EditPosuvDo, "3");
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);  // 7 to 3 shifts nothing
  QCOMPARE(editor.Doc().SubtitleTable[7].StartFrame, 700);
  Retype(form.EditPosuvOd, "2");
  Retype(form.EditPosuvDo, "3");
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);
  QCOMPARE(editor.Row(1)[1], QString("100"));
  QCOMPARE(editor.Row(2)[1], QString("205"));
  QCOMPARE(editor.Row(3)[2], QString("355"));
  QCOMPARE(editor.Row(4)[1], QString("400"));

  // A load with the box checked resets the range to the new document.
  Load(editor, "four.sub", MicroDvdFile(4));
  QCOMPARE(form.EditPosuvOd->text(), QString("1"));
  QCOMPARE(form.EditPosuvDo->text(), QString("4"));
}

void TimePageTest::secondsFieldFiltersRefillsAndSteps() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Load(editor, "a.srt", SubRipFile(1));
  QLineEdit* seconds = form.EditPosuv;
  seconds->setFocus();
  seconds->selectAll();
  QTest::keyClick(seconds, Qt::Key_Delete);
  QCOMPARE(seconds->text(), QString("0,000"));
  QCOMPARE(seconds->selectedText(), QString("0,000"));
  QTest::keyClicks(seconds, "1.2.5");
  QCOMPARE(seconds->text(), QString("1,25"));
  QTest::keyClicks(seconds, "-a");
  QTest::sendKeyEvent(QTest::Click, seconds, Qt::Key_unknown, QString(QChar(0x0663)), Qt::NoModifier);
  QCOMPARE(seconds->text(), QString("1,25"));
  Retype(seconds, ",");  // refused: the text being typed over already holds a comma
  QCOMPARE(seconds->text(), QString("1,25"));
  Retype(seconds, "5,");
  QTest::keyClick(seconds, Qt::Key_Home);
  QTest::keyClick(seconds, Qt::Key_Delete);
  QCOMPARE(seconds->text(), QString("0,"));
  QCOMPARE(seconds->cursorPosition(), 2);
  Retype(seconds, "12345678");  // typing stops at 7 characters
  QCOMPARE(seconds->text(), QString("1234567"));

  seconds->setText("0,000");
  QTest::mouseClick(form.SpinButtonPosuv->Down, Qt::LeftButton);
  QCOMPARE(seconds->text(), QString("-0,1"));
  QTest::mouseClick(form.SpinButtonPosuv->Down, Qt::LeftButton);
  QTest::mouseClick(form.SpinButtonPosuv->Down, Qt::LeftButton);
  QCOMPARE(seconds->text(), QString("-0,3"));
  seconds->setText("0,1");
  QTest::mouseClick(form.SpinButtonPosuv->Down, Qt::LeftButton);
  QCOMPARE(seconds->text(), QString("0"));
  Retype(seconds, "9.99999");
  QTest::mouseClick(form.SpinButtonPosuv->Up, Qt::LeftButton);
  QCOMPARE(seconds->text(), QString("10,09999"));  // the arrows may pass the typing limit
}

void TimePageTest::shiftValueIsCarriedOverOnSwitchAndLoad() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Load(editor, "a.srt", SubRipFile(2));
  QVERIFY(form.EditPosuv->isVisible() && form.SpinButtonPosuv->isVisible());
  QVERIFY(!form.SpinEditPosuv->isVisible());
  QCOMPARE(form.LabelVyberPosuvu->text(), FromUtf8(form.Texts().LabelVyberPosuvuZkratkaSekundy));
  Retype(form.EditPosuv, "1.5");
  editor.Dialogs.FrameRateAnswers = {23.976};
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(form.SpinEditPosuv->value(), 36);
  QVERIFY(form.SpinEditPosuv->isVisible() && !form.EditPosuv->isVisible());
  QCOMPARE(form.LabelVyberPosuvu->text(), FromUtf8(form.Texts().LabelVyberPosuvuZkratkaSnimky));
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(form.EditPosuv->text(), QString("1,502"));

  // A load in frame mode recomputes the frames from the seconds, at the rate then in force.
  Retype(form.EditPosuv, "2");
  Load(editor, "b.sub", MicroDvdFile(1));
  QCOMPARE(form.SpinEditPosuv->value(), 48);
  form.SpinEditPosuv->setValue(0);
  editor.Dialogs.FrameRateAnswers = {23.976};
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(form.EditPosuv->text(), QString("0,000"));
}

void TimePageTest::pastedNonNumberStopsTheShiftBeforeAnyChange() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Load(editor, "a.srt", SubRipFile(3));
  form.EditPosuv->setText("1,5x");  // as pasted
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 1);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("'1,5x' is not a valid floating point value"));
  QVERIFY(form.isEnabled());
  QCOMPARE(editor.Row(1)[1], QString("00:00:02,250"));

  form.EditPosuv->setText("1");
  QTest::mouseClick(form.CheckBoxPosuvOdDo, Qt::LeftButton);
  form.EditPosuvDo->setText("2a");  // the range field refuses it at once
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 2);
  QTest::mouseClick(form.ButtonPosuvCasu, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("'2a' is not a valid integer value"));
  QCOMPARE(editor.Row(1)[1], QString("00:00:02,250"));
  QVERIFY(form.isEnabled());
}

void TimePageTest::rateBoxesSetTheScaleAndItsText() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  const DynamicTexts& texts = form.Texts();
  Retype(form.ComboBoxSnimky1, "25");
  QCOMPARE(form.EditTimeScale->text(), QString("0,95904"));
  QCOMPARE(form.TimeScale(), 0.95904);
  QCOMPARE(form.LabelZmenaRychlosti->text(), FromUtf8(texts.LabelZmenaRychlostiTitulkyZrychli));
  QCOMPARE(form.EditTimeScale->toolTip(), FromUtf8(texts.LabelZmenaRychlostiTitulkyZrychli));
  Retype(form.ComboBoxSnimky1, "23,976");
  Retype(form.ComboBoxSnimky2, "25");
  QCOMPARE(form.EditTimeScale->text(), QString("1,04270937604271"));
  QCOMPARE(form.LabelZmenaRychlosti->text(), FromUtf8(texts.LabelZmenaRychlostiTitulkyZpomali));

  Retype(form.EditTimeScale, "1");
  QCOMPARE(form.LabelZmenaRychlosti->text(), FromUtf8(texts.LabelZmenaRychlostiTitulkyBezeZmeny));
  Retype(form.EditTimeScale, "1.5");
  QCOMPARE(form.TimeScale(), 1.5);
  QCOMPARE(form.LabelZmenaRychlosti->text(), FromUtf8(texts.LabelZmenaRychlostiTitulkyZpomali));
  form.EditTimeScale->selectAll();
  QTest::keyClick(form.EditTimeScale, Qt::Key_Delete);
  QCOMPARE(form.EditTimeScale->text(), QString("1"));
  QVERIFY(form.EditTimeScale->hasSelectedText());
  QCOMPARE(form.TimeScale(), 1.0);

  // An emptied rate box gets "1", and the scale follows it.
  form.ComboBoxSnimky1->lineEdit()->selectAll();
  QTest::keyClick(form.ComboBoxSnimky1, Qt::Key_Delete);
  QCOMPARE(form.ComboBoxSnimky1->currentText(), QString("1"));
  QCOMPARE(form.EditTimeScale->text(), QString("25"));
  // A target passing through 0 on the way to 0,5 is the accepted scale 0.
  Retype(form.ComboBoxSnimky2, "0.5");
  QCOMPARE(form.EditTimeScale->text(), QString("0,5"));
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void TimePageTest::rateBoxesFilterKeysSentToTheComboBox() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  for (QComboBox* box : {form.ComboBoxSnimky1, form.ComboBoxSnimky2}) {
    Retype(box, "29.9x7");
    QCOMPARE(box->currentText(), QString("29,97"));
    Retype(box, "2");  // nothing is completed from the list: a comma can still be typed
    QTest::keyClicks(box, ",5");
    QCOMPARE(box->currentText(), QString("2,5"));
    Retype(box, "5,");
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->currentText(), QString("0,"));
    QCOMPARE(box->lineEdit()->cursorPosition(), 2);
    Retype(box, "27");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->count(), 5);  // Enter adds nothing to the five rates
    QCOMPARE(box->currentText(), QString("27"));
  }
  QCOMPARE(form.EditTimeScale->text(), QString("1"));
}

void TimePageTest::sourceRateOfZeroFailsAndKeepsTheScale() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Retype(form.ComboBoxSnimky1, "25");
  Retype(form.ComboBoxSnimky1, "0");
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 1);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("Floating point division by zero"));
  QCOMPARE(form.EditTimeScale->text(), QString("0,95904"));
  QVERIFY(form.isEnabled());

  Retype(form.ComboBoxSnimky1, "5,");
  QCOMPARE(form.EditTimeScale->text(), QString("4,7952"));
  QTest::keyClick(form.ComboBoxSnimky1, Qt::Key_Home);
  QTest::keyClick(form.ComboBoxSnimky1, Qt::Key_Delete);  // "," becomes "0,": a zero too, reported once
  QCOMPARE(form.ComboBoxSnimky1->currentText(), QString("0,"));
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 2);
  QCOMPARE(form.EditTimeScale->text(), QString("4,7952"));
}

void TimePageTest::speedChangeScalesBothTimingForms() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Load(editor, "a.srt", SubRip({{"00:01:00,000", "00:01:02,000"}, {"00:00:10,000", "00:00:11,000"}}));
  SubtitleDocument& doc = editor.Doc();
  doc.SubtitleTable[1].StartFrame = 1000, doc.SubtitleTable[1].EndFrame = 1050;
  doc.SubtitleTable[2].StartFrame = 240;
  Retype(form.ComboBoxSnimky1, "25");
  QTest::mouseClick(form.ButtonZmenaRychlosti, Qt::LeftButton);
  QCOMPARE(doc.SubtitleTable[1].StartFrame, 959);
  QCOMPARE(doc.SubtitleTable[1].EndFrame, 1007);
  QCOMPARE(editor.Row(1)[1], QString("00:00:57,542"));
  QCOMPARE(doc.FrameRate, 23.976);  // the speed change leaves the frame rate alone

  Load(editor, "a.srt", SubRip({{"00:01:00,000", "00:01:02,000"}, {"00:00:10,000", "00:00:11,000"}}));
  doc.SubtitleTable[2].StartFrame = 240;
  Retype(form.EditTimeScale, "1.5");
  QTest::mouseClick(form.ButtonZmenaRychlosti, Qt::LeftButton);
  QCOMPARE(doc.SubtitleTable[2].StartFrame, 360);
  QCOMPARE(editor.Row(2)[1], QString("00:00:15,000"));

  form.EditTimeScale->setText("-1");  // pasted: refused before anything changes
  QTest::mouseClick(form.ButtonZmenaRychlosti, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 1);
  QCOMPARE(doc.SubtitleTable[2].StartFrame, 360);
  QVERIFY(form.isEnabled());
  Retype(form.EditTimeScale, "0");
  QTest::mouseClick(form.ButtonZmenaRychlosti, Qt::LeftButton);
  QCOMPARE(editor.Row(2), QStringList({"2", "00:00:00,000", "00:00:00,000", "Text 2"}));
  QCOMPARE(doc.SubtitleTable[2].EndFrame, 0);
}

void TimePageTest::hideFromShowAndShowFromHide() {
  Editor editor;
  TForm1& form = Shown(editor, editor.Form().TabSheetUpravyCasu);
  Load(editor, "a.srt", SubRip({{"00:00:10,000", "00:00:12,500"}}));
  SubtitleDocument& doc = editor.Doc();
  doc.SubtitleTable[1].StartFrame = 250, doc.SubtitleTable[1].EndFrame = 312;
  QTest::mouseClick(form.ButtonSchovDleZobraz, Qt::LeftButton);
  QCOMPARE(editor.Row(1), QStringList({"1", "00:00:10,000", "00:00:10,000", "Text 1"}));
  QCOMPARE(doc.SubtitleTable[1].EndFrame, 250);

  Load(editor, "a.srt", SubRip({{"00:00:10,000", "00:00:12,500"}}));
  doc.SubtitleTable[1].StartFrame = 250, doc.SubtitleTable[1].EndFrame = 312;
  QTest::mouseClick(form.ButtonZobrazDleSchov, Qt::LeftButton);
  QCOMPARE(editor.Row(1), QStringList({"1", "00:00:12,500", "00:00:12,500", "Text 1"}));
  QCOMPARE(doc.SubtitleTable[1].StartFrame, 312);
}

QTEST_MAIN(TimePageTest)
#include "time_page_test.moc"
