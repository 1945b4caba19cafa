// A language switch in the running editor: ComboBoxLanguage alternating between the two
// shipped languages, each switch applying the texts to the main window and the four
// secondary windows. Prints the median and the slowest of the switches.
//   language_switch [SWITCHES]        (offscreen; the shipped Data folder is copied)

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int switches = argc > 1 ? std::max(2, atoi(argv[1])) : 40;

  QTemporaryDir program;
  QDir(program.path()).mkpath("Data");
  const QDir shipped(QM_SOURCE_DATA);
  for (const QString& name : shipped.entryList(QDir::Files))
    QFile::copy(shipped.filePath(name), program.path() + "/Data/" + name);
  QFile settings(program.path() + "/Data/settings.ini");
  settings.remove();
  if (!settings.open(QIODevice::WriteOnly)) return 1;
  settings.write(
      "[LANGUAGES]\r\nCount=2\r\n1=\xC8"
      "esk\xFD\r\n2=English\r\n[SETTINGS]\r\nExec=5\r\n");
  settings.close();

  qm::QtDialogs dialogs;
  qm::StartupOptions options;
  options.ProgramFolder = program.path() + "/";
  qm::TForm1 form(dialogs, options);
  form.show();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();

  std::vector<double> times;
  for (int i = 0; i < switches; ++i) {
    QElapsedTimer timer;
    timer.start();
    form.ComboBoxLanguage->setCurrentIndex((i + 1) % 2);
    times.push_back(double(timer.nsecsElapsed()) / 1e6);
    QCoreApplication::processEvents();
  }
  std::sort(times.begin(), times.end());
  std::printf("language switch, 5 windows, %d switches: median %.2f ms, slowest %.2f ms (target < 30)\n",
              switches, times[times.size() / 2], times.back());
  return 0;
}
