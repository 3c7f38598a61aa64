#pragma once
// The day-number pivot: operations on Common Era / Julian dates built on the calendar library.
#include <cstdint>

#include "calendar/civil.h"
#include "calendar/date_fields.h"

namespace qv {

inline constexpr int32_t kDayNumberOf1Jan1CE = 1721426;
inline constexpr int32_t kDayNumberOf31Dec9999CE = 5373484;
inline constexpr int32_t kDayNumberOf1Jan2000CE = 2451545;

int32_t DateToDayNumber(DateFields& date);
// As DateToDayNumber, for records whose year may lie far outside the text limits: false (and
// the record untouched) when the day number does not fit 32 bits.
bool DateToDayNumberChecked(DateFields& date);
void DayNumberToDate(DateFields& date);
void DayNumberToCalendarDate(DateFields& date);  // 'A' records use the Annus Novus calendar

int16_t DayOfWeek(int32_t day_number);  // 0 = Sunday … 6 = Saturday
bool IsWorkingDay(int32_t day_number);  // Monday … Friday
int16_t DayOfYear(DateFields& date);    // refreshes date.DayNumber first
int16_t DaysInYear(int64_t year);                         // CE: 365 or 366
// The month's length by the leap rule of the record's calendar; no day number is computed, so
// no year overflows at the ends of the range. A month outside 1 … 12 has none: 0, and `error`
// set. (In the header: the reader of every date asks it, and the call cost more than the answer.)
[[gnu::always_inline]] inline int16_t DaysInMonth(const DateFields& date, int32_t& error) {
  if (date.Month < 1 || date.Month > 12) {
    error = 1;
    return 0;
  }
  return static_cast<int16_t>(civil::MonthLength(date.Year, date.Month, IsJulianLetter(date.Calendar)));
}
void YearsMonthsDaysBetween(const DateFields& earlier, const DateFields& later, int32_t& years,
                            int16_t& months, int16_t& days, int32_t& error);

}  // namespace qv
