#pragma once
// Counting days between two day numbers and moving a day number by days or months, with the
// working-day options. Every function is constant time and reports a result that leaves the
// range of day numbers as nullopt instead of overflowing.
#include <cstdint>
#include <optional>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"

namespace qv {

struct DayCountOptions {
  bool include_weekends = true;    // Saturdays and Sundays are counted
  bool include_first_date = false;  // the first date itself is counted
};

// Days from `first` to `second` (positive when the second is later); nullopt when the count
// does not fit 32 bits.
std::optional<int32_t> CountDaysBetween(int32_t first, int32_t second, DayCountOptions options);
// `day_number` when it lies within the limit of day numbers (±2,100,000,000); nullopt beyond.
constexpr std::optional<int32_t> WithinDayNumberLimit(int64_t day_number) {
  if (!IsWithinDayNumberLimit(day_number)) return std::nullopt;
  return static_cast<int32_t>(day_number);
}

namespace day_steps {
// The two functions below for a difference other than 0.
std::optional<int32_t> SecondDateAfter(int32_t first, int32_t difference, DayCountOptions options);
std::optional<int32_t> FirstDateBefore(int32_t second, int32_t difference, DayCountOptions options);
}  // namespace day_steps

// The second date `difference` days after `first`; nullopt beyond ±2,100,000,000. A difference
// of 0 (a conversion) is the same day, whatever the options. (Inline: every converted batch
// line asks it.)
[[gnu::always_inline]] inline std::optional<int32_t> SecondDateFromFirst(int32_t first, int32_t difference,
                                                                         DayCountOptions options) {
  if (difference == 0) return WithinDayNumberLimit(first);
  return day_steps::SecondDateAfter(first, difference, options);
}
// The first date `difference` days before `second`; nullopt beyond ±2,100,000,000.
[[gnu::always_inline]] inline std::optional<int32_t> FirstDateFromSecond(int32_t second, int32_t difference,
                                                                         DayCountOptions options) {
  if (difference == 0) return WithinDayNumberLimit(second);
  return day_steps::FirstDateBefore(second, difference, options);
}

// Whose months AddMonths counts: those of the record's calendar (CE or JC), or those of the
// leap-week calendar's month form.
enum class MonthsOf { RecordCalendar, LeapWeekCalendar };

// `source` moved by `months` months, the day clamped to the target month's length. nullopt when
// the result's day number lies beyond ±2,100,000,000, as for a days addition.
std::optional<DateFields> AddMonths(const DateFields& source, int32_t months, MonthsOf calendar);

// The same in an added calendar's own months (a Hebrew leap year has 13, the French complementary
// days count as a month): `source` holds the calendar's year, month and day; the day is kept, or
// shortened to the target month's last day.
std::optional<DateFields> AddAddedCalendarMonths(const AddedCalendarRules& rules, const DateFields& source,
                                                 int32_t months);

}  // namespace qv
