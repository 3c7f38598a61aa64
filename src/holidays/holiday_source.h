#pragma once
// A source of holidays as a work calendar takes it: a built-in region, a holiday list file or an
// iCalendar file, each giving yearly rules, single dates or both. Reading a file either gives the
// whole source or an error that names the file (and the line, where there is one); never a part.
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "holidays/holiday_rules.h"
#include "holidays/regions.h"
#include "holidays/rule_file.h"
#include "text/language.h"

namespace qv::holidays {

enum class SourceKind : uint8_t { Region, List, ICalendar };

struct DatedHoliday {
  int32_t day_number = 0;
  std::string name;  // as the file gives it (may be empty)
  friend bool operator==(const DatedHoliday&, const DatedHoliday&) = default;
};

struct HolidaySource {
  SourceKind kind = SourceKind::Region;
  std::string label;                 // the region's code, or the file's name as it was given
  std::vector<HolidayRule> rules;    // yearly rules
  std::vector<DatedHoliday> dates;   // single days, sorted by day number
  std::vector<DatedHoliday> workdays;  // days outside the work week that are worked, sorted by day number
  // Owns the names a file's yearly rules view (shared by copies of the source; never changed).
  std::shared_ptr<const std::deque<std::string>> rule_names;
  int32_t timed_events_ignored = 0;  // iCalendar events with a time of day (appointments, not days off)
  // The years whose days the source does not know (joined spans; a region's years before its first
  // one included), and those answered from rules not yet published. A file of dates knows every year.
  std::vector<YearSpan> unknown_years;
  std::vector<YearSpan> provisional_years;
};

// The years a source does not know: those before `first_year`, the `unknown` ones, and those where a
// rule's kind is not known (the equinox days beyond 2099).
std::vector<YearSpan> UnknownYearsOf(int32_t first_year, std::span<const YearSpan> unknown,
                                     std::span<const HolidayRule> rules);
// The complement of a source's unknown years: the spans it knows.
std::vector<YearSpan> KnownYearsOf(std::span<const YearSpan> unknown_years);

// The source of a built-in region.
HolidaySource RegionSource(const Region& region);

// The sources of a user's rule file: one for each region it lists (a hidden one only serves the
// others' `with`), with `with` resolved against the file's own and the built-in regions. As for a
// built-in region, no holiday comes before the region's first year.
using RuleFileSources = std::variant<std::vector<HolidaySource>, RuleFileError>;
RuleFileSources ReadRuleFileSources(std::string_view contents, std::string_view file_name);
RuleFileSources ReadRuleFileSourcesFromFile(const std::string& path);

enum class FileProblem : uint8_t {
  CannotRead,       // the file cannot be opened or read
  TooLarge,         // more than kLargestHolidayFile bytes
  NotADate,         // a line of a list is not a date in the options in force
  OutOfRange,       // a line of a list is a date beyond the day-number limit
  NotUtf8,          // a name is not UTF-8 text
  NotICalendar,     // no VCALENDAR could be read from the file
  MalformedEvent,   // an event's dates or repetition cannot be read
  UnsupportedRule,  // a repetition finer than daily, or one too long to expand
  RuleFile,         // a rule file's line cannot be read (`rule_problem` says why)
};

inline constexpr size_t kLargestHolidayFile = size_t{64} << 20;  // 64 MiB

struct HolidayFileError {
  std::string file;     // the name as it was given
  int64_t line = 0;     // 1-based line of a list file; 0 when the problem is not one line's
  FileProblem problem = FileProblem::CannotRead;
  std::string detail;   // the line's text, or what was found wrong (at most 80 bytes)
  RuleFileProblem rule_problem = RuleFileProblem::UnknownLine;  // with FileProblem::RuleFile
  friend bool operator==(const HolidayFileError&, const HolidayFileError&) = default;
};

using HolidayFileResult = std::variant<HolidaySource, HolidayFileError>;

// Our own message for an error, in English or German, without the program's name:
// "holidays.txt, line 4: not a date: 2024-13-01".
std::string HolidayFileErrorText(const HolidayFileError& error, Language language);

// A user's rule file as one source, for the window's list of holiday files: every region the file
// lists (as ReadRuleFileSources gives them) together, labelled with `file_name`. A line that
// cannot be read is a RuleFile error naming the file and the line.
HolidayFileResult ReadRuleFileAsOneSource(std::string_view contents, std::string_view file_name);
HolidayFileResult ReadRuleFileAsOneSourceFromFile(const std::string& path);

// A file whose name ends in ".rules" (any case): a holiday rule file.
bool IsRuleFileName(std::string_view name);

// The whole of a file, or CannotRead / TooLarge.
std::variant<std::string, HolidayFileError> ReadWholeFile(const std::string& path);

}  // namespace qv::holidays
