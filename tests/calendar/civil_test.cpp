// Common Era / Julian conversions: fixed points, a contiguous span checked against a plain
// day-by-day calendar walk, the 400-year (and 4-year) periodicity out to the 32-bit ends, and
// the small calendar operations built on them.
#include <gtest/gtest.h>

#include <random>

#include "calendar/calendar_library.h"
#include "calendar/civil.h"
#include "calendar/day_numbers.h"
#include "support/dates.h"

namespace qv {
namespace {

using test::DateOf;

struct FixedPoint {
  int32_t year, month, day;
  char letter;
  int32_t day_number;
  int16_t weekday;
};

TEST(CivilFixedPoints, DatesAndDayNumbersAgree) {
  const FixedPoint points[] = {
      {1, 1, 1, 'G', 1721426, 1},       {9999, 12, 31, 'G', 5373484, 5}, {-4712, 1, 1, 'J', 0, 1},
      {2000, 1, 1, 'G', 2451545, 6},    {2000, 1, 1, 'J', 2451558, 5},   {0, 12, 25, 'G', 1721419, 1},
      {1582, 10, 15, 'G', 2299161, 5},  {1582, 10, 4, 'J', 2299160, 4},  {0, 1, 1, 'G', 1721060, 6},
      {-1, 1, 1, 'G', 1720695, 5},      {2012, 12, 31, 'G', 2456293, 1}, {1900, 2, 29, 'J', 2415092, 2},
  };
  for (const auto& p : points) {
    DateFields f = DateOf(p.year, p.month, p.day, p.letter);
    EXPECT_EQ(DateToDayNumber(f), p.day_number) << p.year << "-" << p.month << "-" << p.day << p.letter;
    EXPECT_EQ(DayOfWeek(p.day_number), p.weekday) << p.day_number;
    DateFields back;
    back.Calendar = p.letter;
    back.DayNumber = p.day_number;
    DayNumberToDate(back);
    EXPECT_EQ(back.Year, p.year);
    EXPECT_EQ(back.Month, p.month);
    EXPECT_EQ(back.Day, p.day);
  }
}

// The next calendar day, the slow and obvious way.
void NextDay(int64_t& y, int32_t& m, int32_t& d, bool julian) {
  const bool leap = julian ? (y % 4 == 0) : (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0));
  const int32_t lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (++d > lengths[m - 1]) {
    d = 1;
    if (++m > 12) {
      m = 1;
      ++y;
    }
  }
}

// Every day of a 400-year Gregorian cycle (and more) crossing year 0, in both calendars.
TEST(CivilContiguousSpan, EveryDayFollowsThePreviousOne) {
  for (const bool julian : {false, true}) {
    int64_t y = -500;
    int32_t m = 1, d = 1;
    int64_t day_number = civil::ToDayNumber(static_cast<int32_t>(y), m, d, julian);
    const int64_t end = day_number + 2 * 146097;
    for (; day_number < end; ++day_number) {
      const civil::YearMonthDay got = civil::FromDayNumber(day_number, julian);
      ASSERT_TRUE(got.year == y && got.month == m && got.day == d) << day_number << " julian " << julian;
      ASSERT_EQ(civil::ToDayNumber(static_cast<int32_t>(y), m, d, julian), day_number);
      NextDay(y, m, d, julian);
    }
  }
}

// The same walk at both ends of the 32-bit day numbers, where the shifted counts of the
// conversions lie nearest their limits: the first and the last two Gregorian cycles, each
// day read back to its date and its date to the day, in both calendars. Each walk starts on the
// date the conversion gives for its first day; the two Gregorian ends are anchored below by
// the plain integer formula (Fliegel and Van Flandern, 1968) worked out by hand.
TEST(CivilContiguousSpan, BothEndsOf32BitDayNumbers) {
  for (const bool julian : {false, true}) {
    for (const int64_t first : {int64_t{INT32_MIN}, int64_t{INT32_MAX} - 2 * 146097}) {
      const civil::YearMonthDay start = civil::FromDayNumber(first, julian);
      int64_t y = start.year;
      int32_t m = start.month, d = start.day;
      for (int64_t day_number = first; day_number < first + 2 * 146097; ++day_number) {
        const civil::YearMonthDay got = civil::FromDayNumber(day_number, julian);
        ASSERT_TRUE(got.year == y && got.month == m && got.day == d) << day_number << " julian " << julian;
        ASSERT_EQ(civil::ToDayNumber(static_cast<int32_t>(y), m, d, julian), day_number);
        NextDay(y, m, d, julian);
      }
    }
  }
  // The ends of the range as dates (proleptic Gregorian, astronomical years).
  EXPECT_EQ(civil::DayNumberToGregorian(INT32_MIN), (civil::YearMonthDay{-5'884'323, 5, 15}));
  EXPECT_EQ(civil::DayNumberToGregorian(INT32_MAX), (civil::YearMonthDay{5'874'898, 6, 3}));
}

// One cycle is exact (above); whole cycles shift by 146097 (Gregorian) or 1461 (Julian) days.
// That carries exactness to every 32-bit day number.
TEST(CivilPeriodicity, WholeCyclesShiftYearsAcrossTheRange) {
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<int64_t> any_day(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 200000; ++i) {
    const int64_t day_number = any_day(random);
    for (const bool julian : {false, true}) {
      const int64_t period = julian ? 1461 : 146097;
      const int64_t years = julian ? 4 : 400;
      const int64_t base = civil::FloorMod(day_number - 1721060, period) + 1721060;
      const int64_t cycles = (day_number - base) / period;
      const civil::YearMonthDay a = civil::FromDayNumber(day_number, julian);
      const civil::YearMonthDay b = civil::FromDayNumber(base, julian);
      ASSERT_EQ(a.year, b.year + cycles * years) << day_number;
      ASSERT_EQ(a.month, b.month);
      ASSERT_EQ(a.day, b.day);
      ASSERT_EQ(civil::ToDayNumber(static_cast<int32_t>(a.year), a.month, a.day, julian), day_number);
    }
  }
}

TEST(CivilRoundTrip, DayNumbersThroughTheLibraryRecord) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> any_day(-2'100'000'000, 2'100'000'000);
  int32_t previous_weekday = -1;
  for (int i = 0; i < 200000; ++i) {
    const int32_t day_number = i < 1000 ? -2'100'000'000 + i : any_day(random);
    for (const int32_t letter : {kLetterGregorian, kLetterJulian, int32_t{0}}) {
      DateFields f;
      f.Calendar = letter;
      f.DayNumber = day_number;
      DayNumberToDate(f);
      f.DayNumber = 0;
      ASSERT_EQ(DateToDayNumber(f), day_number);
    }
    const int32_t weekday = DayOfWeek(day_number);
    if (i > 0 && i < 1000) {
      ASSERT_EQ(weekday, (previous_weekday + 1) % 7);
    }
    previous_weekday = weekday;
  }
}

TEST(CivilExtremes, FullIntRangeDoesNotOverflow) {
  for (const int32_t day_number : {INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX - 1, INT32_MAX}) {
    DateFields f;
    f.Calendar = kLetterGregorian;
    f.DayNumber = day_number;
    DayNumberToDate(f);
    DateFields g = f;
    EXPECT_EQ(DateToDayNumber(g), day_number);
    EXPECT_GE(DayOfWeek(day_number), 0);
    EXPECT_LE(DayOfWeek(day_number), 6);
  }
  DateFields huge = DateOf(200'000'000, 1, 1);
  EXPECT_FALSE(DateToDayNumberChecked(huge));
  DateFields fine = DateOf(5'800'000, 12, 31);
  EXPECT_TRUE(DateToDayNumberChecked(fine));
  EXPECT_EQ(fine.DayNumber, DateToDayNumber(fine));
}

// Years at the ends of 32 bits have no 32-bit day number: refused, and clamped to the end of
// their own side, in every month (January and February count in the year before) and in both
// calendars.
TEST(CivilExtremes, YearsAtTheEndsOf32BitsClampToTheirSide) {
  for (const int32_t letter : {kLetterGregorian, kLetterJulian}) {
    for (const int32_t year : {INT32_MIN, INT32_MIN + 1, -5'900'000, 5'900'000, INT32_MAX - 1, INT32_MAX}) {
      for (const int32_t month : {1, 2, 3, 12}) {
        DateFields date = DateOf(year, month, 1);
        date.Calendar = letter;
        EXPECT_FALSE(DateToDayNumberChecked(date)) << year << "-" << month << " " << letter;
        EXPECT_EQ(DateToDayNumber(date), year < 0 ? INT32_MIN : INT32_MAX) << year << "-" << month << " " << letter;
      }
    }
  }
}

// The record's day number saturates exactly at the 32-bit ends, whatever the fields: the days
// on either side of each end, days of any 32-bit size, and random fields of every size, each
// against the wide value clamped by hand.
TEST(CivilExtremes, SaturationMatchesTheWideValueAtEveryEnd) {
  const auto expect_clamped = [](int32_t year, int32_t month, int32_t day, int32_t letter) {
    const int64_t wide = civil::ToDayNumber(year, month, day, letter == kLetterJulian);
    const int32_t clamped = wide < INT32_MIN ? INT32_MIN : wide > INT32_MAX ? INT32_MAX : static_cast<int32_t>(wide);
    DateFields date = DateOf(year, month, day);
    date.Calendar = letter;
    EXPECT_EQ(DateToDayNumber(date), clamped) << year << "-" << month << "-" << day << " " << letter;
  };
  for (const int32_t letter : {kLetterGregorian, kLetterJulian}) {
    const bool julian = letter == kLetterJulian;
    for (const int64_t end : {int64_t{INT32_MIN}, int64_t{INT32_MAX}}) {
      // Day 0 of January of the year holding the end, and days counted from it across the end.
      const civil::YearMonthDay at = civil::FromDayNumber(end, julian);
      const int64_t zero = civil::ToDayNumber(static_cast<int32_t>(at.year), 1, 0, julian);
      for (int64_t step = -3; step <= 3; ++step) {
        expect_clamped(static_cast<int32_t>(at.year), 1, static_cast<int32_t>(end - zero + step), letter);
      }
    }
    for (const int32_t day : {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX}) {
      for (const int32_t year : {INT32_MIN, -5'879'610, -1, 0, 2000, 5'879'610, INT32_MAX}) {
        for (const int32_t month : {1, 2, 3, 12, 0, 13}) expect_clamped(year, month, day, letter);
      }
    }
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 20'000; ++i) {
      const auto any = [&random] { return static_cast<int32_t>(static_cast<uint32_t>(random())); };
      const int32_t year = i % 2 == 0 ? any() : any() / 256;
      expect_clamped(year, 1 + static_cast<int32_t>(random() % 12), i % 3 == 0 ? any() : any() % 40, letter);
    }
  }
}

TEST(LeapYears, BothRulesIncludingNegativeYears) {
  struct Case {
    int32_t year;
    bool julian;
    bool leap;
  } cases[] = {{1900, false, false}, {1900, true, true},  {2000, false, true},  {2000, true, true},
               {0, false, true},     {-4, false, true},   {-400, false, true},  {-100, false, false},
               {-100, true, true},   {-1, true, false},   {2012, false, true},  {2100, false, false}};
  for (const auto& c : cases) EXPECT_EQ(civil::IsLeap(c.year, c.julian), c.leap) << c.year << c.julian;
  EXPECT_EQ(DaysInYear(0), 366);
  EXPECT_EQ(DaysInYear(-1), 365);
  EXPECT_EQ(DaysInYear(1900), 365);
}

TEST(DayOfYearAndMonths, LengthsAndPositions) {
  DateFields last = DateOf(2012, 12, 31);
  EXPECT_EQ(DayOfYear(last), 366);
  EXPECT_EQ(last.DayNumber, 2456293);
  DateFields feb29 = DateOf(0, 2, 29), mar1 = DateOf(0, 3, 1);
  EXPECT_EQ(DateToDayNumber(feb29) + 1, DateToDayNumber(mar1));
  DateFields jan0 = DateOf(0, 1, 1), jan1 = DateOf(1, 1, 1), janm1 = DateOf(-1, 1, 1);
  EXPECT_EQ(DateToDayNumber(jan1) - DateToDayNumber(jan0), 366);
  EXPECT_EQ(DateToDayNumber(jan0) - DateToDayNumber(janm1), 365);
  int32_t error = 0;
  EXPECT_EQ(DaysInMonth(DateOf(2008, 2, 1), error), 29);
  EXPECT_EQ(DaysInMonth(DateOf(1900, 2, 1), error), 28);
  EXPECT_EQ(DaysInMonth(DateOf(1900, 2, 1, kLetterJulian), error), 29);
  EXPECT_EQ(DaysInMonth(DateOf(2008, 12, 1), error), 31);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(DaysInMonth(DateOf(2008, 13, 1), error), 0);
  EXPECT_NE(error, 0);
}

TEST(YearsMonthsDays, BreakdownOfSpans) {
  struct Case {
    DateFields earlier, later;
    int32_t years;
    int16_t months, days;
  } cases[] = {
      {DateOf(2001, 3, 15), DateOf(2011, 3, 14), 9, 11, 27},
      {DateOf(2001, 3, 15), DateOf(2011, 3, 15), 10, 0, 0},
      {DateOf(2008, 1, 1), DateOf(2008, 3, 15), 0, 2, 14},
      {DateOf(2008, 1, 1), DateOf(2008, 2, 1), 0, 1, 0},
      {DateOf(2008, 1, 31), DateOf(2008, 3, 2), 0, 1, 0},
      // The earlier day is longer than February: borrow January too, so the parts add up.
      {DateOf(2007, 12, 31), DateOf(2009, 3, 1), 1, 1, 29},
      {DateOf(-44, 3, 15), DateOf(2012, 3, 15), 2056, 0, 0},
      {DateOf(2012, 12, 31), DateOf(2013, 1, 1), 0, 0, 1},
  };
  for (const auto& c : cases) {
    int32_t years = -1, error = -1;
    int16_t months = -1, days = -1;
    YearsMonthsDaysBetween(c.earlier, c.later, years, months, days, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(years, c.years) << c.earlier.Year << "-" << c.earlier.Month << "-" << c.earlier.Day;
    EXPECT_EQ(months, c.months) << c.earlier.Year << "-" << c.earlier.Month << "-" << c.earlier.Day;
    EXPECT_EQ(days, c.days) << c.earlier.Year << "-" << c.earlier.Month << "-" << c.earlier.Day;
  }
}

TEST(DaysElapsedInTheLibrary, CountsAndOverflow) {
  int32_t status = 0;
  EXPECT_EQ(days_elapsed(DateOf(2008, 3, 15), DateOf(2008, 1, 1), status), 74);
  EXPECT_EQ(days_elapsed(DateOf(2008, 1, 1), DateOf(2008, 3, 15), status), -74);
  DateFields unlettered = DateOf(2000, 3, 1, 0);
  EXPECT_EQ(days_elapsed(unlettered, DateOf(2000, 2, 1), status), 29);  // letter 0 counts as CE
  EXPECT_EQ(status, 0);
  EXPECT_EQ(days_elapsed(DateOf(5'800'000, 1, 1), DateOf(-5'800'000, 1, 1), status), 0);
  EXPECT_EQ(status, kDaysElapsedOverflow);
}

}  // namespace
}  // namespace qv
