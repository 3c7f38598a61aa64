#pragma once
// Gregorian Easter Sunday, and how often a given Easter date comes in a range of years.
//
// Easter dates repeat only after 5,700,000 years (the least common multiple of the cycles of
// the computus: 19 golden numbers, the 400-year solar and the 2,500-year lunar corrections, the
// 30 epacts and the 7 weekdays), so a count of the years whose Easter falls on one date cannot
// use the 400-year cycle of the calendar. EasterYearIndex answers it in constant time from
// tables of that one cycle, built on first use.
#include <bitset>
#include <cstddef>
#include <cstdint>

#include "calendar/civil.h"

namespace qv::holidays {

inline constexpr int64_t kEasterCycleYears = 5'700'000;

// The Gregorian computus in two steps, so that a pass over many years works out the terms of a
// century once: the terms fixed by the century (the solar and lunar corrections), then a year's
// Easter date from them, its golden number - 1 and its place in the century.
struct EasterCentury {
  int64_t epact_term;    // century - solar - lunar + 15
  int64_t weekday_term;  // 32 + 2 * (century % 4)
};
constexpr EasterCentury EasterCenturyTerms(int64_t century) {  // century >= 0
  const int64_t solar = century / 4;                             // leap days the Gregorian rule drops … adds
  const int64_t lunar = (century - (century + 8) / 25 + 1) / 3;  // the Moon's correction
  return {century - solar - lunar + 15, 32 + 2 * (century % 4)};
}
// Days from 21 March to Easter Sunday: 1 (22 March) … 35 (25 April).
constexpr int32_t EasterDaysInCentury(const EasterCentury& terms, int64_t golden, int64_t of_century) {
  const int64_t epact = (19 * golden + terms.epact_term) % 30;  // days to the full moon, [0, 29]
  const int64_t weekday = (terms.weekday_term + 2 * (of_century / 4) - epact - of_century % 4) % 7;
  const int64_t shift = (golden + 11 * epact + 22 * weekday) / 451;  // the two exceptions (epact 28, 29)
  return static_cast<int32_t>(epact + weekday - 7 * shift + 1);      // 22 March = epact + weekday 0
}

// Days from 21 March to Easter Sunday of `year` in the Gregorian computus: 1 (22 March) … 35
// (25 April). The computus on the year's place in the Easter cycle, which makes it hold for every
// astronomical year (the formula's floor divisions repeat exactly after the cycle).
constexpr int32_t EasterDaysAfterMarch21(int64_t year) {
  const int64_t y = civil::FloorMod(year, kEasterCycleYears);  // [0, 5,699,999]
  return EasterDaysInCentury(EasterCenturyTerms(y / 100), y % 19, y % 100);
}

// Day number of Easter Sunday; `year` within the 32-bit years.
constexpr int64_t EasterSunday(int32_t year) {
  return civil::GregorianToDayNumber(year, 3, 21) + EasterDaysAfterMarch21(year);
}

// A year's place in the two cycles that fix its holidays: its Easter date and whether it is a leap
// year. Together they fix every weekday of the year (Easter Sunday fixes March to December, the leap
// day January and February before it), so all holidays of a year follow from these 70 classes.
inline constexpr int kYearClasses = 70;
constexpr int YearClass(int64_t year) {
  return (EasterDaysAfterMarch21(year) - 1) * 2 + (civil::IsGregorianLeap(year) ? 1 : 0);
}

// What the Easter tables count: a class (0 … 69), or an Easter date whatever the leap flag
// (kYearClasses + days after 21 March - 1: both classes of the date, counted in one look, for a
// holiday that depends on the Easter date alone, as Ascension Day on 1 May does).
inline constexpr int kEasterKeys = kYearClasses + kYearClasses / 2;
constexpr int EasterDateKey(int year_class) { return kYearClasses + year_class / 2; }
using YearClassSet = std::bitset<kEasterKeys>;

// The number of years of a class in a range, in constant time: per class, the sorted years of one
// Easter cycle (about 81,000 a class, 4 bytes each) with a bucket index, built on first use for the
// classes asked for (one pass over the cycle, some tens of milliseconds) and shared by every caller
// for the rest of the run. Safe to call from several threads. The same for an Easter date's key.
class EasterYearIndex {
 public:
  // Builds the tables of every class (or date key) in `classes` not built yet.
  static void Prepare(const YearClassSet& classes);
  // Years y with 0 <= y < `year` (0 <= `year` <= 2^40) of class `year_class`. Prepare must have
  // been called for the class.
  static int64_t CountBefore(int year_class, int64_t year);
  // The same before the first year of the 1,024-year stretch of the cycle that holds `year`: off
  // by the few years of the class in that stretch, for a first guess, and without a search.
  static int64_t CountBeforeStretch(int year_class, int64_t year);
  // Bytes of the tables built so far: the benchmarks' measure of what the index costs.
  static size_t BytesBuilt();
};

// A year of each class, the first from 2000 on: what a class's holidays are computed on.
int32_t RepresentativeYear(int year_class);

// The class's weekday of 1 January, 0 = Monday … 6 = Sunday, and its leap flag: the 14 kinds of
// year of the 400-year cycle.
int YearKindOfClass(int year_class);
constexpr int kYearKinds = 14;
int YearKind(int64_t year);

}  // namespace qv::holidays
