#include "config/language.h"

#include "document/quality_report.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "platform/ini_file.h"

namespace qm {

using T = DynamicTexts;

const std::array<DynamicTextKey, 54> kDynamicTextKeys = {{
    {"AUTHOR", "Author", &T::Author},
    {"AUTHOR", "Comment", &T::Comment},
    {"DYNAMIC_TEXTS", "ErrorNacitaniNespravnyFormat", &T::ErrorNacitaniNespravnyFormat},
    {"DYNAMIC_TEXTS", "ErrorNacitaniNespravnyFormatSend", &T::ErrorNacitaniNespravnyFormatSend},
    {"DYNAMIC_TEXTS", "ErrorCantOpenFile", &T::ErrorCantOpenFile},
    {"DYNAMIC_TEXTS", "ErrorCantSaveFile", &T::ErrorCantSaveFile},
    {"DYNAMIC_TEXTS", "ErrorCantSaveConfig", &T::ErrorCantSaveConfig},
    {"DYNAMIC_TEXTS", "ErrorBatchDirectory", &T::ErrorBatchDirectory},
    {"DYNAMIC_TEXTS", "HintPrikladFormatu", &T::HintPrikladFormatu},
    {"DYNAMIC_TEXTS", "InformationNothingFound", &T::InformationNothingFound},
    {"DYNAMIC_TEXTS", "LabelVyberPosuvuZkratkaSekundy", &T::LabelVyberPosuvuZkratkaSekundy},
    {"DYNAMIC_TEXTS", "LabelVyberPosuvuZkratkaSnimky", &T::LabelVyberPosuvuZkratkaSnimky},
    {"DYNAMIC_TEXTS", "LabelTitleNumNovyTitulek", &T::LabelTitleNumNovyTitulek},
    {"DYNAMIC_TEXTS", "LabelZmenaRychlostiTitulkyZrychli", &T::LabelZmenaRychlostiTitulkyZrychli},
    {"DYNAMIC_TEXTS", "LabelZmenaRychlostiTitulkyZpomali", &T::LabelZmenaRychlostiTitulkyZpomali},
    {"DYNAMIC_TEXTS", "LabelZmenaRychlostiTitulkyBezeZmeny", &T::LabelZmenaRychlostiTitulkyBezeZmeny},
    {"DYNAMIC_TEXTS", "OpenDialogTitle", &T::OpenDialogTitle},
    {"DYNAMIC_TEXTS", "SaveDialogTitle", &T::SaveDialogTitle},
    {"DYNAMIC_TEXTS", "StatusBarMemoVkladani", &T::StatusBarMemoVkladani},
    {"DYNAMIC_TEXTS", "StatusBarMemoPrepisovani", &T::StatusBarMemoPrepisovani},
    {"DYNAMIC_TEXTS", "QuestionUkonceni", &T::QuestionUkonceni},
    {"DYNAMIC_TEXTS", "QuestionBatchOverwrite", &T::QuestionBatchOverwrite},
    {"DYNAMIC_TEXTS", "MessageBatchOpening", &T::MessageBatchOpening},
    {"DYNAMIC_TEXTS", "MessageBatchFormat", &T::MessageBatchFormat},
    {"DYNAMIC_TEXTS", "MessageBatchUnknownFormat", &T::MessageBatchUnknownFormat},
    {"DYNAMIC_TEXTS", "MessageBatchFileConverted", &T::MessageBatchFileConverted},
    {"DYNAMIC_TEXTS", "MessageBatchFileNotConverted", &T::MessageBatchFileNotConverted},
    {"DYNAMIC_TEXTS", "MessageBatchConverted", &T::MessageBatchConverted},
    {"DYNAMIC_TEXTS", "MessageBatchErrors", &T::MessageBatchErrors},
    {"DYNAMIC_TEXTS", "WarningTooManySubtitles", &T::WarningTooManySubtitles},
    {"DYNAMIC_TEXTS", "WarningTooManySubtitlesKept", &T::WarningTooManySubtitlesKept},
    {"DYNAMIC_TEXTS", "QuestionSaveCutDocument", &T::QuestionSaveCutDocument},
    {"DYNAMIC_TEXTS", "ErrorFormatNotWritable", &T::ErrorFormatNotWritable},
    {"DYNAMIC_TEXTS", "InformationTableFull", &T::InformationTableFull},
    {"DYNAMIC_TEXTS", "ErrorCantEncode", &T::ErrorCantEncode},
    {"DYNAMIC_TEXTS", "EncodingAsSource", &T::EncodingAsSource},
    {"DYNAMIC_TEXTS", "WarningNegativeTimes", &T::WarningNegativeTimes},
    {"DYNAMIC_TEXTS", "MessageBatchFileFrameRate", &T::MessageBatchFileFrameRate},
    {"DYNAMIC_TEXTS", "StatistikaDlouhe", &T::StatistikaDlouhe},
    {"DYNAMIC_TEXTS", "StatistikaKratke", &T::StatistikaKratke},
    {"DYNAMIC_TEXTS", "StatistikaRadku", &T::StatistikaRadku},
    {"DYNAMIC_TEXTS", "StatistikaSkryti", &T::StatistikaSkryti},
    {"DYNAMIC_TEXTS", "StatistikaPrekryti", &T::StatistikaPrekryti},
    {"DYNAMIC_TEXTS", "StatistikaPoradi", &T::StatistikaPoradi},
    {"DYNAMIC_TEXTS", "StatistikaRychlost", &T::StatistikaRychlost},
    {"DYNAMIC_TEXTS", "StatistikaDelkaRadku", &T::StatistikaDelkaRadku},
    {"DYNAMIC_TEXTS", "StatistikaBezNalezu", &T::StatistikaBezNalezu},
    {"DYNAMIC_TEXTS", "QuestionUlozitZmeny", &T::QuestionUlozitZmeny},
    {"DYNAMIC_TEXTS", "ButtonUlozitZmeny", &T::ButtonUlozitZmeny},
    {"DYNAMIC_TEXTS", "ButtonZahoditZmeny", &T::ButtonZahoditZmeny},
    {"DYNAMIC_TEXTS", "ButtonZrusitZmeny", &T::ButtonZrusitZmeny},
    {"DYNAMIC_TEXTS", "MenuNedavneSouboryPrazdne", &T::MenuNedavneSouboryPrazdne},
    {"DYNAMIC_TEXTS", "QuestionNovaSlozka", &T::QuestionNovaSlozka},
    {"DYNAMIC_TEXTS", "ErrorNovaSlozka", &T::ErrorNovaSlozka},
}};

namespace {

constexpr const char* kEnglishSaveCutDocument =
    "The file held more than 20000 subtitles and only the first 20000 were read. Saving over it loses "
    "the rest. Save anyway?";

std::string DataFilePath(const std::string& programFolder, std::string_view languageName,
                         std::string_view extension) {
  return programFolder + "Data/lng_" + std::string(languageName) + std::string(extension);
}

std::string FallbackFor(std::string DynamicTexts::*member) {
  if (member == &T::WarningTooManySubtitles) return TruncationMessage();
  if (member == &T::WarningTooManySubtitlesKept) return TruncationKeptMessage();
  if (member == &T::QuestionSaveCutDocument) return kEnglishSaveCutDocument;
  if (member == &T::ErrorFormatNotWritable) return FormatNotWritableMessage();
  if (member == &T::InformationTableFull) return "The table is full: it holds at most 20000 subtitles.";
  if (member == &T::StatistikaBezNalezu) return "No problems found.";
  if (member == &T::ErrorCantEncode) return kEnglishCantEncode;
  if (member == &T::EncodingAsSource) return "As the file";
  if (member == &T::WarningNegativeTimes) return NegativeTimesTemplate();
  if (member == &T::MessageBatchFileFrameRate) return "the file gives its own frame rate: {value}";
  static const std::pair<std::string DynamicTexts::*, const char*> kEnglish[] = {
      {&T::QuestionUlozitZmeny, "The subtitles have unsaved changes. Do you want to save them?"},
      {&T::ButtonUlozitZmeny, "&Save"},
      {&T::ButtonZahoditZmeny, "&Discard"},
      {&T::ButtonZrusitZmeny, "Cancel"},
      {&T::MenuNedavneSouboryPrazdne, "(no files)"},
      {&T::QuestionNovaSlozka, "Name of the new folder:"},
      {&T::ErrorNovaSlozka, "The folder cannot be created:"},
  };
  for (const auto& [key, text] : kEnglish)
    if (member == key) return text;
  static constexpr std::string DynamicTexts::*kFindings[] = {
      &T::StatistikaDlouhe,   &T::StatistikaKratke, &T::StatistikaRadku,    &T::StatistikaSkryti,
      &T::StatistikaPrekryti, &T::StatistikaPoradi, &T::StatistikaRychlost, &T::StatistikaDelkaRadku};
  for (size_t i = 0; i < std::size(kFindings); ++i)
    if (member == kFindings[i]) return EnglishFindingTemplates()[i];
  return std::string(kLanguageError);
}

}  // namespace

std::string LanguageFilePath(const std::string& programFolder, std::string_view languageName) {
  return DataFilePath(programFolder, languageName, ".ini");
}

std::string LanguageFlagPath(const std::string& programFolder, std::string_view languageName) {
  return DataFilePath(programFolder, languageName, ".bmp");
}

DynamicTexts LoadDynamicTexts(const std::string& programFolder, std::string_view languageName) {
  return LoadDynamicTextsFrom(LanguageFilePath(programFolder, languageName));
}

DynamicTexts LoadDynamicTextsFrom(const std::string& languageFile) {
  return DynamicTextsFromIni(IniFile::Load(languageFile));
}

DynamicTexts DynamicTextsFromIni(const IniFile& ini) {
  DynamicTexts texts;
  for (const auto& entry : kDynamicTextKeys)
    texts.*entry.Member = ini.ReadString(entry.Section, entry.Key, FallbackFor(entry.Member));
  return texts;
}

std::string FormatNotWritableMessage() { return "Subtitles cannot be saved in this format:"; }

}  // namespace qm
