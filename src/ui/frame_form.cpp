#include "ui/frame_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "document/subtitles_tool.h"
#include "platform/errors.h"
#include "platform/numbers.h"
#include "ui/dialogs.h"
#include "ui/number_filters.h"
#include "ui/text_bridge.h"
#include "ui/window_placement.h"

namespace qm {

TFormFrame::TFormFrame(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dialogs(dialogs) {
  setObjectName("TFormFrame");
  setWindowTitle("Frames");
  setModal(true);

  LabelFrameRate = new QLabel("FrameRate:", this);
  LabelFrameRate->setObjectName("LabelFrameRate");
  ComboBoxFrameRate = new QComboBox(this);
  ComboBoxFrameRate->setObjectName("ComboBoxFrameRate");
  SetUpRateBox(*ComboBoxFrameRate);
  FilterTypedKeys(*ComboBoxFrameRate, TypedKeys::Decimal);  // ComboBoxFrameRateKeyPress
  ButtonFrameRateApply = new QPushButton("OK", this);
  ButtonFrameRateApply->setObjectName("ButtonFrameRateApply");
  ButtonFrameRateApply->setDefault(true);
  ButtonFPSFromAvi = new QPushButton("FPS from movie", this);
  ButtonFPSFromAvi->setObjectName("ButtonFPSFromAvi");
  ButtonFPSFromAvi->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(LabelFrameRate, 0, 0);
  layout->addWidget(ComboBoxFrameRate, 0, 1);
  layout->addWidget(ButtonFrameRateApply, 0, 2);
  layout->addWidget(ButtonFPSFromAvi, 1, 0, 1, 3);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ComboBoxFrameRate, &QComboBox::editTextChanged, this, &TFormFrame::ComboBoxFrameRateChange);
  connect(ButtonFrameRateApply, &QPushButton::clicked, this, &TFormFrame::ButtonFrameRateApplyClick);
}

void TFormFrame::ComboBoxFrameRateChange() {
  if (auto repair = RepairDecimalText(ComboBoxFrameRate->currentText(), "0"))
    ApplyRepair(*ComboBoxFrameRate->lineEdit(), *repair);
}

void TFormFrame::ButtonFrameRateApplyClick() {
  // A rate of zero would divide every frame number by zero later on; the window stays open
  // until the rate can convert.
  try {
    const double rate = StrToFloat(ToUtf8(ComboBoxFrameRate->currentText()));
    CheckFrameRate(rate);
    m_chosenRate = rate;
    accept();
  } catch (const QuillmarkError& error) {
    m_dialogs.Message(this, FromUtf8(error.what()), MessageIcon::Error, MessageButtons::Ok);
  }
}

void TFormFrame::ProposeRate(double rate) { ComboBoxFrameRate->setEditText(FromUtf8(FloatToText(rate))); }

void TFormFrame::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

}  // namespace qm
