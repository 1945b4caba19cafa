#pragma once
// The main window: the subtitle grid, the tool pages and the file flow (open, save,
// frames/clock switch, close). Handlers read their controls, call the core and show the
// result; every failure reaches the user through the dialogs interface.

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/language.h"
#include "config/window_texts.h"
#include "document/document_history.h"
#include "document/subtitle_document.h"
#include "formats/catalogue.h"
#include "ui/dialogs.h"
#include "ui/text_bridge.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QTableView;
class QTimer;
class QToolButton;

namespace qm {

class EncodingError;

class IniFile;
struct LoadResult;
class SpinButton;
class SubtitleGridModel;
class TFormFind;
class TFormFrame;
class TFormInfo;
class TFormKonverze;
class TFormSelectDir;
class TFormVideo;

// What the editor learns from its surroundings at start; tests set every field.
struct StartupOptions {
  QString ProgramFolder;            // the program's folder, ending with "/"
  QStringList Arguments;            // the command line without the program's name
  std::optional<QSize> ScreenSize;  // the screen to fit; the primary screen when empty
  // Where the settings file is read and written; empty: ProgramFolder + "Data/settings.ini".
  QString SettingsFile;
  // A folder of the user's own language files, listed beside the shipped ones; may be empty.
  QString UserLanguageFolder;
  // The list of recently opened files; empty: kept for this run only.
  QString RecentFilesFile;
};

// A control's hint: its tooltip, and the text the status bar shows while the mouse is on it.
void SetHint(QWidget& control, const QString& hint);

// The window's size and place on a screen: shrunk on small screens, then centred.
QRect FitMainWindow(QSize designSize, QSize screenSize);

// How a failed open is reported: the open button has its own text, a drop and the
// command line show the failure's own message.
enum class OpenFailureReport { CantOpenFile, OwnMessage };

class TForm1 final : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(Dialogs& dialogs, StartupOptions options, QWidget* parent = nullptr);
  ~TForm1() override;

  SubtitleDocument& Document() { return m_document; }
  const DynamicTexts& Texts() const { return m_texts; }
  SubtitleGridModel& GridModel() { return *m_gridModel; }
  TFormInfo& FormInfo() { return *m_formInfo; }
  TFormFind& FormFind() { return *m_formFind; }
  TFormKonverze& FormKonverze() { return *m_formKonverze; }
  TFormSelectDir& FormSelectDir() { return *m_formSelectDir; }
  TFormFrame& FormFrame() { return *m_formFrame; }
  TFormVideo& FormVideo() { return *m_formVideo; }
  Dialogs& DialogsLayer() { return m_dialogs; }
  QString StatusPanelText(int panel) const;
  int StatusPanelWidth(int panel) const;
  int RunCount() const { return m_runCount; }
  const QString& ProgramFolder() const { return m_programFolder; }

  // --- File flow ------------------------------------------------------------------------
  void ButtonNacistClick();
  void ButtonUlozitClick();
  // The save flow; true when the file was written.
  bool SaveDocument();
  void FilesDropped(const QStringList& fileNames);
  void UmOpenCommandLine();
  void UmAfterShow();
  void OpenFile(const QString& fileName, OpenFailureReport report);  // the common open wrapper
  void OpenSubtitleFile(const QString& fileName);

  // --- Grid and views -------------------------------------------------------------------
  void FillGrid();
  void ClearGridRows(int fromRow, int toRow);
  // Asks for the frame rate and completes the table; false when the user backed out.
  bool CompleteTable();
  void ComboBoxSubPreviewChange();
  void AdaptShiftControls(uint8_t mode);
  void ClearEditorTimes();
  void ShowDuration(const TSubtitle& record);

  // --- Unsaved changes (unsaved_changes.cpp) ----------------------------------------------
  // Changes since the document was last opened or saved, as the undo history recorded them.
  bool IsModified();
  // Before the document is set aside (closing, opening another file): with unsaved changes,
  // asks Save, Discard or Cancel. True when the caller may go on: nothing to lose, discarded,
  // or saved.
  bool QueryUnsavedChanges();
  // "film.srt* – Quillmark v0.91": the file last opened or saved, marked while modified.
  void UpdateWindowTitle();

  // --- Recent files (recent_files_menu.cpp) ---------------------------------------------
  // Opens a file of the list; a file that is gone is reported and dropped from the list.
  void OpenRecentFile(const QString& fileName);
  QStringList RecentFileNames() const;  // newest first

  // --- Encodings (encoding_lists.cpp) ---------------------------------------------------
  void BuildEncodingLists();
  void ApplyEncodingTexts();
  // nullopt: found from each file ("Auto").
  std::optional<TextEncoding> ChosenOpenEncoding() const;
  TextEncoding ChosenSaveEncoding() const;
  void ShowEncodingError(const EncodingError& error);

  // --- Window -----------------------------------------------------------------------------
  void ComboBoxSaveChange();
  void CheckBoxAlwaysOnTopClick();
  void ButtonHelpClick();
  void LabelAutorClick();
  void FormResize();
  void FitTextColumn();

  // Runs a handler's body; a failure that escapes it is shown as the failure's own message.
  template <class Body>
  void Guarded(Body&& body) {
    try {
      body();
    } catch (const std::exception& error) {
      ShowError(FromUtf8(error.what()));
    }
  }

  // --- Editor page, grid keys and clicks (editor_page.cpp) -------------------------------
  void SetNewSubtitleFlag(bool isNew);  // also shows the row number or the new-subtitle text
  void UpdateMaxLines();
  int CurrentRow() const;       // the grid's current row, 1-based
  void SetCurrentRow(int row);  // runs TitulkyClick when the row changes
  void TitulkyClick();
  void TitulkyDblClick();
  void ButtonPridatClick();
  void ButtonVlozitClick();
  void ButtonZmenitClick();
  void ButtonOdebratClick();
  void ButtonSmazatClick();
  void ButtonClearClick();
  void ButtonNajitClick();
  void ButtonSubPreviewFontClick();
  void ResetCounters();
  void RefreshDuration();
  void ShowCaretPosition();
  QString StatusBarMemoText(int panel) const;
  bool TitulkyKeyPress(const QKeyEvent& key);  // also TitulkyKeyDown: Delete, Enter
  bool MemoAktualKeyDown(const QKeyEvent& key);
  void EditHH1Change(QLineEdit& field, int limit);
  void SpinEditStartChange(QSpinBox& spin);
  void MemoAktualChange();
  QTimer* TimerJumpClear = nullptr;

  // --- Undo history (undo_actions.cpp) ---------------------------------------------------
  // Called before a tool changes the whole document, so that one undo step restores it.
  void BeginWholeDocumentChange();
  void UndoClick();
  void RedoClick();
  DocumentHistory& History() { return *m_history; }

  // --- Video window (video_actions.cpp) -------------------------------------------------
  void ButtonVideoClick();
  // A film, told by its content, opens in the video window; false for any other file.
  bool OpenVideoIfFilm(const QString& fileName);
  // Offers the film that stands beside a subtitle file under its base name.
  void OfferVideoBeside(const QString& subtitleFile);
  // "Set show time", "Set hide time" (and go to the next subtitle) at the film's position.
  void SetTimeFromVideo(int which, bool thenNext);
  // One time of one subtitle, one undo step; the grid row and the editor follow.
  void SetSubtitleTimeAt(int32_t row, int which, int64_t ms);
  // The timing keys, in the main window and in the video window.
  bool VideoKeyDown(const QKeyEvent& key);
  QToolButton* ButtonVideo = nullptr;

  // --- Statistics page (statistics_page.cpp) ---------------------------------------------
  // The check; after a load the report is filled only when CheckBoxAutoStatistika says so.
  void ButtonStatistikaClick(bool afterLoad = false);
  void MemoStatistikaDblClick(int line);        // the subtitle a report line names, in the editor
  QLineEdit* EditStatistikaMaxDelka = nullptr;  // seconds, Label4
  QLineEdit* EditStatistikaMinDelka = nullptr;  // seconds, Label5
  QLineEdit* EditStatistikaMaxRadku = nullptr;  // lines, Label8

  // --- Time tools page (time_page.cpp) ---------------------------------------------------
  void ButtonPosuvCasuClick();
  void EditPosuvChange();
  void SpinButtonPosuvClick(bool up);  // SpinButtonPosuvUpClick, SpinButtonPosuvDownClick
  void CheckBoxPosuvOdDoClick();
  void EditPosuvOdDoChange(QLineEdit& field);
  void ComboBoxSnimkyChange(QComboBox& box);
  void EditTimeScaleChange();
  void ButtonZmenaRychlostiClick();
  void ButtonSchovDleZobrazClick();
  void ButtonZobrazDleSchovClick();
  double TimeScale() const { return m_timeScale; }

  // --- Text tools page (text_page.cpp) ---------------------------------------------------
  void ButtonProvestClick();
  void ButtonDeleteEmptyClick();
  void ButtonKonvertToCestinaClick();
  void ButtonZalomeniRadekClick();
  void EditMaxCharsOnLineKeyUp();

  // --- Language, settings, options and samples pages (language_apply.cpp, options_page.cpp,
  //     samples_page.cpp) -------------------------------------------------------------------
  // Applies the language file's texts to the main window or to one of the five secondary
  // windows (by object name, the About window too); any other window is left alone.
  void ApplyLanguage(QWidget& window);
  void ComboBoxLanguageChange();
  const std::string& LanguageName() const { return m_languageName; }
  // Reads the settings file into the controls; returns the stored run count.
  int32_t LoadSettings();
  // Writes the settings file; a failure shows ErrorCantSaveConfig and keeps the old file.
  void SaveSettings(int32_t runCount);
  QString SettingsFile() const;
  void ButtonRegisterExtClick();
  void ComboBoxFormatChange();
  void RadioButtonZdrojClick();
  void RichEditUkazkyFormatuMouseMove();

  // --- Batch page (batch/batch_page_form.cpp) --------------------------------------------
  // The batch window's destination folder, read from and written to the settings file.
  QString BatchDestinationFolder() const;
  void SetBatchDestinationFolder(const QString& folder);
  void ButtonBatchPridatClick();
  void ButtonBatchOdebratClick();
  void ButtonBatchSmazatClick();
  void ButtonBatchKonvertovatClick();
  // Appends dropped files, and the subtitle files directly inside dropped folders.
  void BatchFilesDropped(const QStringList& paths);
  // The batch window's output list is filled like the main window's format lists.
  void FillBatchFormatList(QComboBox& box);
  const FormatNameList& FormatNames() const;

 signals:
  // The open wrapper has finished, whether the file opened or not.
  void FileOpened();

 public:
  // Top panel
  QFrame* PanelTop;
  QListWidget* ListBoxDragAndDrop;
  QLabel* LabelNahled;
  QComboBox* ComboBoxSubPreview;
  QLabel* LabelFormat;
  QToolButton* ButtonSubPreviewFont;
  QProgressBar* GaugeWriteSub;
  QLabel* StaticTextSubtitlesFile;
  QLabel* LabelPocetTitulku;
  QLabel* PanelTitulkyMax;

  QTableView* Titulky;

  QFrame* PanelTools;
  QTabWidget* PageControl;
  QWidget* TabSheetUpravyCasu;
  QWidget* TabSheetUpravyTitulku;
  QWidget* TabSheetEditace;
  QWidget* TabSheetStatistika;
  QWidget* TabSheetUkazkyFormatu;
  QWidget* TabSheetDavkovaKonverze;
  QWidget* TabSheetMoznosti;
  QWidget* TabSheetRozdelovani;

  // Úpravy časů
  QGroupBox* GroupBoxPosuvCasu;
  QLabel* LabelPosunout;
  QSpinBox* SpinEditPosuv;
  QLineEdit* EditPosuv;
  SpinButton* SpinButtonPosuv;
  QLabel* LabelVyberPosuvu;
  QCheckBox* CheckBoxShow;
  QCheckBox* CheckBoxHide;
  QCheckBox* CheckBoxPosuvOdDo;
  QLineEdit* EditPosuvOd;
  QLabel* LabelAz;
  QLineEdit* EditPosuvDo;
  QPushButton* ButtonPosuvCasu;
  QGroupBox* GroupBoxZmenaRychlosti;
  QLabel* LabelZmenaRychlosti;
  QComboBox* ComboBoxSnimky1;
  QLabel* Label10;
  QComboBox* ComboBoxSnimky2;
  QLabel* Label1;
  QLabel* LabelCasoveMeritko;
  QLineEdit* EditTimeScale;
  QPushButton* ButtonZmenaRychlosti;
  QGroupBox* GroupBoxNastavitCasy;
  QPushButton* ButtonSchovDleZobraz;
  QPushButton* ButtonZobrazDleSchov;

  // Úpravy titulků
  QGroupBox* GroupBoxZmeny;
  QCheckBox* CheckBoxRepairHiding;
  QCheckBox* CheckBoxDeleteLastEmptyChars;
  QLabel* LabelNahraditString;
  QLineEdit* EditString1;
  QLineEdit* EditString2;
  QPushButton* ButtonProvest;
  QPushButton* ButtonDeleteEmpty;
  QPushButton* ButtonKonvertToCestina;
  QCheckBox* CheckBoxKonvertOnlyBadAccents;
  QGroupBox* GroupBoxZalamovaniRadku;
  QLabel* LabelMaxCharsOnLine;
  QLineEdit* EditMaxCharsOnLine;
  QPushButton* ButtonZalomeniRadek;

  // Editace
  QLabel* LabelTitulek;
  QLabel* LabelTitleNum;
  QLabel* LabelRadku;
  QLabel* LabelLines;
  QToolButton* ButtonClear;
  QPlainTextEdit* MemoAktual;
  QStatusBar* StatusBarMemo;
  QLabel* LabelZobrazeni;
  QLabel* LabelZmizeni;
  QLabel* LabelTrvani;
  QFrame* PanelSubFormat0;
  QSpinBox* SpinEditStart;
  QSpinBox* SpinEditKonec;
  QFrame* PanelSubFormat1;
  QLineEdit* EditHH1;
  QLineEdit* EditMM1;
  QLineEdit* EditSS1;
  QLineEdit* EditSSS1;
  QLineEdit* EditHH2;
  QLineEdit* EditMM2;
  QLineEdit* EditSS2;
  QLineEdit* EditSSS2;
  QLineEdit* EditDiference;
  QGroupBox* GroupBoxEditace;
  QPushButton* ButtonPridat;
  QPushButton* ButtonVlozit;
  QPushButton* ButtonZmenit;
  QPushButton* ButtonOdebrat;
  QCheckBox* CheckBoxSmazat;
  QPushButton* ButtonSmazat;
  QPushButton* ButtonNajit;

  // Statistika
  QCheckBox* CheckBoxAutoStatistika;
  QPushButton* ButtonStatistika;
  QProgressBar* GaugeStatistika;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label8;
  QLabel* Label7;
  QLabel* Panel2;
  QLabel* Label6;
  QLabel* Panel1;
  QLabel* Lab7;
  QLabel* PanelLinesMax;
  QPlainTextEdit* MemoStatistika;

  // Ukázky formátů
  QLabel* LabelVstupniFormat;
  QLineEdit* EditZdrojFormat;
  QLabel* LabelUkazatZdroj;
  QRadioButton* RadioButtonZdroj;
  QLabel* LabelVyberteFormat;
  QRadioButton* RadioButtonFormat;
  QComboBox* ComboBoxFormat;
  QPlainTextEdit* RichEditUkazkyFormatu;

  // Dávková konverze
  QListWidget* ListBoxBatch;
  QPushButton* ButtonBatchPridat;
  QPushButton* ButtonBatchOdebrat;
  QPushButton* ButtonBatchSmazat;
  QPushButton* ButtonBatchKonvertovat;

  // Možnosti
  QLabel* LabelTipy;
  QPlainTextEdit* MemoTipy;
  QPushButton* ButtonRegisterExt;
  QLabel* LabelKlavesoveZkratky;
  QPlainTextEdit* MemoKlavZkratky;
  QLabel* LabelSpusteniProgramu;
  QLabel* LabelExecution;
  QCheckBox* CheckBoxEditByOneClick;
  QCheckBox* CheckBoxAlwaysOnTop;
  QCheckBox* CheckBoxAskToClose;

  // Rozdělování
  QLabel* LabelRozdelovani;

  // Right-hand menu panel
  QFrame* PanelMenu;
  QComboBox* ComboBoxKodovaniNacist;
  QPushButton* ButtonNacist;
  QToolButton* ButtonNedavneSoubory;  // the drop-down arrow of the recent files
  QMenu* MenuNedavneSoubory;          // also ButtonNacist's context menu
  QPushButton* ButtonUlozit;
  QComboBox* ComboBoxSave;
  QComboBox* ComboBoxKodovaniUlozit;
  QPushButton* ButtonHelp;
  QPushButton* ButtonKonec;
  QComboBox* ComboBoxLanguage;
  QLabel* ImageLanguage;
  QToolButton* ButtonMail;
  QLabel* LabelCopyright;
  QLabel* LabelAutor;

  QStatusBar* StatusBar;

  // The open and save dialogs keep their title and initial folder between uses.
  FileDialogRequest OpenDialog;
  FileDialogRequest SaveDialog;
  FileDialogRequest OpenDialogBatch;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class BusyWindow;

  void BuildWindow();
  void BuildTopPanel();
  void BuildGrid();
  void BuildPages();
  void BuildTimePage();
  void BuildTextToolsPage();
  void BuildEditorPage();
  void BuildStatisticsPage();
  void BuildSamplesPage();
  void BuildBatchPage();
  void BuildOptionsPage();
  void BuildMenuPanel();
  void BuildStatusBar();
  void ConnectHandlers();
  void FormCreate();
  bool FormCloseQuery();
  void FormKeyDown(int key);
  bool StandardKeyDown(const QKeyEvent& key);  // Ctrl+O, Ctrl+S, Ctrl+F, Ctrl+Q; true when used
  void FillFormatList(QComboBox& box);
  void SetModesFromFormat();
  void ResetSamplesPage();
  void ShowPartialLoad(int32_t oldCount);
  // Zeroed times in the status bar; a rate the file gives proposed in the frame-rate window.
  void ReportLoadNotes(const LoadResult& loaded);
  bool HandleDrop(QEvent* event);
  bool HandleAuthorLabel(QEvent* event);
  void ShowApplicationHint(const QString& hint);
  void LayoutTopPanel();
  // The open file's path in the top panel, elided to fit; the whole path is its hint.
  void ShowSubtitlesFile();
  FileDialogRequest SaveDialogRequest(uint8_t layout) const;
  void ShowError(const QString& text);
  void ShowText(const std::string& cp1250Text, MessageIcon icon);

  // Each page wires its own controls; ConnectHandlers calls these in page order.
  void ConnectTimePage();
  void ConnectTextPage();
  void ConnectEditorPage();
  void ConnectStatisticsPage();
  void ConnectSamplesPage();
  void ConnectBatchPage();
  void ConnectOptionsPage();

  Dialogs& m_dialogs;
  StartupOptions m_options;
  SubtitleDocument m_document;
  DynamicTexts m_texts;
  FormatNameList m_formatNames;
  SubtitleGridModel* m_gridModel = nullptr;
  // Windows of their own, not children: disabling the main window during a load must not
  // disable a window that is shown meanwhile.
  std::unique_ptr<TFormInfo> m_formInfo;
  std::unique_ptr<TFormFind> m_formFind;
  std::unique_ptr<TFormKonverze> m_formKonverze;
  std::unique_ptr<TFormSelectDir> m_formSelectDir;
  std::unique_ptr<TFormFrame> m_formFrame;
  std::unique_ptr<TFormVideo> m_formVideo;
  QLabel* m_statusPanels[2] = {nullptr, nullptr};
  QLabel* m_statusMemoPanels[3] = {nullptr, nullptr, nullptr};
  QString m_programFolder;
  int m_runCount = 1;
  uint8_t m_saveFormatIndex = 0;
  bool m_documentCut = false;  // the open file held more subtitles than the table
  double m_timeScale = 1.0;
  bool m_newSubtitleFlag = true;
  bool m_overwriteMode = false;
  int m_memoLimit = 0;  // typing stops here: 1500, or the length of a longer text loaded
  bool m_shown = false;
  int m_busyDepth = 0;
  const QEvent* m_keyEvent = nullptr;  // only compared, never read
  QPointer<QWidget> m_keyReceiver;
  QString m_titleFileName;  // the file last opened or saved, for the title; empty for none

  // Each page keeps its private state and helpers in a struct of its own file, held through
  // one pointer; the struct is complete only there, so each file also deletes its own.
  struct PageDeleter {
    template <class Page>
    void operator()(Page* page) const {
      DeletePage(page);
    }
  };
  struct EditorPage;  // editor_page.cpp
  static void DeletePage(EditorPage* page);
  std::unique_ptr<EditorPage, PageDeleter> m_editorPage;
  struct RecentFilesMenu;  // recent_files_menu.cpp
  static void DeletePage(RecentFilesMenu* menu);
  std::unique_ptr<RecentFilesMenu, PageDeleter> m_recentFilesMenu;
  void ConnectRecentFiles();
  void RememberRecentFile(const QString& fileName);
  struct StatisticsPage;  // statistics_page.cpp
  static void DeletePage(StatisticsPage* page);
  std::unique_ptr<StatisticsPage, PageDeleter> m_statisticsPage;
  // Runs body while a change of the grid's current row does not count as a click.
  void WithoutGridClicks(const std::function<void()>& body);
  // The grid row shows the table's subtitle again.
  void WriteGridRow(int row);
  // The editor page's frame and clock fields and duration show the subtitle's times.
  void ShowEditorTimes(const TSubtitle& r);

  // Undo history
  bool UndoKeyDown(const QKeyEvent& key);
  void AfterHistoryStep(int32_t oldCount, uint8_t oldTimeMode, int32_t changedAt);
  std::unique_ptr<DocumentHistory> m_history;

  // Time and text tools pages state
  // Runs a tool that changes the whole document: the window is disabled meanwhile, the tool is
  // one step of the undo history, and the grid shows what the table holds even after a failure.
  void RunWholeDocumentTool(const std::function<void()>& change);

  // Settings and language state
  std::string m_languageName;  // empty when no language is chosen
  LanguageFiles m_languageFiles;
  void ApplyMainWindowTexts(const IniFile& language);
  void ApplyStateTexts();

  // Video window
  void ConnectVideo();
  void ApplyVideoTexts(const IniFile& language);
  std::optional<double> FpsFromMovie(QWidget& asking);

  // Batch page state
  // A destination folder set while the settings are read, before the batch window exists.
  QString m_batchDestinationBeforeWindow;
};

// Disables the main window for the lifetime of the object, also when a failure unwinds
// through it; nested guards enable the window only when the outermost one ends.
class BusyWindow {
 public:
  explicit BusyWindow(TForm1& window);
  ~BusyWindow();
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

 private:
  TForm1& m_window;
  QPointer<QWidget> m_focus;
};

}  // namespace qm
