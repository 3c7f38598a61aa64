#include "calendar/iso_ordinal.h"

#include <limits>

#include "calendar/civil.h"
#include "calendar/day_numbers.h"

namespace qv {
namespace {

int32_t ClampToInt32(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

int64_t Shift(int64_t y) { return y + civil::FloorDiv(y, 4) - civil::FloorDiv(y, 100) + civil::FloorDiv(y, 400); }

int64_t WeekOneMonday(int64_t year) {
  const int64_t january_first = civil::GregorianToDayNumber(year, 1, 1);
  const int64_t weekday = civil::FloorMod(january_first + 1, 7);  // 0 = Sunday
  // Week 1 holds the year's first Thursday: its Monday is on or before 1 January when that is
  // Sunday … Thursday (2 January for a Sunday), else the Monday after.
  return weekday <= 4 ? january_first - (weekday - 1) : january_first + (8 - weekday);
}

}  // namespace

int64_t IsoWeekOneMonday(int32_t year) { return WeekOneMonday(year); }

int64_t IsoYearShift(int32_t year) { return Shift(year); }

bool IsoYearHas53Weeks(int32_t year) {
  return civil::FloorMod(Shift(year), 7) == 4 || civil::FloorMod(Shift(int64_t{year} - 1), 7) == 3;
}

void DayNumberToIsoWeekDate(IsoWeekDate& date) {
  const int64_t day_number = date.DayNumber;
  const int64_t weekday = civil::FloorMod(day_number + 1, 7);
  date.Weekday = weekday == 0 ? 7 : static_cast<int32_t>(weekday);
  const int64_t thursday = day_number - date.Weekday + 4;
  const int64_t year = civil::DayNumberToGregorian(thursday).year;
  date.Year = ClampToInt32(year);
  date.Week = static_cast<int32_t>((day_number - WeekOneMonday(year)) / 7 + 1);
}

void IsoWeekDateToDayNumber(IsoWeekDate& date) {
  date.DayNumber =
      ClampToInt32(WeekOneMonday(date.Year) + (int64_t{date.Week} - 1) * 7 + int64_t{date.Weekday} - 1);
}

int32_t OrdinalToDayNumber(int32_t year, int16_t day_of_year) {
  return ClampToInt32(civil::GregorianToDayNumber(year, 1, 1) + day_of_year - 1);
}

void YearsWeeksDaysBetween(const IsoWeekDate& earlier, const IsoWeekDate& later, int32_t& years, int16_t& weeks,
                           int16_t& days, int32_t& negative) {
  negative = 0;
  int64_t y = int64_t{later.Year} - earlier.Year;
  int64_t w = int64_t{later.Week} - earlier.Week;
  int64_t d = int64_t{later.Weekday} - earlier.Weekday;
  const int64_t weeks_in_year = IsoYearHas53Weeks(earlier.Year) ? 53 : 52;
  if (d >= 0 && w >= 0) {
    // nothing to borrow
  } else if (d < 0 && w > 0) {
    w -= 1;
    d += 7;
  } else if (d < 0 && w == 0) {
    y -= 1;
    w = weeks_in_year - 1;
    d += 7;
  } else if (w < 0) {
    y -= 1;
    w = weeks_in_year - earlier.Week + later.Week;
    if (d < 0) {
      w -= 1;
      d += 7;
    }
  }
  if (y < 0 || w < 0 || d < 0) negative = -1;
  years = ClampToInt32(y);
  weeks = static_cast<int16_t>(w);
  days = static_cast<int16_t>(d);
}

void YearsDaysBetween(DateFields earlier, DateFields later, int32_t& years, int16_t& days, int32_t& error) {
  error = 0;
  const int64_t a = DayOfYear(earlier);
  const int64_t b = DayOfYear(later);
  int64_t y = int64_t{later.Year} - earlier.Year;
  int64_t d = b - a;
  if (d < 0) {
    y -= 1;
    d += civil::IsGregorianLeap(int64_t{later.Year} - 1) ? 366 : 365;
  }
  years = ClampToInt32(y);
  days = static_cast<int16_t>(d);
}

}  // namespace qv
