// The help text, the manual page and the shell completion name the same options, and the
// parser takes every one of them.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "cli/cli_options.h"
#include "cli/cli_runner.h"
#include "test_support.h"

namespace qm {
namespace {

const std::string kPackaging = std::string(QM_TEST_DATA) + "/../../packaging/";

// Option names as written at the start of a word: "-o", "--fps-from".
std::set<std::string> OptionsIn(const std::string& text) {
  static const std::regex option(R"((?:^|[\s\[(|])(--?[a-z][a-z0-9-]*))");
  std::set<std::string> names;
  for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
    names.insert((*it)[1]);
  return names;
}

// The manual page writes a minus as "\-"; its comment lines are not part of the page.
std::string ManualText() {
  const std::string roff = test::ReadFile(kPackaging + "man/quillmark-convert.1");
  std::string text;
  size_t start = 0;
  while (start < roff.size()) {
    size_t end = roff.find('\n', start);
    if (end == std::string::npos) end = roff.size();
    const std::string line = roff.substr(start, end - start);
    if (line.rfind(".\\\"", 0) != 0) text += std::regex_replace(line, std::regex(R"(\\-)"), "-") + "\n";
    start = end + 1;
  }
  return std::regex_replace(text, std::regex(R"(\\f[BIR])"), " ");
}

TEST(CliManual, HelpManualAndCompletionListTheSameOptions) {
  const std::set<std::string> help = OptionsIn(kCliUsage);
  ASSERT_GT(help.size(), 25u);
  EXPECT_EQ(OptionsIn(ManualText()), help);
  const std::string completion = test::ReadFile(kPackaging + "quillmark-convert.bash");
  const size_t opts = completion.find("local opts=\"");
  ASSERT_NE(opts, std::string::npos);
  const size_t close = completion.find('"', opts + 12);
  EXPECT_EQ(OptionsIn(" " + completion.substr(opts + 12, close - opts - 12)), help);
}

TEST(CliManual, EveryOptionInTheHelpIsKnownToTheParser) {
  for (const std::string& name : OptionsIn(kCliUsage)) {
    try {
      ParseCliOptions({name});
    } catch (const UsageError& e) {
      EXPECT_EQ(std::string(e.what()).find("unknown option"), std::string::npos) << e.what();
    }
  }
}

TEST(CliManual, EveryHelpExampleParses) {
  const std::string usage = kCliUsage;
  const std::string examples = usage.substr(usage.find("Examples:\n"));
  static const std::regex command(R"(quillmark-convert ((?:[^\n\\|(]|\\\n)*))");
  int count = 0;
  for (std::sregex_iterator it(examples.begin(), examples.end(), command), end; it != end; ++it) {
    std::string line = std::regex_replace((*it)[1].str(), std::regex(R"(\\\n\s*)"), " ");
    line = line.substr(0, line.find("   "));  // two commands share some lines
    std::vector<std::string> args;
    static const std::regex word(R"re("([^"]*)"|(\S+))re");
    for (std::sregex_iterator w(line.begin(), line.end(), word), wend; w != wend; ++w)
      args.push_back((*w)[1].matched ? (*w)[1].str() : (*w)[2].str());
    EXPECT_NO_THROW(ParseCliOptions(args)) << line;
    ++count;
  }
  EXPECT_GE(count, 10);
}

}  // namespace
}  // namespace qm
