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

// Divisibility by a power of two is a test of the low bits of a two's-complement value, for
// negative years too; whether y % 100 is 0 does not depend on the sign of the remainder. A
// century year is a leap year when divisible by 400, that is (100 = 4 × 25, 400 = 16 × 25) by
// 16: one division by a constant, no floor corrections.
constexpr bool IsGregorianLeap(int64_t y) { return (y % 100 != 0 ? (y & 3) : (y & 15)) == 0; }
constexpr bool IsJulianLeap(int64_t y) { return (y & 3) == 0; }
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

// The month of a date as an index into the tables below: its low byte, which the processor
// reads straight from memory. Months 1 … 12 read their own entries; any other value reads
// one of the 256 (a month that does not exist: no days, no year step), which is defined, if
// meaningless.
constexpr uint32_t MonthIndex(int32_t m) { return static_cast<uint8_t>(m); }

// Days from 1 March to the first of month m in a year that begins in March, so that January
// and February, with the leap day, come last: 30.6 days a month on average. A table read costs
// less than computing (979m − 2919) / 32 for m = 3 … 14, which gives the same values.
inline constexpr uint16_t kDaysFromMarchFirst[13] = {0, 306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};

// 1 for January and February, which count as months 13 and 14 of the year before, else 0.
constexpr uint32_t BeforeMarch(int32_t m) { return static_cast<uint32_t>(MonthIndex(m) - 1u < 2u); }

// What the month adds to a date's day number, in one entry: the shifted March-based year is
// the date's year plus `year_base` (the cycle shift, one year less for January and February),
// and the month's first lies `days_from_march` days after that year's 1 March. One table read
// and one addition instead of a comparison, a flag and two additions: the month of a date is
// unpredictable, and a branch on it would be mispredicted about once in six dates. Eight bytes
// an entry, so that the index scales in the address itself.
struct MonthStart {
  uint32_t year_base;        // fits 32 bits: 2,147,484,000 < 2^32
  uint32_t days_from_march;  // [0, 337]
};
template <uint64_t kYearShift>
inline constexpr auto kMonthStarts = [] {
  struct Table {
    MonthStart of[256];
  } table{};
  for (uint32_t m = 0; m < 256; ++m) {
    const bool month = m >= 1 && m <= 12;
    table.of[m] = {static_cast<uint32_t>(kYearShift - (month ? BeforeMarch(static_cast<int32_t>(m)) : 0)),
                   month ? kDaysFromMarchFirst[m] : 0u};
  }
  return table;
}();

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

// Years are 32-bit (wider years have no 32-bit day numbers; the callers check them first). The
// day is added in 64 bits, so day 0 is the last day before the month, and any 32-bit day
// counts on from the month's first.
//
// The sums run in unsigned 64-bit arithmetic on the day number moved up by 2^31 ("biased"):
// every true value lies within ±2^42, so the biased value is exact modulo 2^64, and the day
// number fits 32 bits exactly when the biased value is below 2^32. Saturating to the 32-bit
// day numbers is then one comparison, and the bias folds into the constant the sum adds anyway.
inline constexpr uint64_t kInt32Bias = uint64_t{1} << 31;

constexpr uint64_t GregorianBiasedDayNumber(int32_t y, int32_t m, int32_t d) {
  constexpr uint64_t kOrigin = kInt32Bias + (kGregorianMarchZero - 1) - kGregorianCycleShift * kGregorianCycleDays;
  const MonthStart& month = kMonthStarts<400 * kGregorianCycleShift>.of[MonthIndex(m)];
  const uint64_t years = static_cast<uint64_t>(int64_t{y} + month.year_base);  // [0, 2^32 + 352)
  return GregorianDaysBeforeYear(years) + month.days_from_march + kOrigin + static_cast<uint64_t>(int64_t{d});
}

constexpr uint64_t JulianBiasedDayNumber(int32_t y, int32_t m, int32_t d) {
  constexpr uint64_t kOrigin = kInt32Bias + (kJulianMarchZero - 1) - kJulianCycleShift * kJulianCycleDays;
  const MonthStart& month = kMonthStarts<4 * kJulianCycleShift>.of[MonthIndex(m)];
  const uint64_t years = static_cast<uint64_t>(int64_t{y} + month.year_base);  // [3, 2^32 + 4)
  return kJulianCycleDays * years / 4 + month.days_from_march + kOrigin + static_cast<uint64_t>(int64_t{d});
}

// The day number of a biased value (C++20 converts the wrapped difference to its signed value).
constexpr int64_t FromBiased(uint64_t biased) { return static_cast<int64_t>(biased - kInt32Bias); }
// The 32-bit day number, or the nearer end of the 32-bit range when the day lies beyond.
constexpr int32_t SaturatedFromBiased(uint64_t biased) {
  if (biased < (uint64_t{1} << 32)) [[likely]] return static_cast<int32_t>(static_cast<uint32_t>(biased) ^ 0x8000'0000u);
  return FromBiased(biased) < 0 ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
}

constexpr int64_t GregorianToDayNumber(int32_t y, int32_t m, int32_t d) { return FromBiased(GregorianBiasedDayNumber(y, m, d)); }
constexpr int64_t JulianToDayNumber(int32_t y, int32_t m, int32_t d) { return FromBiased(JulianBiasedDayNumber(y, m, d)); }

// Day of a March-based year (0 … 365) to the month and day of the calendar year, and whether
// the day lies in January or February, which belong to the next calendar year. Built from
// Neri and Schneider's affine steps: n / 2^16 steps through the months at 2141 / 65536 ≈
// 1 / 30.6 per day, and 197913 puts day 0 at month 3, day 0. Looked up instead of computed:
// the table (1.5 KiB) stays in the first-level cache, and three loads cost less than the eight
// arithmetic steps and the January test that they replace.
struct MonthDayOfMarchYear {
  uint8_t month;      // [1, 12]
  uint8_t day;        // [1, 31]
  uint8_t next_year;  // 1 for January and February, else 0
  uint8_t unused;
};
inline constexpr auto kMonthDayOfMarchYear = [] {
  struct Table {
    MonthDayOfMarchYear of[366];
  } table{};
  for (uint32_t day_of_year = 0; day_of_year < 366; ++day_of_year) {
    const uint32_t n = 2141 * day_of_year + 197913;                           // [197913, 979378]
    const uint32_t march_month = n >> 16;                                     // [3, 14]
    const uint32_t next_year = march_month > 12 ? 1 : 0;                      // 306 = days March … December
    table.of[day_of_year] = {static_cast<uint8_t>(march_month - 12 * next_year),
                             static_cast<uint8_t>((n & 0xFFFF) / 2141 + 1), static_cast<uint8_t>(next_year), 0};
  }
  return table;
}();

// The steps below hold for |jdn| < 2^39 (every 32-bit day number, and the few days beyond that
// the week and working-day walks reach); the shifted count n then lies in [0, 2^41).
//
// Gregorian: 4n + 3 over 146,097 gives the centuries, its remainder (made ≡ 3 mod 4) times
// 2,939,745 / 2^32 ≈ 4 / 1461 / 4 the year of the century in the high half and 4 × its day in
// the low half (Neri and Schneider, "Euclidean affine functions and their application to
// calendar algorithms", 2022, 32-bit form: the remainder is below 584,388).
struct GregorianYearAndDay {
  uint64_t years;        // March-based years since the shifted origin
  uint32_t day_of_year;  // [0, 365]
};
constexpr GregorianYearAndDay GregorianMarchYearOf(int64_t jdn) {
  const uint64_t n1 = 4 * (static_cast<uint64_t>(jdn - kGregorianMarchZero) + kGregorianCycleShift * kGregorianCycleDays) +
                      3;                                                      // [3, 2^43)
  const uint64_t centuries = n1 / kGregorianCycleDays;
  const uint32_t n2 = static_cast<uint32_t>(n1 - centuries * kGregorianCycleDays) | 3;  // [3, 584387]
  const uint64_t p = uint64_t{2939745} * n2;
  // Any 32-bit low half over 4 × 2,939,745 is at most 365: the table index is always in range.
  return {100 * centuries + (p >> 32), static_cast<uint32_t>(p) / (4 * 2939745)};
}

constexpr YearMonthDay DayNumberToGregorian(int64_t jdn) {
  const GregorianYearAndDay march_year = GregorianMarchYearOf(jdn);
  const MonthDayOfMarchYear& md = kMonthDayOfMarchYear.of[march_year.day_of_year];
  return {static_cast<int64_t>(march_year.years + md.next_year) - static_cast<int64_t>(kGregorianCycleShift * 400),
          md.month, md.day};
}

// The year alone (what the ISO week-numbering year needs): the steps above without month and day.
constexpr int64_t GregorianYearOfDayNumber(int64_t jdn) {
  const GregorianYearAndDay march_year = GregorianMarchYearOf(jdn);
  return static_cast<int64_t>(march_year.years + kMonthDayOfMarchYear.of[march_year.day_of_year].next_year) -
         static_cast<int64_t>(kGregorianCycleShift * 400);
}

// Julian: 4n + 3 over 1461 gives the years, the remainder over 4 the day of the year.
constexpr YearMonthDay DayNumberToJulian(int64_t jdn) {
  const uint64_t n1 = 4 * (static_cast<uint64_t>(jdn - kJulianMarchZero) + kJulianCycleShift * kJulianCycleDays) +
                      3;                                                      // [3, 2^44)
  const uint64_t years = n1 / kJulianCycleDays;                               // since the shifted origin
  const uint32_t day_of_year = static_cast<uint32_t>(n1 - years * kJulianCycleDays) / 4;  // [0, 365]
  const MonthDayOfMarchYear& md = kMonthDayOfMarchYear.of[day_of_year];
  return {static_cast<int64_t>(years + md.next_year) - static_cast<int64_t>(kJulianCycleShift * 4), md.month, md.day};
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
// As ToDayNumber, saturated to the 32-bit day numbers.
constexpr int32_t ToDayNumber32(int32_t y, int32_t m, int32_t d, bool julian) {
  // Most records are Common Era ones: that path runs straight through.
  if (julian) [[unlikely]] return SaturatedFromBiased(JulianBiasedDayNumber(y, m, d));
  return SaturatedFromBiased(GregorianBiasedDayNumber(y, m, d));
}
constexpr YearMonthDay FromDayNumber(int64_t jdn, bool julian) {
  if (julian) [[unlikely]] return DayNumberToJulian(jdn);
  return DayNumberToGregorian(jdn);
}

// The days of the months of a common year. At namespace scope, not in MonthLength: a table local
// to the function was copied onto the stack at every call, and the call was not inlined.
inline constexpr int32_t kCommonMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// For m = 1 … 12 (the callers check the month first).
constexpr int32_t MonthLength(int64_t y, int32_t m, bool julian) {
  if (m == 2) return IsLeap(y, julian) ? 29 : 28;
  return kCommonMonthLengths[m - 1];
}
constexpr int32_t GregorianMonthLength(int64_t y, int32_t m) { return MonthLength(y, m, /*julian=*/false); }

// --- Fixed points, checked when this header is compiled ----------------------------------------

static_assert(JulianToDayNumber(-4712, 1, 1) == 0, "day 0 is 1 January -4712 JC");
static_assert(GregorianToDayNumber(0, 3, 1) == kGregorianMarchZero);
static_assert(JulianToDayNumber(0, 3, 1) == kJulianMarchZero);
static_assert(GregorianToDayNumber(1, 1, 1) == 1'721'426, "1 January 1 CE");
static_assert(GregorianToDayNumber(2000, 1, 1) == 2'451'545, "1 January 2000 CE, the J2000 epoch");
static_assert(ToDayNumber32(6'000'000, 1, 1, false) == std::numeric_limits<int32_t>::max(), "saturated above");
static_assert(ToDayNumber32(-6'000'000, 1, 1, true) == std::numeric_limits<int32_t>::min(), "saturated below");
static_assert(ToDayNumber32(2000, 1, 1, false) == 2'451'545 && ToDayNumber32(-4712, 1, 1, true) == 0);
static_assert(ToDayNumber32(2000, 1, 1 - 2'451'545, false) == 0 && ToDayNumber32(0, 1, -2'000'000'000, false) < 0);
static_assert(GregorianToDayNumber(9999, 12, 31) == 5'373'484, "last ordinal date");
// Every 32-bit day number has a year of a few million: the record's 32-bit year holds it.
static_assert(FitsInt32(FromDayNumber(std::numeric_limits<int32_t>::min(), true).year) &&
              FitsInt32(FromDayNumber(std::numeric_limits<int32_t>::max(), true).year) &&
              FitsInt32(FromDayNumber(std::numeric_limits<int32_t>::min(), false).year) &&
              FitsInt32(FromDayNumber(std::numeric_limits<int32_t>::max(), false).year));
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
    if (kDaysFromMarchFirst[m] != (979 * march_based - 2919) / 32) return false;
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
static_assert(IsGregorianLeap(-400) && !IsGregorianLeap(-100) && !IsGregorianLeap(-1) && !IsJulianLeap(-3) &&
              IsGregorianLeap(-2'147'483'600) && !IsGregorianLeap(2'147'483'500));

}  // namespace qv::civil
