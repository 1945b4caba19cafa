#pragma once
// quillmark-convert, callable in-process so that tests drive it without a subprocess.

#include <iosfwd>
#include <string>
#include <vector>

namespace qm {

enum CliExit : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// args excludes the program name. Returns the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qm
