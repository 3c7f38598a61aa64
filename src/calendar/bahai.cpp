#include "calendar/bahai.h"

#include <array>
#include <atomic>
#include <cmath>
#include <mutex>

#include "calendar/astronomy.h"
#include "calendar/civil.h"

namespace qv {
namespace {

constexpr int32_t kLastNawRuzYear = kBahaiLastYear + 1;  // the end of the last year
constexpr int32_t kAstronomicalYears = kLastNawRuzYear - kBahaiFirstAstronomicalYear + 1;
constexpr int16_t kDaysBeforeAyyamIHa = 18 * 19;  // 342

static_assert(civil::GregorianToDayNumber(1844, 3, 21) == kBahaiFirstDay);

int32_t ClampYear(int64_t year, int32_t last) {
  return static_cast<int32_t>(year < kBahaiFirstYear ? kBahaiFirstYear : (year > last ? last : year));
}

// Gregorian year in which Naw-Rúz of a BE year falls.
constexpr int32_t GregorianYearOf(int32_t year) { return year + 1843; }

struct NawRuzCache {
  std::array<std::atomic<bool>, kAstronomicalYears> ready{};
  std::array<int32_t, kAstronomicalYears> day{};
  std::mutex mutex;
};

NawRuzCache& Cache() {
  static NawRuzCache cache;
  return cache;
}

// Days from Naw-Rúz to the first day of a place (1 … 21; 21 ends the year).
int32_t DaysBeforePlace(int32_t place, int32_t ayyam_i_ha) {
  if (place <= kAyyamIHa) return 19 * (place - 1);
  return kDaysBeforeAyyamIHa + ayyam_i_ha + 19 * (place - 20);
}

// Years whose equinox falls within two minutes of sunset at Tehran: nearer than the errors of
// our sun (about half a minute) and of any convention for sunset can decide. There the day the
// Bahá'í World Centre published stands (its table of dates 172–221 BE, as reproduced in the
// tables of Naw-Rúz and the Fast 2022–2030): 183 BE, equinox 14h45m49s UT, sunset 14h45m50s.
struct PublishedNawRuz {
  int32_t year;
  int32_t month, day;
};
constexpr PublishedNawRuz kTooCloseToCall[] = {{183, 3, 21}};

}  // namespace

int32_t ReckonNawRuz(int32_t year) {
  const int32_t y = ClampYear(year, kLastNawRuzYear);
  const int32_t gregorian = GregorianYearOf(y);
  const int32_t march_21 = static_cast<int32_t>(civil::GregorianToDayNumber(gregorian, 3, 21));
  if (y < kBahaiFirstAstronomicalYear) return march_21;
  for (const PublishedNawRuz& published : kTooCloseToCall) {
    if (published.year == y) return static_cast<int32_t>(civil::GregorianToDayNumber(gregorian, published.month, published.day));
  }
  const double equinox = astro::SolarLongitudeInstant(0.0, march_21 - 1.0);
  // The Gregorian day at Tehran (UTC+3:30) that holds the equinox; the Bahá'í day of that name
  // ends at its sunset, so an equinox after sunset belongs to the next day.
  const int32_t tehran_day = static_cast<int32_t>(std::floor(equinox + 0.5 + 3.5 / 24.0));
  const double sunset = astro::SunsetUniversal(tehran_day, kTehranLatitude, kTehranLongitude);
  return equinox < sunset ? tehran_day : tehran_day + 1;
}

int32_t BahaiNawRuz(int32_t year) {
  const int32_t y = ClampYear(year, kLastNawRuzYear);
  if (y < kBahaiFirstAstronomicalYear) return static_cast<int32_t>(civil::GregorianToDayNumber(GregorianYearOf(y), 3, 21));
  NawRuzCache& cache = Cache();
  const size_t i = static_cast<size_t>(y - kBahaiFirstAstronomicalYear);
  if (!cache.ready[i].load(std::memory_order_acquire)) {
    const std::lock_guard<std::mutex> lock(cache.mutex);
    if (!cache.ready[i].load(std::memory_order_relaxed)) {
      cache.day[i] = ReckonNawRuz(y);
      cache.ready[i].store(true, std::memory_order_release);
    }
  }
  return cache.day[i];
}

CalendarDate BahaiFromDayNumber(int32_t day_number) {
  const int32_t day = day_number < kBahaiFirstDay ? kBahaiFirstDay : (day_number > kBahaiLastDay ? kBahaiLastDay : day_number);
  // Naw-Rúz falls on 20, 21 or 22 March: the year is that of the Gregorian year's Naw-Rúz, or the
  // one before.
  int32_t year = ClampYear(civil::GregorianYearOfDayNumber(day) - 1843, kBahaiLastYear);
  int32_t new_year = BahaiNawRuz(year);
  if (day < new_year) new_year = BahaiNawRuz(--year);
  const int32_t ayyam_i_ha = BahaiNawRuz(year + 1) - new_year - 361;  // 4 or 5
  const int32_t offset = day - new_year;                              // [0, 365]
  int32_t place = 0;
  if (offset < kDaysBeforeAyyamIHa) {
    place = offset / 19 + 1;
  } else if (offset < kDaysBeforeAyyamIHa + ayyam_i_ha) {
    place = kAyyamIHa;
  } else {
    place = 20;
  }
  return {year, static_cast<int16_t>(place), static_cast<int16_t>(offset - DaysBeforePlace(place, ayyam_i_ha) + 1)};
}

int64_t BahaiToDayNumber(const CalendarDate& date) {
  const int32_t year = ClampYear(date.year, kBahaiLastYear);
  const int32_t new_year = BahaiNawRuz(year);
  const int32_t ayyam_i_ha = BahaiNawRuz(year + 1) - new_year - 361;
  const int32_t place = date.month < 1 ? 1 : (date.month > 21 ? 21 : date.month);
  return int64_t{new_year} + DaysBeforePlace(place, ayyam_i_ha) + (int64_t{date.day} - 1);
}

int16_t BahaiMonthsInYear(int32_t) { return 20; }

int16_t BahaiDaysInMonth(int32_t year, int16_t place) {
  if (place < 1 || place > 20) return 0;
  if (place != kAyyamIHa) return 19;
  const int32_t y = ClampYear(year, kBahaiLastYear);
  return static_cast<int16_t>(BahaiNawRuz(y + 1) - BahaiNawRuz(y) - 361);
}

int64_t BahaiMonthIndex(int32_t year, int16_t place) { return FixedMonthIndex(year, place, 20); }

CalendarDate BahaiMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 20); }

}  // namespace qv
