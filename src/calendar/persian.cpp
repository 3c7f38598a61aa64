#include "calendar/persian.h"

#include "calendar/civil.h"

namespace qv {
namespace {

inline constexpr uint64_t kCycleDays = 12'053;  // 33 years: 33 × 365 days and 8 leap days
inline constexpr uint64_t kShiftCycles = 65'075'263;
inline constexpr uint64_t kShiftYears = 33 * kShiftCycles;         // 2,147,483,679 ≥ 2^31
inline constexpr uint64_t kShiftDays = kCycleDays * kShiftCycles;  // 784,352,144,939
static_assert(kShiftYears >= uint64_t{1} << 31);

// Days from kPersianYearZero to 1 Farvardin of the shifted year u ≥ 1:
// 365(u − 1) + ⌊(8u + 21) / 33⌋ = ⌊(12,053u − 12,024) / 33⌋.
constexpr uint64_t DaysBeforeYear(uint64_t u) { return (kCycleDays * u - 12'024) / 33; }  // < 1.6e12

// Days from 1 Farvardin to the first of month m: six months of 31 days, then months of 30.
constexpr int64_t DaysBeforeMonth(int64_t m) { return m <= 7 ? 31 * (m - 1) : 30 * (m - 1) + 6; }

constexpr uint64_t ShiftedYear(int32_t year) { return static_cast<uint64_t>(int64_t{year} + static_cast<int64_t>(kShiftYears)); }

constexpr bool LeapByRule(int64_t year) { return civil::FloorMod(25 * year + 11, 33) < 8; }

static_assert(civil::JulianToDayNumber(622, 3, 18) == kPersianYearZero);
static_assert(DaysBeforeYear(ShiftedYear(1403)) - kShiftDays + kPersianYearZero ==
                  static_cast<uint64_t>(civil::GregorianToDayNumber(2024, 3, 20)), "Nowruz 1403");
static_assert(DaysBeforeYear(ShiftedYear(1404)) - kShiftDays + kPersianYearZero ==
                  static_cast<uint64_t>(civil::GregorianToDayNumber(2025, 3, 21)), "Nowruz 1404");
static_assert([] {
  // The start formula and the leap rule are one rule: every year of a cycle is 365 days long,
  // one more in a leap year, and the cycle is 12,053 days.
  for (int64_t year = -33; year <= 33; ++year) {
    const uint64_t u = static_cast<uint64_t>(year + static_cast<int64_t>(kShiftYears));
    if (DaysBeforeYear(u + 1) - DaysBeforeYear(u) != (LeapByRule(year) ? 366u : 365u)) return false;
  }
  return DaysBeforeYear(ShiftedYear(34)) - DaysBeforeYear(ShiftedYear(1)) == kCycleDays;
}());
static_assert(DaysBeforeMonth(7) == 186 && DaysBeforeMonth(12) == 336 && DaysBeforeMonth(13) == 366);

}  // namespace

CalendarDate PersianFromDayNumber(int32_t day_number) {
  const uint64_t n = static_cast<uint64_t>(int64_t{day_number} - kPersianYearZero + static_cast<int64_t>(kShiftDays));  // > 7.8e11
  // The last year that begins at or before day n: ⌊(12,053u − 12,024) / 33⌋ ≤ n exactly when
  // 12,053u ≤ 33n + 12,056. Exact, no correction.
  const uint64_t u = (33 * n + 12'056) / kCycleDays;                               // shifted year
  const uint64_t day_of_year = n - DaysBeforeYear(u);                              // [0, 365]
  const bool first_half = day_of_year < 186;                                       // months of 31 days
  const uint64_t month = first_half ? day_of_year / 31 + 1 : (day_of_year - 186) / 30 + 7;  // [1, 12]
  const uint64_t day = first_half ? day_of_year % 31 + 1 : (day_of_year - 186) % 30 + 1;    // [1, 31]
  return {static_cast<int32_t>(static_cast<int64_t>(u) - static_cast<int64_t>(kShiftYears)), static_cast<int16_t>(month),
          static_cast<int16_t>(day)};
}

int64_t PersianToDayNumber(const CalendarDate& date) {
  return static_cast<int64_t>(DaysBeforeYear(ShiftedYear(date.year)) - kShiftDays) + kPersianYearZero +
         DaysBeforeMonth(date.month) + (int64_t{date.day} - 1);
}

bool IsPersianLeapYear(int32_t year) { return LeapByRule(year); }

int16_t PersianMonthsInYear(int32_t) { return 12; }

int32_t PersianDaysInYear(int32_t year) { return IsPersianLeapYear(year) ? 366 : 365; }

int16_t PersianDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 12) return 0;
  if (month <= 6) return 31;
  if (month <= 11) return 30;
  return IsPersianLeapYear(year) ? 30 : 29;
}

int64_t PersianMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 12); }

CalendarDate PersianMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 12); }

}  // namespace qv
