#pragma once
// What every GUI test needs: dialogs that answer from a script and record what was asked,
// and an editor started in a fresh temporary program folder with its own Data folder.

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"

namespace qm::test {

struct AskedDialog {
  enum class Kind { Message, Open, Save, Font, FrameRate, Modal, UnsavedChanges, TextInput } What;
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
  std::vector<FileDialogRequest> OpenRequests;  // what each open dialog was asked with
  std::vector<FileDialogRequest> SaveRequests;  // what each save dialog was asked with
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

  // The multi-file open dialog: answers in order (an empty list cancels) and the requests.
  std::deque<QStringList> OpenNamesAnswers;
  std::vector<FileDialogRequest> OpenNamesRequests;
  QStringList OpenFileNames(QWidget* parent, const FileDialogRequest& request) override;
  // What the user does while a modal window is shown, one action per showing, in order.
  std::deque<std::function<void(QDialog&)>> ModalActions;

  // The three-way question: answers in order, Cancel when none is left; the questions asked.
  std::deque<UnsavedChangesAnswer> UnsavedAnswers;
  std::vector<UnsavedChangesQuestion> UnsavedQuestions;
  UnsavedChangesAnswer UnsavedChanges(QWidget* parent, const UnsavedChangesQuestion& question) override;
  // Typed lines: answers in order (a null QString or none left cancels), the labels asked with.
  std::deque<QString> TextAnswers;
  std::optional<QString> TextInput(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial) override;
};

// A settings file of a later run: the About window of the first run stays closed.
inline const std::string kLaterRunSettings = "[SETTINGS]\r\nExec=1\r\n";

// An editor in a temporary program folder holding a copy of the shipped Czech language file,
// the given Data/settings.ini (none when empty) and copies of the other shipped Data files named.
class Editor {
 public:
  explicit Editor(StartupOptions options = {}, bool copyLanguage = true,
                  const std::string& settings = kLaterRunSettings, const QStringList& shipped = {});
  TForm1& Form() { return *m_form; }
  SubtitleDocument& Doc() { return m_form->Document(); }
  FakeDialogs Dialogs;
  // A file in the temporary folder with exactly these bytes; returns its path.
  QString Write(const QString& name, const std::string& bytes) const;
  // Copies a shipped file of Data/ (its UTF-8 name) into the program folder's Data/.
  void CopyShipped(const QString& name) const;
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

// A film made by scripts/make_test_media.sh (clip, mjpeg, nocodec, sound), once per test
// program; empty when GStreamer's tools are not installed or the film could not be made.
QString TestFilm(const QString& kind);

// Synthesises a drop of these paths onto a widget's viewport; returns whether it was taken.
bool DropFiles(QWidget* target, const QStringList& paths);

// What a user does, through the real widgets.
// The window on screen, with `page` in front when one is named.
TForm1& Shown(Editor& editor, QWidget* page = nullptr);
// Opens a file through the open button and its (scripted) dialog.
void OpenWithButton(Editor& editor, const QString& path);
// Replaces a field's whole text by typing (a line edit, an editable combo box or a spin field);
// an empty text leaves the field emptied by Backspace. ASCII only.
void Retype(QWidget* field, const QString& keys);
// Types any text, one character at a time (QTest::keyClicks takes ASCII only).
void TypeText(QWidget* field, const QString& text);
// Types these lines into the subtitle editor, Enter between them.
void TypeMemo(TForm1& form, const QStringList& lines);

}  // namespace qm::test
