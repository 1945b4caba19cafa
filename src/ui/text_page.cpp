// The text tools page: replace and clean-up, blank subtitles, accents and line wrapping. The
// handlers read their fields, call the core's text tools and refill the grid.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "document/text_tools.h"
#include "document/timing_tools.h"
#include "platform/numbers.h"
#include "ui/number_filters.h"
#include "ui/quillmark_unit.h"
#include "ui/subtitle_grid.h"

namespace qm {
namespace {

constexpr const char* kDefaultMaxChars = "55";

}  // namespace

void TForm1::ConnectTextPage() {
  const auto guarded = [this](void (TForm1::*handler)()) {
    return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
  };
  connect(ButtonProvest, &QPushButton::clicked, this, guarded(&TForm1::ButtonProvestClick));
  connect(ButtonDeleteEmpty, &QPushButton::clicked, this, guarded(&TForm1::ButtonDeleteEmptyClick));
  connect(ButtonKonvertToCestina, &QPushButton::clicked, this, guarded(&TForm1::ButtonKonvertToCestinaClick));
  connect(ButtonZalomeniRadek, &QPushButton::clicked, this, guarded(&TForm1::ButtonZalomeniRadekClick));
  FilterTypedKeys(*EditMaxCharsOnLine, TypedKeys::Digits);  // EditMaxCharsOnLineKeyPress
  OnKeyRelease(*EditMaxCharsOnLine, [this] { EditMaxCharsOnLineKeyUp(); });
}

void TForm1::ButtonProvestClick() {
  BusyWindow busy(*this);
  const QModelIndex current = Titulky->currentIndex();
  const int row = current.isValid() ? current.row() + 1 : 1;  // grid row, as the grid counts
  TextChanges changes;
  changes.Find = ToUtf8(EditString1->text());
  changes.Replacement = ToUtf8(EditString2->text());
  changes.TrimEnds = CheckBoxDeleteLastEmptyChars->isChecked();
  changes.RepairHiding = CheckBoxRepairHiding->isChecked();
  RunWholeDocumentTool([&] { ApplyTextChanges(m_document, changes); });
  UpdateMaxLines();
  EditPosuv->setText(FromUtf8(kZeroShiftSeconds));
  SpinEditPosuv->setValue(0);
  if (row < m_gridModel->GridRowCount()) Titulky->setCurrentIndex(m_gridModel->index(row - 1, 0));
  SetNewSubtitleFlag(true);
  if (m_document.SubtitleCount <= 0) ButtonProvest->setEnabled(false);
}

void TForm1::ButtonDeleteEmptyClick() {
  RunWholeDocumentTool([this] {
    const SubtitleCountChange change = DeleteBlankSubtitles(m_document);
    ClearGridRows(change.After + 1, change.Before);
  });
}

void TForm1::ButtonKonvertToCestinaClick() {
  // CheckBoxKonvertOnlyBadAccents is not consulted: the same eight letters always change.
  RunWholeDocumentTool([this] { RemoveAccentsFromAll(m_document); });
}

void TForm1::ButtonZalomeniRadekClick() {
  const auto maxChars = [this] { return StrToInt(ToUtf8(EditMaxCharsOnLine->text())); };
  // A pasted non-number or a width below 1 fails before anything changes.
  if (m_document.SubtitleCount > 0) WrapSubtitleLines({}, maxChars());
  RunWholeDocumentTool([&] {
    for (int32_t i = 1; i <= m_document.SubtitleCount; ++i) {
      SubtitleText& text = m_document.SubtitleTable[i].Text;
      text = WrapSubtitleLines(text, maxChars());  // the field is read anew for each subtitle
    }
  });
}

void TForm1::EditMaxCharsOnLineKeyUp() {
  if (EditMaxCharsOnLine->text().isEmpty()) EditMaxCharsOnLine->setText(kDefaultMaxChars);
}

}  // namespace qm
