#pragma once
// The command line of quorvan-cli: options as the window's controls set them, and the three
// box texts of a single request. Every option is declared once, in the table of CommandOptions();
// the parser, --help and the README's option list all come from that table.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/month_command.h"
#include "app/cli/work_calendar_options.h"
#include "compute/request.h"

namespace qv::cli {

struct CommandLine {
  RequestOptions options;
  std::optional<std::string> first, difference, second;
  MonthOptions month;  // --month and the options that shape it
  WorkCalendarOptions work_calendar;  // work week, holiday sources and the two lists
  bool batch = false;
  bool help = false;
  bool version = false;
};

// One option of the table.
struct CommandOption {
  std::string_view name;         // "--first-cal"
  std::string_view value;        // what follows "=" or the next argument ("CODE"); empty for a switch
  std::string_view description;  // one line of --help
  // Stores the value (empty for a switch) into the command line; false when it is not one the
  // option takes, which is then reported with `takes`.
  bool (*apply)(CommandLine& line, std::string_view value);
  std::string_view takes;        // "CE, JC, JDN, ORD, ISO, LPW or LPM"; empty for a switch
};

std::span<const CommandOption> CommandOptions();

struct ParseResult {
  std::optional<CommandLine> command_line;
  std::string error;  // set when the arguments are not understood
};

ParseResult ParseCommandLine(const std::vector<std::string>& arguments);
// The option list of --help and the README: one line per option, from the table.
std::string OptionListText();
std::string UsageText();

}  // namespace qv::cli
