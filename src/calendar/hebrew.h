#pragma once
// The fixed arithmetic Hebrew calendar (years Anno Mundi): years of 12 or 13 months beginning on
// 1 Tishri, set by the molad of Tishri and the four postponement rules. Months are numbered in the
// order of the year from Tishri: Tishri 1, Heshvan 2, Kislev 3, Tevet 4, Shevat 5, then in a common
// year Adar 6, Nisan 7 … Elul 12, in a leap year Adar I 6, Adar II 7, Nisan 8 … Elul 13.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

inline constexpr int32_t kHebrewEpoch = 347998;  // 1 Tishri 1 AM = 7 October -3760 JC, a Monday

CalendarDate HebrewFromDayNumber(int32_t day_number);
// The date need not be valid: day 0 is the day before the month, a 13th month of a common year
// begins the next year. Any 32-bit year: the result lies within ±2^40.
int64_t HebrewToDayNumber(const CalendarDate& date);
bool IsHebrewLeapYear(int32_t year);
int16_t HebrewMonthsInYear(int32_t year);
int16_t HebrewDaysInMonth(int32_t year, int16_t month);  // 0 for a month the year does not have
int32_t HebrewDaysInYear(int32_t year);                   // 353, 354, 355, 383, 384 or 385
// Months mode: months elapsed since Tishri of year 1, and back (day 1).
int64_t HebrewMonthIndex(int32_t year, int16_t month);
CalendarDate HebrewMonthFromIndex(int64_t index);

}  // namespace qv
