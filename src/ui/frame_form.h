#pragma once
// The frame-rate window: asks for the frames per second through which frame numbers and
// clock times of the open document are derived from each other.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace qm {

class Dialogs;

class TFormFrame final : public QDialog {
  Q_OBJECT

 public:
  TFormFrame(Dialogs& dialogs, QWidget* parent);
  // The rate of the last close through OK.
  double ChosenRate() const { return m_chosenRate; }
  // The rate the window offers when it opens next, such as the one a file gives of itself.
  void ProposeRate(double rate);

  QLabel* LabelFrameRate;
  QComboBox* ComboBoxFrameRate;
  QPushButton* ButtonFrameRateApply;
  QPushButton* ButtonFPSFromAvi;

  void ComboBoxFrameRateChange();
  void ButtonFrameRateApplyClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Dialogs& m_dialogs;
  double m_chosenRate = 23.976;
};

}  // namespace qm
