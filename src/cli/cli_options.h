#pragma once
// The command line of quillmark-convert, parsed into one plain structure.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli_tools.h"

namespace qm {

// A wrong option; the message names it. Exit code 2, nothing written.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class CliCommand { Help, Version, Detect, Info, Dump, ListFormats, Convert, Find, Check };

struct CliOptions {
  CliCommand Command = CliCommand::Help;
  std::vector<std::string> Files;
  std::optional<uint8_t> Format;         // --to
  double FrameRate = 23.976;             // --fps
  bool FrameRateGiven = false;           // else a rate that a file gives of itself is used
  std::string Output;                    // -o
  std::string Directory;                 // -d
  std::optional<std::string> Extension;  // --ext
  bool NoOverwrite = false;
  bool Quiet = false;
  std::string Encoding = "auto";          // --encoding: how input files are decoded
  std::optional<std::string> ToEncoding;  // --to-encoding: else each file keeps its own
  ToolSettings Tools;
  // --find TEXT [--from N] [--up] [--case]
  std::string FindText;
  int32_t FindFrom = 1;
  bool FindUp = false;
  bool FindCase = false;
};

CliOptions ParseCliOptions(const std::vector<std::string>& args);

extern const char* const kCliUsage;

}  // namespace qm
