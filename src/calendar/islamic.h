#pragma once
// The tabular Islamic civil calendar (years Anno Hegirae): twelve months of 30 and 29 days in
// turn, the twelfth of 30 days in the 11 leap years of every 30 (years 2, 5, 7, 10, 13, 16, 18,
// 21, 24, 26 and 29 of the cycle). It is the arithmetic calendar, and may differ by a day or two
// from a calendar that begins its months by sighting the moon.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

inline constexpr int32_t kIslamicEpoch = 1948440;  // 1 Muharram 1 AH = Friday 16 July 622 JC

CalendarDate IslamicFromDayNumber(int32_t day_number);
// The date need not be valid (day 0 is the day before the month); any 32-bit year.
int64_t IslamicToDayNumber(const CalendarDate& date);
bool IsIslamicLeapYear(int32_t year);
int16_t IslamicMonthsInYear(int32_t year);
int16_t IslamicDaysInMonth(int32_t year, int16_t month);  // 0 for a month the year does not have
int32_t IslamicDaysInYear(int32_t year);
// Months mode: months elapsed since Muharram of year 1, and back (day 1).
int64_t IslamicMonthIndex(int32_t year, int16_t month);
CalendarDate IslamicMonthFromIndex(int64_t index);

}  // namespace qv
