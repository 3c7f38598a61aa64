#pragma once
// The months of the Common Era calendar in the shape of an added calendar's row: year, month and
// day of the proleptic Gregorian calendar. The calendars that keep the Gregorian months and only
// number or name their years otherwise (the Japanese eras; Minguo and Thai years are offsets of
// these) count their dates with them.
#include <cstdint>

#include "calendar/calendar_date.h"
#include "calendar/civil.h"

namespace qv {

inline CalendarDate GregorianMonthsFromDayNumber(int32_t day_number) {
  const civil::YearMonthDay date = civil::DayNumberToGregorian(day_number);
  // Every 32-bit day number lies in a year of a few million (checked in civil.h).
  return {static_cast<int32_t>(date.year), static_cast<int16_t>(date.month), static_cast<int16_t>(date.day)};
}
// The date need not be valid: day 0 is the day before the month.
inline int64_t GregorianMonthsToDayNumber(const CalendarDate& date) {
  return civil::GregorianToDayNumber(date.year, date.month, date.day);
}
inline int16_t GregorianMonthsMonthsInYear(int32_t) { return 12; }
// 0 for a month the year does not have.
inline int16_t GregorianMonthsDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 12) return 0;
  return static_cast<int16_t>(civil::GregorianMonthLength(year, month));
}
// Months mode: months since January of year 1, and back (day 1).
inline int64_t GregorianMonthsMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 12); }
inline CalendarDate GregorianMonthsMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 12); }

}  // namespace qv
