#pragma once
// The batch conversion: detect, read, convert the timing through one frame rate, write, for
// every listed file, reporting each step as lines. Shared by the batch window and the
// command line; it works in a document of its own, never in the one being edited.
// The outputs are saved as one DurableWriteBatch: new files at once, replacements put in
// place at the end of the run, all of them on disk before the summary lines (or, when a
// failure ends the run, before ConvertFiles returns).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/subtitle_document.h"
#include "formats/catalogue.h"
#include "platform/errors.h"
#include "platform/text_encoding.h"

namespace qm {

struct BatchRequest {
  std::vector<std::string> Files;
  uint8_t Layout = 0;            // output format number, 0..10
  bool KeepInputFormat = false;  // write each file in its own format instead of Layout
  double FrameRate = 23.976;     // used only where input and output timing differ
  // A file that gives its own frame rate (MicroDVD's {1}{1}23.976) is converted at that
  // rate instead; otherwise its rate is only reported.
  bool UseFileFrameRate = false;
  std::string Destination;    // output folder, ending with "/"
  bool KeepExtension = true;  // else the extension becomes "." + Extension
  std::string Extension = "sub";
  bool Overwrite = true;                      // else ConfirmOverwrite decides for existing outputs
  std::string SingleOutput;                   // one explicit output path instead of Destination; "-" = stream
  std::optional<TextEncoding> InputEncoding;  // how files are decoded; nullopt: found per file
  std::optional<TextEncoding> OutputEncoding;  // nullopt: each file keeps its own
  // Tools applied after reading, on the file's own timing, before the timing conversion; the
  // document's FrameRate is then the rate the file is converted at.
  std::function<void(SubtitleDocument&, uint8_t format)> Transform;
};

// The report texts; the window takes them from the language file.
struct BatchTexts {
  std::string Opening, UnknownFormat, FileNotConverted, Format, FileConverted, Converted, Errors,
      OverwriteQuestion;
};
BatchTexts EnglishBatchTexts();

class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  virtual void AddLine(const std::string& line) = 0;
  // question is the full text "<OverwriteQuestion> <output> ?". Yes writes, No writes nothing.
  virtual bool ConfirmOverwrite(const std::string& outputPath, const std::string& question) = 0;
  // A file failed to be detected, read, converted or written. Return false to end the run.
  virtual bool ContinueAfterFailure(const std::string& path, const QuillmarkError& error) = 0;
  // The file held more subtitles than the table; the first ones were converted, or, when the
  // output is the input itself, nothing was written (inputKept) so that the rest survives.
  virtual void Truncated(const std::string& path, bool inputKept) = 0;
  // `count` times before zero in the file were read as zero.
  virtual void NegativeTimesZeroed(const std::string& path, int32_t count) = 0;
  // The file gives its own frame rate; `used` when the file was converted at it.
  virtual void FileFrameRate(const std::string& path, double rate, bool used) = 0;
  virtual void FileDone(int done, int total) = 0;
  // The bytes for SingleOutput "-". A QuillmarkError thrown here when they cannot be
  // written fails that file like a failed save.
  virtual void WriteStream(const std::string& bytes) = 0;
};

struct BatchOutcome {
  int ConvertedCount = 0;
  int ErrorCount = 0;
  int FailedCount = 0;   // failures while reading or writing (part of ErrorCount)
  int SkippedCount = 0;  // existing outputs the user chose not to overwrite
  int TruncatedCount = 0;
  bool Completed = false;  // false when a failure ended the run early
};

// Fails before the first file when the layout has no writer (SAMI, RadLight).
BatchOutcome ConvertFiles(SubtitleDocument& work, const BatchRequest& request, const BatchTexts& texts,
                          const FormatNameList& names, BatchObserver& observer);

// The output path of one input: Destination + the file name, with the extension replaced
// (or appended) when KeepExtension is off.
std::string BatchOutputPath(const BatchRequest& request, const std::string& inputPath);
// The platform's rule: the extension after the last "." of the file name is replaced; a name
// without one gets newExtension appended.
std::string ChangeFileExt(const std::string& path, const std::string& newExtension);

// What a drop on the batch list adds: each dropped file as it is, and for each dropped folder
// the subtitle files directly inside it (by the open dialog's extensions, in any letter
// case), sorted by name. Paths that name neither are left out.
std::vector<std::string> ExpandDroppedPaths(const std::vector<std::string>& paths);

}  // namespace qm
