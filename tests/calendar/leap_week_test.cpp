// The leap-week calendar against the plain year-by-year reading of its rules.
#include <gtest/gtest.h>

#include <random>

#include "calendar/leap_week.h"

namespace qv {
namespace {

// Slow reference: walk whole 400-year cycles, then single years, exactly as the rules read.
struct SlowDate {
  int64_t year;
  int week, weekday;
};

bool SlowIsLeap(int64_t y) {
  int64_t r = (71 * y + 203) % 400;
  if (r < 0) r += 400;
  return r < 71;
}

SlowDate SlowFromDayNumber(int64_t d) {
  int64_t n = 0;
  while (d <= 1721418) {
    d += 146097;
    --n;
  }
  while (d >= 1721419 + 146097) {
    d -= 146097;
    ++n;
  }
  int64_t start = 1721419, i = 1;
  while (d >= start + (SlowIsLeap(i) ? 371 : 364)) {
    start += SlowIsLeap(i) ? 371 : 364;
    ++i;
  }
  const int64_t k = d - start;
  return {i + 400 * n, static_cast<int>(k / 7 + 1), static_cast<int>(k % 7 + 1)};
}

int64_t SlowToDayNumber(int64_t year, int week, int weekday) {
  int64_t y = year, n = 0;
  while (y <= 0) {
    y += 400;
    --n;
  }
  while (y >= 401) {
    y -= 400;
    ++n;
  }
  int64_t b = 0;
  for (int64_t i = 1; i < y; ++i) b += SlowIsLeap(i) ? 371 : 364;
  return 1721418 + b + (week - 1) * 7 + weekday + 146097 * n;
}

TEST(LeapWeekAgainstLoopForm, RandomDayNumbersOverTheWholeRange) {
  std::mt19937 random(1207);
  // The slow form walks up to ~5,800 cycles at the ends, so keep the count moderate.
  std::uniform_int_distribution<int32_t> any_day(-2'100'000'000, 2'100'000'000);
  for (int i = 0; i < 3000; ++i) {
    const int32_t day_number = any_day(random);
    LeapWeekDate date;
    date.DayNumber = day_number;
    DayNumberToLeapWeekDate(date);
    const SlowDate slow = SlowFromDayNumber(day_number);
    ASSERT_EQ(date.Year, slow.year) << day_number;
    ASSERT_EQ(date.Week, slow.week) << day_number;
    ASSERT_EQ(date.Weekday, slow.weekday) << day_number;
    ASSERT_EQ(SlowToDayNumber(date.Year, date.Week, date.Weekday), day_number);
  }
}

TEST(LeapWeekAgainstLoopForm, EveryDayOfASpanCrossingYearZero) {
  LeapWeekDate previous;
  previous.DayNumber = 1721419 - 3 * 146097;
  DayNumberToLeapWeekDate(previous);
  for (int32_t day_number = previous.DayNumber + 1; day_number < 1721419 + 2 * 146097; ++day_number) {
    LeapWeekDate date;
    date.DayNumber = day_number;
    DayNumberToLeapWeekDate(date);
    // Weekdays cycle; a new week starts after Sunday; a new year after its last week.
    ASSERT_EQ(date.Weekday, previous.Weekday % 7 + 1) << day_number;
    if (previous.Weekday == 7) {
      const bool year_ended = previous.Week == LeapWeekYearWeeks(IsLeapWeekYear(previous.Year));
      ASSERT_EQ(date.Year, previous.Year + (year_ended ? 1 : 0)) << day_number;
      ASSERT_EQ(date.Week, year_ended ? 1 : previous.Week + 1) << day_number;
    } else {
      ASSERT_EQ(date.Week, previous.Week);
    }
    LeapWeekDate month_form = date;
    ASSERT_TRUE(WeekFormToMonthForm(month_form));
    LeapWeekDate back;
    back.Year = month_form.Year;
    back.Month = month_form.Month;
    back.DayOfMonth = month_form.DayOfMonth;
    ASSERT_TRUE(LeapMonthDateToDayNumber(back));
    ASSERT_EQ(back.DayNumber, day_number);
    previous = date;
  }
}

TEST(LeapWeekRoundTrip, RandomAndExtremeDayNumbers) {
  std::mt19937 random(99);
  std::uniform_int_distribution<int32_t> any_day(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 300000; ++i) {
    const int32_t day_number = i < 4 ? std::array{INT32_MIN, INT32_MAX, 0, -1}[static_cast<std::size_t>(i)]
                                     : any_day(random);
    LeapWeekDate date;
    date.DayNumber = day_number;
    DayNumberToLeapMonthDate(date);
    LeapWeekDate week_form{date.Year, 0, 0, date.Week, date.Weekday, 0, 0};
    ASSERT_TRUE(LeapWeekDateToDayNumber(week_form)) << day_number;
    ASSERT_EQ(week_form.DayNumber, day_number);
    LeapWeekDate month_form{date.Year, date.Month, date.DayOfMonth, 0, 0, 0, 0};
    ASSERT_TRUE(LeapMonthDateToDayNumber(month_form)) << day_number;
    ASSERT_EQ(month_form.DayNumber, day_number);
  }
}

TEST(LeapWeekYears, LeapRule) {
  for (const int32_t y : {-8, -2, 3, 9, 15, 20, 26, 2003, 2009, 2015}) EXPECT_TRUE(IsLeapWeekYear(y)) << y;
  for (const int32_t y : {-7, -1, 0, 1, 2, 4, 2012, 2013}) EXPECT_FALSE(IsLeapWeekYear(y)) << y;
  int leaps = 0;
  for (int32_t y = 1; y <= 400; ++y) leaps += IsLeapWeekYear(y) ? 1 : 0;
  EXPECT_EQ(leaps, 71);
  EXPECT_EQ(LeapWeekYearStart(401) - LeapWeekYearStart(1), 146097);
  // The rule holds at the ends of the 32-bit years too (71y + 203 must not overflow).
  for (const int32_t y : {INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX}) {
    EXPECT_EQ(IsLeapWeekYear(y), SlowIsLeap(y)) << y;
  }
}

struct FixedLeapDate {
  int32_t day_number, year;
  int16_t week, weekday, month, day;
};

TEST(LeapWeekFixedPoints, KnownDays) {
  const FixedLeapDate points[] = {
      {1721419, 1, 1, 1, 1, 1},    {1721426, 1, 2, 1, 1, 8},     {2451545, 2000, 1, 6, 1, 6},
      {2456293, 2013, 2, 1, 1, 8}, {0, -4713, 49, 1, 12, 1},     {1721418, 0, 52, 7, 12, 28},
  };
  for (const auto& p : points) {
    LeapWeekDate date;
    date.DayNumber = p.day_number;
    DayNumberToLeapMonthDate(date);
    EXPECT_EQ(date.Year, p.year) << p.day_number;
    EXPECT_EQ(date.Week, p.week) << p.day_number;
    EXPECT_EQ(date.Weekday, p.weekday) << p.day_number;
    EXPECT_EQ(date.Month, p.month) << p.day_number;
    EXPECT_EQ(date.DayOfMonth, p.day) << p.day_number;
    EXPECT_EQ(date.Status, kLeapWeekInRange);
  }
}

TEST(LeapWeekRangeChecks, StatusValues) {
  struct WeekCase {
    int32_t year;
    int16_t week, weekday, status;
  } week_cases[] = {{2012, 53, 1, kLeapWeekBadWeekOrMonth}, {2015, 53, 1, kLeapWeekInRange},
                    {2012, 0, 1, kLeapWeekBadWeekOrMonth},  {2012, 1, 0, kLeapWeekBadDay},
                    {2012, 1, 8, kLeapWeekBadDay},          {2012, 99, 8, kLeapWeekBadDay}};
  for (const auto& c : week_cases) {
    LeapWeekDate date{c.year, 0, 0, c.week, c.weekday, 0, 0};
    EXPECT_EQ(CheckLeapWeekDate(date), c.status) << c.year << " " << c.week << " " << c.weekday;
    EXPECT_EQ(LeapWeekDateToDayNumber(date), c.status == kLeapWeekInRange);
    EXPECT_EQ(date.Status, c.status);
  }
  struct MonthCase {
    int32_t year;
    int16_t month, day, status, week, weekday;
  } month_cases[] = {{2009, 12, 35, kLeapWeekInRange, 53, 7}, {2012, 12, 29, kLeapWeekBadDay, 0, 0},
                     {2012, 12, 28, kLeapWeekInRange, 52, 7}, {2012, 0, 1, kLeapWeekBadWeekOrMonth, 0, 0},
                     {2012, 13, 1, kLeapWeekBadWeekOrMonth, 0, 0}, {2012, 1, 0, kLeapWeekBadDay, 0, 0},
                     {2012, 1, 35, kLeapWeekInRange, 5, 7}, {2012, 2, 29, kLeapWeekBadDay, 0, 0}};
  for (const auto& c : month_cases) {
    LeapWeekDate date{c.year, c.month, c.day, 0, 0, 0, 0};
    EXPECT_EQ(MonthFormToWeekForm(date), c.status == kLeapWeekInRange);
    EXPECT_EQ(date.Status, c.status) << c.year << " " << c.month << " " << c.day;
    if (c.status == kLeapWeekInRange) {
      EXPECT_EQ(date.Week, c.week);
      EXPECT_EQ(date.Weekday, c.weekday);
    }
  }
  LeapWeekDate beyond{INT32_MAX, 0, 0, 1, 1, 0, 0};
  EXPECT_FALSE(LeapWeekDateToDayNumber(beyond));  // the day number would not fit 32 bits
}

}  // namespace
}  // namespace qv
