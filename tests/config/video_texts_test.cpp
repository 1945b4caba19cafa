#include "config/video_texts.h"

#include <gtest/gtest.h>

#include <set>

#include "config/language.h"
#include "platform/ini_file.h"

namespace qm {
namespace {

const std::string kShippedData = std::string(QM_TEST_DATA) + "/../../Data/";

TEST(VideoTexts, ShippedLanguagesHaveEveryKeyAndEnglishIsTheFallback) {
  std::set<std::string_view> keys;
  for (const VideoTextKey& key : VideoTextKeys()) EXPECT_TRUE(keys.insert(key.Key).second) << key.Key;
  for (const std::string& name : {std::string(kDefaultLanguageName), std::string("English")}) {
    const IniFile language = IniFile::Load(LanguageFilePath(kShippedData + "../", name));
    for (const VideoTextKey& key : VideoTextKeys())
      EXPECT_TRUE(language.HasKey(key.Section, key.Key)) << name << " " << key.Section << "/" << key.Key;
  }
  // A language file from before the video window reads the English texts, which are exactly
  // what the shipped English file says.
  const IniFile english = IniFile::Load(LanguageFilePath(kShippedData + "../", "English"));
  const VideoTexts fromFile = LoadVideoTexts(english), fallback = LoadVideoTexts(IniFile{});
  for (const VideoTextKey& key : VideoTextKeys())
    EXPECT_EQ(fromFile.*key.Member, fallback.*key.Member) << key.Key;
}

}  // namespace
}  // namespace qm
