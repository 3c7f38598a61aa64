// ISO 8601 week dates and ordinal dates.
#include <gtest/gtest.h>

#include <random>

#include "calendar/civil.h"
#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "support/dates.h"

namespace qv {
namespace {

using test::Jdn;

TEST(IsoWeekDates, KnownDays) {
  struct Case {
    int32_t day_number, year, week, weekday;
  } cases[] = {{Jdn(2010, 1, 1), 2009, 53, 5}, {Jdn(2012, 12, 31), 2013, 1, 1}, {Jdn(2012, 1, 1), 2011, 52, 7},
               {Jdn(2009, 2, 1), 2009, 5, 7},  {Jdn(2015, 12, 31), 2015, 53, 4}, {Jdn(1, 1, 1), 1, 1, 1}};
  for (const auto& c : cases) {
    IsoWeekDate date;
    date.DayNumber = c.day_number;
    DayNumberToIsoWeekDate(date);
    EXPECT_EQ(date.Year, c.year) << c.day_number;
    EXPECT_EQ(date.Week, c.week) << c.day_number;
    EXPECT_EQ(date.Weekday, c.weekday) << c.day_number;
  }
  EXPECT_EQ(IsoWeekOneMonday(2012), Jdn(2012, 1, 2));
  EXPECT_EQ(IsoWeekOneMonday(2015), Jdn(2014, 12, 29));
}

TEST(IsoWeekDates, FiftyThreeWeekYearsAgreeWithWeekOneMondays) {
  for (const int32_t y : {2004, 2009, 2015, 2020, -2, -8, -13, -19, -24, -30, -36}) EXPECT_TRUE(IsoYearHas53Weeks(y)) << y;
  for (const int32_t y : {2012, 2014}) EXPECT_FALSE(IsoYearHas53Weeks(y)) << y;
  int before_year_one = 0;
  for (int32_t y = -40; y <= 0; ++y) before_year_one += IsoYearHas53Weeks(y) ? 1 : 0;
  EXPECT_EQ(before_year_one, 7);
  std::mt19937 random(5);
  std::uniform_int_distribution<int32_t> any_year(-5'900'000, 5'900'000);
  for (int i = 0; i < 100000; ++i) {
    const int32_t y = i < 5000 ? i - 2500 : any_year(random);
    ASSERT_EQ(IsoYearHas53Weeks(y), IsoWeekOneMonday(y + 1) - IsoWeekOneMonday(y) == 371) << y;
  }
}

TEST(IsoWeekDates, RoundTripAndWeekdaySteps) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int32_t> any_day(-2'100'000'000, 2'100'000'000);
  for (int i = 0; i < 200000; ++i) {
    IsoWeekDate date;
    date.DayNumber = any_day(random);
    const int32_t day_number = date.DayNumber;
    DayNumberToIsoWeekDate(date);
    ASSERT_GE(date.Week, 1);
    ASSERT_LE(date.Week, IsoYearHas53Weeks(date.Year) ? 53 : 52);
    ASSERT_EQ(date.Weekday, DayOfWeek(day_number) == 0 ? 7 : DayOfWeek(day_number));
    date.DayNumber = 0;
    IsoWeekDateToDayNumber(date);
    ASSERT_EQ(date.DayNumber, day_number);
  }
  // Every day of a span crossing year 0 steps the week date by one day.
  IsoWeekDate previous;
  previous.DayNumber = Jdn(-450, 1, 1);
  DayNumberToIsoWeekDate(previous);
  for (int32_t d = previous.DayNumber + 1; d < Jdn(450, 1, 1); ++d) {
    IsoWeekDate date;
    date.DayNumber = d;
    DayNumberToIsoWeekDate(date);
    ASSERT_EQ(date.Weekday, previous.Weekday % 7 + 1);
    if (date.Weekday == 1) {
      const bool new_year = previous.Week == (IsoYearHas53Weeks(previous.Year) ? 53 : 52);
      ASSERT_EQ(date.Week, new_year ? 1 : previous.Week + 1) << d;
      ASSERT_EQ(date.Year, previous.Year + (new_year ? 1 : 0)) << d;
    }
    previous = date;
  }
}

TEST(OrdinalDates, DayNumbers) {
  EXPECT_EQ(OrdinalToDayNumber(1, 1), 1721426);
  EXPECT_EQ(OrdinalToDayNumber(9999, 365), 5373484);
  EXPECT_EQ(OrdinalToDayNumber(2012, 366), Jdn(2012, 12, 31));
}

IsoWeekDate Iso(int32_t y, int32_t w, int32_t d) {
  IsoWeekDate date;
  date.Year = y;
  date.Week = w;
  date.Weekday = d;
  return date;
}

TEST(IsoBreakdown, YearsWeeksDays) {
  struct Case {
    IsoWeekDate earlier, later;
    int32_t years;
    int16_t weeks, days;
  } cases[] = {{Iso(2012, 10, 5), Iso(2013, 10, 3), 0, 51, 5},
               {Iso(2012, 10, 3), Iso(2012, 12, 1), 0, 1, 5},
               {Iso(2015, 50, 1), Iso(2016, 10, 1), 0, 13, 0},
               {Iso(2012, 1, 1), Iso(2014, 1, 1), 2, 0, 0},
               {Iso(2012, 5, 3), Iso(2013, 5, 1), 0, 51, 5}};
  for (const auto& c : cases) {
    int32_t years = -1, negative = -5;
    int16_t weeks = -1, days = -1;
    YearsWeeksDaysBetween(c.earlier, c.later, years, weeks, days, negative);
    EXPECT_EQ(negative, 0);
    EXPECT_EQ(years, c.years) << c.earlier.Year << "W" << c.earlier.Week;
    EXPECT_EQ(weeks, c.weeks) << c.earlier.Year << "W" << c.earlier.Week;
    EXPECT_EQ(days, c.days) << c.earlier.Year << "W" << c.earlier.Week;
  }
}

TEST(OrdinalBreakdown, YearsDays) {
  DateFields earlier, later;
  earlier.Calendar = later.Calendar = kLetterGregorian;
  earlier.DayNumber = OrdinalToDayNumber(2011, 300);
  later.DayNumber = OrdinalToDayNumber(2013, 10);
  DayNumberToDate(earlier);
  DayNumberToDate(later);
  int32_t years = 0, error = -1;
  int16_t days = 0;
  YearsDaysBetween(earlier, later, years, days, error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(years, 1);
  EXPECT_EQ(days, 76);
}

}  // namespace
}  // namespace qv
