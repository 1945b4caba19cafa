// The statistics page: the check and its gauge, PanelLinesMax after edits, and the quality
// report with its limits, its auto-check switch and the double click on a finding.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

namespace {

// Subtitle 2 is shown 9 s and has three lines; subtitle 3 overlaps subtitle 4, which is blank.
const std::string kFile =
    "1\r\n00:00:01,000 --> 00:00:03,000\r\nfine\r\n\r\n"
    "2\r\n00:00:04,000 --> 00:00:13,000\r\na|b|c\r\n\r\n"
    "3\r\n00:00:14,000 --> 00:00:17,000\r\ntwo|lines\r\n\r\n"
    "4\r\n00:00:16,000 --> 00:00:18,000\r\n \r\n\r\n";

void Open(Editor& editor, const std::string& bytes) { OpenWithButton(editor, editor.Write("a.srt", bytes)); }

QStringList ReportLines(TForm1& form) { return form.MemoStatistika->toPlainText().split('\n'); }

}  // namespace

class StatisticsTest : public QObject {
  Q_OBJECT

 private slots:
  void checkFillsTheReport();
  void loadFillsItOnlyWhenAsked();
  void limitsFieldsChangeTheFindings();
  void doubleClickOpensTheFinding();
  void mostLinesFollowsEdits();
};

void StatisticsTest::checkFillsTheReport() {
  Editor editor;
  TForm1& form = editor.Form();
  QTest::mouseClick(form.ButtonStatistika, Qt::LeftButton);  // empty: the gauge shows and hides
  QVERIFY(form.GaugeStatistika->isHidden());
  QCOMPARE(form.MemoStatistika->toPlainText(), QString());
  Open(editor, kFile);
  QCOMPARE(form.Panel1->text(), QString("0"));  // the check after the load fills nothing by default
  QTest::mouseClick(form.ButtonStatistika, Qt::LeftButton);
  QCOMPARE(form.Panel1->text(), QString("4"));
  QCOMPARE(form.Panel2->text(), QString("1"));
  QCOMPARE(ReportLines(form), QStringList({"2 (00:00:04,000): zobrazen 9 s, déle než 7 s",
                                           "2 (00:00:04,000): 3 řádků, více než 2",
                                           "3 (00:00:14,000): zobrazen ještě 1 s po začátku titulku 4"}));
  QVERIFY(form.GaugeStatistika->isHidden());
  QVERIFY(form.isEnabled());
}

void StatisticsTest::loadFillsItOnlyWhenAsked() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxAutoStatistika->setChecked(true);
  Open(editor, kFile);
  QCOMPARE(form.Panel1->text(), QString("4"));
  QCOMPARE(ReportLines(form).size(), 3);
  // Without the switch a load clears the old file's report rather than leave it standing.
  form.CheckBoxAutoStatistika->setChecked(false);
  Open(editor, SubRipFile(2));
  QCOMPARE(form.Panel1->text(), QString("0"));
  QCOMPARE(form.MemoStatistika->toPlainText(), QString());
  QTest::mouseClick(form.ButtonStatistika, Qt::LeftButton);
  QCOMPARE(form.MemoStatistika->toPlainText(), QString("Žádné problémy nenalezeny."));
}

void StatisticsTest::limitsFieldsChangeTheFindings() {
  Editor editor;
  TForm1& form = editor.Form();
  Open(editor, kFile);
  form.EditStatistikaMaxDelka->selectAll();
  QTest::keyClicks(form.EditStatistikaMaxDelka, "9.5x");  // a typed "." is the decimal comma
  QCOMPARE(form.EditStatistikaMaxDelka->text(), QString("9,5"));
  form.EditStatistikaMaxRadku->selectAll();
  QTest::keyClicks(form.EditStatistikaMaxRadku, "a3");
  QCOMPARE(form.EditStatistikaMaxRadku->text(), QString("3"));
  form.EditStatistikaMinDelka->clear();  // emptied: back to its default
  QCOMPARE(form.EditStatistikaMinDelka->text(), QString("1"));
  form.EditMaxCharsOnLine->setText("3");
  QTest::mouseClick(form.ButtonStatistika, Qt::LeftButton);
  QCOMPARE(ReportLines(form), QStringList({"1 (00:00:01,000): řádek o 4 znacích, delší než 3",
                                           "3 (00:00:14,000): zobrazen ještě 1 s po začátku titulku 4",
                                           "3 (00:00:14,000): řádek o 5 znacích, delší než 3"}));
}

void StatisticsTest::doubleClickOpensTheFinding() {
  Editor editor;
  TForm1& form = editor.Form();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.CheckBoxEditByOneClick->setChecked(false);
  Open(editor, kFile);
  QTest::mouseClick(form.ButtonStatistika, Qt::LeftButton);
  form.PageControl->setCurrentWidget(form.TabSheetStatistika);
  const QTextBlock third = form.MemoStatistika->document()->findBlockByNumber(2);
  const QPoint at = form.MemoStatistika->cursorRect(QTextCursor(third)).center();
  QTest::mouseDClick(form.MemoStatistika->viewport(), Qt::LeftButton, {}, at);
  QCOMPARE(form.CurrentRow(), 3);
  QCOMPARE(form.PageControl->currentWidget(), form.TabSheetEditace);
  QCOMPARE(form.MemoAktual->toPlainText(), QString("two\nlines"));
  QCOMPARE(form.LabelTitleNum->text(), QString("3."));
}

void StatisticsTest::mostLinesFollowsEdits() {
  Editor editor;
  TForm1& form = editor.Form();
  form.CheckBoxEditByOneClick->setChecked(false);
  Open(editor,
       "1\r\n00:00:01,000 --> 00:00:02,000\r\none\r\n\r\n"
       "2\r\n00:00:03,000 --> 00:00:04,000\r\na|b|c\r\n\r\n"
       "3\r\n00:00:05,000 --> 00:00:06,000\r\nd|e\r\n\r\n");
  QCOMPARE(form.PanelLinesMax->text(), QString("0"));  // a load does not count
  form.TitulkyClick();
  form.TitulkyDblClick();
  QTest::mouseClick(form.ButtonZmenit, Qt::LeftButton);
  QCOMPARE(form.PanelLinesMax->text(), QString("3"));
  form.SetCurrentRow(2);
  form.TitulkyClick();
  QTest::mouseClick(form.ButtonOdebrat, Qt::LeftButton);
  QCOMPARE(form.PanelLinesMax->text(), QString("2"));
}

QTEST_MAIN(StatisticsTest)
#include "statistics_test.moc"
