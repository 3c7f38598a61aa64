#include "calendar/chinese.h"

#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <mutex>

#include "calendar/astronomy.h"
#include "calendar/civil.h"

namespace qv {
namespace {

constexpr int kReckonings = 3;
constexpr int32_t kYears = kLunisolarLastYear - kLunisolarFirstYear + 1;  // 556
// A suì is named by the Gregorian year of the December solstice that ends it; the years need the
// suì of their own year and of the next, 1645 … 2201.
constexpr int32_t kSuis = kYears + 1;

// --- The meridians ------------------------------------------------------------------------------

constexpr double Hours(double h) { return h / 24.0; }
constexpr double Meridian(double east_degrees) { return east_degrees / 360.0; }

// The offset (days) of the reckoning's civil time east of Greenwich on a day number.
double OffsetDays(Lunisolar reckoning, int64_t day_number) {
  switch (reckoning) {
    case Lunisolar::China:
      // Beijing's local time, 116°25′ E, until the end of 1928; 120° E from 1929.
      return day_number < civil::GregorianToDayNumber(1929, 1, 1) ? Meridian(116.0 + 25.0 / 60.0) : Hours(8);
    case Lunisolar::Korea:
      if (day_number < civil::GregorianToDayNumber(1912, 1, 1)) return Meridian(127.5);
      if (day_number < civil::GregorianToDayNumber(1954, 3, 21)) return Meridian(135.0);
      if (day_number < civil::GregorianToDayNumber(1961, 8, 10)) return Meridian(127.5);
      return Meridian(135.0);
    case Lunisolar::Vietnam:
      return day_number < civil::GregorianToDayNumber(1968, 1, 1) ? Hours(8) : Hours(7);
  }
  return Hours(8);
}

// The day number (at the reckoning's meridian) that holds an instant (JD, UT).
int32_t LocalDay(Lunisolar reckoning, double jd_ut) {
  const int64_t utc_day = static_cast<int64_t>(std::floor(jd_ut + 0.5));
  return static_cast<int32_t>(std::floor(jd_ut + 0.5 + OffsetDays(reckoning, utc_day)));
}

// The instant (JD, UT) of the midnight that begins a day at the reckoning's meridian.
double MidnightBefore(Lunisolar reckoning, int32_t day_number) {
  return day_number - 0.5 - OffsetDays(reckoning, day_number);
}

// Whether the sun has reached `longitude` at an instant, within half a year either side. The
// low-accuracy longitude decides unless it lies within its error of the boundary.
bool SunReached(double jd_ut, double longitude) {
  const double jd_tt = astro::TerrestrialFromUniversal(jd_ut);
  double past = std::remainder(astro::ApproximateSolarLongitude(jd_tt) - longitude, 360.0);
  if (std::fabs(past) <= astro::kApproximateSolarLongitudeError) {
    past = std::remainder(astro::ApparentSolarLongitude(jd_tt) - longitude, 360.0);
  }
  return past >= 0;
}

// The major solar term (0 … 11, the sun in [30i°, 30i° + 30°)) in force at an instant.
int TermAt(double jd_ut) {
  const double jd_tt = astro::TerrestrialFromUniversal(jd_ut);
  double longitude = astro::ApproximateSolarLongitude(jd_tt);
  const double within = std::fmod(longitude, 30.0);
  if (within <= astro::kApproximateSolarLongitudeError || within >= 30.0 - astro::kApproximateSolarLongitudeError) {
    longitude = astro::ApparentSolarLongitude(jd_tt);
  }
  return static_cast<int>(longitude / 30.0) % 12;
}

// --- One suì: the months from one 11th month to the next ------------------------------------

struct Sui {
  int64_t first_lunation = 0;        // lunation of the 11th month that begins it
  int16_t months = 0;                // 12 or 13
  int16_t leap = -1;                 // position (1 … 12) of the leap month, −1 when none
  std::array<int32_t, 14> start{};   // day numbers of the month starts; start[months] ends it
};

// The day that holds new moon k. The seven largest terms place it within 8 minutes, which
// decides the day unless the new moon falls that near midnight.
int32_t NewMoonDay(Lunisolar reckoning, int64_t lunation) {
  const double rough = astro::NewMoonUniversalRough(lunation);
  const int64_t utc_day = static_cast<int64_t>(std::floor(rough + 0.5));
  const double local = rough + 0.5 + OffsetDays(reckoning, utc_day);
  const double into_day = local - std::floor(local);
  if (into_day > astro::kRoughNewMoonError && into_day < 1.0 - astro::kRoughNewMoonError) {
    return static_cast<int32_t>(std::floor(local));
  }
  return LocalDay(reckoning, astro::NewMoonUniversal(lunation));
}

// The lunation of the month that holds the December solstice of Gregorian year `year`: the sun
// has not reached 270° at the midnight that begins it, and has at the one that begins the next.
int64_t EleventhMonthLunation(Lunisolar reckoning, int32_t year) {
  const auto reached = [reckoning](int64_t lunation) {
    return SunReached(MidnightBefore(reckoning, NewMoonDay(reckoning, lunation)), 270.0);
  };
  int64_t lunation = astro::MeanLunationBefore(static_cast<double>(civil::GregorianToDayNumber(year, 12, 22)));
  while (reached(lunation)) --lunation;
  while (!reached(lunation + 1)) ++lunation;
  return lunation;
}

Sui ReckonSui(Lunisolar reckoning, int32_t year) {
  Sui sui;
  sui.first_lunation = EleventhMonthLunation(reckoning, year - 1);
  const int64_t next = EleventhMonthLunation(reckoning, year);
  sui.months = static_cast<int16_t>(next - sui.first_lunation);  // 12 or 13
  for (int16_t i = 0; i <= sui.months; ++i) sui.start[static_cast<size_t>(i)] = NewMoonDay(reckoning, sui.first_lunation + i);
  if (sui.months == 13) {
    // The first month without a major term: the term in force at its first midnight is the one
    // in force at the next month's first midnight.
    int term = TermAt(MidnightBefore(reckoning, sui.start[1]));
    for (int16_t i = 1; i < 13; ++i) {
      const int next_term = TermAt(MidnightBefore(reckoning, sui.start[static_cast<size_t>(i) + 1]));
      if (next_term == term) {
        sui.leap = i;
        break;
      }
      term = next_term;
    }
  }
  return sui;
}

// The position of the 1st month in a suì: the third month, or the fourth after a leap 11th or
// 12th month.
int16_t FirstMonthPosition(const Sui& sui) { return sui.leap == 1 || sui.leap == 2 ? 3 : 2; }

LunisolarYear YearFromSuis(const Sui& own, const Sui& next) {
  LunisolarYear year;
  const int16_t first = FirstMonthPosition(own);
  const int16_t carried = FirstMonthPosition(next);  // the 11th and 12th months of the year
  year.new_year = own.start[static_cast<size_t>(first)];
  year.next_new_year = next.start[static_cast<size_t>(carried)];
  year.first_lunation = own.first_lunation + first;
  year.months = static_cast<int16_t>(own.months - first + carried);
  if (own.leap >= first) {
    year.leap_place = static_cast<int16_t>(own.leap - first + 1);
  } else if (next.leap >= 1 && next.leap < carried) {
    year.leap_place = static_cast<int16_t>(own.months - first + next.leap + 1);
  }
  for (int16_t p = 0; p < year.months; ++p) {
    const bool in_own = p < own.months - first;
    const Sui& sui = in_own ? own : next;
    const size_t i = static_cast<size_t>(in_own ? p + first : p - (own.months - first));
    if (sui.start[i + 1] - sui.start[i] == 30) year.long_months = static_cast<uint16_t>(year.long_months | (1u << p));
  }
  return year;
}

// --- The cache -------------------------------------------------------------------------------

struct Cache {
  std::array<std::atomic<bool>, kYears> ready{};
  std::array<LunisolarYear, kYears> years{};
  std::array<bool, kSuis> sui_ready{};
  std::array<Sui, kSuis> suis{};
  std::mutex mutex;
};

Cache& CacheOf(Lunisolar reckoning) {
  static std::array<Cache, kReckonings> caches;
  return caches[static_cast<size_t>(reckoning)];
}

int32_t ClampYear(int64_t year) {
  return static_cast<int32_t>(year < kLunisolarFirstYear ? kLunisolarFirstYear
                                                         : (year > kLunisolarLastYear ? kLunisolarLastYear : year));
}

const Sui& SuiOf(Lunisolar reckoning, Cache& cache, int32_t year) {  // under the lock
  const size_t i = static_cast<size_t>(year - kLunisolarFirstYear);
  if (!cache.sui_ready[i]) {
    cache.suis[i] = ReckonSui(reckoning, year);
    cache.sui_ready[i] = true;
  }
  return cache.suis[i];
}

const LunisolarYear& YearOf(Lunisolar reckoning, int32_t year) {  // year within the range
  Cache& cache = CacheOf(reckoning);
  const size_t i = static_cast<size_t>(year - kLunisolarFirstYear);
  if (!cache.ready[i].load(std::memory_order_acquire)) {
    const std::lock_guard<std::mutex> lock(cache.mutex);
    if (!cache.ready[i].load(std::memory_order_relaxed)) {
      const Sui& own = SuiOf(reckoning, cache, year);
      const Sui& next = SuiOf(reckoning, cache, year + 1);
      cache.years[i] = YearFromSuis(own, next);
      cache.ready[i].store(true, std::memory_order_release);
    }
  }
  return cache.years[i];
}

int32_t FirstDay(Lunisolar reckoning) { return YearOf(reckoning, kLunisolarFirstYear).new_year; }
int32_t LastDay(Lunisolar reckoning) { return YearOf(reckoning, kLunisolarLastYear).next_new_year - 1; }

// Days from the new year to the month at `place` (1-based; place months + 1 gives the year's length).
int32_t DaysBeforePlace(const LunisolarYear& year, int32_t place) {
  const int32_t before = place - 1;  // [0, 13]
  const uint32_t mask = (1u << before) - 1u;
  return 29 * before + std::popcount(static_cast<uint32_t>(year.long_months) & mask);
}

}  // namespace

const LunisolarYear& LunisolarYearOf(Lunisolar reckoning, int32_t year) { return YearOf(reckoning, ClampYear(year)); }

LunisolarYear ReckonLunisolarYear(Lunisolar reckoning, int32_t year) {
  const int32_t y = ClampYear(year);
  return YearFromSuis(ReckonSui(reckoning, y), ReckonSui(reckoning, y + 1));
}

int32_t LunisolarNewYear(Lunisolar reckoning, int32_t year) { return LunisolarYearOf(reckoning, year).new_year; }

CalendarDate LunisolarFromDayNumber(Lunisolar reckoning, int32_t day_number) {
  const int32_t first = FirstDay(reckoning);
  const int32_t last = LastDay(reckoning);
  const int32_t day = day_number < first ? first : (day_number > last ? last : day_number);
  // The year begins between 21 January and 20 February: the Gregorian year of the day, or the one
  // before when the day comes before that year's new year.
  int32_t year_number = ClampYear(civil::GregorianYearOfDayNumber(day));
  const LunisolarYear* year = &YearOf(reckoning, year_number);
  if (day < year->new_year) year = &YearOf(reckoning, --year_number);
  const int32_t offset = day - year->new_year;  // [0, 384]
  // The month: at most 13 places, each 29 or 30 days.
  int16_t place = static_cast<int16_t>(offset / 30 + 1);  // never past the true place
  while (place < year->months && DaysBeforePlace(*year, place + 1) <= offset) ++place;
  return {year_number, place, static_cast<int16_t>(offset - DaysBeforePlace(*year, place) + 1)};
}

int64_t LunisolarToDayNumber(Lunisolar reckoning, const CalendarDate& date) {
  const LunisolarYear& year = LunisolarYearOf(reckoning, date.year);
  const int32_t place = date.month < 1 ? 1 : (date.month > year.months + 1 ? year.months + 1 : date.month);
  return int64_t{year.new_year} + DaysBeforePlace(year, place) + (int64_t{date.day} - 1);
}

int16_t LunisolarMonthsInYear(Lunisolar reckoning, int32_t year) { return LunisolarYearOf(reckoning, year).months; }

int16_t LunisolarDaysInMonth(Lunisolar reckoning, int32_t year, int16_t place) {
  const LunisolarYear& y = LunisolarYearOf(reckoning, year);
  if (place < 1 || place > y.months) return 0;
  return (y.long_months >> (place - 1)) & 1u ? 30 : 29;
}

int16_t LunisolarLeapMonth(Lunisolar reckoning, int32_t year) { return LunisolarYearOf(reckoning, year).leap_place; }

// Months mode counts lunations: each month is the lunation of the new moon that begins it.
int64_t LunisolarMonthIndex(Lunisolar reckoning, int32_t year, int16_t place) {
  return LunisolarYearOf(reckoning, year).first_lunation + (int64_t{place} - 1);
}

CalendarDate LunisolarMonthFromIndex(Lunisolar reckoning, int64_t index) {
  const int64_t first = YearOf(reckoning, kLunisolarFirstYear).first_lunation;
  const int64_t last = YearOf(reckoning, kLunisolarLastYear).first_lunation + YearOf(reckoning, kLunisolarLastYear).months - 1;
  const int64_t lunation = index < first ? first : (index > last ? last : index);
  // Lunation 0 began on 6 January 2000; a year's first lunation lies within a month of
  // 12.37 (year − 2000) + 1.
  int32_t year_number = ClampYear(2000 + static_cast<int64_t>(std::floor(static_cast<double>(lunation) / 12.368266)));
  while (year_number > kLunisolarFirstYear && YearOf(reckoning, year_number).first_lunation > lunation) --year_number;
  while (year_number < kLunisolarLastYear && YearOf(reckoning, year_number + 1).first_lunation <= lunation) ++year_number;
  return {year_number, static_cast<int16_t>(lunation - YearOf(reckoning, year_number).first_lunation + 1), 1};
}

LunisolarMonthName LunisolarMonthNameOf(Lunisolar reckoning, int32_t year, int16_t place) {
  const int16_t leap = LunisolarLeapMonth(reckoning, year);
  if (leap != 0 && place == leap) return {static_cast<int16_t>(place - 1), true};
  return {static_cast<int16_t>(leap != 0 && place > leap ? place - 1 : place), false};
}

#define QV_LUNISOLAR_FUNCTIONS(X, R)                                                                        \
  CalendarDate X##FromDayNumber(int32_t day_number) { return LunisolarFromDayNumber(R, day_number); }      \
  int64_t X##ToDayNumber(const CalendarDate& date) { return LunisolarToDayNumber(R, date); }                \
  int16_t X##MonthsInYear(int32_t year) { return LunisolarMonthsInYear(R, year); }                          \
  int16_t X##DaysInMonth(int32_t year, int16_t place) { return LunisolarDaysInMonth(R, year, place); }      \
  int64_t X##MonthIndex(int32_t year, int16_t place) { return LunisolarMonthIndex(R, year, place); }        \
  CalendarDate X##MonthFromIndex(int64_t index) { return LunisolarMonthFromIndex(R, index); }               \
  int16_t X##LeapMonth(int32_t year) { return LunisolarLeapMonth(R, year); }

QV_LUNISOLAR_FUNCTIONS(Chinese, Lunisolar::China)
QV_LUNISOLAR_FUNCTIONS(Korean, Lunisolar::Korea)
QV_LUNISOLAR_FUNCTIONS(Vietnamese, Lunisolar::Vietnam)

#undef QV_LUNISOLAR_FUNCTIONS

}  // namespace qv
