#include "compute/day_arithmetic.h"

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "calendar/day_numbers.h"
#include "calendar/leap_week.h"

namespace qv {
namespace {

using civil::FitsInt32;
using civil::IsWorkingDay;  // on 64-bit day numbers: the walks below may step past 32 bits

}  // namespace

std::optional<int32_t> CountDaysBetween(int32_t first, int32_t second, DayCountOptions options) {
  int64_t d = int64_t{second} - first;
  if (!FitsInt32(d)) return std::nullopt;
  if (!options.include_weekends) {
    // Every whole week holds two weekend days; only the at most six days left over at the
    // start of the span are looked at one by one.
    const int64_t weeks = (d < 0 ? -d : d) / 7;
    if (d > 0) {
      d -= 2 * weeks;
      for (int64_t i = int64_t{first} + 1; i <= int64_t{second} - 7 * weeks; ++i) {
        if (!IsWorkingDay(i)) --d;
      }
    } else {
      d += 2 * weeks;
      for (int64_t i = int64_t{second} + 1; i <= int64_t{first} - 7 * weeks; ++i) {
        if (!IsWorkingDay(i)) ++d;
      }
    }
  }
  if (options.include_first_date && (options.include_weekends || IsWorkingDay(first))) {
    d += d >= 0 ? 1 : -1;
  }
  if (!FitsInt32(d)) return std::nullopt;
  return static_cast<int32_t>(d);
}

std::optional<int32_t> day_steps::SecondDateAfter(int32_t first, int32_t difference, DayCountOptions options) {
  const int64_t d = difference;  // not 0
  int64_t result = first;
  if (options.include_weekends) {
    result = int64_t{first} + d;
    if (options.include_first_date) result += d >= 1 ? -1 : 1;
  } else {
    int64_t remaining = d < 0 ? -d : d;
    if (IsWorkingDay(first) && options.include_first_date) --remaining;
    const int64_t weeks = remaining / 5;  // whole working weeks
    int64_t rest = remaining - 5 * weeks;
    int64_t n = first;
    const int step = d > 0 ? 1 : -1;
    while (rest >= 1) {
      n += step;
      if (IsWorkingDay(n)) --rest;
    }
    result = n + step * 7 * weeks;
  }
  return WithinDayNumberLimit(result);
}

std::optional<int32_t> day_steps::FirstDateBefore(int32_t second, int32_t difference, DayCountOptions options) {
  const int64_t d = difference;  // not 0
  int64_t result = second;
  if (options.include_weekends) {
    result = int64_t{second} - d;
    if (options.include_first_date) result += d >= 1 ? 1 : -1;
  } else {
    int64_t n = second;
    while (!IsWorkingDay(n)) --n;  // a second date on a weekend counts from the Friday before
    const int64_t remaining = d < 0 ? -d : d;
    const int64_t weeks = remaining / 5;
    int64_t rest = remaining - 5 * weeks;
    const int step = d > 0 ? -1 : 1;
    while (rest >= 1) {
      n += step;
      if (IsWorkingDay(n)) --rest;
    }
    result = n + step * 7 * weeks;
    if (options.include_first_date) {
      // The first working day after (counting back) or before (counting forward) the result.
      result += d > 0 ? 1 : -1;
      while (!IsWorkingDay(result)) result += d > 0 ? 1 : -1;
    }
  }
  return WithinDayNumberLimit(result);
}

std::optional<DateFields> AddMonths(const DateFields& source, int32_t months, MonthsOf calendar) {
  const bool leap_week = calendar == MonthsOf::LeapWeekCalendar;
  DateFields target = source;
  if (months == 0) return target;
  const int64_t month_index = int64_t{source.Month} - 1 + months;  // months counted from January
  const int64_t year = int64_t{source.Year} + civil::FloorDiv(month_index, 12);
  if (!FitsInt32(year)) return std::nullopt;
  target.Year = static_cast<int32_t>(year);
  target.Month = static_cast<int32_t>(civil::FloorMod(month_index, 12) + 1);
  int32_t length = 0;
  if (leap_week) {
    length = 7 * LeapWeekMonthWeeks(static_cast<int16_t>(target.Month), IsLeapWeekYear(target.Year));
  } else {
    int32_t error = 0;
    length = DaysInMonth(target, error);
  }
  if (target.Day > length) target.Day = length;  // clamp to the last day, never carry over
  if (leap_week) {
    LeapWeekDate date;
    date.Year = target.Year;
    date.Month = static_cast<int16_t>(target.Month);
    date.DayOfMonth = static_cast<int16_t>(target.Day);
    if (!LeapMonthDateToDayNumber(date)) return std::nullopt;
    target.DayNumber = date.DayNumber;
  } else if (!DateToDayNumberChecked(target)) {
    return std::nullopt;
  }
  // The same limit as a days addition: a date the readers would refuse is out of range.
  if (!IsWithinDayNumberLimit(target.DayNumber)) return std::nullopt;
  return target;
}

std::optional<DateFields> AddAddedCalendarMonths(const AddedCalendarRules& rules, const DateFields& source,
                                                 int32_t months) {
  if (months == 0) return source;
  const auto month_of = [](int32_t month) { return static_cast<int16_t>(month); };
  // The months of the range's first and last days (the day numbers', or the calendar's own) bound
  // every month a result can fall in: the index is compared with theirs before it is turned back
  // into a year and month.
  const CalendarDate first = rules.from_day_number(rules.first_day);
  const CalendarDate last = rules.from_day_number(rules.last_day);
  const int64_t index = rules.month_index(source.Year, month_of(source.Month)) + months;  // |months| < 2^31
  if (index < rules.month_index(first.year, first.month) || index > rules.month_index(last.year, last.month)) {
    return std::nullopt;
  }
  CalendarDate target = rules.month_from_index(index);
  const int16_t length = rules.days_in_month(target.year, target.month);
  target.day = static_cast<int16_t>(source.Day < length ? source.Day : length);  // shortened, never carried over
  const int64_t day_number = rules.to_day_number(target);
  if (!IsWithinDayNumberLimit(day_number) || !IsDayInRange(rules, day_number)) return std::nullopt;
  DateFields result;
  result.Year = target.year;
  result.Month = target.month;
  result.Day = target.day;
  result.DayNumber = static_cast<int32_t>(day_number);
  return result;
}

}  // namespace qv
