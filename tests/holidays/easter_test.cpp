// Easter Sunday and the Easter tables against the computus year by year.
#include <gtest/gtest.h>

#include <random>

#include "calendar/civil.h"
#include "holidays/easter.h"

namespace qv::holidays {
namespace {

TEST(Easter, KnownSundays) {
  struct Case {
    int32_t year, month, day;
  } cases[] = {{1961, 4, 2}, {1995, 4, 16}, {2000, 4, 23}, {2008, 3, 23}, {2011, 4, 24}, {2019, 4, 21},
               {2024, 3, 31}, {2025, 4, 20}, {2038, 4, 25}, {2100, 3, 28}, {2285, 3, 22}};
  for (const Case& c : cases) {
    const int64_t easter = EasterSunday(c.year);
    EXPECT_EQ(civil::DayNumberToGregorian(easter), (civil::YearMonthDay{c.year, c.month, c.day})) << c.year;
    EXPECT_EQ(civil::IsoWeekday(easter), 7) << c.year;
  }
}

TEST(Easter, RepeatsAfterTheCycle) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int64_t> year(-6'000'000, 6'000'000);
  for (int i = 0; i < 2000; ++i) {
    const int64_t y = year(random);
    ASSERT_EQ(EasterDaysAfterMarch21(y), EasterDaysAfterMarch21(y + kEasterCycleYears)) << y;
    ASSERT_GE(EasterDaysAfterMarch21(y), 1);
    ASSERT_LE(EasterDaysAfterMarch21(y), 35);
  }
}

// Whether a year is one of a key's: its class, or its Easter date.
bool OfKey(int64_t year, int key) {
  return key < kYearClasses ? YearClass(year) == key : EasterDateKey(YearClass(year)) == key;
}

// The years of a key before `year`, counted one by one.
int64_t CountBeforeByLoop(int key, int64_t year) {
  int64_t count = 0;
  for (int64_t y = 0; y < year; ++y) count += OfKey(y, key) ? 1 : 0;
  return count;
}

// The tables agree with counting the years one by one, in every part of the cycle and past it:
// for classes, and for an Easter date over both its classes; the start of a year's 1,024-year
// stretch gives a count of at most the years since.
TEST(EasterYearIndex, CountsMatchALoop) {
  const int keys[] = {YearClass(2008),                 // 23 March, a leap year
                      YearClass(2285),                 // 22 March, the rarest date
                      EasterDateKey(YearClass(2008)),  // 23 March, both
                      EasterDateKey(YearClass(2038))}; // 25 April, both
  YearClassSet wanted;
  for (int key : keys) wanted.set(static_cast<size_t>(key));
  EasterYearIndex::Prepare(wanted);
  // Across the whole cycle once (one loop per key), then points checked against differences.
  for (int key : {keys[0], keys[2]}) {
    const int64_t whole = CountBeforeByLoop(key, kEasterCycleYears);
    EXPECT_EQ(EasterYearIndex::CountBefore(key, kEasterCycleYears), whole) << key;
    EXPECT_EQ(EasterYearIndex::CountBefore(key, 3 * kEasterCycleYears), 3 * whole) << key;
  }
  std::mt19937 random(9);
  std::uniform_int_distribution<int64_t> start(0, 2 * kEasterCycleYears), length(0, 3000);
  for (int i = 0; i < 200; ++i) {
    const int64_t from = start(random), to = from + length(random);
    for (int key : keys) {
      int64_t slow = 0;
      for (int64_t y = from; y < to; ++y) slow += OfKey(y, key) ? 1 : 0;
      ASSERT_EQ(EasterYearIndex::CountBefore(key, to) - EasterYearIndex::CountBefore(key, from), slow) << key << ": " << from << " " << to;
      const int64_t stretch_first = from - from % kEasterCycleYears % 1024;
      int64_t since_stretch = 0;
      for (int64_t y = stretch_first; y < from; ++y) since_stretch += OfKey(y, key) ? 1 : 0;
      ASSERT_EQ(EasterYearIndex::CountBeforeStretch(key, from), EasterYearIndex::CountBefore(key, from) - since_stretch)
          << key << ": " << from;
    }
  }
}

TEST(YearKinds, ClassesFixTheWeekdays) {
  for (int c = 0; c < kYearClasses; ++c) {
    const int32_t year = RepresentativeYear(c);
    ASSERT_EQ(YearClass(year), c);
    ASSERT_EQ(YearKind(year), YearKindOfClass(c));
    // The class's Easter date is a Sunday in that year.
    ASSERT_EQ(civil::IsoWeekday(EasterSunday(year)), 7);
  }
}

}  // namespace
}  // namespace qv::holidays
