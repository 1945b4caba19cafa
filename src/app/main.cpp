// The editor: quillmark [FILE]

#include <QApplication>
#include <QFileInfo>

#include "app/startup_probe.h"
#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quillmark");

  qm::StartupOptions options;
  options.ProgramFolder = QCoreApplication::applicationDirPath() + "/";
  options.Arguments = QCoreApplication::arguments().mid(1);

  qm::QtDialogs dialogs;
  qm::TForm1 form(dialogs, options);
  const bool oneFile = options.Arguments.size() == 1 && QFileInfo(options.Arguments.first()).isFile();
  qm::StartupProbe::InstallIfRequested(
      form, oneFile ? QFileInfo(options.Arguments.first()).absoluteFilePath() : QString());
  form.show();
  return QApplication::exec();
}
