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
#include <climits>

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

// The editor page's own state and helpers.
struct TForm1::EditorPage {
  explicit EditorPage(TForm1& form) : f(form) {}
  TForm1& f;
  std::string JumpDigits;  // digits typed into the grid to jump to a number
  int GridClickBlock = 0;  // > 0: a change of the current row is the program's, not a click
  int RowBeforePress = 0;  // the current row when the mouse went down on the grid
  QFont FontDialogFont;    // what the font dialog offers next

  void ConnectGridEvents();
  void ConnectEditorFields();
  void WriteGridRow(int row);
  void SetCurrentRowQuietly(int row);
  void ShowEditedRow(int row);
  void LoadEditorText(std::string_view text);
  bool TableFull();
};

void TForm1::DeletePage(EditorPage* page) { delete page; }

void TForm1::WithoutGridClicks(const std::function<void()>& body) {
  ClickBlock block(m_editorPage->GridClickBlock);
  body();
}

void TForm1::WriteGridRow(int row) { m_editorPage->WriteGridRow(row); }

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
  m_editorPage.reset(new EditorPage(*this));
  m_editorPage->FontDialogFont = QFont("MS Sans Serif");
  m_editorPage->FontDialogFont.setPixelSize(11);

  TimerJumpClear = new QTimer(this);
  TimerJumpClear->setObjectName("TimerJumpClear");
  // Counted from the start, not from the last digit: typing does not restart it.
  connect(TimerJumpClear, &QTimer::timeout, this, [this] { m_editorPage->JumpDigits.clear(); });
  TimerJumpClear->start(kJumpClearMs);

  m_editorPage->ConnectGridEvents();
  m_editorPage->ConnectEditorFields();
}

void TForm1::EditorPage::ConnectGridEvents() {
  QTableView* grid = f.Titulky;
  connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, &f, [this] {
    // The user moved; the editor's own operations and loads set the row themselves.
    if (GridClickBlock == 0 && f.m_busyDepth == 0) f.Guarded([this] { f.TitulkyClick(); });
  });
  new EventHook(grid->viewport(), [this](QEvent& event) {
    if (event.type() == QEvent::MouseButtonPress) RowBeforePress = f.CurrentRow();
    return false;
  });
  // A click on the row that is already current still counts as a click.
  connect(grid, &QAbstractItemView::clicked, &f, [this](const QModelIndex& index) {
    if (index.row() + 1 == RowBeforePress) f.Guarded([this] { f.TitulkyClick(); });
  });
  connect(grid, &QAbstractItemView::doubleClicked, &f,
          [this] { f.Guarded([this] { f.TitulkyDblClick(); }); });
  new EventHook(grid, [this](QEvent& event) {
    return event.type() == QEvent::KeyPress && f.TitulkyKeyPress(static_cast<QKeyEvent&>(event));
  });
}

void TForm1::EditorPage::ConnectEditorFields() {
  TForm1& form = f;
  const struct {
    QLineEdit* field;
    int limit;  // 0: none
  } clockFields[] = {{form.EditHH1, 23}, {form.EditMM1, 59}, {form.EditSS1, 59}, {form.EditSSS1, 0},
                     {form.EditHH2, 23}, {form.EditMM2, 59}, {form.EditSS2, 59}, {form.EditSSS2, 0}};
  for (const auto& [field, limit] : clockFields) {
    HookDigitsOnly(field);
    connect(field, &QLineEdit::textChanged, &form, [&form, field, limit] {
      form.Guarded([&form, field, limit] { form.EditHH1Change(*field, limit); });
    });
  }
  // The time shift's frame field shares these handlers (without the duration).
  for (QSpinBox* spin : {form.SpinEditStart, form.SpinEditKonec, form.SpinEditPosuv}) {
    HookDigitsOnly(spin);
    connect(SpinText(spin), &QLineEdit::textChanged, &form,
            [&form, spin] { form.SpinEditStartChange(*spin); });
  }
  // The arrow keys, the arrow buttons and the wheel step the value without a text change of
  // the field's line edit; every change of the value refreshes the duration as typing does.
  for (QSpinBox* spin : {form.SpinEditStart, form.SpinEditKonec})
    connect(spin, &QSpinBox::valueChanged, &form,
            [&form] { form.Guarded([&form] { form.RefreshDuration(); }); });

  connect(form.MemoAktual, &QPlainTextEdit::textChanged, &form, &TForm1::MemoAktualChange);
  new EventHook(form.MemoAktual, [&form](QEvent& event) {
    if (event.type() == QEvent::KeyPress) return form.MemoAktualKeyDown(static_cast<QKeyEvent&>(event));
    if (event.type() == QEvent::KeyRelease) form.ShowCaretPosition();
    return false;
  });
  new EventHook(form.MemoAktual->viewport(), [&form](QEvent& event) {
    if (event.type() == QEvent::MouseButtonRelease) form.ShowCaretPosition();
    return false;
  });
}

// --- Small routines ---------------------------------------------------------------------

void TForm1::SetNewSubtitleFlag(bool isNew) {
  m_newSubtitleFlag = isNew;
  if (isNew) LabelTitleNum->setText(FromUtf8(m_texts.LabelTitleNumNovyTitulek));
}

void TForm1::EditorPage::ShowEditedRow(int row) {
  f.LabelTitleNum->setText(QString::number(row) + ".");
  f.SetNewSubtitleFlag(false);
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

void TForm1::EditorPage::SetCurrentRowQuietly(int row) {
  ClickBlock block(GridClickBlock);
  row = std::clamp(row, 1, f.m_gridModel->GridRowCount() - 1);
  const int column = std::max(0, f.Titulky->currentIndex().column());
  f.Titulky->setCurrentIndex(f.m_gridModel->index(row - 1, column));
  f.Titulky->scrollTo(f.Titulky->currentIndex());
}

void TForm1::SetCurrentRow(int row) {
  const int before = CurrentRow();
  m_editorPage->SetCurrentRowQuietly(row);
  if (CurrentRow() != before) TitulkyClick();
}

void TForm1::EditorPage::WriteGridRow(int row) {
  const SubtitleDocument& doc = f.m_document;
  f.m_gridModel->SetRowSilently(row, GridCells(doc.SubtitleTable[row], row, doc.TimeMode));
  f.m_gridModel->NotifyRowsChanged(row, row);
}

void TForm1::EditorPage::LoadEditorText(std::string_view text) {
  const QString shown = FromUtf8(EditorTextOf(text));
  // The limit is for typing: a longer subtitle is shown whole and may only get shorter.
  f.m_memoLimit = std::max(kMemoMaxLength, static_cast<int>(std::min<qsizetype>(shown.size(), INT_MAX)));
  f.MemoAktual->setPlainText(shown);
}

bool TForm1::EditorPage::TableFull() {
  if (f.m_document.SubtitleCount < MaxSubtitles) return false;
  f.ShowText(f.m_texts.InformationTableFull, MessageIcon::Information);
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
  // The hint is cut as the grid's cell is; the editor field takes the whole text.
  QString hint =
      GridTextShown(std::string_view(m_document.SubtitleTable[CurrentRow()].Text).substr(0, kGridTextBytes));
  hint.replace(u'|', u'\n');  // Qt's line break in a hint; a CR would show one line
  Titulky->setToolTip(hint);
  if (CheckBoxEditByOneClick->isChecked()) TitulkyDblClick();
}

void TForm1::ShowEditorTimes(const TSubtitle& r) {
  SpinEditStart->setValue(r.StartFrame);
  SpinEditKonec->setValue(r.EndFrame);
  const QString clock[] = {QString::number(r.StartHour),   QString::number(r.StartMinute),
                           QString::number(r.StartSecond), FromUtf8(r.StartMs),
                           QString::number(r.EndHour),     QString::number(r.EndMinute),
                           QString::number(r.EndSecond),   FromUtf8(r.EndMs)};
  QLineEdit* fields[] = {EditHH1, EditMM1, EditSS1, EditSSS1, EditHH2, EditMM2, EditSS2, EditSSS2};
  for (int i = 0; i < 8; ++i) fields[i]->setText(clock[i]);
  ShowDuration(r);
}

void TForm1::TitulkyDblClick() {
  PageControl->setCurrentWidget(TabSheetEditace);
  const int row = CurrentRow();
  const TSubtitle& r = m_document.SubtitleTable[row];
  m_editorPage->LoadEditorText(r.Text);
  ShowEditorTimes(r);
  if (m_document.SubtitleCount > 0) MemoAktualChange();
  // A loaded text of k "|" is k + 1 editor lines, an empty text one empty line.
  LabelLines->setText(QString::number(CountLines(r.Text)));
  m_editorPage->ShowEditedRow(row);
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
  if (const auto row = JumpToNumber(m_editorPage->JumpDigits, static_cast<char>(text[0].unicode()),
                                    m_document.SubtitleCount))
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
  const int length = MemoAktual->document()->characterCount() - 1;
  m_memoLimit = std::max(m_memoLimit, kMemoMaxLength);
  if (length > m_memoLimit) {
    QTextCursor cut = MemoAktual->textCursor();
    cut.setPosition(m_memoLimit);
    cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cut.removeSelectedText();  // raises this handler once more, within the limit
    return;
  }
  m_memoLimit = std::max(kMemoMaxLength, length);
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
  if (m_editorPage->TableFull()) return;
  const int32_t n = m_document.SubtitleCount + 1;
  TSubtitle record =
      EditorRecord(m_document, n, SubtitleTextOf(ToUtf8(MemoAktual->toPlainText())), ReadEditorTimes(*this));
  m_history->BeforeChange(n, 0);
  m_document.SubtitleTable[n] = std::move(record);
  m_document.SubtitleCount = n;
  m_history->Complete();
  {
    ClickBlock block(m_editorPage->GridClickBlock);
    m_gridModel->SetGridRowCount(n + 1);
  }
  m_editorPage->WriteGridRow(n);
  m_editorPage->SetCurrentRowQuietly(n);
  PanelTitulkyMax->setText(QString::number(n));
  UpdateMaxLines();
  ButtonProvest->setEnabled(true);
  m_editorPage->ShowEditedRow(n);
  TitulkyClick();
}

void TForm1::ButtonVlozitClick() {
  if (m_editorPage->TableFull()) return;
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
    ClickBlock block(m_editorPage->GridClickBlock);
    FillGrid();
  }
  UpdateMaxLines();
  SetCurrentRow(r);
  m_editorPage->ShowEditedRow(r);
}

void TForm1::ButtonZmenitClick() {
  const int32_t r = CurrentRow();
  if (r > m_document.SubtitleCount) return;  // nothing stored there to change
  TSubtitle record =
      EditorRecord(m_document, r, SubtitleTextOf(ToUtf8(MemoAktual->toPlainText())), ReadEditorTimes(*this));
  m_history->BeforeChange(r, 1);
  m_document.SubtitleTable[r] = std::move(record);
  m_history->Complete();
  m_editorPage->WriteGridRow(r);
  SetCurrentRow(r);
  UpdateMaxLines();
  m_editorPage->ShowEditedRow(r);
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
    ClickBlock block(m_editorPage->GridClickBlock);
    FillGrid();
    UpdateMaxLines();
    if (n == 0) ClearGridRows(1, 1);
    m_editorPage->SetCurrentRowQuietly(std::min(r, std::max(n, 1)));
  }
  ButtonZmenit->setEnabled(false);
  if (n < 1) ButtonProvest->setEnabled(false);
  SetNewSubtitleFlag(true);
  if (n == 0) ButtonOdebrat->setEnabled(false);
}

void TForm1::ButtonSmazatClick() {
  m_history->BeforeWholeChange();
  {
    ClickBlock block(m_editorPage->GridClickBlock);
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
  const std::optional<QFont> chosen = m_dialogs.Font(this, m_editorPage->FontDialogFont);
  if (!chosen) return;
  m_editorPage->FontDialogFont = *chosen;
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
