// The grid's model and painting, and the frame-rate window.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "document/subtitles_tool.h"
#include "ui/frame_form.h"
#include "ui/number_filters.h"
#include "ui/subtitle_grid.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class GridTest : public QObject {
  Q_OBJECT

 private slots:
  void modelKeepsItsInvariantsThroughLoadsAndSwitches();
  void cellsShowFramesOrClockTexts();
  void rowCountRules();
  void longTextsAreCutInTheGridAndWholeInTheEditor();
  void rowsArePaintedInTheirColours();
  void textColumnFitsAndClicksNeverScrollSideways();
  void frameRateFieldFiltersWhatIsTyped();
  void frameRateWindowAcceptsOnlyARateThatConverts();
};

void GridTest::modelKeepsItsInvariantsThroughLoadsAndSwitches() {
  Editor editor;
  QAbstractItemModelTester tester(&editor.Form().GridModel(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest);
  editor.Dialogs.OpenAnswers = {editor.Write("a.srt", SubRipFile(40)), editor.Write("b.sub", MicroDvdFile(3)),
                                editor.Write("c.txt", "nothing here\r\n")};
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(editor.Form().ButtonNacist, Qt::LeftButton);
    editor.Dialogs.FrameRateAnswers = {25.0};
    QTest::keyClick(editor.Form().Titulky, Qt::Key_F5);
  }
  QCOMPARE(editor.GridRows(), 2);
}

void GridTest::cellsShowFramesOrClockTexts() {
  TSubtitle record;
  record.StartFrame = 1234;
  record.EndFrame = -5;
  record.StartHour = 1;
  record.StartMinute = 2;
  record.StartSecond = 3;
  record.StartMs = "456";
  record.EndHour = 12;
  record.EndMs = "007";
  record.Text = "a|šb";
  QCOMPARE(GridCells(record, 7, kModeFrames), (GridRow{"7", "1234", "-5", "a|šb"}));
  QCOMPARE(GridCells(record, 7, kModeClock), (GridRow{"7", "01:02:03,456", "12:00:00,007", "a|šb"}));
  record.EndMinute = 60;  // cannot be shown as a clock time
  QVERIFY_THROWS_EXCEPTION(std::exception, GridCells(record, 7, kModeClock));

  SubtitleGridModel model;
  model.SetGridRowCount(2);
  model.SetRowSilently(1, GridCells(record, 1, kModeFrames));
  QCOMPARE(model.data(model.index(0, 3)).toString(), QString::fromUtf8("a|šb"));
}

void GridTest::longTextsAreCutInTheGridAndWholeInTheEditor() {
  const QString ellipsis(QChar(0x2026));
  const auto repeated = [](const char* utf8, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += utf8;
    return text;
  };
  const struct {
    std::string bytes;
    QString shown;
  } cases[] = {
      {std::string(999, 'a'), QString(999, 'a')},
      {std::string(1000, 'a'), QString(1000, 'a')},
      {std::string(1001, 'a'), QString(1000, 'a') + ellipsis},
      {std::string(kGridTextBytes, 'a'), QString(1000, 'a') + ellipsis},
      {repeated("\u010D", 1001), QString(1000, QChar(0x010D)) + ellipsis},  // two bytes each
      // Four bytes each, two UTF-16 units on screen: never half of one.
      {repeated("\U0001F600", 1001).substr(0, kGridTextBytes),
       QString::fromUtf8(repeated("\U0001F600", 500)) + ellipsis},
  };
  for (const auto& c : cases) QCOMPARE(GridTextShown(c.bytes), c.shown);
  // The 1000th unit is the first half of a pair: the pair goes.
  QCOMPARE(GridTextShown("a" + repeated("\U0001F600", 1000)),
           "a" + QString::fromUtf8(repeated("\U0001F600", 499)) + ellipsis);

  Editor editor;
  TForm1& form = editor.Form();
  const std::string longText(2'000'000, 'x');
  editor.Dialogs.OpenAnswers = {editor.Write(
      "long.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + longText + "\r\nend\r\n\r\n" + SubRipFile(1))};
  QTest::mouseClick(form.ButtonNacist, Qt::LeftButton);
  QCOMPARE(editor.Doc().SubtitleTable[1].Text.size(), longText.size() + 4);
  QCOMPARE(editor.Row(1)[3], QString(1000, 'x') + ellipsis);
  QCOMPARE(form.GridModel().Cell(3, 1).size(), kGridTextBytes);  // the snapshot keeps no more

  form.CheckBoxEditByOneClick->setChecked(true);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTest::mouseClick(form.Titulky->viewport(), Qt::LeftButton, {},
                    form.Titulky->visualRect(form.GridModel().index(0, 3)).center());
  QCOMPARE(form.MemoAktual->toPlainText(), QString::fromStdString(longText) + "\nend");
  QCOMPARE(form.Titulky->toolTip(), QString(1000, 'x') + ellipsis);
  // The field's limit is for typing: the long text may get shorter, not longer.
  form.MemoAktual->setFocus();
  form.MemoAktual->moveCursor(QTextCursor::End);
  QTest::keyClick(form.MemoAktual, Qt::Key_Y);
  QCOMPARE(form.MemoAktual->toPlainText().size(), qsizetype(longText.size() + 4));
  QTest::keyClick(form.MemoAktual, Qt::Key_Backspace);
  QCOMPARE(form.MemoAktual->toPlainText().right(3), QString("\nen"));
}

void GridTest::rowCountRules() {
  SubtitleGridModel model;
  QCOMPARE(model.GridRowCount(), 2);
  model.SetGridRowCount(0);
  QCOMPARE(model.GridRowCount(), 2);
  model.SetGridRowCount(6);
  for (int row = 1; row <= 5; ++row) model.SetRowSilently(row, {std::to_string(row), "1", "2", "x"});
  model.ClearGridRows(4, 3);  // nothing when the end lies before the start
  QCOMPARE(std::string(model.Cell(0, 4)), std::string("4"));
  model.ClearGridRows(4, 99);
  QCOMPARE(std::string(model.Cell(0, 3)), std::string("3"));
  QCOMPARE(std::string(model.Cell(3, 3)), std::string("x"));
  QCOMPARE(std::string(model.Cell(3, 4)), std::string());
  QCOMPARE(std::string(model.Cell(0, 5)), std::string());
  model.SetGridRowCount(3);
  QCOMPARE(model.rowCount(), 2);
}

void GridTest::rowsArePaintedInTheirColours() {
  Editor editor;
  editor.Dialogs.OpenAnswers = {editor.Write("a.sub", MicroDvdFile(5))};
  TForm1& form = editor.Form();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTest::mouseClick(form.ButtonNacist, Qt::LeftButton);
  form.Titulky->setCurrentIndex(form.GridModel().index(2, 0));  // grid row 3 selected
  const QImage image = form.Titulky->viewport()->grab().toImage();
  // Sample the far right of the text column of each row, where no text is drawn.
  auto background = [&](int gridRow) {
    const QRect cell = form.Titulky->visualRect(form.GridModel().index(gridRow - 1, 3));
    return QColor(image.pixel(std::min(cell.right(), image.width() - 1) - 3, cell.center().y()));
  };
  QCOMPARE(background(1), QColor(0xFF, 0xF8, 0xDB));  // odd
  QCOMPARE(background(2), QColor(0xFF, 0xF9, 0xF0));  // even
  QCOMPARE(background(3), QColor(0xCD, 0xE8, 0xFE));  // selected
  QCOMPARE(background(4), QColor(0xFF, 0xF9, 0xF0));

  const CellLook selectedText = TitulkyCellLook(true, 3, 3);
  QVERIFY(selectedText.Bold);
  QCOMPARE(selectedText.Text, QColor(0x00, 0x00, 0x71));
  QCOMPARE(TitulkyCellLook(true, 3, 1).Text, QColor(0xFF, 0x00, 0x00));
  QCOMPARE(TitulkyCellLook(false, 4, 0).Text, QColor(0x80, 0x00, 0x00));
  QCOMPARE(TitulkyCellLook(false, 5, 2).Text, QColor(0x00, 0x00, 0x80));
}

void GridTest::textColumnFitsAndClicksNeverScrollSideways() {
  Editor editor;
  editor.Form().OpenFile(editor.Write("long.srt", SubRipFile(30, std::string(300, 'x'))),
                         OpenFailureReport::OwnMessage);
  TForm1& form = Shown(editor);
  QTableView* grid = form.Titulky;
  for (const QSize size : {QSize(736, 622), QSize(1000, 700), QSize(640, 500)}) {
    form.resize(size);
    QTRY_COMPARE(form.size(), size);
    const int columns = grid->horizontalHeader()->length();
    QCOMPARE(columns, grid->viewport()->width());
    for (const int row : {1, 15, 30}) {
      for (const int column : {3, 1, 0}) {
        grid->scrollTo(form.GridModel().index(row - 1, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(form.GridModel().index(row - 1, column)).center());
        QCOMPARE(grid->horizontalScrollBar()->value(), 0);
        QCOMPARE(grid->columnViewportPosition(0), 0);
      }
    }
  }
  // A number column widened by the user takes its room from the text column.
  grid->setColumnWidth(0, 60);
  QCOMPARE(grid->horizontalHeader()->length(), grid->viewport()->width());
}

void GridTest::frameRateFieldFiltersWhatIsTyped() {
  QCOMPARE(FilterDecimalChar(u'.', "25"), std::optional<QChar>(u','));
  QCOMPARE(FilterDecimalChar(u',', "2,5"), std::optional<QChar>());
  QCOMPARE(FilterDecimalChar(u'x', ""), std::optional<QChar>());

  FakeDialogs dialogs;
  TFormFrame form(dialogs, nullptr);
  QLineEdit* edit = form.ComboBoxFrameRate->lineEdit();
  edit->clear();
  QCOMPARE(edit->text(), QString("0"));  // an emptied field is refilled at once
  QVERIFY(edit->hasSelectedText());
  QTest::keyClicks(edit, "29.9-7.x");
  QCOMPARE(edit->text(), QString("29,97"));
  edit->setText(",");
  QCOMPARE(edit->text(), QString("0,"));
}

void GridTest::frameRateWindowAcceptsOnlyARateThatConverts() {
  FakeDialogs dialogs;
  TFormFrame form(dialogs, nullptr);
  QCOMPARE(form.windowTitle(), QString("Frames"));
  QVERIFY(!form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  form.show();
  form.ComboBoxFrameRate->setEditText("0");
  QTest::mouseClick(form.ButtonFrameRateApply, Qt::LeftButton);
  QVERIFY(form.isVisible());  // zero would divide every frame number by zero
  QCOMPARE(dialogs.Count(Kind::Message), 1);
  form.ComboBoxFrameRate->setEditText("25");
  QTest::mouseClick(form.ButtonFrameRateApply, Qt::LeftButton);
  QVERIFY(!form.isVisible());
  QCOMPARE(form.result(), int(QDialog::Accepted));
  QCOMPARE(form.ChosenRate(), 25.0);
  QTest::mouseClick(form.ButtonFPSFromAvi, Qt::LeftButton);  // has no action
  QCOMPARE(dialogs.Count(Kind::Message), 1);
}

QTEST_MAIN(GridTest)
#include "grid_test.moc"
