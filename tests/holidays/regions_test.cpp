// The regions' holidays of some years against the published lists (gov.uk, OPM, the states' laws).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "calendar/civil.h"
#include "holidays/holiday_source.h"
#include "holidays/regions.h"
#include "text/utf8.h"

namespace qv::holidays {
namespace {

struct MonthDay {
  int month, day;
  friend bool operator<(const MonthDay& a, const MonthDay& b) { return a.month != b.month ? a.month < b.month : a.day < b.day; }
  friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

// The days of `year` that are holidays of the region (own days and substitutes).
std::set<MonthDay> HolidaysOf(std::string_view code, int32_t year, bool weekdays_only) {
  const std::vector<HolidayRule> rules = RegionSource(*FindRegion(code)).rules;
  std::set<MonthDay> days;
  for (int32_t rule_year = year - 1; rule_year <= year + 1; ++rule_year) {
    std::vector<RuleDayEntry> entries;
    AppendRuleYear(rules, rule_year, [&](size_t i, int32_t y) { return HoldsIn(rules[i], y); }, entries);
    for (const RuleDayEntry& entry : entries) {
      const civil::YearMonthDay date = civil::DayNumberToGregorian(entry.day);
      if (date.year != year || (weekdays_only && civil::IsoWeekday(entry.day) >= 6)) continue;
      days.insert({date.month, date.day});
    }
  }
  return days;
}

std::string Show(const std::set<MonthDay>& days) {
  std::string text;
  for (const MonthDay& d : days) text += std::to_string(d.month) + "-" + std::to_string(d.day) + " ";
  return text;
}

// Official lists give the days off from Monday to Friday (substitutes included); the German and
// Austrian laws give every day, weekends included.
TEST(Regions, PublishedYears) {
  struct Case {
    std::string_view code;
    int32_t year;
    bool weekdays_only;
    std::set<MonthDay> expected;
  } cases[] = {
      // Munich's days: Assumption Day too (FTG Art. 1 Abs. 1 Nr. 2).
      {"DE-BY", 2024, false, {{1, 1}, {1, 6}, {3, 29}, {4, 1}, {5, 1}, {5, 9}, {5, 20}, {5, 30}, {8, 15}, {10, 3}, {11, 1}, {12, 25}, {12, 26}}},
      {"DE-BY", 2008, false, {{1, 1}, {1, 6}, {3, 21}, {3, 24}, {5, 1}, {5, 12}, {5, 22}, {8, 15}, {10, 3}, {11, 1}, {12, 25}, {12, 26}}},
      {"DE", 1994, false, {{1, 1}, {4, 1}, {4, 4}, {5, 1}, {5, 12}, {5, 23}, {10, 3}, {11, 16}, {12, 25}, {12, 26}}},
      {"DE", 2017, false, {{1, 1}, {4, 14}, {4, 17}, {5, 1}, {5, 25}, {6, 5}, {10, 3}, {10, 31}, {12, 25}, {12, 26}}},
      {"DE-SN", 2024, false, {{1, 1}, {3, 29}, {4, 1}, {5, 1}, {5, 9}, {5, 20}, {10, 3}, {10, 31}, {11, 20}, {12, 25}, {12, 26}}},
      {"DE-BE", 2025, false, {{1, 1}, {3, 8}, {4, 18}, {4, 21}, {5, 1}, {5, 8}, {5, 29}, {6, 9}, {10, 3}, {12, 25}, {12, 26}}},
      {"DE-BB", 2024, false, {{1, 1}, {3, 29}, {3, 31}, {4, 1}, {5, 1}, {5, 9}, {5, 19}, {5, 20}, {10, 3}, {10, 31}, {12, 25}, {12, 26}}},
      {"DE-TH", 2019, false, {{1, 1}, {4, 19}, {4, 22}, {5, 1}, {5, 30}, {6, 10}, {9, 20}, {10, 3}, {10, 31}, {12, 25}, {12, 26}}},
      {"DE-MV", 2023, false, {{1, 1}, {3, 8}, {4, 7}, {4, 10}, {5, 1}, {5, 18}, {5, 29}, {10, 3}, {10, 31}, {12, 25}, {12, 26}}},
      {"DE-NI", 2018, false, {{1, 1}, {3, 30}, {4, 2}, {5, 1}, {5, 10}, {5, 21}, {10, 3}, {10, 31}, {12, 25}, {12, 26}}},
      {"DE-SL", 2024, false, {{1, 1}, {3, 29}, {4, 1}, {5, 1}, {5, 9}, {5, 20}, {5, 30}, {8, 15}, {10, 3}, {11, 1}, {12, 25}, {12, 26}}},
      {"AT", 2024, false, {{1, 1}, {1, 6}, {4, 1}, {5, 1}, {5, 9}, {5, 20}, {5, 30}, {8, 15}, {10, 26}, {11, 1}, {12, 8}, {12, 25}, {12, 26}}},
      {"GB-EAW", 2022, true, {{1, 3}, {4, 15}, {4, 18}, {5, 2}, {6, 2}, {6, 3}, {8, 29}, {9, 19}, {12, 26}, {12, 27}}},
      {"GB-EAW", 2020, true, {{1, 1}, {4, 10}, {4, 13}, {5, 8}, {5, 25}, {8, 31}, {12, 25}, {12, 28}}},
      {"GB-EAW", 2012, true, {{1, 2}, {4, 6}, {4, 9}, {5, 7}, {6, 4}, {6, 5}, {8, 27}, {12, 25}, {12, 26}}},
      {"GB-EAW", 2023, true, {{1, 2}, {4, 7}, {4, 10}, {5, 1}, {5, 8}, {5, 29}, {8, 28}, {12, 25}, {12, 26}}},
      {"GB-EAW", 1999, true, {{1, 1}, {4, 2}, {4, 5}, {5, 3}, {5, 31}, {8, 30}, {12, 27}, {12, 28}, {12, 31}}},
      {"GB-SCT", 2023, true, {{1, 2}, {1, 3}, {4, 7}, {5, 1}, {5, 8}, {5, 29}, {8, 7}, {11, 30}, {12, 25}, {12, 26}}},
      {"GB-SCT", 2022, true, {{1, 3}, {1, 4}, {4, 15}, {5, 2}, {6, 2}, {6, 3}, {8, 1}, {9, 19}, {11, 30}, {12, 26}, {12, 27}}},
      {"GB-SCT", 2011, true, {{1, 3}, {4, 22}, {4, 29}, {5, 2}, {5, 30}, {8, 1}, {11, 30}, {12, 26}, {12, 27}}},
      {"GB-NIR", 2024, true, {{1, 1}, {3, 18}, {3, 29}, {4, 1}, {5, 6}, {5, 27}, {7, 12}, {8, 26}, {12, 25}, {12, 26}}},
      {"GB-NIR", 2020, true, {{1, 1}, {3, 17}, {4, 10}, {4, 13}, {5, 8}, {5, 25}, {7, 13}, {8, 31}, {12, 25}, {12, 28}}},
      {"US", 2021, true, {{1, 1}, {1, 18}, {1, 20}, {2, 15}, {5, 31}, {6, 18}, {7, 5}, {9, 6}, {10, 11}, {11, 11}, {11, 25}, {12, 24}, {12, 31}}},
      {"US", 2022, true, {{1, 17}, {2, 21}, {5, 30}, {6, 20}, {7, 4}, {9, 5}, {10, 10}, {11, 11}, {11, 24}, {12, 26}}},
      {"US", 2023, true, {{1, 2}, {1, 16}, {2, 20}, {5, 29}, {6, 19}, {7, 4}, {9, 4}, {10, 9}, {11, 10}, {11, 23}, {12, 25}}},
      {"US", 1975, true, {{1, 1}, {2, 17}, {5, 26}, {7, 4}, {9, 1}, {10, 13}, {10, 27}, {11, 27}, {12, 25}}},
  };
  for (const Case& c : cases) {
    const std::set<MonthDay> got = HolidaysOf(c.code, c.year, c.weekdays_only);
    EXPECT_EQ(got, c.expected) << c.code << " " << c.year << ": " << Show(got);
  }
}

TEST(Regions, NoneBeforeTheFirstSureYear) {
  for (const Region& region : Regions()) {
    EXPECT_TRUE(HolidaysOf(region.code, region.first_year - 1, false).empty()) << region.code;
    EXPECT_FALSE(HolidaysOf(region.code, region.first_year, false).empty()) << region.code;
  }
}

TEST(Regions, TablesAreWellFormed) {
  // Every EU state, Norway, Switzerland and its cantons, Canada, Australia, New Zealand, Japan,
  // the United Kingdom's parts and the United States.
  EXPECT_GE(Regions().size(), 120u);
  for (const Region& region : Regions()) {
    EXPECT_EQ(FindRegion(region.code), &region);
    EXPECT_FALSE(region.name.en.empty());
    EXPECT_TRUE(IsValidUtf8(region.name.de));
    for (const HolidayRule& rule : region.rules) {
      EXPECT_TRUE(IsValidRule(rule)) << region.code << " " << rule.name.en;
      EXPECT_FALSE(rule.name.en.empty() || rule.name.de.empty()) << region.code;
    }
  }
  EXPECT_EQ(FindRegion("de-by"), FindRegion("DE-BY"));
  EXPECT_EQ(FindRegion("DE-XX"), nullptr);
}

}  // namespace
}  // namespace qv::holidays
