#include "calendar/minguo_thai.h"

#include <limits>

#include "calendar/civil.h"
#include "calendar/gregorian_months.h"

namespace qv {
namespace {

// The Common Era year of a year counted from another epoch, saturated to 32 bits: a year that far
// out lies beyond every day number, and the callers' range checks refuse it first.
constexpr int32_t CeYear(int64_t year) { return civil::ClampToInt32(year); }

// Whether B.E. year `year` began on 1 April (all years before 2484).
constexpr bool BeginsInApril(int64_t year) { return year < kThaiFirstJanuaryYear; }

// The Common Era year and month of place `place` of B.E. year `year`, for places 1 … 12.
struct CeMonth {
  int64_t year;
  int16_t month;
};
constexpr CeMonth CeMonthOfPlace(int64_t year, int16_t place) {
  if (!BeginsInApril(year)) return {year - kBuddhistEraOffset, place};
  // April … December in places 1 … 9 of the year's first CE year, January … March after them.
  if (place <= 9) return {year - kBuddhistEraOffset, static_cast<int16_t>(place + 3)};
  return {year - kBuddhistEraOffset + 1, static_cast<int16_t>(place - 9)};
}

// The B.E. year and place of a CE year and month.
constexpr CalendarDate ThaiOfCeMonth(int64_t ce_year, int16_t month, int16_t day) {
  const int64_t year = ce_year + kBuddhistEraOffset;
  if (!BeginsInApril(year)) return {static_cast<int32_t>(year), month, day};
  if (month >= 4) return {static_cast<int32_t>(year), static_cast<int16_t>(month - 3), day};
  // January … March: the last places of the year that began the April before; in 1941 that year
  // would be B.E. 2483, which ended in December, so January 1941 stays in B.E. 2484 (above).
  return {static_cast<int32_t>(year - 1), static_cast<int16_t>(month + 9), day};
}

static_assert(civil::GregorianToDayNumber(1912, 1, 1) == kMinguoFirstDay);
static_assert(civil::GregorianToDayNumber(1889, 4, 1) == kThaiFirstDay);
static_assert(ThaiOfCeMonth(1940, 12, 31) == CalendarDate{2483, 9, 31} && ThaiOfCeMonth(1941, 1, 1) == CalendarDate{2484, 1, 1});
static_assert(ThaiOfCeMonth(1940, 3, 31) == CalendarDate{2482, 12, 31} && ThaiOfCeMonth(1889, 4, 1) == CalendarDate{2432, 1, 1});
static_assert([] {
  for (int64_t year = 2430; year <= 2490; ++year) {  // place to CE month and back
    for (int16_t place = 1; place <= 12; ++place) {
      if (year == kThaiShortYear && place > 9) continue;
      const CeMonth m = CeMonthOfPlace(year, place);
      if (ThaiOfCeMonth(m.year, m.month, 1) != CalendarDate{static_cast<int32_t>(year), place, 1}) return false;
    }
  }
  return true;
}());

}  // namespace

CalendarDate MinguoFromDayNumber(int32_t day_number) {
  CalendarDate date = GregorianMonthsFromDayNumber(day_number);
  date.year -= kMinguoYearZero;  // a year of a few million: no overflow
  return date;
}

int64_t MinguoToDayNumber(const CalendarDate& date) {
  return civil::GregorianToDayNumber(CeYear(int64_t{date.year} + kMinguoYearZero), date.month, date.day);
}

int16_t MinguoMonthsInYear(int32_t) { return 12; }

int16_t MinguoDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 12) return 0;
  return static_cast<int16_t>(civil::GregorianMonthLength(int64_t{year} + kMinguoYearZero, month));
}

int64_t MinguoMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 12); }

CalendarDate MinguoMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 12); }

CalendarDate ThaiFromDayNumber(int32_t day_number) {
  const civil::YearMonthDay date = civil::DayNumberToGregorian(day_number);  // a year of a few million
  return ThaiOfCeMonth(date.year, static_cast<int16_t>(date.month), static_cast<int16_t>(date.day));
}

int64_t ThaiToDayNumber(const CalendarDate& date) {
  const CeMonth month = CeMonthOfPlace(date.year, date.month);
  return civil::GregorianToDayNumber(CeYear(month.year), month.month, date.day);
}

int16_t ThaiMonthsInYear(int32_t year) { return year == kThaiShortYear ? 9 : 12; }

int16_t ThaiDaysInMonth(int32_t year, int16_t place) {
  if (place < 1 || place > ThaiMonthsInYear(year)) return 0;
  const CeMonth month = CeMonthOfPlace(year, place);
  return static_cast<int16_t>(civil::GregorianMonthLength(month.year, month.month));
}

int64_t ThaiMonthIndex(int32_t year, int16_t place) {
  const CeMonth month = CeMonthOfPlace(year, place);
  return GregorianMonthsMonthIndex(CeYear(month.year), month.month);
}

CalendarDate ThaiMonthFromIndex(int64_t index) {
  // The Gregorian month of the index, kept within the 32-bit years of the B.E. count.
  const int64_t lowest = GregorianMonthsMonthIndex(std::numeric_limits<int32_t>::min() + kBuddhistEraOffset, 1);
  const int64_t highest = GregorianMonthsMonthIndex(std::numeric_limits<int32_t>::max() - kBuddhistEraOffset, 12);
  const CalendarDate ce = GregorianMonthsMonthFromIndex(index < lowest ? lowest : index > highest ? highest : index);
  return ThaiOfCeMonth(ce.year, ce.month, 1);
}

int16_t ThaiMonthOfPlace(int32_t year, int16_t place) {
  if (place < 1 || place > ThaiMonthsInYear(year)) return 0;
  return CeMonthOfPlace(year, place).month;
}

int16_t ThaiPlaceOfMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 12) return 0;
  if (!BeginsInApril(year)) return month;
  const int16_t place = static_cast<int16_t>(month >= 4 ? month - 3 : month + 9);
  return place <= ThaiMonthsInYear(year) ? place : 0;
}

}  // namespace qv
