#pragma once
// The folder picker of the batch window: a list of roots (the file-system root, the home
// folder, mounted volumes) linked to a tree of the folders below the chosen root.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

class TForm1;

class TFormSelectDir final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSelectDir(TForm1& mainWindow);

  // The folder chosen in the tree, without a trailing "/" (except for "/" itself).
  QString Directory() const;
  // Shows this folder in the tree under the root that holds it; a folder that does not
  // exist leaves the picker where it was.
  void SetDirectory(const QString& folder);

  void DriveComboBoxChange();
  void Button1Click();

  QComboBox* DriveComboBox;
  QTreeWidget* DirectoryListBox;
  QPushButton* Button1;

  // "/", the home folder and the volumes mounted under /media, /mnt and /run/media.
  static QStringList Roots();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowRoot(const QString& root);
  void FillChildren(QTreeWidgetItem& item);
  QTreeWidgetItem* Child(QTreeWidgetItem& item, const QString& name);

  TForm1& m_mainWindow;
};

}  // namespace qm
