// The settings file from start to exit through the main window, the options page and the
// file-type registration button.

#include <sys/resource.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <csignal>

#include "ui_test_support.h"

using namespace qm;
using namespace qm::test;
using Kind = AskedDialog::Kind;

namespace {

std::string ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "(missing)";
  return file.readAll().toStdString();
}

QString SettingsPath(const Editor& editor) { return editor.Folder() + "Data/settings.ini"; }

}  // namespace

class SettingsFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void noFileIsTheFirstRunAndExitWritesEveryKey();
  void storedSettingsApplyAtStartAndReturnAtExit();
  void askToCloseAnsweredNoWritesNothing();
  void failedWriteAtExitShowsTheMessageAndKeepsTheOldFile();
  void registerButtonWritesTheDesktopFilesForThisProgram();
};

void SettingsFlowTest::noFileIsTheFirstRunAndExitWritesEveryKey() {
  Editor editor({}, true, "");
  TForm1& form = editor.Form();
  QCOMPARE(form.ComboBoxLanguage->count(), 1);
  QCOMPARE(form.ComboBoxLanguage->currentText(), QString::fromUtf8("Český"));
  QCOMPARE(form.RunCount(), 1);
  QCOMPARE(form.LabelExecution->text(), QString("1"));
  QVERIFY(!form.CheckBoxAskToClose->isChecked());
  QVERIFY(!form.CheckBoxAlwaysOnTop->isChecked());
  QVERIFY(form.CheckBoxEditByOneClick->isChecked());
  form.show();
  QTRY_COMPARE(editor.Dialogs.Count(Kind::Modal), 1);  // the About window of the first run

  const QString film = editor.Write("film.srt", SubRipFile(2));
  form.OpenFile(film, OpenFailureReport::OwnMessage);
  QVERIFY(form.close());
  QCOMPARE(ReadAll(SettingsPath(editor)),
           "[LANGUAGES]\r\nCount=1\r\n1=\xC8"
           "esk\xFD\r\n\r\n"
           "[SETTINGS]\r\nLanguage=1\r\nExec=1\r\nAskToClose=0\r\nAlwaysOnTop=0\r\nEditByOneClick=1\r\n\r\n"
           "[PATHS]\r\nSubtitlesOpen=" +
               editor.Folder().toStdString() + "\r\nSubtitlesSave=\r\nKonverzeAdd=\r\nKonverzeDest=\r\n");
}

void SettingsFlowTest::storedSettingsApplyAtStartAndReturnAtExit() {
  Editor editor(
      {}, true,
      "; edited by hand\r\n[LANGUAGES]\r\nCount=3\r\n1=English\r\n2=Deutsch\r\n[SETTINGS]\r\nLanguage=1\r\n"
      "Exec=41\r\nAskToClose=5\r\nAlwaysOnTop=1\r\nEditByOneClick=0\r\n[PATHS]\r\nSubtitlesOpen=/films/\r\n"
      "SubtitlesSave=/out/\r\nKonverzeAdd=/batch/\r\nKonverzeDest=/dest/\r\n[OTHER]\r\nKey=1\r\n",
      {"lng_English.ini"});
  TForm1& form = editor.Form();
  QCOMPARE(form.ComboBoxLanguage->count(), 3);
  QCOMPARE(form.ComboBoxLanguage->itemText(2), QString::fromUtf8("Český"));
  QCOMPARE(form.ButtonKonec->text(), QString("&Quit"));
  QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(form.CheckBoxAskToClose->isChecked());
  QVERIFY(!form.CheckBoxEditByOneClick->isChecked());
  QCOMPARE(form.LabelExecution->text(), QString("42"));
  QCOMPARE(form.OpenDialog.Folder, QString("/films/"));
  QCOMPARE(form.SaveDialog.Folder, QString("/out/"));
  QCOMPARE(form.OpenDialogBatch.Folder, QString("/batch/"));
  form.show();
  QTRY_COMPARE(form.BatchDestinationFolder(), QString("/dest/"));
  QCOMPARE(editor.Dialogs.Count(Kind::Modal), 0);

  form.ComboBoxLanguage->setCurrentIndex(1);  // Deutsch: no file, so every text is marked
  QCOMPARE(form.ButtonKonec->text(), QString("LNG error!!"));
  form.CheckBoxAlwaysOnTop->click();
  QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  form.OpenDialogBatch.Folder = "/more/";
  editor.Dialogs.MessageAnswers = {MessageAnswer::Yes};
  QVERIFY(form.close());
  QCOMPARE(ReadAll(SettingsPath(editor)),
           "[LANGUAGES]\r\nCount=3\r\n1=English\r\n2=Deutsch\r\n3=\xC8"
           "esk\xFD\r\n\r\n"
           "[SETTINGS]\r\nLanguage=2\r\nExec=42\r\nAskToClose=1\r\nAlwaysOnTop=0\r\nEditByOneClick=0\r\n\r\n"
           "[PATHS]\r\nSubtitlesOpen=/films/\r\nSubtitlesSave=/out/\r\nKonverzeAdd=/more/\r\nKonverzeDest=/"
           "dest/\r\n");
}

void SettingsFlowTest::askToCloseAnsweredNoWritesNothing() {
  const std::string stored = "[SETTINGS]\r\nExec=2\r\nAskToClose=1\r\n";
  Editor editor({}, true, stored);
  editor.Dialogs.MessageAnswers = {MessageAnswer::No};
  QVERIFY(!editor.Form().close());
  QCOMPARE(ReadAll(SettingsPath(editor)), stored);
}

void SettingsFlowTest::failedWriteAtExitShowsTheMessageAndKeepsTheOldFile() {
  {
    StartupOptions options;
    QTemporaryDir elsewhere;
    options.SettingsFile = elsewhere.path() + "/missing/settings.ini";  // its folder is gone
    Editor editor(options);
    QVERIFY(editor.Form().close());  // the program still ends
    const AskedDialog* message = editor.Dialogs.Last(Kind::Message);
    QVERIFY(message);
    QCOMPARE(message->Text, QString::fromUtf8("Nastavení programu nelze uložit."));
    QCOMPARE(message->Icon, MessageIcon::Error);
    QVERIFY(!QDir(elsewhere.path() + "/missing").exists());
  }
  // A write that fails half-way (a file-size limit binds root too; a read-only file is
  // refused as it should be for other users, which the core tests check as such a user).
  const std::string stored = "[SETTINGS]\r\nExec=9\r\n; keep me\r\n";
  Editor editor({}, true, stored);
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const rlimit small{16, before.rlim_max};
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  const bool closed = editor.Form().close();
  setrlimit(RLIMIT_FSIZE, &before);
  signal(SIGXFSZ, previousHandler);
  QVERIFY(closed);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 1);
  QCOMPARE(ReadAll(SettingsPath(editor)), stored);
  QCOMPARE(QDir(editor.Folder() + "Data").entryList(QDir::Files | QDir::Hidden).size(), 2);  // + the language
}

void SettingsFlowTest::registerButtonWritesTheDesktopFilesForThisProgram() {
  QTemporaryDir xdg;
  qputenv("XDG_DATA_HOME", (xdg.path() + "/data").toUtf8());
  qputenv("XDG_CONFIG_HOME", (xdg.path() + "/config").toUtf8());
  Editor editor;
  editor.Form().ButtonRegisterExt->click();
  const std::string desktop = ReadAll(xdg.path() + "/data/applications/quillmark.desktop");
  const std::string program = QCoreApplication::applicationFilePath().toStdString();
  QVERIFY2(desktop.find("\nExec=\"" + program + "\" %f\n") != std::string::npos, desktop.c_str());
  QVERIFY(desktop.find("\nIcon=" + editor.Folder().toStdString() + "Data/quillmark.png\n") !=
          std::string::npos);
  QVERIFY(ReadAll(xdg.path() + "/data/mime/packages/quillmark.xml").find("*.aqt") != std::string::npos);
  QVERIFY(ReadAll(xdg.path() + "/config/mimeapps.list").find("text/x-ssa=quillmark.desktop;") !=
          std::string::npos);
  QCOMPARE(editor.Dialogs.Count(Kind::Message), 0);
  qunsetenv("XDG_DATA_HOME");
  qunsetenv("XDG_CONFIG_HOME");
}

QTEST_MAIN(SettingsFlowTest)
#include "settings_flow_test.moc"
