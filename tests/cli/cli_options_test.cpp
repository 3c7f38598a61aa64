// The command line and the one-line answers of quorvan-cli.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <optional>
#include <iterator>
#include <string>
#include <vector>

#include "app/cli/answer.h"
#include "app/cli/cli_options.h"
#include "calendar/calendar_codes.h"
#include "support/printing.h"

namespace qv::cli {
namespace {

TEST(CommandLine, OptionsSetWhatTheControlsSet) {
  const ParseResult parsed =
      ParseCommandLine({"--first-cal=iso", "--second-cal", "LPM", "--format=dmy", "--date-sep=/", "--thousands=none",
                        "--months", "--include-first", "--exclude-weekends", "--no-verbose", "--no-hyphen", "--lang=de",
                        "--first", "2012-W01-1", "--diff", "-10", "--second=x"});
  ASSERT_TRUE(parsed.command_line.has_value()) << parsed.error;
  const CommandLine& line = *parsed.command_line;
  EXPECT_EQ(line.options.first_calendar, cal::ISO);
  EXPECT_EQ(line.options.second_calendar, cal::LPM);
  EXPECT_EQ(line.options.format, kFormatDMY);
  EXPECT_EQ(line.options.date_separator, "/");
  EXPECT_EQ(line.options.thousands_separator, "");
  EXPECT_EQ(line.options.unit, DifferenceUnit::Months);
  EXPECT_TRUE(line.options.include_first_date);
  EXPECT_FALSE(line.options.include_weekends);
  EXPECT_FALSE(line.options.verbose);
  EXPECT_EQ(line.options.hyphen, Hyphen::Without);
  EXPECT_EQ(line.options.language, Language::German);
  EXPECT_EQ(line.first, "2012-W01-1");
  EXPECT_EQ(line.difference, "-10");  // a value may begin with '-'
  EXPECT_EQ(line.second, "x");
}

TEST(CommandLine, DefaultsAreTheFirstRun) {
  const ParseResult parsed = ParseCommandLine({});
  ASSERT_TRUE(parsed.command_line.has_value());
  const RequestOptions& options = parsed.command_line->options;
  EXPECT_EQ(options.first_calendar, cal::CE);
  EXPECT_EQ(options.format, kFormatYMD);
  EXPECT_EQ(options.thousands_separator, ",");
  EXPECT_TRUE(options.verbose);
  EXPECT_TRUE(options.include_weekends);
  EXPECT_EQ(options.hyphen, Hyphen::With);
}

TEST(CommandLine, UsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"--first-cal=AN"}, {"--first-cal=TLW"}, {"--second-cal"}, {"--format=ydm"}, {"--date-sep=,"},
      {"--thousands=' '"}, {"--lang=fr"}, {"--months=1"}, {"--first"}, {"--bogus"}, {"--batch", "--first", "x"},
      {"--output=xml"}, {"--lenient=1"}, {"-x"}, {"--batch", "2000-01-01"}, {"a", "b", "c"}, {"+1", "x", "-2"},
      {"--first", "x", "--second", "y", "z"}, {"--diff", "1", "x", "+2"}, {"-h=1"}};
  for (const auto& arguments : bad) {
    EXPECT_FALSE(ParseCommandLine(arguments).command_line.has_value()) << arguments[0];
  }
}

// Arguments fill the boxes that the options left empty: a signed number the difference, any
// other argument the first empty date box; "--" ends the options.
TEST(CommandLine, ArgumentsFillTheBoxes) {
  using Boxes = std::array<std::optional<std::string>, 3>;
  const std::nullopt_t none = std::nullopt;
  const struct {
    std::vector<std::string> arguments;
    Boxes boxes;
  } cases[] = {
      {{"2000-01-01"}, {"2000-01-01", none, none}},
      {{"2000-01-01", "+30"}, {"2000-01-01", "+30", none}},
      {{"2000-01-01", "-1,000"}, {"2000-01-01", "-1,000", none}},
      {{"2000-01-01", "2000-12-31"}, {"2000-01-01", none, "2000-12-31"}},
      {{"+30", "2000-01-01"}, {"2000-01-01", "+30", none}},
      {{"-44-03-15", "-7"}, {"-44-03-15", "-7", none}},  // a year before 0 is a date
      {{"--first", "2000-01-01", "2000-12-31"}, {"2000-01-01", none, "2000-12-31"}},
      {{"2000-12-31", "--first", "2000-01-01"}, {"2000-01-01", none, "2000-12-31"}},
      {{"--second-cal=JDN", "--", "-5", "x"}, {"x", "-5", none}},
      {{"--diff", "-10", "2000-01-01"}, {"2000-01-01", "-10", none}},  // an option's value is never an argument
      {{"30"}, {"30", none, none}},                                   // no sign: a date (a day number)
      {{"-"}, {"-", none, none}},
  };
  for (const auto& c : cases) {
    const ParseResult parsed = ParseCommandLine(c.arguments);
    ASSERT_TRUE(parsed.command_line.has_value()) << c.arguments[0] << ": " << parsed.error;
    const CommandLine& line = *parsed.command_line;
    EXPECT_EQ((Boxes{line.first, line.difference, line.second}), c.boxes) << c.arguments[0];
  }
  EXPECT_EQ(ParseCommandLine({"a", "b", "c"}).error, "argument 'c': the first and the second date are already given");
  EXPECT_EQ(ParseCommandLine({"x", "+1", "-2"}).error, "argument '-2': the date difference is already given");
}

TEST(CommandLine, SignedNumbers) {
  for (const char* yes : {"+30", "-7", "-1,000", "+1.000", "-0", "+2,100,000,000"}) EXPECT_TRUE(IsSignedNumber(yes)) << yes;
  for (const char* no : {"30", "+", "-", "+,5", "-44-03-15", "+30d", "", "--5", "+ 5", "-2000/01/01"}) {
    EXPECT_FALSE(IsSignedNumber(no)) << no;
  }
}

TEST(CommandLine, ShortFormsOutputAndReading) {
  EXPECT_TRUE(ParseCommandLine({"-h"}).command_line->help);
  EXPECT_TRUE(ParseCommandLine({"-V"}).command_line->version);
  const ParseResult defaults = ParseCommandLine({});
  EXPECT_EQ(defaults.command_line->output, OutputMode::Sentence);
  EXPECT_EQ(defaults.command_line->options.text_reading, TextReading::Strict);  // a script is read strictly
  const ParseResult set = ParseCommandLine({"--output", "json", "--lenient"});
  ASSERT_TRUE(set.command_line.has_value()) << set.error;
  EXPECT_EQ(set.command_line->output, OutputMode::Json);
  EXPECT_EQ(set.command_line->options.text_reading, TextReading::Lenient);
  EXPECT_EQ(ParseCommandLine({"--output=value"}).command_line->output, OutputMode::Value);
  EXPECT_NE(OptionListText().find("  -h, --help "), std::string::npos);
}

// The README lists the options exactly as --help does: both come from the one option table.
TEST(CommandLine, ReadmeListsTheOptionsOfTheTable) {
  std::ifstream readme(QUORVAN_README_PATH);
  ASSERT_TRUE(readme) << QUORVAN_README_PATH;
  const std::string text((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find(OptionListText()), std::string::npos) << "README.md needs this list:\n" << OptionListText();
  EXPECT_NE(UsageText().find(OptionListText()), std::string::npos);
}

// Every option of the table is understood by the parser, and a value option refuses nonsense
// with the words of its table entry and the value it was given (cut, control characters shown
// as '?', so a script's log shows which argument was wrong and no terminal acts on it).
TEST(CommandLine, EveryTableOptionParses) {
  for (const CommandOption& option : CommandOptions()) {
    const std::string name(option.name);
    if (option.value.empty()) {
      EXPECT_TRUE(ParseCommandLine({name}).command_line.has_value()) << name;
      EXPECT_EQ(ParseCommandLine({name + "=1"}).error, name + " takes no value");
    } else if (option.value != "TEXT" && option.value != "FILE") {  // any text, read later
      EXPECT_EQ(ParseCommandLine({name + "=nonsense"}).error,
                name + " takes " + std::string(option.takes) + " (given: \"nonsense\")");
      EXPECT_EQ(ParseCommandLine({name + "=a\x1b[2Jb" + std::string(70, 'x')}).error,
                name + " takes " + std::string(option.takes) + " (given: \"a?[2Jb" + std::string(54, 'x') + "\u2026\")");
    }
  }
}

TEST(MonthOption, YearAndMonth) {
  const struct {
    const char* text;
    std::optional<YearMonth> expected;
  } cases[] = {
      {"2024-06", YearMonth{2024, 6}},
      {"2024-6", YearMonth{2024, 6}},
      {"-44-03", YearMonth{-44, 3}},
      {"+7-12", YearMonth{7, 12}},
      {"0-1", YearMonth{0, 1}},
      {"5800000-12", YearMonth{5'800'000, 12}},
      {"-5800000-01", YearMonth{-5'800'000, 1}},
      {"5800001-01", std::nullopt},
      {"-99999999999999999999-01", std::nullopt},
      {"2024-13", std::nullopt},
      {"2024-00", std::nullopt},
      {"2024-006", std::nullopt},
      {"2024", std::nullopt},
      {"-2024", std::nullopt},
      {"--06", std::nullopt},
      {"-06", std::nullopt},
      {"2024-", std::nullopt},
      {"20x4-06", std::nullopt},
      {"2024-06-01", std::nullopt},
      {"2024--6", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseYearMonth(c.text), c.expected) << c.text;
}

TEST(MonthOption, CombinationsThatDoNotGo) {
  const YearMonth june{2024, 6};
  const struct {
    MonthOptions options;
    bool request;
    bool ok;
  } cases[] = {
      {{.month = june}, false, true},
      {{.month = june, .julian = true, .monday = true}, false, true},
      {{.month = june, .monday = true, .iso_weeks = true, .no_year_digit = true}, false, true},
      {{.month = june, .iso_weeks = true}, false, false},                               // Sunday first
      {{.month = june, .julian = true, .monday = true, .iso_weeks = true}, false, false},  // Julian
      {{.month = june, .monday = true, .no_year_digit = true}, false, false},           // no ISO dates
      {{.month = june}, true, false},                                                   // with a request
      {{.month = std::nullopt, .julian = true}, false, false},
      {{.month = std::nullopt, .monday = true}, true, false},
      {{}, true, true},
  };
  for (const auto& c : cases) {
    const std::string error = MonthOptionsError(c.options, c.request);
    EXPECT_EQ(error.empty(), c.ok) << error;
  }
  const ParseResult parsed = ParseCommandLine({"--month", "-44-03", "--julian", "--monday", "--lang=de"});
  ASSERT_TRUE(parsed.command_line.has_value()) << parsed.error;
  EXPECT_EQ(parsed.command_line->month.month, (YearMonth{-44, 3}));
  EXPECT_TRUE(parsed.command_line->month.julian);
  EXPECT_TRUE(parsed.command_line->month.monday);
  EXPECT_EQ(parsed.command_line->options.language, Language::German);
}

}  // namespace
}  // namespace qv::cli
