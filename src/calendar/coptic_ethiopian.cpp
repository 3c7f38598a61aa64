#include "calendar/coptic_ethiopian.h"

#include "calendar/civil.h"

namespace qv {
namespace {

// One rule for both calendars: 365 days a year and a sixth complementary day in every year that
// is 3 more than a multiple of 4, so that 1 Thout / 1 Meskerem stays on 29 or 30 August JC.
inline constexpr uint64_t kCycleDays = 1'461;  // 4 × 365 + 1
inline constexpr uint64_t kShiftCycles = 536'870'913;
inline constexpr uint64_t kShiftYears = 4 * kShiftCycles;          // 2^31 + 4
inline constexpr uint64_t kShiftDays = kCycleDays * kShiftCycles;  // 784,368,403,893

// Days from the epoch to the first day of the shifted year u ≥ 1: 365 a year and a leap day
// at the end of every year before u that is 3 mod 4, ⌊u / 4⌋ of them.
constexpr uint64_t DaysBeforeYear(uint64_t u) { return 365 * (u - 1) + u / 4; }  // < 1.6e12

constexpr int64_t ToDayNumber(const CalendarDate& date, int32_t epoch) {
  const uint64_t u = static_cast<uint64_t>(int64_t{date.year} + static_cast<int64_t>(kShiftYears));  // [4, 2^32 + 4)
  return static_cast<int64_t>(DaysBeforeYear(u) - kShiftDays) + epoch + 30 * (int64_t{date.month} - 1) +
         (int64_t{date.day} - 1);
}

constexpr CalendarDate FromDayNumber(int32_t day_number, int32_t epoch) {
  const uint64_t n = static_cast<uint64_t>(int64_t{day_number} - epoch + static_cast<int64_t>(kShiftDays));  // > 7.8e11
  // The last year that begins at or before day n: 365(u − 1) + ⌊u / 4⌋ ≤ n ⟺ 1461u ≤ 4n + 1463.
  const uint64_t u = (4 * n + 1'463) / kCycleDays;                                // shifted year
  const uint64_t day_of_year = n - DaysBeforeYear(u);                             // [0, 365]
  return {static_cast<int32_t>(static_cast<int64_t>(u) - static_cast<int64_t>(kShiftYears)),
          static_cast<int16_t>(day_of_year / 30 + 1), static_cast<int16_t>(day_of_year % 30 + 1)};
}

constexpr bool IsLeap(int32_t year) { return civil::FloorMod(year, 4) == 3; }

int16_t DaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 13) return 0;
  if (month < 13) return 30;
  return IsLeap(year) ? 6 : 5;
}

static_assert(civil::JulianToDayNumber(284, 8, 29) == kCopticEpoch);
static_assert(civil::JulianToDayNumber(8, 8, 29) == kEthiopianEpoch);
static_assert(ToDayNumber({1741, 1, 1}, kCopticEpoch) == civil::GregorianToDayNumber(2024, 9, 11));
static_assert(ToDayNumber({2017, 1, 1}, kEthiopianEpoch) == civil::GregorianToDayNumber(2024, 9, 11));
static_assert(ToDayNumber({0, 1, 1}, kCopticEpoch) == kCopticEpoch - 365 &&
              ToDayNumber({-1, 1, 1}, kCopticEpoch) == kCopticEpoch - 731, "year -1 is a leap year");
static_assert(FromDayNumber(kCopticEpoch - 1, kCopticEpoch) == CalendarDate{0, 13, 5});
static_assert(FromDayNumber(kCopticEpoch - 366, kCopticEpoch) == CalendarDate{-1, 13, 6});

}  // namespace

CalendarDate CopticFromDayNumber(int32_t day_number) { return FromDayNumber(day_number, kCopticEpoch); }
int64_t CopticToDayNumber(const CalendarDate& date) { return ToDayNumber(date, kCopticEpoch); }
bool IsCopticLeapYear(int32_t year) { return IsLeap(year); }
int16_t CopticMonthsInYear(int32_t) { return 13; }
int16_t CopticDaysInMonth(int32_t year, int16_t month) { return DaysInMonth(year, month); }
int32_t CopticDaysInYear(int32_t year) { return IsLeap(year) ? 366 : 365; }
int64_t CopticMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 13); }
CalendarDate CopticMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 13); }

CalendarDate EthiopianFromDayNumber(int32_t day_number) { return FromDayNumber(day_number, kEthiopianEpoch); }
int64_t EthiopianToDayNumber(const CalendarDate& date) { return ToDayNumber(date, kEthiopianEpoch); }
bool IsEthiopianLeapYear(int32_t year) { return IsLeap(year); }
int16_t EthiopianMonthsInYear(int32_t) { return 13; }
int16_t EthiopianDaysInMonth(int32_t year, int16_t month) { return DaysInMonth(year, month); }
int32_t EthiopianDaysInYear(int32_t year) { return IsLeap(year) ? 366 : 365; }
int64_t EthiopianMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 13); }
CalendarDate EthiopianMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 13); }

}  // namespace qv
