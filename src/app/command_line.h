#pragma once
// What the editor's command line asks before any window exists: --help and --version print
// their text and end the program; anything else goes on to the window (quillmark [FILE]).

#include <optional>
#include <string>
#include <vector>

namespace qm {

// The text to print for these arguments (without the program's name), or nullopt to go on.
std::optional<std::string> EarlyExitText(const std::vector<std::string>& arguments);

}  // namespace qm
