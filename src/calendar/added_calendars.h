#pragma once
// The arithmetic of the added calendars that count years, months and days (all but the Mayan
// long count), as one row of functions each, so that readers, writers and months mode ask a row
// instead of switching over calendars.
#include <cstdint>

#include "calendar/calendar_codes.h"
#include "calendar/calendar_date.h"

namespace qv {

struct AddedCalendarRules {
  CalendarDate (*from_day_number)(int32_t day_number);
  int64_t (*to_day_number)(const CalendarDate& date);
  int16_t (*months_in_year)(int32_t year);
  int16_t (*days_in_month)(int32_t year, int16_t month);  // 0 for a month the year does not have
  // Months counted from the calendar's own origin, and back: months mode adds to this count.
  int64_t (*month_index)(int32_t year, int16_t month);
  CalendarDate (*month_from_index)(int64_t index);
};

// The rules of HEB, ISL, PER, FRR, COP, ETH and IND; nullptr for every other code (MAY included).
const AddedCalendarRules* AddedCalendarRulesOf(CalendarCode code);

// Whether `date` exists in the calendar of `rules` (month and day within the year's).
bool IsValidAddedDate(const AddedCalendarRules& rules, const CalendarDate& date);

}  // namespace qv
