#include "batch/batch_engine.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "document/subtitles_tool.h"
#include "formats/subtitle_source.h"
#include "formats/subtitles_save.h"
#include "platform/durable_batch.h"
#include "platform/file_io.h"

namespace qm {
namespace {

const std::string kIndent = "      ";

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ConvertTiming(SubtitleDocument& doc, uint8_t inputFormat, uint8_t layout, double rate) {
  const bool inputFrames = IsFrameFormat(inputFormat);
  if (inputFrames == IsFrameFormat(layout)) return;
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    if (inputFrames) {
      FramesToClock(doc, i, true, true, rate);
    } else {
      ClockToFrames(doc, i, true, true, rate);
    }
  }
}

class FileConversion {
 public:
  FileConversion(SubtitleDocument& work, const BatchRequest& request, const BatchTexts& texts,
                 const FormatNameList& names, BatchObserver& observer, BatchOutcome& outcome)
      : m_work(work),
        m_request(request),
        m_texts(texts),
        m_names(names),
        m_observer(observer),
        m_outcome(outcome) {}

  void Run(const std::string& path) {
    SubtitleSource source = ReadInput(path);
    const uint8_t format = source.FormatIndex;
    m_observer.AddLine(m_texts.Opening + " " + EscapeControls(path));
    if (format == kNotRecognised) {
      m_observer.AddLine(kIndent + m_texts.UnknownFormat);
      m_observer.AddLine(kIndent + m_texts.FileNotConverted);
      ++m_outcome.ErrorCount;
      return;
    }
    const LoadResult loaded = LoadSubtitleSource(m_work, source);
    source.Feed.reset();  // the table holds what was read; its memory goes to the output
    const uint8_t layout = m_request.KeepInputFormat ? format : m_request.Layout;
    const std::string output = BatchOutputPath(m_request, path);
    if (loaded.Truncated) {
      ++m_outcome.TruncatedCount;
      // Written over itself, the file would lose every subtitle past the table's end.
      const bool overItself = output != "-" && IsSameFile(output, path);
      m_observer.Truncated(path, overItself);
      if (overItself) {
        m_observer.AddLine(kIndent + m_texts.FileNotConverted);
        return;
      }
    }
    if (loaded.NegativeTimesZeroed > 0) m_observer.NegativeTimesZeroed(path, loaded.NegativeTimesZeroed);
    m_work.FrameRate = m_request.FrameRate;
    if (loaded.FileFrameRate) {
      if (m_request.UseFileFrameRate) m_work.FrameRate = *loaded.FileFrameRate;
      m_observer.FileFrameRate(path, *loaded.FileFrameRate, m_request.UseFileFrameRate);
    }
    if (m_request.Transform) m_request.Transform(m_work, format);
    ConvertTiming(m_work, format, layout, m_work.FrameRate);
    Write(path, output, layout);
    m_observer.AddLine(kIndent + m_texts.Format + "  " + FormatName(m_names, format));
    m_observer.AddLine(kIndent + m_texts.FileConverted);
    ++m_outcome.ConvertedCount;
  }

  // Puts every output written in place and on disk. An output that fails here is counted as
  // a failure instead of a conversion, and reported against its input until the observer
  // ends the run (goOn false: it already has); returns goOn.
  bool Commit(bool goOn) {
    for (const DurableWriteBatch::Failure& failure : m_writes.Commit().Failures) {
      --m_outcome.ConvertedCount;
      ++m_outcome.FailedCount;
      ++m_outcome.ErrorCount;
      if (goOn)
        goOn = m_observer.ContinueAfterFailure(m_writtenInputs[failure.Write],
                                               WriteError(failure.Path, failure.Message));
    }
    m_writtenInputs.clear();
    return goOn;
  }

 private:
  static QuillmarkError WriteError(const std::string& output, const std::string& message) {
    return QuillmarkError(ErrorKind::InOut, "Cannot write " + EscapeControls(output) + ": " + message);
  }

  // An input that an earlier file of this run replaced is read as replaced, as if each
  // output had been put in place at once.
  SubtitleSource ReadInput(const std::string& path) {
    if (auto pending = m_writes.PendingContents(path))
      return PrepareSubtitleSource(std::move(*pending), m_request.InputEncoding);
    return ReadSubtitleFile(path, m_request.InputEncoding);
  }

  void Write(const std::string& input, const std::string& output, uint8_t layout) {
    const TextEncoding encoding = m_request.OutputEncoding.value_or(DefaultSaveEncoding(m_work));
    if (output == "-" && !m_request.SingleOutput.empty()) {
      m_observer.WriteStream(WriteSubtitles(m_work, layout, encoding));
      return;
    }
    if (!m_request.Overwrite && FileExists(output)) {
      const std::string question = m_texts.OverwriteQuestion + " " + EscapeControls(output) + " ?";
      if (!m_observer.ConfirmOverwrite(output, question)) {
        ++m_outcome.SkippedCount;
        return;
      }
    }
    // The bytes are complete before any file is touched: a failure to lay them out leaves an
    // existing output as it was.
    const std::string bytes = WriteSubtitles(m_work, layout, encoding);
    try {
      const size_t number = m_writes.Write(output, bytes);
      if (m_writtenInputs.size() <= number) m_writtenInputs.resize(number + 1);
      m_writtenInputs[number] = input;
    } catch (const QuillmarkError& error) {
      // Reported against the input file: a file that cannot be written is named.
      if (error.Kind() != ErrorKind::InOut) throw;
      throw WriteError(output, error.what());
    }
  }

  SubtitleDocument& m_work;
  const BatchRequest& m_request;
  const BatchTexts& m_texts;
  const FormatNameList& m_names;
  BatchObserver& m_observer;
  BatchOutcome& m_outcome;
  // The outputs wait here until the end of the run, so that the disk is waited on once.
  DurableWriteBatch m_writes;
  std::vector<std::string> m_writtenInputs;  // by write number
};

bool HasSubtitleExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::any_of(SubtitleExtensions.begin(), SubtitleExtensions.end(),
                     [&](const SubtitleExtension& known) { return extension == known.Extension; });
}

void AppendSubtitleFilesIn(const std::string& folder, std::vector<std::string>& out) {
  std::vector<std::string> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) && HasSubtitleExtension(it->path()))
      found.push_back(it->path().string());
  }
  std::sort(found.begin(), found.end());
  out.insert(out.end(), found.begin(), found.end());
}

}  // namespace

std::vector<std::string> ExpandDroppedPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> out;
  for (const std::string& path : paths) {
    if (DirectoryExists(path)) {
      AppendSubtitleFilesIn(path, out);
    } else if (FileExists(path)) {
      out.push_back(path);
    }
  }
  return out;
}

BatchTexts EnglishBatchTexts() {
  return {"Opening",   "Unknown format", "File not converted", "Format:", "File converted",
          "Converted", "Errors",         "Overwrite"};
}

std::string ChangeFileExt(const std::string& path, const std::string& newExtension) {
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + newExtension;
  return path.substr(0, dot) + newExtension;
}

std::string BatchOutputPath(const BatchRequest& request, const std::string& inputPath) {
  if (!request.SingleOutput.empty()) return request.SingleOutput;
  const std::string named =
      request.KeepExtension ? inputPath : ChangeFileExt(inputPath, "." + request.Extension);
  return request.Destination + FileNameOf(named);
}

BatchOutcome ConvertFiles(SubtitleDocument& work, const BatchRequest& request, const BatchTexts& texts,
                          const FormatNameList& names, BatchObserver& observer) {
  if (!request.KeepInputFormat &&
      (request.Layout >= kFormatCount || !FormatCatalogue[request.Layout].Written))
    throw QuillmarkError(
        ErrorKind::Unsupported,
        std::string("Subtitles cannot be written as ") +
            (request.Layout < kFormatCount ? FormatCatalogue[request.Layout].Name : "this format"));
  BatchOutcome outcome;
  const int total = static_cast<int>(request.Files.size());
  FileConversion conversion(work, request, texts, names, observer, outcome);
  bool goOn = true;
  for (int i = 0; i < total; ++i) {
    try {
      conversion.Run(request.Files[i]);
    } catch (const QuillmarkError& error) {
      ++outcome.FailedCount;
      ++outcome.ErrorCount;
      goOn = observer.ContinueAfterFailure(request.Files[i], error);
      if (!goOn) break;
    }
    observer.FileDone(i + 1, total);
  }
  // The files reported converted are on disk before the summary, and before a run that a
  // failure ended returns.
  if (!conversion.Commit(goOn)) return outcome;
  observer.AddLine(texts.Converted + " " + std::to_string(outcome.ConvertedCount) + "/" +
                   std::to_string(total));
  observer.AddLine(texts.Errors + " " + std::to_string(outcome.ErrorCount));
  outcome.Completed = true;
  return outcome;
}

}  // namespace qm
