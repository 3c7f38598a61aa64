#include "calendar/leap_week.h"

#include "calendar/civil.h"

namespace qv {
namespace {

// Weeks before each month of a year: months of 5, 4, 4 weeks in each quarter of 13 weeks.
constexpr int16_t kWeeksBeforeMonth[12] = {0, 5, 9, 13, 18, 22, 26, 31, 35, 39, 44, 48};
constexpr int64_t kCycleDays = 146097;  // 400 years of 52 weeks and 71 leap weeks: 20871 weeks
constexpr int16_t kBeyondDayNumbers = -2;  // a year whose days do not fit 32-bit day numbers

// The leap rule: 71 leap weeks in 400 years, spread as evenly as a line of slope 71/400 allows.
// Leap years among years 1 … n (negative for n < 0, counting years n+1 … 0 as minus):
// y is a leap year exactly when ⌊(71y + 203) / 400⌋ steps up at y.
int64_t LeapYearsThrough(int64_t n) { return civil::FloorDiv(71 * n + 203, 400); }

// The day number of Monday of week 1 of `year`: 364 days a year and 7 for every leap week
// before it. For 32-bit years the result lies within ±2^33: no overflow.
int64_t YearStart(int64_t year) {
  const int64_t years_before = year - 1;
  return kLeapWeekEpoch + 364 * years_before + 7 * LeapYearsThrough(years_before);
}

static_assert(kCycleDays == 400 * 364 + 71 * 7, "the leap-week cycle matches the Gregorian one");

}  // namespace

// LeapYearsThrough steps up at y exactly when (71y + 203) mod 400 < 71.
bool IsLeapWeekYear(int32_t year) { return civil::FloorMod(71 * int64_t{year} + 203, 400) < 71; }

int16_t LeapWeekYearWeeks(bool leap) { return leap ? 53 : 52; }
int16_t LeapWeekMonthWeeks(int16_t month, bool leap) {
  if (month == 1 || month == 4 || month == 7 || month == 10 || (month == 12 && leap)) return 5;
  return 4;
}

int64_t LeapWeekYearStart(int32_t year) { return YearStart(year); }

int16_t CheckLeapWeekDate(const LeapWeekDate& date) {
  if (date.Weekday < 1 || date.Weekday > 7) return kLeapWeekBadDay;
  if (date.Week < 1 || date.Week > LeapWeekYearWeeks(IsLeapWeekYear(date.Year))) return kLeapWeekBadWeekOrMonth;
  return kLeapWeekInRange;
}

void DayNumberToLeapWeekDate(LeapWeekDate& date) {
  const int64_t day_number = date.DayNumber;
  // Estimate the year from the mean year length, then step at most a year either way.
  int64_t year = civil::FloorDiv((day_number - kLeapWeekEpoch) * 400, kCycleDays) + 1;
  while (YearStart(year) > day_number) --year;
  while (YearStart(year + 1) <= day_number) ++year;
  const int64_t day_in_year = day_number - YearStart(year);  // [0, 370]
  date.Year = static_cast<int32_t>(year);
  date.Week = static_cast<int16_t>(day_in_year / 7 + 1);
  date.Weekday = static_cast<int16_t>(day_in_year % 7 + 1);
  date.Status = kLeapWeekInRange;
}

bool LeapWeekDateToDayNumber(LeapWeekDate& date) {
  date.Status = CheckLeapWeekDate(date);
  if (date.Status < 0) return false;
  const int64_t day_number = LeapWeekYearStart(date.Year) + (int64_t{date.Week} - 1) * 7 + date.Weekday - 1;
  if (!civil::FitsInt32(day_number)) {
    date.Status = kBeyondDayNumbers;
    return false;
  }
  date.DayNumber = static_cast<int32_t>(day_number);
  return true;
}

bool WeekFormToMonthForm(LeapWeekDate& date) {
  date.Status = CheckLeapWeekDate(date);
  if (date.Status < 0) return false;
  int quarter = (date.Week - 1) / 13;
  if (quarter > 3) quarter = 3;  // week 53 closes month 12 of a leap year
  const int week_in_quarter = date.Week - 1 - 13 * quarter;
  const int month_in_quarter = week_in_quarter < 5 ? 0 : (week_in_quarter < 9 ? 1 : 2);
  const int month = 3 * quarter + month_in_quarter + 1;
  date.Month = static_cast<int16_t>(month);
  date.DayOfMonth = static_cast<int16_t>((date.Week - kWeeksBeforeMonth[month - 1] - 1) * 7 + date.Weekday);
  return true;
}

bool MonthFormToWeekForm(LeapWeekDate& date) {
  if (date.Month < 1 || date.Month > 12) {
    date.Status = kLeapWeekBadWeekOrMonth;
    return false;
  }
  const int days_in_month = LeapWeekMonthWeeks(date.Month, IsLeapWeekYear(date.Year)) * 7;
  if (date.DayOfMonth < 1 || date.DayOfMonth > days_in_month) {
    date.Status = kLeapWeekBadDay;
    return false;
  }
  date.Status = kLeapWeekInRange;
  date.Week = static_cast<int16_t>(kWeeksBeforeMonth[date.Month - 1] + (date.DayOfMonth - 1) / 7 + 1);
  date.Weekday = static_cast<int16_t>((date.DayOfMonth - 1) % 7 + 1);
  return true;
}

void DayNumberToLeapMonthDate(LeapWeekDate& date) {
  DayNumberToLeapWeekDate(date);
  WeekFormToMonthForm(date);
}

bool LeapMonthDateToDayNumber(LeapWeekDate& date) {
  return MonthFormToWeekForm(date) && LeapWeekDateToDayNumber(date);
}

}  // namespace qv
