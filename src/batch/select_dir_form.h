#pragma once
// The folder picker of the batch window: a list of roots linked to a folder tree.

#include <QDialog>

namespace qm {

class TForm1;

class TFormSelectDir final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSelectDir(TForm1& mainWindow);

 private:
  TForm1& m_mainWindow;
};

}  // namespace qm
