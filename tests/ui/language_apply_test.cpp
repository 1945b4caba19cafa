// The language file applied to the main window and the four secondary windows: at start,
// after the main window is shown, and on a switch in ComboBoxLanguage.

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "batch/konverze_form.h"
#include "batch/select_dir_form.h"
#include "config/window_texts.h"
#include "ui/find_form.h"
#include "ui/frame_form.h"
#include "ui/info_form.h"
#include "ui/subtitle_grid.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;

namespace {

const QString kError = "LNG error!!";
const std::string kBothLanguages =
    "[LANGUAGES]\r\nCount=2\r\n1=\xC8"
    "esk\xFD\r\n2=English\r\n[SETTINGS]\r\nExec=3\r\n";

// What a control shows for a caption key: its text, its title or its tab's text.
QString Caption(QWidget& window, const QString& name) {
  auto* control = window.findChild<QWidget*>(name);
  if (!control) return "(missing " + name + ")";
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
  for (QTabWidget* tabs : window.findChildren<QTabWidget*>())
    if (tabs->indexOf(control) >= 0) return tabs->tabText(tabs->indexOf(control));
  return "(no caption " + name + ")";
}

// Shows the main window and waits until the secondary windows have their texts.
void ShowAndSettle(Editor& editor) {
  editor.Form().FormSelectDir().setWindowTitle("pending");
  editor.Form().show();
  QVERIFY(QTest::qWaitForWindowExposed(&editor.Form()));
  QTRY_VERIFY(editor.Form().FormSelectDir().windowTitle() != "pending");
}

}  // namespace

class LanguageApplyTest : public QObject {
  Q_OBJECT

 private slots:
  void missingLanguageFileMarksEveryListedTextAndLeavesTheRest();
  void czechFileGivesTheBuiltInTextsAndSecondaryWindowsFollowTheShow();
  void switchWhileClockViewIsShownRebuildsStateTexts();
  void switchKeepsTheOpenFilesPathElidedInTheMiddle();
  void tipsCountBeyondItsKeysAndUserLanguageFolder();
};

void LanguageApplyTest::missingLanguageFileMarksEveryListedTextAndLeavesTheRest() {
  Editor editor({}, false);
  TForm1& form = editor.Form();
  ShowAndSettle(editor);

  for (const WindowTextKey& entry : MainWindowTextKeys()) {
    const QString name = QString::fromLatin1(entry.Control.data(), entry.Control.size());
    if (entry.Target == TextTarget::Caption) QCOMPARE(Caption(form, name), kError);
    if (entry.Target == TextTarget::Hint) QCOMPARE(form.findChild<QWidget*>(name)->toolTip(), kError);
  }
  for (int column = 0; column < kGridColumns; ++column)
    QCOMPARE(form.GridModel().headerData(column, Qt::Horizontal).toString(), kError);
  QCOMPARE(form.ComboBoxSubPreview->itemText(1), kError);
  QCOMPARE(form.StatusBar->toolTip(), kError + " https://www.quillmark.example");
  QCOMPARE(form.LabelVyberPosuvu->text(), kError);
  QCOMPARE(form.MemoTipy->toPlainText(), QString());
  QCOMPARE(form.MemoKlavZkratky->toPlainText(), QString());
  QCOMPARE(form.ComboBoxLanguage->toolTip(), kError + " [" + kError + "]");

  for (QWidget* window :
       std::initializer_list<QWidget*>{&form.FormFrame(), &form.FormFind(), &form.FormSelectDir(),
                                       &form.FormKonverze(), &form.FormInfo()}) {
    QCOMPARE(window->windowTitle(), kError);
    for (const WindowTextKey& entry : SecondaryWindowTextKeys(window->objectName().toStdString())) {
      const QString name = QString::fromLatin1(entry.Control.data(), entry.Control.size());
      if (entry.Target == TextTarget::Caption) QCOMPARE(Caption(*window, name), kError);
      if (entry.Target == TextTarget::Hint) QCOMPARE(window->findChild<QWidget*>(name)->toolTip(), kError);
    }
  }
  for (QRadioButton* item : form.FormFind().findChildren<QRadioButton*>()) QCOMPARE(item->text(), kError);

  // Not in the language file's lists: built-in texts stay.
  QCOMPARE(form.ComboBoxSave->itemText(1), QString("SubRip"));
  QCOMPARE(form.Label6->text(), QString::fromUtf8("Počet titulků"));
  QCOMPARE(form.LabelRozdelovani->text(),
           QString("tato funkce zatím chybí - this function isnt copleted yet"));
  QCOMPARE(form.PageControl->tabText(7), QString::fromUtf8("Rozdělování"));
  QCOMPARE(form.ButtonBatchKonvertovat->text(), QString(">>>"));
  QCOMPARE(editor.Dialogs.Count(AskedDialog::Kind::Message), 0);
}

void LanguageApplyTest::czechFileGivesTheBuiltInTextsAndSecondaryWindowsFollowTheShow() {
  Editor editor;
  TForm1& form = editor.Form();
  QCOMPARE(form.ButtonNacist->text(), QString::fromUtf8("N&ačíst titulky..."));
  QCOMPARE(form.PageControl->tabText(4), QString::fromUtf8("Ukázky formátů"));
  QCOMPARE(form.ComboBoxSubPreview->itemText(0), QString::fromUtf8("snímkový"));
  QCOMPARE(form.GridModel().headerData(3, Qt::Horizontal).toString(), QString("text"));
  QCOMPARE(form.LabelZmenaRychlosti->text(), QString::fromUtf8("Titulky zůstanou beze změny"));
  QCOMPARE(form.MemoKlavZkratky->toPlainText().split('\n').first(), QString::fromUtf8("F2 - Uložit titulky"));
  QCOMPARE(form.ComboBoxSubPreview->toolTip(),
           QString::fromUtf8("Zobrazit časy ve snímcích nebo v hodinách, minutách a sekundách (F5)"));
  // The secondary windows get theirs only once the main window is on screen.
  form.FormKonverze().setWindowTitle("built in");
  QCOMPARE(form.FormKonverze().windowTitle(), QString("built in"));
  ShowAndSettle(editor);
  QCOMPARE(form.FormKonverze().windowTitle(), QString::fromUtf8("Dávková konverze..."));
  QCOMPARE(form.FormSelectDir().windowTitle(), QString::fromUtf8("Vyhledat adresář..."));
  QCOMPARE(form.FormFrame().ButtonFPSFromAvi->toolTip(),
           QString::fromUtf8("Zjistit počet snímků za sekundu z filmu"));
  const QList<QRadioButton*> items = form.FormFind().findChildren<QRadioButton*>();
  QCOMPARE(items[0]->text(), QString::fromUtf8("Na&horu"));
  QCOMPARE(items[1]->text(), QString::fromUtf8("&Dolů"));
}

void LanguageApplyTest::switchWhileClockViewIsShownRebuildsStateTexts() {
  Editor editor({}, true, kBothLanguages, {"lng_English.ini", QString::fromUtf8("lng_Český.bmp")});
  TForm1& form = editor.Form();
  QVERIFY(!form.ImageLanguage->pixmap().isNull());
  QCOMPARE(form.ImageLanguage->size(), QSize(24, 16));
  ShowAndSettle(editor);
  form.OpenFile(editor.Write("film.srt", SubRipFile(3)), OpenFailureReport::OwnMessage);
  QCOMPARE(editor.Doc().TimeMode, kModeClock);

  form.ComboBoxLanguage->setCurrentIndex(1);
  QCOMPARE(form.LanguageName(), std::string("English"));
  QCOMPARE(form.ComboBoxSubPreview->currentIndex(), 1);
  QCOMPARE(form.ComboBoxSubPreview->currentText(), QString("time"));
  QCOMPARE(form.LabelVyberPosuvu->text(), QString("s"));
  QCOMPARE(form.LabelZmenaRychlosti->text(), QString("Subtitles stay unchanged"));
  QCOMPARE(form.EditTimeScale->toolTip(), QString("Subtitles stay unchanged"));
  QCOMPARE(form.findChild<QLabel*>("StatusBarMemoPanel2")->text(), QString("insert"));
  QCOMPARE(form.ButtonNacist->text(), QString("&Open subtitles..."));
  QCOMPARE(form.PageControl->tabText(0), QString("Timing"));
  QCOMPARE(form.ComboBoxLanguage->toolTip(), QString("Quillmark team [English translation of Quillmark]"));
  QCOMPARE(form.MemoTipy->toPlainText().split('\n').size(), 7);
  QCOMPARE(QString::fromStdString(form.Texts().OpenDialogTitle), QString("Open subtitles"));
  QVERIFY(form.ImageLanguage->pixmap().isNull());  // English has no flag here
  QCOMPARE(form.FormFind().windowTitle(), QString("Find"));
  QCOMPARE(form.FormFind().findChildren<QRadioButton*>()[1]->text(), QString("&Down"));
  QCOMPARE(form.FormFrame().windowTitle(), QString("Frames"));
  QCOMPARE(form.FormKonverze().windowTitle(), QString("Batch conversion..."));
  QCOMPARE(form.FormSelectDir().windowTitle(), QString("Select folder..."));
  QCOMPARE(form.FormSelectDir().ButtonZrusit->text(), QString("Cancel"));
  // The About window speaks the language too, its history included.
  QCOMPARE(form.FormInfo().windowTitle(), QString("About"));
  QCOMPARE(form.FormInfo().LabelVersion->text(), QString("version 0.91  (10.08.2005)"));
  QVERIFY(form.FormInfo().MemoHistory->toPlainText().contains("First public version"));
  QVERIFY(!form.FormInfo().MemoHistory->toPlainText().contains(QString::fromUtf8("První")));

  // Back again: the flag returns, the view keeps clock time.
  form.ComboBoxLanguage->setCurrentIndex(0);
  QCOMPARE(form.ComboBoxSubPreview->currentText(), QString::fromUtf8("časový"));
  QVERIFY(!form.ImageLanguage->pixmap().isNull());
  QVERIFY(form.FormInfo().MemoHistory->toPlainText().contains(QString::fromUtf8("První veřejná verze")));
  QCOMPARE(editor.Dialogs.Count(AskedDialog::Kind::Message), 0);
}

void LanguageApplyTest::switchKeepsTheOpenFilesPathElidedInTheMiddle() {
  Editor editor({}, true, kBothLanguages, {"lng_English.ini"});
  TForm1& form = editor.Form();
  ShowAndSettle(editor);
  QLabel* caption = form.StaticTextSubtitlesFile;
  form.ComboBoxLanguage->setCurrentIndex(1);
  QCOMPARE(caption->text(), QString("Subtitle file"));  // no file open: the caption

  const QString folder = editor.Folder() + QString("a-folder-with-a-rather-long-name-").repeated(4);
  QVERIFY(QDir().mkpath(folder));
  const QString path = QFileInfo(folder + "/film.srt").absoluteFilePath();
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(SubRipFile(2).c_str());
  file.close();
  form.OpenFile(path, OpenFailureReport::OwnMessage);
  for (const int language : {0, 1, 0}) {
    form.ComboBoxLanguage->setCurrentIndex(language);
    const QString shown = caption->text();
    QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));  // elided in the middle
    QVERIFY(shown.startsWith(path.left(8)));
    QVERIFY(shown.endsWith("/film.srt"));
    QVERIFY(caption->fontMetrics().horizontalAdvance(shown) <= caption->contentsRect().width());
    QCOMPARE(caption->toolTip(), path);
  }
  // A wider window shows more of the path.
  const int before = caption->text().size();
  form.resize(1200, form.height());
  QTRY_VERIFY(caption->text().size() > before);
}

void LanguageApplyTest::tipsCountBeyondItsKeysAndUserLanguageFolder() {
  QTemporaryDir user;
  QFile own(user.path() + "/lng_Mine.ini");
  QVERIFY(own.open(QIODevice::WriteOnly));
  own.write(
      "[TIPS]\r\nCount=3\r\n1=First tip\r\n[AUTHOR]\r\nAuthor=Me\r\n[PANEL_MENU]\r\nButtonKonec=&Bye\r\n");
  own.close();
  StartupOptions options;
  options.UserLanguageFolder = user.path();
  Editor editor(options);
  TForm1& form = editor.Form();
  QCOMPARE(form.ComboBoxLanguage->count(), 2);
  QCOMPARE(form.ComboBoxLanguage->itemText(1), QString("Mine"));
  form.ComboBoxLanguage->setCurrentIndex(1);
  QCOMPARE(form.MemoTipy->toPlainText(), QString("First tip\nLNG error!!\nLNG error!!"));
  QCOMPARE(form.ButtonKonec->text(), QString("&Bye"));
  QCOMPARE(form.ComboBoxLanguage->toolTip(), QString("Me [LNG error!!]"));
  QCOMPARE(form.ButtonNacist->text(), kError);
}

QTEST_MAIN(LanguageApplyTest)
#include "language_apply_test.moc"
