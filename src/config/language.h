#pragma once
// The user-interface language: message and state texts read from
// <ProgramFolder>Data/lng_<LanguageName>.ini (a Windows-1250 file; texts are UTF-8 inside). A key that
// the file lacks reads "LNG error!!", so a translator sees at once what is missing.

#include <array>
#include <string>
#include <string_view>

namespace qm {

class IniFile;

inline constexpr std::string_view kLanguageError = "LNG error!!";
// The language every installation starts with.
inline constexpr std::string_view kDefaultLanguageName = "Český";

struct DynamicTexts {
  std::string Author, Comment;  // section AUTHOR

  // Section DYNAMIC_TEXTS.
  std::string ErrorNacitaniNespravnyFormat, ErrorNacitaniNespravnyFormatSend;
  std::string ErrorCantOpenFile, ErrorCantSaveFile, ErrorCantSaveConfig, ErrorBatchDirectory;
  std::string HintPrikladFormatu, InformationNothingFound;
  std::string LabelVyberPosuvuZkratkaSekundy, LabelVyberPosuvuZkratkaSnimky;
  std::string LabelTitleNumNovyTitulek;
  std::string LabelZmenaRychlostiTitulkyZrychli, LabelZmenaRychlostiTitulkyZpomali,
      LabelZmenaRychlostiTitulkyBezeZmeny;
  std::string OpenDialogTitle, SaveDialogTitle;
  std::string StatusBarMemoVkladani, StatusBarMemoPrepisovani;
  std::string QuestionUkonceni, QuestionBatchOverwrite;
  std::string MessageBatchOpening, MessageBatchFormat, MessageBatchUnknownFormat, MessageBatchFileConverted,
      MessageBatchFileNotConverted, MessageBatchConverted, MessageBatchErrors;

  // Our own keys in DYNAMIC_TEXTS; older language files lack them, so they fall back to
  // English texts instead of "LNG error!!".
  std::string WarningTooManySubtitles;      // a file held more subtitles than the table
  std::string WarningTooManySubtitlesKept;  // ... and was therefore not written over itself
  std::string QuestionSaveCutDocument;      // saving such a document over the file it came from
  std::string ErrorFormatNotWritable;       // an output format that has no writer
  std::string InformationTableFull;         // add or insert with the table full
  std::string WarningNegativeTimes;         // times before zero read as zero ({value}: how many)
  std::string MessageBatchFileFrameRate;    // the rate a file gives of itself ({value})
  // A character the output encoding cannot hold ({number}, {character}, {encoding}).
  std::string ErrorCantEncode;
  std::string EncodingAsSource;  // the first item of the save encoding lists
  // The statistics page's quality report, one template per finding ({value}, {limit}).
  std::string StatistikaDlouhe, StatistikaKratke, StatistikaRadku, StatistikaSkryti, StatistikaPrekryti,
      StatistikaPoradi, StatistikaRychlost, StatistikaDelkaRadku;
  std::string StatistikaBezNalezu;  // the report when nothing was found
  // The question before unsaved changes are set aside, and its three buttons.
  std::string QuestionUlozitZmeny, ButtonUlozitZmeny, ButtonZahoditZmeny, ButtonZrusitZmeny;
  std::string MenuNedavneSouboryPrazdne;  // the recent-files menu with no files in it
  // The folder picker's new folder: the name asked for, and the failure's first line.
  std::string QuestionNovaSlozka, ErrorNovaSlozka;
};

struct DynamicTextKey {
  const char* Section;
  const char* Key;
  std::string DynamicTexts::*Member;
};
// In the order in which the language file is read.
extern const std::array<DynamicTextKey, 54> kDynamicTextKeys;

// <programFolder>Data/lng_<languageName>.ini. programFolder ends with "/".
std::string LanguageFilePath(const std::string& programFolder, std::string_view languageName);
std::string LanguageFlagPath(const std::string& programFolder, std::string_view languageName);

// A missing file gives "LNG error!!" for every key of the product.
DynamicTexts LoadDynamicTexts(const std::string& programFolder, std::string_view languageName);
// The same from a language file named by its path.
DynamicTexts LoadDynamicTextsFrom(const std::string& languageFile);
// The same from a language file already parsed.
DynamicTexts DynamicTextsFromIni(const IniFile& language);

// English fallback of ErrorFormatNotWritable; the format's name follows it after a blank.
std::string FormatNotWritableMessage();

}  // namespace qm
