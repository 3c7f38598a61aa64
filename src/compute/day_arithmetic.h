#pragma once
// Counting days between two day numbers and moving a day number by days or months, with the
// working-day options. Every function is constant time and reports a result that leaves the
// range of day numbers as nullopt instead of overflowing.
#include <cstdint>
#include <optional>

#include "calendar/added_calendars.h"
#include "calendar/date_fields.h"

namespace qv {

struct DayCountOptions {
  bool include_weekends = true;    // Saturdays and Sundays are counted
  bool include_first_date = false;  // the first date itself is counted
};

// Days from `first` to `second` (positive when the second is later); nullopt when the count
// does not fit 32 bits.
std::optional<int32_t> CountDaysBetween(int32_t first, int32_t second, DayCountOptions options);
// The second date `difference` days after `first`; nullopt beyond ±2,100,000,000.
std::optional<int32_t> SecondDateFromFirst(int32_t first, int32_t difference, DayCountOptions options);
// The first date `difference` days before `second`; nullopt beyond ±2,100,000,000.
std::optional<int32_t> FirstDateFromSecond(int32_t second, int32_t difference, DayCountOptions options);

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
