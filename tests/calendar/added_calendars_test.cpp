// The added calendars against their rules read the slow, obvious way: a year-by-year walk from
// year 1 (and, for the Hebrew calendar, the molad and the four postponements applied literally),
// then every day of long spans, random days over the whole range, the cycles' lengths, the
// months-mode index and the 32-bit ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calendar/civil.h"
#include "calendar/coptic_ethiopian.h"
#include "calendar/french_republican.h"
#include "calendar/hebrew.h"
#include "calendar/indian_national.h"
#include "calendar/islamic.h"
#include "calendar/mayan.h"
#include "calendar/persian.h"
#include "calendar/revised_julian.h"
#include "support/calendar_date_printing.h"

namespace qv {
namespace {

constexpr int32_t kLimit = 2'100'000'000;
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();

// --- The rules restated -------------------------------------------------------------------------

int64_t Mod(int64_t a, int64_t b) { return ((a % b) + b) % b; }

// Hebrew: the molad of Tishri in parts (1080 an hour) from the evening that begins the epoch's day
// (BaHaRaD: day 1, 5 hours 204 parts), one mean month of 29 d 12 h 793 p after another.
// Months before year y: whole 19-year cycles of 235 months, then year by year.
int64_t SlowHebrewMonthsBefore(int64_t y) {
  const int64_t cycles = (y - 1 >= 0 ? (y - 1) / 19 : -((-(y - 1) + 18) / 19));
  int64_t months = 235 * cycles;
  for (int64_t year = 19 * cycles + 1; year < y; ++year) months += Mod(7 * year + 1, 19) < 7 ? 13 : 12;
  return months;
}
bool SlowHebrewLeap(int64_t y) { return Mod(y, 19) == 3 || Mod(y, 19) == 6 || Mod(y, 19) == 8 || Mod(y, 19) == 11 ||
                                        Mod(y, 19) == 14 || Mod(y, 19) == 17 || Mod(y, 19) == 0; }
// 1 Tishri of y, days from the epoch, for years whose months before are given.
int64_t SlowHebrewNewYear(int64_t y, int64_t months_before) {
  const int64_t hour = 1080, day = 24 * hour;
  const int64_t molad = 5 * hour + 204 + months_before * (29 * day + 12 * hour + 793);
  int64_t d = molad >= 0 ? molad / day : -((-molad + day - 1) / day);
  const int64_t part_of_day = molad - d * day;
  const int64_t weekday = Mod(d + 1, 7);  // the epoch's day was a Monday: 0 = Sunday … 6 = Saturday
  if (part_of_day >= 18 * hour) {
    ++d;  // molad zaken: a molad at or after noon moves the new year to the next day
  } else if (weekday == 2 && part_of_day >= 9 * hour + 204 && !SlowHebrewLeap(y)) {
    d += 2;  // GaTaRaD: Tuesday, 9 h 204 p or later, in a common year: to Thursday
  } else if (weekday == 1 && part_of_day >= 15 * hour + 589 && SlowHebrewLeap(y - 1)) {
    ++d;  // BeTUTaKPaT: Monday, 15 h 589 p or later, after a leap year: to Tuesday
  }
  const int64_t final_weekday = Mod(d + 1, 7);
  if (final_weekday == 0 || final_weekday == 3 || final_weekday == 5) ++d;  // lo ADU rosh
  return d;
}

// One calendar: the functions under test and its rules as a plain reading of them.
struct Calendar {
  const char* name;
  CalendarDate (*from)(int32_t);
  int64_t (*to)(const CalendarDate&);
  bool (*is_leap)(int32_t);
  int16_t (*months_in_year)(int32_t);
  int16_t (*days_in_month)(int32_t, int16_t);
  int32_t (*days_in_year)(int32_t);
  int64_t (*month_index)(int32_t, int16_t);
  CalendarDate (*month_from_index)(int64_t);
  // The rules: the first day of year 1, the leap rule, the month lengths, the cycle of years.
  int64_t year_one;
  bool (*slow_leap)(int64_t);
  int (*slow_month_length)(int64_t year, int month, bool leap);  // 0 past the year's last month
  int64_t cycle_years, cycle_days;
  int32_t walk_first_year, walk_last_year;  // the epoch ± 1400 years and 2000 CE ± 1400 years
};

int ThirteenMonths(int64_t, int month, bool leap) { return month <= 12 ? 30 : month == 13 ? (leap ? 6 : 5) : 0; }

const std::vector<Calendar>& Calendars() {
  static const std::vector<Calendar> calendars = {
      {"Hebrew", HebrewFromDayNumber, HebrewToDayNumber, IsHebrewLeapYear, HebrewMonthsInYear, HebrewDaysInMonth,
       HebrewDaysInYear, HebrewMonthIndex, HebrewMonthFromIndex, 347998, SlowHebrewLeap,
       nullptr,  // month lengths from the year length, below
       689'472, 251'827'457, -1400, 7200},
      {"Islamic", IslamicFromDayNumber, IslamicToDayNumber, IsIslamicLeapYear, IslamicMonthsInYear, IslamicDaysInMonth,
       IslamicDaysInYear, IslamicMonthIndex, IslamicMonthFromIndex, 1948440,
       [](int64_t y) {
         const int64_t c = Mod(y, 30);
         return c == 2 || c == 5 || c == 7 || c == 10 || c == 13 || c == 16 || c == 18 || c == 21 || c == 24 ||
                c == 26 || c == 29;
       },
       [](int64_t, int m, bool leap) { return m > 12 ? 0 : (m % 2 == 1 || (m == 12 && leap)) ? 30 : 29; }, 30, 10'631,
       -1400, 2900},
      {"Persian", PersianFromDayNumber, PersianToDayNumber, IsPersianLeapYear, PersianMonthsInYear, PersianDaysInMonth,
       PersianDaysInYear, PersianMonthIndex, PersianMonthFromIndex, 1948320,
       [](int64_t y) { return Mod(25 * y + 11, 33) < 8; },
       [](int64_t, int m, bool leap) { return m <= 6 ? 31 : m <= 11 ? 30 : m == 12 ? (leap ? 30 : 29) : 0; }, 33, 12'053,
       -1400, 2800},
      {"FrenchRepublican", FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, IsFrenchRepublicanLeapYear,
       FrenchRepublicanMonthsInYear, FrenchRepublicanDaysInMonth, FrenchRepublicanDaysInYear,
       FrenchRepublicanMonthIndex, FrenchRepublicanMonthFromIndex, 2375840,
       [](int64_t y) {
         if (y == 3 || y == 7 || y == 11 || y == 15) return true;
         if (y >= 1 && y <= 19) return false;
         return Mod(y, 4) == 0 && (Mod(y, 100) != 0 || Mod(y, 400) == 0) && Mod(y, 4000) != 0;
       },
       ThirteenMonths, 4000, 1'460'969, -4100, 1600},
      {"Coptic", CopticFromDayNumber, CopticToDayNumber, IsCopticLeapYear, CopticMonthsInYear, CopticDaysInMonth,
       CopticDaysInYear, CopticMonthIndex, CopticMonthFromIndex, 1825030, [](int64_t y) { return Mod(y, 4) == 3; },
       ThirteenMonths, 4, 1'461, -1400, 3200},
      {"Ethiopian", EthiopianFromDayNumber, EthiopianToDayNumber, IsEthiopianLeapYear, EthiopianMonthsInYear,
       EthiopianDaysInMonth, EthiopianDaysInYear, EthiopianMonthIndex, EthiopianMonthFromIndex, 1724221,
       [](int64_t y) { return Mod(y, 4) == 3; }, ThirteenMonths, 4, 1'461, -1400, 3400},
      {"IndianNational", IndianNationalFromDayNumber, IndianNationalToDayNumber, IsIndianNationalLeapYear,
       IndianNationalMonthsInYear, IndianNationalDaysInMonth, IndianNationalDaysInYear, IndianNationalMonthIndex,
       IndianNationalMonthFromIndex, civil::GregorianToDayNumber(79, 3, 22),  // 1 Chaitra 1, 79 CE a common year
       [](int64_t y) { return civil::IsGregorianLeap(y + 78); },
       [](int64_t, int m, bool leap) { return m == 1 ? (leap ? 31 : 30) : m <= 6 ? 31 : m <= 12 ? 30 : 0; }, 400,
       146'097, -1400, 3400},
      // The Revised Julian year 1 begins on the day of the Gregorian one: both count from 1 March
      // of year 0, with as many leap centuries up to 1600, where they agree.
      {"RevisedJulian", RevisedJulianFromDayNumber, RevisedJulianToDayNumber, IsRevisedJulianLeapYear,
       RevisedJulianMonthsInYear, RevisedJulianDaysInMonth, RevisedJulianDaysInYear, RevisedJulianMonthIndex,
       RevisedJulianMonthFromIndex, 1'721'426,
       [](int64_t y) {
         if (Mod(y, 4) != 0) return false;
         if (Mod(y, 100) != 0) return true;
         return Mod(y, 900) == 200 || Mod(y, 900) == 600;
       },
       [](int64_t, int m, bool leap) {
         const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
         return m > 12 ? 0 : m == 2 && leap ? 29 : lengths[m - 1];
       },
       900, 328'718, -1400, 3400},
  };
  return calendars;
}

std::string Show(const CalendarDate& d) {
  return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

// A year by the slow rules: its first day, its length and the lengths of its months.
struct SlowYear {
  int64_t start;
  std::vector<int> month_lengths;
};

int HebrewMonthLength(int64_t length, int m) {
  const bool leap = length > 360;
  if (m == 2) return length % 10 == 5 ? 30 : 29;  // Heshvan: 30 in a complete year
  if (m == 3) return length % 10 == 3 ? 29 : 30;  // Kislev: 29 in a deficient year
  if (m > (leap ? 13 : 12)) return 0;
  if (leap && m == 6) return 30;                  // Adar I
  const int in_common_order = leap && m > 6 ? m - 1 : m;
  return in_common_order % 2 == 1 ? 30 : 29;
}

// Walks years from `first` to `last` by the slow rules, one call per year.
template <typename Visit>
void WalkYears(const Calendar& c, int64_t first, int64_t last, Visit visit) {
  const bool hebrew = c.slow_month_length == nullptr;
  int64_t months_before = hebrew ? SlowHebrewMonthsBefore(first) : 0;
  const auto year_length = [&c](int64_t y) {
    int64_t days = 0;
    for (int m = 1; c.slow_month_length(y, m, c.slow_leap(y)) > 0; ++m) days += c.slow_month_length(y, m, c.slow_leap(y));
    return days;
  };
  int64_t start = c.year_one;
  if (!hebrew) {  // year by year from year 1
    for (int64_t y = 1; y < first; ++y) start += year_length(y);
    for (int64_t y = first; y < 1; ++y) start -= year_length(y);
  }
  for (int64_t y = first; y <= last; ++y) {
    SlowYear year{start, {}};
    if (hebrew) {
      const int64_t months = SlowHebrewLeap(y) ? 13 : 12;
      year.start = c.year_one + SlowHebrewNewYear(y, months_before);
      const int64_t length = c.year_one + SlowHebrewNewYear(y + 1, months_before + months) - year.start;
      for (int m = 1; m <= months; ++m) year.month_lengths.push_back(HebrewMonthLength(length, m));
      months_before += months;
    } else {
      for (int m = 1; c.slow_month_length(y, m, c.slow_leap(y)) > 0; ++m) {
        year.month_lengths.push_back(c.slow_month_length(y, m, c.slow_leap(y)));
      }
      start += year_length(y);
    }
    visit(y, year);
  }
}

// --- Every day of the walked spans ------------------------------------------------------------------

TEST(AddedCalendarsAgainstYearWalk, EveryDayAroundTheEpochAnd2000) {
  for (const Calendar& c : Calendars()) {
    int64_t expected_next = -1;
    WalkYears(c, c.walk_first_year, c.walk_last_year, [&](int64_t y, const SlowYear& year) {
      const int32_t y32 = static_cast<int32_t>(y);
      if (expected_next >= 0) {
        ASSERT_EQ(year.start, expected_next) << c.name << " year " << y;
      }
      ASSERT_EQ(c.is_leap(y32), c.slow_leap(y)) << c.name << " year " << y;
      ASSERT_EQ(c.months_in_year(y32), static_cast<int16_t>(year.month_lengths.size())) << c.name << " year " << y;
      ASSERT_EQ(c.days_in_month(y32, static_cast<int16_t>(year.month_lengths.size() + 1)), 0) << c.name;
      int64_t day_number = year.start, total = 0;
      for (int m = 1; m <= static_cast<int>(year.month_lengths.size()); ++m) {
        const int length = year.month_lengths[static_cast<std::size_t>(m - 1)];
        ASSERT_EQ(c.days_in_month(y32, static_cast<int16_t>(m)), length) << c.name << " " << y << "-" << m;
        for (int d = 1; d <= length; ++d, ++day_number) {
          const CalendarDate date{y32, static_cast<int16_t>(m), static_cast<int16_t>(d)};
          ASSERT_EQ(c.from(static_cast<int32_t>(day_number)), date) << c.name << " day number " << day_number;
          ASSERT_EQ(c.to(date), day_number) << c.name << " " << Show(date);
        }
        total += length;
      }
      ASSERT_EQ(c.days_in_year(y32), total) << c.name << " year " << y;
      expected_next = day_number;
    });
  }
}

// The Hebrew year starts over one whole period of the calendar (after which molad, weekday and
// leap years repeat) against the postponements applied literally; the period then carries the
// agreement to every year. Each 1 Tishri and the day before it also reads back.
TEST(HebrewOverAWholePeriod, NewYearsLengthsAndTheirEves) {
  int64_t months_before = 0;
  int64_t next_start = 347998 + SlowHebrewNewYear(1, 0);
  for (int32_t y = 1; y <= 689'472; ++y) {
    const int64_t start = next_start;
    months_before += SlowHebrewLeap(y) ? 13 : 12;
    next_start = 347998 + SlowHebrewNewYear(y + 1, months_before);
    const int64_t length = next_start - start;
    ASSERT_TRUE(length == 353 || length == 354 || length == 355 || length == 383 || length == 384 || length == 385)
        << y;
    ASSERT_EQ(HebrewToDayNumber({y, 1, 1}), start) << y;
    ASSERT_EQ(HebrewFromDayNumber(static_cast<int32_t>(start)), (CalendarDate{y, 1, 1})) << y;
    ASSERT_EQ(HebrewFromDayNumber(static_cast<int32_t>(start - 1)), (CalendarDate{y - 1, HebrewMonthsInYear(y - 1), 29})) << y;
  }
  EXPECT_EQ(months_before, 8'527'680);
  EXPECT_EQ(next_start - 347998, 251'827'457);
}

// --- Random days over the whole range, and the ends ------------------------------------------------

// A date that the calendar has, and the next day is the next date.
void ExpectDateAndNext(const Calendar& c, int32_t day_number) {
  const CalendarDate date = c.from(day_number);
  ASSERT_GE(date.month, 1) << c.name << " " << day_number;
  ASSERT_LE(date.month, c.months_in_year(date.year)) << c.name << " " << day_number;
  ASSERT_GE(date.day, 1) << c.name << " " << day_number;
  ASSERT_LE(date.day, c.days_in_month(date.year, date.month)) << c.name << " " << day_number;
  ASSERT_EQ(c.to(date), day_number) << c.name << " " << Show(date);
  if (day_number == kMax32) return;
  CalendarDate next = date;
  if (date.day < c.days_in_month(date.year, date.month)) {
    ++next.day;
  } else if (date.month < c.months_in_year(date.year)) {
    next = {date.year, static_cast<int16_t>(date.month + 1), 1};
  } else {
    next = {date.year + 1, 1, 1};
  }
  ASSERT_EQ(c.from(day_number + 1), next) << c.name << " " << day_number;
}

TEST(AddedCalendarsOverTheWholeRange, RandomDaysReadBackAndStepToTheNextDate) {
  std::mt19937 random(20240911u);
  std::uniform_int_distribution<int32_t> any_day(-kLimit, kLimit);
  for (int i = 0; i < 1'000'000; ++i) {
    const int32_t day_number = any_day(random);
    for (const Calendar& c : Calendars()) ExpectDateAndNext(c, day_number);
    // The Hebrew year found lies between two new years set by the literal rules.
    if (i % 16 == 0) {
      const int32_t year = HebrewFromDayNumber(day_number).year;
      const int64_t before = SlowHebrewMonthsBefore(year);
      ASSERT_LE(347998 + SlowHebrewNewYear(year, before), day_number);
      ASSERT_GT(347998 + SlowHebrewNewYear(year + 1, before + (SlowHebrewLeap(year) ? 13 : 12)), day_number);
    }
  }
}

TEST(AddedCalendarsOverTheWholeRange, EndsOfTheDayNumbers) {
  for (const Calendar& c : Calendars()) {
    for (const int32_t day_number : {-kLimit, -kLimit + 1, kLimit - 1, kLimit, kMin32, kMin32 + 1, kMax32 - 1, kMax32}) {
      ExpectDateAndNext(c, day_number);
    }
  }
}

// Any 32-bit year, months 1 … 13 and days 1 … 31 (valid or not) give a day number without
// overflow; days and months count on from the year's first day, and a whole cycle of years is
// always the same number of days.
TEST(AddedCalendarsOverTheWholeRange, EndsOfTheYears) {
  for (const Calendar& c : Calendars()) {
    const int64_t cycle = c.cycle_years;
    for (const int32_t year : {kMin32, kMin32 + 1, kMax32 - 1, kMax32}) {
      const int32_t other = static_cast<int32_t>(year < 0 ? year + cycle : year - cycle);
      ASSERT_EQ(std::abs(c.to({year, 1, 1}) - c.to({other, 1, 1})), c.cycle_days) << c.name << " " << year;
      ASSERT_GE(c.days_in_year(year), 353);
      ASSERT_LE(c.days_in_year(year), 385);
      ASSERT_GE(c.months_in_year(year), 12);
      int64_t first_of_month = c.to({year, 1, 1});
      for (int16_t month = 1; month <= 13; ++month) {
        if (month <= c.months_in_year(year)) {
          ASSERT_EQ(c.to({year, month, 1}), first_of_month) << c.name << " " << year;
        }
        for (int16_t day = 1; day <= 31; ++day) {
          ASSERT_EQ(c.to({year, month, day}), c.to({year, month, 1}) + day - 1) << c.name << " " << year;
        }
        first_of_month += c.days_in_month(year, month);
        static_cast<void>(c.month_index(year, month));
      }
      ASSERT_EQ(first_of_month - c.to({year, 1, 1}), c.days_in_year(year)) << c.name << " " << year;
    }
  }
}

// Whole cycles of years, at both ends of the range and around year 1: 235 months in 19 Hebrew
// years; 10,631 days in 30 Islamic years, 12,053 in 33 Persian, 1,461 in 4 Coptic and
// Ethiopian, 1,460,969 in 4,000 French Republican (from year 20 on), 146,097 in 400 Saka years,
// 328,718 in 900 Revised Julian years.
TEST(AddedCalendarsCycles, MonthsAndDaysOfWholeCycles) {
  for (const Calendar& c : Calendars()) {
    // (French Republican cycles either side of years 1 … 19, whose leap years are those kept.)
    for (const int64_t first : {int64_t{-5'700'000}, -1 - c.cycle_years, int64_t{20}, 5'700'000 - c.cycle_years}) {
      const int64_t span = c.cycle_years > 4000 ? 19 : c.cycle_years;  // the Hebrew check: months of 19 years
      int64_t days = 0, months = 0;
      for (int64_t y = first; y < first + span; ++y) {
        days += c.days_in_year(static_cast<int32_t>(y));
        months += c.months_in_year(static_cast<int32_t>(y));
      }
      if (span == 19) {
        EXPECT_EQ(months, 235) << c.name << " from " << first;
      } else {
        EXPECT_EQ(days, c.cycle_days) << c.name << " from " << first;
        EXPECT_EQ(c.to({static_cast<int32_t>(first + span), 1, 1}) - c.to({static_cast<int32_t>(first), 1, 1}), days);
      }
    }
  }
}

// --- Months mode ---------------------------------------------------------------------------------------

TEST(AddedCalendarsMonthIndex, ReadsBackAndStepsToTheNextMonth) {
  std::mt19937 random(1792u);
  std::uniform_int_distribution<int32_t> any_day(-kLimit, kLimit);
  for (const Calendar& c : Calendars()) {
    EXPECT_EQ(c.month_index(1, 1), 0) << c.name;
    for (int i = 0; i < 100'000; ++i) {
      const CalendarDate date = c.from(any_day(random));
      const int64_t index = c.month_index(date.year, date.month);
      ASSERT_EQ(c.month_from_index(index), (CalendarDate{date.year, date.month, 1})) << c.name << " " << Show(date);
      const CalendarDate next = date.month < c.months_in_year(date.year)
                                    ? CalendarDate{date.year, static_cast<int16_t>(date.month + 1), 1}
                                    : CalendarDate{date.year + 1, 1, 1};
      ASSERT_EQ(c.month_from_index(index + 1), next) << c.name << " " << Show(date);
    }
    // Indices beyond the 32-bit years give the first and last months, without overflow.
    EXPECT_EQ(c.month_from_index(std::numeric_limits<int64_t>::min()), (CalendarDate{kMin32, 1, 1})) << c.name;
    EXPECT_EQ(c.month_from_index(std::numeric_limits<int64_t>::max()), (CalendarDate{kMax32, c.months_in_year(kMax32), 1}))
        << c.name;
  }
}

// --- The Maya counts -----------------------------------------------------------------------------------

// One day later is one more kin, carried as an odometer of 20, 18, 20, 20; tzolkin number and name
// and haab day step by one (the haab month after 20 days, Uayeb after 5).
TEST(MayanCounts, StepDayByDayAcrossTheWholeCount) {
  std::mt19937 random(2012u);
  std::uniform_int_distribution<int32_t> any_day(-kLimit, kLimit - 1);
  for (int i = 0; i < 300'000; ++i) {
    const int32_t day_number = i == 0 ? kMin32 : i == 1 ? kMax32 - 1 : any_day(random);
    const LongCount count = LongCountFromDayNumber(day_number);
    ASSERT_EQ(LongCountToDayNumber(count), day_number);
    ASSERT_TRUE(count.katun >= 0 && count.katun < 20 && count.tun >= 0 && count.tun < 20 && count.uinal >= 0 &&
                count.uinal < 18 && count.kin >= 0 && count.kin < 20);
    LongCount next = count;
    if (++next.kin == 20) {
      next.kin = 0;
      if (++next.uinal == 18) {
        next.uinal = 0;
        if (++next.tun == 20) {
          next.tun = 0;
          if (++next.katun == 20) {
            next.katun = 0;
            ++next.baktun;
          }
        }
      }
    }
    ASSERT_EQ(LongCountFromDayNumber(day_number + 1), next) << day_number;
    const Tzolkin t = TzolkinOf(day_number), t1 = TzolkinOf(day_number + 1);
    ASSERT_EQ(t1, (Tzolkin{static_cast<int16_t>(t.number % 13 + 1), static_cast<int16_t>(t.name % 20 + 1)}));
    const Haab h = HaabOf(day_number), h1 = HaabOf(day_number + 1);
    const int month_days = h.month == 19 ? 5 : 20;
    ASSERT_LT(h.day, month_days);
    const Haab expected = h.day + 1 < month_days ? Haab{static_cast<int16_t>(h.day + 1), h.month}
                                                 : Haab{0, static_cast<int16_t>(h.month % 19 + 1)};
    ASSERT_EQ(h1, expected) << day_number;
  }
}

}  // namespace
}  // namespace qv
