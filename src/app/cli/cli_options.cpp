#include "app/cli/cli_options.h"

#include <string_view>

#include "calendar/calendar_codes.h"

namespace qv::cli {
namespace {

// The calendars a user can choose for a date box.
bool IsOfferedCalendar(CalendarCode code) {
  return code == cal::CE || code == cal::JC || code == cal::JDN || code == cal::ORD || code == cal::ISO ||
         code == cal::LPW || code == cal::LPM;
}

}  // namespace

const char* UsageText() {
  return "Usage: quorvan-cli [OPTIONS] [--first TEXT] [--diff TEXT] [--second TEXT]\n"
         "       quorvan-cli [OPTIONS] --batch   (lines of FIRST<TAB>DIFFERENCE<TAB>SECOND on stdin)\n"
         "\n"
         "One date converts it into the other box's calendar; two dates count the days between\n"
         "them; a date and a difference give the other date. No box at all means today.\n"
         "\n"
         "Options:\n"
         "  --first-cal=CODE, --second-cal=CODE  CE, JC, JDN, ORD, ISO, LPW or LPM (default CE)\n"
         "  --format=ymd|dmy|mdy                 field order of CE and JC dates (default ymd)\n"
         "  --date-sep=-|/|.                     separator of CE and JC dates (default -)\n"
         "  --thousands=,|.|none                 digit-group separator (default ,)\n"
         "  --months                             the difference is a number of months\n"
         "  --include-first                      count the first date in a difference in days\n"
         "  --exclude-weekends                   do not count Saturdays and Sundays\n"
         "  --no-verbose                         leave out the explanatory notes\n"
         "  --no-hyphen                          ordinal and ISO week dates without hyphens\n"
         "  --lang=en|de                         language of the sentences (default en)\n"
         "  --help, --version\n"
         "\n"
         "Exit status: 0 when every request was answered, 1 when any input or result was\n"
         "refused, 2 for a usage error or a missing program-text file.\n";
}

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  ParseResult result;
  auto fail = [&](std::string message) {
    result.error = std::move(message);
    return result;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string name = argument;
    std::optional<std::string> value;
    if (const std::size_t equals = argument.find('='); argument.rfind("--", 0) == 0 && equals != std::string::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    auto take_value = [&]() -> std::optional<std::string> {
      if (value) return value;
      if (i + 1 >= arguments.size()) return std::nullopt;
      return arguments[++i];  // the next argument, even when it begins with '-' (a negative difference)
    };
    auto flag = [&](bool& target) {
      if (value) return false;
      target = true;
      return true;
    };
    if (name == "--first" || name == "--diff" || name == "--second") {
      std::optional<std::string> text = take_value();
      if (!text) return fail(name + " needs a text");
      (name == "--first" ? line.first : name == "--diff" ? line.difference : line.second) = std::move(text);
    } else if (name == "--first-cal" || name == "--second-cal") {
      const std::optional<std::string> text = take_value();
      const CalendarCode code = text ? CalendarCodeFromText(*text) : CalendarCode{-1};
      if (!IsOfferedCalendar(code)) return fail(name + " takes CE, JC, JDN, ORD, ISO, LPW or LPM");
      (name == "--first-cal" ? line.options.first_calendar : line.options.second_calendar) = code;
    } else if (name == "--format") {
      const std::optional<std::string> text = take_value();
      if (text == "ymd") {
        line.options.format = kFormatYMD;
      } else if (text == "dmy") {
        line.options.format = kFormatDMY;
      } else if (text == "mdy") {
        line.options.format = kFormatMDY;
      } else {
        return fail("--format takes ymd, dmy or mdy");
      }
    } else if (name == "--date-sep") {
      const std::optional<std::string> text = take_value();
      if (text != "-" && text != "/" && text != ".") return fail("--date-sep takes -, / or .");
      line.options.date_separator = *text;
    } else if (name == "--thousands") {
      const std::optional<std::string> text = take_value();
      if (text != "," && text != "." && text != "none") return fail("--thousands takes , . or none");
      line.options.thousands_separator = *text == "none" ? "" : *text;
    } else if (name == "--lang") {
      const std::optional<std::string> text = take_value();
      if (text != "en" && text != "de") return fail("--lang takes en or de");
      line.options.language = *text == "de" ? 1 : 0;
    } else if (name == "--months") {
      if (!flag(line.options.months)) return fail("--months takes no value");
    } else if (name == "--include-first") {
      if (!flag(line.options.include_first_date)) return fail("--include-first takes no value");
    } else if (name == "--exclude-weekends" || name == "--no-verbose" || name == "--no-hyphen") {
      if (value) return fail(name + " takes no value");
      if (name == "--exclude-weekends") line.options.include_weekends = false;
      if (name == "--no-verbose") line.options.verbose = false;
      if (name == "--no-hyphen") line.options.hyphen = 0;
    } else if (name == "--batch") {
      if (!flag(line.batch)) return fail("--batch takes no value");
    } else if (name == "--help" || name == "-h") {
      line.help = true;
    } else if (name == "--version") {
      line.version = true;
    } else {
      return fail("unknown argument: " + argument);
    }
  }
  if (line.batch && (line.first || line.difference || line.second)) {
    return fail("--batch reads its requests from standard input; --first, --diff and --second do not go with it");
  }
  result.command_line = std::move(line);
  return result;
}

}  // namespace qv::cli
