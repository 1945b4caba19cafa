#include "batch/batch_engine.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "document/subtitles_tool.h"
#include "formats/subtitle_source.h"
#include "formats/subtitles_save.h"
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
    const SubtitleSource source = ReadSubtitleFile(path, m_request.InputEncoding);
    const uint8_t format = source.FormatIndex;
    m_observer.AddLine(m_texts.Opening + " " + EscapeControls(path));
    if (format == kNotRecognised) {
      m_observer.AddLine(kIndent + m_texts.UnknownFormat);
      m_observer.AddLine(kIndent + m_texts.FileNotConverted);
      ++m_outcome.ErrorCount;
      return;
    }
    const LoadResult loaded = LoadSubtitleSource(m_work, source);
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
    Write(output, layout);
    m_observer.AddLine(kIndent + m_texts.Format + "  " + FormatName(m_names, format));
    m_observer.AddLine(kIndent + m_texts.FileConverted);
    ++m_outcome.ConvertedCount;
  }

 private:
  void Write(const std::string& output, uint8_t layout) {
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
    try {
      SaveSubtitles(m_work, layout, output, encoding);
    } catch (const QuillmarkError& error) {
      // Reported against the input file: a file that cannot be written is named.
      if (error.Kind() != ErrorKind::InOut) throw;
      throw QuillmarkError(error.Kind(), "Cannot write " + EscapeControls(output) + ": " + error.what());
    }
  }

  SubtitleDocument& m_work;
  const BatchRequest& m_request;
  const BatchTexts& m_texts;
  const FormatNameList& m_names;
  BatchObserver& m_observer;
  BatchOutcome& m_outcome;
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
  for (int i = 0; i < total; ++i) {
    try {
      conversion.Run(request.Files[i]);
    } catch (const QuillmarkError& error) {
      ++outcome.FailedCount;
      ++outcome.ErrorCount;
      if (!observer.ContinueAfterFailure(request.Files[i], error)) return outcome;
    }
    observer.FileDone(i + 1, total);
  }
  observer.AddLine(texts.Converted + " " + std::to_string(outcome.ConvertedCount) + "/" +
                   std::to_string(total));
  observer.AddLine(texts.Errors + " " + std::to_string(outcome.ErrorCount));
  outcome.Completed = true;
  return outcome;
}

}  // namespace qm
