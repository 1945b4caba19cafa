#pragma once
// The find window: searches the subtitle texts up or down from the grid's current row and
// opens each hit in the editor.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qm {

class TForm1;

class TFormFind final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormFind(TForm1& mainWindow);

  // Shown without waiting, beside the main window where the screen has room.
  void ShowBeside(const QWidget& mainWindow);
  void ButtonNajitClick();  // find next
  // Selects the hit of `needle` in the main window's text editor.
  void SelectFoundText(const std::string& needle, std::string_view haystack, bool caseSensitive);

  QLabel* LabelNajitText;
  QLineEdit* EditFindText;
  QPushButton* ButtonNajit;
  QPushButton* ButtonZrusit;
  QGroupBox* RadioGroupSmer;
  QRadioButton* RadioGroupSmerNahoru;  // item 0, up
  QRadioButton* RadioGroupSmerDolu;    // item 1, down
  QCheckBox* CheckBoxCase;

 protected:
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormHide();

  TForm1& m_mainWindow;
};

}  // namespace qm
