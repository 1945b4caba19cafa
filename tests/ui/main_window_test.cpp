// The main window as a window: its controls, its size on small screens, closing, keys,
// hints and the first-run About window.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "ui/frame_form.h"
#include "ui/info_form.h"
#include "ui/spin_button.h"
#include "ui/subtitle_grid.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void everyNamedControlExistsWithItsClass();
  void pagesStandInOrderWithTheirCaptions();
  void startsWithTheProductsTextsAndState();
  void fitsSmallScreens_data();
  void fitsSmallScreens();
  void resizingFollowsTheGridAndStatusBar();
  void closesAtOnceWithoutConfirmation();
  void confirmationNoKeepsTheWindowOpen();
  void shortcutsWorkWhateverHasTheFocus();
  void hintReachesStatusPanel0();
  void aboutWindowOpensOnlyOnTheFirstRun();
  void aboutWindowAnswersWhileTheCommandLineFileLoads();
};

void MainWindowTest::everyNamedControlExistsWithItsClass() {
  Editor editor;
  const struct {
    const char* name;
    const QMetaObject* type;
  } controls[] = {
      {"PanelTop", &QFrame::staticMetaObject},
      {"ListBoxDragAndDrop", &QListWidget::staticMetaObject},
      {"LabelNahled", &QLabel::staticMetaObject},
      {"ComboBoxSubPreview", &QComboBox::staticMetaObject},
      {"LabelFormat", &QLabel::staticMetaObject},
      {"ButtonSubPreviewFont", &QToolButton::staticMetaObject},
      {"GaugeWriteSub", &QProgressBar::staticMetaObject},
      {"StaticTextSubtitlesFile", &QLabel::staticMetaObject},
      {"LabelPocetTitulku", &QLabel::staticMetaObject},
      {"PanelTitulkyMax", &QLabel::staticMetaObject},
      {"Titulky", &QTableView::staticMetaObject},
      {"PanelTools", &QFrame::staticMetaObject},
      {"PageControl", &QTabWidget::staticMetaObject},
      {"GroupBoxPosuvCasu", &QGroupBox::staticMetaObject},
      {"SpinEditPosuv", &QSpinBox::staticMetaObject},
      {"EditPosuv", &QLineEdit::staticMetaObject},
      {"CheckBoxPosuvOdDo", &QCheckBox::staticMetaObject},
      {"EditPosuvOd", &QLineEdit::staticMetaObject},
      {"EditPosuvDo", &QLineEdit::staticMetaObject},
      {"LabelVyberPosuvu", &QLabel::staticMetaObject},
      {"GroupBoxZmenaRychlosti", &QGroupBox::staticMetaObject},
      {"ComboBoxSnimky1", &QComboBox::staticMetaObject},
      {"EditTimeScale", &QLineEdit::staticMetaObject},
      {"GroupBoxNastavitCasy", &QGroupBox::staticMetaObject},
      {"GroupBoxZmeny", &QGroupBox::staticMetaObject},
      {"ButtonProvest", &QPushButton::staticMetaObject},
      {"GroupBoxZalamovaniRadku", &QGroupBox::staticMetaObject},
      {"EditMaxCharsOnLine", &QLineEdit::staticMetaObject},
      {"MemoAktual", &QPlainTextEdit::staticMetaObject},
      {"StatusBarMemo", &QStatusBar::staticMetaObject},
      {"LabelLines", &QLabel::staticMetaObject},
      {"PanelSubFormat0", &QFrame::staticMetaObject},
      {"PanelSubFormat1", &QFrame::staticMetaObject},
      {"SpinEditStart", &QSpinBox::staticMetaObject},
      {"EditSSS2", &QLineEdit::staticMetaObject},
      {"EditDiference", &QLineEdit::staticMetaObject},
      {"GroupBoxEditace", &QGroupBox::staticMetaObject},
      {"ButtonZmenit", &QPushButton::staticMetaObject},
      {"ButtonStatistika", &QPushButton::staticMetaObject},
      {"GaugeStatistika", &QProgressBar::staticMetaObject},
      {"PanelLinesMax", &QLabel::staticMetaObject},
      {"MemoStatistika", &QPlainTextEdit::staticMetaObject},
      {"EditZdrojFormat", &QLineEdit::staticMetaObject},
      {"RadioButtonZdroj", &QRadioButton::staticMetaObject},
      {"RadioButtonFormat", &QRadioButton::staticMetaObject},
      {"ComboBoxFormat", &QComboBox::staticMetaObject},
      {"RichEditUkazkyFormatu", &QPlainTextEdit::staticMetaObject},
      {"ListBoxBatch", &QListWidget::staticMetaObject},
      {"ButtonBatchKonvertovat", &QPushButton::staticMetaObject},
      {"MemoTipy", &QPlainTextEdit::staticMetaObject},
      {"MemoKlavZkratky", &QPlainTextEdit::staticMetaObject},
      {"LabelExecution", &QLabel::staticMetaObject},
      {"CheckBoxAskToClose", &QCheckBox::staticMetaObject},
      {"CheckBoxAlwaysOnTop", &QCheckBox::staticMetaObject},
      {"CheckBoxEditByOneClick", &QCheckBox::staticMetaObject},
      {"PanelMenu", &QFrame::staticMetaObject},
      {"ButtonNacist", &QPushButton::staticMetaObject},
      {"ButtonUlozit", &QPushButton::staticMetaObject},
      {"ComboBoxSave", &QComboBox::staticMetaObject},
      {"ButtonHelp", &QPushButton::staticMetaObject},
      {"ButtonKonec", &QPushButton::staticMetaObject},
      {"ComboBoxLanguage", &QComboBox::staticMetaObject},
      {"ImageLanguage", &QLabel::staticMetaObject},
      {"ButtonMail", &QToolButton::staticMetaObject},
      {"LabelAutor", &QLabel::staticMetaObject},
      {"StatusBar", &QStatusBar::staticMetaObject},
  };
  for (const auto& control : controls) {
    const auto matches = editor.Form().findChildren<QObject*>(control.name);
    QVERIFY2(matches.size() == 1, control.name);
    QVERIFY2(matches.first()->inherits(control.type->className()), control.name);
  }
  QCOMPARE(editor.Form().FormInfo().objectName(), QString("TFormInfo"));
  QCOMPARE(editor.Form().FormInfo().windowTitle(), QString("Info"));
  TFormFrame& frame = editor.Form().FormFrame();
  QCOMPARE(frame.objectName(), QString("TFormFrame"));
  for (const char* name : {"LabelFrameRate", "ComboBoxFrameRate", "ButtonFrameRateApply", "ButtonFPSFromAvi"})
    QVERIFY2(frame.findChild<QWidget*>(name), name);
}

void MainWindowTest::pagesStandInOrderWithTheirCaptions() {
  Editor editor;
  const char* pages[][2] = {
      {"TabSheetUpravyCasu", "Úpravy časů"},
      {"TabSheetUpravyTitulku", "Úpravy titulků"},
      {"TabSheetEditace", "Editace"},
      {"TabSheetStatistika", "Statistika"},
      {"TabSheetUkazkyFormatu", "Ukázky formátů"},
      {"TabSheetDavkovaKonverze", "Dávková konverze"},
      {"TabSheetMoznosti", "Možnosti"},
      {"TabSheetRozdelovani", "Rozdělování"},
  };
  QTabWidget* pageControl = editor.Form().PageControl;
  QCOMPARE(pageControl->count(), 8);
  for (int i = 0; i < 8; ++i) {
    QCOMPARE(pageControl->widget(i)->objectName(), QString(pages[i][0]));
    QCOMPARE(pageControl->tabText(i), QString::fromUtf8(pages[i][1]));
  }
  QCOMPARE(pageControl->currentIndex(), 0);
}

void MainWindowTest::startsWithTheProductsTextsAndState() {
  Editor editor;
  TForm1& form = editor.Form();
  QCOMPARE(form.windowTitle(), QString("Quillmark v0.91"));
  QCOMPARE(form.StatusPanelText(1), QString("ver.: 0.91   10.08.2005     "));
  QCOMPARE(form.ComboBoxSave->itemText(12), QString("RadLight"));
  QCOMPARE(editor.GridRows(), 2);
  QVERIFY(!form.CheckBoxAskToClose->isChecked());
  // Column headers come from the language file.
  QCOMPARE(form.GridModel().headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("zobrazení"));
}

void MainWindowTest::fitsSmallScreens_data() {
  QTest::addColumn<QSize>("screen");
  QTest::addColumn<QSize>("window");
  QTest::newRow("800x600") << QSize(800, 600) << QSize(736, 570);
  QTest::newRow("640x480") << QSize(640, 480) << QSize(630, 450);
  QTest::newRow("1024x768") << QSize(1024, 768) << QSize(736, 622);
}

void MainWindowTest::fitsSmallScreens() {
  QFETCH(QSize, screen);
  QFETCH(QSize, window);
  StartupOptions options;
  options.ScreenSize = screen;
  Editor editor(options);
  editor.Form().show();
  QVERIFY(QTest::qWaitForWindowExposed(&editor.Form()));
  QCOMPARE(editor.Form().size(), window);
  const QPoint centred((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
  QCOMPARE(editor.Form().geometry().topLeft(), centred);
}

void MainWindowTest::resizingFollowsTheGridAndStatusBar() {
  Editor editor;
  TForm1& form = editor.Form();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.resize(900, 700);
  QTRY_COMPARE(form.StatusPanelWidth(0), 900 - 137 - 5);
  QCOMPARE(form.Titulky->columnWidth(3), form.Titulky->viewport()->width() - 39 - 80 - 80);
  form.resize(700, 500);
  QTRY_COMPARE(form.StatusPanelWidth(0), 700 - 137 - 5);
  QCOMPARE(form.size(), QSize(700, 500));
}

void MainWindowTest::closesAtOnceWithoutConfirmation() {
  Editor editor;
  editor.Form().show();
  QVERIFY(QTest::qWaitForWindowExposed(&editor.Form()));
  QTest::mouseClick(editor.Form().ButtonKonec, Qt::LeftButton);
  QVERIFY(!editor.Form().isVisible());
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void MainWindowTest::confirmationNoKeepsTheWindowOpen() {
  Editor editor;
  TForm1& form = editor.Form();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.CheckBoxAskToClose->setChecked(true);
  editor.Dialogs.MessageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
  QVERIFY(!form.close());
  QVERIFY(form.isVisible());
  const AskedDialog* question = editor.Dialogs.Last(Kind::Message);
  QVERIFY(question);
  QCOMPARE(question->Text, QString::fromUtf8("Opravdu chcete program ukončit?"));
  QCOMPARE(question->Buttons, MessageButtons::YesNo);
  QCOMPARE(question->Icon, MessageIcon::Information);
  QVERIFY(form.close());
  QVERIFY(!form.isVisible());
}

void MainWindowTest::shortcutsWorkWhateverHasTheFocus() {
  Editor editor;
  TForm1& form = editor.Form();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.activateWindow();
  QWidget* focusHolders[] = {form.Titulky, form.ComboBoxSave, form.EditTimeScale};
  int opens = 0;
  int saves = 0;
  for (QWidget* holder : focusHolders) {
    holder->setFocus();
    QTRY_VERIFY(holder->hasFocus());
    QTest::keyClick(holder, Qt::Key_F3);
    QCOMPARE(editor.Dialogs.Count(Kind::Open), ++opens);
    QTest::keyClick(holder, Qt::Key_F2);
    QCOMPARE(editor.Dialogs.Count(Kind::Save), ++saves);
  }
  // F5 switches the view of an empty document without asking for anything.
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(editor.Doc().TimeMode, kModeClock);
  QCOMPARE(form.ComboBoxSubPreview->currentIndex(), 1);
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(editor.Doc().TimeMode, kModeFrames);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 0);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void MainWindowTest::hintReachesStatusPanel0() {
  Editor editor;
  QStatusTipEvent tip(editor.Form().ListBoxDragAndDrop->statusTip());
  QApplication::sendEvent(editor.Form().ListBoxDragAndDrop, &tip);
  QCOMPARE(editor.Form().StatusPanelText(0),
           QString("drag file from explorer and drop it here to open subtitles"));
}

void MainWindowTest::aboutWindowOpensOnlyOnTheFirstRun() {
  for (int stored : {0, 4}) {
    Editor editor({}, true, "[SETTINGS]\r\nExec=" + std::to_string(stored) + "\r\n");
    editor.Form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.Form()));
    QTest::qWait(50);
    QCOMPARE(editor.Form().RunCount(), stored + 1);
    QCOMPARE(editor.Form().LabelExecution->text(), QString::number(stored + 1));
    QCOMPARE(editor.Dialogs.Count(Kind::Modal), stored == 0 ? 1 : 0);
    if (stored == 0) QCOMPARE(editor.Dialogs.Last(Kind::Modal)->Text, QString("TFormInfo"));
  }
}

void MainWindowTest::aboutWindowAnswersWhileTheCommandLineFileLoads() {
  // The About window of the first run comes up while the command-line file is being opened,
  // with the main window disabled; it must not be disabled with it.
  Editor files;
  StartupOptions options;
  options.Arguments = {files.Write("film.srt", SubRipFile(3))};
  Editor editor(options, true, "[SETTINGS]\r\nExec=0\r\n");
  QSignalSpy opened(&editor.Form(), &TForm1::FileOpened);
  editor.Form().show();
  QTRY_COMPARE(opened.count(), 1);
  const AskedDialog* about = editor.Dialogs.Last(Kind::Modal);
  QVERIFY(about);
  QVERIFY(!about->ParentEnabled);
  QVERIFY(about->DialogEnabled);
  QCOMPARE(editor.Doc().SubtitleCount, 3);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
