#pragma once
// The Revised Julian calendar of Milutin Milanković, adopted by the Pan-Orthodox Congress of
// Constantinople in May 1923: the Julian months, and a leap year every fourth year except the
// century years, of which only those that leave 200 or 600 divided by 900 are leap years (2000,
// 2400, 2900, 3300 …). 218 leap days in 900 years. It keeps the year numbers of the Common Era
// (year 0 exists) and agrees with the Gregorian calendar from 1 March 1600 to 28 February 2800:
// the Churches that took it up passed from 30 September to 14 October 1923 (Julian 1 October).
// Proleptic over every day number.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

CalendarDate RevisedJulianFromDayNumber(int32_t day_number);
// The date need not be valid (day 0 is the day before the month); any 32-bit year.
int64_t RevisedJulianToDayNumber(const CalendarDate& date);
bool IsRevisedJulianLeapYear(int32_t year);
int16_t RevisedJulianMonthsInYear(int32_t year);
int16_t RevisedJulianDaysInMonth(int32_t year, int16_t month);  // 0 for a month the year does not have
int32_t RevisedJulianDaysInYear(int32_t year);
// Months mode: months elapsed since January of year 1, and back (day 1).
int64_t RevisedJulianMonthIndex(int32_t year, int16_t month);
CalendarDate RevisedJulianMonthFromIndex(int64_t index);

}  // namespace qv
