#pragma once
// The find window: searches the subtitle texts up or down from the grid's current row and
// opens each hit in the editor.

#include <QDialog>

namespace qm {

class TForm1;

class TFormFind final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormFind(TForm1& mainWindow);

 private:
  TForm1& m_mainWindow;
};

}  // namespace qm
