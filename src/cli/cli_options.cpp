#include "cli/cli_options.h"

#include <getopt.h>

#include <cmath>
#include <functional>

#include "formats/catalogue.h"
#include "platform/errors.h"
#include "platform/numbers.h"

namespace qm {

const char* const kCliUsage =
    "Usage:\n"
    "  quillmark-convert [--to FORMAT] [--fps RATE] (-o OUTPUT | -d DIR [--ext EXT])\n"
    "                    [--no-overwrite] [--quiet] [TOOL...] FILE...\n"
    "  quillmark-convert --find TEXT [--from N] [--up] [--case] FILE\n"
    "  quillmark-convert --detect FILE...\n"
    "  quillmark-convert --info FILE...\n"
    "  quillmark-convert --check FILE...\n"
    "  quillmark-convert --dump FILE\n"
    "  quillmark-convert --list-formats\n"
    "  quillmark-convert -h | --help | --version\n"
    "\n"
    "Converts subtitle files; the input format is recognised from the file's contents.\n"
    "Every option with a value also takes it joined by \"=\" (--to=srt); after \"--\" every\n"
    "word is a file, also one whose name begins with \"-\". Files above 64 MiB are not read.\n"
    "  --to FORMAT     output format: a number or a name from --list-formats (srt too);\n"
    "                  without it (tools only) each file keeps its own format\n"
    "  --fps RATE      frame rate for converting between frames and clock times\n"
    "                  (\"23,976\" or \"23.976\"; 0.001 to 1000; without it the rate a file\n"
    "                  gives of itself, as MicroDVD's {1}{1}25, else 23.976)\n"
    "  -o OUTPUT       write the one input to OUTPUT (\"-\" for standard output)\n"
    "  -d DIR          write each input into DIR under its own name, with the extension\n"
    "                  replaced by EXT (default: the output format's usual one;\n"
    "                  --ext \"\" keeps the input's)\n"
    "  --no-overwrite  leave existing output files alone (reported as skipped)\n"
    "  --encoding NAME     how input files are decoded: auto (the default: a byte-order\n"
    "                  mark, then UTF-8, else windows-1250), utf-8, utf-16le, utf-16be,\n"
    "                  windows-1250 or any code page iconv knows (windows-1252, iso-8859-2,\n"
    "                  windows-1251, ...)\n"
    "  --to-encoding NAME  write in this encoding instead of each file's own: utf-8,\n"
    "                  utf-8-bom, utf-16le, utf-16be (both with a mark), windows-1250 or an\n"
    "                  iconv name; a character it cannot hold fails that file (exit 1)\n"
    "  --quiet         report only errors\n"
    "\n"
    "Tools, applied in the order given on each file's own timing, before the output's:\n"
    "  --shift SECONDS       move times by seconds (\"-1,5\" or \"-1.5\"); frame-timed files\n"
    "                        move by SECONDS x RATE frames; at most 360000 seconds either way\n"
    "  --shift-frames N      move times by N frames (N / RATE seconds for clock-timed files)\n"
    "  --only show|hide      shift only the show or only the hide times\n"
    "  --range A-B           shift only subtitles A to B\n"
    "  --scale FACTOR        multiply every time by FACTOR (0.001 to 1000)\n"
    "  --fps-from A --fps-to B   the same with FACTOR = B / A\n"
    "  --hide-from-show, --show-from-hide   copy one time of every subtitle onto the other\n"
    "  --replace FIND REPL   replace text; --trim remove trailing blanks and line breaks\n"
    "  --repair-overlaps     end each subtitle no later than the next one starts\n"
    "  --delete-empty        remove blank subtitles\n"
    "  --remove-accents      replace the Czech letters with caron or ring by plain ones\n"
    "  --wrap N              break lines longer than N characters\n"
    "\n"
    "  --find            print the number of the first subtitle holding TEXT, searching\n"
    "                    from subtitle N (default 1) down, or up with --up; --case\n"
    "                    matches letter case. Exit 1 when there is none.\n"
    "  --detect          print <format number>\\t<format name>\\t<path> per file\n"
    "  --info            print <format number>\\t<format name>\\t<encoding>\\t<subtitles>\\t<path>\n"
    "  --dump            print the subtitle records as read, one line each (texts in UTF-8)\n"
    "  --check           print <path>:<number>: <finding> per timing or text problem\n"
    "                    (display time, lines, overlaps, order, reading speed, line\n"
    "                    length); exit 1 when any file has one or cannot be read\n"
    "\n"
    "Exit codes: 0 all done; 1 a file was not recognised, read or written, or standard output\n"
    "could not be written (or --find found nothing); 2 wrong usage or a number out of range\n"
    "(nothing written); 3 a file held more than 20000 subtitles and only those were converted.\n"
    "\n"
    "On a terminal, converting 4 files or more shows a progress line on stderr (not with\n"
    "--quiet, not when stderr goes to a file or a pipe).\n"
    "\n"
    "Examples:\n"
    "  quillmark-convert --to srt --fps 25 -o film.srt film.sub\n"
    "      MicroDVD (frames) to SubRip (clock times) at 25 frames per second\n"
    "  quillmark-convert --to microdvd -d out/ --ext txt --no-overwrite *.srt\n"
    "      every SubRip file into out/ as MicroDVD named *.txt, keeping files already there\n"
    "  quillmark-convert --to srt -o - film.ssa | less\n"
    "      the converted file on standard output\n"
    "  quillmark-convert --shift -1,5 --only show --range 10-20 -o fixed.srt film.srt\n"
    "      show subtitles 10 to 20 one and a half seconds earlier, keeping the format\n"
    "  quillmark-convert --shift-frames 12 --fps 25 -o later.srt film.srt\n"
    "      move every time by 12 frames at 25 fps (0.48 s)\n"
    "  quillmark-convert --fps-from 23.976 --fps-to 25 -o pal.srt film.srt\n"
    "      retime for a 25 fps copy of a 23.976 fps film (about --scale 1.04271)\n"
    "  quillmark-convert --hide-from-show -o copy.sub film.sub   (or --show-from-hide)\n"
    "      set every hide time to the show time\n"
    "  quillmark-convert --replace \"Jon\" \"John\" --trim --repair-overlaps --delete-empty \\\n"
    "                    --remove-accents --wrap 40 -o clean.srt film.srt\n"
    "      the text tools in one run\n"
    "  quillmark-convert --find \"hello\" --from 100 --up --case film.srt\n"
    "      searching up from subtitle 100, the number of one holding \"hello\" in that case\n"
    "  quillmark-convert --to srt --encoding windows-1252 --to-encoding utf-8 -o new.srt old.srt\n"
    "      a Western European file into UTF-8\n"
    "  quillmark-convert --check *.srt\n"
    "      timing and text problems of every file, one line each, e.g. for a script\n"
    "  quillmark-convert --detect *.sub    quillmark-convert --dump film.sub\n"
    "  quillmark-convert --list-formats    quillmark-convert --version\n";

namespace {

using Values = std::vector<std::string>;

// Bounds within which every result of the timing tools is a frame number and a clock time
// exact to the millisecond, for the times a subtitle file holds (up to 99 hours).
constexpr double kMinFrameRate = 0.001, kMaxFrameRate = 1000;
constexpr double kMinScale = 0.001, kMaxScale = 1000;
constexpr double kMaxShiftSeconds = 360000;  // 100 hours

std::string Shown(const std::string& text) { return EscapeControls(text); }

std::string RangeText(double low, double high, const char* unit = "") {
  const auto number = [](double v) {
    std::string text = FloatToText(v);
    for (char& c : text)
      if (c == ',') c = '.';
    return text;
  };
  return " (" + number(low) + " to " + number(high) + unit + ")";
}

double ParseNumber(const std::string& option, const std::string& text) {
  const auto value = TryParseDecimal(text, true);
  if (!value) throw UsageError(option + ": '" + Shown(text) + "' is not a number");
  return *value;
}

double ParseWithin(const std::string& option, const std::string& text, double low, double high,
                   const char* unit = "") {
  const double value = ParseNumber(option, text);
  if (!(value >= low && value <= high))
    throw UsageError(option + ": '" + Shown(text) + "' is out of range" + RangeText(low, high, unit));
  return value;
}

double ParseFrameRate(const std::string& option, const std::string& text) {
  return ParseWithin(option, text, kMinFrameRate, kMaxFrameRate);
}

int32_t ParseInteger(const std::string& option, const std::string& text, int32_t minimum) {
  const auto value = TryStrToInt(text);
  if (!value || *value < minimum || text.find_first_not_of("+-0123456789") != std::string::npos)
    throw UsageError(option + ": '" + Shown(text) + "' is not a whole number" +
                     (minimum > INT32_MIN ? " of at least " + std::to_string(minimum) : ""));
  return *value;
}

uint8_t ParseFormat(const std::string& name) {
  const auto format = FormatFromCliName(name);
  if (!format) throw UsageError("--to: unknown format '" + Shown(name) + "' (see --list-formats)");
  if (!FormatCatalogue[*format].Written)
    throw UsageError(std::string("--to: subtitles cannot be written as ") + FormatCatalogue[*format].Name);
  return *format;
}

SubtitleRange ParseRange(const std::string& text) {
  const size_t dash = text.find('-', 1);
  if (dash == std::string::npos) throw UsageError("--range: '" + Shown(text) + "' is not A-B");
  return {ParseInteger("--range", text.substr(0, dash), 1),
          ParseInteger("--range", text.substr(dash + 1), 1)};
}

struct Parser {
  CliOptions o;
  bool convertOptionSeen = false;
  bool stop = false;  // --help or --version: the rest is not looked at
  std::optional<double> fpsFrom, fpsTo;
  bool scalePairEmitted = false;

  void Command(CliCommand command, const std::string& option) {
    if (o.Command != CliCommand::Help && o.Command != command)
      throw UsageError(option + " cannot be combined with the other command given");
    o.Command = command;
  }
  void Tool(ToolStep step) {
    o.Tools.Steps.push_back(std::move(step));
    convertOptionSeen = true;
  }
  void FpsPair() {
    if (fpsFrom && fpsTo && !scalePairEmitted) {
      const double factor = *fpsTo / *fpsFrom;
      if (!(factor >= kMinScale && factor <= kMaxScale))
        throw UsageError("--fps-from, --fps-to: the speed change " + FloatToText(factor) +
                         " is out of range" + RangeText(kMinScale, kMaxScale));
      Tool({ToolKind::Scale, factor});
      scalePairEmitted = true;
    }
  }
};

struct OptionRule {
  const char* name;  // "--long" or "-x"
  int values;
  std::function<void(Parser&, const Values&)> apply;
};

const std::vector<OptionRule>& Rules() {
  static const std::vector<OptionRule> rules = {
      {"-h", 0, [](Parser& p, const Values&) { p.o = CliOptions{}, p.stop = true; }},
      {"--help", 0, [](Parser& p, const Values&) { p.o = CliOptions{}, p.stop = true; }},
      {"--version", 0,
       [](Parser& p, const Values&) {
         p.o = CliOptions{}, p.o.Command = CliCommand::Version, p.stop = true;
       }},
      {"--detect", 0, [](Parser& p, const Values&) { p.Command(CliCommand::Detect, "--detect"); }},
      {"--info", 0, [](Parser& p, const Values&) { p.Command(CliCommand::Info, "--info"); }},
      {"--encoding", 1, [](Parser& p, const Values& v) { p.o.Encoding = v[0]; }},
      {"--to-encoding", 1,
       [](Parser& p, const Values& v) { p.o.ToEncoding = v[0], p.convertOptionSeen = true; }},
      {"--dump", 0, [](Parser& p, const Values&) { p.Command(CliCommand::Dump, "--dump"); }},
      {"--check", 0, [](Parser& p, const Values&) { p.Command(CliCommand::Check, "--check"); }},
      {"--list-formats", 0,
       [](Parser& p, const Values&) { p.Command(CliCommand::ListFormats, "--list-formats"); }},
      {"--find", 1,
       [](Parser& p, const Values& v) {
         p.Command(CliCommand::Find, "--find");
         p.o.FindText = v[0];
         if (p.o.FindText.empty()) throw UsageError("--find needs a text");
       }},
      {"--from", 1, [](Parser& p, const Values& v) { p.o.FindFrom = ParseInteger("--from", v[0], 1); }},
      {"--up", 0, [](Parser& p, const Values&) { p.o.FindUp = true; }},
      {"--case", 0, [](Parser& p, const Values&) { p.o.FindCase = true; }},
      {"--to", 1,
       [](Parser& p, const Values& v) { p.o.Format = ParseFormat(v[0]), p.convertOptionSeen = true; }},
      {"--fps", 1,
       [](Parser& p, const Values& v) {
         p.o.FrameRate = ParseFrameRate("--fps", v[0]), p.o.FrameRateGiven = true, p.convertOptionSeen = true;
       }},
      {"-o", 1,
       [](Parser& p, const Values& v) {
         if (v[0].empty()) throw UsageError("-o needs a file name");
         p.o.Output = v[0], p.convertOptionSeen = true;
       }},
      {"-d", 1,
       [](Parser& p, const Values& v) {
         if (v[0].empty()) throw UsageError("-d needs a folder");
         p.o.Directory = v[0], p.convertOptionSeen = true;
       }},
      {"--ext", 1, [](Parser& p, const Values& v) { p.o.Extension = v[0], p.convertOptionSeen = true; }},
      {"--no-overwrite", 0, [](Parser& p, const Values&) { p.o.NoOverwrite = p.convertOptionSeen = true; }},
      {"--quiet", 0, [](Parser& p, const Values&) { p.o.Quiet = p.convertOptionSeen = true; }},
      {"--shift", 1,
       [](Parser& p, const Values& v) {
         p.Tool({ToolKind::ShiftSeconds,
                 ParseWithin("--shift", v[0], -kMaxShiftSeconds, kMaxShiftSeconds, " seconds")});
       }},
      {"--shift-frames", 1,
       [](Parser& p, const Values& v) {
         p.Tool(
             {ToolKind::ShiftFrames, static_cast<double>(ParseInteger("--shift-frames", v[0], INT32_MIN))});
       }},
      {"--only", 1,
       [](Parser& p, const Values& v) {
         if (v[0] != "show" && v[0] != "hide")
           throw UsageError("--only: say show or hide, not '" + Shown(v[0]) + "'");
         p.o.Tools.Show = v[0] == "show";
         p.o.Tools.Hide = v[0] == "hide";
         p.convertOptionSeen = true;
       }},
      {"--range", 1,
       [](Parser& p, const Values& v) { p.o.Tools.Range = ParseRange(v[0]), p.convertOptionSeen = true; }},
      {"--scale", 1,
       [](Parser& p, const Values& v) {
         p.Tool({ToolKind::Scale, ParseWithin("--scale", v[0], kMinScale, kMaxScale)});
       }},
      {"--fps-from", 1,
       [](Parser& p, const Values& v) { p.fpsFrom = ParseFrameRate("--fps-from", v[0]), p.FpsPair(); }},
      {"--fps-to", 1,
       [](Parser& p, const Values& v) { p.fpsTo = ParseFrameRate("--fps-to", v[0]), p.FpsPair(); }},
      {"--hide-from-show", 0, [](Parser& p, const Values&) { p.Tool({ToolKind::HideFromShow}); }},
      {"--show-from-hide", 0, [](Parser& p, const Values&) { p.Tool({ToolKind::ShowFromHide}); }},
      // Texts stay as given: the document holds the same UTF-8.
      {"--replace", 2,
       [](Parser& p, const Values& v) {
         p.Tool({ToolKind::Replace, 0, 0, v[0], v[1]});
       }},
      {"--trim", 0, [](Parser& p, const Values&) { p.Tool({ToolKind::Trim}); }},
      {"--repair-overlaps", 0, [](Parser& p, const Values&) { p.Tool({ToolKind::RepairOverlaps}); }},
      {"--delete-empty", 0, [](Parser& p, const Values&) { p.Tool({ToolKind::DeleteEmpty}); }},
      {"--remove-accents", 0, [](Parser& p, const Values&) { p.Tool({ToolKind::RemoveAccents}); }},
      {"--wrap", 1,
       [](Parser& p, const Values& v) {
         p.Tool({ToolKind::Wrap, 0, ParseInteger("--wrap", v[0], 1)});
       }},
  };
  return rules;
}

// getopt_long's view of the rules: each rule's code is 256 + its index, short options also
// answer to their letter.
constexpr int kFirstCode = 256;

struct GetoptTables {
  std::string shortOptions = "-:";  // files in order, as code 1; a missing value as ':'
  std::vector<option> longOptions;
};

const GetoptTables& Tables() {
  static const GetoptTables tables = [] {
    GetoptTables t;
    const auto& rules = Rules();
    for (size_t i = 0; i < rules.size(); ++i) {
      const std::string_view name = rules[i].name;
      const int code = kFirstCode + static_cast<int>(i);
      if (name.size() == 2) {
        t.shortOptions += name[1];
        if (rules[i].values > 0) t.shortOptions += ':';
      } else {
        t.longOptions.push_back(
            {rules[i].name + 2, rules[i].values > 0 ? required_argument : no_argument, nullptr, code});
      }
    }
    t.longOptions.push_back({nullptr, 0, nullptr, 0});
    return t;
  }();
  return tables;
}

const OptionRule& RuleOfCode(int code) {
  const auto& rules = Rules();
  if (code >= kFirstCode) return rules.at(static_cast<size_t>(code - kFirstCode));
  for (const auto& rule : rules)
    if (std::string_view(rule.name).size() == 2 && rule.name[1] == code) return rule;
  throw UsageError("unknown option");
}

// The long options that an abbreviation could mean.
std::vector<std::string> LongOptionsStartingWith(std::string_view prefix) {
  std::vector<std::string> found;
  for (const auto& rule : Rules())
    if (std::string_view(rule.name).substr(0, prefix.size()) == prefix) found.emplace_back(rule.name);
  return found;
}

[[noreturn]] void ThrowUnknown(const char* arg, int optionCode) {
  if (optionCode >= kFirstCode)
    throw UsageError(std::string(RuleOfCode(optionCode).name) + " takes no value");
  if (optionCode > 0)
    throw UsageError("unknown option '-" + Shown(std::string(1, static_cast<char>(optionCode))) + "'");
  const std::string text = arg;
  const std::string name = text.substr(0, text.find('='));
  const auto candidates = LongOptionsStartingWith(name);
  if (candidates.size() > 1) {
    std::string list;
    for (const auto& c : candidates) list += (list.empty() ? "" : ", ") + c;
    throw UsageError("ambiguous option '" + Shown(name) + "' (" + list + ")");
  }
  throw UsageError("unknown option '" + Shown(name) + "'");
}

void CheckConvert(const CliOptions& o) {
  if (!o.Format && o.Tools.Steps.empty()) throw UsageError("--to FORMAT is needed to convert");
  if (o.Output.empty() == o.Directory.empty()) throw UsageError("give either -o OUTPUT or -d DIR");
  if (!o.Output.empty() && o.Files.size() != 1) throw UsageError("-o takes exactly one input file");
  if (o.Extension && o.Directory.empty()) throw UsageError("--ext goes with -d DIR");
  if (o.Files.empty()) throw UsageError("no input files");
  // A shift in frames becomes seconds for clock-timed files, through the final frame rate.
  for (const ToolStep& step : o.Tools.Steps)
    if (step.Kind == ToolKind::ShiftFrames && std::fabs(step.Number / o.FrameRate) > kMaxShiftSeconds)
      throw UsageError("--shift-frames: " + std::to_string(static_cast<int32_t>(step.Number)) +
                       " frames is out of range" +
                       RangeText(-kMaxShiftSeconds, kMaxShiftSeconds, " seconds"));
}

void CheckCommand(const Parser& p) {
  const CliOptions& o = p.o;
  const bool findOption = o.FindFrom != 1 || o.FindUp || o.FindCase;
  if (findOption && o.Command != CliCommand::Find) throw UsageError("--from, --up and --case go with --find");
  if (p.fpsFrom.has_value() != p.fpsTo.has_value()) throw UsageError("--fps-from and --fps-to go together");
  switch (o.Command) {
    case CliCommand::Convert:
      return CheckConvert(o);
    case CliCommand::Detect:
    case CliCommand::Info:
    case CliCommand::Check:
      if (o.Files.empty()) throw UsageError("this command needs at least one file");
      break;
    case CliCommand::Dump:
    case CliCommand::Find:
      if (o.Files.size() != 1) throw UsageError("this command takes exactly one file");
      break;
    case CliCommand::ListFormats:
      if (!o.Files.empty()) throw UsageError("--list-formats takes no files");
      break;
    default:
      break;
  }
  if (o.Command != CliCommand::Convert && p.convertOptionSeen)
    throw UsageError("conversion options and tools go with converting, not with this command");
}

// Options in the order given (tools run in that order), files among them in theirs, "--"
// ending the options, and "--opt=value" or "--opt value" alike. getopt_long keeps its
// state in globals; optind = 0 starts it afresh for every call.
void ReadArguments(Parser& p, const std::vector<std::string>& args) {
  std::vector<std::string> storage;
  storage.reserve(args.size() + 1);
  storage.emplace_back("quillmark-convert");
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(storage.size());
  const GetoptTables& tables = Tables();
  optind = 0;
  opterr = 0;
  while (!p.stop) {
    optopt = 0;
    const int code =
        getopt_long(argc, argv.data(), tables.shortOptions.c_str(), tables.longOptions.data(), nullptr);
    if (code == -1) break;
    if (code == 1) {
      p.o.Files.emplace_back(optarg);
      continue;
    }
    if (code == '?') ThrowUnknown(argv[static_cast<size_t>(optind - 1)], optopt);
    if (code == ':')
      throw UsageError(std::string(RuleOfCode(optopt).name) +
                       (RuleOfCode(optopt).values == 1 ? " needs a value" : " needs two values"));
    const OptionRule& rule = RuleOfCode(code);
    Values values;
    if (rule.values > 0) values.emplace_back(optarg);
    if (rule.values == 2) {
      if (optind >= argc) throw UsageError(std::string(rule.name) + " needs two values");
      values.emplace_back(argv[static_cast<size_t>(optind++)]);
    }
    rule.apply(p, values);
  }
  if (p.stop) return;
  for (int i = optind; i < argc; ++i) p.o.Files.emplace_back(argv[static_cast<size_t>(i)]);
}

}  // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
  Parser p;
  ReadArguments(p, args);
  if (p.stop) return p.o;
  if (p.o.Command == CliCommand::Help && (p.convertOptionSeen || !p.o.Files.empty()))
    p.o.Command = CliCommand::Convert;
  CheckCommand(p);
  return p.o;
}

}  // namespace qm
