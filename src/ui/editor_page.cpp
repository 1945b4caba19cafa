// The editor page: one subtitle loaded from the grid, typed, then added, inserted, changed
// or removed; the grid's clicks and keys that lead there.

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

#include "document/editor_rules.h"
#include "platform/numbers.h"
#include "ui/event_hook.h"
#include "ui/find_form.h"
#include "ui/quillmark_unit.h"
#include "ui/subtitle_grid.h"

namespace qm {
namespace {

constexpr int kMemoMaxLength = 1500;
constexpr int kJumpClearMs = 2500;

// Characters typed into a whole-number field: digits and Backspace pass, other characters
// are dropped; keys without a character (arrows, Delete, shortcuts) are not looked at.
bool RefusesCharacter(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key.text();
  if (text.size() != 1 || !text[0].isPrint()) return false;
  return !(text[0] >= u'0' && text[0] <= u'9');
}

void HookDigitsOnly(QWidget* field) {
  new EventHook(field, [](QEvent& event) {
    return event.type() == QEvent::KeyPress && RefusesCharacter(static_cast<QKeyEvent&>(event));
  });
}

QLineEdit* SpinText(QSpinBox* spin) { return spin->findChild<QLineEdit*>(); }

// The editor panel's timing fields as typed.
EditorTimes ReadEditorTimes(const TForm1& form) {
  const auto text = [](const QLineEdit* field) { return ToUtf8(field->text()); };
  return {form.SpinEditStart->value(), form.SpinEditKonec->value(), text(form.EditHH1), text(form.EditMM1),
          text(form.EditSS1),          text(form.EditSSS1),         text(form.EditHH2), text(form.EditMM2),
          text(form.EditSS2),          text(form.EditSSS2)};
}

// Scope in which a change of the grid's current row does not count as a click.
struct ClickBlock {
  int& depth;
  explicit ClickBlock(int& d) : depth(++d) {}
  ~ClickBlock() { --depth; }
};

}  // namespace

void TForm1::ConnectEditorPage() {
  connect(ButtonPridat, &QPushButton::clicked, this, [this] { Guarded([this] { ButtonPridatClick(); }); });
  connect(ButtonVlozit, &QPushButton::clicked, this, [this] { Guarded([this] { ButtonVlozitClick(); }); });
  connect(ButtonZmenit, &QPushButton::clicked, this, [this] { Guarded([this] { ButtonZmenitClick(); }); });
  connect(ButtonOdebrat, &QPushButton::clicked, this, [this] { Guarded([this] { ButtonOdebratClick(); }); });
  connect(ButtonSmazat, &QPushButton::clicked, this, [this] { Guarded([this] { ButtonSmazatClick(); }); });
  connect(CheckBoxSmazat, &QCheckBox::toggled, ButtonSmazat, &QWidget::setEnabled);
  connect(ButtonClear, &QToolButton::clicked, this, &TForm1::ButtonClearClick);
  connect(ButtonNajit, &QPushButton::clicked, this, &TForm1::ButtonNajitClick);
  connect(ButtonSubPreviewFont, &QToolButton::clicked, this, &TForm1::ButtonSubPreviewFontClick);
  m_fontDialogFont = QFont("MS Sans Serif");
  m_fontDialogFont.setPixelSize(11);

  TimerJumpClear = new QTimer(this);
  TimerJumpClear->setObjectName("TimerJumpClear");
  // Counted from the start, not from the last digit: typing does not restart it.
  connect(TimerJumpClear, &QTimer::timeout, this, [this] { m_jumpDigits.clear(); });
  TimerJumpClear->start(kJumpClearMs);

  ConnectGridEvents();
  ConnectEditorFields();
}

void TForm1::ConnectGridEvents() {
  connect(Titulky->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
    // The user moved; the editor's own operations and loads set the row themselves.
    if (m_gridClickBlock == 0 && m_busyDepth == 0) Guarded([this] { TitulkyClick(); });
  });
  new EventHook(Titulky->viewport(), [this](QEvent& event) {
    if (event.type() == QEvent::MouseButtonPress) m_rowBeforePress = CurrentRow();
    return false;
  });
  // A click on the row that is already current still counts as a click.
  connect(Titulky, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index.row() + 1 == m_rowBeforePress) Guarded([this] { TitulkyClick(); });
  });
  connect(Titulky, &QAbstractItemView::doubleClicked, this,
          [this] { Guarded([this] { TitulkyDblClick(); }); });
  new EventHook(Titulky, [this](QEvent& event) {
    return event.type() == QEvent::KeyPress && TitulkyKeyPress(static_cast<QKeyEvent&>(event));
  });
}

void TForm1::ConnectEditorFields() {
  const struct {
    QLineEdit* field;
    int limit;  // 0: none
  } clockFields[] = {{EditHH1, 23}, {EditMM1, 59}, {EditSS1, 59}, {EditSSS1, 0},
                     {EditHH2, 23}, {EditMM2, 59}, {EditSS2, 59}, {EditSSS2, 0}};
  for (const auto& [field, limit] : clockFields) {
    HookDigitsOnly(field);
    connect(field, &QLineEdit::textChanged, this,
            [this, field, limit] { Guarded([this, field, limit] { EditHH1Change(*field, limit); }); });
  }
  // The time shift's frame field shares these handlers (without the duration).
  for (QSpinBox* spin : {SpinEditStart, SpinEditKonec, SpinEditPosuv}) {
    HookDigitsOnly(spin);
    connect(SpinText(spin), &QLineEdit::textChanged, this, [this, spin] { SpinEditStartChange(*spin); });
  }
  // The arrow keys, the arrow buttons and the wheel step the value without a text change of
  // the field's line edit; every change of the value refreshes the duration as typing does.
  for (QSpinBox* spin : {SpinEditStart, SpinEditKonec})
    connect(spin, &QSpinBox::valueChanged, this, [this] { Guarded([this] { RefreshDuration(); }); });

  connect(MemoAktual, &QPlainTextEdit::textChanged, this, &TForm1::MemoAktualChange);
  new EventHook(MemoAktual, [this](QEvent& event) {
    if (event.type() == QEvent::KeyPress) return MemoAktualKeyDown(static_cast<QKeyEvent&>(event));
    if (event.type() == QEvent::KeyRelease) ShowCaretPosition();
    return false;
  });
  new EventHook(MemoAktual->viewport(), [this](QEvent& event) {
    if (event.type() == QEvent::MouseButtonRelease) ShowCaretPosition();
    return false;
  });
}

// --- Small routines ---------------------------------------------------------------------

void TForm1::SetNewSubtitleFlag(bool isNew) {
  m_newSubtitleFlag = isNew;
  if (isNew) LabelTitleNum->setText(FromUtf8(m_texts.LabelTitleNumNovyTitulek));
}

void TForm1::ShowEditedRow(int row) {
  LabelTitleNum->setText(QString::number(row) + ".");
  SetNewSubtitleFlag(false);
}

void TForm1::UpdateMaxLines() { PanelLinesMax->setText(QString::number(MostLines(m_document))); }

void TForm1::ResetCounters() {
  LabelTitleNum->clear();
  PanelTitulkyMax->setText("0");
  PanelLinesMax->setText("0");
}

int TForm1::CurrentRow() const {
  const QModelIndex current = Titulky->currentIndex();
  return current.isValid() ? current.row() + 1 : 1;
}

void TForm1::SetCurrentRowQuietly(int row) {
  ClickBlock block(m_gridClickBlock);
  row = std::clamp(row, 1, m_gridModel->GridRowCount() - 1);
  const int column = std::max(0, Titulky->currentIndex().column());
  Titulky->setCurrentIndex(m_gridModel->index(row - 1, column));
  Titulky->scrollTo(Titulky->currentIndex());
}

void TForm1::SetCurrentRow(int row) {
  const int before = CurrentRow();
  SetCurrentRowQuietly(row);
  if (CurrentRow() != before) TitulkyClick();
}

void TForm1::WriteGridRow(int row) {
  m_gridModel->SetRowSilently(row, GridCells(m_document.SubtitleTable[row], row, m_document.TimeMode));
  m_gridModel->NotifyRowsChanged(row, row);
}

void TForm1::LoadEditorText(const std::string& text) {
  MemoAktual->setPlainText(FromUtf8(EditorTextOf(text)));
}

bool TForm1::TableFull() {
  if (m_document.SubtitleCount < MaxSubtitles) return false;
  ShowText(m_texts.InformationTableFull, MessageIcon::Information);
  return true;
}

QString TForm1::StatusBarMemoText(int panel) const { return m_statusMemoPanels[panel]->text(); }

void TForm1::RefreshDuration() {
  EditDiference->clear();
  EditDiference->setText(FromUtf8(EditorDurationText(ReadEditorTimes(*this), m_document.TimeMode)));
}

void TForm1::ShowCaretPosition() {
  const QTextCursor caret = MemoAktual->textCursor();
  m_statusMemoPanels[1]->setText(
      QString("%1 : %2").arg(caret.blockNumber() + 1).arg(caret.positionInBlock() + 1));
}

// --- The grid ---------------------------------------------------------------------------

void TForm1::TitulkyClick() {
  if (m_document.SubtitleCount > 0) {
    ButtonZmenit->setEnabled(true);
    ButtonOdebrat->setEnabled(true);
  }
  QString hint = FromUtf8(m_document.SubtitleTable[CurrentRow()].Text);
  hint.replace(u'|', u'\n');  // Qt's line break in a hint; a CR would show one line
  Titulky->setToolTip(hint);
  if (CheckBoxEditByOneClick->isChecked()) TitulkyDblClick();
}

void TForm1::TitulkyDblClick() {
  PageControl->setCurrentWidget(TabSheetEditace);
  const int row = CurrentRow();
  const TSubtitle& r = m_document.SubtitleTable[row];
  LoadEditorText(r.Text);
  SpinEditStart->setValue(r.StartFrame);
  SpinEditKonec->setValue(r.EndFrame);
  const QString clock[] = {QString::number(r.StartHour),   QString::number(r.StartMinute),
                           QString::number(r.StartSecond), FromUtf8(r.StartMs),
                           QString::number(r.EndHour),     QString::number(r.EndMinute),
                           QString::number(r.EndSecond),   FromUtf8(r.EndMs)};
  QLineEdit* fields[] = {EditHH1, EditMM1, EditSS1, EditSSS1, EditHH2, EditMM2, EditSS2, EditSSS2};
  for (int i = 0; i < 8; ++i) fields[i]->setText(clock[i]);
  ShowDuration(r);
  if (m_document.SubtitleCount > 0) MemoAktualChange();
  // A loaded text of k "|" is k + 1 editor lines, an empty text one empty line.
  LabelLines->setText(QString::number(CountLines(r.Text)));
  ShowEditedRow(row);
}

bool TForm1::TitulkyKeyPress(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Delete) {  // TitulkyKeyDown, whatever the modifiers
    if (m_document.SubtitleCount > 0) Guarded([this] { ButtonOdebratClick(); });
    return true;
  }
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
    Guarded([this] { TitulkyDblClick(); });
    return true;
  }
  const QString text = key.text();
  if (text.size() != 1 || !text[0].isPrint() || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
    return false;
  // Typed characters are the product's jump to a number, never the view's own search by text.
  if (!(text[0] >= u'0' && text[0] <= u'9')) return true;
  if (const auto row =
          JumpToNumber(m_jumpDigits, static_cast<char>(text[0].unicode()), m_document.SubtitleCount))
    Guarded([this, row] { SetCurrentRow(*row); });
  return true;
}

// --- Editor fields ------------------------------------------------------------------------

void TForm1::EditHH1Change(QLineEdit& field, int limit) {
  if (field.text().isEmpty()) {
    field.setText("0");
    field.selectAll();
  }
  const int32_t value = StrToInt(ToUtf8(field.text()));
  if (limit > 0 && value > limit) {
    field.setText(QString::number(limit));
    field.selectAll();
  }
  RefreshDuration();
}

void TForm1::SpinEditStartChange(QSpinBox& spin) {
  QLineEdit* text = SpinText(&spin);
  if (text->text().isEmpty()) {
    text->setText("0");
    text->selectAll();
    spin.setValue(0);
  }
  if (&spin != SpinEditPosuv) Guarded([this] { RefreshDuration(); });
}

void TForm1::MemoAktualChange() {
  if (MemoAktual->document()->characterCount() - 1 > kMemoMaxLength) {
    QTextCursor cut = MemoAktual->textCursor();
    cut.setPosition(kMemoMaxLength);
    cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cut.removeSelectedText();  // raises this handler once more, within the limit
    return;
  }
  LabelLines->setText(QString::number(EditorLineCount(ToUtf8(MemoAktual->toPlainText()))));
  SetNewSubtitleFlag(true);
}

bool TForm1::MemoAktualKeyDown(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Insert && key.modifiers() == Qt::NoModifier) {
    m_overwriteMode = !m_overwriteMode;
    // The editor's own overwrite replaces the character after the caret, never a line break.
    MemoAktual->setOverwriteMode(m_overwriteMode);
  }
  m_statusMemoPanels[2]->setText(
      FromUtf8(m_overwriteMode ? m_texts.StatusBarMemoPrepisovani : m_texts.StatusBarMemoVkladani));
  return false;
}

void TForm1::ButtonClearClick() {
  MemoAktual->clear();
  LabelLines->clear();
  SetNewSubtitleFlag(true);
}

// --- Add, insert, change, remove, delete all ---------------------------------------------

void TForm1::ButtonPridatClick() {
  if (TableFull()) return;
  const int32_t n = m_document.SubtitleCount + 1;
  TSubtitle record =
      EditorRecord(m_document, n, SubtitleTextOf(ToUtf8(MemoAktual->toPlainText())), ReadEditorTimes(*this));
  m_history->BeforeChange(n, 0);
  m_document.SubtitleTable[n] = std::move(record);
  m_document.SubtitleCount = n;
  m_history->Complete();
  {
    ClickBlock block(m_gridClickBlock);
    m_gridModel->SetGridRowCount(n + 1);
  }
  WriteGridRow(n);
  SetCurrentRowQuietly(n);
  PanelTitulkyMax->setText(QString::number(n));
  UpdateMaxLines();
  ButtonProvest->setEnabled(true);
  ShowEditedRow(n);
  TitulkyClick();
}

void TForm1::ButtonVlozitClick() {
  if (TableFull()) return;
  const int32_t r = CurrentRow();
  TSubtitle record =
      EditorRecord(m_document, r, SubtitleTextOf(ToUtf8(MemoAktual->toPlainText())), ReadEditorTimes(*this));
  ResetCounters();
  m_history->BeforeChange(r, 0);
  const int32_t n = ++m_document.SubtitleCount;
  for (int32_t k = n - 1; k >= r; --k)
    m_document.SubtitleTable[k + 1] = std::move(m_document.SubtitleTable[k]);
  m_document.SubtitleTable[r] = std::move(record);
  m_history->Complete();
  {
    ClickBlock block(m_gridClickBlock);
    FillGrid();
  }
  UpdateMaxLines();
  SetCurrentRow(r);
  ShowEditedRow(r);
}

void TForm1::ButtonZmenitClick() {
  const int32_t r = CurrentRow();
  if (r > m_document.SubtitleCount) return;  // nothing stored there to change
  TSubtitle record =
      EditorRecord(m_document, r, SubtitleTextOf(ToUtf8(MemoAktual->toPlainText())), ReadEditorTimes(*this));
  m_history->BeforeChange(r, 1);
  m_document.SubtitleTable[r] = std::move(record);
  m_history->Complete();
  WriteGridRow(r);
  SetCurrentRow(r);
  UpdateMaxLines();
  ShowEditedRow(r);
}

void TForm1::ButtonOdebratClick() {
  BusyWindow busy(*this);
  const int32_t r = CurrentRow();
  if (r > m_document.SubtitleCount) return;
  ResetCounters();
  m_history->BeforeChange(r, 1);
  const int32_t n = --m_document.SubtitleCount;
  for (int32_t i = r; i <= n; ++i) m_document.SubtitleTable[i] = std::move(m_document.SubtitleTable[i + 1]);
  ClearSubtitle(m_document, n + 1);
  m_history->Complete();
  {
    ClickBlock block(m_gridClickBlock);
    FillGrid();
    UpdateMaxLines();
    if (n == 0) ClearGridRows(1, 1);
    SetCurrentRowQuietly(std::min(r, std::max(n, 1)));
  }
  ButtonZmenit->setEnabled(false);
  if (n < 1) ButtonProvest->setEnabled(false);
  SetNewSubtitleFlag(true);
  if (n == 0) ButtonOdebrat->setEnabled(false);
}

void TForm1::ButtonSmazatClick() {
  m_history->BeforeWholeChange();
  {
    ClickBlock block(m_gridClickBlock);
    ClearGridRows(1, m_document.SubtitleCount);
    m_gridModel->SetGridRowCount(2);
  }
  ClearSubtitleTable(m_document);
  m_history->Complete();
  MemoAktual->clear();
  ClearEditorTimes();
  LabelLines->clear();
  CheckBoxSmazat->setChecked(false);
  PanelTitulkyMax->setText("0");
  for (QWidget* button : {static_cast<QWidget*>(ButtonZmenit), static_cast<QWidget*>(ButtonOdebrat),
                          static_cast<QWidget*>(ButtonProvest)})
    button->setEnabled(false);
  SetNewSubtitleFlag(true);
}

// --- Find and the grid's font -------------------------------------------------------------

void TForm1::ButtonNajitClick() {
  for (QWidget* control : {static_cast<QWidget*>(GroupBoxEditace), static_cast<QWidget*>(ButtonNacist),
                           TabSheetUpravyCasu, TabSheetUpravyTitulku})
    control->setEnabled(false);
  m_formFind->ShowBeside(*this);
}

void TForm1::ButtonSubPreviewFontClick() {
  const std::optional<QFont> chosen = m_dialogs.Font(this, m_fontDialogFont);
  if (!chosen) return;
  m_fontDialogFont = *chosen;
  Titulky->setFont(*chosen);
  double points = chosen->pointSizeF();
  if (points <= 0) points = chosen->pixelSize() * 72.0 / 96.0;  // a face given in pixels
  try {
    Titulky->verticalHeader()->setDefaultSectionSize(GridRowHeight(points));
  } catch (const std::exception&) {
    // A font the dialog could not describe keeps the row height; no message, as for the dialog.
  }
}

}  // namespace qm
