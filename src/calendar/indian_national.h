#pragma once
// The Indian national calendar (Saka era): Saka year s begins on 22 March of CE year s + 78, or
// on 21 March when that year is a leap year. Chaitra (1) has 30 days, 31 in a leap year; months
// 2 … 6 have 31 days, 7 … 12 have 30. Leap years are those of CE year s + 78; proleptic throughout.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

inline constexpr int32_t kSakaToCommonEra = 78;  // CE year in which a Saka year begins

CalendarDate IndianNationalFromDayNumber(int32_t day_number);
// The date need not be valid (day 0 is the day before the month); any 32-bit year.
int64_t IndianNationalToDayNumber(const CalendarDate& date);
bool IsIndianNationalLeapYear(int32_t year);
int16_t IndianNationalMonthsInYear(int32_t year);
int16_t IndianNationalDaysInMonth(int32_t year, int16_t month);  // 0 for a month the year does not have
int32_t IndianNationalDaysInYear(int32_t year);
// Months mode: months elapsed since Chaitra of year 1, and back (day 1).
int64_t IndianNationalMonthIndex(int32_t year, int16_t month);
CalendarDate IndianNationalMonthFromIndex(int64_t index);

}  // namespace qv
