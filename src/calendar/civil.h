#pragma once
// Constant-time conversions between proleptic Gregorian / Julian dates and chronological
// Julian day numbers, on 64-bit values so that every 32-bit year and every 32-bit day number
// is handled without overflow. Years are astronomical (year 0 exists).
#include <cstdint>

namespace qv::civil {

struct YearMonthDay {
  int64_t year;
  int32_t month;  // 1 … 12
  int32_t day;    // 1 … 31
};

// Floor division and non-negative remainder for a positive divisor.
constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// Day number of 1 March of year 0 in each calendar (March-based years put the leap day last).
inline constexpr int64_t kGregorianMarchZero = 1721120;  // 0000-03-01 CE
inline constexpr int64_t kJulianMarchZero = 1721118;     // 0000-03-01 JC

constexpr bool IsGregorianLeap(int64_t y) { return FloorMod(y, 4) == 0 && (FloorMod(y, 100) != 0 || FloorMod(y, 400) == 0); }
constexpr bool IsJulianLeap(int64_t y) { return FloorMod(y, 4) == 0; }

// Every year and day number the system meets lies within ±2^31. Shifting them by whole
// calendar cycles makes them non-negative, so that all further arithmetic is unsigned
// multiplication and division by constants: no sign corrections, no branches. The steps are
// those of Neri and Schneider's Euclidean affine functions over years that begin in March.
inline constexpr uint64_t kGregorianCycleShift = 5'368'710;  // 400-year cycles: 2,147,484,000 years
inline constexpr uint64_t kJulianCycleShift = 536'870'912;   // 4-year cycles: 2^31 years

// Days from 1 March to the first of month m, counted as 3 … 14 (January and February as
// months 13 and 14 of the year before).
constexpr uint64_t DaysBeforeMarchBasedMonth(int64_t m) { return (979 * static_cast<uint64_t>(m) - 2919) / 32; }

constexpr int64_t GregorianToDayNumber(int64_t y, int32_t m, int32_t d) {
  const bool january_or_february = m <= 2;
  // Years of text dates (within ±5,800,000) and valid months take 32-bit steps; any other
  // year or month the same steps in 64 bits.
  constexpr int64_t kNearCycles = 15'000;  // 6,000,000 years
  if (static_cast<uint64_t>(y + 400 * kNearCycles) < 800 * kNearCycles) {
    const auto years = static_cast<uint32_t>(y + 400 * kNearCycles - (january_or_february ? 1 : 0));
    const uint32_t centuries = years / 100;
    const uint64_t days_before_year = uint64_t{1461} * years / 4 - centuries + centuries / 4;  // from 1 March of year 0
    // Modular 32-bit month and day steps: exact for every month and day a date can have.
    const uint32_t month = static_cast<uint32_t>(m) + (january_or_february ? 12u : 0u);
    const uint32_t in_year = (979 * month - 2919) / 32 + static_cast<uint32_t>(d) - 1;
    return static_cast<int64_t>(days_before_year + in_year) - kNearCycles * 146097 + kGregorianMarchZero;
  }
  const uint64_t in_year = DaysBeforeMarchBasedMonth(january_or_february ? int64_t{m} + 12 : m) +
                           static_cast<uint64_t>(int64_t{d} - 1);
  const uint64_t years = static_cast<uint64_t>(y) + 400 * kGregorianCycleShift - (january_or_february ? 1 : 0);
  const uint64_t centuries = years / 100;
  const uint64_t days_before_year = 1461 * years / 4 - centuries + centuries / 4;
  return static_cast<int64_t>(days_before_year + in_year - kGregorianCycleShift * 146097) + kGregorianMarchZero;
}

constexpr int64_t JulianToDayNumber(int64_t y, int32_t m, int32_t d) {
  const bool january_or_february = m <= 2;
  const uint64_t years = static_cast<uint64_t>(y) + 4 * kJulianCycleShift - (january_or_february ? 1 : 0);
  const uint64_t in_year = DaysBeforeMarchBasedMonth(january_or_february ? int64_t{m} + 12 : m) +
                           static_cast<uint64_t>(int64_t{d} - 1);
  return static_cast<int64_t>(1461 * years / 4 + in_year - kJulianCycleShift * 1461) + kJulianMarchZero;
}

// Shared tail: day of a March-based year (0 … 365) to month and day; true for January and
// February, which belong to the next calendar year.
constexpr bool MonthDayFromDayOfMarchYear(uint64_t day_of_year, int32_t& month, int32_t& day) {
  const uint64_t n = 2141 * day_of_year + 197913;
  const bool next_year = day_of_year >= 306;
  month = static_cast<int32_t>(n >> 16) - (next_year ? 12 : 0);
  day = static_cast<int32_t>((n & 0xFFFF) / 2141) + 1;
  return next_year;
}

constexpr YearMonthDay DayNumberToGregorian(int64_t jdn) {
  const uint64_t n = static_cast<uint64_t>(jdn - kGregorianMarchZero) + kGregorianCycleShift * 146097;
  const uint64_t n1 = 4 * n + 3;
  const uint64_t centuries = n1 / 146097;
  const uint64_t n2 = (n1 % 146097) | 3;  // 4 × day of the century + 3
  const uint64_t p = 2939745 * n2;
  const uint64_t year_of_century = p >> 32;
  const uint64_t day_of_year = (p & 0xFFFFFFFF) / 2939745 / 4;
  YearMonthDay r{static_cast<int64_t>(100 * centuries + year_of_century - kGregorianCycleShift * 400), 0, 0};
  if (MonthDayFromDayOfMarchYear(day_of_year, r.month, r.day)) ++r.year;
  return r;
}

constexpr YearMonthDay DayNumberToJulian(int64_t jdn) {
  const uint64_t n1 = 4 * (static_cast<uint64_t>(jdn - kJulianMarchZero) + kJulianCycleShift * 1461) + 3;
  const uint64_t years = n1 / 1461;
  const uint64_t day_of_year = n1 % 1461 / 4;
  YearMonthDay r{static_cast<int64_t>(years - kJulianCycleShift * 4), 0, 0};
  if (MonthDayFromDayOfMarchYear(day_of_year, r.month, r.day)) ++r.year;
  return r;
}

constexpr int64_t ToDayNumber(int64_t y, int32_t m, int32_t d, bool julian) {
  return julian ? JulianToDayNumber(y, m, d) : GregorianToDayNumber(y, m, d);
}
constexpr YearMonthDay FromDayNumber(int64_t jdn, bool julian) {
  return julian ? DayNumberToJulian(jdn) : DayNumberToGregorian(jdn);
}

constexpr int32_t MonthLength(int64_t y, int32_t m, bool julian) {
  constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2) return (julian ? IsJulianLeap(y) : IsGregorianLeap(y)) ? 29 : 28;
  return kLengths[m - 1];
}

}  // namespace qv::civil
