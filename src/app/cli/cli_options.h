#pragma once
// The command line of quorvan-cli: options as the window's controls set them, and the three
// box texts of a single request. Every option is declared once, in the table of CommandOptions();
// the parser, --help and the README's option list all come from that table.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/answer.h"
#include "app/cli/month_command.h"
#include "app/cli/work_calendar_options.h"
#include "compute/request.h"

namespace qv::cli {

struct CommandLine {
  // The window's options, but strict reading: a script must not get an answer to a text that
  // says something else (--lenient reads as the window does).
  RequestOptions options = [] {
    RequestOptions strict;
    strict.text_reading = TextReading::Strict;
    return strict;
  }();
  std::optional<std::string> first, difference, second;  // from the options or the arguments
  OutputMode output = OutputMode::Sentence;
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
  std::string_view short_name = {};  // "-h"; empty when the option has none
};

std::span<const CommandOption> CommandOptions();

struct ParseResult {
  std::optional<CommandLine> command_line;
  std::string error;  // set when the arguments are not understood
};

// Options, and arguments that fill the boxes: a sign and a whole number ("+30", "-1,000") is the
// date difference, anything else the next empty date box (first, then second). "--" ends the
// options; an argument of '-' and a digit is never an option.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);
// True when `text` is a difference as an argument: '+' or '-', a digit, then digits and
// digit-group marks ("," or ".").
bool IsSignedNumber(std::string_view text);
// The option list of --help and the README: one line per option, from the table.
std::string OptionListText();
std::string UsageText();

}  // namespace qv::cli
