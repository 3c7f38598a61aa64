// The Chinese, Korean and Vietnamese lunisolar calendars against dates published by others.
#include "calendar/chinese.h"

#include <gtest/gtest.h>

#include "calendar/civil.h"
#include "support/calendar_date_printing.h"

namespace qv {
namespace {

struct Ce {
  int32_t year, month, day;
};
int32_t DayOf(Ce ce) { return static_cast<int32_t>(civil::GregorianToDayNumber(ce.year, ce.month, ce.day)); }

// A published month start: the Gregorian day that is the 1st of month `number` (leap or not).
struct MonthStart {
  Lunisolar reckoning;
  Ce ce;
  int32_t year;
  int16_t number;
  bool leap;
};

void ExpectMonthStart(const MonthStart& m) {
  const CalendarDate date = LunisolarFromDayNumber(m.reckoning, DayOf(m.ce));
  const LunisolarMonthName name = LunisolarMonthNameOf(m.reckoning, date.year, date.month);
  EXPECT_EQ(date.year, m.year) << m.ce.year << "-" << m.ce.month << "-" << m.ce.day;
  EXPECT_EQ(name.number, m.number) << m.ce.year << "-" << m.ce.month << "-" << m.ce.day;
  EXPECT_EQ(name.leap, m.leap) << m.ce.year << "-" << m.ce.month << "-" << m.ce.day;
  EXPECT_EQ(date.day, 1) << m.ce.year << "-" << m.ce.month << "-" << m.ce.day;
  EXPECT_EQ(LunisolarToDayNumber(m.reckoning, date), DayOf(m.ce));
}

// Chinese New Year 1903 … 1972 as listed in "Chinese Lunar Zodiac Calendar: actual New Years
// begin dates for the past 100 years" (published list, 2012), and 2000 … 2030 from Fact Monster,
// "Chinese New Year Dates" (2017). The list's 1925 entry (25 January) is a misprint: the new moon
// fell on 24 January 1925 at 14h44 UT, 22h30 Beijing time, so the year began on the 24th by
// every meridian of China; it is left out.
TEST(ChinesePublished, NewYearDays) {
  const Ce days[] = {
      {1903, 1, 29}, {1904, 2, 16}, {1905, 2, 4},  {1906, 1, 25}, {1907, 2, 13}, {1908, 2, 2},  {1909, 1, 22},
      {1910, 2, 10}, {1911, 1, 30}, {1912, 2, 18}, {1913, 2, 6},  {1914, 1, 26}, {1915, 2, 14}, {1916, 2, 3},
      {1917, 1, 23}, {1918, 2, 11}, {1919, 2, 1},  {1920, 2, 20}, {1921, 2, 8},  {1922, 1, 28}, {1923, 2, 16},
      {1924, 2, 5},  {1926, 2, 13}, {1927, 2, 2},  {1928, 1, 23}, {1929, 2, 10}, {1930, 1, 30}, {1931, 2, 17},
      {1932, 2, 6},  {1933, 1, 26}, {1934, 2, 14}, {1935, 2, 4},  {1936, 1, 24}, {1937, 2, 11}, {1938, 1, 31},
      {1939, 2, 19}, {1940, 2, 8},  {1941, 1, 27}, {1942, 2, 15}, {1943, 2, 5},  {1944, 1, 25}, {1945, 2, 13},
      {1946, 2, 2},  {1947, 1, 22}, {1948, 2, 10}, {1949, 1, 29}, {1950, 2, 17}, {1951, 2, 6},  {1952, 1, 27},
      {1953, 2, 14}, {1954, 2, 3},  {1955, 1, 24}, {1956, 2, 12}, {1957, 1, 31}, {1958, 2, 18}, {1959, 2, 8},
      {1960, 1, 28}, {1961, 2, 15}, {1962, 2, 5},  {1963, 1, 25}, {1964, 2, 13}, {1965, 2, 2},  {1966, 1, 21},
      {1967, 2, 9},  {1968, 1, 30}, {1969, 2, 17}, {1970, 2, 6},  {1971, 1, 27}, {1972, 2, 15}, {2000, 2, 5},
      {2001, 1, 24}, {2002, 2, 12}, {2003, 2, 1},  {2004, 1, 22}, {2005, 2, 9},  {2006, 1, 29}, {2007, 2, 18},
      {2008, 2, 7},  {2009, 1, 26}, {2010, 2, 14}, {2011, 2, 3},  {2012, 1, 23}, {2013, 2, 10}, {2014, 1, 31},
      {2015, 2, 19}, {2016, 2, 8},  {2017, 1, 28}, {2018, 2, 16}, {2019, 2, 5},  {2020, 1, 25}, {2021, 2, 12},
      {2022, 2, 1},  {2023, 1, 22}, {2024, 2, 10}, {2025, 1, 29}, {2026, 2, 17}, {2027, 2, 6},  {2028, 1, 26},
      {2029, 2, 13}, {2030, 2, 3},
  };
  for (const Ce& ce : days) {
    ExpectMonthStart({Lunisolar::China, ce, ce.year, 1, false});
    EXPECT_EQ(LunisolarNewYear(Lunisolar::China, ce.year), DayOf(ce)) << ce.year;
  }
}

// Month starts and leap months that others published:
//  - Hong Kong Observatory, Gregorian–Lunar Calendar Conversion Table (notes): the new moons of
//    28 September 2057, 4 September 2089 and 7 August 2097 fall so near midnight that the table's
//    month starts on those days carry a day's uncertainty; the table starts the months on them;
//  - Hong Kong Observatory blog, "Which day is the Tuen Ng Festival for this year (2013)?" (3 May
//    2013): the 5th month of 2013 began on 8 June, and the Lunar New Year of 2030 is 3 February;
//  - H. Aslaksen, The Mathematics of the Chinese Calendar (NUS 2004), and GB/T 33661-2017: the
//    leap month of 2033 follows the 11th month (the 11th month holds the December solstice, and
//    the month after it is the first without a major term), beginning on 22 December 2033;
//  - timeanddate.com, "The Chinese Leap Year": 2006 was a leap year (the leap 7th month began
//    on 24 August 2006).
TEST(ChinesePublished, MonthStartsAndLeapMonths) {
  const MonthStart starts[] = {
      {Lunisolar::China, {2057, 9, 28}, 2057, 9, false}, {Lunisolar::China, {2089, 9, 4}, 2089, 8, false},
      {Lunisolar::China, {2097, 8, 7}, 2097, 7, false},  {Lunisolar::China, {2013, 6, 8}, 2013, 5, false},
      {Lunisolar::China, {2033, 12, 22}, 2033, 11, true}, {Lunisolar::China, {2034, 1, 20}, 2033, 12, false},
      {Lunisolar::China, {2006, 8, 24}, 2006, 7, true},
  };
  for (const MonthStart& m : starts) ExpectMonthStart(m);
  EXPECT_EQ(ChineseLeapMonth(2033), 12);  // the 12th place: leap 11th, after the 11th month
  EXPECT_EQ(ChineseMonthsInYear(2033), 13);
  EXPECT_EQ(ChineseLeapMonth(2034), 0);
}

// Where the meridian moves the month:
//  - Tết 1985 was 21 January in Vietnam, while the Chinese New Year was 20 February (widely
//    reported, e.g. Hồ Ngọc Đức's account of the Vietnamese calendar's rules): Vietnam's 11th
//    month of 1984 began a day earlier, which moved the leap month;
//  - Tết 1968 fell on 29 January in the North, the first year of the calendar for UTC+7 (decree
//    of 8 August 1967), a day before the Chinese New Year of 30 January;
//  - the leap 8th month of 1995 began on 24 September in Vietnam, 25 September in China (the new
//    moon at 23h55 in Hanoi, 0h55 in Beijing);
//  - Seollal 1997 fell on 8 February in Korea (public holidays of 7–9 February 1997), a day after
//    the Chinese New Year of 7 February: the new moon came at 0h06 Korean time, 23h06 in Beijing.
TEST(LunisolarPublished, MeridiansMoveTheMonth) {
  const MonthStart starts[] = {
      {Lunisolar::Vietnam, {1985, 1, 21}, 1985, 1, false}, {Lunisolar::China, {1985, 2, 20}, 1985, 1, false},
      {Lunisolar::Vietnam, {1968, 1, 29}, 1968, 1, false}, {Lunisolar::China, {1968, 1, 30}, 1968, 1, false},
      {Lunisolar::Vietnam, {1995, 9, 24}, 1995, 8, true},  {Lunisolar::China, {1995, 9, 25}, 1995, 8, true},
      {Lunisolar::Korea, {1997, 2, 8}, 1997, 1, false},    {Lunisolar::China, {1997, 2, 7}, 1997, 1, false},
  };
  for (const MonthStart& m : starts) ExpectMonthStart(m);
  EXPECT_NE(LunisolarNewYear(Lunisolar::Vietnam, 1985), LunisolarNewYear(Lunisolar::China, 1985));
}

// Every day of the range, in each reckoning, read and written back; months of 29 or 30 days,
// years of 12 or 13 months and 353 … 385 days, one leap month in a year of 13, the days
// consecutive. A slow walk: it checks the cache and the look-ups against each other, not the sky.
TEST(LunisolarWalk, EveryDayOfTheRange) {
  for (const Lunisolar reckoning : {Lunisolar::China, Lunisolar::Korea, Lunisolar::Vietnam}) {
    CalendarDate previous = LunisolarFromDayNumber(reckoning, kChineseFirstDay);
    EXPECT_EQ(previous, (CalendarDate{kLunisolarFirstYear, 1, 1}));
    for (int32_t day = kChineseFirstDay + 1; day <= kChineseLastDay; ++day) {
      const CalendarDate date = LunisolarFromDayNumber(reckoning, day);
      ASSERT_EQ(LunisolarToDayNumber(reckoning, date), day);
      const bool next_day = date.year == previous.year && date.month == previous.month && date.day == previous.day + 1;
      const bool next_month = date.day == 1 && ((date.year == previous.year && date.month == previous.month + 1) ||
                                                (date.year == previous.year + 1 && date.month == 1));
      ASSERT_TRUE(next_day || next_month) << day;
      if (next_month) {
        ASSERT_TRUE(previous.day == 29 || previous.day == 30) << day;
      }
      previous = date;
    }
    EXPECT_EQ(previous.year, kLunisolarLastYear);
    for (int32_t year = kLunisolarFirstYear; year <= kLunisolarLastYear; ++year) {
      const LunisolarYear& y = LunisolarYearOf(reckoning, year);
      const int32_t length = y.next_new_year - y.new_year;
      EXPECT_EQ(y.months == 13, y.leap_place != 0) << year;
      EXPECT_TRUE(y.months == 12 ? (length >= 353 && length <= 355) : (length >= 383 && length <= 385)) << year;
      EXPECT_EQ(LunisolarMonthFromIndex(reckoning, LunisolarMonthIndex(reckoning, year, y.months)),
                (CalendarDate{year, y.months, 1}));
      if (year < kLunisolarLastYear) {
        EXPECT_EQ(LunisolarMonthIndex(reckoning, year + 1, 1), LunisolarMonthIndex(reckoning, year, y.months) + 1);
      }
    }
  }
}

// The bounds the plumbing refuses outside are those of the reckoning.
TEST(LunisolarRange, BoundsAreTheFirstAndLastDays) {
  EXPECT_EQ(LunisolarNewYear(Lunisolar::China, kLunisolarFirstYear), kChineseFirstDay);
  EXPECT_EQ(LunisolarYearOf(Lunisolar::China, kLunisolarLastYear).next_new_year - 1, kChineseLastDay);
  EXPECT_EQ(LunisolarNewYear(Lunisolar::Korea, kLunisolarFirstYear), kKoreanFirstDay);
  EXPECT_EQ(LunisolarYearOf(Lunisolar::Korea, kLunisolarLastYear).next_new_year - 1, kKoreanLastDay);
  EXPECT_EQ(LunisolarNewYear(Lunisolar::Vietnam, kLunisolarFirstYear), kVietnameseFirstDay);
  EXPECT_EQ(LunisolarYearOf(Lunisolar::Vietnam, kLunisolarLastYear).next_new_year - 1, kVietnameseLastDay);
  // Outside the range the functions stay total: clamped, never undefined.
  EXPECT_EQ(ChineseFromDayNumber(INT32_MIN), (CalendarDate{kLunisolarFirstYear, 1, 1}));
  EXPECT_EQ(ChineseFromDayNumber(INT32_MAX).year, kLunisolarLastYear);
  EXPECT_EQ(ChineseDaysInMonth(2024, 14), 0);
  EXPECT_EQ(ChineseMonthFromIndex(INT64_MIN), (CalendarDate{kLunisolarFirstYear, 1, 1}));
  EXPECT_GE(ChineseToDayNumber({INT32_MAX, INT16_MAX, INT16_MAX}), kChineseLastDay);
}

}  // namespace
}  // namespace qv
