#include "app/cli/cli_options.h"

#include <array>
#include <string>
#include <vector>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/digit_run.h"
#include "lang/added_calendar_texts.h"
#include "text/string_utils.h"

namespace qv::cli {
namespace {

// How much of a refused option value a usage error repeats.
constexpr std::size_t kQuotedValueBytes = 60;

// The calendars a user can choose for a date box: the described ones and the added ones that are
// available.
bool SetCalendar(CalendarCode& target, std::string_view text) {
  const CalendarCode code = CalendarCodeFromText(text);
  const bool offered = IsBoxCalendar(code) && IsAvailableCalendar(code);
  if (offered) target = code;
  return offered;
}

// The codes of the calendars offered, in the order of the code table: a date box's (the seven a
// user can choose and the available added ones) or the added ones alone, each code followed by
// `between`, the last two joined by `last_between`. Made once from the calendar table, so that a
// calendar whose row is filled appears everywhere at once.
std::string CodeList(bool added_only, std::string_view between, std::string_view last_between) {
  std::vector<std::string_view> codes;
  for (CalendarCode code = 0; code < cal::kCount; ++code) {
    const bool offered = added_only ? IsAddedCalendar(code) : IsBoxCalendar(code);
    if (offered && IsAvailableCalendar(code)) codes.push_back(CalendarTextCode(code));
  }
  std::string list;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (i > 0) list.append(i + 1 == codes.size() ? last_between : between);
    list.append(codes[i]);
  }
  return list;
}

const std::string& BoxCalendarsTaken() {
  static const std::string list = CodeList(false, ", ", " or ");
  return list;
}
const std::string& FirstCalendarDescription() {
  static const std::string text = "first date's calendar: " + CodeList(false, " ", " ") + " (default CE)";
  return text;
}
const std::string& AddedCalendarsTaken() {
  static const std::string list = CodeList(true, ", ", " or ");
  return list;
}
const std::string& AlsoDescription() {
  static const std::string text = "with --month: an added calendar's day beneath each day (" + CodeList(true, " ", " ") + ")";
  return text;
}

bool SetFormat(CommandLine& line, std::string_view text) {
  constexpr std::array<std::pair<std::string_view, DateFormat>, 3> kFormats{
      {{"ymd", kFormatYMD}, {"dmy", kFormatDMY}, {"mdy", kFormatMDY}}};
  for (const auto& [name, format] : kFormats) {
    if (text == name) {
      line.options.format = format;
      return true;
    }
  }
  return false;
}

bool SetDateSeparator(CommandLine& line, std::string_view text) {
  if (text != "-" && text != "/" && text != ".") return false;
  line.options.date_separator = text;
  return true;
}

bool SetThousandsSeparator(CommandLine& line, std::string_view text) {
  if (text != "," && text != "." && text != "none") return false;
  line.options.thousands_separator = text == "none" ? std::string_view() : text;
  return true;
}

bool SetLanguage(CommandLine& line, std::string_view text) {
  if (text != "en" && text != "de") return false;
  line.options.language = text == "de" ? Language::German : Language::English;
  return true;
}

bool SetOutput(CommandLine& line, std::string_view text) {
  constexpr std::array<std::pair<std::string_view, OutputMode>, 3> kModes{
      {{"sentence", OutputMode::Sentence}, {"value", OutputMode::Value}, {"json", OutputMode::Json}}};
  for (const auto& [name, mode] : kModes) {
    if (text == name) {
      line.output = mode;
      return true;
    }
  }
  return false;
}

bool SetMonth(CommandLine& line, std::string_view text) {
  line.month.month = ParseYearMonth(text);
  return line.month.month.has_value();
}

// An added calendar whose days --month shows beneath the grid's.
bool SetAlso(CommandLine& line, std::string_view text) {
  const CalendarCode code = CalendarCodeFromText(text);
  if (!IsAddedCalendar(code) || !IsAvailableCalendar(code)) return false;
  line.month.also = code;
  return true;
}

// The one declaration of every option. (Made at start-up: the calendar lists come from the table.)
const std::array kOptions{
    CommandOption{"--first", "TEXT", "the first date box", [](CommandLine& l, std::string_view v) { l.first = std::string(v); return true; }, "a text"},
    CommandOption{"--diff", "TEXT", "the date difference box (days, or months with --months)",
                  [](CommandLine& l, std::string_view v) { l.difference = std::string(v); return true; }, "a text"},
    CommandOption{"--second", "TEXT", "the second date box", [](CommandLine& l, std::string_view v) { l.second = std::string(v); return true; }, "a text"},
    CommandOption{"--lenient", "", "read dates and differences as the window reads pasted text",
                  [](CommandLine& l, std::string_view) { l.options.text_reading = TextReading::Lenient; return true; }, ""},
    CommandOption{"--first-cal", "CODE", FirstCalendarDescription(),
                  [](CommandLine& l, std::string_view v) { return SetCalendar(l.options.first_calendar, v); }, BoxCalendarsTaken()},
    CommandOption{"--second-cal", "CODE", "second date's calendar, likewise (default CE)",
                  [](CommandLine& l, std::string_view v) { return SetCalendar(l.options.second_calendar, v); }, BoxCalendarsTaken()},
    CommandOption{"--format", "ymd|dmy|mdy", "field order of CE and JC dates (default ymd)", SetFormat, "ymd, dmy or mdy"},
    CommandOption{"--date-sep", "-|/|.", "separator of CE and JC dates (default -)", SetDateSeparator, "-, / or ."},
    CommandOption{"--thousands", ",|.|none", "digit-group separator (default ,)", SetThousandsSeparator, ", . or none"},
    CommandOption{"--months", "", "the difference is a number of months",
                  [](CommandLine& l, std::string_view) { l.options.unit = DifferenceUnit::Months; return true; }, ""},
    CommandOption{"--include-first", "", "count the first date in a difference in days",
                  [](CommandLine& l, std::string_view) { l.options.include_first_date = true; return true; }, ""},
    CommandOption{"--exclude-weekends", "", "do not count Saturdays and Sundays",
                  [](CommandLine& l, std::string_view) { l.options.include_weekends = false; return true; }, ""},
    // Working days as an office counts them: each of the three counts working days.
    CommandOption{"--work-week", "Mon-Fri|Sun-Thu|Mon,Tue,Thu|1111100", "the working days (1111100: Monday first)",
                  [](CommandLine& l, std::string_view v) { l.options.include_weekends = false; return SetWorkWeek(l.work_calendar, v); },
                  kWorkWeekTakes},
    CommandOption{"--weekend", "0000011", "the days off, Monday first (1 = day off), instead of --work-week",
                  [](CommandLine& l, std::string_view v) { l.options.include_weekends = false; return SetWeekend(l.work_calendar, v); },
                  "seven digits 0 or 1, Monday first, 1 = a day off, at least one 0"},
    CommandOption{"--holidays", "REGION", "leave out a region's holidays, e.g. DE-BY (repeatable)",
                  [](CommandLine& l, std::string_view v) { l.options.include_weekends = false; return AddRegion(l.work_calendar, v); },
                  kRegionTakes},
    CommandOption{"--holiday-file", "FILE", "leave out the holidays of a list or .ics file (repeatable)",
                  [](CommandLine& l, std::string_view v) { l.options.include_weekends = false; return AddHolidayFile(l.work_calendar, v); },
                  "a file name"},
    CommandOption{"--holiday-rules", "FILE", "leave out the holidays of a rule file's regions (repeatable)",
                  [](CommandLine& l, std::string_view v) { l.options.include_weekends = false; return AddRuleFile(l.work_calendar, v); },
                  "a file name"},
    CommandOption{"--holiday-kinds", "office|law", "count what offices close on (default) or the law's holidays alone",
                  [](CommandLine& l, std::string_view v) { return SetHolidayKinds(l.work_calendar, v); }, kHolidayKindsTakes},
    CommandOption{"--list-holidays", "YEAR", "print the holidays of --holidays and --holiday-file in YEAR",
                  [](CommandLine& l, std::string_view v) { return SetListHolidaysYear(l.work_calendar, v); }, kYearTakes},
    CommandOption{"--export-ics", "YEAR[..YEAR]", "write the holidays of those years as an iCalendar file",
                  [](CommandLine& l, std::string_view v) { return SetExportYears(l.work_calendar, v); }, kExportYearsTakes},
    CommandOption{"--list-regions", "", "print the region codes of --holidays with their names",
                  [](CommandLine& l, std::string_view) { l.work_calendar.list_regions = true; return true; }, ""},
    CommandOption{"--no-verbose", "", "leave out the explanatory notes",
                  [](CommandLine& l, std::string_view) { l.options.verbose = false; return true; }, ""},
    CommandOption{"--no-hyphen", "", "ordinal and ISO week dates without hyphens",
                  [](CommandLine& l, std::string_view) { l.options.hyphen = Hyphen::Without; return true; }, ""},
    CommandOption{"--lang", "en|de", "language of the sentences and the month (default en)", SetLanguage, "en or de"},
    CommandOption{"--month", "YEAR-MONTH", "print the calendar of a month, e.g. 2024-06 or -44-03", SetMonth,
                  "YEAR-MONTH: a year from -5800000 to 5800000, a hyphen and a month from 1 to 12"},
    CommandOption{"--julian", "", "with --month: the Julian calendar (default Common Era)",
                  [](CommandLine& l, std::string_view) { l.month.julian = true; return true; }, ""},
    CommandOption{"--monday", "", "with --month: weeks start on Monday (default Sunday)",
                  [](CommandLine& l, std::string_view) { l.month.monday = true; return true; }, ""},
    CommandOption{"--iso-weeks", "", "with --month: add the ISO week dates (needs --monday)",
                  [](CommandLine& l, std::string_view) { l.month.iso_weeks = true; return true; }, ""},
    CommandOption{"--no-year-digit", "", "with --iso-weeks: leave out the ISO year's last digit",
                  [](CommandLine& l, std::string_view) { l.month.no_year_digit = true; return true; }, ""},
    CommandOption{"--also", "CODE", AlsoDescription(), SetAlso, AddedCalendarsTaken()},
    CommandOption{"--batch", "", "read FIRST<TAB>DIFFERENCE<TAB>SECOND lines from standard input",
                  [](CommandLine& l, std::string_view) { l.batch = true; return true; }, ""},
    CommandOption{"--output", "sentence|value|json", "the sentence, only the result, or JSON Lines (default sentence)",
                  SetOutput, "sentence, value or json"},
    CommandOption{"--help", "", "show this text", [](CommandLine& l, std::string_view) { l.help = true; return true; }, "", "-h"},
    CommandOption{"--version", "", "show the version", [](CommandLine& l, std::string_view) { l.version = true; return true; }, "", "-V"},
};

const CommandOption* FindOption(std::string_view name) {
  for (const CommandOption& option : kOptions) {
    if (option.name == name || (!option.short_name.empty() && option.short_name == name)) return &option;
  }
  return nullptr;
}

// An argument that is not an option: anything not starting with '-', a lone '-', and '-'
// followed by a digit (a negative difference, or a year before 0).
bool IsArgument(std::string_view argument) {
  return argument.size() < 2 || argument[0] != '-' || IsDigit(argument[1]);
}

// Puts an argument into its box: a signed number into the difference, anything else into the
// first empty date box. An error message when that box is taken.
std::string PlaceArgument(CommandLine& line, std::string_view argument) {
  if (IsSignedNumber(argument)) {
    if (line.difference) return "argument '" + std::string(argument) + "': the date difference is already given";
    line.difference = std::string(argument);
  } else if (!line.first) {
    line.first = std::string(argument);
  } else if (!line.second) {
    line.second = std::string(argument);
  } else {
    return "argument '" + std::string(argument) + "': the first and the second date are already given";
  }
  return {};
}

}  // namespace

std::span<const CommandOption> CommandOptions() { return kOptions; }

bool IsSignedNumber(std::string_view text) {
  if (text.size() < 2 || (text[0] != '+' && text[0] != '-') || !IsDigit(text[1])) return false;
  for (const char c : text.substr(2)) {
    if (!IsDigit(c) && c != ',' && c != '.') return false;
  }
  return true;
}

std::string OptionListText() {
  constexpr std::size_t kColumn = 30;  // where the descriptions start
  std::string text;
  for (const CommandOption& option : kOptions) {
    std::string left = "  ";
    if (!option.short_name.empty()) left += std::string(option.short_name) + ", ";
    left += option.name;
    if (!option.value.empty()) left += "=" + std::string(option.value);
    if (left.size() + 2 > kColumn) {
      text += left + "\n" + std::string(kColumn, ' ');
    } else {
      text += left + std::string(kColumn - left.size(), ' ');
    }
    text += std::string(option.description) + "\n";
  }
  return text;
}

// The calendars that convert only part of the day numbers, one line each with its range.
std::string CalendarRangeLines() {
  std::string lines;
  for (const CalendarCode code : kAddedCalendars) {
    if (IsAvailableCalendar(code) && HasCalendarRangeMessage(code)) {
      lines.append("  ").append(CalendarRangeMessage(code, Language::English)).append("\n");
    }
  }
  return lines;
}

std::string UsageText() {
  const std::string also = CodeList(true, "|", "|");
  const std::string also_codes = CodeList(true, ", ", " or ");
  return "Usage: quorvan-cli [OPTIONS] [DATE] [DIFFERENCE] [DATE]\n"
         "       quorvan-cli [OPTIONS] [--first TEXT] [--diff TEXT] [--second TEXT]\n"
         "       quorvan-cli [OPTIONS] --batch   (lines of FIRST<TAB>DIFFERENCE<TAB>SECOND on stdin)\n"
         "       quorvan-cli --month=YEAR-MONTH [--julian] [--monday] [--iso-weeks] [--lang=de]\n"
         "                   [--also=" + also + "]\n"
         "       quorvan-cli --list-holidays=YEAR --holidays=REGION|--holiday-file=FILE...\n"
         "       quorvan-cli --list-regions\n"
         "       quorvan-cli --export-ics=FIRST_YEAR[..LAST_YEAR] --holidays=REGION... > holidays.ics\n"
         "\n"
         "One date converts it into the other box's calendar; two dates count the days between\n"
         "them; a date and a difference give the other date. No box at all means today, or,\n"
         "when standard input is not a terminal, one request a line from it as with --batch.\n"
         "Arguments fill the boxes: a sign and a whole number (+30, -7, -1,000) is the date\n"
         "difference, any other argument the next empty date box, first then second; a negative\n"
         "day number as a date goes with --first or --second.\n"
         "Dates and differences are read as written: one that holds anything besides its form\n"
         "(a letter, a blank, a stray comma) or a field too long is refused. A date may end with\n"
         "its calendar's code (2000-01-01 CE), fields may lack leading zeros, numbers may carry a\n"
         "sign and digit groups. --lenient reads them as the window reads pasted text.\n"
         "--month prints a month as the month window copies it: heading, empty line, grid.\n"
         "With --also=CODE of an added calendar a line under the heading names that calendar's\n"
         "months, and its day of the month (the Mayan kin) stands beneath each day; CODE is one of\n"
         "  " + also_codes + ".\n"
         "Some added calendars convert only the dates of their range, and refuse the others:\n" +
         CalendarRangeLines() +
         "--work-week, --holidays and --holiday-file count working days: they imply\n"
         "--exclude-weekends. A holiday list holds a CE date a line (--format, --date-sep).\n"
         "\n"
         "Options (a value follows '=' or comes as the next argument):\n" +
         OptionListText() +
         "\n"
         "Exit status: 0 when every request was answered, 1 when any input or result was\n"
         "refused, 2 for a usage error, a missing program-text file or a failed read or write.\n";
}

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  ParseResult result;
  auto fail = [&](std::string message) {
    result.error = std::move(message);
    return result;
  };
  // The boxes the arguments fill are placed after the options, so that an argument fills the
  // box that --first, --diff and --second left empty wherever it stands.
  std::vector<std::string_view> boxes;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (options_ended || IsArgument(argument)) {
      boxes.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    std::string_view name = argument;
    std::optional<std::string_view> value;
    if (const std::size_t equals = argument.find('='); argument.starts_with("--") && equals != std::string_view::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    const CommandOption* option = FindOption(name);
    if (option == nullptr) return fail("unknown argument: " + std::string(argument));
    const std::string option_name(option->name);
    if (option->value.empty()) {
      if (value) return fail(option_name + " takes no value");
    } else if (!value) {
      // The next argument, even when it begins with '-' (a negative difference).
      if (i + 1 >= arguments.size()) return fail(option_name + " needs " + std::string(option->takes));
      value = arguments[++i];
    }
    if (!option->apply(line, value.value_or(std::string_view()))) {
      // A calendar that has its code but not yet its arithmetic is named as such.
      const CalendarCode code = option->value == "CODE" ? CalendarCodeFromText(*value) : CalendarCode{-1};
      if (IsAddedCalendar(code) && !IsAvailableCalendar(code)) {
        return fail(option_name + ": " + CalendarRangeMessage(code, Language::English));
      }
      // The value is repeated, so that a script's log says which of its arguments was wrong.
      return fail(option_name + " takes " + std::string(option->takes) + " (given: \"" +
                  QuotedPart(*value, kQuotedValueBytes) + "\")");
    }
  }
  for (const std::string_view box : boxes) {
    if (std::string error = PlaceArgument(line, box); !error.empty()) return fail(std::move(error));
  }
  if (line.batch && (line.first || line.difference || line.second)) {
    return fail("--batch reads its requests from standard input; dates and differences as arguments, --first, "
                "--diff and --second do not go with it");
  }
  result.command_line = std::move(line);
  return result;
}

}  // namespace qv::cli
