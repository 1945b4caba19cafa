#include "cli/cli.h"

#include <ostream>

#include "document/errors.h"
#include "formats/catalogue.h"
#include "formats/detect.h"

namespace qm {
namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  quillmark-convert --detect FILE...\n"
    "  quillmark-convert --help | --version\n"
    "\n"
    "--detect prints one line per file: <format number>\\t<format name>\\t<path>.\n"
    "Exit codes: 0 every file recognised, 1 a file was not recognised or not readable,\n"
    "2 wrong usage.\n";

int Detect(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  if (files.empty()) {
    err << "quillmark-convert: --detect needs at least one file\n";
    return kExitUsage;
  }
  const FormatNameList names = BuiltInFormatNames();
  int code = kExitOk;
  for (const auto& file : files) {
    try {
      const uint8_t format = DetectFormat(file);
      out << int{format} << '\t' << FormatName(names, format) << '\t' << file << '\n';
      if (format == kNotRecognised) {
        err << file << ": format not recognised\n";
        code = kExitFailed;
      }
    } catch (const QuillmarkError& e) {
      err << file << ": " << e.what() << '\n';
      code = kExitFailed;
    }
  }
  return code;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return kExitUsage;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") {
    out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    out << "quillmark-convert " QM_VERSION "\n";
    return kExitOk;
  }
  if (command == "--detect") return Detect({args.begin() + 1, args.end()}, out, err);
  err << "quillmark-convert: unknown option '" << command << "'\n" << kUsage;
  return kExitUsage;
}

}  // namespace qm
