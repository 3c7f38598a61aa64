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

// Days before the first of month m counted from 1 March (m in 1 … 12, March = 0).
constexpr int64_t DaysBeforeMonthFromMarch(int32_t m) {
  const int64_t mp = m > 2 ? m - 3 : m + 9;  // March = 0 … February = 11
  return (153 * mp + 2) / 5;
}

constexpr int64_t GregorianToDayNumber(int64_t y, int32_t m, int32_t d) {
  const int64_t yy = m <= 2 ? y - 1 : y;  // year that starts in March
  const int64_t era = FloorDiv(yy, 400);
  const int64_t yoe = yy - era * 400;                                          // 0 … 399
  const int64_t doe = 365 * yoe + yoe / 4 - yoe / 100 + DaysBeforeMonthFromMarch(m) + d - 1;  // 0 … 146096
  return kGregorianMarchZero + era * 146097 + doe;
}

constexpr int64_t JulianToDayNumber(int64_t y, int32_t m, int32_t d) {
  const int64_t yy = m <= 2 ? y - 1 : y;
  const int64_t era = FloorDiv(yy, 4);
  const int64_t yoe = yy - era * 4;  // 0 … 3
  const int64_t doe = 365 * yoe + DaysBeforeMonthFromMarch(m) + d - 1;
  return kJulianMarchZero + era * 1461 + doe;
}

// Shared tail: day of a March-based year (0 … 365) to month and day.
constexpr void MonthDayFromDayOfMarchYear(int64_t doy, int32_t& month, int32_t& day) {
  const int64_t mp = (5 * doy + 2) / 153;  // March = 0 … February = 11
  day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
}

constexpr YearMonthDay DayNumberToGregorian(int64_t jdn) {
  const int64_t z = jdn - kGregorianMarchZero;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;                                  // 0 … 146096
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // 0 … 399
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);           // 0 … 365
  YearMonthDay r{era * 400 + yoe, 0, 0};
  MonthDayFromDayOfMarchYear(doy, r.month, r.day);
  if (r.month <= 2) ++r.year;
  return r;
}

constexpr YearMonthDay DayNumberToJulian(int64_t jdn) {
  const int64_t z = jdn - kJulianMarchZero;
  const int64_t era = FloorDiv(z, 1461);
  const int64_t doe = z - era * 1461;              // 0 … 1460
  const int64_t yoe = (doe - doe / 1460) / 365;    // 0 … 3
  const int64_t doy = doe - 365 * yoe;             // 0 … 365
  YearMonthDay r{era * 4 + yoe, 0, 0};
  MonthDayFromDayOfMarchYear(doy, r.month, r.day);
  if (r.month <= 2) ++r.year;
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
