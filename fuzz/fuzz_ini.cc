// The INI layer on arbitrary bytes, read as the settings file, as a language file, or parsed
// and written back: the first byte picks which, the rest is the file. Whatever is
// serialised once serialises to the same bytes again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/language.h"
#include "config/settings.h"
#include "config/window_texts.h"
#include "fuzz_common.h"
#include "platform/ini_file.h"

namespace {

using namespace qm;

void AsSettings(const IniFile& ini) {
  const Settings settings = SettingsFromIni(ini);
  fuzz::Require(settings.Languages.size() <= 255, "at most 255 languages");
  const Settings again = SettingsFromIni(IniFile::Parse(SerializeSettings(settings)));
  fuzz::Require(again.Languages.size() == settings.Languages.size(), "the language list survives a save");
  fuzz::Require(again.Exec == settings.Exec, "the run counter survives a save");
}

// The window texts are read by the same lookups as these.
void AsLanguage(const IniFile& ini) {
  (void)DynamicTextsFromIni(ini);
  fuzz::Require(ReadNumberedLines(ini, "TIPS").size() <= static_cast<size_t>(kMaxNumberedLines),
                "numbered lines within their cap");
  (void)LanguageAuthorHint(ini);
}

void WrittenBack(const IniFile& ini) {
  const std::string once = ini.Serialize();
  fuzz::Require(IniFile::Parse(once).Serialize() == once, "serialising is stable");
  IniFile written = ini;
  written.WriteInteger("SETTINGS", "Exec", 7);
  fuzz::Require(IniFile::Parse(written.Serialize()).ReadInteger("settings", "exec", 0) == 7,
                "a written key reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const IniFile ini = IniFile::Parse({reinterpret_cast<const char*>(data + 1), size - 1});
  switch (data[0] % 3) {
    case 0:
      AsSettings(ini);
      break;
    case 1:
      AsLanguage(ini);
      break;
    default:
      WrittenBack(ini);
      break;
  }
  return 0;
}
