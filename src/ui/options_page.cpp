// The options page: run counter, switches, tips, shortcuts and file-type registration, and
// the settings file behind them.

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "config/file_types.h"
#include "config/settings.h"
#include "platform/ini_file.h"
#include "ui/quillmark_unit.h"
#ifdef _WIN32
#include "config/registry_windows.h"
#endif

namespace qm {
namespace {

// A cache refresh is a courtesy to the file manager: a missing tool or a failed run does not
// undo the files already written.
void RunIfInstalled(const std::vector<std::string>& command) {
  const QString program = QStandardPaths::findExecutable(FromPath(command.front()));
  if (program.isEmpty()) return;
  QStringList arguments;
  for (size_t i = 1; i < command.size(); ++i) arguments << FromPath(command[i]);
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(program, arguments);
  process.waitForFinished(10000);
}

bool Listed(const QComboBox& box, const QString& name) {
  for (int i = 0; i < box.count(); ++i)
    if (EqualsIgnoringCase1250(ToUtf8(box.itemText(i)), ToUtf8(name))) return true;
  return false;
}

}  // namespace

void TForm1::ConnectOptionsPage() {
  connect(ButtonRegisterExt, &QPushButton::clicked, this,
          [this] { Guarded([this] { ButtonRegisterExtClick(); }); });
  connect(ComboBoxLanguage, &QComboBox::currentIndexChanged, this,
          [this] { Guarded([this] { ComboBoxLanguageChange(); }); });
}

QString TForm1::SettingsFile() const {
  return m_options.SettingsFile.isEmpty() ? m_programFolder + "Data/settings.ini" : m_options.SettingsFile;
}

int32_t TForm1::LoadSettings() {
  const Settings settings = qm::LoadSettings(ToPath(SettingsFile()));
  for (const std::string& name : settings.Languages) ComboBoxLanguage->addItem(FromUtf8(name));
  for (const std::string& name : m_languageFiles.UserLanguages())
    if (!Listed(*ComboBoxLanguage, FromUtf8(name))) ComboBoxLanguage->addItem(FromUtf8(name));
  CheckBoxAskToClose->setChecked(settings.AskToClose);
  CheckBoxAlwaysOnTop->setChecked(settings.AlwaysOnTop);
  CheckBoxAlwaysOnTopClick();
  CheckBoxEditByOneClick->setChecked(settings.EditByOneClick);
  OpenDialog.Folder = FromUtf8(settings.SubtitlesOpen);
  OpenDialogBatch.Folder = FromUtf8(settings.KonverzeAdd);
  SaveDialog.Folder = FromUtf8(settings.SubtitlesSave);
  SetBatchDestinationFolder(FromUtf8(settings.KonverzeDest));  // kept until the batch window exists
  m_languageName = settings.LanguageName();
  ComboBoxLanguage->setCurrentIndex(
      settings.LanguageIndex < ComboBoxLanguage->count() ? settings.LanguageIndex : -1);
  return settings.Exec;
}

void TForm1::SaveSettings(int32_t runCount) {
  Settings settings;
  for (int i = 0; i < ComboBoxLanguage->count(); ++i)
    settings.Languages.push_back(ToUtf8(ComboBoxLanguage->itemText(i)));
  settings.LanguageIndex = ComboBoxLanguage->currentIndex();
  settings.Exec = runCount;
  settings.AskToClose = CheckBoxAskToClose->isChecked();
  settings.AlwaysOnTop = CheckBoxAlwaysOnTop->isChecked();
  settings.EditByOneClick = CheckBoxEditByOneClick->isChecked();
  settings.SubtitlesOpen = ToUtf8(OpenDialog.Folder);
  settings.SubtitlesSave = ToUtf8(SaveDialog.Folder);
  settings.KonverzeAdd = ToUtf8(OpenDialogBatch.Folder);
  settings.KonverzeDest = ToUtf8(BatchDestinationFolder());
  try {
    qm::SaveSettings(ToPath(SettingsFile()), settings);
  } catch (const std::exception&) {
    ShowText(m_texts.ErrorCantSaveConfig, MessageIcon::Error);
  }
}

void TForm1::ButtonRegisterExtClick() {
  const QString program = QCoreApplication::applicationFilePath();
  const QString folder = QDir(m_programFolder).absolutePath() + "/";
#ifdef _WIN32
  WindowsRegistryKeyStore registry;
  RegisterFileType(registry, kSubtitleFileType, kSubtitleFileDescription,
                   ToPath(QDir::toNativeSeparators(folder)), ToPath(QDir::toNativeSeparators(program)));
#else
  const DesktopRegistration done = RegisterDesktopFileTypes(XdgFoldersFromEnvironment(), ToPath(program),
                                                            ToPath(folder + "Data/quillmark.png"));
  for (const auto& command : done.CacheCommands) RunIfInstalled(command);
#endif
}

}  // namespace qm
