#pragma once
// The dialogs of a benchmark run: nothing may wait for a person, so every question is
// answered No or Cancel (and printed) and every dialog is cancelled.

#include <QString>
#include <QStringList>
#include <cstdio>

#include "ui/dialogs.h"

class SilentDialogs final : public qm::Dialogs {
 public:
  qm::MessageAnswer Message(QWidget*, const QString& text, qm::MessageIcon, qm::MessageButtons) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    ++Messages;
    return qm::MessageAnswer::No;
  }
  std::optional<QString> OpenFileName(QWidget*, const qm::FileDialogRequest&) override { return {}; }
  QStringList OpenFileNames(QWidget*, const qm::FileDialogRequest&) override { return {}; }
  std::optional<QString> SaveFileName(QWidget*, const qm::FileDialogRequest&) override { return {}; }
  std::optional<QFont> Font(QWidget*, const QFont&) override { return {}; }
  std::optional<double> FrameRate(qm::TFormFrame&) override { return {}; }
  void ShowModal(QDialog&) override {}
  qm::UnsavedChangesAnswer UnsavedChanges(QWidget*, const qm::UnsavedChangesQuestion& question) override {
    std::fprintf(stderr, "unsaved changes: %s\n", qPrintable(question.Text));
    ++Messages;
    return qm::UnsavedChangesAnswer::Cancel;
  }
  std::optional<QString> TextInput(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  int Messages = 0;
};
