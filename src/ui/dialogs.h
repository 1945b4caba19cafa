#pragma once
// Every modal thing the editor asks the user goes through this one interface, so that
// tests can answer from a script and no test ever waits on a window. Only dialogs.cpp
// shows real Qt dialogs.

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace qm {

class TFormFrame;

enum class MessageIcon { Error, Information, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The three-way question before changes that are not saved are set aside; the captions of
// its standard Save, Discard and Cancel buttons come from the language file.
struct UnsavedChangesQuestion {
  QString Text, Save, Discard, Cancel;
};
enum class UnsavedChangesAnswer { Save, Discard, Cancel };

struct FileDialogRequest {
  QString Title;
  QString Folder;    // initial folder; empty for the default
  QString FileName;  // a name proposed in that folder (save dialog); empty for none
  QString Filter;    // Qt form: "Name (*.a *.b);;Other (*)"
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MessageAnswer Message(QWidget* parent, const QString& text, MessageIcon icon,
                                MessageButtons buttons) = 0;
  virtual std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  // Several files at once, in the dialog's order; empty when cancelled.
  virtual QStringList OpenFileNames(QWidget* parent, const FileDialogRequest& request) = 0;
  // Asks before an existing file is overwritten; no extension is added.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QFont> Font(QWidget* parent, const QFont& initial) = 0;
  // Shows the frame-rate window modally; the rate when it was closed with OK.
  virtual std::optional<double> FrameRate(TFormFrame& form) = 0;
  // Any other window that is shown modally (the About, batch and folder windows).
  virtual void ShowModal(QDialog& window) = 0;
  virtual UnsavedChangesAnswer UnsavedChanges(QWidget* parent, const UnsavedChangesQuestion& question) = 0;
  // One line of text asked for, starting from `initial`; nullopt when cancelled.
  virtual std::optional<QString> TextInput(QWidget* parent, const QString& title, const QString& label,
                                           const QString& initial) = 0;
};

class QtDialogs final : public Dialogs {
 public:
  MessageAnswer Message(QWidget* parent, const QString& text, MessageIcon icon,
                        MessageButtons buttons) override;
  std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  QStringList OpenFileNames(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QFont> Font(QWidget* parent, const QFont& initial) override;
  std::optional<double> FrameRate(TFormFrame& form) override;
  void ShowModal(QDialog& window) override;
  UnsavedChangesAnswer UnsavedChanges(QWidget* parent, const UnsavedChangesQuestion& question) override;
  std::optional<QString> TextInput(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial) override;
};

}  // namespace qm
