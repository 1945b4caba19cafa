#pragma once
// The batch window: output format, frame rate, destination folder and naming options, and
// the report of a run.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace qm {

struct BatchRequest;
class TForm1;

class TFormKonverze final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormKonverze(TForm1& mainWindow);
  ~TFormKonverze() override;

  void FormCreate();
  void CheckBoxPuvodniPriponaClick();
  void ButtonKonverzeDirClick();
  void ButtonKonverzeZacitClick();
  // Converts every file of the main window's batch list into dir, which ends with "/".
  void ConvertFiles(const QString& dir);
  // Whether the window sees keys before its controls (off while a run goes on).
  bool KeyPreview() const { return m_keyPreview; }
  // The language's text for the encoding list's first item.
  void SetAsSourceText(const QString& text);

  QGroupBox* GroupBoxNastaveniKonverze;
  QLabel* LabelOutputFormat;
  QComboBox* ComboBoxKonverzeOutput;
  QLabel* LabelFrameRate;
  QComboBox* ComboBoxKonverzeFrames;
  QLabel* LabelKodovani;
  QComboBox* ComboBoxKonverzeKodovani;
  QLabel* LabelDestination;
  QLineEdit* EditKonverzeDir;
  QPushButton* ButtonKonverzeDir;
  QCheckBox* CheckBoxPrepsatSoubory;
  QCheckBox* CheckBoxPuvodniPripona;
  QLabel* LabelExtension;
  QLineEdit* EditPripona;
  QGroupBox* GroupBoxStavKonverze;
  QProgressBar* GaugeStavKonverze;
  QGroupBox* GroupBoxPrubehKonverze;
  QListWidget* ListBoxPrubehKonverze;
  QPushButton* ButtonKonverzeZacit;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  friend class RunningBatch;

  void BuildSettings();
  void BuildProgress();
  // The run as the fields set it; fails on an unwritable format or a rate that is no number.
  BatchRequest RequestFromFields(const QString& dir) const;
  void ShowError(const QString& text);

  TForm1& m_mainWindow;
  bool m_keyPreview = true;
};

}  // namespace qm
