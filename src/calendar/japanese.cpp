#include "calendar/japanese.h"

#include <array>

#include "calendar/civil.h"

namespace qv {
namespace {

struct Era {
  int32_t first_day;   // day number of its first day
  int32_t first_year;  // the Gregorian year of its year 1
};

// Meiji's year 1 is 1868; the calendar counts its days from Meiji 6 (1873) only.
constexpr std::array<Era, kJapaneseEraCount> kEras{{
    {kJapaneseFirstDay, 1868},
    {static_cast<int32_t>(civil::GregorianToDayNumber(1912, 7, 30)), 1912},
    {static_cast<int32_t>(civil::GregorianToDayNumber(1926, 12, 25)), 1926},
    {static_cast<int32_t>(civil::GregorianToDayNumber(1989, 1, 8)), 1989},
    {static_cast<int32_t>(civil::GregorianToDayNumber(2019, 5, 1)), 2019},
}};

static_assert(civil::GregorianToDayNumber(1873, 1, 1) == kJapaneseFirstDay);
static_assert([] {
  for (std::size_t i = 1; i < kEras.size(); ++i) {  // in order, each beginning in its year 1
    if (kEras[i].first_day <= kEras[i - 1].first_day) return false;
    if (civil::DayNumberToGregorian(kEras[i].first_day).year != kEras[i].first_year) return false;
  }
  return true;
}());

constexpr std::size_t IndexOf(JapaneseEra era) { return static_cast<std::size_t>(static_cast<int16_t>(era) - 1); }
constexpr bool IsKnownEra(JapaneseEra era) {
  return static_cast<int16_t>(era) >= 1 && static_cast<int16_t>(era) <= kJapaneseEraCount;
}

}  // namespace

int32_t JapaneseEraFirstDay(JapaneseEra era) { return IsKnownEra(era) ? kEras[IndexOf(era)].first_day : kJapaneseFirstDay; }

int32_t JapaneseEraFirstYear(JapaneseEra era) { return IsKnownEra(era) ? kEras[IndexOf(era)].first_year : 1868; }

JapaneseDate JapaneseFromDayNumber(int32_t day_number) {
  // The last era that began on or before the day: four comparisons at most.
  std::size_t era = 0;
  for (std::size_t i = 1; i < kEras.size(); ++i) era += day_number >= kEras[i].first_day ? 1u : 0u;
  const civil::YearMonthDay date = civil::DayNumberToGregorian(day_number);
  return {static_cast<JapaneseEra>(static_cast<int16_t>(era + 1)), static_cast<int32_t>(date.year - kEras[era].first_year + 1),
          static_cast<int16_t>(date.month), static_cast<int16_t>(date.day)};
}

int64_t JapaneseToDayNumber(const JapaneseDate& date) {
  // The Gregorian year, saturated to 32 bits: such a year lies far outside every era anyway.
  const int32_t year = civil::ClampToInt32(int64_t{date.year} + JapaneseEraFirstYear(date.era) - 1);
  return civil::GregorianToDayNumber(year, date.month, date.day);
}

bool IsJapaneseDate(const JapaneseDate& date) {
  if (!IsKnownEra(date.era) || date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) return false;
  const int64_t year = int64_t{date.year} + JapaneseEraFirstYear(date.era) - 1;
  if (year > 5'800'000 || date.day > civil::GregorianMonthLength(year, date.month)) return false;
  const int64_t day_number = JapaneseToDayNumber(date);
  const std::size_t i = IndexOf(date.era);
  const bool before_next = i + 1 == kEras.size() || day_number < kEras[i + 1].first_day;
  return day_number >= kEras[i].first_day && before_next;
}

}  // namespace qv
