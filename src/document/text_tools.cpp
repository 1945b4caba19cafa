#include "document/text_tools.h"

#include "document/clock_time.h"
#include "document/subtitles_tool.h"
#include "platform/errors.h"
#include "platform/numbers.h"
#include "platform/utf8.h"

namespace qm {
namespace {

// Whole milliseconds of a clock time; out-of-range fields fail as the time text would.
int64_t ClockMilliseconds(int32_t hour, int32_t minute, int32_t second, std::string_view ms) {
  const int32_t millisecond = StrToInt(ms);
  EncodeClock(hour, minute, second, millisecond);
  return ((int64_t{hour} * 60 + minute) * 60 + second) * 1000 + millisecond;
}

template <class Char>
bool IsBreakChar(Char c) {
  return c == '\t' || c == ' ' || c == '-' || c == '.';
}
template <class Char>
bool IsQuoteChar(Char c) {
  return c == '"' || c == '\'';
}

void CheckWrapWidth(int32_t maxChars) {
  if (maxChars < 1)
    throw QuillmarkError(ErrorKind::Arithmetic, "The number of characters per line must be at least 1");
}

}  // namespace

void ApplyTextChanges(SubtitleDocument& doc, const TextChanges& changes) {
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    SubtitleText& text = doc.SubtitleTable[i].Text;
    text = ReplaceAll(changes.Find, changes.Replacement, text);
    if (changes.TrimEnds) TrimSubtitleEnd(doc, i);
  }
  if (changes.RepairHiding) RepairOverlaps(doc);
}

void RepairOverlaps(SubtitleDocument& doc) {
  for (int32_t i = 1; i < doc.SubtitleCount; ++i) {
    TSubtitle& current = doc.SubtitleTable[i];
    const TSubtitle& next = doc.SubtitleTable[i + 1];
    if (next.StartFrame < current.EndFrame) current.EndFrame = next.StartFrame;
    const int64_t hide =
        ClockMilliseconds(current.EndHour, current.EndMinute, current.EndSecond, current.EndMs);
    const int64_t show = ClockMilliseconds(next.StartHour, next.StartMinute, next.StartSecond, next.StartMs);
    if (hide > show) {
      current.EndHour = next.StartHour;
      current.EndMinute = next.StartMinute;
      current.EndSecond = next.StartSecond;
      current.EndMs = next.StartMs;
    }
  }
}

SubtitleCountChange DeleteBlankSubtitles(SubtitleDocument& doc) {
  SubtitleCountChange change{doc.SubtitleCount, DeleteEmptySubtitles(doc)};
  doc.SubtitleCount = change.After;
  return change;
}

void RemoveAccentsFromAll(SubtitleDocument& doc) {
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) RemoveAccents(doc, i);
}

namespace {

// Positions count from 1: p is the next character to read, lineStart the first character of
// the line being built, breakAt the last place the line may be broken after (0: none yet).
// Char is a byte for ASCII text and a whole character otherwise, so that widths count
// characters in every encoding.
template <class Char>
std::basic_string<Char> Wrap(std::basic_string_view<Char> text, int32_t maxChars) {
  const int64_t n = static_cast<int64_t>(text.size());
  const auto at = [&](int64_t pos) { return text[static_cast<size_t>(pos - 1)]; };
  const auto append = [&](std::basic_string<Char>& out, int64_t from, int64_t to) {
    if (to >= from)
      out.append(text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from + 1)));
  };

  std::basic_string<Char> result;
  result.reserve(text.size() + text.size() / 8 + 4);
  int64_t column = 1, p = 1, lineStart = 1, breakAt = 0;
  Char quote = 0;
  bool existingBreak = false;
  while (p <= n) {
    const Char ch = at(p);
    if (ch == '|') {
      if (!quote) existingBreak = true, breakAt = p;
    } else if (IsBreakChar(ch)) {
      if (!quote) breakAt = p;
    } else if (IsQuoteChar(ch)) {
      if (ch == quote)
        quote = 0;
      else if (!quote)
        quote = ch;
    }
    ++p;
    ++column;
    if (quote || !(existingBreak || (column > maxChars && breakAt > lineStart))) continue;

    column = p - breakAt;
    append(result, lineStart, breakAt);
    // Blanks (and CR LF pairs) right after the character just read are stepped over: not
    // counted in the new line and never its break point.
    if (!IsQuoteChar(ch)) {
      while (p <= n) {
        if (IsBreakChar(at(p)))
          ++p;
        else if (p + 1 <= n && at(p) == '\r' && at(p + 1) == '\n')
          p += 2;
        else
          break;
      }
    }
    // Where a line break already stands next, adding one would make an empty line.
    if (!existingBreak && p < n && at(p) != '|') result += '|';
    lineStart = ++breakAt;
    existingBreak = false;
  }
  append(result, lineStart, n);
  return result;
}

}  // namespace

std::string WrapSubtitleLines(std::string_view text, int32_t maxChars) {
  CheckWrapWidth(maxChars);
  if (IsAscii(text)) return Wrap(text, maxChars);
  const std::u32string characters = Utf8ToUtf32(text);
  return Utf32ToUtf8(Wrap(std::u32string_view(characters), maxChars));
}

void WrapAllSubtitleLines(SubtitleDocument& doc, int32_t maxChars) {
  CheckWrapWidth(maxChars);
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    SubtitleText& text = doc.SubtitleTable[i].Text;
    text = WrapSubtitleLines(text, maxChars);
  }
}

}  // namespace qm
