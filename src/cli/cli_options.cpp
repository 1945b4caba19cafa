#include "cli/cli_options.h"

#include "document/numbers.h"
#include "formats/catalogue.h"

namespace qm {

const char* const kCliUsage =
    "Usage:\n"
    "  quillmark-convert --to FORMAT [--fps RATE] (-o OUTPUT | -d DIR [--ext EXT])\n"
    "                    [--no-overwrite] [--quiet] FILE...\n"
    "  quillmark-convert --detect FILE...\n"
    "  quillmark-convert --dump FILE\n"
    "  quillmark-convert --list-formats\n"
    "  quillmark-convert --help | --version\n"
    "\n"
    "Converts subtitle files; the input format is recognised from the file's contents.\n"
    "  --to FORMAT     output format: a number or a name from --list-formats (srt too)\n"
    "  --fps RATE      frame rate for converting between frames and clock times\n"
    "                  (\"23,976\" or \"23.976\"; default 23.976)\n"
    "  -o OUTPUT       write the one input to OUTPUT (\"-\" for standard output)\n"
    "  -d DIR          write each input into DIR under its own name, with the extension\n"
    "                  replaced by EXT (default: the output format's usual one;\n"
    "                  --ext \"\" keeps the input's)\n"
    "  --no-overwrite  leave existing output files alone (reported as skipped)\n"
    "  --quiet         report only errors\n"
    "  --detect        print <format number>\\t<format name>\\t<path> per file\n"
    "  --dump          print the subtitle records as read, one line each\n"
    "\n"
    "Exit codes: 0 all done; 1 a file was not recognised, read or written; 2 wrong\n"
    "usage (nothing written); 3 a file held more than 20000 subtitles and only those\n"
    "were converted.\n";

namespace {

class ArgReader {
 public:
  explicit ArgReader(const std::vector<std::string>& args) : m_args(args) {}
  bool Done() const { return m_next >= m_args.size(); }
  const std::string& Next() { return m_args[m_next++]; }
  const std::string& ValueOf(const std::string& option) {
    if (Done()) throw UsageError(option + " needs a value");
    return Next();
  }

 private:
  const std::vector<std::string>& m_args;
  size_t m_next = 0;
};

uint8_t ParseFormat(const std::string& name) {
  const auto format = FormatFromCliName(name);
  if (!format) throw UsageError("--to: unknown format '" + name + "' (see --list-formats)");
  if (!FormatCatalogue[*format].Written)
    throw UsageError(std::string("--to: subtitles cannot be written as ") + FormatCatalogue[*format].Name);
  return *format;
}

double ParseRate(const std::string& text) {
  const auto rate = TryParseDecimal(text, true);
  if (!rate || !(*rate > 0)) throw UsageError("--fps: '" + text + "' is not a frame rate above zero");
  return *rate;
}

void SetCommand(CliOptions& options, CliCommand command, const std::string& option) {
  if (options.Command != CliCommand::Help && options.Command != command)
    throw UsageError(option + " cannot be combined with the other command given");
  options.Command = command;
}

void CheckConvert(const CliOptions& o) {
  if (!o.Format) throw UsageError("--to FORMAT is needed to convert");
  if (o.Output.empty() == o.Directory.empty()) throw UsageError("give either -o OUTPUT or -d DIR");
  if (!o.Output.empty() && o.Files.size() != 1) throw UsageError("-o takes exactly one input file");
  if (o.Extension && o.Directory.empty()) throw UsageError("--ext goes with -d DIR");
  if (o.Files.empty()) throw UsageError("no input files");
}

}  // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
  CliOptions o;
  ArgReader in(args);
  bool convertOptionSeen = false;
  while (!in.Done()) {
    const std::string& arg = in.Next();
    if (arg == "--help" || arg == "-h") return CliOptions{};
    if (arg == "--version") {
      CliOptions version;
      version.Command = CliCommand::Version;
      return version;
    }
    if (arg == "--detect") {
      SetCommand(o, CliCommand::Detect, arg);
    } else if (arg == "--dump") {
      SetCommand(o, CliCommand::Dump, arg);
    } else if (arg == "--list-formats") {
      SetCommand(o, CliCommand::ListFormats, arg);
    } else if (arg == "--to") {
      o.Format = ParseFormat(in.ValueOf(arg));
      convertOptionSeen = true;
    } else if (arg == "--fps") {
      o.FrameRate = ParseRate(in.ValueOf(arg));
      convertOptionSeen = true;
    } else if (arg == "-o") {
      o.Output = in.ValueOf(arg);
      if (o.Output.empty()) throw UsageError("-o needs a file name");
      convertOptionSeen = true;
    } else if (arg == "-d") {
      o.Directory = in.ValueOf(arg);
      if (o.Directory.empty()) throw UsageError("-d needs a folder");
      convertOptionSeen = true;
    } else if (arg == "--ext") {
      o.Extension = in.ValueOf(arg);
      convertOptionSeen = true;
    } else if (arg == "--no-overwrite") {
      o.NoOverwrite = convertOptionSeen = true;
    } else if (arg == "--quiet") {
      o.Quiet = convertOptionSeen = true;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option '" + arg + "'");
    } else {
      o.Files.push_back(arg);
    }
  }
  if (o.Command == CliCommand::Help && (convertOptionSeen || !o.Files.empty())) o.Command = CliCommand::Convert;
  if (o.Command != CliCommand::Convert && convertOptionSeen)
    throw UsageError("conversion options go with --to, not with this command");
  if (o.Command == CliCommand::Convert) CheckConvert(o);
  if (o.Command == CliCommand::Detect && o.Files.empty()) throw UsageError("--detect needs at least one file");
  if (o.Command == CliCommand::Dump && o.Files.size() != 1) throw UsageError("--dump takes exactly one file");
  if (o.Command == CliCommand::ListFormats && !o.Files.empty()) throw UsageError("--list-formats takes no files");
  return o;
}

}  // namespace qm
