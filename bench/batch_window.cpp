// The batch window's side of bench/batch_window.sh: lists every file named on the command
// line on the batch page, sets the window as `quillmark-convert --to FORMAT -d DIR` would
// convert, shows the window offscreen and clicks "Začít". Prints the run's milliseconds,
// from the click to the last report line, then the report's last two lines. The settings are
// read from a copy in a temporary folder, so that the run writes nothing beside the program.
//   batch_window FORMAT_INDEX RATE DIR FILE...

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "batch/konverze_form.h"
#include "silent_dialogs.h"
#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: batch_window FORMAT_INDEX RATE DIR FILE...\n");
    return 2;
  }
  SilentDialogs dialogs;
  qm::StartupOptions options;
  // The language file comes from QUILLMARK_PROGRAM_FOLDER/Data when that is set.
  const QString programFolder = qEnvironmentVariable("QUILLMARK_PROGRAM_FOLDER");
  options.ProgramFolder =
      programFolder.isEmpty() ? QCoreApplication::applicationDirPath() + "/" : programFolder;
  QTemporaryDir settingsFolder;
  options.SettingsFile = settingsFolder.path() + "/settings.ini";
  QFile::copy(options.ProgramFolder + "Data/settings.ini", options.SettingsFile);
  qm::TForm1 form(dialogs, options);
  form.ListBoxBatch->addItems(args.mid(3));

  qm::TFormKonverze& batch = form.FormKonverze();
  form.show();
  batch.show();
  QCoreApplication::processEvents();
  // Once shown, the editor gives the batch window the folder its settings remember and the
  // texts of its language; the fields of this run are set after that, as a user would.
  batch.ComboBoxKonverzeOutput->setCurrentIndex(args[0].toInt());
  batch.ComboBoxKonverzeFrames->setEditText(args[1]);
  batch.EditKonverzeDir->setText(args[2]);
  batch.CheckBoxPuvodniPripona->setChecked(false);
  batch.EditPripona->setText(QString::fromLatin1(qm::FormatCatalogue[args[0].toInt()].Extension));
  batch.ButtonKonverzeZacit->setEnabled(true);

  QElapsedTimer timer;
  timer.start();
  QTest::mouseClick(batch.ButtonKonverzeZacit, Qt::LeftButton);
  const double milliseconds = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  const int lines = batch.ListBoxPrubehKonverze->count();
  std::printf("%.1f\n", milliseconds);
  for (int i = std::max(0, lines - 2); i < lines; ++i)
    std::printf("%s\n", batch.ListBoxPrubehKonverze->item(i)->text().toUtf8().constData());
  return dialogs.Messages == 0 ? 0 : 1;
}
