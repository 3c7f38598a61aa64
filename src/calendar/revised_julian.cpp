#include "calendar/revised_julian.h"

#include <array>

#include "calendar/civil.h"

namespace qv {
namespace {

// 900 years: 900 × 365 days and 225 − 9 + 2 leap days.
inline constexpr uint64_t kCycleDays = 328'718;
// Whole 900-year cycles that make every 32-bit year, and the March-based year before it, positive.
inline constexpr uint64_t kShiftCycles = 2'386'093;
inline constexpr uint64_t kShiftYears = 900 * kShiftCycles;        // 2,147,483,700 ≥ 2^31 + 1
inline constexpr uint64_t kShiftDays = kCycleDays * kShiftCycles;  // 784,351,718,774
static_assert(kShiftYears >= (uint64_t{1} << 31) + 1 && kShiftYears < uint64_t{1} << 32);

// 1 March of year 0: the same day as in the Gregorian calendar, since between year 0 and 1600 both
// have four leap century years (Gregorian 400, 800, 1200, 1600; here 200, 600, 1100, 1500).
inline constexpr int64_t kMarchZero = civil::kGregorianMarchZero;

constexpr bool IsLeap(int64_t year) {
  if (civil::FloorMod(year, 4) != 0) return false;
  if (civil::FloorMod(year, 100) != 0) return true;
  const int64_t r = civil::FloorMod(year, 900);
  return r == 200 || r == 600;
}

// Days from 1 March of the shifted year 0 to 1 March of shifted year y (y ≥ 0): 365 a year and a
// leap day for every leap year among 1 … y (each March-based year ends with its February). Among
// the centuries k = 1 … ⌊y/100⌋ those with k mod 9 = 2 or 6 are leap: ⌊(K + 7)/9⌋ + ⌊(K + 3)/9⌋.
constexpr uint64_t DaysBeforeYear(uint64_t y) {  // y < 2^32 + 2^31: result < 2^41
  const uint64_t centuries = y / 100;
  return 365 * y + y / 4 - centuries + (centuries + 7) / 9 + (centuries + 3) / 9;
}

// The first days of the nine March-based centuries of a cycle and the cycle's end: the centuries
// that end with the leap years 200 and 600 of the cycle (the 2nd and 6th) have 36,525 days.
inline constexpr std::array<uint32_t, 10> kCenturyStarts = [] {
  std::array<uint32_t, 10> starts{};
  for (uint32_t k = 1; k < 10; ++k) starts[k] = static_cast<uint32_t>(DaysBeforeYear(100 * k));
  return starts;
}();

static_assert(kCenturyStarts[9] == kCycleDays && kCenturyStarts[2] - kCenturyStarts[1] == 36'525 &&
              kCenturyStarts[6] - kCenturyStarts[5] == 36'525 && kCenturyStarts[1] == 36'524);
static_assert(DaysBeforeYear(900) == kCycleDays && DaysBeforeYear(1800) == 2 * kCycleDays);

constexpr int64_t ToDayNumber(int32_t y, int32_t m, int32_t d) {
  // The table of civil.h: the year base puts January and February in the year before, the
  // month's days from 1 March follow; any month value reads a defined entry.
  const civil::MonthStart& month = civil::kMonthStarts<kShiftYears>.of[civil::MonthIndex(m)];
  const uint64_t years = static_cast<uint64_t>(int64_t{y} + month.year_base);  // [51, 2^32 + 2^31)
  return static_cast<int64_t>(DaysBeforeYear(years) + month.days_from_march - kShiftDays) + kMarchZero +
         (int64_t{d} - 1);
}

constexpr civil::YearMonthDay FromDayNumber(int64_t day_number) {
  const uint64_t n = static_cast<uint64_t>(day_number - kMarchZero + static_cast<int64_t>(kShiftDays));  // > 7.8e11
  const uint64_t cycles = n / kCycleDays;
  const uint32_t r = static_cast<uint32_t>(n % kCycleDays);                       // [0, 328717]
  // The century: r / 36,524 is the century or the one after it, when the leap centuries before
  // moved its start on by a day or two.
  uint32_t century = r / 36'524;                                                  // [0, 9]
  if (r < kCenturyStarts[century]) --century;                                     // [0, 8]
  const uint32_t n1 = 4 * (r - kCenturyStarts[century]) + 3;                      // [3, 146,099]
  const uint32_t year_of_century = n1 / 1'461;                                    // [0, 99]
  const uint32_t day_of_year = n1 % 1'461 / 4;                                    // [0, 365]
  const civil::MonthDayOfMarchYear& md = civil::kMonthDayOfMarchYear.of[day_of_year];
  const uint64_t years = 900 * cycles + 100 * century + year_of_century + md.next_year;
  return {static_cast<int64_t>(years) - static_cast<int64_t>(kShiftYears), md.month, md.day};
}

static_assert(ToDayNumber(1600, 3, 1) == civil::GregorianToDayNumber(1600, 3, 1));
static_assert(ToDayNumber(1923, 10, 14) == civil::JulianToDayNumber(1923, 10, 1), "the change of 1923");
static_assert(ToDayNumber(2800, 2, 28) == civil::GregorianToDayNumber(2800, 2, 28) &&
              ToDayNumber(2800, 3, 1) == civil::GregorianToDayNumber(2800, 2, 29), "2800 is no leap year");
static_assert(FromDayNumber(civil::GregorianToDayNumber(2800, 3, 1)) == civil::YearMonthDay{2800, 3, 2});
static_assert([] {
  for (int64_t year = -2'000; year <= 2'000; ++year) {  // the leap rule and the day count agree
    const int64_t length = ToDayNumber(static_cast<int32_t>(year + 1), 1, 1) - ToDayNumber(static_cast<int32_t>(year), 1, 1);
    if (length != (IsLeap(year) ? 366 : 365)) return false;
  }
  return true;
}());

}  // namespace

CalendarDate RevisedJulianFromDayNumber(int32_t day_number) {
  const civil::YearMonthDay date = FromDayNumber(day_number);
  // Every 32-bit day number lies in a year of a few million.
  return {static_cast<int32_t>(date.year), static_cast<int16_t>(date.month), static_cast<int16_t>(date.day)};
}

int64_t RevisedJulianToDayNumber(const CalendarDate& date) { return ToDayNumber(date.year, date.month, date.day); }

bool IsRevisedJulianLeapYear(int32_t year) { return IsLeap(year); }

int16_t RevisedJulianMonthsInYear(int32_t) { return 12; }

int32_t RevisedJulianDaysInYear(int32_t year) { return IsLeap(year) ? 366 : 365; }

int16_t RevisedJulianDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 12) return 0;
  if (month == 2) return IsLeap(year) ? 29 : 28;
  return static_cast<int16_t>(civil::kCommonMonthLengths[month - 1]);
}

int64_t RevisedJulianMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 12); }

CalendarDate RevisedJulianMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 12); }

}  // namespace qv
