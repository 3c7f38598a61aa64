#include "calendar/iso_ordinal.h"

#include "calendar/civil.h"
#include "calendar/day_numbers.h"

namespace qv {
namespace {

using civil::ClampToInt32;

}  // namespace

int64_t IsoWeekOneMonday(int32_t year) {
  const int64_t january_first = civil::GregorianToDayNumber(year, 1, 1);
  // Week 1 holds the year's first Thursday: its Monday is the Monday of the week (Monday to
  // Sunday) that holds 4 January.
  const int64_t january_fourth = january_first + 3;
  return january_fourth - (civil::IsoWeekday(january_fourth) - 1);
}

bool IsoYearHas53Weeks(int32_t year) {
  // A year has 53 weeks when it ends on a Thursday, or when the year before ends on a
  // Wednesday (a leap year that begins on a Thursday).
  constexpr int64_t kWednesday = 3, kThursday = 4;
  return civil::YearEndWeekday(year) == kThursday || civil::YearEndWeekday(int64_t{year} - 1) == kWednesday;
}

void IsoWeekDateToDayNumber(IsoWeekDate& date) {
  date.DayNumber =
      ClampToInt32(IsoWeekOneMonday(date.Year) + (int64_t{date.Week} - 1) * 7 + int64_t{date.Weekday} - 1);
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
    d += DaysInYear(int64_t{later.Year} - 1);  // the days of the year before
  }
  years = ClampToInt32(y);
  days = static_cast<int16_t>(d);
}

}  // namespace qv
