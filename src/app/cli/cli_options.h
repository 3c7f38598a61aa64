#pragma once
// The command line of quorvan-cli: options as the window's controls set them, and the three
// box texts of a single request.
#include <optional>
#include <string>
#include <vector>

#include "compute/request.h"

namespace qv::cli {

struct CommandLine {
  RequestOptions options;
  std::optional<std::string> first, difference, second;
  bool batch = false;
  bool help = false;
  bool version = false;
};

struct ParseResult {
  std::optional<CommandLine> command_line;
  std::string error;  // set when the arguments are not understood
};

ParseResult ParseCommandLine(const std::vector<std::string>& arguments);
const char* UsageText();

}  // namespace qv::cli
