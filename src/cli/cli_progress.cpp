#include "cli/cli_progress.h"

#include <ostream>

namespace qm {

bool WantsProgressLine(size_t fileCount, bool quiet, bool errIsTerminal) {
  return errIsTerminal && !quiet && fileCount >= kProgressMinFiles;
}

void CliProgress::Update(int done, int total) {
  const int percent = total > 0 ? done * 100 / total : 100;
  m_text = "Converted " + std::to_string(done) + " of " + std::to_string(total) + " files (" +
           std::to_string(percent) + "%)";
  Hide();
  Show();
}

// Carriage return and erase-line: the cursor stays on the progress line's row.
void CliProgress::Hide() {
  if (!m_shown) return;
  m_err << "\r\x1b[K" << std::flush;
  m_shown = false;
}

void CliProgress::Show() {
  if (m_shown || m_text.empty()) return;
  m_err << m_text << std::flush;
  m_shown = true;
}

}  // namespace qm
