#pragma once
// Working days as offices count them: a work week (any non-empty set of the seven weekdays) and the
// holidays of built-in regions, holiday list files and iCalendar files.
//
// Every operation takes time independent of the span, from one week to the whole range of day
// numbers: the holidays of a year follow from its Easter date and leap flag (70 kinds of year), so
// the years between two dates are counted kind by kind from tables, never one by one; single dates
// are counted by binary search. Memory does not depend on the span either.
//
// With Monday to Friday and no holiday source the calendar is not "in force": every count and date
// is then the described weekend rule's (day_arithmetic.h), including its whole-week shortcut that
// adds 5 working days to Saturday 19 July 2008 and lands on Saturday 26 July. With a calendar in
// force there is no such shortcut: adding N working days (N positive or negative) gives the one
// working day whose working-day count from the first date, counted as a difference is, is N
// (Sunday 7 November 2032 plus 5 is Friday 12 November; Sunday 14 November 2032 minus 5 is Friday
// 5 November). Only N = -1 with the first date included has no such day (the count steps from +1
// to -2 there); the result is then the working day whose count is +1, as the weekend rule gives.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compute/day_arithmetic.h"
#include "compute/work_week.h"
#include "holidays/holiday_source.h"

namespace qv {

// One holiday of a year, for a listing.
struct ListedHoliday {
  int32_t day_number = 0;
  holidays::HolidayName name;  // views into the calendar's sources: valid while the calendar lives
  holidays::Substitute substitute = holidays::Substitute::None;  // None: the holiday's own day
  size_t source = 0;           // index into WorkCalendar::Sources()
  holidays::DayKind kind = holidays::DayKind::Law;
  bool counted = true;         // a day a count leaves out (its kind is counted); else only listed
};
// "Christmas Day (substitute day)", "1. Weihnachtstag (Ersatztag)": the name in English or German
// with the substitute's suffix and the kind's ("Christmas Eve (half day)"). A file's holiday without a name gets the file's label.
std::string ListedHolidayName(const ListedHoliday& holiday, std::span<const holidays::HolidaySource> sources,
                              Language language);

// The holidays a working-day count left out: days of the work week that were holidays, among the
// days the count looked at. A day two sources share counts once, for the first of them.
struct HolidaysLeftOut {
  int64_t total = 0;
  std::vector<int64_t> by_source;  // one count per source, in the order of Sources()
};

// A year a source does not know, which a count, list or export that needs it is refused for.
struct UnknownHolidayYear {
  size_t source = 0;  // index into WorkCalendar::Sources()
  int32_t year = 0;
};

// The years of a source that a count rests on and that are projected rather than published.
struct ProvisionalHolidayYears {
  size_t source = 0;
  std::vector<holidays::YearSpan> years;
};

class WorkCalendar {
 public:
  // Monday to Friday without holidays: not in force.
  WorkCalendar();
  // `counted`: the kinds of day a count leaves out (by default what an office closes on: all but
  // half days); the others are listed only.
  WorkCalendar(WorkWeek week, std::vector<holidays::HolidaySource> sources,
               holidays::DayKinds counted = holidays::kOfficeKinds);
  ~WorkCalendar();
  WorkCalendar(const WorkCalendar&);
  WorkCalendar& operator=(const WorkCalendar&);
  WorkCalendar(WorkCalendar&&) noexcept;
  WorkCalendar& operator=(WorkCalendar&&) noexcept;

  // Another work week than Monday to Friday, or any holiday source (even one without holidays).
  bool InForce() const;
  WorkWeek Week() const;
  std::span<const holidays::HolidaySource> Sources() const;

  // A day of the work week that is no holiday.
  bool IsWorkingDay(int32_t day_number) const;
  // A day of the work week that is a holiday of some source (the first source holding it).
  std::optional<size_t> HolidaySourceOn(int32_t day_number) const;

  // The three operations of the weekend rule, with the same arguments and overflow results
  // (nullopt). With `include_weekends` set, or the calendar not in force, they are the weekend
  // rule's own (every day counts, or Saturday and Sunday are left out); otherwise working days of
  // this calendar are counted or added, by the same rule of which ends count.
  std::optional<int32_t> CountDaysBetween(int32_t first, int32_t second, DayCountOptions options) const;
  std::optional<int32_t> SecondDateFromFirst(int32_t first, int32_t difference, DayCountOptions options) const;
  std::optional<int32_t> FirstDateFromSecond(int32_t second, int32_t difference, DayCountOptions options) const;

  // The holidays that CountDaysBetween(first, second, options) left out, by source; all zero when it
  // counted every day or no source is given.
  HolidaysLeftOut LeftOut(int32_t first, int32_t second, DayCountOptions options) const;

  holidays::DayKinds CountedKinds() const;

  // The first year of [first_year, last_year] (either order) that some source does not know, and
  // whose; nothing when every source knows them all.
  std::optional<UnknownHolidayYear> FirstUnknownYear(int32_t first_year, int32_t last_year) const;
  // The same for the years of two day numbers (either order).
  std::optional<UnknownHolidayYear> FirstUnknownYearBetween(int32_t first_day, int32_t second_day) const;
  // The provisional years of each source within [first_year, last_year] (either order).
  std::vector<ProvisionalHolidayYears> ProvisionalYears(int32_t first_year, int32_t last_year) const;
  std::vector<ProvisionalHolidayYears> ProvisionalYearsBetween(int32_t first_day, int32_t second_day) const;

  // Every holiday of the sources that falls in `year` (a region's substitute days and one-off days
  // included, weekend days too), sorted by date and then by source; a day two sources share is
  // listed for each.
  std::vector<ListedHoliday> HolidaysOfYear(int32_t year) const;

  // Bytes the calendar's own tables take (besides the sources), and the shared Easter tables built
  // so far: the benchmarks' measure of what the tables cost.
  size_t TableBytes() const;

  struct Impl;

 private:
  WorkWeek week_;
  std::shared_ptr<const Impl> impl_;  // null when no source is given
};

}  // namespace qv
