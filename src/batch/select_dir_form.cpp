#include "batch/select_dir_form.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "batch/konverze_form.h"
#include "ui/dialogs.h"
#include "ui/quillmark_unit.h"
#include "ui/window_placement.h"

namespace qm {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

QString PathOf(const QTreeWidgetItem& item) { return item.data(0, kPathRole).toString(); }

QString JoinPath(const QString& folder, const QString& name) {
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool IsUnder(const QString& folder, const QString& root) {
  return folder == root || folder.startsWith(root.endsWith('/') ? root : root + '/');
}

QTreeWidgetItem* NewFolderItem(const QString& path, const QString& text) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setData(0, kPathRole, path);
  // Children are read when the folder is opened; until then it may have some.
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

}  // namespace

TFormSelectDir::TFormSelectDir(TForm1& mainWindow)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_mainWindow(mainWindow) {
  setObjectName("TFormSelectDir");
  setWindowTitle("Vyhledat adresář...");
  setModal(true);

  DriveComboBox = new QComboBox(this);
  DriveComboBox->setObjectName("DriveComboBox");
  for (const QString& root : Roots()) DriveComboBox->addItem(root, root);
  DirectoryListBox = new QTreeWidget(this);
  DirectoryListBox->setObjectName("DirectoryListBox");
  DirectoryListBox->setHeaderHidden(true);
  DirectoryListBox->setColumnCount(1);
  DirectoryListBox->setMinimumSize(300, 280);
  LabelCesta = new QLabel("Složka:", this);
  LabelCesta->setObjectName("LabelCesta");
  EditCesta = new QLineEdit(this);
  EditCesta->setObjectName("EditCesta");
  LabelCesta->setBuddy(EditCesta);
  ButtonNovaSlozka = new QPushButton("&Nová složka...", this);
  ButtonNovaSlozka->setObjectName("ButtonNovaSlozka");
  ButtonNovaSlozka->setAutoDefault(false);
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  ButtonZrusit = new QPushButton("Zrušit", this);
  ButtonZrusit->setObjectName("ButtonZrusit");
  ButtonZrusit->setAutoDefault(false);

  auto* path = new QHBoxLayout;
  path->addWidget(LabelCesta);
  path->addWidget(EditCesta, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonNovaSlozka);
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(ButtonZrusit);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DriveComboBox);
  layout->addWidget(DirectoryListBox);
  layout->addLayout(path);
  layout->addLayout(buttons);

  connect(DriveComboBox, &QComboBox::activated, this, &TFormSelectDir::DriveComboBoxChange);
  connect(DirectoryListBox, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { FillChildren(*item); });
  connect(DirectoryListBox, &QTreeWidget::currentItemChanged, this,
          [this] { EditCesta->setText(Directory()); });
  connect(EditCesta, &QLineEdit::editingFinished, this, &TFormSelectDir::EditCestaEditingFinished);
  connect(ButtonNovaSlozka, &QPushButton::clicked, this, &TFormSelectDir::ButtonNovaSlozkaClick);
  connect(Button1, &QPushButton::clicked, this, &TFormSelectDir::Button1Click);
  connect(ButtonZrusit, &QPushButton::clicked, this, &QDialog::reject);
  // The picker starts where the user most likely keeps files.
  SetDirectory(QDir::homePath());
}

QStringList TFormSelectDir::Roots() {
  QStringList roots{"/"};
  const QString home = QDir::cleanPath(QDir::homePath());
  if (home != "/") roots << home;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString path = volume.rootPath();
    const bool removable =
        path.startsWith("/media/") || path.startsWith("/mnt/") || path.startsWith("/run/media/");
    if (removable && volume.isValid() && volume.isReady() && !roots.contains(path)) roots << path;
  }
  return roots;
}

QString TFormSelectDir::Directory() const {
  const QTreeWidgetItem* item = DirectoryListBox->currentItem();
  if (item == nullptr) item = DirectoryListBox->topLevelItem(0);
  return item ? PathOf(*item) : QString();
}

void TFormSelectDir::SetDirectory(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.isDir()) return;
  const QString target = QDir::cleanPath(info.absoluteFilePath());
  // The root that holds the folder most closely.
  int drive = 0;
  for (int i = 0; i < DriveComboBox->count(); ++i) {
    const QString root = DriveComboBox->itemData(i).toString();
    if (IsUnder(target, root) && root.size() > DriveComboBox->itemData(drive).toString().size()) drive = i;
  }
  const QString root = DriveComboBox->itemData(drive).toString();
  {
    const QSignalBlocker quiet(DriveComboBox);
    DriveComboBox->setCurrentIndex(drive);
  }
  ShowRoot(root);
  QTreeWidgetItem* item = DirectoryListBox->topLevelItem(0);
  for (const QString& name : target.mid(root.size()).split('/', Qt::SkipEmptyParts)) {
    FillChildren(*item);
    item->setExpanded(true);
    item = Child(*item, name);
  }
  DirectoryListBox->setCurrentItem(item);
  DirectoryListBox->scrollToItem(item);
}

void TFormSelectDir::DriveComboBoxChange() {
  ShowRoot(DriveComboBox->currentData().toString());
  DirectoryListBox->setCurrentItem(DirectoryListBox->topLevelItem(0));
}

namespace {

// The folder a typed path names, absolute and without "." or ".."; empty when there is none.
QString TypedFolder(const QString& typed) {
  QString text = typed.trimmed();
  if (text.startsWith("~/") || text == "~") text = QDir::homePath() + text.mid(1);
  const QFileInfo info(text);
  return !text.isEmpty() && info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}

}  // namespace

void TFormSelectDir::Button1Click() {
  const QString folder = TypedFolder(EditCesta->text());
  if (folder.isEmpty()) {
    m_mainWindow.DialogsLayer().Message(this, FromUtf8(m_mainWindow.Texts().ErrorBatchDirectory),
                                        MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  m_mainWindow.FormKonverze().EditKonverzeDir->setText(folder);
  accept();
}

void TFormSelectDir::EditCestaEditingFinished() {
  const QString folder = TypedFolder(EditCesta->text());
  if (!folder.isEmpty() && folder != Directory()) SetDirectory(folder);
}

void TFormSelectDir::ButtonNovaSlozkaClick() {
  const QString parent = Directory();
  const DynamicTexts& texts = m_mainWindow.Texts();
  const QString suggested = ButtonNovaSlozka->text().remove('&').remove("...");
  const std::optional<QString> name = m_mainWindow.DialogsLayer().TextInput(
      this, windowTitle(), FromUtf8(texts.QuestionNovaSlozka), suggested);
  if (!name || name->trimmed().isEmpty()) return;
  const QString folder = QDir(parent).filePath(name->trimmed());
  // One new folder inside the chosen one, never a path elsewhere.
  if (name->contains('/') || !QDir(parent).mkdir(name->trimmed())) {
    m_mainWindow.DialogsLayer().Message(this, FromUtf8(texts.ErrorNovaSlozka) + "\n" + folder,
                                        MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  SetDirectory(folder);
}

void TFormSelectDir::ShowRoot(const QString& root) {
  DirectoryListBox->clear();
  QTreeWidgetItem* top = NewFolderItem(root, root);
  DirectoryListBox->addTopLevelItem(top);
  FillChildren(*top);
  top->setExpanded(true);
}

void TFormSelectDir::FillChildren(QTreeWidgetItem& item) {
  if (item.data(0, kFilledRole).toBool()) return;
  item.setData(0, kFilledRole, true);
  const QString path = PathOf(item);
  const QStringList names =
      QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& name : names) item.addChild(NewFolderItem(JoinPath(path, name), name));
  if (item.childCount() == 0) item.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

QTreeWidgetItem* TFormSelectDir::Child(QTreeWidgetItem& item, const QString& name) {
  for (int i = 0; i < item.childCount(); ++i)
    if (item.child(i)->text(0) == name) return item.child(i);
  // A hidden folder is not listed, but a typed path may lead through one.
  QTreeWidgetItem* child = NewFolderItem(JoinPath(PathOf(item), name), name);
  item.addChild(child);
  return child;
}

void TFormSelectDir::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

}  // namespace qm
