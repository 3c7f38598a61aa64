#pragma once
// Constant-time conversions between proleptic Gregorian / Julian dates and chronological
// Julian day numbers, on 64-bit values so that every 32-bit year and every 32-bit day number
// is handled without overflow. Years are astronomical (year 0 exists).
//
// This header is the one home of the rules every calendar shares: the Gregorian and Julian
// leap rules (as a test of one year and, in the day-number formulas and YearEndWeekday, as
// counts of leap days), the weekday of a day number, and the test that a 64-bit value fits the
// 32-bit day numbers. The calendars, readers, writers, holidays and the work calendar ask these
// functions instead of restating them.
#include <cstdint>
#include <limits>

namespace qv::civil {

struct YearMonthDay {
  int64_t year;
  int32_t month;  // 1 … 12
  int32_t day;    // 1 … 31
  friend constexpr bool operator==(const YearMonthDay&, const YearMonthDay&) = default;
};

// Floor division and non-negative remainder for a positive divisor.
constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// --- 32-bit day numbers -----------------------------------------------------------------------

// Whether a value computed in 64 bits fits a 32-bit day number, year or count.
constexpr bool FitsInt32(int64_t value) {
  return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}
// The value, or the nearer end of the 32-bit range when it lies beyond.
constexpr int32_t ClampToInt32(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

// --- Leap rules and the weekday ---------------------------------------------------------------

constexpr bool IsGregorianLeap(int64_t y) { return FloorMod(y, 4) == 0 && (FloorMod(y, 100) != 0 || FloorMod(y, 400) == 0); }
constexpr bool IsJulianLeap(int64_t y) { return FloorMod(y, 4) == 0; }
constexpr bool IsLeap(int64_t y, bool julian) { return julian ? IsJulianLeap(y) : IsGregorianLeap(y); }

// Days since the Monday before, 0 … 6, for |day_number| < 2^42 (32-bit day numbers and the few
// days that the working-day walks step beyond them): shifted by whole weeks to a non-negative
// value, the remainder is an unsigned one. Day number 0 (1 January -4712 JC) was a Monday.
constexpr int32_t DaysSinceMonday(int64_t day_number) {
  constexpr int64_t kWeeksShift = int64_t{7} << 42;
  return static_cast<int32_t>(static_cast<uint64_t>(day_number + kWeeksShift) % 7);
}
// 0 = Sunday … 6 = Saturday.
constexpr int32_t DayOfWeek(int64_t day_number) { return DaysSinceMonday(day_number + 1); }
// ISO numbering: 1 = Monday … 7 = Sunday.
constexpr int32_t IsoWeekday(int64_t day_number) { return DaysSinceMonday(day_number) + 1; }
// Monday to Friday; Saturday and Sunday are the weekend.
constexpr bool IsWorkingDay(int64_t day_number) { return DaysSinceMonday(day_number) < 5; }
// The weekday of 31 December of CE year y, 0 = Sunday … 6 = Saturday: every year moves the
// weekday on by one, every leap day by one more, y + ⌊y/4⌋ − ⌊y/100⌋ + ⌊y/400⌋ in all.
constexpr int64_t YearEndWeekday(int64_t y) { return FloorMod(y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400), 7); }

// --- Dates to day numbers and back ------------------------------------------------------------

// Day number of 1 March of year 0 in each calendar (March-based years put the leap day last).
inline constexpr int64_t kGregorianMarchZero = 1721120;  // 0000-03-01 CE, checked below
inline constexpr int64_t kJulianMarchZero = 1721118;     // 0000-03-01 JC, checked below

// Days in whole cycles of each calendar.
inline constexpr uint64_t kGregorianCycleDays = 146'097;  // 400 × 365 + 97 leap days
inline constexpr uint64_t kJulianCycleDays = 1'461;       // 4 × 365 + 1 leap day

// Every year and day number the system meets lies within ±2^31. Shifting them by whole
// calendar cycles makes them non-negative, so that all further arithmetic is unsigned
// multiplication and division by constants: no sign corrections, no branches. The steps are
// those of Neri and Schneider's Euclidean affine functions over years that begin in March.
inline constexpr uint64_t kGregorianCycleShift = 5'368'710;  // 400-year cycles: 2,147,484,000 years ≥ 2^31
inline constexpr uint64_t kJulianCycleShift = 536'870'913;   // 4-year cycles: 2^31 + 4 years > 2^31

// Days from 1 March to the first of month m (1 … 12) in a year that begins in March, so that
// January and February, with the leap day, come last: 30.6 days a month on average. A table
// read costs less than computing (979m − 2919) / 32 for m = 3 … 14, which gives the same values.
// Any other m reads an entry of the 16 (0 for the months that do not exist): defined, if
// meaningless.
inline constexpr uint16_t kDaysFromMarchFirst[16] = {0, 306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275, 0, 0, 0};
constexpr uint64_t DaysFromMarchFirst(int32_t m) { return kDaysFromMarchFirst[static_cast<uint32_t>(m) & 15u]; }

// Days before 1 March of the March-based year `years` counted from the shifted origin:
// 365 a year, one more every 4th, one less every 100th, one more every 400th.
// years ∈ [0, 2^32 + 352) (every shifted 32-bit year) → result < 2^41: no overflow in 64 bits.
constexpr uint64_t GregorianDaysBeforeYear(uint64_t years) {
  // years / 100 and years / 400 from one multiplication: 1,374,389,535 = ⌈2^37 / 100⌉ exceeds
  // 2^37 / 100 by 28 / 100 / 2^37 a unit, so the quotient stays exact for years < 2^37 / 28
  // (4.9 × 10^9), which covers every shifted 32-bit year; the product stays below 2^63.
  const uint64_t scaled = years * 1'374'389'535;                              // < 5.9 × 10^18
  const uint64_t centuries = scaled >> 37;                                    // years / 100
  const uint64_t quad_centuries = scaled >> 39;                               // years / 400
  return kJulianCycleDays * years / 4 - centuries + quad_centuries;
}

// 1 for January and February, which count as months 13 and 14 of the year before, else 0.
// Used as a number, not as a condition: the month of a date is unpredictable, and a branch on
// it would be mispredicted about once in six dates, which costs more than the whole formula.
constexpr uint32_t BeforeMarch(int32_t m) { return static_cast<uint32_t>(m <= 2); }

// Years are 32-bit (wider years have no 32-bit day numbers; the callers check them first). The
// day is added in 64 bits, so day 0 is the last day before the month.
constexpr int64_t GregorianToDayNumber(int32_t y, int32_t m, int32_t d) {
  const uint32_t before_march = BeforeMarch(m);                               // 0 or 1
  const uint64_t years = static_cast<uint64_t>(int64_t{y} + int64_t{400 * kGregorianCycleShift}) -
                         before_march;                                        // [0, 2^32 + 352)
  const uint64_t in_year = DaysFromMarchFirst(m) + static_cast<uint64_t>(int64_t{d} - 1);  // [0, 365] for a date
  return static_cast<int64_t>(GregorianDaysBeforeYear(years) + in_year - kGregorianCycleShift * kGregorianCycleDays) +
         kGregorianMarchZero;
}

constexpr int64_t JulianToDayNumber(int32_t y, int32_t m, int32_t d) {
  const uint32_t before_march = BeforeMarch(m);                               // 0 or 1
  const uint64_t years = static_cast<uint64_t>(int64_t{y} + int64_t{4 * kJulianCycleShift}) -
                         before_march;                                        // [3, 2^32 + 4)
  const uint64_t in_year = DaysFromMarchFirst(m) + static_cast<uint64_t>(int64_t{d} - 1);  // [0, 365] for a date
  return static_cast<int64_t>(kJulianCycleDays * years / 4 + in_year - kJulianCycleShift * kJulianCycleDays) +
         kJulianMarchZero;
}

// Shared tail: day of a March-based year (0 … 365) to month and day; true for January and
// February, which belong to the next calendar year. n / 2^16 steps through the months at
// 2141 / 65536 ≈ 1 / 30.6 per day; 197913 puts day 0 at month 3, day 0.
constexpr bool MonthDayFromDayOfMarchYear(uint64_t day_of_year, int32_t& month, int32_t& day) {
  const uint64_t n = 2141 * day_of_year + 197913;                             // [197913, 979378]
  const bool next_year = day_of_year >= 306;                                  // 306 = days March … December
  month = static_cast<int32_t>(n >> 16) - (next_year ? 12 : 0);               // [1, 12]
  day = static_cast<int32_t>((n & 0xFFFF) / 2141) + 1;                        // [1, 31]
  return next_year;
}

constexpr YearMonthDay DayNumberToGregorian(int64_t jdn) {
  const uint64_t n = static_cast<uint64_t>(jdn - kGregorianMarchZero) +
                     kGregorianCycleShift * kGregorianCycleDays;              // [0, 2^40) for 32-bit jdn
  const uint64_t n1 = 4 * n + 3;
  const uint64_t centuries = n1 / kGregorianCycleDays;                        // centuries since the shifted origin
  const uint64_t n2 = (n1 % kGregorianCycleDays) | 3;                         // 4 × day of the century + 3
  // 2939745 / 2^32 ≈ 4 / 1461 / 4: the year of the century in the high half, 4 × its day in the low.
  const uint64_t p = 2939745 * n2;
  const uint64_t year_of_century = p >> 32;                                   // [0, 99]
  const uint64_t day_of_year = (p & 0xFFFFFFFF) / 2939745 / 4;                // [0, 365]
  YearMonthDay r{static_cast<int64_t>(100 * centuries + year_of_century) -
                     static_cast<int64_t>(kGregorianCycleShift * 400),
                 0, 0};
  if (MonthDayFromDayOfMarchYear(day_of_year, r.month, r.day)) ++r.year;
  return r;
}

// The year alone (what the ISO week-numbering year needs): the steps above without month and day.
constexpr int64_t GregorianYearOfDayNumber(int64_t jdn) {
  const uint64_t n1 = 4 * (static_cast<uint64_t>(jdn - kGregorianMarchZero) + kGregorianCycleShift * kGregorianCycleDays) + 3;
  const uint64_t centuries = n1 / kGregorianCycleDays;
  const uint64_t p = 2939745 * ((n1 % kGregorianCycleDays) | 3);
  const uint64_t day_of_year = (p & 0xFFFFFFFF) / 2939745 / 4;                // [0, 365]
  const bool january_or_february = day_of_year >= 306;
  return static_cast<int64_t>(100 * centuries + (p >> 32) + (january_or_february ? 1 : 0)) -
         static_cast<int64_t>(kGregorianCycleShift * 400);
}

constexpr YearMonthDay DayNumberToJulian(int64_t jdn) {
  const uint64_t n1 = 4 * (static_cast<uint64_t>(jdn - kJulianMarchZero) + kJulianCycleShift * kJulianCycleDays) +
                      3;                                                      // [3, 2^44)
  const uint64_t years = n1 / kJulianCycleDays;                               // since the shifted origin
  const uint64_t day_of_year = n1 % kJulianCycleDays / 4;                     // [0, 365]
  YearMonthDay r{static_cast<int64_t>(years) - static_cast<int64_t>(kJulianCycleShift * 4), 0, 0};
  if (MonthDayFromDayOfMarchYear(day_of_year, r.month, r.day)) ++r.year;
  return r;
}

// The March-based Gregorian year of a day number (the year that its 1 March begins) and the day
// within it, 0 … 365: the steps of DayNumberToGregorian before the months. A year that follows
// the Gregorian leap rule with its leap day among its first days (the Indian national calendar)
// is such a year moved by a whole number of days.
struct MarchYearDay {
  int64_t year;
  uint32_t day_of_year;  // [0, 365]; 365 only when year + 1 is a leap year
};
constexpr MarchYearDay GregorianMarchYearOfDayNumber(int64_t jdn) {
  const uint64_t n1 = 4 * (static_cast<uint64_t>(jdn - kGregorianMarchZero) + kGregorianCycleShift * kGregorianCycleDays) + 3;
  const uint64_t centuries = n1 / kGregorianCycleDays;
  const uint64_t p = 2939745 * ((n1 % kGregorianCycleDays) | 3);
  return {static_cast<int64_t>(100 * centuries + (p >> 32)) - static_cast<int64_t>(kGregorianCycleShift * 400),
          static_cast<uint32_t>((p & 0xFFFFFFFF) / 2939745 / 4)};                // [0, 365]
}

constexpr int64_t ToDayNumber(int32_t y, int32_t m, int32_t d, bool julian) {
  return julian ? JulianToDayNumber(y, m, d) : GregorianToDayNumber(y, m, d);
}
constexpr YearMonthDay FromDayNumber(int64_t jdn, bool julian) {
  return julian ? DayNumberToJulian(jdn) : DayNumberToGregorian(jdn);
}

constexpr int32_t MonthLength(int64_t y, int32_t m, bool julian) {
  constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2) return IsLeap(y, julian) ? 29 : 28;
  return kLengths[m - 1];
}
constexpr int32_t GregorianMonthLength(int64_t y, int32_t m) { return MonthLength(y, m, /*julian=*/false); }

// --- Fixed points, checked when this header is compiled ----------------------------------------

static_assert(JulianToDayNumber(-4712, 1, 1) == 0, "day 0 is 1 January -4712 JC");
static_assert(GregorianToDayNumber(0, 3, 1) == kGregorianMarchZero);
static_assert(JulianToDayNumber(0, 3, 1) == kJulianMarchZero);
static_assert(GregorianToDayNumber(1, 1, 1) == 1'721'426, "1 January 1 CE");
static_assert(GregorianToDayNumber(2000, 1, 1) == 2'451'545, "1 January 2000 CE, the J2000 epoch");
static_assert(GregorianToDayNumber(9999, 12, 31) == 5'373'484, "last ordinal date");
static_assert(GregorianToDayNumber(1582, 10, 15) == JulianToDayNumber(1582, 10, 5) , "the Gregorian reform");
// Both ends of the 32-bit years, where the one-multiplication centuries are nearest their limit:
// 400 years later is always 146,097 days later.
static_assert(GregorianToDayNumber(2'147'483'647, 12, 31) - GregorianToDayNumber(2'147'483'247, 12, 31) == 146'097);
static_assert(GregorianToDayNumber(-2'147'483'248, 1, 1) - GregorianToDayNumber(-2'147'483'648, 1, 1) == 146'097);
static_assert(JulianToDayNumber(2'147'483'647, 12, 31) - JulianToDayNumber(2'147'483'643, 12, 31) == 1'461);
static_assert(JulianToDayNumber(-2'147'483'644, 1, 1) - JulianToDayNumber(-2'147'483'648, 1, 1) == 1'461);
static_assert([] {
  for (int32_t m = 1; m <= 12; ++m) {  // the month table is the formula it replaces
    const uint32_t march_based = static_cast<uint32_t>(m) + 12 * BeforeMarch(m);
    if (DaysFromMarchFirst(m) != (979 * march_based - 2919) / 32) return false;
  }
  return true;
}());
static_assert(DayNumberToGregorian(2'451'545) == YearMonthDay{2000, 1, 1});
static_assert(DayNumberToJulian(0) == YearMonthDay{-4712, 1, 1});
static_assert(DayNumberToGregorian(GregorianToDayNumber(-5'800'000, 2, 29)) == YearMonthDay{-5'800'000, 2, 29});
static_assert(GregorianYearOfDayNumber(2'451'544) == 1999 && GregorianYearOfDayNumber(2'451'545) == 2000);
static_assert(GregorianYearOfDayNumber(GregorianToDayNumber(-5'800'000, 2, 29)) == -5'800'000);
static_assert(GregorianMarchYearOfDayNumber(GregorianToDayNumber(2024, 2, 29)).year == 2023 &&
              GregorianMarchYearOfDayNumber(GregorianToDayNumber(2024, 2, 29)).day_of_year == 365);
static_assert(GregorianMarchYearOfDayNumber(GregorianToDayNumber(-5'800'000, 3, 1)).year == -5'800'000 &&
              GregorianMarchYearOfDayNumber(GregorianToDayNumber(-5'800'000, 3, 1)).day_of_year == 0);
static_assert(DayOfWeek(2'451'545) == 6, "1 January 2000 was a Saturday");
static_assert(YearEndWeekday(1999) == 5 && YearEndWeekday(2020) == 4, "Friday 31 December 1999, Thursday 2020");
static_assert(DayOfWeek(-2'147'483'648) == FloorMod(-2'147'483'648 + 1, 7) && DayOfWeek(0) == 1);
static_assert(IsoWeekday(2'451'545) == 6 && !IsWorkingDay(2'451'545) && IsWorkingDay(2'451'545 + 2));
static_assert(IsGregorianLeap(2000) && !IsGregorianLeap(1900) && IsJulianLeap(1900) && IsGregorianLeap(-4));

}  // namespace qv::civil
