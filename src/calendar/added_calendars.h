#pragma once
// The arithmetic of the added calendars that count years, months and days (all but the Mayan
// long count), as one row of functions each, so that readers, writers and months mode ask a row
// instead of switching over calendars.
//
// A row counts a year's months by their place in it (1 = the year's first month), as the Hebrew
// calendar numbers Adar II 7 in a leap year. How people name a month can differ from its place:
// a lunisolar year repeats a month number for its leap month, the Bahá'í Ayyám-i-Há is numbered
// 0 though it stands between the 18th and 19th months, a Thai year of 1889 … 1940 began with
// April. MonthLabelOf and MonthPlaceOf turn one into the other; readers, writers and JSON speak
// labels, everything that counts (validity, months mode, month grids) speaks places.
//
// A calendar reckoned from the sky, or known from its adoption on, converts only the days of its
// range (first_day … last_day); every other day, and every year outside the years of those two
// days, is refused before the row's functions are asked.
#include <cstdint>
#include <optional>
#include <vector>

#include "calendar/calendar_codes.h"
#include "calendar/calendar_date.h"

namespace qv {

// A month as its calendar names it: its number, and for a lunisolar calendar whether it is the
// leap month that repeats the month of that number.
struct MonthLabel {
  int16_t number = 0;
  bool leap = false;
  friend constexpr bool operator==(const MonthLabel&, const MonthLabel&) = default;
};

struct AddedCalendarRules {
  CalendarDate (*from_day_number)(int32_t day_number);
  int64_t (*to_day_number)(const CalendarDate& date);
  int16_t (*months_in_year)(int32_t year);
  int16_t (*days_in_month)(int32_t year, int16_t month);  // 0 for a month the year does not have
  // Months counted from the calendar's own origin, and back: months mode adds to this count.
  int64_t (*month_index)(int32_t year, int16_t month);
  CalendarDate (*month_from_index)(int64_t index);
  // Lunisolar calendars: the place (2 … 13) of the year's leap month, 0 in a year without one;
  // null for every other calendar.
  int16_t (*leap_month)(int32_t year);
  // Any other naming of places: the label of a place and the place of a label (0 when the year
  // has none); null when a month is named by its place.
  MonthLabel (*label_of)(int32_t year, int16_t place);
  int16_t (*place_of)(int32_t year, MonthLabel label);
  // The day numbers converted: the first day of the first year and the last day converted.
  int32_t first_day;
  int32_t last_day;
};

// The rules of an added calendar with years, months and days; nullptr for every other code (MAY
// included) and for a calendar whose arithmetic is not there yet.
const AddedCalendarRules* AddedCalendarRulesOf(CalendarCode code);

// Whether a code can be used: every described code, the Mayan long count, and an added calendar
// whose row is filled. Every list that offers calendars (window, --help, settings) asks this.
bool IsAvailableCalendar(CalendarCode code);
// The added calendars that are available, in the order of the code table.
const std::vector<CalendarCode>& AvailableAddedCalendars();

// Whether `date` exists in the calendar of `rules` (month and day within the year's). Only years
// within the range's years are asked (see IsYearInRange): others are not valid.
bool IsValidAddedDate(const AddedCalendarRules& rules, const CalendarDate& date);

// The range of `rules`: whether a day number lies in it; the years of its first and last days.
bool IsDayInRange(const AddedCalendarRules& rules, int64_t day_number);
struct YearSpan {
  int32_t first;
  int32_t last;
};
YearSpan YearsInRange(const AddedCalendarRules& rules);
bool IsYearInRange(const AddedCalendarRules& rules, int64_t year);
// Whether the range is narrower than the day numbers every calendar converts.
bool HasNarrowRange(const AddedCalendarRules& rules);

// The label of place `place` of `year`, and the place of a label (0 when the year has no such month).
MonthLabel MonthLabelOf(const AddedCalendarRules& rules, int32_t year, int16_t place);
int16_t MonthPlaceOf(const AddedCalendarRules& rules, int32_t year, MonthLabel label);

// The date of `day_number`, nullopt outside a narrow range (a calendar over every day number has
// a date for any 32-bit one).
std::optional<CalendarDate> AddedDateOf(const AddedCalendarRules& rules, int32_t day_number);

// The naming of the Bahá'í months: places 1 … 18 are months 1 … 18, place 19 (Ayyám-i-Há) is
// month 0 and place 20 (ʿAlá') month 19.
MonthLabel BahaiMonthLabel(int32_t year, int16_t place);
int16_t BahaiMonthPlace(int32_t year, MonthLabel label);

}  // namespace qv
