#pragma once
// The French Republican calendar: years from 1 Vendémiaire I (22 September 1792 CE), twelve months
// of 30 days and a thirteenth of 5 complementary days, 6 in a leap year. Years III, VII, XI and XV
// were leap years as the calendar was kept, and years XVI … XIX are common, so that two leap years
// never follow each other; from year XX on, and before year I (year 0 exists), every year follows
// Romme's rule: divisible by 4, except centuries not divisible by 400, except multiples of 4000,
// which are common. Leap years: 3, 7, 11, 15, 20, 24, 28 …
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

inline constexpr int32_t kFrenchRepublicanEpoch = 2375840;  // 1 Vendémiaire I = 22 September 1792 CE

CalendarDate FrenchRepublicanFromDayNumber(int32_t day_number);
// The date need not be valid (day 0 is the day before the month); any 32-bit year.
int64_t FrenchRepublicanToDayNumber(const CalendarDate& date);
bool IsFrenchRepublicanLeapYear(int32_t year);
// Years I … XIV (22 September 1792 … 1805), the years the calendar was in use.
bool IsFrenchRepublicanYearInUse(int32_t year);
int16_t FrenchRepublicanMonthsInYear(int32_t year);                  // 13, the complementary days last
int16_t FrenchRepublicanDaysInMonth(int32_t year, int16_t month);     // 0 for a month the year does not have
int32_t FrenchRepublicanDaysInYear(int32_t year);
// Months mode: months (the complementary days counting as one) since Vendémiaire of year 1.
int64_t FrenchRepublicanMonthIndex(int32_t year, int16_t month);
CalendarDate FrenchRepublicanMonthFromIndex(int64_t index);

}  // namespace qv
