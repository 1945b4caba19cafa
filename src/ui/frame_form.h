#pragma once
// The frame-rate window: asks for the frames per second through which frame numbers and
// clock times of the open document are derived from each other.

#include <QDialog>
#include <functional>
#include <optional>

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
  // "FPS from movie": the rate of the open film, or of one the user picks; nullopt when there
  // is none (the source has told the user why).
  using MovieRate = std::function<std::optional<double>(QWidget& asking)>;
  void SetMovieRate(MovieRate source) { m_movieRate = std::move(source); }
  void ButtonFPSFromAviClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Dialogs& m_dialogs;
  double m_chosenRate = 23.976;
  MovieRate m_movieRate;
};

}  // namespace qm
