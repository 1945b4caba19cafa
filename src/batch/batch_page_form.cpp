// The batch page of the main window: the list of files to convert and the button that opens
// the batch window.

#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "batch/batch_engine.h"
#include "batch/konverze_form.h"
#include "ui/file_drop.h"
#include "ui/quillmark_unit.h"

namespace qm {
void TForm1::ConnectBatchPage() {
  OpenDialogBatch.Filter = OpenDialog.Filter;
  connect(ButtonBatchPridat, &QPushButton::clicked, this, [this] { ButtonBatchPridatClick(); });
  connect(ButtonBatchOdebrat, &QPushButton::clicked, this, &TForm1::ButtonBatchOdebratClick);
  connect(ButtonBatchSmazat, &QPushButton::clicked, this, &TForm1::ButtonBatchSmazatClick);
  connect(ButtonBatchKonvertovat, &QPushButton::clicked, this, &TForm1::ButtonBatchKonvertovatClick);
  new FileDropTarget(*ListBoxBatch->viewport(),
                     [this](const QStringList& paths) { BatchFilesDropped(paths); });
}

void TForm1::ButtonBatchPridatClick() {
  try {
    const QStringList files = m_dialogs.OpenFileNames(this, OpenDialogBatch);
    if (files.isEmpty()) return;
    ListBoxBatch->addItems(files);
    // The dialog opens next time in the folder of this selection.
    OpenDialogBatch.Folder = QFileInfo(files.first()).absolutePath() + "/";
  } catch (const std::exception&) {
    ShowText(m_texts.ErrorCantOpenFile, MessageIcon::Error);
  }
}

void TForm1::ButtonBatchOdebratClick() { qDeleteAll(ListBoxBatch->selectedItems()); }

void TForm1::ButtonBatchSmazatClick() { ListBoxBatch->clear(); }

void TForm1::ButtonBatchKonvertovatClick() {
  TFormKonverze& form = FormKonverze();
  form.ButtonKonverzeZacit->setEnabled(ListBoxBatch->count() > 0);
  m_dialogs.ShowModal(form);
}

void TForm1::BatchFilesDropped(const QStringList& paths) {
  std::vector<std::string> dropped;
  for (const QString& path : paths) dropped.push_back(ToPath(path));
  for (const std::string& path : ExpandDroppedPaths(dropped)) ListBoxBatch->addItem(FromPath(path));
}

void TForm1::FillBatchFormatList(QComboBox& box) { FillFormatList(box); }

const FormatNameList& TForm1::FormatNames() const { return m_formatNames; }

// The settings are read while the main window is created, before the batch window; the
// window takes the folder over when it is created.
QString TForm1::BatchDestinationFolder() const {
  return m_formKonverze ? m_formKonverze->EditKonverzeDir->text() : m_batchDestinationBeforeWindow;
}

void TForm1::SetBatchDestinationFolder(const QString& folder) {
  if (m_formKonverze) {
    m_formKonverze->EditKonverzeDir->setText(folder);
  } else {
    m_batchDestinationBeforeWindow = folder;
  }
}

}  // namespace qm
