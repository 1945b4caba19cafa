// A chain of the timing and text tools over a document read from the fuzz bytes, then every
// writer. The tools take numbers of any size and kind (NaN, infinities, the integer limits):
// each either works or fails with the product's error; with UBSan on, a signed overflow or
// an out-of-range conversion anywhere in the arithmetic ends the run.
//
// Input: one byte n, then n steps of 9 bytes (the tool, then 8 bytes of parameters), then the
// subtitle file that the detector and its reader take in.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "cli/cli_tools.h"
#include "document/editor_rules.h"
#include "document/quality_report.h"
#include "document/search.h"
#include "document/subtitles_tool.h"
#include "document/text_tools.h"
#include "document/timing_tools.h"
#include "formats/catalogue.h"
#include "formats/detect.h"
#include "formats/subtitles_load.h"
#include "formats/subtitles_save.h"
#include "fuzz_common.h"
#include "platform/errors.h"
#include "platform/numbers.h"

namespace {

using namespace qm;

constexpr size_t kStepBytes = 9;

// The 8 parameter bytes of one step, read as the tool needs them.
struct Parameters {
  uint8_t b[8];

  int32_t Int(int at = 0) const {
    uint32_t v;
    std::memcpy(&v, b + at, 4);
    return static_cast<int32_t>(v);
  }
  // Half of the time a plain number of thousandths, else any double bit pattern at all.
  double Number() const {
    if (b[7] & 1) {
      double raw;
      std::memcpy(&raw, b, 8);
      return raw;
    }
    return Int() / 1000.0;
  }
  double Second() const { return Parameters{{b[4], b[5], b[6], b[7], b[0], b[1], b[2], b[3]}}.Number(); }
  bool Flag(int bit) const { return (b[7] >> bit) & 1; }
  std::string Text(size_t from, size_t length) const {
    return std::string(reinterpret_cast<const char*>(b + from), length);
  }
};

void ApplyStep(SubtitleDocument& doc, uint8_t format, uint8_t tool, const Parameters& p) {
  switch (tool % 17) {
    case 0: {
      doc.TimeMode = p.Flag(1) ? kModeClock : kModeFrames;
      const TimeShift shift{p.Int(), p.Second(), p.Flag(2), p.Flag(3)};
      if (p.Flag(4)) {
        ShiftSubtitles(doc, shift, SubtitleRange{p.Int(0) % 30000, p.Int(4) % 30000});
      } else {
        ShiftSubtitles(doc, shift);
      }
      break;
    }
    case 1:
      ChangeSubtitleSpeed(doc, p.Number());
      break;
    case 2:
      ChangeSubtitleSpeed(doc, TimeScaleFromFrameRates(p.Number(), p.Second()));
      break;
    case 3:
      p.Flag(1) ? HideTimesFromShowTimes(doc) : ShowTimesFromHideTimes(doc);
      break;
    case 4:
      ApplyTextChanges(doc, {p.Text(0, p.b[6] % 4), p.Text(3, p.b[7] % 4), p.Flag(5), p.Flag(6)});
      break;
    case 5:
      RepairOverlaps(doc);
      break;
    case 6:
      DeleteBlankSubtitles(doc);
      break;
    case 7:
      RemoveAccentsFromAll(doc);
      break;
    case 8:
      WrapAllSubtitleLines(doc, p.Int());
      break;
    case 9:
      doc.StoredMode = static_cast<uint8_t>(p.b[6] % 3);
      CompleteTable(doc, [&] { return p.Flag(2) ? std::optional<double>(p.Number()) : std::nullopt; });
      break;
    case 10:
      for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
        if (p.Flag(2)) {
          FramesToClock(doc, i, true, true, p.Number());
        } else {
          ClockToFrames(doc, i, true, true, p.Number());
        }
      }
      break;
    case 11:
      (void)ShiftSecondsToFrames(p.Number(), p.Second());
      (void)ShiftFramesToSecondsText(p.Int(), p.Second());
      (void)StepShiftSeconds(FloatToText(p.Number()), p.Flag(1));
      break;
    case 12:
      (void)CheckQuality(doc, {});
      (void)MostLines(doc);
      break;
    case 13:
      (void)FindSubtitleText(doc, p.Int(), p.Text(0, 1 + p.b[6] % 3), p.Flag(1),
                             p.Flag(2) ? SearchDirection::Up : SearchDirection::Down);
      break;
    case 14:
      // What the grid and the editor show of every record.
      for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
        const TSubtitle& r = doc.SubtitleTable[i];
        (void)DurationText(r, p.Flag(1) ? kModeClock : kModeFrames);
        (void)SubtitleTimeText(r, kShowTime, true, ',', true);
        (void)SubtitleTimeText(r, kHideTime, true, ',', true);
      }
      break;
    case 15: {
      // The editor panel storing typed times into a record.
      if (doc.SubtitleCount == 0) break;
      EditorTimes typed;
      typed.StartFrame = p.Int(0);
      typed.EndFrame = p.Int(4);
      typed.HH1 = std::to_string(p.Int(0)), typed.MM1 = std::to_string(p.b[4]),
      typed.SS1 = std::to_string(p.b[5]);
      typed.HH2 = std::to_string(p.Int(4)), typed.SSS1 = std::to_string(p.b[6]);
      doc.TimeMode = p.Flag(1) ? kModeClock : kModeFrames;
      const int32_t index = 1 + static_cast<int32_t>(p.b[6]) % doc.SubtitleCount;
      StoreEditorTimes(doc, index, p.Second(), typed);
      (void)EditorDurationText(typed, doc.TimeMode);
      break;
    }
    default: {
      // The command line's route: the file's own timing, then the tools.
      ToolSettings tools;
      tools.Steps.push_back(ToolStep(p.Flag(1) ? ToolKind::ShiftFrames : ToolKind::ShiftSeconds,
                                     p.Flag(1) ? static_cast<double>(p.Int()) : p.Number()));
      ApplyTools(doc, format, tools, p.Second());
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto doc = std::make_unique<SubtitleDocument>();
  if (size == 0) return 0;
  const size_t steps = std::min<size_t>(data[0] % 8, (size - 1) / kStepBytes);
  const size_t fileStart = 1 + steps * kStepBytes;
  const std::string_view bytes(reinterpret_cast<const char*>(data + fileStart), size - fileStart);
  fuzz::ResetDocument(*doc);
  const uint8_t format = DetectFormatInBytes(bytes);
  try {
    LoadSubtitlesFromBytes(*doc, format, bytes);
  } catch (const QuillmarkError&) {
    // What was read stays, and the tools work on that.
  }
  doc->TimeMode = doc->StoredMode = TimeModeOf(format < kFormatCount ? format : 0);
  doc->FrameRate = 23.976;
  for (size_t s = 0; s < steps; ++s) {
    const uint8_t* step = data + 1 + s * kStepBytes;
    Parameters p;
    std::memcpy(p.b, step + 1, 8);
    try {
      ApplyStep(*doc, format < kFormatCount ? format : 0, step[0], p);
    } catch (const QuillmarkError&) {
      // Refused with the product's message; the document stays whole.
    }
    fuzz::CheckTable(*doc);
  }
  for (uint8_t layout = 0; layout <= 10; ++layout) {
    try {
      (void)WriteSubtitles(*doc, layout);
    } catch (const QuillmarkError&) {
    }
  }
  return 0;
}
