#include "ui_test_support.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include "ui/frame_form.h"
#include "ui/subtitle_grid.h"

namespace qm::test {

int FakeDialogs::Count(AskedDialog::Kind kind) const {
  int count = 0;
  for (const AskedDialog& asked : Asked) count += asked.What == kind;
  return count;
}

const AskedDialog* FakeDialogs::Last(AskedDialog::Kind kind) const {
  for (auto it = Asked.rbegin(); it != Asked.rend(); ++it)
    if (it->What == kind) return &*it;
  return nullptr;
}

namespace {

template <class T>
T Next(std::deque<T>& script, T whenEmpty) {
  if (script.empty()) return whenEmpty;
  T answer = script.front();
  script.pop_front();
  return answer;
}

bool Enabled(QWidget* parent) { return parent == nullptr || parent->window()->isEnabled(); }

}  // namespace

MessageAnswer FakeDialogs::Message(QWidget* parent, const QString& text, MessageIcon icon,
                                   MessageButtons buttons) {
  Asked.push_back({AskedDialog::Kind::Message, text, icon, buttons, Enabled(parent)});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return Next(MessageAnswers, MessageAnswer::No);
}

std::optional<QString> FakeDialogs::OpenFileName(QWidget* parent, const FileDialogRequest& request) {
  Asked.push_back({AskedDialog::Kind::Open, request.Title, {}, {}, Enabled(parent)});
  OpenRequests.push_back(request);
  const QString name = Next(OpenAnswers, QString());
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> FakeDialogs::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
  Asked.push_back({AskedDialog::Kind::Save, request.Title, {}, {}, Enabled(parent)});
  SaveRequests.push_back(request);
  const QString name = Next(SaveAnswers, QString());
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QFont> FakeDialogs::Font(QWidget* parent, const QFont&) {
  Asked.push_back({AskedDialog::Kind::Font, {}, {}, {}, Enabled(parent)});
  return Next(FontAnswers, std::optional<QFont>());
}

std::optional<double> FakeDialogs::FrameRate(TFormFrame& form) {
  Asked.push_back({AskedDialog::Kind::FrameRate, {}, {}, {}, Enabled(MainWindow), form.isEnabled()});
  return Next(FrameRateAnswers, std::optional<double>());
}

void FakeDialogs::ShowModal(QDialog& window) {
  Asked.push_back(
      {AskedDialog::Kind::Modal, window.objectName(), {}, {}, Enabled(MainWindow), window.isEnabled()});
  if (!ModalActions.empty()) {
    const auto action = ModalActions.front();
    ModalActions.pop_front();
    action(window);
  }
}

UnsavedChangesAnswer FakeDialogs::UnsavedChanges(QWidget* parent, const UnsavedChangesQuestion& question) {
  Asked.push_back(
      {AskedDialog::Kind::UnsavedChanges, question.Text, MessageIcon::Warning, {}, Enabled(parent)});
  UnsavedQuestions.push_back(question);
  return Next(UnsavedAnswers, UnsavedChangesAnswer::Cancel);
}

std::optional<QString> FakeDialogs::TextInput(QWidget* parent, const QString&, const QString& label,
                                              const QString&) {
  Asked.push_back({AskedDialog::Kind::TextInput, label, {}, {}, Enabled(parent)});
  const QString answer = Next(TextAnswers, QString());
  if (answer.isNull()) return std::nullopt;
  return answer;
}

QStringList FakeDialogs::OpenFileNames(QWidget* parent, const FileDialogRequest& request) {
  Asked.push_back({AskedDialog::Kind::Open, request.Title, {}, {}, Enabled(parent)});
  OpenRequests.push_back(request);
  OpenNamesRequests.push_back(request);
  return Next(OpenNamesAnswers, QStringList());
}

Editor::Editor(StartupOptions options, bool copyLanguage, const std::string& settings,
               const QStringList& shipped) {
  QDir(m_dir.path()).mkpath("Data");
  if (!settings.empty()) Write("Data/settings.ini", settings);
  for (const QString& name : shipped) CopyShipped(name);
  if (copyLanguage) {
    const QString name = QString::fromUtf8("lng_Český.ini");
    QFile::copy(QString(QM_SOURCE_DATA) + "/" + name, m_dir.path() + "/Data/" + name);
  }
  options.ProgramFolder = Folder();
  // Nothing a test does reaches the user's own state folder.
  qputenv("XDG_STATE_HOME", (Folder() + "state").toUtf8());
  if (options.RecentFilesFile.isEmpty()) options.RecentFilesFile = Folder() + "state/quillmark/recent";
  if (!options.ScreenSize) options.ScreenSize = QSize(1024, 768);
  m_form = std::make_unique<TForm1>(Dialogs, options);
  Dialogs.MainWindow = m_form.get();
}

QString Editor::Write(const QString& name, const std::string& bytes) const {
  const QString path = m_dir.path() + "/" + name;
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

void Editor::CopyShipped(const QString& name) const {
  QFile::copy(QString(QM_SOURCE_DATA) + "/" + name, m_dir.path() + "/Data/" + name);
}

QStringList Editor::Row(int gridRow) const {
  QStringList cells;
  SubtitleGridModel& model = m_form->GridModel();
  for (int column = 0; column < kGridColumns; ++column)
    cells << model.data(model.index(gridRow - 1, column)).toString();
  return cells;
}

int Editor::GridRows() const { return m_form->GridModel().GridRowCount(); }

std::string SubRipFile(int count, const std::string& text) {
  std::string file;
  for (int i = 1; i <= count; ++i) {
    const int start = i * 2;
    auto clock = [](int seconds, const char* millis) {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d,%s", seconds / 3600, seconds / 60 % 60,
                    seconds % 60, millis);
      return std::string(buffer);
    };
    file += std::to_string(i) + "\r\n" + clock(start, "250") + " --> " + clock(start + 1, "500") + "\r\n" +
            text + " " + std::to_string(i) + "\r\n\r\n";
  }
  return file;
}

std::string MicroDvdFile(int count) {
  std::string file;
  for (int i = 1; i <= count; ++i)
    file += "{" + std::to_string(i * 100) + "}{" + std::to_string(i * 100 + 50) + "}Frame " +
            std::to_string(i) + "|second line\r\n";
  return file;
}

QString TestFilm(const QString& kind) {
  static QTemporaryDir folder;
  static QMap<QString, QString> made;
  if (made.contains(kind)) return made[kind];
  QString& path = made[kind];
  if (QStandardPaths::findExecutable("gst-launch-1.0").isEmpty()) return path;
  const QString extension = kind == "clip" ? ".webm" : kind == "sound" ? ".ogg" : ".avi";
  const QString file = folder.path() + "/" + kind + extension;
  QProcess script;
  script.start("bash", {QM_MEDIA_SCRIPT, kind, file});
  if (script.waitForFinished(60000) && script.exitCode() == 0 && QFileInfo(file).size() > 0) path = file;
  return path;
}

bool DropFiles(QWidget* target, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  const QPointF at(5, 5);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

TForm1& Shown(Editor& editor, QWidget* page) {
  TForm1& form = editor.Form();
  form.show();
  if (page) form.PageControl->setCurrentWidget(page);
  if (!QTest::qWaitForWindowExposed(&form)) qWarning("editor window not exposed");
  return form;
}

void OpenWithButton(Editor& editor, const QString& path) {
  editor.Dialogs.OpenAnswers.push_back(path);
  QTest::mouseClick(editor.Form().ButtonNacist, Qt::LeftButton);
}

void Retype(QWidget* field, const QString& keys) {
  field->setFocus();
  // Selected as after a triple click; a focused combo box passes the keys to its line edit.
  if (auto* line = qobject_cast<QLineEdit*>(field))
    line->selectAll();
  else if (auto* box = qobject_cast<QComboBox*>(field))
    box->lineEdit()->selectAll();
  else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
    spin->selectAll();
  if (keys.isEmpty())
    QTest::keyClick(field, Qt::Key_Backspace);
  else
    QTest::keyClicks(field, keys);
}

void TypeText(QWidget* field, const QString& text) {
  field->setFocus();
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void TypeMemo(TForm1& form, const QStringList& lines) {
  form.MemoAktual->clear();
  form.MemoAktual->setFocus();
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(form.MemoAktual, Qt::Key_Return);
    QTest::keyClicks(form.MemoAktual, lines[i]);
  }
}

}  // namespace qm::test
