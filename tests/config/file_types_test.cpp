#include "config/file_types.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ini_file.h"
#include "test_support.h"

namespace qm {
namespace {

using Layout = std::map<std::string, std::string, InMemoryKeyStore::NoCase>;

Layout ExpectedLayout(const std::string& folder, const std::string& program) {
  return {{".sub", "Subtitle File"},
          {".srt", "Subtitle File"},
          {".ssa", "Subtitle File"},
          {".dks", "Subtitle File"},
          {".aqt", "Subtitle File"},
          {"Subtitle File", "Soubor aplikace Quillmark"},
          {"Subtitle File\\DefaultIcon", folder + "Data\\Icon.ico"},
          {"Subtitle File\\Shell\\Open\\Command", "\"" + program + "\" \"%1\""}};
}

TEST(FileTypes, RegistryLayoutTwiceAndAfterAMoveWithQuotedPaths) {
  InMemoryKeyStore store;
  store.Values[".srt"] = "OtherPlayer.srt";  // an earlier association is overwritten
  const std::string folder = "C:\\Program Files\\Quillmark\\";
  RegisterFileType(store, kSubtitleFileType, kSubtitleFileDescription, folder, folder + "quillmark.exe");
  RegisterFileType(store, kSubtitleFileType, kSubtitleFileDescription, folder, folder + "quillmark.exe");
  EXPECT_EQ(store.Values, ExpectedLayout(folder, folder + "quillmark.exe"));

  RegisterFileType(store, kSubtitleFileType, kSubtitleFileDescription, "D:\\Q\\", "D:\\Q\\quillmark.exe");
  EXPECT_EQ(store.Values, ExpectedLayout("D:\\Q\\", "D:\\Q\\quillmark.exe"));
}

TEST(FileTypes, AKeyThatCannotBeOpenedIsSkippedAndTheRestWritten) {
  InMemoryKeyStore store;
  store.Refused = {".ssa", "subtitle file"};
  RegisterFileType(store, "Subtitle File", "Desc", "/q/", "/q/quillmark");
  EXPECT_EQ(store.Values.count(".ssa"), 0u);
  EXPECT_EQ(store.Values.count("Subtitle File"), 0u);
  EXPECT_EQ(store.Values.at(".aqt"), "Subtitle File");
  EXPECT_EQ(store.Values.at("Subtitle File\\Shell\\Open\\Command"), "\"/q/quillmark\" \"%1\"");
}

class DesktopFiles : public ::testing::Test {
 protected:
  test::TempDir home;
  XdgFolders folders{home.Path() + "/data", home.Path() + "/config"};
  std::string Desktop() const { return test::ReadFile(folders.DataHome + "/applications/quillmark.desktop"); }
};

TEST_F(DesktopFiles, DesktopEntryQuotesTheProgramAndNamesEveryType) {
  RegisterDesktopFileTypes(folders, "/opt/My Films/quillmark", "/opt/My Films/Data/quillmark.png");
  const std::string desktop = Desktop();
  EXPECT_NE(desktop.find("\nExec=\"/opt/My Films/quillmark\" %f\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("\nIcon=/opt/My Films/Data/quillmark.png\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nMimeType=text/x-microdvd;text/x-subviewer;application/x-subrip;text/x-ssa;"
                         "text/x-quillmark-dks;text/x-quillmark-aqt;\n"),
            std::string::npos);
  const std::string xml = test::ReadFile(folders.DataHome + "/mime/packages/quillmark.xml");
  for (const char* glob : {"*.sub", "*.srt", "*.ssa", "*.dks", "*.aqt"})
    EXPECT_NE(xml.find(std::string("<glob pattern=\"") + glob + "\"/>"), std::string::npos) << glob;
}

TEST_F(DesktopFiles, ReservedCharactersInThePathAreEscaped) {
  RegisterDesktopFileTypes(folders, "/opt/a\"b$c`d\\e%f/q", "/i.png");
  // The quoting rule, then the string rule on its backslashes, then %% for a literal %.
  EXPECT_NE(Desktop().find("\nExec=\"/opt/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f/q\" %f\n"), std::string::npos)
      << Desktop();
  EXPECT_ANY_THROW(RegisterDesktopFileTypes(folders, "/opt/a\nb/q", "/i.png"));
  EXPECT_ANY_THROW(RegisterDesktopFileTypes(folders, "relative/q", "/i.png"));
}

TEST_F(DesktopFiles, MimeAppsKeepsOtherEntriesAndTwiceGivesTheSameFiles) {
  std::filesystem::create_directories(folders.ConfigHome);
  home.Write("config/mimeapps.list",
             "[Default Applications]\nimage/png=viewer.desktop;\napplication/x-subrip=player.desktop;\n\n"
             "[Added Associations]\ntext/plain=editor.desktop;\n");
  RegisterDesktopFileTypes(folders, "/old/quillmark", "/old/Data/quillmark.png");
  RegisterDesktopFileTypes(folders, "/new/quillmark", "/new/Data/quillmark.png");
  const std::string desktop = Desktop(), list = test::ReadFile(folders.ConfigHome + "/mimeapps.list");
  const IniFile apps = IniFile::Parse(list);
  EXPECT_EQ(apps.ReadString("Default Applications", "image/png", ""), "viewer.desktop;");
  EXPECT_EQ(apps.ReadString("Default Applications", "application/x-subrip", ""),
            "quillmark.desktop;player.desktop;");
  EXPECT_EQ(apps.ReadString("Default Applications", "text/x-quillmark-aqt", ""), "quillmark.desktop;");
  EXPECT_EQ(apps.ReadString("Added Associations", "text/plain", ""), "editor.desktop;");
  EXPECT_EQ(list.find('\r'), std::string::npos);
  EXPECT_NE(desktop.find("Exec=\"/new/quillmark\" %f"), std::string::npos);
  EXPECT_EQ(desktop.find("/old/"), std::string::npos);

  RegisterDesktopFileTypes(folders, "/new/quillmark", "/new/Data/quillmark.png");
  EXPECT_EQ(Desktop(), desktop);
  EXPECT_EQ(test::ReadFile(folders.ConfigHome + "/mimeapps.list"), list);
  EXPECT_EQ(test::CountEntries(folders.DataHome + "/applications"), 1);
}

// Our six lines, subrip's with `subripTail` kept behind ours, each ended by `end`.
std::string OurLines(const std::string& end, const std::string& subripTail = "") {
  std::string lines;
  for (const MimeTypeGlob& type : kSubtitleMimeTypes) {
    const bool subrip = std::string(type.Type) == "application/x-subrip";
    lines += std::string(type.Type) + "=quillmark.desktop;" + (subrip ? subripTail : "") + end;
  }
  return lines;
}

std::string Without(std::string lines, const std::string& type) {
  const size_t at = lines.find(type + "=");
  return lines.erase(at, lines.find('\n', at) + 1 - at);
}

TEST(FileTypes, MimeAppsRewritesOnlyOurLinesAndEveryOtherByteStays) {
  const std::string subripOurs = "application/x-subrip=quillmark.desktop;player.desktop;";
  const struct {
    const char* name;
    std::string before, after;
  } cases[] = {
      {"no file", "", "[Default Applications]\n" + OurLines("\n")},
      {"others kept with their spacing, comments, case and blank lines",
       "# mine\n[Default Applications]\nimage/png = viewer.desktop;\n  application/x-subrip =player.desktop; "
       "\n"
       "Text/Plain=ed.desktop\n\n\n[Added Associations]\ntext/x-ssa=other.desktop;\n",
       "# mine\n[Default Applications]\nimage/png = viewer.desktop;\n" + subripOurs +
           "\nText/Plain=ed.desktop\n" + Without(OurLines("\n"), "application/x-subrip") +
           "\n\n[Added Associations]\ntext/x-ssa=other.desktop;\n"},
      {"CR LF lines and no line end at the close", "[Default Applications]\r\nimage/png=viewer.desktop;",
       "[Default Applications]\r\nimage/png=viewer.desktop;\r\n" + OurLines("\r\n")},
      {"no group of ours: added at the end", "[Added Associations]\nimage/png=viewer.desktop;",
       "[Added Associations]\nimage/png=viewer.desktop;\n\n[Default Applications]\n" + OurLines("\n")},
      {"a second group of the same name keeps its other lines",
       "[Default Applications]\nimage/png=a.desktop;\n[X]\n[Default Applications]\ntext/x-ssa=b.desktop;\n"
       "image/gif=c.desktop;\n",
       "[Default Applications]\nimage/png=a.desktop;\n" + Without(OurLines("\n"), "text/x-ssa") +
           "[X]\n[Default Applications]\ntext/x-ssa=quillmark.desktop;b.desktop;\nimage/gif=c.desktop;\n"},
  };
  for (const auto& c : cases) {
    const std::string once = MimeAppsList(c.before);
    EXPECT_EQ(once, c.after) << c.name;
    EXPECT_EQ(MimeAppsList(once), once) << c.name << ": twice is the same as once";
  }
}

TEST(FileTypes, XdgFoldersFallBackToTheHomeFolder) {
  const char* names[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
  std::map<std::string, std::optional<std::string>> saved;
  for (const char* name : names)
    saved[name] = std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt;
  setenv("HOME", "/home/tester", 1);
  setenv("XDG_DATA_HOME", "/xdg/data", 1);
  setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
  const XdgFolders folders = XdgFoldersFromEnvironment();
  EXPECT_EQ(folders.DataHome, "/xdg/data");
  EXPECT_EQ(folders.ConfigHome, "/home/tester/.config");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(XdgFoldersFromEnvironment().DataHome, "/home/tester/.local/share");
  for (const auto& [name, value] : saved)
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
}

}  // namespace
}  // namespace qm
