// Counting and stepping working days and months, against the worked values and against a
// plain day-by-day count.
#include <gtest/gtest.h>

#include <random>

#include "calendar/civil.h"
#include "calendar/calendar_codes.h"
#include "calendar/day_numbers.h"
#include "calendar/leap_week.h"
#include "compute/day_arithmetic.h"
#include "support/dates.h"

namespace qv {
namespace {

using test::Jdn;

TEST(CountDaysBetween, WorkedValues) {
  struct Case {
    int32_t first, second;
    bool weekends, include_first;
    int32_t result;
  } cases[] = {
      {Jdn(2008, 7, 14), Jdn(2008, 7, 21), true, false, 7},  {Jdn(2008, 7, 14), Jdn(2008, 7, 21), true, true, 8},
      {Jdn(2008, 7, 14), Jdn(2008, 7, 21), false, false, 5}, {Jdn(2008, 7, 14), Jdn(2008, 7, 21), false, true, 6},
      {Jdn(2008, 7, 18), Jdn(2008, 7, 21), false, false, 1}, {Jdn(2008, 7, 19), Jdn(2008, 7, 20), false, true, 0},
      {Jdn(2008, 7, 21), Jdn(2008, 7, 14), false, false, -5}, {Jdn(2008, 7, 16), Jdn(2008, 7, 16), true, true, 1},
      {Jdn(2008, 7, 16), Jdn(2008, 7, 16), true, false, 0},  {Jdn(2008, 7, 16), Jdn(2008, 7, 16), false, true, 1},
      {Jdn(2008, 7, 19), Jdn(2008, 7, 19), false, true, 0},  {Jdn(2008, 7, 14), Jdn(2008, 8, 11), false, false, 20},
      {Jdn(2008, 7, 21), Jdn(2008, 7, 14), true, true, -8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountDaysBetween(c.first, c.second, {c.weekends, c.include_first}), c.result)
        << c.first << " " << c.second << " " << c.weekends << c.include_first;
  }
}

// The obvious count: step over every day of the span.
int64_t SlowWorkingDays(int32_t first, int32_t second) {
  int64_t count = 0;
  if (second >= first) {
    for (int64_t i = int64_t{first} + 1; i <= second; ++i) count += IsWorkingDay(static_cast<int32_t>(i)) ? 1 : 0;
  } else {
    for (int64_t i = int64_t{second} + 1; i <= first; ++i) count -= IsWorkingDay(static_cast<int32_t>(i)) ? 1 : 0;
  }
  return count;
}

TEST(CountDaysBetween, WorkingDaysMatchADayByDayCount) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int32_t> start(-2'000'000'000, 2'000'000'000), span(-400, 400);
  for (int i = 0; i < 20000; ++i) {
    const int32_t first = start(random), second = first + span(random);
    ASSERT_EQ(CountDaysBetween(first, second, {false, false}), SlowWorkingDays(first, second)) << first << " " << second;
  }
}

TEST(CountDaysBetween, OverflowIsReported) {
  EXPECT_EQ(CountDaysBetween(-2'099'999'999, 2'099'999'999, {true, false}), std::nullopt);
  EXPECT_EQ(CountDaysBetween(2'099'999'999, -2'099'999'999, {false, true}), std::nullopt);
  EXPECT_EQ(CountDaysBetween(-47'483'648, 2'100'000'000, {true, true}), std::nullopt);  // 2^31 - 1 plus the first day
  EXPECT_EQ(CountDaysBetween(-47'483'647, 2'100'000'000, {true, false}), 2'147'483'647);
}

TEST(AddingDays, WorkedValues) {
  struct Case {
    bool from_first;
    int32_t given, difference;
    bool weekends, include_first;
    int32_t result;
  } cases[] = {
      {true, Jdn(2008, 7, 18), 1, false, false, Jdn(2008, 7, 21)},
      {true, Jdn(2008, 7, 14), 5, false, false, Jdn(2008, 7, 21)},
      {true, Jdn(2008, 7, 14), 5, false, true, Jdn(2008, 7, 18)},
      {true, Jdn(2008, 7, 19), 5, false, false, Jdn(2008, 7, 26)},
      {true, Jdn(2008, 7, 14), -1, false, false, Jdn(2008, 7, 11)},
      {false, Jdn(2008, 7, 21), 1, false, false, Jdn(2008, 7, 18)},
      {false, Jdn(2008, 7, 20), 5, false, false, Jdn(2008, 7, 11)},
      {true, Jdn(2008, 7, 12), 10, true, false, Jdn(2008, 7, 22)},
      {true, Jdn(2008, 7, 12), 10, true, true, Jdn(2008, 7, 21)},
      {true, Jdn(2008, 7, 14), 1, false, true, Jdn(2008, 7, 14)},
      {true, Jdn(2008, 7, 12), 0, false, true, Jdn(2008, 7, 12)},
      {false, Jdn(2008, 7, 12), 0, false, true, Jdn(2008, 7, 12)},
      {false, Jdn(2008, 7, 21), -1, false, false, Jdn(2008, 7, 22)},
      {false, Jdn(2008, 7, 21), 1, false, true, Jdn(2008, 7, 21)},
      {false, Jdn(2008, 7, 21), -1, false, true, Jdn(2008, 7, 21)},
      {false, Jdn(2008, 7, 22), 10, true, true, Jdn(2008, 7, 13)},
  };
  for (const auto& c : cases) {
    const DayCountOptions options{c.weekends, c.include_first};
    const auto result = c.from_first ? SecondDateFromFirst(c.given, c.difference, options)
                                     : FirstDateFromSecond(c.given, c.difference, options);
    EXPECT_EQ(result, c.result) << c.from_first << " " << c.given << " " << c.difference;
  }
}

// Adding n working days and counting them back agree, for working-day starts.
TEST(AddingDays, WorkingDaysInvertTheCount) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int32_t> start(-2'000'000'000, 2'000'000'000), amount(-3000, 3000);
  for (int i = 0; i < 20000; ++i) {
    int32_t first = start(random);
    while (!IsWorkingDay(first)) ++first;
    const int32_t difference = amount(random);
    const auto second = SecondDateFromFirst(first, difference, {false, false});
    ASSERT_TRUE(second.has_value());
    ASSERT_EQ(CountDaysBetween(first, *second, {false, false}), difference) << first << " " << difference;
  }
}

TEST(AddingDays, LimitsOfTheDayNumbers) {
  EXPECT_EQ(SecondDateFromFirst(2'099'999'999, 1, {true, false}), 2'100'000'000);
  EXPECT_EQ(SecondDateFromFirst(2'099'999'999, 2, {true, false}), std::nullopt);
  EXPECT_EQ(SecondDateFromFirst(2'110'000'000, 0, {true, false}), std::nullopt);
  EXPECT_EQ(FirstDateFromSecond(-2'110'000'000, 0, {false, true}), std::nullopt);
  EXPECT_EQ(FirstDateFromSecond(-2'100'000'000, 2'100'000'000, {false, true}), std::nullopt);
  EXPECT_EQ(SecondDateFromFirst(2'100'000'000, 2'100'000'000, {false, false}), std::nullopt);
  EXPECT_EQ(SecondDateFromFirst(INT32_MIN, INT32_MIN, {false, true}), std::nullopt);
}

DateFields Date(int32_t y, int32_t m, int32_t d, int32_t letter = kLetterGregorian) {
  DateFields f = test::DateOf(y, m, d, letter);
  DateToDayNumber(f);
  return f;
}

TEST(AddMonths, WorkedValues) {
  struct Case {
    DateFields source;
    int32_t months;
    int32_t year, month, day;
  } cases[] = {
      {Date(2008, 1, 31), 1, 2008, 2, 29},  {Date(2008, 3, 31), -1, 2008, 2, 29}, {Date(2009, 3, 31), -1, 2009, 2, 28},
      {Date(2008, 11, 15), 3, 2009, 2, 15}, {Date(2008, 1, 15), -13, 2006, 12, 15}, {Date(2008, 1, 15), 12, 2009, 1, 15},
      {Date(2008, 2, 29), -12, 2007, 2, 28}, {Date(2008, 2, 29), 48, 2012, 2, 29},  {Date(2008, 5, 20), 0, 2008, 5, 20},
      {Date(1900, 1, 29, kLetterJulian), 1, 1900, 2, 29}, {Date(-1, 12, 31), 2, 0, 2, 29},
      {Date(2008, 1, 15), -24000, 8, 1, 15},
  };
  for (const auto& c : cases) {
    const auto target = AddMonths(c.source, c.months, MonthsOf::RecordCalendar);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->Year, c.year) << c.source.Year << "-" << c.source.Month << " + " << c.months;
    EXPECT_EQ(target->Month, c.month) << c.source.Year << "-" << c.source.Month << " + " << c.months;
    EXPECT_EQ(target->Day, c.day) << c.source.Year << "-" << c.source.Month << " + " << c.months;
    DateFields check = *target;
    EXPECT_EQ(DateToDayNumber(check), target->DayNumber);
  }
}

TEST(AddMonths, LeapWeekMonthsAndOverflow) {
  DateFields leap_week;  // year 2012, month 1, day 35 of the leap-week month form
  leap_week.Year = 2012;
  leap_week.Month = 1;
  leap_week.Day = 35;
  const auto target = AddMonths(leap_week, 1, MonthsOf::LeapWeekCalendar);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->Month, 2);
  EXPECT_EQ(target->Day, 28);
  // 2012 is a common year: December has 28 days.
  const auto december = AddMonths(leap_week, 11, MonthsOf::LeapWeekCalendar);
  ASSERT_TRUE(december.has_value());
  EXPECT_EQ(december->Day, 28);
  leap_week.Year = 2008;  // 2009 is a leap year: its December has 35 days
  EXPECT_EQ(AddMonths(leap_week, 23, MonthsOf::LeapWeekCalendar)->Day, 35);
  EXPECT_EQ(AddMonths(Date(5'800'000, 1, 1), 2'100'000'000, MonthsOf::RecordCalendar), std::nullopt);
  leap_week.Year = 5'800'000;
  EXPECT_EQ(AddMonths(leap_week, 2'100'000'000, MonthsOf::LeapWeekCalendar), std::nullopt);
}

// A result beyond ±2,100,000,000 is out of range even where it still fits 32 bits, as for
// a days addition: twelve months on from a date near the limit lands just inside or outside.
TEST(AddMonths, StopsAtTheDayNumberLimit) {
  for (const int32_t sign : {1, -1}) {
    for (const bool leap_week : {false, true}) {
      for (const int32_t days_before_limit : {500, 100, 0}) {
        DateFields source;
        if (leap_week) {
          LeapWeekDate date;
          date.DayNumber = sign * (DayNumberLimit - days_before_limit);
          DayNumberToLeapMonthDate(date);
          source.Year = date.Year;
          source.Month = date.Month;
          source.Day = date.DayOfMonth;
          source.DayNumber = date.DayNumber;
        } else {
          source.Calendar = kLetterGregorian;
          source.DayNumber = sign * (DayNumberLimit - days_before_limit);
          DayNumberToDate(source);
        }
        const auto target = AddMonths(source, sign * 12, leap_week ? MonthsOf::LeapWeekCalendar : MonthsOf::RecordCalendar);
        const bool inside = target.has_value();
        // One year on moves 364 … 371 days: from 500 days inside the limit it stays inside, from
        // 100 or 0 days it leaves.
        EXPECT_EQ(inside, days_before_limit == 500) << sign << " " << leap_week << " " << days_before_limit;
        if (inside) {
          EXPECT_LE(target->DayNumber * int64_t{sign}, DayNumberLimit);
        }
      }
    }
  }
}

}  // namespace
}  // namespace qv
