// Months mode in the added calendars' own months: the day is kept or shortened to the target
// month's last day, a Hebrew leap year counts 13 months, the French complementary days count as a
// month, and a result beyond the day-number range is refused.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <optional>
#include <random>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "compute/day_arithmetic.h"

namespace qv {
namespace {

DateFields Fields(int32_t year, int32_t month, int32_t day) {
  DateFields fields;
  fields.Year = year;
  fields.Month = month;
  fields.Day = day;
  return fields;
}

struct MonthsCase {
  CalendarCode code;
  CalendarDate from;
  int32_t months;
  CalendarDate to;
};

TEST(AddedCalendarMonths, KeepsOrShortensTheDay) {
  const MonthsCase cases[] = {
      {cal::HEB, {5784, 6, 30}, 1, {5784, 7, 29}},    // 30 Adar I → 29 Adar II (leap year)
      {cal::HEB, {5784, 6, 30}, 12, {5785, 5, 30}},   // twelve months on: Shevat of the next year
      {cal::HEB, {5785, 5, 30}, 1, {5785, 6, 29}},    // Shevat 30 → Adar 29 (common year)
      {cal::HEB, {5784, 13, 29}, 1, {5785, 1, 29}},   // Elul → Tishri
      {cal::HEB, {5785, 1, 1}, -1, {5784, 13, 1}},    // back into the leap year's Elul
      {cal::ISL, {1446, 1, 30}, 1, {1446, 2, 29}},
      {cal::ISL, {1446, 12, 29}, 1, {1447, 1, 29}},
      {cal::PER, {1403, 6, 31}, 1, {1403, 7, 30}},
      {cal::PER, {1403, 11, 30}, 1, {1403, 12, 30}},  // 1403 is a leap year: Esfand has 30 days
      {cal::PER, {1404, 11, 30}, 1, {1404, 12, 29}},
      {cal::FRR, {232, 12, 30}, 1, {232, 13, 6}},     // the complementary days count as a month
      {cal::FRR, {233, 12, 30}, 1, {233, 13, 5}},
      {cal::FRR, {233, 13, 5}, 1, {234, 1, 5}},
      {cal::COP, {1739, 12, 30}, 1, {1739, 13, 6}},   // 1739 mod 4 = 3: a leap year
      {cal::COP, {1740, 12, 30}, 1, {1740, 13, 5}},
      {cal::ETH, {2016, 13, 5}, -13, {2015, 13, 5}},
      {cal::IND, {1946, 2, 31}, 6, {1946, 8, 30}},
      {cal::IND, {1945, 12, 30}, 1, {1946, 1, 30}},
  };
  for (const MonthsCase& c : cases) {
    const AddedCalendarRules& rules = *AddedCalendarRulesOf(c.code);
    const std::optional<DateFields> result = AddAddedCalendarMonths(rules, Fields(c.from.year, c.from.month, c.from.day), c.months);
    ASSERT_TRUE(result) << CalendarTextCode(c.code) << " " << c.from.year;
    EXPECT_EQ(result->Year, c.to.year) << CalendarTextCode(c.code);
    EXPECT_EQ(result->Month, c.to.month) << CalendarTextCode(c.code);
    EXPECT_EQ(result->Day, c.to.day) << CalendarTextCode(c.code);
    EXPECT_EQ(result->DayNumber, rules.to_day_number(c.to));
  }
}

// The constant-time addition against a walk of one month at a time.
TEST(AddedCalendarMonths, AgreesWithAMonthByMonthWalk) {
  std::mt19937 random(23);
  std::uniform_int_distribution<int32_t> months(-40, 40);
  for (const CalendarCode code : kAddedCalendars) {
    const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
    if (rules == nullptr) continue;  // MAY has no months
    // Days of the calendar's range, the first ones more often: a sum that leaves a narrow range at
    // its start is refused.
    std::uniform_int_distribution<int32_t> day(std::max(rules->first_day, -2'000'000'000),
                                               std::min(rules->last_day, 2'000'000'000));
    std::uniform_int_distribution<int32_t> near_first(rules->first_day, rules->first_day + 2000);
    const CalendarDate first = rules->from_day_number(rules->first_day);
    const CalendarDate last = rules->from_day_number(rules->last_day);
    for (int i = 0; i < 2000; ++i) {
      const CalendarDate from = rules->from_day_number(i % 4 == 0 ? near_first(random) : day(random));
      const int32_t n = months(random);
      int32_t year = from.year, month = from.month;
      for (int32_t step = 0; step < (n < 0 ? -n : n); ++step) {
        if (n > 0) {
          if (++month > rules->months_in_year(year)) {
            ++year;
            month = 1;
          }
        } else if (--month < 1) {
          --year;
          month = rules->months_in_year(year);
        }
      }
      const int16_t length = rules->days_in_month(year, static_cast<int16_t>(month));
      const std::optional<DateFields> result = AddAddedCalendarMonths(*rules, Fields(from.year, from.month, from.day), n);
      // Before the first month of the range, or before its first day within that month: refused.
      const bool before = year < first.year || (year == first.year && month < first.month) ||
                          (year == first.year && month == first.month &&
                           rules->to_day_number({year, static_cast<int16_t>(month),
                                                 static_cast<int16_t>(from.day < length ? from.day : length)}) <
                               rules->first_day);
      // Likewise after the last month of the range, or after its last day within that month.
      const bool after = year > last.year || (year == last.year && month > last.month) ||
                         (year == last.year && month == last.month &&
                          rules->to_day_number({year, static_cast<int16_t>(month),
                                                static_cast<int16_t>(from.day < length ? from.day : length)}) >
                              rules->last_day);
      if (before || after) {
        ASSERT_FALSE(result) << CalendarTextCode(code) << " " << year << "-" << month;
        continue;
      }
      ASSERT_TRUE(result) << CalendarTextCode(code) << " " << year << "-" << month;
      ASSERT_EQ(result->Year, year) << CalendarTextCode(code);
      ASSERT_EQ(result->Month, month) << CalendarTextCode(code);
      ASSERT_EQ(result->Day, from.day < length ? from.day : length) << CalendarTextCode(code);
    }
  }
}

TEST(AddedCalendarMonths, BeyondTheRangeIsRefused) {
  for (const CalendarCode code : kAddedCalendars) {
    const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
    if (rules == nullptr) continue;
    const CalendarDate last = rules->from_day_number(rules->last_day);
    const CalendarDate first = rules->from_day_number(rules->first_day);
    EXPECT_FALSE(AddAddedCalendarMonths(*rules, Fields(last.year, last.month, 1), 2)) << CalendarTextCode(code);
    EXPECT_FALSE(AddAddedCalendarMonths(*rules, Fields(first.year, first.month, 1), -2)) << CalendarTextCode(code);
    EXPECT_FALSE(AddAddedCalendarMonths(*rules, Fields(last.year, last.month, 1), 2'147'483'647)) << CalendarTextCode(code);
    EXPECT_FALSE(AddAddedCalendarMonths(*rules, Fields(first.year, first.month, 1), -2'147'483'647 - 1)) << CalendarTextCode(code);
  }
}

}  // namespace
}  // namespace qv
