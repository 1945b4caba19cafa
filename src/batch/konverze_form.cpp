#include "batch/konverze_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <memory>

#include "batch/batch_engine.h"
#include "batch/select_dir_form.h"
#include "document/subtitles_tool.h"
#include "formats/subtitles_save.h"
#include "platform/file_io.h"
#include "platform/numbers.h"
#include "ui/encoding_lists.h"
#include "ui/number_filters.h"
#include "ui/quillmark_unit.h"
#include "ui/text_bridge.h"
#include "ui/window_placement.h"

namespace qm {
namespace {

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// Often enough for the list and the gauge to move smoothly.
constexpr qint64 kYieldMs = 40;

BatchTexts WindowTexts(const DynamicTexts& t) {
  return {t.MessageBatchOpening, t.MessageBatchUnknownFormat, t.MessageBatchFileNotConverted,
          t.MessageBatchFormat,  t.MessageBatchFileConverted, t.MessageBatchConverted,
          t.MessageBatchErrors,  t.QuestionBatchOverwrite};
}

// The window's side of a run: report lines into the list, the gauge, the overwrite question.
class WindowReport final : public BatchObserver {
 public:
  WindowReport(TFormKonverze& form, Dialogs& dialogs, const DynamicTexts& texts)
      : m_form(form), m_dialogs(dialogs), m_texts(texts) {}

  // The failure that ended the run, if one did.
  const std::optional<QString>& Failure() const { return m_failure; }

  void AddLine(const std::string& line) override { m_pending << QString::fromStdString(line); }
  // The lines reported so far into the list: one insertion per redraw instead of one per
  // line, which with four lines a file cost more than converting small files.
  void ShowPending() {
    if (m_pending.isEmpty()) return;
    m_form.ListBoxPrubehKonverze->addItems(m_pending);
    m_pending.clear();
  }
  bool ConfirmOverwrite(const std::string&, const std::string& question) override {
    ShowPending();
    return m_dialogs.Message(&m_form, QString::fromStdString(question), MessageIcon::Warning,
                             MessageButtons::YesNo) == MessageAnswer::Yes;
  }
  bool ContinueAfterFailure(const std::string&, const QuillmarkError& error) override {
    const auto* refused = dynamic_cast<const EncodingError*>(&error);
    m_failure = FromUtf8(refused ? EncodingErrorText(m_texts.ErrorCantEncode, *refused) : error.what());
    return false;
  }
  void Truncated(const std::string&, bool inputKept) override {
    AddLine("      " + (inputKept ? m_texts.WarningTooManySubtitlesKept : m_texts.WarningTooManySubtitles));
  }
  void NegativeTimesZeroed(const std::string&, int32_t count) override {
    AddLine("      " + ReplaceAll("{value}", std::to_string(count), m_texts.WarningNegativeTimes));
  }
  // The window converts at its own rate; the line names the file's.
  void FileFrameRate(const std::string&, double rate, bool) override {
    AddLine("      " + ReplaceAll("{value}", FloatToText(rate), m_texts.MessageBatchFileFrameRate));
  }
  void FileDone(int done, int total) override {
    // Redrawing the window (and laying out the report list) costs more than converting a
    // small file, so the gauge moves and pending messages run at most this often, and after
    // the last file: a progress bar redraws itself at once whenever its percentage changes.
    if (done < total && m_sinceYield.isValid() && m_sinceYield.elapsed() < kYieldMs) return;
    m_form.GaugeStavKonverze->setValue(done);
    ShowPending();
    m_form.ListBoxPrubehKonverze->scrollToBottom();  // the last line stays in view
    QCoreApplication::processEvents();
    m_sinceYield.start();
  }
  void WriteStream(const std::string&) override {}

 private:
  TFormKonverze& m_form;
  Dialogs& m_dialogs;
  const DynamicTexts& m_texts;
  std::optional<QString> m_failure;
  QElapsedTimer m_sinceYield;
  QStringList m_pending;
};

}  // namespace

// Disables the window and its key preview for a run, and gives both back however the run
// ends.
class RunningBatch {
 public:
  explicit RunningBatch(TFormKonverze& form) : m_form(form) {
    m_form.setEnabled(false);
    m_form.m_keyPreview = false;
  }
  ~RunningBatch() {
    m_form.setEnabled(true);
    m_form.m_keyPreview = true;
  }
  RunningBatch(const RunningBatch&) = delete;
  RunningBatch& operator=(const RunningBatch&) = delete;

 private:
  TFormKonverze& m_form;
};

TFormKonverze::TFormKonverze(TForm1& mainWindow)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_mainWindow(mainWindow) {
  setObjectName("TFormKonverze");
  setWindowTitle("Dávková konverze...");
  setModal(true);
  BuildSettings();
  BuildProgress();
  ButtonKonverzeZacit = Named(new QPushButton("Začít", this), "ButtonKonverzeZacit");
  ButtonKonverzeZacit->setDefault(true);
  ButtonKonverzeZacit->setEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBoxNastaveniKonverze);
  layout->addWidget(GroupBoxStavKonverze);
  layout->addWidget(GroupBoxPrubehKonverze);
  layout->addWidget(ButtonKonverzeZacit, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(CheckBoxPuvodniPripona, &QCheckBox::toggled, this, &TFormKonverze::CheckBoxPuvodniPriponaClick);
  connect(ButtonKonverzeDir, &QPushButton::clicked, this, &TFormKonverze::ButtonKonverzeDirClick);
  connect(ButtonKonverzeZacit, &QPushButton::clicked, this, &TFormKonverze::ButtonKonverzeZacitClick);
  qApp->installEventFilter(this);
  FormCreate();
}

TFormKonverze::~TFormKonverze() = default;

void TFormKonverze::BuildSettings() {
  GroupBoxNastaveniKonverze = Named(new QGroupBox("Nastavení", this), "GroupBoxNastaveniKonverze");
  QGroupBox* box = GroupBoxNastaveniKonverze;
  LabelOutputFormat = Named(new QLabel("Výstupní formát:", box), "LabelOutputFormat");
  ComboBoxKonverzeOutput = Named(new QComboBox(box), "ComboBoxKonverzeOutput");
  ComboBoxKonverzeOutput->setMaxVisibleItems(13);
  LabelFrameRate = Named(new QLabel("FrameRate:", box), "LabelFrameRate");
  ComboBoxKonverzeFrames = Named(new QComboBox(box), "ComboBoxKonverzeFrames");
  SetUpRateBox(*ComboBoxKonverzeFrames);
  FilterTypedKeys(*ComboBoxKonverzeFrames, TypedKeys::Decimal);
  LabelKodovani = Named(new QLabel("Kódování:", box), "LabelKodovani");
  ComboBoxKonverzeKodovani = Named(new QComboBox(box), "ComboBoxKonverzeKodovani");
  ComboBoxKonverzeKodovani->setMaxVisibleItems(16);
  LabelDestination = Named(new QLabel("Cílový adresář:", box), "LabelDestination");
  EditKonverzeDir = Named(new QLineEdit(box), "EditKonverzeDir");
  EditKonverzeDir->setMinimumWidth(260);
  ButtonKonverzeDir = Named(new QPushButton(box), "ButtonKonverzeDir");
  ButtonKonverzeDir->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  ButtonKonverzeDir->setAutoDefault(false);
  CheckBoxPrepsatSoubory = Named(new QCheckBox("Přepsat existující soubory", box), "CheckBoxPrepsatSoubory");
  CheckBoxPrepsatSoubory->setChecked(true);
  CheckBoxPuvodniPripona = Named(new QCheckBox("Zachovat původní přípony", box), "CheckBoxPuvodniPripona");
  CheckBoxPuvodniPripona->setChecked(true);
  LabelExtension = Named(new QLabel("Přípona:", box), "LabelExtension");
  EditPripona = Named(new QLineEdit("sub", box), "EditPripona");
  EditPripona->setEnabled(false);

  auto* grid = new QGridLayout(box);
  grid->addWidget(LabelOutputFormat, 0, 0);
  grid->addWidget(ComboBoxKonverzeOutput, 0, 1, 1, 2);
  grid->addWidget(LabelFrameRate, 1, 0);
  grid->addWidget(ComboBoxKonverzeFrames, 1, 1, 1, 2);
  grid->addWidget(LabelKodovani, 2, 0);
  grid->addWidget(ComboBoxKonverzeKodovani, 2, 1, 1, 2);
  grid->addWidget(LabelDestination, 3, 0);
  grid->addWidget(EditKonverzeDir, 3, 1);
  grid->addWidget(ButtonKonverzeDir, 3, 2);
  grid->addWidget(CheckBoxPrepsatSoubory, 4, 0, 1, 3);
  grid->addWidget(CheckBoxPuvodniPripona, 5, 0, 1, 3);
  grid->addWidget(LabelExtension, 6, 0);
  grid->addWidget(EditPripona, 6, 1, 1, 2);
}

void TFormKonverze::BuildProgress() {
  GroupBoxStavKonverze = Named(new QGroupBox("Stav", this), "GroupBoxStavKonverze");
  GaugeStavKonverze = Named(new QProgressBar(GroupBoxStavKonverze), "GaugeStavKonverze");
  GaugeStavKonverze->setRange(0, 1);
  GaugeStavKonverze->setValue(0);
  (new QVBoxLayout(GroupBoxStavKonverze))->addWidget(GaugeStavKonverze);

  GroupBoxPrubehKonverze = Named(new QGroupBox("Zprávy o průběhu konverze", this), "GroupBoxPrubehKonverze");
  ListBoxPrubehKonverze = Named(new QListWidget(GroupBoxPrubehKonverze), "ListBoxPrubehKonverze");
  ListBoxPrubehKonverze->setMinimumHeight(160);
  ListBoxPrubehKonverze->setUniformItemSizes(true);
  (new QVBoxLayout(GroupBoxPrubehKonverze))->addWidget(ListBoxPrubehKonverze);
}

void TFormKonverze::FormCreate() {
  m_mainWindow.FillBatchFormatList(*ComboBoxKonverzeOutput);
  FillSaveEncodingList(*ComboBoxKonverzeKodovani, FromUtf8(m_mainWindow.Texts().EncodingAsSource));
  EditKonverzeDir->setText(m_mainWindow.BatchDestinationFolder());
}

void TFormKonverze::SetAsSourceText(const QString& text) {
  qm::SetAsSourceText(*ComboBoxKonverzeKodovani, text);
}

void TFormKonverze::CheckBoxPuvodniPriponaClick() {
  EditPripona->setEnabled(!CheckBoxPuvodniPripona->isChecked());
}

void TFormKonverze::ButtonKonverzeDirClick() {
  TFormSelectDir& picker = m_mainWindow.FormSelectDir();
  if (!EditKonverzeDir->text().isEmpty()) picker.SetDirectory(EditKonverzeDir->text());
  m_mainWindow.DialogsLayer().ShowModal(picker);
}

void TFormKonverze::ButtonKonverzeZacitClick() {
  const QString folder = EditKonverzeDir->text();
  if (folder.isEmpty() || !DirectoryExists(ToPath(folder))) {
    ShowError(FromUtf8(m_mainWindow.Texts().ErrorBatchDirectory));
    return;
  }
  ConvertFiles(folder.endsWith('/') ? folder : folder + '/');
}

void TFormKonverze::ConvertFiles(const QString& dir) {
  const DynamicTexts& texts = m_mainWindow.Texts();
  WindowReport report(*this, m_mainWindow.DialogsLayer(), texts);
  std::optional<QString> failure;
  {
    RunningBatch running(*this);
    const int count = m_mainWindow.ListBoxBatch->count();
    // A progress bar without a range shows a busy animation; an empty run keeps a range.
    GaugeStavKonverze->setRange(0, std::max(count, 1));
    GaugeStavKonverze->setValue(0);
    ListBoxPrubehKonverze->clear();
    try {
      const BatchRequest request = RequestFromFields(dir);
      // A document of the run's own: the one open in the editor stays as it is.
      auto work = std::make_unique<SubtitleDocument>();
      qm::ConvertFiles(*work, request, WindowTexts(texts), m_mainWindow.FormatNames(), report);
      failure = report.Failure();
    } catch (const std::exception& error) {
      failure = FromUtf8(error.what());
    }
    report.ShowPending();
    ListBoxPrubehKonverze->scrollToBottom();
  }
  if (failure) ShowError(*failure);
}

BatchRequest TFormKonverze::RequestFromFields(const QString& dir) const {
  BatchRequest request;
  request.Layout =
      static_cast<uint8_t>(std::clamp(ComboBoxKonverzeOutput->currentIndex(), 0, kFormatCount - 1));
  if (!FormatCatalogue[request.Layout].Written) {
    // Listed for completeness, but nothing can write it: refused before any file is read.
    throw QuillmarkError(ErrorKind::Unsupported, m_mainWindow.Texts().ErrorFormatNotWritable + " " +
                                                     FormatName(m_mainWindow.FormatNames(), request.Layout));
  }
  request.FrameRate = StrToFloat(ToUtf8(ComboBoxKonverzeFrames->currentText()));
  request.InputEncoding = m_mainWindow.ChosenOpenEncoding();
  request.OutputEncoding = SaveEncodingOf(*ComboBoxKonverzeKodovani);
  const QListWidget& files = *m_mainWindow.ListBoxBatch;
  for (int i = 0; i < files.count(); ++i) request.Files.push_back(ToPath(files.item(i)->text()));
  request.Destination = ToPath(dir);
  request.KeepExtension = CheckBoxPuvodniPripona->isChecked();
  request.Extension = ToPath(EditPripona->text());
  request.Overwrite = CheckBoxPrepsatSoubory->isChecked();
  return request;
}

void TFormKonverze::ShowError(const QString& text) {
  m_mainWindow.DialogsLayer().Message(this, text, MessageIcon::Error, MessageButtons::Ok);
}

bool TFormKonverze::eventFilter(QObject* watched, QEvent* event) {
  // The window sees keys before its controls: Escape closes it from any of them.
  if (m_keyPreview && event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      reject();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormKonverze::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

}  // namespace qm
