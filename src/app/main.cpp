// The editor: quillmark [FILE], quillmark --help, quillmark --version

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

#include "app/command_line.h"
#include "app/startup_probe.h"
#include "config/data_paths.h"
#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"

int main(int argc, char* argv[]) {
  // Help and version need no window, nor a display to show one on.
  if (const auto text = qm::EarlyExitText(std::vector<std::string>(argv + 1, argv + argc))) {
    std::fputs(text->c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quillmark");

  // Data beside the program (build folder, portable copy) or in the installed share/ tree.
  const qm::DataPaths paths =
      qm::ResolveDataPaths(QCoreApplication::applicationDirPath().toStdString(), qm::ReadUserEnvironment());
  qm::SeedSettingsFile(paths);
  qm::StartupOptions options;
  options.ProgramFolder = QString::fromStdString(paths.ProgramFolder);
  options.SettingsFile = QString::fromStdString(paths.SettingsFile);
  options.UserLanguageFolder = QString::fromStdString(paths.UserLanguageFolder);
  options.RecentFilesFile = QString::fromStdString(paths.RecentFilesFile);
  options.Arguments = QCoreApplication::arguments().mid(1);

  qm::QtDialogs dialogs;
  qm::TForm1 form(dialogs, options);
  const bool oneFile = options.Arguments.size() == 1 && QFileInfo(options.Arguments.first()).isFile();
  qm::StartupProbe::InstallIfRequested(
      form, oneFile ? QFileInfo(options.Arguments.first()).absoluteFilePath() : QString());
  form.show();
  return QApplication::exec();
}
