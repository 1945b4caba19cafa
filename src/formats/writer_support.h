#pragma once
// Pieces shared by the writers: line ends, the clock texts of one subtitle and the 16-bit
// output. Writers append to one buffer; nothing touches the disk until it is complete.

#include <string>
#include <string_view>

#include "document/subtitle_document.h"
#include "document/subtitles_tool.h"  // kShowTime, kHideTime

namespace qm {

inline constexpr std::string_view kCrLf = "\r\n";

// Clock texts of the show (kShowTime) or hide (kHideTime) time. They fail with "Invalid
// argument to time encode" for a field out of range.
std::string ClockHhMmSs(const TSubtitle& record, int which);                    // 01:02:03
std::string ClockHhMmSsMs(const TSubtitle& record, int which, char separator);  // 01:02:03,456
std::string ClockHMmSsMs(const TSubtitle& record, int which);                   // 1:02:03.456

// The same texts appended to `out`; cutTo keeps only that many of the appended characters
// ("HH:MM:SS.mmm" cut to 11 is HH:MM:SS.cc: hundredths truncated, never rounded).
void AppendClock(std::string& out, const TSubtitle& record, int which, bool leadingZero, char separator,
                 bool withMs, size_t cutTo = std::string::npos);
void AppendNumber(std::string& out, int64_t number);

// The hide time of `previous` and the show time of `next` fall in the same second (the
// milliseconds are not compared): the two layouts in whole seconds then share one tag.
bool SameWholeSeconds(const TSubtitle& previous, const TSubtitle& next);

// The text with every "|" replaced by `lineBreak`, in one pass.
std::string JoinLines(std::string_view text, std::string_view lineBreak);
void AppendJoinedLines(std::string& out, std::string_view text, std::string_view lineBreak);

// A piece of single-byte text appended as UTF-16LE through the character table.
void AppendWide(std::string& out, std::string_view piece);

void WriteMicroDVD(const SubtitleDocument& doc, std::string& out);
void WriteSubRip(const SubtitleDocument& doc, std::string& out);
void WriteSubViewer(const SubtitleDocument& doc, std::string& out);
void WriteSubViewer2(const SubtitleDocument& doc, std::string& out);
void WriteAQT(const SubtitleDocument& doc, std::string& out);
void WriteSimpleTime(const SubtitleDocument& doc, std::string& out);
void WriteSSA(const SubtitleDocument& doc, std::string& out);
void WriteDKS(const SubtitleDocument& doc, std::string& out);
void WriteDVDArchitect(const SubtitleDocument& doc, std::string& out);
void WriteDVDStudioPro(const SubtitleDocument& doc, std::string& out);
void WriteVegasRegions(const SubtitleDocument& doc, std::string& out);

}  // namespace qm
