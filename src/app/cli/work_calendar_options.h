#pragma once
// quorvan-cli's working-day options: --work-week, --holidays and --holiday-file, which count
// working days (they imply --exclude-weekends), and the two listings --list-holidays and
// --list-regions. Rows of the one option table store them here; once the whole command line is
// read, BuildWorkCalendar reads the files and makes the one calendar every request shares (the
// batch's threads too: it is never changed).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "compute/request.h"
#include "compute/work_calendar.h"
#include "holidays/regions.h"

namespace qv::cli {

// One holiday source as the command line names it. They are kept in the order given: a day two
// sources share is counted for the first of them.
struct HolidaySourceOption {
  const holidays::Region* region = nullptr;  // --holidays=REGION
  std::string file;                          // --holiday-file=FILE, when `region` is null
  bool rules = false;                        // the file is a rule file (--holiday-rules=FILE)
};

// --export-ics=FIRST_YEAR[..LAST_YEAR]: the years an iCalendar export holds.
struct ExportYears {
  int32_t first = 0;
  int32_t last = 0;
};

struct WorkCalendarOptions {
  std::optional<WorkWeek> work_week;     // --work-week
  std::vector<HolidaySourceOption> sources;
  std::optional<int32_t> list_holidays;  // --list-holidays=YEAR
  bool list_regions = false;             // --list-regions
  std::optional<ExportYears> export_ics;  // --export-ics=FIRST_YEAR[..LAST_YEAR]
  holidays::DayKinds kinds = holidays::kOfficeKinds;  // --holiday-kinds
};

// The years --list-holidays takes: those whose every day lies within the day-number limit.
inline constexpr int32_t kFirstListedYear = -5'754'316;
inline constexpr int32_t kLastListedYear = 5'744'891;
static_assert(IsWithinDayNumberLimit(civil::GregorianToDayNumber(kFirstListedYear, 1, 1)) &&
              !IsWithinDayNumberLimit(civil::GregorianToDayNumber(kFirstListedYear - 1, 1, 1)));
static_assert(IsWithinDayNumberLimit(civil::GregorianToDayNumber(kLastListedYear, 12, 31)) &&
              !IsWithinDayNumberLimit(civil::GregorianToDayNumber(kLastListedYear + 1, 12, 31)));

// What the options take, for the table's usage errors.
inline constexpr std::string_view kWorkWeekTakes =
    "working days as Mon-Fri, Sun-Thu, Mon,Tue,Thu or 1111100 (Monday first, 1 = working day), "
    "at least one";
// With about 125 regions the usage error names a few and points to the list of all.
inline constexpr std::string_view kRegionTakes = "a region code that --list-regions prints, such as DE-BY, CH-ZH or US";
inline constexpr std::string_view kYearTakes = "a year from -5754316 to 5744891";
inline constexpr std::string_view kExportYearsTakes =
    "a year or FIRST..LAST, years from 1 to 9999, the first not after the last";

// The table's setters; false when the value is not one the option takes.
bool SetWorkWeek(WorkCalendarOptions& options, std::string_view text);
bool AddRegion(WorkCalendarOptions& options, std::string_view code);
bool AddHolidayFile(WorkCalendarOptions& options, std::string_view file);
// --holiday-rules=FILE: the regions of a holiday rule file (the built-in regions' format).
bool AddRuleFile(WorkCalendarOptions& options, std::string_view file);
// --weekend=0000011: the days off, Monday first (the spreadsheets' convention), beside --work-week.
bool SetWeekend(WorkCalendarOptions& options, std::string_view text);
bool SetListHolidaysYear(WorkCalendarOptions& options, std::string_view text);
// "2025" or "2025..2030".
bool SetExportYears(WorkCalendarOptions& options, std::string_view text);
// --holiday-kinds: "office" (every kind but half days, the default), "law", or a list of law, rest
// and custom ("law,rest").
bool SetHolidayKinds(WorkCalendarOptions& options, std::string_view text);
inline constexpr std::string_view kHolidayKindsTakes = "office, law, or a list of law, rest and custom such as law,rest";

// The first year of [first_year, last_year] that a source of the calendar does not know, as the
// refusal's message; empty when every source knows them all.
std::string UnknownYearsMessage(const WorkCalendar& calendar, int32_t first_year, int32_t last_year, Language language);
// "provisional: ES-MD 2027" for standard error when a listing rests on projected days; empty else.
std::string ProvisionalYearsNote(const WorkCalendar& calendar, int32_t first_year, int32_t last_year);

// The listings (and --export-ics) print a list and nothing else; --list-holidays and --export-ics
// need a source. Empty when the
// options go together.
std::string ListingOptionsError(const WorkCalendarOptions& options, bool request_or_month_given);

struct BuiltCalendar {
  std::shared_ptr<const WorkCalendar> calendar;  // null when none is in force
  std::string error;                             // a file that cannot be read, naming it (and its line)
};

// The calendar of the options: the work week and the sources in their order. Holiday lists are
// read as Common Era dates in the field order of --format with the separator of --date-sep;
// a file whose name ends in .ics is read as iCalendar. A file's error is in `language`.
BuiltCalendar BuildWorkCalendar(const WorkCalendarOptions& options, const RequestOptions& request);

}  // namespace qv::cli
