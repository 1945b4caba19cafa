// The language file applied to the windows: every listed caption, hint, list item and
// window caption by the control's name, then the texts that depend on the editor's state.

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

#include "batch/konverze_form.h"
#include "batch/select_dir_form.h"
#include "platform/ini_file.h"
#include "ui/find_form.h"
#include "ui/frame_form.h"
#include "ui/info_form.h"
#include "ui/quillmark_unit.h"
#include "ui/subtitle_grid.h"
#include "ui/video_form.h"

namespace qm {
namespace {

constexpr const char* kWebAddress = "https://www.quillmark.example";

QString ObjectName(std::string_view name) { return QString::fromLatin1(name.data(), qsizetype(name.size())); }

bool SetTabCaption(QWidget& window, QWidget& page, const QString& text) {
  for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
    const int index = tabs->indexOf(&page);
    if (index < 0) continue;
    tabs->setTabText(index, text);
    return true;
  }
  return false;
}

void SetCaption(QWidget& window, QWidget& control, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(&control))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(&control))
    button->setText(text);
  else if (auto* group = qobject_cast<QGroupBox*>(&control))
    group->setTitle(text);
  else
    SetTabCaption(window, control, text);
}

void SetItem(QWidget& control, int item, const QString& text) {
  if (auto* box = qobject_cast<QComboBox*>(&control)) {
    if (item < box->count()) box->setItemText(item, text);
    return;
  }
  // A radio group: its buttons in the order they were made.
  const QList<QRadioButton*> buttons = control.findChildren<QRadioButton*>();
  if (item < buttons.size()) buttons[item]->setText(text);
}

// The texts of one window whose controls carry the names of the table; a control that the
// window lacks is passed over.
void ApplyTable(QWidget& window, std::span<const WindowTextKey> keys, const IniFile& language,
                SubtitleGridModel* grid = nullptr) {
  for (const WindowTextKey& entry : keys) {
    const QString text = FromUtf8(language.ReadString(entry.Section, entry.Key, kLanguageError));
    if (entry.Target == TextTarget::WindowCaption) {
      window.setWindowTitle(text);
      continue;
    }
    if (entry.Target == TextTarget::GridHeader) {
      if (grid) grid->SetHeaderText(entry.Index, text);
      continue;
    }
    auto* control = window.findChild<QWidget*>(ObjectName(entry.Control));
    if (!control) continue;
    switch (entry.Target) {
      case TextTarget::Caption:
        SetCaption(window, *control, text);
        break;
      case TextTarget::Hint:
        SetHint(*control, text);
        break;
      case TextTarget::Item:
        SetItem(*control, entry.Index, text);
        break;
      case TextTarget::StatusBarHint:
        SetHint(*control, text + " " + kWebAddress);
        break;
      default:
        break;
    }
  }
}

QString Lines(const std::vector<std::string>& lines) {
  QStringList shown;
  for (const std::string& line : lines) shown << FromUtf8(line);
  return shown.join('\n');
}

}  // namespace

void TForm1::ApplyLanguage(QWidget& window) {
  const IniFile language = IniFile::Load(m_languageFiles.IniPath(m_languageName));
  if (&window == this) {
    ApplyMainWindowTexts(language);
    return;
  }
  if (&window == m_formVideo.get()) {
    ApplyVideoTexts(language);
    return;
  }
  const std::span<const WindowTextKey> keys = SecondaryWindowTextKeys(window.objectName().toStdString());
  if (!keys.empty()) ApplyTable(window, keys, language);
  if (&window == m_formInfo.get()) m_formInfo->SetHistory(ReadNumberedLines(language, "INFO_HISTORY"));
}

void TForm1::ApplyMainWindowTexts(const IniFile& language) {
  const QString flag = FromPath(m_languageFiles.FlagPath(m_languageName));
  if (QFileInfo(flag).isFile()) {
    const QPixmap picture(flag);
    if (!picture.isNull()) {
      ImageLanguage->setPixmap(picture);
      ImageLanguage->resize(picture.size());
    }
  }
  QCoreApplication::processEvents();

  ApplyTable(*this, MainWindowTextKeys(), language, m_gridModel);
  ApplyStateTexts();
  MemoTipy->setPlainText(Lines(ReadNumberedLines(language, "TIPS")));
  MemoKlavZkratky->setPlainText(Lines(ReadNumberedLines(language, "SHORTCUTS")));
  SetHint(*ComboBoxLanguage, FromUtf8(LanguageAuthorHint(language)));
}

void TForm1::ApplyStateTexts() {
  ApplyEncodingTexts();
  // The caption stands in the top panel only while no file is open.
  if (!m_document.CurrentFileName.empty()) ShowSubtitlesFile();
  // Replacing the view's items lost its selection.
  ComboBoxSubPreview->setCurrentIndex(m_document.TimeMode);
  LabelVyberPosuvu->setText(FromUtf8(m_document.TimeMode == kModeFrames
                                         ? m_texts.LabelVyberPosuvuZkratkaSnimky
                                         : m_texts.LabelVyberPosuvuZkratkaSekundy));
  const std::string& speed = m_timeScale < 1.0    ? m_texts.LabelZmenaRychlostiTitulkyZrychli
                             : m_timeScale == 1.0 ? m_texts.LabelZmenaRychlostiTitulkyBezeZmeny
                                                  : m_texts.LabelZmenaRychlostiTitulkyZpomali;
  SetHint(*EditTimeScale, FromUtf8(speed));
  LabelZmenaRychlosti->setText(FromUtf8(speed));
  if (m_newSubtitleFlag) LabelTitleNum->setText(FromUtf8(m_texts.LabelTitleNumNovyTitulek));
  m_statusMemoPanels[2]->setText(
      FromUtf8(m_overwriteMode ? m_texts.StatusBarMemoPrepisovani : m_texts.StatusBarMemoVkladani));
}

void TForm1::ComboBoxLanguageChange() {
  m_languageName = ToUtf8(ComboBoxLanguage->currentText());
  ImageLanguage->clear();
  m_texts = LoadDynamicTextsFrom(m_languageFiles.IniPath(m_languageName));
  ApplyLanguage(*this);
  ApplyLanguage(*m_formFrame);
  ApplyLanguage(*m_formFind);
  ApplyLanguage(*m_formSelectDir);
  ApplyLanguage(*m_formKonverze);
  ApplyLanguage(*m_formVideo);
  ApplyLanguage(*m_formInfo);
}

}  // namespace qm
