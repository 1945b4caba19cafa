#include "app/command_line.h"

#include <algorithm>

namespace qm {
namespace {

constexpr const char* kHelp =
    "Usage: quillmark [FILE]\n"
    "Quillmark " QM_VERSION
    ", an editor of film subtitle files.\n"
    "\n"
    "Opens FILE when one is named: MicroDVD, SubRip, SubViewer, SubViewer 2.0, AQT, HH:MM:SS,\n"
    "Sub Station Alpha, DKS, DVD Architect, DVD Studio Pro or Sony Vegas, recognised by its\n"
    "contents.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Files are converted on the command line by quillmark-convert (quillmark-convert --help).\n";

}  // namespace

std::optional<std::string> EarlyExitText(const std::vector<std::string>& arguments) {
  const auto given = [&](const char* option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
  };
  if (given("--help") || given("-h")) return kHelp;
  if (given("--version")) return "quillmark " QM_VERSION "\n";
  return std::nullopt;
}

}  // namespace qm
