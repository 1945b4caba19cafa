#pragma once
// The folder picker of the batch window: a list of roots (the file-system root, the home
// folder, mounted volumes) linked to a tree of the folders below the chosen root, a field
// where a folder's path can be typed or pasted, and a way to make a new folder.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
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
  // OK: the folder in the path field, when it exists, goes to the batch window.
  void Button1Click();
  // A new folder inside the chosen one, named by the user; the tree then shows it.
  void ButtonNovaSlozkaClick();
  // A typed or pasted path that names a folder: the tree goes there.
  void EditCestaEditingFinished();

  QComboBox* DriveComboBox;
  QTreeWidget* DirectoryListBox;
  QLabel* LabelCesta;
  QLineEdit* EditCesta;
  QPushButton* ButtonNovaSlozka;
  QPushButton* Button1;
  QPushButton* ButtonZrusit;

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
