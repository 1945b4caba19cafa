#pragma once
// Runs quillmark-convert in-process and captures what it prints.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace qm::test {

struct CliRun {
  int code;
  std::string out, err;
};

inline CliRun RunConvert(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunCli(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace qm::test
