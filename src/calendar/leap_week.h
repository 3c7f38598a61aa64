#pragma once
// The Tarvell Leap Week calendar: years of 52 or 53 whole weeks beginning on a Monday, in a
// week form (year, week, weekday) and a month form (year, month, day of month).
#include <cstdint>

namespace qv {

inline constexpr int16_t kLeapWeekInRange = 0;
inline constexpr int16_t kLeapWeekBadWeekOrMonth = -2;
inline constexpr int16_t kLeapWeekBadDay = -3;

inline constexpr int32_t kLeapWeekEpoch = 1721419;  // year 1, week 1, Monday (25 Dec 0 CE)

struct LeapWeekDate {
  int32_t Year = 0;
  int16_t Month = 0;       // 1 … 12
  int16_t DayOfMonth = 0;  // 1 … 28 or 35
  int16_t Week = 0;        // 1 … 52 or 53
  int16_t Weekday = 0;     // 1 = Monday … 7 = Sunday
  int32_t DayNumber = 0;
  int16_t Status = 0;
};

bool IsLeapWeekYear(int32_t year);
int16_t LeapWeekYearWeeks(bool leap);
int16_t LeapWeekMonthWeeks(int16_t month, bool leap);
// Day number of the first day (Monday of week 1) of a year, for any 32-bit year.
int64_t LeapWeekYearStart(int32_t year);

int16_t CheckLeapWeekDate(const LeapWeekDate& date);
void DayNumberToLeapWeekDate(LeapWeekDate& date);
// False (with Status set) when the date is out of range or its day number does not fit 32 bits.
bool LeapWeekDateToDayNumber(LeapWeekDate& date);
bool WeekFormToMonthForm(LeapWeekDate& date);
bool MonthFormToWeekForm(LeapWeekDate& date);
void DayNumberToLeapMonthDate(LeapWeekDate& date);
bool LeapMonthDateToDayNumber(LeapWeekDate& date);

}  // namespace qv
