// The time tools page: shift, speed change and show/hide times from each other. The handlers
// read their fields, call the core's timing tools and refill the grid.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "document/timing_tools.h"
#include "platform/numbers.h"
#include "ui/number_filters.h"
#include "ui/quillmark_unit.h"
#include "ui/spin_button.h"

namespace qm {
namespace {

constexpr int kShiftSecondsTyped = 7;
constexpr int kTimeScaleTyped = 20;

double FieldNumber(const QLineEdit& field) { return StrToFloat(ToUtf8(field.text())); }
double FieldNumber(const QComboBox& box) { return StrToFloat(ToUtf8(box.currentText())); }

const std::string& TextOfKey(const DynamicTexts& texts, std::string_view key) {
  for (const DynamicTextKey& entry : kDynamicTextKeys)
    if (key == entry.Key) return texts.*entry.Member;
  static const std::string missing(kLanguageError);
  return missing;
}

}  // namespace

void TForm1::ConnectTimePage() {
  const auto guarded = [this](void (TForm1::*handler)()) {
    return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
  };
  connect(ButtonPosuvCasu, &QPushButton::clicked, this, guarded(&TForm1::ButtonPosuvCasuClick));
  FilterTypedKeys(*EditPosuv, TypedKeys::Decimal, kShiftSecondsTyped);  // EditPosuvKeyPress
  connect(EditPosuv, &QLineEdit::textChanged, this, &TForm1::EditPosuvChange);
  connect(SpinButtonPosuv->Up, &QToolButton::clicked, this,
          [this] { Guarded([this] { SpinButtonPosuvClick(true); }); });
  connect(SpinButtonPosuv->Down, &QToolButton::clicked, this,
          [this] { Guarded([this] { SpinButtonPosuvClick(false); }); });
  connect(CheckBoxPosuvOdDo, &QCheckBox::toggled, this, &TForm1::CheckBoxPosuvOdDoClick);
  for (QLineEdit* field : {EditPosuvOd, EditPosuvDo}) {
    FilterTypedKeys(*field, TypedKeys::Digits);  // EditPosuvOdDoKeyPress
    connect(field, &QLineEdit::textChanged, this,
            [this, field] { Guarded([this, field] { EditPosuvOdDoChange(*field); }); });
  }

  for (QComboBox* box : {ComboBoxSnimky1, ComboBoxSnimky2}) {
    FilterTypedKeys(*box, TypedKeys::Decimal);  // ComboBoxSnimkyKeyPress
    connect(box, &QComboBox::editTextChanged, this,
            [this, box] { Guarded([this, box] { ComboBoxSnimkyChange(*box); }); });
  }
  FilterTypedKeys(*EditTimeScale, TypedKeys::Decimal, kTimeScaleTyped);  // EditTimeScaleKeyPress
  connect(EditTimeScale, &QLineEdit::textChanged, this, guarded(&TForm1::EditTimeScaleChange));
  connect(ButtonZmenaRychlosti, &QPushButton::clicked, this, guarded(&TForm1::ButtonZmenaRychlostiClick));
  connect(ButtonSchovDleZobraz, &QPushButton::clicked, this, guarded(&TForm1::ButtonSchovDleZobrazClick));
  connect(ButtonZobrazDleSchov, &QPushButton::clicked, this, guarded(&TForm1::ButtonZobrazDleSchovClick));
}

void TForm1::RunWholeDocumentTool(const std::function<void()>& change) {
  BusyWindow busy(*this);
  BeginWholeDocumentChange();
  try {
    change();
  } catch (...) {
    // What the tool changed before it failed stays changed: the grid shows that, not the old rows.
    m_history->Complete();
    try {
      FillGrid();
    } catch (const std::exception&) {
      // The failure being reported is the tool's.
    }
    throw;
  }
  m_history->Complete();  // the step is recorded now, so the title shows the change at once
  FillGrid();
}

// --- Time shift -------------------------------------------------------------------------

void TForm1::ButtonPosuvCasuClick() {
  BusyWindow busy(*this);
  std::optional<SubtitleRange> range;
  if (CheckBoxPosuvOdDo->isChecked())
    range = SubtitleRange{StrToInt(ToUtf8(EditPosuvOd->text())), StrToInt(ToUtf8(EditPosuvDo->text()))};
  TimeShift shift;
  shift.Frames = TryStrToInt(ToUtf8(SpinEditPosuv->cleanText())).value_or(0);
  shift.Seconds = FieldNumber(*EditPosuv);  // read in both views, as the shift always has
  shift.Show = CheckBoxShow->isChecked();
  shift.Hide = CheckBoxHide->isChecked();
  RunWholeDocumentTool([&] { ShiftSubtitles(m_document, shift, range); });
}

void TForm1::EditPosuvChange() {
  if (auto repair = RepairDecimalText(EditPosuv->text(), FromUtf8(kZeroShiftSeconds)))
    ApplyRepair(*EditPosuv, *repair);
}

void TForm1::SpinButtonPosuvClick(bool up) {
  EditPosuv->setText(FromUtf8(StepShiftSeconds(ToUtf8(EditPosuv->text()), up)));
}

void TForm1::CheckBoxPosuvOdDoClick() {
  const bool checked = CheckBoxPosuvOdDo->isChecked();
  EditPosuvOd->setText(checked ? QString("1") : QString("Min"));
  EditPosuvDo->setText(checked ? FromUtf8(ShiftRangeLastDefault(m_document.SubtitleCount)) : QString("Max"));
  // The fields start disabled with the box unchecked, so following the box inverts them.
  EditPosuvOd->setEnabled(checked);
  EditPosuvDo->setEnabled(checked);
}

void TForm1::EditPosuvOdDoChange(QLineEdit& field) {
  if (field.text().isEmpty()) {
    EditPosuvOd->setText("1");
    EditPosuvDo->setText(QString::number(m_document.SubtitleCount));
    field.selectAll();
    return;  // each field was checked as it was written
  }
  const auto corrected =
      CorrectShiftRangeField(ToUtf8(field.text()), &field == EditPosuvOd, m_document.SubtitleCount);
  if (corrected && CheckBoxPosuvOdDo->isChecked()) field.setText(FromUtf8(*corrected));
}

void TForm1::AdaptShiftControls(uint8_t mode) {
  const bool frames = mode == kModeFrames;
  LabelVyberPosuvu->setText(
      FromUtf8(frames ? m_texts.LabelVyberPosuvuZkratkaSnimky : m_texts.LabelVyberPosuvuZkratkaSekundy));
  SpinEditPosuv->setVisible(frames);
  EditPosuv->setVisible(!frames);
  SpinButtonPosuv->setVisible(!frames);
  PanelSubFormat1->setVisible(!frames);
  PanelSubFormat0->setVisible(frames);
  // The shift value keeps its length in time when its unit changes.
  const double rate = m_document.FrameRate;
  if (frames)
    SpinEditPosuv->setValue(ShiftSecondsToFrames(FieldNumber(*EditPosuv), rate));
  else
    EditPosuv->setText(FromUtf8(ShiftFramesToSecondsText(SpinEditPosuv->value(), rate)));
}

// --- Speed change -----------------------------------------------------------------------

void TForm1::ComboBoxSnimkyChange(QComboBox& box) {
  if (auto repair = RepairDecimalText(box.currentText(), "1")) {
    ApplyRepair(*box.lineEdit(), *repair);
    return;  // the repaired text is a change of its own, which sets the scale
  }
  EditTimeScale->setText(
      FromUtf8(TimeScaleText(FieldNumber(*ComboBoxSnimky1), FieldNumber(*ComboBoxSnimky2))));
}

void TForm1::EditTimeScaleChange() {
  if (auto repair = RepairDecimalText(EditTimeScale->text(), "1")) {
    ApplyRepair(*EditTimeScale, *repair);
    return;
  }
  m_timeScale = FieldNumber(*EditTimeScale);
  const QString text = FromUtf8(TextOfKey(m_texts, SpeedChangeTextKey(m_timeScale)));
  LabelZmenaRychlosti->setText(text);
  SetHint(*EditTimeScale, text);
}

void TForm1::ButtonZmenaRychlostiClick() {
  RunWholeDocumentTool([this] { ChangeSubtitleSpeed(m_document, m_timeScale); });
}

void TForm1::ButtonSchovDleZobrazClick() {
  RunWholeDocumentTool([this] { HideTimesFromShowTimes(m_document); });
}

void TForm1::ButtonZobrazDleSchovClick() {
  RunWholeDocumentTool([this] { ShowTimesFromHideTimes(m_document); });
}

}  // namespace qm
