#pragma once
// The batch window: output format, frame rate, destination folder and naming options, and
// the report of a run.

#include <QDialog>

namespace qm {

class TForm1;

class TFormKonverze final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormKonverze(TForm1& mainWindow);

 private:
  TForm1& m_mainWindow;
};

}  // namespace qm
