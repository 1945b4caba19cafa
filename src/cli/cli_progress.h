#pragma once
// The progress line of a long conversion: one line at the foot of a terminal, rewritten in
// place as files are done, wiped before each report line and at the end, so that the report
// itself stays as it is without a terminal.

#include <iosfwd>
#include <string>

namespace qm {

// Runs of at least this many files show the line; a few files are done before it would help.
inline constexpr size_t kProgressMinFiles = 4;

bool WantsProgressLine(size_t fileCount, bool quiet, bool errIsTerminal);

class CliProgress {
 public:
  explicit CliProgress(std::ostream& err) : m_err(err) {}
  void Update(int done, int total);
  // Around a report line written to the same stream.
  void Hide();
  void Show();
  void Finish() { Hide(), m_text.clear(); }

 private:
  std::ostream& m_err;
  std::string m_text;
  bool m_shown = false;
};

}  // namespace qm
