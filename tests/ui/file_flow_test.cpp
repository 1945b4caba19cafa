// Opening, switching the view and saving, as the user does it: buttons, drops, the command
// line, F5 and the scripted dialogs.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "platform/file_io.h"
#include "ui/frame_form.h"
#include "ui/subtitle_grid.h"
#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

class FileFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensByEachOfTheThreeWays_data();
  void opensByEachOfTheThreeWays();
  void ignoresWhatIsNotOneExistingFile();
  void dropOfThreeFilesOpensTheFirst();
  void unknownFormatShowsTheTwoPartMessage();
  void shorterFileLeavesNoStaleRows();
  void failedLoadReportsPerWayAndEnablesTheWindow();
  void f5AsksForTheFrameRateOncePerFile();
  void saveAsksForTheFrameRateOncePerOpenedFile();
  void escapeInTheFrameRateWindowCancelsTheSwitchAndTheSave();
  void saveDialogStartsBesideTheOpenFileWithItsNameProposed();
  void framesToFramesNeverAsks();
  void failedSaveKeepsTheOldFile();
  void formatsWithoutWriterAreRefused();
  void tooManySubtitlesAreReported();
  void oversizedFileIsRefusedNamingTheLimit();
  void zeroedTimesAndTheFilesRateAreShown();
};

namespace {

enum class Way { Button, DropOnGrid, DropOnListBox, CommandLine };

// Opens `path` the way a user would and waits until the open has finished.
void Open(Editor& editor, Way way, const QString& path) {
  TForm1& form = editor.Form();
  switch (way) {
    case Way::Button:
      OpenWithButton(editor, path);
      break;
    case Way::DropOnGrid:
      QVERIFY(DropFiles(form.Titulky->viewport(), {path}));
      break;
    case Way::DropOnListBox:
      QVERIFY(DropFiles(form.ListBoxDragAndDrop->viewport(), {path}));
      break;
    case Way::CommandLine:
      form.UmOpenCommandLine();
      break;
  }
}

}  // namespace

void FileFlowTest::opensByEachOfTheThreeWays_data() {
  QTest::addColumn<int>("way");
  QTest::newRow("open button") << int(Way::Button);
  QTest::newRow("drop on grid") << int(Way::DropOnGrid);
  QTest::newRow("drop on list box") << int(Way::DropOnListBox);
  QTest::newRow("command line") << int(Way::CommandLine);
}

void FileFlowTest::opensByEachOfTheThreeWays() {
  QFETCH(int, way);
  QTemporaryDir files;
  const QString path = files.path() + "/film.srt";
  {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(SubRipFile(3,
                                                    "\xC8"
                                                    "esky")));
  }
  StartupOptions options;
  if (way == int(Way::CommandLine)) options.Arguments = {path};
  Editor editor(options);
  QSignalSpy opened(&editor.Form(), &TForm1::FileOpened);
  if (way != int(Way::CommandLine)) Open(editor, Way(way), path);
  QTRY_COMPARE(opened.count(), 1);

  TForm1& form = editor.Form();
  QCOMPARE(editor.Doc().SubtitleCount, 3);
  QCOMPARE(QString::fromStdString(editor.Doc().CurrentFileName), path);
  QCOMPARE(form.StaticTextSubtitlesFile->toolTip(), path);  // the label shows it elided to fit
  QCOMPARE(form.EditZdrojFormat->text(), QString("SubRip"));
  QCOMPARE(form.PanelTitulkyMax->text(), QString("3"));
  QCOMPARE(editor.GridRows(), 4);
  QCOMPARE(editor.Row(2), QStringList({"2", "00:00:04,250", "00:00:05,500", QString::fromUtf8("Česky 2")}));
  QCOMPARE(form.ComboBoxSubPreview->currentIndex(), 1);
  QCOMPARE(editor.Doc().StoredMode, kModeClock);
  QCOMPARE(form.OpenDialog.Folder, files.path() + "/");
  QVERIFY(form.isEnabled());
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void FileFlowTest::ignoresWhatIsNotOneExistingFile() {
  Editor probe;
  const QString real = probe.Write("a.sub", MicroDvdFile(2));
  const QStringList commandLines[] = {{probe.Folder() + "missing.srt"}, {real, real}, {probe.Folder()}};
  for (const QStringList& arguments : commandLines) {
    StartupOptions options;
    options.Arguments = arguments;
    Editor editor(options);
    QTest::qWait(20);
    QCOMPARE(editor.Doc().SubtitleCount, 0);
    QVERIFY(editor.Doc().CurrentFileName.empty());
    QCOMPARE(editor.Dialogs.Asked.size(), size_t{0});
  }
  // A folder or a missing file dropped on the grid does nothing either.
  Editor editor;
  QVERIFY(DropFiles(editor.Form().Titulky->viewport(), {editor.Folder()}));
  QVERIFY(DropFiles(editor.Form().Titulky->viewport(), {editor.Folder() + "gone.sub"}));
  QTest::qWait(20);
  QVERIFY(editor.Doc().CurrentFileName.empty());
  QCOMPARE(editor.Dialogs.Asked.size(), size_t{0});
}

void FileFlowTest::dropOfThreeFilesOpensTheFirst() {
  Editor editor;
  const QString first = editor.Write("first.sub", MicroDvdFile(2));
  const QString second = editor.Write("second.srt", SubRipFile(5));
  const QString third = editor.Write("third.srt", SubRipFile(7));
  QVERIFY(DropFiles(editor.Form().Titulky->viewport(), {first, second, third}));
  QTRY_COMPARE(editor.Doc().SubtitleCount, 2);
  QTest::qWait(20);
  QCOMPARE(QString::fromStdString(editor.Doc().CurrentFileName), first);
  QCOMPARE(editor.Row(1), QStringList({"1", "100", "150", "Frame 1|second line"}));
  QCOMPARE(editor.Doc().TimeMode, kModeFrames);
}

void FileFlowTest::unknownFormatShowsTheTwoPartMessage() {
  Editor editor;
  Open(editor, Way::Button, editor.Write("longer.srt", SubRipFile(6)));
  Open(editor, Way::Button, editor.Write("notes.txt", "just some words\r\nand more\r\n"));
  const AskedDialog* message = editor.Dialogs.Last(Kind::Message);
  QVERIFY(message);
  QCOMPARE(message->Text, QString::fromUtf8("Formát souboru nebyl rozpoznán, titulky nelze načíst.\n"
                                            "Pokud jde o titulky, pošlete prosím ukázku souboru autorovi."));
  QCOMPARE(message->Icon, MessageIcon::Error);
  QVERIFY(!message->ParentEnabled);  // the load runs with the window disabled

  TForm1& form = editor.Form();
  QCOMPARE(editor.Doc().SubtitleCount, 0);
  QVERIFY(editor.Doc().CurrentFileName.empty());
  QVERIFY(form.StaticTextSubtitlesFile->text().isEmpty());
  QVERIFY(form.StaticTextSubtitlesFile->toolTip().isEmpty());
  QCOMPARE(form.EditZdrojFormat->text(), QString("???"));
  QCOMPARE(editor.Doc().TimeMode, kModeClock);
  QCOMPARE(editor.GridRows(), 2);
  QCOMPARE(editor.Row(1), QStringList({"", "", "", ""}));
  QVERIFY(form.isEnabled());
}

void FileFlowTest::shorterFileLeavesNoStaleRows() {
  Editor editor;
  Open(editor, Way::Button, editor.Write("long.srt", SubRipFile(30)));
  QCOMPARE(editor.GridRows(), 31);
  Open(editor, Way::Button, editor.Write("short.sub", MicroDvdFile(4)));
  QCOMPARE(editor.Doc().SubtitleCount, 4);
  QCOMPARE(editor.GridRows(), 5);
  QCOMPARE(editor.Row(4), QStringList({"4", "400", "450", "Frame 4|second line"}));
  // A recognised file that gives no subtitle is not read; the old rows are emptied and keep
  // their count.
  Open(editor, Way::Button, editor.Write("empty.sub", "[INFORMATION]\r\n*** START SCRIPT ***\r\n"));
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString::fromUtf8("Soubor nelze otevřít."));
  QCOMPARE(editor.Doc().FormatIndex, uint8_t{2});
  QCOMPARE(editor.Doc().SubtitleCount, 0);
  QCOMPARE(editor.GridRows(), 5);
  for (int row = 1; row < editor.GridRows(); ++row) QCOMPARE(editor.Row(row), QStringList({"", "", "", ""}));
  QCOMPARE(editor.Form().PanelTitulkyMax->text(), QString("0"));
}

void FileFlowTest::failedLoadReportsPerWayAndEnablesTheWindow() {
  // A show time of 99 hours can be read but not shown: the load stops with the failure's
  // message, and the window takes input again.
  const std::string badTime =
      "1\r\n00:00:01,000 --> 00:00:02,000\r\nFine\r\n\r\n"
      "2\r\n99:00:03,000 --> 00:00:04,000\r\nBroken\r\n\r\n";
  Editor editor;
  const QString bad = editor.Write("bad.srt", badTime);
  Open(editor, Way::Button, bad);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString::fromUtf8("Soubor nelze otevřít."));
  QVERIFY(editor.Form().isEnabled());

  QSignalSpy opened(&editor.Form(), &TForm1::FileOpened);
  Open(editor, Way::DropOnGrid, bad);
  QTRY_COMPARE(opened.count(), 1);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString("Invalid argument to time encode"));
  QVERIFY(editor.Form().isEnabled());
  // What was read stays, shown as far as it can be, in the timing form it was read in.
  QCOMPARE(editor.Doc().SubtitleCount, 2);
  QCOMPARE(editor.Doc().StoredMode, kModeClock);
  QCOMPARE(editor.Row(1)[3], QString("Fine"));
}

void FileFlowTest::f5AsksForTheFrameRateOncePerFile() {
  Editor editor;
  TForm1& form = editor.Form();
  Open(editor, Way::Button, editor.Write("frames.sub", MicroDvdFile(3)));
  form.Titulky->setCurrentIndex(form.GridModel().index(1, 0));
  editor.Dialogs.FrameRateAnswers = {25.0};
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 1);
  QVERIFY(!editor.Dialogs.Last(Kind::FrameRate)->ParentEnabled);
  QVERIFY(editor.Dialogs.Last(Kind::FrameRate)->DialogEnabled);
  QCOMPARE(editor.Doc().FrameRate, 25.0);
  QCOMPARE(editor.Doc().StoredMode, kModeBoth);
  QCOMPARE(editor.Row(1), QStringList({"1", "00:00:04,000", "00:00:06,000", "Frame 1|second line"}));
  QCOMPARE(form.Titulky->currentIndex().row(), 1);  // the current row stays
  QCOMPARE(form.EditDiference->text(), QString("0:00:02,000"));
  QVERIFY(form.EditPosuv->isVisibleTo(form.TabSheetUpravyCasu));

  for (int i = 0; i < 3; ++i) QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 1);
  QCOMPARE(editor.Doc().TimeMode, kModeFrames);
  QCOMPARE(editor.Row(1)[1], QString("100"));

  // A clock-timed file switched to frames asks again.
  Open(editor, Way::Button, editor.Write("clock.srt", SubRipFile(2)));
  editor.Dialogs.FrameRateAnswers = {25.0};
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 2);
  QCOMPARE(editor.Doc().FrameRate, 25.0);
  QCOMPARE(editor.Row(1)[1], QString("56"));  // 2,25 s x 25
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void FileFlowTest::saveAsksForTheFrameRateOncePerOpenedFile() {
  Editor editor;
  TForm1& form = editor.Form();
  const QString frames = editor.Write("frames.sub", MicroDvdFile(2));
  Open(editor, Way::Button, frames);
  form.ComboBoxSave->setCurrentIndex(1);  // SubRip
  editor.Dialogs.FrameRateAnswers = {25.0, 25.0};
  const QString out = editor.Folder() + "out.srt";
  for (int i = 0; i < 3; ++i) editor.Dialogs.SaveAnswers.push_back(out);
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 1);
  QVERIFY(!editor.Dialogs.Last(Kind::FrameRate)->ParentEnabled);
  QCOMPARE(editor.Dialogs.Last(Kind::Save)->Text, QString::fromUtf8("Uložit titulky ve formátu SubRip"));
  QVERIFY(ReadWholeFile(out.toStdString()).find("00:00:04,000 --> 00:00:06,000") != std::string::npos);
  QCOMPARE(form.SaveDialog.Folder, editor.Folder());

  form.ComboBoxSave->setCurrentIndex(6);  // another clock format: still no question
  QTest::keyClick(form.Titulky, Qt::Key_F2);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 1);

  QSignalSpy opened(&form, &TForm1::FileOpened);
  Open(editor, Way::DropOnGrid, frames);
  QTRY_COMPARE(opened.count(), 1);
  form.ComboBoxSave->setCurrentIndex(1);
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 2);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
  QVERIFY(form.isEnabled());
}

void FileFlowTest::escapeInTheFrameRateWindowCancelsTheSwitchAndTheSave() {
  Editor editor;
  TForm1& form = editor.Form();
  Open(editor, Way::Button, editor.Write("frames.sub", MicroDvdFile(3)));
  const auto unchanged = [&] {
    QCOMPARE(editor.Doc().TimeMode, kModeFrames);
    QCOMPARE(editor.Doc().StoredMode, kModeFrames);
    QVERIFY(!editor.Doc().FrameRateConfirmed);
    QCOMPARE(editor.Doc().FrameRate, 23.976);
    QCOMPARE(editor.Doc().SubtitleTable[1].StartSecond, 0);  // no clock time was derived
    QCOMPARE(form.ComboBoxSubPreview->currentIndex(), 0);
    QCOMPARE(editor.Row(1)[1], QString("100"));
    QVERIFY(form.PanelSubFormat0->isVisibleTo(form.TabSheetEditace));
    QVERIFY(form.isEnabled());
  };
  // The window closed without OK (Escape) answers no rate.
  editor.Dialogs.FrameRateAnswers = {std::nullopt, std::nullopt};
  QTest::keyClick(form.Titulky, Qt::Key_F5);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 1);
  unchanged();
  if (QTest::currentTestFailed()) return;
  form.ComboBoxSubPreview->setCurrentIndex(1);
  form.ComboBoxSubPreviewChange();
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 2);
  unchanged();
  if (QTest::currentTestFailed()) return;

  form.ComboBoxSave->setCurrentIndex(1);  // SubRip
  const QString out = editor.Folder() + "out.srt";
  editor.Dialogs.SaveAnswers = {out};
  editor.Dialogs.FrameRateAnswers = {std::nullopt};
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 3);
  QVERIFY(!QFileInfo::exists(out));
  unchanged();
  if (QTest::currentTestFailed()) return;
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

void FileFlowTest::saveDialogStartsBesideTheOpenFileWithItsNameProposed() {
  {
    // No save folder remembered and no file open: the home folder, not the working directory.
    Editor editor;
    QTest::mouseClick(editor.Form().ButtonUlozit, Qt::LeftButton);
    QCOMPARE(editor.Dialogs.SaveRequests.size(), size_t(1));
    QCOMPARE(QDir(editor.Dialogs.SaveRequests[0].Folder), QDir::home());
    QVERIFY(editor.Dialogs.SaveRequests[0].FileName.isEmpty());
  }
  Editor editor;
  TForm1& form = editor.Form();
  QVERIFY(QDir(editor.Folder()).mkpath("films"));
  Open(editor, Way::Button, editor.Write("films/film.en.sub", MicroDvdFile(2)));
  editor.Dialogs.FrameRateAnswers = {25.0};
  const struct {
    int format;
    const char* proposed;
  } cases[] = {{1, "film.en.srt"}, {0, "film.en.sub"}, {6, "film.en.ssa"}, {4, "film.en.aqt"}};
  for (const auto& [format, proposed] : cases) {
    form.ComboBoxSave->setCurrentIndex(format);
    QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);  // cancelled
    const FileDialogRequest& asked = editor.Dialogs.SaveRequests.back();
    QCOMPARE(asked.Folder, editor.Folder() + "films/");
    QCOMPARE(asked.FileName, QString(proposed));
  }
  // A folder the user saved into is remembered and wins; the name is still proposed.
  editor.Dialogs.SaveAnswers = {editor.Folder() + "copy.srt"};
  form.ComboBoxSave->setCurrentIndex(1);
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QTest::mouseClick(form.ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.SaveRequests.back().Folder, editor.Folder());
  QCOMPARE(editor.Dialogs.SaveRequests.back().FileName, QString("film.en.srt"));
}

void FileFlowTest::framesToFramesNeverAsks() {
  Editor editor;
  Open(editor, Way::Button, editor.Write("frames.sub", MicroDvdFile(2)));
  editor.Form().ComboBoxSave->setCurrentIndex(4);  // AQT
  const QString out = editor.Folder() + "out.aqt";
  editor.Dialogs.SaveAnswers = {out};
  QTest::mouseClick(editor.Form().ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Count(Kind::FrameRate), 0);
  QVERIFY(FileExists(out.toStdString()));
  QCOMPARE(editor.Doc().StoredMode, kModeFrames);
}

void FileFlowTest::failedSaveKeepsTheOldFile() {
  Editor editor;
  const std::string badTime =
      "1\r\n00:00:01,000 --> 00:00:02,000\r\nFine\r\n\r\n"
      "2\r\n99:00:03,000 --> 00:00:04,000\r\nBroken\r\n\r\n";
  Open(editor, Way::Button, editor.Write("bad.srt", badTime));
  const std::string previous = "previous contents\r\n";
  const QString out = editor.Write("keep.srt", previous);
  editor.Form().ComboBoxSave->setCurrentIndex(1);
  editor.Dialogs.SaveAnswers = {out};
  QTest::mouseClick(editor.Form().ButtonUlozit, Qt::LeftButton);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString::fromUtf8("Titulky nelze uložit."));
  QCOMPARE(ReadWholeFile(out.toStdString()), previous);
  QCOMPARE(QDir(editor.Folder()).entryList(QDir::Files).size(), 2);  // no temporary file left
  QVERIFY(editor.Form().isEnabled());
}

void FileFlowTest::formatsWithoutWriterAreRefused() {
  Editor editor;
  Open(editor, Way::Button, editor.Write("film.srt", SubRipFile(2)));
  for (int layout : {11, 12}) {
    editor.Form().ComboBoxSave->setCurrentIndex(layout);
    QTest::mouseClick(editor.Form().ButtonUlozit, Qt::LeftButton);
    QVERIFY(editor.Dialogs.Last(Kind::Message)->Text.endsWith(editor.Form().ComboBoxSave->currentText()));
  }
  QCOMPARE(editor.Dialogs.Count(Kind::Save), 0);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 2);
}

void FileFlowTest::tooManySubtitlesAreReported() {
  Editor editor;
  Open(editor, Way::Button, editor.Write("huge.srt", SubRipFile(MaxSubtitles + 1)));
  QCOMPARE(editor.Doc().SubtitleCount, MaxSubtitles);
  QCOMPARE(editor.GridRows(), MaxSubtitles + 1);
  const AskedDialog* warning = editor.Dialogs.Last(Kind::Message);
  QVERIFY(warning);
  QCOMPARE(warning->Icon, MessageIcon::Warning);
  QVERIFY(warning->Text.startsWith(QString::fromUtf8("Soubor obsahuje více než 20000 titulků")));
}

void FileFlowTest::oversizedFileIsRefusedNamingTheLimit() {
  Editor editor;
  const QString huge = editor.Write("huge.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n");
  QVERIFY(QFile::resize(huge, qint64(kMaxReadFileSize) + 1));  // sparse: no disk used
  const QString limit("File too large: the limit is 64 MiB");
  Open(editor, Way::Button, huge);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, QString::fromUtf8("Soubor nelze otevřít.\n") + limit);
  QSignalSpy opened(&editor.Form(), &TForm1::FileOpened);
  Open(editor, Way::DropOnGrid, huge);
  QTRY_COMPARE(opened.count(), 1);
  QCOMPARE(editor.Dialogs.Last(Kind::Message)->Text, limit);
  QCOMPARE(editor.Doc().SubtitleCount, 0);
  QVERIFY(editor.Form().isEnabled());
}

void FileFlowTest::zeroedTimesAndTheFilesRateAreShown() {
  Editor editor;
  auto* hintPanel = editor.Form().findChild<QLabel*>("StatusBarPanel0");
  QComboBox* proposed = editor.Form().FormFrame().ComboBoxFrameRate;
  Open(editor, Way::Button,
       editor.Write("negative.srt",
                    "1\r\n-00:00:02,000 --> -00:00:01,000\r\nOne\r\n\r\n"
                    "2\r\n00:00:01,000 --> 00:00:02,000\r\nTwo\r\n\r\n"));
  QCOMPARE(editor.Doc().SubtitleCount, 2);
  QCOMPARE(hintPanel->text(), QString::fromUtf8("Časy před 0:00:00 načtené jako 0:00:00: 2"));
  QCOMPARE(proposed->currentText(), QString("23,976"));

  Open(editor, Way::Button, editor.Write("rated.sub", "{1}{1}29.970\r\n{25}{50}One\r\n"));
  QCOMPARE(editor.Doc().SubtitleCount, 1);
  QCOMPARE(editor.Row(1), QStringList({"1", "25", "50", "One"}));
  QCOMPARE(hintPanel->text(), QString());
  QCOMPARE(proposed->currentText(), QString("29,97"));
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
}

QTEST_MAIN(FileFlowTest)
#include "file_flow_test.moc"
