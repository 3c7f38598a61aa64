#pragma once
// The Persian solar Hijri calendar (years AP) by the 33-year arithmetic rule: year y is a leap
// year when (25y + 11) mod 33 < 8, eight leap years in 33. Farvardin … Shahrivar (1 … 6) have 31
// days, Mehr … Bahman (7 … 11) 30, Esfand (12) 29, or 30 in a leap year.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

// 1 Farvardin y is day number kPersianYearZero + 365(y − 1) + ⌊(8y + 21) / 33⌋.
inline constexpr int32_t kPersianYearZero = 1948320;

CalendarDate PersianFromDayNumber(int32_t day_number);
// The date need not be valid (day 0 is the day before the month); any 32-bit year.
int64_t PersianToDayNumber(const CalendarDate& date);
bool IsPersianLeapYear(int32_t year);
int16_t PersianMonthsInYear(int32_t year);
int16_t PersianDaysInMonth(int32_t year, int16_t month);  // 0 for a month the year does not have
int32_t PersianDaysInYear(int32_t year);
// Months mode: months elapsed since Farvardin of year 1, and back (day 1).
int64_t PersianMonthIndex(int32_t year, int16_t month);
CalendarDate PersianMonthFromIndex(int64_t index);

}  // namespace qv
