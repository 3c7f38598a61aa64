#pragma once
// ISO 8601 week dates and ordinal (year, day of year) dates.
#include <cstdint>

#include "calendar/civil.h"
#include "calendar/date_fields.h"

namespace qv {

struct IsoWeekDate {
  int32_t Year = 0;  // ISO week-numbering year: the CE year of the week's Thursday
  int32_t Week = 0;  // 1 … 53
  int32_t Weekday = 0;  // 1 = Monday … 7 = Sunday
  int32_t DayNumber = 0;
  int32_t ReadFlag = 0;  // 1 when the record was read from text
};

// (In the header: the writer of every ISO date asks it, and a call cost a third of the work.)
[[gnu::always_inline]] inline void DayNumberToIsoWeekDate(IsoWeekDate& date) {
  const int64_t day_number = date.DayNumber;
  date.Weekday = civil::IsoWeekday(day_number);
  // The week belongs to the ISO year of its Thursday.
  const int64_t thursday = day_number - date.Weekday + 4;
  date.Year = civil::ClampToInt32(civil::GregorianYearOfDayNumber(thursday));  // within ±5.9 million years
  // Week n holds the year's n-th Thursday.
  // The Thursday lies 0 … 365 days after 1 January of its year: a small unsigned division.
  const auto days_into_year = static_cast<uint32_t>(thursday - civil::GregorianToDayNumber(date.Year, 1, 1));
  date.Week = static_cast<int32_t>(days_into_year / 7 + 1);  // [1, 53]
}
// Fills DayNumber. The caller guarantees the result fits 32 bits (readers bound the year).
void IsoWeekDateToDayNumber(IsoWeekDate& date);
int64_t IsoWeekOneMonday(int32_t year);
bool IsoYearHas53Weeks(int32_t year);
int32_t OrdinalToDayNumber(int32_t year, int16_t day_of_year);
void YearsWeeksDaysBetween(const IsoWeekDate& earlier, const IsoWeekDate& later, int32_t& years,
                           int16_t& weeks, int16_t& days, int32_t& negative);
void YearsDaysBetween(DateFields earlier, DateFields later, int32_t& years, int16_t& days,
                      int32_t& error);

}  // namespace qv
