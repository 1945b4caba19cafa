#include "config/window_texts.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "config/language.h"
#include "platform/cp1250.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/utf8.h"

namespace qm {
namespace {

using enum TextTarget;

// Caption of the control named like the key.
constexpr WindowTextKey C(std::string_view section, std::string_view key) {
  return {section, key, key, Caption};
}
// Hint of the control named before "Hint".
constexpr WindowTextKey H(std::string_view section, std::string_view key) {
  return {section, key, key.substr(0, key.size() - 4), Hint};
}
constexpr WindowTextKey I(std::string_view section, std::string_view key, std::string_view control,
                          int item) {
  return {section, key, control, Item, item};
}
constexpr WindowTextKey W(std::string_view section, std::string_view key) {
  return {section, key, {}, WindowCaption};
}
constexpr WindowTextKey G(std::string_view key, int column) {
  return {"STRINGGRID_TITULKY", key, {}, GridHeader, column};
}

constexpr const char* kTop = "PANEL_TOP";
constexpr const char* kMenu = "PANEL_MENU";
constexpr const char* kTime = "TABSHEET_UPRAVY_CASU";
constexpr const char* kText = "TABSHEET_UPRAVY_TITULKU";
constexpr const char* kEdit = "TABSHEET_EDITACE";
constexpr const char* kSamples = "TABSHEET_UKAZKY_FORMATU";
constexpr const char* kBatch = "TABSHEET_DAVKOVA_KONVERZE";
constexpr const char* kOptions = "TABSHEET_MOZNOSTI";

constexpr WindowTextKey kMainWindow[] = {
    G("StringGridCislo", 0),
    G("StringGridZobrazeni", 1),
    G("StringGridZmizeni", 2),
    G("StringGridText", 3),
    C(kTop, "LabelNahled"),
    C(kTop, "LabelFormat"),
    C(kTop, "LabelPocetTitulku"),
    H(kTop, "ButtonSubPreviewFontHint"),
    H(kTop, "PanelTitulkyMaxHint"),
    I(kTop, "ComboBoxSubPreviewItemFrames", "ComboBoxSubPreview", 0),
    I(kTop, "ComboBoxSubPreviewItemTime", "ComboBoxSubPreview", 1),
    H(kTop, "ComboBoxSubPreviewHint"),
    C(kTop, "StaticTextSubtitlesFile"),
    H(kMenu, "ComboBoxKodovaniNacistHint"),
    C(kMenu, "ButtonNacist"),
    H(kMenu, "ButtonNacistHint"),
    C(kMenu, "ButtonUlozit"),
    H(kMenu, "ButtonUlozitHint"),
    H(kMenu, "ComboBoxKodovaniUlozitHint"),
    H(kMenu, "ButtonNedavneSouboryHint"),
    C(kMenu, "ButtonKonec"),
    H(kMenu, "ButtonHelpHint"),
    H(kMenu, "LabelAutorHint"),
    {"STATUSBAR", "StatusBarHint", "StatusBar", StatusBarHint},
    C(kTime, "TabSheetUpravyCasu"),
    C(kTime, "ButtonSchovDleZobraz"),
    C(kTime, "ButtonZobrazDleSchov"),
    C(kTime, "GroupBoxZmenaRychlosti"),
    C(kTime, "GroupBoxPosuvCasu"),
    C(kTime, "GroupBoxNastavitCasy"),
    C(kTime, "LabelCasoveMeritko"),
    C(kTime, "LabelPosunout"),
    C(kTime, "LabelAz"),
    C(kTime, "CheckBoxShow"),
    H(kTime, "CheckBoxShowHint"),
    C(kTime, "CheckBoxHide"),
    H(kTime, "CheckBoxHideHint"),
    C(kTime, "CheckBoxPosuvOdDo"),
    H(kTime, "CheckBoxPosuvOdDoHint"),
    H(kTime, "ComboBoxSnimky1Hint"),
    H(kTime, "ComboBoxSnimky2Hint"),
    H(kTime, "SpinEditPosuvHint"),
    H(kTime, "EditPosuvHint"),
    H(kTime, "EditPosuvOdHint"),
    H(kTime, "EditPosuvDoHint"),
    C(kText, "TabSheetUpravyTitulku"),
    C(kText, "GroupBoxZmeny"),
    C(kText, "GroupBoxZalamovaniRadku"),
    C(kText, "CheckBoxRepairHiding"),
    H(kText, "CheckBoxRepairHidingHint"),
    C(kText, "CheckBoxDeleteLastEmptyChars"),
    H(kText, "CheckBoxDeleteLastEmptyCharsHint"),
    C(kText, "CheckBoxKonvertOnlyBadAccents"),
    C(kText, "LabelNahraditString"),
    C(kText, "LabelMaxCharsOnLine"),
    H(kText, "ButtonProvestHint"),
    H(kText, "ButtonZalomeniRadekHint"),
    C(kText, "ButtonKonvertToCestina"),
    H(kText, "ButtonKonvertToCestinaHint"),
    C(kText, "ButtonDeleteEmpty"),
    H(kText, "ButtonDeleteEmptyHint"),
    H(kText, "EditString1Hint"),
    H(kText, "EditString2Hint"),
    H(kText, "EditMaxCharsOnLineHint"),
    C(kEdit, "TabSheetEditace"),
    C(kEdit, "LabelTitulek"),
    C(kEdit, "LabelRadku"),
    C(kEdit, "LabelZobrazeni"),
    C(kEdit, "LabelZmizeni"),
    C(kEdit, "LabelTrvani"),
    H(kEdit, "ButtonClearHint"),
    C(kEdit, "ButtonPridat"),
    H(kEdit, "ButtonPridatHint"),
    C(kEdit, "ButtonVlozit"),
    H(kEdit, "ButtonVlozitHint"),
    C(kEdit, "ButtonZmenit"),
    H(kEdit, "ButtonZmenitHint"),
    C(kEdit, "ButtonOdebrat"),
    H(kEdit, "ButtonOdebratHint"),
    C(kEdit, "ButtonSmazat"),
    H(kEdit, "ButtonSmazatHint"),
    C(kEdit, "ButtonNajit"),
    H(kEdit, "ButtonNajitHint"),
    H(kEdit, "CheckBoxSmazatHint"),
    C(kEdit, "GroupBoxEditace"),
    C(kSamples, "TabSheetUkazkyFormatu"),
    C(kSamples, "LabelVstupniFormat"),
    C(kSamples, "LabelUkazatZdroj"),
    C(kSamples, "LabelVyberteFormat"),
    C(kBatch, "TabSheetDavkovaKonverze"),
    C(kBatch, "ButtonBatchPridat"),
    H(kBatch, "ButtonBatchPridatHint"),
    C(kBatch, "ButtonBatchOdebrat"),
    H(kBatch, "ButtonBatchOdebratHint"),
    C(kBatch, "ButtonBatchSmazat"),
    H(kBatch, "ButtonBatchSmazatHint"),
    H(kBatch, "ButtonBatchKonvertovatHint"),
    C(kOptions, "TabSheetMoznosti"),
    C(kOptions, "LabelSpusteniProgramu"),
    C(kOptions, "LabelTipy"),
    C(kOptions, "LabelKlavesoveZkratky"),
    C(kOptions, "CheckBoxEditByOneClick"),
    C(kOptions, "CheckBoxAlwaysOnTop"),
    C(kOptions, "CheckBoxAskToClose"),
    C(kOptions, "ButtonRegisterExt"),
    H(kOptions, "ButtonRegisterExtHint"),
};

constexpr const char* kFrame = "FORM_FRAME";
constexpr WindowTextKey kFormFrame[] = {
    W(kFrame, "FormFrameCaption"), C(kFrame, "LabelFrameRate"),       H(kFrame, "ButtonFrameRateApplyHint"),
    C(kFrame, "ButtonFPSFromAvi"), H(kFrame, "ButtonFPSFromAviHint"),
};

constexpr const char* kFind = "FORM_FIND";
constexpr WindowTextKey kFormFind[] = {
    W(kFind, "FormFindCaption"),
    C(kFind, "LabelNajitText"),
    C(kFind, "RadioGroupSmer"),
    I(kFind, "RadioGroupSmerItemNahoru", "RadioGroupSmer", 0),
    I(kFind, "RadioGroupSmerItemDolu", "RadioGroupSmer", 1),
    C(kFind, "CheckBoxCase"),
    C(kFind, "ButtonNajit"),
    C(kFind, "ButtonZrusit"),
};

constexpr const char* kSelectDir = "FORM_SELECT_DIR";
constexpr WindowTextKey kFormSelectDir[] = {
    W(kSelectDir, "FormSelectDirCaption"), C(kSelectDir, "LabelCesta"),   H(kSelectDir, "EditCestaHint"),
    C(kSelectDir, "ButtonNovaSlozka"),     C(kSelectDir, "ButtonZrusit"),
};

// The About window; its version history is the numbered section INFO_HISTORY.
constexpr const char* kInfo = "FORM_INFO";
constexpr WindowTextKey kFormInfo[] = {
    W(kInfo, "FormInfoCaption"), C(kInfo, "LabelVersion"), C(kInfo, "LabelDescription"),
    C(kInfo, "LabelCopyright"),  C(kInfo, "LabelHistory"),
};

constexpr const char* kKonverze = "FORM_KONVERZE";
constexpr WindowTextKey kFormKonverze[] = {
    W(kKonverze, "FormKonverzeCaption"),    C(kKonverze, "GroupBoxNastaveniKonverze"),
    C(kKonverze, "GroupBoxStavKonverze"),   C(kKonverze, "GroupBoxPrubehKonverze"),
    C(kKonverze, "LabelOutputFormat"),      C(kKonverze, "LabelDestination"),
    C(kKonverze, "LabelFrameRate"),         C(kKonverze, "LabelExtension"),
    C(kKonverze, "LabelKodovani"),          H(kKonverze, "ComboBoxKonverzeKodovaniHint"),
    C(kKonverze, "CheckBoxPrepsatSoubory"), C(kKonverze, "CheckBoxPuvodniPripona"),
    C(kKonverze, "ButtonKonverzeZacit"),
};

struct NamedTable {
  std::string_view Window;
  std::span<const WindowTextKey> Keys;
};
constexpr NamedTable kSecondaryWindows[] = {
    {"TFormFrame", kFormFrame},       {"TFormFind", kFormFind}, {"TFormSelectDir", kFormSelectDir},
    {"TFormKonverze", kFormKonverze}, {"TFormInfo", kFormInfo},
};

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::span<const WindowTextKey> MainWindowTextKeys() { return kMainWindow; }

std::span<const WindowTextKey> SecondaryWindowTextKeys(std::string_view windowName) {
  for (const NamedTable& table : kSecondaryWindows)
    if (table.Window == windowName) return table.Keys;
  return {};
}

std::vector<std::string> ReadNumberedLines(const IniFile& language, std::string_view section) {
  const int count = std::clamp(language.ReadInteger(section, "Count", 0), 0, kMaxNumberedLines);
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(count));
  for (int k = 1; k <= count; ++k)
    lines.push_back(language.ReadString(section, std::to_string(k), kLanguageError));
  return lines;
}

std::string LanguageAuthorHint(const IniFile& language) {
  return language.ReadString("AUTHOR", "Author", kLanguageError) + " [" +
         language.ReadString("AUTHOR", "Comment", kLanguageError) + "]";
}

LanguageFiles::LanguageFiles(std::string programFolder, std::string userFolder)
    : m_programFolder(WithSlash(std::move(programFolder))), m_userFolder(WithSlash(std::move(userFolder))) {}

std::vector<std::string> LanguageFiles::UserLanguages() const {
  std::vector<std::string> names;
  if (m_userFolder.empty()) return names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(m_userFolder, error)) {
    const std::string file = entry.path().filename().string();
    if (file.size() <= 8 || file.rfind("lng_", 0) != 0 || file.substr(file.size() - 4) != ".ini") continue;
    if (!entry.is_regular_file(error)) continue;
    // The settings file, Windows-1250, must be able to name the language.
    bool lossless = true;
    const std::string name = file.substr(4, file.size() - 8);
    Utf8ToCp1250(name, &lossless);
    if (lossless && IsValidUtf8(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string LanguageFiles::FolderFor(std::string_view languageName) const {
  if (!m_userFolder.empty() && FileExists(m_userFolder + "lng_" + std::string(languageName) + ".ini"))
    return m_userFolder;
  return m_programFolder + "Data/";
}

std::string LanguageFiles::IniPath(std::string_view languageName) const {
  return FolderFor(languageName) + "lng_" + std::string(languageName) + ".ini";
}

std::string LanguageFiles::FlagPath(std::string_view languageName) const {
  return FolderFor(languageName) + "lng_" + std::string(languageName) + ".bmp";
}

}  // namespace qm
