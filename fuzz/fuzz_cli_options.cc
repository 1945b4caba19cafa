// The converter's option parser on argument vectors made of the fuzz bytes (a NUL byte ends
// each argument), in-process; nothing is read or written. Only the usage error may escape,
// and what is accepted holds together.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qm;
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size && args.size() <= 256; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  try {
    const CliOptions o = ParseCliOptions(args);
    fuzz::Require(o.FrameRate >= 0.001 && o.FrameRate <= 1000, "frame rate within its range");
    if (o.Command == CliCommand::Convert) {
      fuzz::Require(!o.Files.empty(), "a conversion has files");
      fuzz::Require(o.Output.empty() != o.Directory.empty(), "one kind of output");
      fuzz::Require(o.Format.has_value() || !o.Tools.Steps.empty(), "something to do");
    }
    for (const ToolStep& step : o.Tools.Steps) {
      if (step.Kind == ToolKind::Scale)
        fuzz::Require(step.Number >= 0.001 && step.Number <= 1000, "scale in range");
      if (step.Kind == ToolKind::ShiftSeconds)
        fuzz::Require(std::fabs(step.Number) <= 360000, "shift in range");
      if (step.Kind == ToolKind::Wrap) fuzz::Require(step.Width >= 1, "wrap width");
    }
  } catch (const UsageError&) {
    // The message names the option; the exit code is 2.
  }
  return 0;
}
