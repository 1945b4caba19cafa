#pragma once
// What every GUI test needs: dialogs that answer from a script and record what was asked,
// and an editor started in a fresh temporary program folder with its own Data folder.

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"

namespace qm::test {

struct AskedDialog {
  enum class Kind { Message, Open, Save, Font, FrameRate, Modal } What;
  QString Text;  // message text or dialog title; the window's object name for Modal
  MessageIcon Icon = MessageIcon::Error;
  MessageButtons Buttons = MessageButtons::Ok;
  bool ParentEnabled = true;  // whether the main window took input while it was asked
  bool DialogEnabled = true;  // whether the window shown could take input
};

class FakeDialogs final : public Dialogs {
 public:
  // Scripted answers, used in order. An empty script answers No / Cancel / closed.
  std::deque<MessageAnswer> MessageAnswers;
  std::deque<QString> OpenAnswers;  // an empty name cancels
  std::deque<QString> SaveAnswers;
  std::deque<std::optional<double>> FrameRateAnswers;
  std::deque<std::optional<QFont>> FontAnswers;  // empty: the font dialog is cancelled

  QWidget* MainWindow = nullptr;  // whose enabled state each question records
  std::vector<AskedDialog> Asked;
  int Count(AskedDialog::Kind kind) const;
  const AskedDialog* Last(AskedDialog::Kind kind) const;

  MessageAnswer Message(QWidget* parent, const QString& text, MessageIcon icon,
                        MessageButtons buttons) override;
  std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QFont> Font(QWidget* parent, const QFont& initial) override;
  std::optional<double> FrameRate(TFormFrame& form) override;
  void ShowModal(QDialog& window) override;
};

// An editor in a temporary program folder holding a copy of the shipped Data folder.
class Editor {
 public:
  explicit Editor(StartupOptions options = {}, bool copyLanguage = true);
  TForm1& Form() { return *m_form; }
  SubtitleDocument& Doc() { return m_form->Document(); }
  FakeDialogs Dialogs;
  // A file in the temporary folder with exactly these bytes; returns its path.
  QString Write(const QString& name, const std::string& bytes) const;
  QString Folder() const { return m_dir.path() + "/"; }
  // The four cells of a grid row as shown (decoded).
  QStringList Row(int gridRow) const;
  int GridRows() const;  // the product's row count: header + data rows

 private:
  QTemporaryDir m_dir;
  std::unique_ptr<TForm1> m_form;
};

// Subtitle files built in code, Windows-1250 text.
std::string SubRipFile(int count, const std::string& text = "Line");
std::string MicroDvdFile(int count);

// Synthesises a drop of these paths onto a widget's viewport; returns whether it was taken.
bool DropFiles(QWidget* target, const QStringList& paths);

}  // namespace qm::test
