#pragma once
// A date of one of the added calendars (Hebrew, Islamic, Persian, French Republican, Coptic,
// Ethiopian, Indian national), and the months-mode count that the calendars with the same number
// of months in every year share.
#include <cstdint>
#include <limits>

#include "calendar/civil.h"

namespace qv {

// A date of one of the added calendars: its year as the calendar numbers it (may be 0 or negative,
// proleptic), the month in the year's own order (1-based), the day of the month (1-based).
struct CalendarDate {
  int32_t year = 0;
  int16_t month = 0;
  int16_t day = 0;
  friend constexpr bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// Months counted from the first month of year 1 (index 0), for a calendar of `months_per_year`
// months every year (12 or 13). Any 32-bit year and 16-bit month: the result stays within ±2^36.
constexpr int64_t FixedMonthIndex(int32_t year, int16_t month, int64_t months_per_year) {
  return months_per_year * (int64_t{year} - 1) + (int64_t{month} - 1);
}

// The year and month of a month index, day 1. An index beyond the months of the 32-bit years
// gives the first or last of them.
constexpr CalendarDate FixedMonthFromIndex(int64_t index, int64_t months_per_year) {
  const int64_t first = months_per_year * (int64_t{std::numeric_limits<int32_t>::min()} - 1);
  const int64_t last = months_per_year * int64_t{std::numeric_limits<int32_t>::max()} - 1;
  const int64_t i = index < first ? first : (index > last ? last : index);
  return {static_cast<int32_t>(civil::FloorDiv(i, months_per_year) + 1),
          static_cast<int16_t>(civil::FloorMod(i, months_per_year) + 1), 1};
}

static_assert(FixedMonthFromIndex(FixedMonthIndex(-7, 13, 13), 13) == CalendarDate{-7, 13, 1});
static_assert(FixedMonthFromIndex(FixedMonthIndex(std::numeric_limits<int32_t>::min(), 1, 12), 12) ==
              CalendarDate{std::numeric_limits<int32_t>::min(), 1, 1});
static_assert(FixedMonthFromIndex(std::numeric_limits<int64_t>::max(), 12) ==
              CalendarDate{std::numeric_limits<int32_t>::max(), 12, 1});

}  // namespace qv
