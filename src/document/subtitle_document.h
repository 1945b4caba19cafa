#pragma once
// The one open document: a fixed table of subtitle records plus the globals that say how
// its times are to be read. The editor owns one for the whole run; a batch run uses its own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/ms_text.h"
#include "document/subtitle_text.h"
#include "platform/text_encoding.h"

namespace qm {

constexpr int32_t MaxSubtitles = 20000;

// One subtitle. Field order is fixed: start and end alternate, start first.
struct TSubtitle {
  int32_t StartFrame = 0;
  int32_t EndFrame = 0;
  int32_t StartHour = 0;
  int32_t EndHour = 0;
  int32_t StartMinute = 0;
  int32_t EndMinute = 0;
  int32_t StartSecond = 0;
  int32_t EndSecond = 0;
  MsText StartMs;  // milliseconds as text, normally three digits ("000" when new)
  MsText EndMs;
  SubtitleText Text;  // UTF-8, lines joined by "|"

  bool operator==(const TSubtitle&) const = default;
};

// 1-based slots 1..MaxSubtitles. Indexing outside the slots throws, so no reader or tool can
// write past the table. The slots are there from the start as far as anyone can tell, but
// their memory is taken in blocks as they are first written, so a short file costs a short
// table; a slot once written never moves.
class TSubtitleTable {
 public:
  // Inline: readers and writers index the table once or more for every subtitle.
  TSubtitle& operator[](int32_t index) {
    std::unique_ptr<TSubtitle[]>& block = m_blocks[BlockOf(index)];
    if (!block) block.reset(new TSubtitle[kBlock]);
    return block[(index - 1) % kBlock];
  }
  // A slot never written reads as an empty subtitle.
  const TSubtitle& operator[](int32_t index) const {
    const std::unique_ptr<TSubtitle[]>& block = m_blocks[BlockOf(index)];
    return block ? block[(index - 1) % kBlock] : EmptySlot();
  }
  // Every slot empty again, and their memory given back.
  void Clear();
  // Sets a text by keeping a copy of it in the table's text store, where the texts of a file
  // lie one after another until Clear: what readers do with every text they read.
  void KeepText(SubtitleText& text, std::string_view kept);

 private:
  static constexpr int32_t kBlock = 256;
  static int32_t BlockOf(int32_t index) {
    if (index < 1 || index > MaxSubtitles) ThrowOutsideTable(index);
    return (index - 1) / kBlock;
  }
  [[noreturn]] static void ThrowOutsideTable(int32_t index);
  static const TSubtitle& EmptySlot();
  std::unique_ptr<TSubtitle[]> m_blocks[(MaxSubtitles + kBlock - 1) / kBlock];
  std::vector<std::unique_ptr<char[]>> m_textChunks;
  char* m_textFree = nullptr;
  size_t m_textLeft = 0;
};

enum : uint8_t { kModeFrames = 0, kModeClock = 1, kModeBoth = 2 };

struct SubtitleDocument {
  TSubtitleTable SubtitleTable;
  int32_t SubtitleCount = 0;
  uint8_t TimeMode = kModeFrames;  // what the grid shows: 0 frames, 1 clock
  uint8_t StoredMode = kModeBoth;  // what the table holds: 0 frames, 1 clock, 2 both
  double FrameRate = 23.976;
  bool FrameRateConfirmed = false;
  std::string CurrentFileName;
  uint8_t FormatIndex = 0;
  TextEncoding Encoding;  // the open file's; a save keeps it unless told otherwise
};

}  // namespace qm
