// The calendars that keep the Gregorian months and count or name their years otherwise (Japanese
// eras, Minguo, Thai solar) and the Revised Julian calendar, against the days their laws and
// decrees name, and day by day against the Gregorian calendar read the slow way.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "calendar/civil.h"
#include "calendar/japanese.h"
#include "calendar/minguo_thai.h"
#include "calendar/revised_julian.h"
#include "support/calendar_date_printing.h"

namespace qv {
namespace {

struct Ce {
  int32_t year, month, day;
};
int32_t DayNumberOf(Ce date) { return static_cast<int32_t>(civil::GregorianToDayNumber(date.year, date.month, date.day)); }

std::string Show(const JapaneseDate& d) {
  return std::to_string(static_cast<int>(d.era)) + ":" + std::to_string(d.year) + "-" + std::to_string(d.month) + "-" +
         std::to_string(d.day);
}

// --- Japanese ------------------------------------------------------------------------------------

// The first day of each era and the last day of the era before, as the decree of 1872 and the
// rescripts and Cabinet Orders on the change of era name them.
TEST(JapaneseEraDays, FirstAndLastDaysOfEachEra) {
  using enum JapaneseEra;
  struct Case {
    JapaneseDate date;
    Ce ce;
  };
  const Case cases[] = {
      {{Meiji, 6, 1, 1}, {1873, 1, 1}},     // Dajōkan decree No. 337 of Meiji 5
      {{Meiji, 45, 7, 29}, {1912, 7, 29}},  {{Taisho, 1, 7, 30}, {1912, 7, 30}},
      {{Taisho, 15, 12, 24}, {1926, 12, 24}}, {{Showa, 1, 12, 25}, {1926, 12, 25}},
      {{Showa, 64, 1, 7}, {1989, 1, 7}},    {{Heisei, 1, 1, 8}, {1989, 1, 8}},
      {{Heisei, 31, 4, 30}, {2019, 4, 30}}, {{Reiwa, 1, 5, 1}, {2019, 5, 1}},
      {{Reiwa, 2, 1, 1}, {2020, 1, 1}},     {{Reiwa, 7, 12, 8}, {2025, 12, 8}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(IsJapaneseDate(c.date)) << Show(c.date);
    EXPECT_EQ(JapaneseToDayNumber(c.date), DayNumberOf(c.ce)) << Show(c.date);
    EXPECT_EQ(JapaneseFromDayNumber(DayNumberOf(c.ce)), c.date) << Show(c.date);
  }
}

// Dates that name a day outside their era, or before the Gregorian calendar, or none at all.
TEST(JapaneseEraDays, DatesOutsideTheirEraDoNotExist) {
  using enum JapaneseEra;
  const JapaneseDate refused[] = {
      {Heisei, 31, 5, 1},   // Reiwa 1 by then
      {Showa, 64, 1, 8},    // Heisei 1
      {Taisho, 1, 7, 29},   // still Meiji
      {Meiji, 5, 12, 31},   // the lunisolar calendar's year
      {Meiji, 6, 2, 29},    // 1873 is a common year
      {Reiwa, 0, 12, 1},    {Reiwa, 1, 4, 30}, {Reiwa, 1, 13, 1}, {Reiwa, 1, 6, 31},
      {static_cast<JapaneseEra>(0), 1, 1, 1}, {static_cast<JapaneseEra>(6), 1, 1, 1},
      {Reiwa, std::numeric_limits<int32_t>::max(), 1, 1},
  };
  for (const JapaneseDate& date : refused) EXPECT_FALSE(IsJapaneseDate(date)) << Show(date);
}

// Every day from 1 January 1873 to 2200 belongs to the era whose first day it follows last, and
// its year is counted from that era's first Gregorian year; the next day is the next date.
TEST(JapaneseEraDays, EveryDayAgainstTheEraTable) {
  const Ce firsts[] = {{1873, 1, 1}, {1912, 7, 30}, {1926, 12, 25}, {1989, 1, 8}, {2019, 5, 1}};
  const int32_t first_years[] = {1868, 1912, 1926, 1989, 2019};
  int era = 0;
  for (int32_t day = DayNumberOf({1873, 1, 1}); day <= DayNumberOf({2200, 12, 31}); ++day) {
    if (era < 4 && day == DayNumberOf(firsts[era + 1])) ++era;
    const civil::YearMonthDay ce = civil::DayNumberToGregorian(day);
    const JapaneseDate expected{static_cast<JapaneseEra>(era + 1), static_cast<int32_t>(ce.year) - first_years[era] + 1,
                                static_cast<int16_t>(ce.month), static_cast<int16_t>(ce.day)};
    ASSERT_EQ(JapaneseFromDayNumber(day), expected) << day;
    ASSERT_EQ(JapaneseToDayNumber(expected), day) << Show(expected);
    ASSERT_TRUE(IsJapaneseDate(expected)) << Show(expected);
  }
}

// --- Minguo -------------------------------------------------------------------------------------

TEST(MinguoYears, TheRepublicsYears) {
  // Founded 1 January 1912, Minguo 1; National Day, 10 October Minguo 113, was 10 October 2024.
  EXPECT_EQ(MinguoToDayNumber({1, 1, 1}), kMinguoFirstDay);
  EXPECT_EQ(MinguoFromDayNumber(kMinguoFirstDay), (CalendarDate{1, 1, 1}));
  EXPECT_EQ(MinguoToDayNumber({113, 10, 10}), DayNumberOf({2024, 10, 10}));
  EXPECT_EQ(MinguoFromDayNumber(DayNumberOf({2024, 2, 29})), (CalendarDate{113, 2, 29}));
  EXPECT_EQ(MinguoDaysInMonth(113, 2), 29);  // 2024
  EXPECT_EQ(MinguoDaysInMonth(89, 2), 29);   // 2000
  EXPECT_EQ(MinguoDaysInMonth(-11, 2), 28);  // 1900
}

// --- Thai solar ---------------------------------------------------------------------------------

// Year changes: 1 April from 1889 (R.S. 108 = B.E. 2432) to 1940; the Calendar Year Act of B.E.
// 2483 ended that year on 31 December 1940, and B.E. 2484 began on 1 January 1941. Places count
// from the year's first month; labels are the Gregorian month numbers.
TEST(ThaiSolarYears, YearChangesAsTheActsSetThem) {
  struct Case {
    int32_t year;
    int16_t month;  // Gregorian number
    int16_t day;
    Ce ce;
  };
  const Case cases[] = {
      {2432, 4, 1, {1889, 4, 1}},    {2432, 3, 31, {1890, 3, 31}},  {2433, 4, 1, {1890, 4, 1}},
      {2455, 12, 31, {1912, 12, 31}}, {2455, 1, 1, {1913, 1, 1}},   {2482, 4, 1, {1939, 4, 1}},
      {2482, 1, 1, {1940, 1, 1}},     {2482, 3, 31, {1940, 3, 31}},  {2483, 4, 1, {1940, 4, 1}},
      {2483, 12, 31, {1940, 12, 31}}, {2484, 1, 1, {1941, 1, 1}},    {2484, 3, 31, {1941, 3, 31}},
      {2484, 4, 1, {1941, 4, 1}},     {2567, 2, 29, {2024, 2, 29}},  {2568, 12, 31, {2025, 12, 31}},
  };
  for (const Case& c : cases) {
    const int16_t place = ThaiPlaceOfMonth(c.year, c.month);
    ASSERT_NE(place, 0) << c.year << "-" << c.month;
    EXPECT_EQ(ThaiMonthOfPlace(c.year, place), c.month);
    EXPECT_EQ(ThaiToDayNumber({c.year, place, c.day}), DayNumberOf(c.ce)) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(ThaiFromDayNumber(DayNumberOf(c.ce)), (CalendarDate{c.year, place, c.day})) << c.ce.year;
  }
  // B.E. 2483 had April to December only; its January to March never were.
  EXPECT_EQ(ThaiMonthsInYear(2483), 9);
  for (const int16_t month : {int16_t{1}, int16_t{2}, int16_t{3}}) EXPECT_EQ(ThaiPlaceOfMonth(2483, month), 0) << month;
  EXPECT_EQ(ThaiPlaceOfMonth(2482, 4), 1);
  EXPECT_EQ(ThaiPlaceOfMonth(2482, 3), 12);
  EXPECT_EQ(ThaiPlaceOfMonth(2484, 3), 3);
  EXPECT_EQ(ThaiDaysInMonth(2482, 11), 29);  // February 1940
  EXPECT_EQ(ThaiDaysInMonth(2483, 10), 0);
}

// Every day from 1 April 1889 to 2100: the B.E. year is the CE year + 543, less one for January to
// March before 1941, and the next day is the next date, the months in the order of the year.
TEST(ThaiSolarYears, EveryDayAgainstTheGregorianDate) {
  int64_t months_seen = 0;
  CalendarDate previous{};
  for (int32_t day = kThaiFirstDay; day <= DayNumberOf({2100, 12, 31}); ++day) {
    const civil::YearMonthDay ce = civil::DayNumberToGregorian(day);
    const bool before_1941_new_year = ce.year < 1941 && ce.month < 4;
    const int32_t year = static_cast<int32_t>(ce.year) + 543 - (before_1941_new_year ? 1 : 0);
    const CalendarDate date = ThaiFromDayNumber(day);
    ASSERT_EQ(date.year, year) << day;
    ASSERT_EQ(ThaiMonthOfPlace(date.year, date.month), ce.month) << day;
    ASSERT_EQ(date.day, ce.day) << day;
    ASSERT_EQ(ThaiToDayNumber(date), day);
    if (day > kThaiFirstDay) {
      CalendarDate next = previous;
      if (previous.day < ThaiDaysInMonth(previous.year, previous.month)) {
        ++next.day;
      } else if (previous.month < ThaiMonthsInYear(previous.year)) {
        next = {previous.year, static_cast<int16_t>(previous.month + 1), 1};
      } else {
        next = {previous.year + 1, 1, 1};
      }
      ASSERT_EQ(date, next) << day;
    }
    if (date.day == 1) {
      // Months mode counts every month once: the index steps by one each month.
      ASSERT_EQ(ThaiMonthIndex(date.year, date.month), ThaiMonthIndex(2432, 1) + months_seen) << day;
      ASSERT_EQ(ThaiMonthFromIndex(ThaiMonthIndex(date.year, date.month)), (CalendarDate{date.year, date.month, 1}));
      ++months_seen;
    }
    previous = date;
  }
}

// --- Revised Julian -----------------------------------------------------------------------------

// The Churches that took up the calendar passed from 30 September (Julian) to 14 October 1923; it
// agrees with the Gregorian calendar from 1 March 1600 to 28 February 2800. 2800 is a Gregorian
// leap year but not a Revised Julian one (2800 leaves 100 divided by 900), so 29 February 2800 CE
// is 1 March there; 2900 is a leap year here but not in the Gregorian calendar (29 February 2900
// here is 28 February there), and the two agree again from 1 March 2900.
TEST(RevisedJulianPublished, TheChangeOf1923AndTheYearsOfAgreement) {
  EXPECT_EQ(RevisedJulianToDayNumber({1923, 10, 14}), civil::JulianToDayNumber(1923, 10, 1));
  EXPECT_EQ(RevisedJulianFromDayNumber(static_cast<int32_t>(civil::JulianToDayNumber(1923, 9, 30))),
            (CalendarDate{1923, 10, 13}));
  for (int32_t day = DayNumberOf({1600, 3, 1}); day <= DayNumberOf({2800, 2, 28}); ++day) {
    const civil::YearMonthDay ce = civil::DayNumberToGregorian(day);
    ASSERT_EQ(RevisedJulianFromDayNumber(day),
              (CalendarDate{static_cast<int32_t>(ce.year), static_cast<int16_t>(ce.month), static_cast<int16_t>(ce.day)}));
  }
  EXPECT_EQ(RevisedJulianFromDayNumber(DayNumberOf({2800, 2, 29})), (CalendarDate{2800, 3, 1}));
  EXPECT_EQ(RevisedJulianFromDayNumber(DayNumberOf({2800, 12, 31})), (CalendarDate{2801, 1, 1}));
  EXPECT_EQ(RevisedJulianToDayNumber({2900, 2, 29}), DayNumberOf({2900, 2, 28}));
  EXPECT_EQ(RevisedJulianFromDayNumber(DayNumberOf({2900, 3, 1})), (CalendarDate{2900, 3, 1}));
  // Before March 1600 the centuries differ again: 1600 is no leap year here (it leaves 700), 1500 is,
  // 1400 is not.
  EXPECT_EQ(RevisedJulianFromDayNumber(DayNumberOf({1600, 2, 29})), (CalendarDate{1600, 2, 28}));
  EXPECT_FALSE(IsRevisedJulianLeapYear(1600));
  EXPECT_TRUE(IsRevisedJulianLeapYear(1500));
  EXPECT_FALSE(IsRevisedJulianLeapYear(1400));
  for (const int32_t year : {2000, 2400, 2900, 3300, 3800}) EXPECT_TRUE(IsRevisedJulianLeapYear(year)) << year;
  for (const int32_t year : {1900, 2100, 2200, 2300, 2500, 2600, 2700, 2800, 3000, 3100, 3200}) {
    EXPECT_FALSE(IsRevisedJulianLeapYear(year)) << year;
  }
}

}  // namespace
}  // namespace qv
