#include "document/quality_report.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "document/subtitles_tool.h"
#include "platform/numbers.h"
#include "platform/utf8.h"

namespace qm {
namespace {

int64_t ClockMs(int32_t h, int32_t m, int32_t s, std::string_view ms) {
  return ((int64_t{h} * 60 + m) * 60 + s) * 1000 + TryStrToInt(ms).value_or(0);
}

// Frames at a tiny frame rate lie beyond any film; they are held at a bound that keeps the
// millisecond arithmetic below within 64 bits.
constexpr double kFarestMs = 1e15;

int64_t FramesMs(int32_t frames, double rate) {
  if (!(rate > 0)) return 0;
  return static_cast<int64_t>(std::clamp(RoundHalfEven(frames * 1000.0 / rate), -kFarestMs, kFarestMs));
}

struct Span {
  int64_t Show = 0, Hide = 0;
};

Span TimesOf(const SubtitleDocument& doc, const TSubtitle& r) {
  if (doc.StoredMode == kModeFrames)
    return {FramesMs(r.StartFrame, doc.FrameRate), FramesMs(r.EndFrame, doc.FrameRate)};
  return {ClockMs(r.StartHour, r.StartMinute, r.StartSecond, r.StartMs),
          ClockMs(r.EndHour, r.EndMinute, r.EndSecond, r.EndMs)};
}

int64_t LongestLine(std::string_view text) {
  size_t longest = 0;
  for (size_t from = 0;;) {
    const size_t bar = text.find('|', from);
    const size_t end = bar == std::string_view::npos ? text.size() : bar;
    longest = std::max(longest, CountCharacters(text.substr(from, end - from)));
    if (bar == std::string_view::npos) return static_cast<int64_t>(longest);
    from = bar + 1;
  }
}

// Characters a viewer reads: everything but the line separators.
int64_t ReadCharacters(std::string_view text) {
  return static_cast<int64_t>(CountCharacters(text) -
                              static_cast<size_t>(std::count(text.begin(), text.end(), '|')));
}

std::string TimeText(int64_t ms) {
  const int64_t sign = ms < 0 ? -1 : 1;
  const int64_t a = ms * sign;
  std::string text = sign < 0 ? "-" : "";
  text += ZeroPad(static_cast<int32_t>(a / 3600000 % 100), 2) + ":" +
          ZeroPad(static_cast<int32_t>(a / 60000 % 60), 2) + ":" +
          ZeroPad(static_cast<int32_t>(a / 1000 % 60), 2) + "," + ZeroPad3(static_cast<int32_t>(a % 1000));
  return text;
}

// Seconds with a decimal comma and at most three decimals: 7, 0,5, 8,25.
std::string SecondsText(int64_t ms) {
  std::string text = std::to_string(ms / 1000);
  if (ms < 0 && ms > -1000) text.insert(0, "-");
  int64_t fraction = std::abs(ms % 1000);
  if (fraction == 0) return text;
  std::string digits = ZeroPad3(static_cast<int32_t>(fraction));
  while (digits.back() == '0') digits.pop_back();
  return text + "," + digits;
}

std::string ValueText(FindingKind kind, int64_t value) {
  switch (kind) {
    case FindingKind::TooLong:
    case FindingKind::TooShort:
    case FindingKind::HideBeforeShow:
    case FindingKind::OverlapsNext:
      return SecondsText(value);
    case FindingKind::ReadingSpeed:
      return std::to_string(value / 10) + (value % 10 ? "," + std::to_string(value % 10) : "");
    default:
      return std::to_string(value);
  }
}

std::string LimitText(FindingKind kind, int64_t limit) {
  if (kind == FindingKind::TooLong || kind == FindingKind::TooShort) return SecondsText(limit);
  return std::to_string(limit);
}

void Replace(std::string& text, std::string_view key, const std::string& by) {
  const size_t at = text.find(key);
  if (at != std::string::npos) text.replace(at, key.size(), by);
}

}  // namespace

QualityReport CheckQuality(const SubtitleDocument& doc, const QualityLimits& limits) {
  QualityReport report;
  report.SubtitleCount = doc.SubtitleCount;
  Span previous;
  Span current = doc.SubtitleCount > 0 ? TimesOf(doc, doc.SubtitleTable[1]) : Span{};
  for (int32_t i = 1; i <= doc.SubtitleCount; ++i) {
    const TSubtitle& r = doc.SubtitleTable[i];
    const Span next = i < doc.SubtitleCount ? TimesOf(doc, doc.SubtitleTable[i + 1]) : Span{};
    if (IsBlankText(r.Text)) ++report.BlankCount;
    const auto add = [&](FindingKind kind, int64_t value, int64_t limit) {
      report.Findings.push_back({i, kind, current.Show, value, limit});
    };
    const int64_t duration = current.Hide - current.Show;
    if (duration > limits.MaxDurationMs) add(FindingKind::TooLong, duration, limits.MaxDurationMs);
    if (duration >= 0 && duration < limits.MinDurationMs)
      add(FindingKind::TooShort, duration, limits.MinDurationMs);
    const int32_t lines = CountLines(r.Text);
    if (lines > limits.MaxLines) add(FindingKind::TooManyLines, lines, limits.MaxLines);
    if (duration < 0) add(FindingKind::HideBeforeShow, -duration, 0);
    if (i < doc.SubtitleCount && current.Hide > next.Show)
      add(FindingKind::OverlapsNext, current.Hide - next.Show, i + 1);
    if (i > 1 && current.Show < previous.Show) add(FindingKind::StartsBeforePrevious, current.Show, i - 1);
    const int64_t characters = ReadCharacters(r.Text);
    // Characters per second in tenths, compared exactly: chars * 10000 / ms > limit * 10.
    if (duration > 0 && characters * 1000 > int64_t{limits.MaxCharsPerSecond} * duration)
      add(FindingKind::ReadingSpeed, characters * 10000 / duration, limits.MaxCharsPerSecond);
    const int64_t longest = LongestLine(r.Text);
    if (longest > limits.MaxLineLength) add(FindingKind::LineTooLong, longest, limits.MaxLineLength);
    previous = current;
    current = next;
  }
  return report;
}

const FindingTemplates& EnglishFindingTemplates() {
  static const FindingTemplates templates = {
      "shown for {value} s, longer than {limit} s",
      "shown for {value} s, shorter than {limit} s",
      "{value} lines, more than {limit}",
      "hidden {value} s before it is shown",
      "still shown {value} s after subtitle {limit} starts",
      "starts before subtitle {limit}",
      "{value} characters per second, more than {limit}",
      "a line of {value} characters, longer than {limit}",
  };
  return templates;
}

std::string FindingMessage(const Finding& finding, const FindingTemplates& templates) {
  std::string text = templates[static_cast<size_t>(finding.Kind)];
  Replace(text, "{value}", ValueText(finding.Kind, finding.Value));
  Replace(text, "{limit}", LimitText(finding.Kind, finding.Limit));
  return text;
}

std::string FindingTimeText(const Finding& finding) { return TimeText(finding.ShowMs); }

std::string FindingLine(const Finding& finding, const FindingTemplates& templates) {
  return std::to_string(finding.Number) + " (" + TimeText(finding.ShowMs) +
         "): " + FindingMessage(finding, templates);
}

}  // namespace qm
