#include "ui/quillmark_unit.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableView>
#include <QToolButton>
#include <QUrl>
#include <limits>

#include "batch/konverze_form.h"
#include "batch/select_dir_form.h"
#include "document/subtitles_tool.h"
#include "document/timing_tools.h"
#include "formats/subtitle_source.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/numbers.h"
#include "ui/file_drop.h"
#include "ui/find_form.h"
#include "ui/frame_form.h"
#include "ui/info_form.h"
#include "ui/spin_button.h"
#include "ui/subtitle_grid.h"
#include "ui/text_bridge.h"
#include "ui/video_form.h"

namespace qm {
namespace {

constexpr QSize kDesignSize{736, 622};
constexpr const char* kVersionText = "ver.: 0.91   10.08.2005     ";
QString FileFilter() {
  return QString::fromUtf8("Všechny soubory (*.*);;Titulky (%1)").arg(FromUtf8(SubtitleExtensionPatterns()));
}
// A fill lets pending window messages run at most this often: often enough to keep the
// window alive, rarely enough that a 20000-row fill is not slowed down by it.
constexpr qint64 kFillYieldMs = 50;
// Narrower than this, the text column would vanish behind columns the user widened.
constexpr int kMinTextColumn = 40;

// Dialog folders are remembered with their trailing separator.
QString FolderOf(const QString& fileName) { return QFileInfo(fileName).absolutePath() + "/"; }

}  // namespace

void SetHint(QWidget& control, const QString& hint) {
  control.setToolTip(hint);
  control.setStatusTip(hint);
}

QRect FitMainWindow(QSize designSize, QSize screenSize) {
  QSize size = designSize;
  if (screenSize.height() <= 600) size.setHeight(screenSize.height() - 30);
  if (screenSize.width() < 800) size.setWidth(screenSize.width() - 10);
  const QPoint topLeft((screenSize.width() - size.width()) / 2, (screenSize.height() - size.height()) / 2);
  return {topLeft, size};
}

BusyWindow::BusyWindow(TForm1& window) : m_window(window), m_focus(QApplication::focusWidget()) {
  if (m_window.m_busyDepth++ == 0) m_window.setEnabled(false);
}

BusyWindow::~BusyWindow() {
  if (--m_window.m_busyDepth > 0) return;
  m_window.setEnabled(true);
  // Disabling the window took the focus away; give it back where the user left it.
  if (m_focus && m_focus->window() == &m_window && m_focus->isEnabled()) m_focus->setFocus();
}

TForm1::TForm1(Dialogs& dialogs, StartupOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_dialogs(dialogs),
      m_options(std::move(options)),
      m_history(std::make_unique<DocumentHistory>(m_document)) {
  m_history->SetOnChange([this] { UpdateWindowTitle(); });
  BuildWindow();
  FormCreate();
  ConnectHandlers();
  // The secondary windows come after the main window, as at the product's start.
  m_formInfo = std::make_unique<TFormInfo>(nullptr);
  m_formFind = std::make_unique<TFormFind>(*this);
  m_formKonverze = std::make_unique<TFormKonverze>(*this);
  m_formSelectDir = std::make_unique<TFormSelectDir>(*this);
  m_formFrame = std::make_unique<TFormFrame>(m_dialogs, nullptr);
  ConnectVideo();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = m_options.ScreenSize.value_or(screen ? screen->size() : kDesignSize);
  setGeometry(FitMainWindow(kDesignSize, screenSize));

  m_document.FrameRateConfirmed = false;
  m_programFolder = m_options.ProgramFolder;
  m_statusPanels[1]->setText(kVersionText);

  m_languageFiles = LanguageFiles(ToPath(m_programFolder), ToPath(m_options.UserLanguageFolder));
  const int32_t storedRunCount = LoadSettings();

  m_document.TimeMode = kModeFrames;
  m_document.CurrentFileName.clear();
  m_timeScale = 1.0;
  m_newSubtitleFlag = true;
  m_document.StoredMode = kModeBoth;

  m_texts = LoadDynamicTextsFrom(m_languageFiles.IniPath(m_languageName));
  ApplyLanguage(*this);

  m_formatNames = LoadFormatNames(ToPath(m_programFolder));
  FillFormatList(*ComboBoxFormat);
  FillFormatList(*ComboBoxSave);
  EditZdrojFormat->setText("---------------");
  SetHint(*ComboBoxSave, FromUtf8(m_formatNames[0]));

  m_document.FrameRate = 23.976;
  ClearSubtitleTable(m_document);

  // A hand-edited counter at the top of the range stays there rather than wrapping.
  m_runCount = storedRunCount < std::numeric_limits<int32_t>::max() ? storedRunCount + 1 : storedRunCount;
  LabelExecution->setText(QString::number(m_runCount));

  OpenDialog.Filter = SaveDialog.Filter = FileFilter();
  // Files dropped from the desktop land on the grid or on the small drop box.
  Titulky->viewport()->installEventFilter(this);
  ListBoxDragAndDrop->viewport()->installEventFilter(this);
  LabelAutor->installEventFilter(this);
  // The window sees every key before the focused control does.
  qApp->installEventFilter(this);

  QMetaObject::invokeMethod(this, &TForm1::UmOpenCommandLine, Qt::QueuedConnection);
}

void TForm1::ConnectHandlers() {
  connect(ButtonNacist, &QPushButton::clicked, this, [this] { Guarded([this] { ButtonNacistClick(); }); });
  connect(ButtonUlozit, &QPushButton::clicked, this, [this] { Guarded([this] { ButtonUlozitClick(); }); });
  connect(ButtonKonec, &QPushButton::clicked, this, &QWidget::close);
  connect(ButtonHelp, &QPushButton::clicked, this, &TForm1::ButtonHelpClick);
  connect(ButtonStatistika, &QPushButton::clicked, this,
          [this] { Guarded([this] { ButtonStatistikaClick(); }); });
  connect(ComboBoxSave, &QComboBox::currentIndexChanged, this, &TForm1::ComboBoxSaveChange);
  // Only a pick by the user switches the view; the load sets the index without switching.
  connect(ComboBoxSubPreview, &QComboBox::activated, this,
          [this] { Guarded([this] { ComboBoxSubPreviewChange(); }); });
  connect(CheckBoxAlwaysOnTop, &QCheckBox::toggled, this, &TForm1::CheckBoxAlwaysOnTopClick);
  ConnectRecentFiles();
  ConnectTimePage();
  ConnectTextPage();
  ConnectEditorPage();
  ConnectStatisticsPage();
  ConnectSamplesPage();
  ConnectBatchPage();
  ConnectOptionsPage();
}

void TForm1::FillFormatList(QComboBox& box) {
  for (const std::string& name : m_formatNames) box.addItem(FromUtf8(name));
  box.setCurrentIndex(0);
}

// --- Messages ---------------------------------------------------------------------------

void TForm1::ShowError(const QString& text) {
  m_dialogs.Message(this, text, MessageIcon::Error, MessageButtons::Ok);
}

void TForm1::ShowText(const std::string& cp1250Text, MessageIcon icon) {
  m_dialogs.Message(this, FromUtf8(cp1250Text), icon, MessageButtons::Ok);
}

// --- Opening ----------------------------------------------------------------------------

void TForm1::ButtonNacistClick() {
  if (!QueryUnsavedChanges()) return;
  OpenDialog.Title = FromUtf8(m_texts.OpenDialogTitle);
  if (const auto fileName = m_dialogs.OpenFileName(this, OpenDialog))
    OpenFile(*fileName, OpenFailureReport::CantOpenFile);
}

void TForm1::FilesDropped(const QStringList& fileNames) {
  // Only the first file counts; a folder or a vanished file is ignored without a word.
  if (fileNames.isEmpty() || !FileExists(ToPath(fileNames.first()))) return;
  if (!QueryUnsavedChanges()) return;
  OpenFile(fileNames.first(), OpenFailureReport::OwnMessage);
}

void TForm1::UmOpenCommandLine() {
  if (m_options.Arguments.size() != 1) return;
  const QString fileName = QFileInfo(m_options.Arguments.first()).absoluteFilePath();
  if (!FileExists(ToPath(fileName))) return;
  OpenFile(fileName, OpenFailureReport::OwnMessage);
}

void TForm1::UmAfterShow() {
  ApplyLanguage(*m_formFrame);
  ApplyLanguage(*m_formFind);
  ApplyLanguage(*m_formSelectDir);
  ApplyLanguage(*m_formKonverze);
  ApplyLanguage(*m_formVideo);
  ApplyLanguage(*m_formInfo);
  if (m_runCount == 1) m_dialogs.ShowModal(*m_formInfo);
}

void TForm1::OpenFile(const QString& fileName, OpenFailureReport report) {
  if (OpenVideoIfFilm(fileName)) {
    emit FileOpened();
    return;
  }
  m_document.FrameRateConfirmed = false;
  std::optional<QString> failure;
  {
    BusyWindow busy(*this);
    QCoreApplication::processEvents();
    try {
      OpenSubtitleFile(fileName);
      ButtonStatistikaClick(true);
    } catch (const std::exception& error) {
      failure = report == OpenFailureReport::CantOpenFile ? FromUtf8(m_texts.ErrorCantOpenFile)
                                                          : FromUtf8(error.what());
      // The size limit is named whichever way the file came.
      const auto* known = dynamic_cast<const QuillmarkError*>(&error);
      if (report == OpenFailureReport::CantOpenFile && known && known->Kind() == ErrorKind::TooLarge)
        *failure += "\n" + FromUtf8(error.what());
    }
  }
  if (failure) {
    GaugeWriteSub->hide();
    ShowError(*failure);
  } else {
    OpenDialog.Folder = FolderOf(fileName);
    OfferVideoBeside(fileName);
    if (!m_document.CurrentFileName.empty()) RememberRecentFile(fileName);
  }
  emit FileOpened();
}

void TForm1::OpenSubtitleFile(const QString& fileName) {
  GaugeWriteSub->setValue(0);
  GaugeWriteSub->show();
  QCoreApplication::processEvents();

  const int32_t oldCount = m_document.SubtitleCount;
  ClearSubtitleTable(m_document);
  m_titleFileName = QFileInfo(fileName).fileName();
  m_history->Clear();  // a new document starts a new history, unmodified
  ButtonZmenit->setEnabled(false);
  m_document.CurrentFileName = ToPath(fileName);
  ShowSubtitlesFile();

  LoadResult loaded;
  m_documentCut = false;
  try {
    loaded = OpenSubtitles(m_document, m_document.CurrentFileName, ChosenOpenEncoding());
  } catch (...) {
    ShowPartialLoad(oldCount);
    throw;
  }
  if (m_document.FormatIndex == kNotRecognised) {
    m_dialogs.Message(this,
                      FromUtf8(m_texts.ErrorNacitaniNespravnyFormat) + "\n" +
                          FromUtf8(m_texts.ErrorNacitaniNespravnyFormatSend),
                      MessageIcon::Error, MessageButtons::Ok);
    m_document.CurrentFileName.clear();
    StaticTextSubtitlesFile->clear();
    SetHint(*StaticTextSubtitlesFile, {});
    m_titleFileName.clear();
    UpdateWindowTitle();
  }

  StaticTextSubtitlesFile->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  PanelTitulkyMax->setText(QString::number(m_document.SubtitleCount));
  if (m_document.SubtitleCount > 0) ButtonProvest->setEnabled(true);
  ResetSamplesPage();
  SetModesFromFormat();
  if (CheckBoxPosuvOdDo->isChecked()) {
    EditPosuvOd->setText("1");
    EditPosuvDo->setText(QString::number(m_document.SubtitleCount));
  }
  EditZdrojFormat->setText(FromUtf8(FormatName(m_formatNames, m_document.FormatIndex)));
  LabelLines->clear();
  MemoAktual->clear();
  ClearEditorTimes();
  QCoreApplication::processEvents();

  FillGrid();
  if (oldCount > m_document.SubtitleCount) ClearGridRows(m_document.SubtitleCount + 1, oldCount);
  if (m_document.FormatIndex == kNotRecognised) m_gridModel->SetGridRowCount(2);
  m_documentCut = loaded.Truncated;
  if (loaded.Truncated) ShowText(m_texts.WarningTooManySubtitles, MessageIcon::Warning);
  ReportLoadNotes(loaded);
}

void TForm1::ReportLoadNotes(const LoadResult& loaded) {
  const int32_t zeroed = loaded.NegativeTimesZeroed;
  ShowApplicationHint(
      zeroed > 0 ? FromUtf8(ReplaceAll("{value}", std::to_string(zeroed), m_texts.WarningNegativeTimes))
                 : QString());
  if (loaded.FileFrameRate) m_formFrame->ProposeRate(*loaded.FileFrameRate);
}

void TForm1::ShowPartialLoad(int32_t oldCount) {
  // A reader that fails keeps what it read. Show exactly that, with the timing form it was
  // read in, so that the grid, the view and a later save all agree with the table.
  try {
    SetModesFromFormat();
    PanelTitulkyMax->setText(QString::number(m_document.SubtitleCount));
    FillGrid();
    if (oldCount > m_document.SubtitleCount) ClearGridRows(m_document.SubtitleCount + 1, oldCount);
  } catch (const std::exception&) {
    // The failure being reported is the reader's; a second one here adds nothing.
  }
}

void TForm1::SetModesFromFormat() {
  m_document.TimeMode = TimeModeOf(m_document.FormatIndex);
  ComboBoxSubPreview->setCurrentIndex(m_document.TimeMode);
  m_document.StoredMode = m_document.TimeMode;
  AdaptShiftControls(m_document.TimeMode);
}

// --- Grid and views ---------------------------------------------------------------------

void TForm1::FillGrid() {
  struct HideWhenDone {
    QProgressBar* gauge;
    ~HideWhenDone() { gauge->hide(); }
  } hideGauge{GaugeWriteSub};

  const int32_t count = m_document.SubtitleCount;
  if (count > 0) {
    GaugeWriteSub->setRange(0, count);
    GaugeWriteSub->setValue(0);
    GaugeWriteSub->show();
    m_gridModel->SetGridRowCount(count + 1);
    int firstUnannounced = 1;
    QElapsedTimer sinceYield;
    sinceYield.start();
    try {
      for (int32_t row = 1; row <= count; ++row) {
        m_gridModel->SetRowSilently(row, GridCells(m_document.SubtitleTable[row], row, m_document.TimeMode));
        if (sinceYield.elapsed() < kFillYieldMs) continue;
        m_gridModel->NotifyRowsChanged(firstUnannounced, row);
        firstUnannounced = row + 1;
        GaugeWriteSub->setValue(row);
        QCoreApplication::processEvents();
        sinceYield.restart();
      }
    } catch (...) {
      m_gridModel->NotifyRowsChanged(firstUnannounced, count);
      throw;
    }
    m_gridModel->NotifyRowsChanged(firstUnannounced, count);
    GaugeWriteSub->setValue(count);
  }
  PanelTitulkyMax->setText(QString::number(count));
}

void TForm1::ClearGridRows(int fromRow, int toRow) { m_gridModel->ClearGridRows(fromRow, toRow); }

bool TForm1::CompleteTable() {
  return qm::CompleteTable(m_document, [this] { return m_dialogs.FrameRate(*m_formFrame); });
}

void TForm1::ComboBoxSubPreviewChange() {
  BusyWindow busy(*this);
  ComboBoxSubPreview->setEnabled(false);
  struct EnableWhenDone {
    QWidget* widget;
    ~EnableWhenDone() { widget->setEnabled(true); }
  } enableCombo{ComboBoxSubPreview};

  m_history->Complete();  // completing the table is not part of the last tool's step
  const uint8_t wanted = ComboBoxSubPreview->currentIndex() == 1 ? kModeClock : kModeFrames;
  if (m_document.StoredMode != kModeBoth && m_document.StoredMode != wanted && !CompleteTable()) {
    // Backing out of the frame-rate window keeps the view as it was.
    ComboBoxSubPreview->setCurrentIndex(m_document.TimeMode);
    return;
  }
  m_document.TimeMode = wanted;
  const QModelIndex current = Titulky->currentIndex();
  const int row = current.isValid() ? current.row() + 1 : 1;
  AdaptShiftControls(m_document.TimeMode);
  if (m_document.SubtitleCount > 0) {
    FillGrid();
    Titulky->setCurrentIndex(m_gridModel->index(row - 1, 0));
  }
  ShowDuration(m_document.SubtitleTable[row]);
}

void TForm1::ClearEditorTimes() {
  for (QLineEdit* field : {EditHH1, EditMM1, EditSS1, EditHH2, EditMM2, EditSS2}) field->setText("0");
  EditSSS1->setText("000");
  EditSSS2->setText("000");
  SpinEditStart->setValue(0);
  SpinEditKonec->setValue(0);
  EditDiference->clear();
}

void TForm1::ShowDuration(const TSubtitle& record) {
  EditDiference->clear();
  EditDiference->setText(FromUtf8(DurationText(record, m_document.TimeMode)));
}

// --- Saving -----------------------------------------------------------------------------

void TForm1::ButtonUlozitClick() { SaveDocument(); }

bool TForm1::SaveDocument() {
  const uint8_t layout = m_saveFormatIndex;
  if (!FormatCatalogue[layout].Written) {
    // Listed for completeness, but nothing can write it: say so before a file is chosen.
    ShowText(m_texts.ErrorFormatNotWritable + " " + FormatName(m_formatNames, layout), MessageIcon::Error);
    return false;
  }
  // A character the encoding cannot hold is reported before a file name is asked for.
  const TextEncoding encoding = ChosenSaveEncoding();
  if (!FormatCatalogue[layout].SixteenBit)
    if (const auto problem = FindUnencodableCharacter(m_document, encoding)) {
      ShowEncodingError(EncodingError(problem->SubtitleNumber, problem->Character, encoding));
      return false;
    }
  SaveDialog.Title = FromUtf8(m_texts.SaveDialogTitle) + " " + ComboBoxSave->currentText();
  const auto fileName = m_dialogs.SaveFileName(this, SaveDialogRequest(layout));
  if (!fileName) return false;
  // A document cut at the table's end would cost its file every subtitle past it.
  if (m_documentCut && IsSameFile(ToPath(*fileName), m_document.CurrentFileName) &&
      m_dialogs.Message(this, FromUtf8(m_texts.QuestionSaveCutDocument), MessageIcon::Warning,
                        MessageButtons::YesNo) != MessageAnswer::Yes)
    return false;
  std::optional<EncodingError> refused;
  bool failed = false;
  {
    BusyWindow busy(*this);
    try {
      m_history->Complete();
      if (TimeModeOf(layout) != m_document.TimeMode && !m_document.FrameRateConfirmed && !CompleteTable())
        return false;  // the user backed out of the frame-rate window: nothing is written
      SaveSubtitles(m_document, layout, ToPath(*fileName), encoding);
      if (IsSameFile(ToPath(*fileName), m_document.CurrentFileName)) m_documentCut = false;
      SaveDialog.Folder = FolderOf(*fileName);
    } catch (const EncodingError& error) {
      refused = error;
    } catch (const std::exception&) {
      failed = true;
    }
  }
  if (refused) ShowEncodingError(*refused);
  if (failed) ShowText(m_texts.ErrorCantSaveFile, MessageIcon::Error);
  if (refused || failed) return false;
  m_titleFileName = QFileInfo(*fileName).fileName();
  m_history->MarkSaved();
  return true;
}

FileDialogRequest TForm1::SaveDialogRequest(uint8_t layout) const {
  // Without a remembered folder the dialog starts beside the open file, else at home; only a
  // save makes a folder remembered.
  FileDialogRequest request = SaveDialog;
  const QString opened = FromPath(m_document.CurrentFileName);
  if (request.Folder.isEmpty()) request.Folder = opened.isEmpty() ? QDir::homePath() + "/" : FolderOf(opened);
  request.FileName = FromPath(ProposedFileName(m_document.CurrentFileName, layout));
  return request;
}

void TForm1::ComboBoxSaveChange() {
  m_saveFormatIndex = static_cast<uint8_t>(std::clamp(ComboBoxSave->currentIndex(), 0, kFormatCount - 1));
  SetHint(*ComboBoxSave, ComboBoxSave->currentText());
}

// --- Window -----------------------------------------------------------------------------

void TForm1::FormKeyDown(int key) {
  switch (key) {
    case Qt::Key_F2:
      Guarded([this] { ButtonUlozitClick(); });
      break;
    case Qt::Key_F3:
      Guarded([this] { ButtonNacistClick(); });
      break;
    case Qt::Key_F5:
      ComboBoxSubPreview->setCurrentIndex(ComboBoxSubPreview->currentIndex() == 0 ? 1 : 0);
      Guarded([this] { ComboBoxSubPreviewChange(); });
      break;
    default:
      break;
  }
}

bool TForm1::StandardKeyDown(const QKeyEvent& key) {
  // The desktop's usual keys, beside the product's own function keys. Named here rather than
  // taken from the platform's standard keys, some of which (Quit) are empty on some desktops.
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier) return false;
  const struct {
    int Key;
    std::function<void()> Action;
  } keys[] = {
      {Qt::Key_O, [this] { ButtonNacistClick(); }},
      {Qt::Key_S, [this] { ButtonUlozitClick(); }},
      {Qt::Key_F, [this] { ButtonNajitClick(); }},
      {Qt::Key_Q, [this] { close(); }},
  };
  for (const auto& [code, action] : keys)
    if (key.key() == code) {
      Guarded(action);
      return true;
    }
  return false;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Titulky->viewport() || watched == ListBoxDragAndDrop->viewport()) {
    if (HandleDrop(event)) return true;
  } else if (watched == LabelAutor) {
    if (HandleAuthorLabel(event)) return true;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::KeyPress && widget && widget->window() == this) {
    // A key the focused control does not use travels on to its parents as the same event;
    // the window acts on it once, when its first receiver gets it.
    const bool travelling = event == m_keyEvent && m_keyReceiver && widget == m_keyReceiver->parentWidget();
    m_keyEvent = event;
    m_keyReceiver = widget;
    if (!travelling && StandardKeyDown(*static_cast<QKeyEvent*>(event))) return true;
    if (!travelling) FormKeyDown(static_cast<QKeyEvent*>(event)->key());
    if (!travelling && UndoKeyDown(*static_cast<QKeyEvent*>(event))) return true;
    if (!travelling && VideoKeyDown(*static_cast<QKeyEvent*>(event))) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TForm1::HandleDrop(QEvent* event) {
  return HandleFileDrop(event, this, [this](const QStringList& paths) { FilesDropped(paths); });
}

bool TForm1::HandleAuthorLabel(QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
      ButtonMail->show();
      return false;
    case QEvent::Leave:
      ButtonMail->hide();
      return false;
    case QEvent::MouseButtonRelease:
      LabelAutorClick();
      return true;
    default:
      return false;
  }
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    ShowApplicationHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void TForm1::ShowApplicationHint(const QString& hint) { m_statusPanels[0]->setText(hint); }

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (m_shown) return;
  m_shown = true;
  QMetaObject::invokeMethod(this, &TForm1::UmAfterShow, Qt::QueuedConnection);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TForm1::FormResize() {
  // A cap rather than a fixed width, so that the panel never holds the window at its size.
  m_statusPanels[0]->setMaximumWidth(std::max(1, width() - PanelMenu->width() - 5));
  FitTextColumn();
  LayoutTopPanel();
}

void TForm1::FitTextColumn() {
  // The text column ends at the viewport's edge, inside the scroll bar and the frame: a
  // wider one would let a click on a text cell scroll the number column out of sight.
  int otherColumns = 0;
  for (int column = 0; column < 3; ++column) otherColumns += Titulky->columnWidth(column);
  Titulky->setColumnWidth(3, std::max(kMinTextColumn, Titulky->viewport()->width() - otherColumns));
}

void TForm1::LayoutTopPanel() {
  // The count stays at the right edge; the file caption takes what is left between.
  const int right = PanelTop->width();
  PanelTitulkyMax->move(right - 54, PanelTitulkyMax->y());
  LabelPocetTitulku->move(right - 136, LabelPocetTitulku->y());
  const int captionLeft = GaugeWriteSub->geometry().right() + 6;
  StaticTextSubtitlesFile->setGeometry(captionLeft, StaticTextSubtitlesFile->y(),
                                       std::max(0, right - 142 - captionLeft),
                                       StaticTextSubtitlesFile->height());
  if (!m_document.CurrentFileName.empty()) ShowSubtitlesFile();
}

void TForm1::ShowSubtitlesFile() {
  // The beginning and the file name say the most; the middle gives way, the hint has it all.
  const QString path = FromPath(m_document.CurrentFileName);
  SetHint(*StaticTextSubtitlesFile, path);
  StaticTextSubtitlesFile->setText(StaticTextSubtitlesFile->fontMetrics().elidedText(
      path, Qt::ElideMiddle, StaticTextSubtitlesFile->contentsRect().width()));
}

void TForm1::closeEvent(QCloseEvent* event) {
  // A load or save in progress finishes first; the window is disabled meanwhile anyway.
  if (m_busyDepth > 0 || !FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  SaveSettings(m_runCount);  // FormClose
}

bool TForm1::FormCloseQuery() {
  // Unsaved changes ask their own question, and only that one.
  if (IsModified()) return QueryUnsavedChanges();
  if (!CheckBoxAskToClose->isChecked()) return true;
  return m_dialogs.Message(this, FromUtf8(m_texts.QuestionUkonceni), MessageIcon::Information,
                           MessageButtons::YesNo) == MessageAnswer::Yes;
}

void TForm1::CheckBoxAlwaysOnTopClick() {
  const bool wasVisible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, CheckBoxAlwaysOnTop->isChecked());
  if (wasVisible) show();  // changing a window flag hides the window
}

void TForm1::ButtonHelpClick() { m_dialogs.ShowModal(*m_formInfo); }

void TForm1::LabelAutorClick() { QDesktopServices::openUrl(QUrl(QString("mailto:") + kAuthorMail)); }

QString TForm1::StatusPanelText(int panel) const { return m_statusPanels[panel]->text(); }

int TForm1::StatusPanelWidth(int panel) const { return m_statusPanels[panel]->width(); }

}  // namespace qm
