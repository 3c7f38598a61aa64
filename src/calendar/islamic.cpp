#include "calendar/islamic.h"

#include "calendar/civil.h"

namespace qv {
namespace {

inline constexpr uint64_t kCycleDays = 10'631;  // 30 years: 30 × 354 days and 11 leap days
// Years and day numbers move up by whole cycles to non-negative values: unsigned arithmetic from there.
inline constexpr uint64_t kShiftCycles = 71'582'789;
inline constexpr uint64_t kShiftYears = 30 * kShiftCycles;         // 2,147,483,670 ≥ 2^31
inline constexpr uint64_t kShiftDays = kCycleDays * kShiftCycles;  // 760,996,629,859
static_assert(kShiftYears >= uint64_t{1} << 31);

// Days from the epoch to 1 Muharram of the shifted year u ≥ 1: 354 a year, and a leap day at the
// end of each year at which ⌊(11u + 3) / 30⌋ steps up, that is when (11u + 14) mod 30 < 11.
constexpr uint64_t DaysBeforeYear(uint64_t u) { return 354 * (u - 1) + (11 * u + 3) / 30; }  // < 1.6e12

// Days from 1 Muharram to the first of month m: odd months have 30 days, even months 29.
constexpr int64_t DaysBeforeMonth(int64_t m) { return 29 * (m - 1) + civil::FloorDiv(m, 2); }

constexpr uint64_t ShiftedYear(int32_t year) { return static_cast<uint64_t>(int64_t{year} + static_cast<int64_t>(kShiftYears)); }

static_assert(civil::JulianToDayNumber(622, 7, 16) == kIslamicEpoch);
static_assert(civil::DayOfWeek(kIslamicEpoch) == 5, "a Friday");
static_assert(DaysBeforeYear(ShiftedYear(1)) == kShiftDays);
static_assert(DaysBeforeYear(ShiftedYear(31)) - DaysBeforeYear(ShiftedYear(1)) == kCycleDays);
// The tabular 1 Muharram 1446 is Monday 8 July 2024, a day after the Umm al-Qura calendar's.
static_assert(DaysBeforeYear(ShiftedYear(1446)) - kShiftDays + kIslamicEpoch ==
                  static_cast<uint64_t>(civil::GregorianToDayNumber(2024, 7, 8)), "1 Muharram 1446");
static_assert([] {
  for (int64_t year = 1; year <= 30; ++year) {  // the step rule is the list of leap years
    const bool listed = year == 2 || year == 5 || year == 7 || year == 10 || year == 13 || year == 16 ||
                        year == 18 || year == 21 || year == 24 || year == 26 || year == 29;
    const uint64_t u = static_cast<uint64_t>(year) + kShiftYears;
    if ((DaysBeforeYear(u + 1) - DaysBeforeYear(u) == 355) != listed) return false;
  }
  return true;
}());

}  // namespace

CalendarDate IslamicFromDayNumber(int32_t day_number) {
  const uint64_t n = static_cast<uint64_t>(int64_t{day_number} - kIslamicEpoch + static_cast<int64_t>(kShiftDays));  // > 7.5e11
  // The last year that begins at or before day n: 1 Muharram of u is DaysBeforeYear(u) ≤ n
  // exactly when 30n + 10,646 ≥ 10,631u.
  const uint64_t u = (30 * n + 10'646) / kCycleDays;                              // shifted year
  const uint64_t day_of_year = n - DaysBeforeYear(u);                             // [0, 354]
  // Month m begins on day ⌈29.5(m − 1)⌉; day 354, the leap day, closes month 12.
  const uint64_t estimate = 2 * day_of_year / 59 + 1;                             // [1, 13]
  const int64_t month = static_cast<int64_t>(estimate > 12 ? 12 : estimate);      // [1, 12]
  return {static_cast<int32_t>(static_cast<int64_t>(u) - static_cast<int64_t>(kShiftYears)), static_cast<int16_t>(month),
          static_cast<int16_t>(static_cast<int64_t>(day_of_year) - DaysBeforeMonth(month) + 1)};
}

int64_t IslamicToDayNumber(const CalendarDate& date) {
  return static_cast<int64_t>(DaysBeforeYear(ShiftedYear(date.year)) - kShiftDays) + kIslamicEpoch +
         DaysBeforeMonth(date.month) + (int64_t{date.day} - 1);
}

bool IsIslamicLeapYear(int32_t year) { return civil::FloorMod(11 * int64_t{year} + 14, 30) < 11; }

int16_t IslamicMonthsInYear(int32_t) { return 12; }

int32_t IslamicDaysInYear(int32_t year) { return IsIslamicLeapYear(year) ? 355 : 354; }

int16_t IslamicDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 12) return 0;
  if (month == 12 && IsIslamicLeapYear(year)) return 30;
  return month % 2 == 1 ? 30 : 29;
}

int64_t IslamicMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 12); }

CalendarDate IslamicMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 12); }

}  // namespace qv
