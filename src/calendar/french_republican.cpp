#include "calendar/french_republican.h"

#include "calendar/civil.h"

namespace qv {
namespace {

// Romme's rule repeats after 4000 years: 4000 × 365 days and 1000 − 40 + 10 − 1 leap days.
inline constexpr uint64_t kCycleDays = 1'460'969;
inline constexpr uint64_t kShiftCycles = 536'871;
inline constexpr uint64_t kShiftYears = 4'000 * kShiftCycles;      // 2,147,484,000 ≥ 2^31 + 1
inline constexpr uint64_t kShiftDays = kCycleDays * kShiftCycles;  // 784,347,909,399
static_assert(kShiftYears > uint64_t{1} << 31);

// Days before year x + 1 by Romme's rule alone, x counted from the shifted year 1 (x ≥ 0): 365 a
// year and one for every leap year among years 1 … x. The rule's leap day ends its year, as the
// March-based Gregorian year ends with 29 February.
constexpr uint64_t RommeDaysBeforeYear(uint64_t x) { return 365 * x + x / 4 - x / 100 + x / 400 - x / 4'000; }  // < 1.6e12

// The years as kept differ from Romme's rule only in years 1 … 19: leap years 3, 7, 11, 15 in
// place of the rule's 4, 8, 12, 16, as many leap days in all. 1 Vendémiaire falls one day after
// the rule's date in years 4, 8, 12 and 16, each after a kept leap year that the rule holds
// common; from year 17 on the two agree, and Romme's rule alone counts from year 20.
constexpr int64_t KeptDayLater(int64_t year) { return (year >= 4 && year <= 16 && year % 4 == 0) ? 1 : 0; }

constexpr bool RommeLeap(int64_t year) {
  return civil::FloorMod(year, 4) == 0 && (civil::FloorMod(year, 100) != 0 || civil::FloorMod(year, 400) == 0) &&
         civil::FloorMod(year, 4'000) != 0;
}
// Years 1 … 19 as kept (leap 3, 7, 11 and 15; 16 … 19 common, so that no two leap years follow
// each other), Romme's rule before and after them.
constexpr bool IsLeap(int64_t year) {
  if (year >= 1 && year <= 19) return year <= 15 && year % 4 == 3;
  return RommeLeap(year);
}

constexpr int64_t YearStart(int64_t year) {  // any 32-bit year: within ±2^40
  const uint64_t x = static_cast<uint64_t>(year - 1 + static_cast<int64_t>(kShiftYears));  // [351, 2^32)
  return static_cast<int64_t>(RommeDaysBeforeYear(x) - kShiftDays) + kFrenchRepublicanEpoch + KeptDayLater(year);
}

static_assert(civil::GregorianToDayNumber(1792, 9, 22) == kFrenchRepublicanEpoch);
static_assert(RommeDaysBeforeYear(4'000) == kCycleDays);
static_assert(YearStart(1) == kFrenchRepublicanEpoch && YearStart(0) == kFrenchRepublicanEpoch - 365,
              "year 0, a multiple of 4000, is common");
static_assert(YearStart(4) == civil::GregorianToDayNumber(1795, 9, 23) && YearStart(12) == civil::GregorianToDayNumber(1803, 9, 24));
static_assert(YearStart(16) == civil::GregorianToDayNumber(1807, 9, 24) && YearStart(17) == civil::GregorianToDayNumber(1808, 9, 23),
              "year XV leap, year XVI common");
static_assert([] {
  for (int64_t year = -4'010; year <= 4'010; ++year) {  // the starts and the leap rule agree
    if (YearStart(year + 1) - YearStart(year) != (IsLeap(year) ? 366 : 365)) return false;
  }
  return true;
}());

}  // namespace

CalendarDate FrenchRepublicanFromDayNumber(int32_t day_number) {
  // Romme's rule first: whole 4000-year cycles, then the Gregorian steps within the cycle (its
  // 40 centuries hold the same days as the Gregorian ones; the day the 4000th year lacks is
  // never reached), as in civil::DayNumberToGregorian.
  const uint64_t n = static_cast<uint64_t>(int64_t{day_number} - kFrenchRepublicanEpoch + static_cast<int64_t>(kShiftDays));  // > 7.8e11
  const uint64_t cycles = n / kCycleDays;
  const uint64_t n1 = 4 * (n % kCycleDays) + 3;                                    // [3, 5,843,875]
  const uint64_t centuries = n1 / civil::kGregorianCycleDays;                      // [0, 39]
  const uint64_t p = 2939745 * ((n1 % civil::kGregorianCycleDays) | 3);
  const uint64_t year_of_century = p >> 32;                                        // [0, 99]
  int64_t day_of_year = static_cast<int64_t>((p & 0xFFFFFFFF) / 2939745 / 4);      // [0, 365]
  int64_t year = static_cast<int64_t>(4'000 * cycles + 100 * centuries + year_of_century + 1) -
                 static_cast<int64_t>(kShiftYears);
  // Then the years as kept: where 1 Vendémiaire is a day later, the rule's first day of the year
  // is the last day of the year before.
  day_of_year -= KeptDayLater(year);                                               // [-1, 365]
  if (day_of_year < 0) {
    --year;
    day_of_year += IsLeap(year) ? 366 : 365;
  }
  return {static_cast<int32_t>(year), static_cast<int16_t>(day_of_year / 30 + 1), static_cast<int16_t>(day_of_year % 30 + 1)};
}

int64_t FrenchRepublicanToDayNumber(const CalendarDate& date) {
  return YearStart(date.year) + 30 * (int64_t{date.month} - 1) + (int64_t{date.day} - 1);
}

bool IsFrenchRepublicanLeapYear(int32_t year) { return IsLeap(year); }

bool IsFrenchRepublicanYearInUse(int32_t year) { return year >= 1 && year <= 14; }

int16_t FrenchRepublicanMonthsInYear(int32_t) { return 13; }

int32_t FrenchRepublicanDaysInYear(int32_t year) { return IsLeap(year) ? 366 : 365; }

int16_t FrenchRepublicanDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 13) return 0;
  if (month < 13) return 30;
  return IsLeap(year) ? 6 : 5;
}

int64_t FrenchRepublicanMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 13); }

CalendarDate FrenchRepublicanMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 13); }

}  // namespace qv
