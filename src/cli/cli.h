#pragma once
// quillmark-convert, callable in-process so that tests drive it without a subprocess.

#include <iosfwd>
#include <string>
#include <vector>

namespace qm {

enum CliExit : int {
  kExitOk = 0,
  kExitFailed = 1,   // a file was not recognised, not read or not written
  kExitUsage = 2,    // wrong options; nothing was written
  kExitPartial = 3,  // a file held more than 20000 subtitles; only those were converted
};

// What the program knows about where its report goes.
struct CliConsole {
  bool ErrIsTerminal = false;  // stderr is a terminal: long runs show a progress line
};

// args excludes the program name. Returns the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliConsole& console);

}  // namespace qm
