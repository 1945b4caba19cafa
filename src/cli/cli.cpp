#include "cli/cli.h"

#include <cerrno>
#include <ostream>

#include "batch/batch_engine.h"
#include "cli/cli_options.h"
#include "cli/cli_progress.h"
#include "document/quality_report.h"
#include "document/search.h"
#include "document/subtitles_tool.h"
#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/dump.h"
#include "formats/subtitle_source.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/numbers.h"

namespace qm {
namespace {

// File names and texts reach a terminal only with their control characters escaped.
std::string Shown(const std::string& text) { return EscapeControls(text); }

// "Cannot write standard output: Disk full"; the cause only when the failed write left one.
std::string StandardOutputFailure(int cause) {
  return std::string("Cannot write standard output") + (cause != 0 ? ": " + InOutMessage(cause) : "");
}

const char* TimingName(TimingKind kind) {
  switch (kind) {
    case TimingKind::Frames:
      return "frames";
    case TimingKind::Clock:
      return "clock";
    default:
      return "-";
  }
}

// The encoding --encoding names; nullopt for "auto". A name nobody knows is a usage error.
std::optional<TextEncoding> InputEncoding(const CliOptions& options) {
  try {
    return ParseReadEncodingName(options.Encoding);
  } catch (const QuillmarkError& e) {
    throw UsageError(std::string("--encoding: ") + e.what());
  }
}

int Detect(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const FormatNameList names = BuiltInFormatNames();
  const std::optional<TextEncoding> encoding = InputEncoding(options);
  int code = kExitOk;
  for (const auto& file : options.Files) {
    try {
      const uint8_t format = DetectFormat(file, encoding);
      out << int{format} << '\t' << FormatName(names, format) << '\t' << Shown(file) << '\n';
      if (format == kNotRecognised) {
        err << Shown(file) << ": format not recognised\n";
        code = kExitFailed;
      }
    } catch (const QuillmarkError& e) {
      err << Shown(file) << ": " << e.what() << '\n';
      code = kExitFailed;
    }
  }
  return code;
}

// One line per file: format number, name, encoding, subtitle count, path.
int Info(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const FormatNameList names = BuiltInFormatNames();
  const std::optional<TextEncoding> encoding = InputEncoding(options);
  auto doc = std::make_unique<SubtitleDocument>();
  int code = kExitOk;
  for (const auto& file : options.Files) {
    try {
      OpenSubtitles(*doc, file, encoding);
      if (doc->FormatIndex == kNotRecognised) {
        err << Shown(file) << ": format not recognised\n";
        code = kExitFailed;
        continue;
      }
      out << int{doc->FormatIndex} << '\t' << FormatName(names, doc->FormatIndex) << '\t'
          << EncodingDisplayName(doc->Encoding) << '\t' << doc->SubtitleCount << '\t' << Shown(file) << '\n';
    } catch (const QuillmarkError& e) {
      err << Shown(file) << ": " << e.what() << '\n';
      code = kExitFailed;
    }
  }
  return code;
}

int ListFormats(std::ostream& out) {
  for (const auto& f : FormatCatalogue) {
    out << int{f.Index} << '\t' << f.Name << '\t' << TimingName(f.Timing) << '\t'
        << (f.Readable ? "read/write" : "-") << '\t' << f.CliName << '\n';
  }
  return kExitOk;
}

int Dump(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& file = options.Files.front();
  const std::optional<TextEncoding> encoding = InputEncoding(options);
  auto doc = std::make_unique<SubtitleDocument>();
  try {
    const LoadResult result = OpenSubtitles(*doc, file, encoding);
    if (doc->FormatIndex == kNotRecognised) {
      err << Shown(file) << ": format not recognised\n";
      return kExitFailed;
    }
    out << DumpDocument(*doc);
    if (result.Truncated) {
      err << Shown(file) << ": " << TruncationMessage() << '\n';
      return kExitPartial;
    }
    return kExitOk;
  } catch (const QuillmarkError& e) {
    out << DumpDocument(*doc);
    err << Shown(file) << ": " << e.what() << '\n';
    return kExitFailed;
  }
}

// One line per finding of the quality report: "path:number: show time message".
int Check(const CliOptions& options, std::ostream& out, std::ostream& err) {
  int code = kExitOk;
  const std::optional<TextEncoding> encoding = InputEncoding(options);
  auto doc = std::make_unique<SubtitleDocument>();
  for (const auto& file : options.Files) {
    try {
      OpenSubtitles(*doc, file, encoding);
      if (doc->FormatIndex == kNotRecognised) {
        err << Shown(file) << ": format not recognised\n";
        code = kExitFailed;
        continue;
      }
      for (const Finding& finding : CheckQuality(*doc, {}).Findings) {
        out << Shown(file) << ':' << finding.Number << ": " << FindingTimeText(finding) << ' '
            << FindingMessage(finding, EnglishFindingTemplates()) << '\n';
        code = kExitFailed;
      }
    } catch (const QuillmarkError& e) {
      err << Shown(file) << ": " << e.what() << '\n';
      code = kExitFailed;
    }
  }
  return code;
}

// Prints the batch report on stderr; with --quiet only what went wrong. The progress line,
// when there is one, is wiped before each report line and drawn again after it.
class CliReport : public BatchObserver {
 public:
  CliReport(std::ostream& out, std::ostream& err, bool quiet, const BatchTexts& texts, CliProgress* progress)
      : m_out(out), m_err(err), m_quiet(quiet), m_texts(texts), m_progress(progress) {}

  void AddLine(const std::string& line) override {
    if (line.rfind(m_texts.Opening + " ", 0) == 0) m_currentPath = line.substr(m_texts.Opening.size() + 1);
    if (!m_quiet) {
      Say(line + '\n');
    } else if (line.find(m_texts.UnknownFormat) != std::string::npos) {
      Say(m_currentPath + ": format not recognised\n");
    }
  }
  bool ConfirmOverwrite(const std::string& outputPath, const std::string&) override {
    if (!m_quiet) Say("      Skipped: " + Shown(outputPath) + " exists\n");
    return false;
  }
  bool ContinueAfterFailure(const std::string& path, const QuillmarkError& error) override {
    Say(Shown(path) + ": " + error.what() + '\n');
    if (!m_quiet) Say("      " + m_texts.FileNotConverted + '\n');
    return true;
  }
  void Truncated(const std::string& path, bool inputKept) override {
    Say(Shown(path) + ": " + (inputKept ? TruncationKeptMessage() : TruncationMessage()) + '\n');
  }
  void NegativeTimesZeroed(const std::string& path, int32_t count) override {
    Say(Shown(path) + ": " + ReplaceAll("{value}", std::to_string(count), NegativeTimesTemplate()) + '\n');
  }
  void FileFrameRate(const std::string&, double rate, bool used) override {
    if (m_quiet) return;
    Say(std::string(6, ' ') + (used ? "Frame rate from the file: " : "The file gives its own frame rate: ") +
        FloatToText(rate) + (used ? "" : " (--fps used)") + '\n');
  }
  void FileDone(int done, int total) override {
    if (m_progress) m_progress->Update(done, total);
  }
  void WriteStream(const std::string& bytes) override {
    errno = 0;
    m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    m_out.flush();
    // A full disk or a closed standard output: the file never arrived, so it is not converted.
    if (!m_out) throw QuillmarkError(ErrorKind::InOut, StandardOutputFailure(errno));
  }

 private:
  void Say(const std::string& text) {
    if (m_progress) m_progress->Hide();
    m_err << text;
    if (m_progress) m_progress->Show();
  }

  std::ostream& m_out;
  std::ostream& m_err;
  bool m_quiet;
  const BatchTexts& m_texts;
  CliProgress* m_progress;
  std::string m_currentPath;
};

BatchRequest MakeRequest(const CliOptions& o) {
  BatchRequest request;
  request.Files = o.Files;
  request.KeepInputFormat = !o.Format;
  request.Layout = o.Format.value_or(0);
  request.FrameRate = o.FrameRate;
  request.UseFileFrameRate = !o.FrameRateGiven;
  request.Overwrite = !o.NoOverwrite;
  request.SingleOutput = o.Output;
  request.InputEncoding = InputEncoding(o);
  try {
    if (o.ToEncoding) request.OutputEncoding = ParseEncodingName(*o.ToEncoding);
  } catch (const QuillmarkError& e) {
    throw UsageError(std::string("--to-encoding: ") + e.what());
  }
  if (o.ToEncoding && !request.OutputEncoding) throw UsageError("--to-encoding: give an encoding, not auto");
  if (!o.Directory.empty()) {
    if (!DirectoryExists(o.Directory)) throw UsageError("-d: no such folder: " + Shown(o.Directory));
    request.Destination = o.Directory.back() == '/' ? o.Directory : o.Directory + "/";
  }
  // Without --to each file keeps its format, and so its extension unless --ext says otherwise.
  std::string extension = o.Extension.value_or(o.Format ? FormatCatalogue[*o.Format].Extension : "");
  if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
  request.KeepExtension = extension.empty();
  request.Extension = extension;
  if (!o.Tools.Steps.empty()) {
    const ToolSettings tools = o.Tools;
    request.Transform = [tools](SubtitleDocument& doc, uint8_t format) {
      ApplyTools(doc, format, tools, doc.FrameRate);  // the file's own rate where it gives one
    };
  }
  return request;
}

int Convert(const CliOptions& options, std::ostream& out, std::ostream& err, const CliConsole& console) {
  const BatchRequest request = MakeRequest(options);
  const BatchTexts texts = EnglishBatchTexts();
  CliProgress progress(err);
  const bool showProgress = WantsProgressLine(options.Files.size(), options.Quiet, console.ErrIsTerminal);
  CliReport report(out, err, options.Quiet, texts, showProgress ? &progress : nullptr);
  auto work = std::make_unique<SubtitleDocument>();
  const BatchOutcome outcome = ConvertFiles(*work, request, texts, BuiltInFormatNames(), report);
  progress.Finish();
  if (outcome.ErrorCount > 0) return kExitFailed;
  return outcome.TruncatedCount > 0 ? kExitPartial : kExitOk;
}

// The product's search from subtitle FindFrom; the number found, or exit 1.
int Find(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& file = options.Files.front();
  auto doc = std::make_unique<SubtitleDocument>();
  OpenSubtitles(*doc, file, InputEncoding(options));
  if (doc->FormatIndex == kNotRecognised) {
    err << Shown(file) << ": format not recognised\n";
    return kExitFailed;
  }
  const auto found = FindSubtitleText(*doc, options.FindFrom, options.FindText, options.FindCase,
                                      options.FindUp ? SearchDirection::Up : SearchDirection::Down);
  if (!found) return kExitFailed;
  out << found->Row << '\n';
  return kExitOk;
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const CliConsole& console) {
  if (args.empty()) {
    err << kCliUsage;
    return kExitUsage;
  }
  try {
    const CliOptions options = ParseCliOptions(args);
    switch (options.Command) {
      case CliCommand::Help:
        out << kCliUsage;
        return kExitOk;
      case CliCommand::Version:
        out << "quillmark-convert " QM_VERSION "\n";
        return kExitOk;
      case CliCommand::Detect:
        return Detect(options, out, err);
      case CliCommand::Dump:
        return Dump(options, out, err);
      case CliCommand::ListFormats:
        return ListFormats(out);
      case CliCommand::Convert:
        return Convert(options, out, err, console);
      case CliCommand::Find:
        return Find(options, out, err);
      case CliCommand::Check:
        return Check(options, out, err);
      case CliCommand::Info:
        return Info(options, out, err);
    }
  } catch (const UsageError& e) {
    err << "quillmark-convert: " << e.what() << "\nTry 'quillmark-convert --help'.\n";
    return kExitUsage;
  } catch (const QuillmarkError& e) {
    err << "quillmark-convert: " << e.what() << '\n';
    return kExitFailed;
  }
  return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCli(args, out, err, CliConsole{});
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliConsole& console) {
  const int code = RunCommand(args, out, err, console);
  // What was printed for the caller must have arrived: an answer lost to a full disk or a
  // closed standard output is a failure, not a success. A run that failed has said so.
  errno = 0;
  out.flush();
  if (!out && code != kExitFailed) {
    err << "quillmark-convert: " << StandardOutputFailure(errno) << '\n';
    return kExitFailed;
  }
  return code;
}

}  // namespace qm
