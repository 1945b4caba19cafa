// Undo and redo of the document's changes, over the core's history of document states.
// Every editor-page operation and every whole-document tool is one step; opening a file
// starts a new history. Typing inside a text field keeps that field's own undo.

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/quillmark_unit.h"
#include "ui/subtitle_grid.h"

namespace qm {
namespace {

enum class HistoryKey { None, Undo, Redo };

HistoryKey HistoryKeyOf(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  if (key.key() == Qt::Key_Z && mods == Qt::ControlModifier) return HistoryKey::Undo;
  if (key.key() == Qt::Key_Y && mods == Qt::ControlModifier) return HistoryKey::Redo;
  if (key.key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) return HistoryKey::Redo;
  return HistoryKey::None;
}

// A field the user types into undoes its own typing.
bool HasOwnUndo(const QWidget* widget) {
  if (const auto* line = qobject_cast<const QLineEdit*>(widget)) return !line->isReadOnly();
  if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) return !memo->isReadOnly();
  return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

}  // namespace

void TForm1::BeginWholeDocumentChange() {
  m_history->BeforeWholeChange();
  // A window that changes the document and does not finish the step itself has it finished
  // once the events run again outside a busy window, so that the title shows the change.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (m_busyDepth == 0) m_history->Complete();
      },
      Qt::QueuedConnection);
}

bool TForm1::UndoKeyDown(const QKeyEvent& key) {
  const HistoryKey which = HistoryKeyOf(key);
  if (which == HistoryKey::None || HasOwnUndo(QApplication::focusWidget())) return false;
  Guarded([this, which] { which == HistoryKey::Undo ? UndoClick() : RedoClick(); });
  return true;
}

void TForm1::UndoClick() {
  if (!m_history->CanUndo()) return;
  const int32_t oldCount = m_document.SubtitleCount;
  const uint8_t oldMode = m_document.TimeMode;
  AfterHistoryStep(oldCount, oldMode, m_history->Undo());
}

void TForm1::RedoClick() {
  if (!m_history->CanRedo()) return;
  const int32_t oldCount = m_document.SubtitleCount;
  const uint8_t oldMode = m_document.TimeMode;
  AfterHistoryStep(oldCount, oldMode, m_history->Redo());
}

void TForm1::AfterHistoryStep(int32_t oldCount, uint8_t oldTimeMode, int32_t changedAt) {
  const int32_t count = m_document.SubtitleCount;
  {
    BusyWindow busy(*this);
    WithoutGridClicks([&] {
      if (m_document.TimeMode != oldTimeMode) {
        ComboBoxSubPreview->setCurrentIndex(m_document.TimeMode);
        AdaptShiftControls(m_document.TimeMode);
      }
      FillGrid();
      if (oldCount > count) ClearGridRows(count + 1, oldCount);
      m_gridModel->SetGridRowCount(count + 1);
      UpdateMaxLines();
    });
  }
  const bool any = count > 0;
  ButtonZmenit->setEnabled(any);
  ButtonOdebrat->setEnabled(any);
  ButtonProvest->setEnabled(any);
  SetNewSubtitleFlag(true);
  SetCurrentRow(std::clamp(changedAt, 1, std::max(count, 1)));
}

}  // namespace qm
