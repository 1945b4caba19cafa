#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/frame_form.h"

namespace qm {
MessageAnswer QtDialogs::Message(QWidget* parent, const QString& text, MessageIcon icon,
                                 MessageButtons buttons) {
  static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Critical, QMessageBox::Information,
                                                 QMessageBox::Warning};
  QMessageBox box(kIcons[static_cast<int>(icon)], QApplication::applicationName(), text,
                  buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  parent);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
}

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const FileDialogRequest& request) {
  const QString name = QFileDialog::getOpenFileName(parent, request.Title, request.Folder, request.Filter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

QStringList QtDialogs::OpenFileNames(QWidget* parent, const FileDialogRequest& request) {
  return QFileDialog::getOpenFileNames(parent, request.Title, request.Folder, request.Filter);
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
  // The overwrite question is the dialog's own; the chosen name is used exactly as typed.
  QFileDialog dialog(parent, request.Title, request.Folder, request.Filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString());
  if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QFont> QtDialogs::Font(QWidget* parent, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<double> QtDialogs::FrameRate(TFormFrame& form) {
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.ChosenRate();
}

void QtDialogs::ShowModal(QDialog& window) { window.exec(); }

UnsavedChangesAnswer QtDialogs::UnsavedChanges(QWidget* parent, const UnsavedChangesQuestion& question) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), question.Text,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setObjectName("QuestionUlozitZmeny");
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  // Qt's own captions would stay English without its translations installed.
  box.button(QMessageBox::Save)->setText(question.Save);
  box.button(QMessageBox::Discard)->setText(question.Discard);
  box.button(QMessageBox::Cancel)->setText(question.Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return UnsavedChangesAnswer::Save;
    case QMessageBox::Discard:
      return UnsavedChangesAnswer::Discard;
    default:
      return UnsavedChangesAnswer::Cancel;
  }
}

std::optional<QString> QtDialogs::TextInput(QWidget* parent, const QString& title, const QString& label,
                                            const QString& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

}  // namespace qm
