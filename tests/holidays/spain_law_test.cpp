// Spain's yearly lists against the number of days the law allows. Estatuto de los Trabajadores,
// art. 37.2, and Real Decreto 2001/1983, art. 45: fourteen paid days a year, two of them local, so
// twelve for a community; a national day on a Sunday counts by its Monday rest or by the day a
// community puts in its place, never by the Sunday itself. The Canary Islands list eleven for the
// whole community (the twelfth is each island's own day); Ceuta and Melilla are single
// municipalities, whose two local days are days of the whole city (fourteen); a community that adds
// the recoverable day of art. 37.2 has thirteen that year. A list with a day too many or too few,
// or a national day that leaks into a year whose list replaces it, shows here.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "calendar/civil.h"
#include "holidays/holiday_source.h"
#include "holidays/regions.h"

namespace qv::holidays {
namespace {

// Every day (day number) the region lists in `year`, substitutes included.
std::set<int64_t> DaysOf(std::string_view code, int32_t year) {
  const Region* region = FindRegion(code);
  if (region == nullptr) return {};
  const std::vector<HolidayRule> rules = RegionSource(*region).rules;
  std::set<int64_t> days;
  for (int32_t rule_year = year - 1; rule_year <= year + 1; ++rule_year) {
    std::vector<RuleDayEntry> entries;
    AppendRuleYear(rules, rule_year, [&](size_t i, int32_t y) { return rules[i].first_year <= y && y <= rules[i].last_year; },
                   entries);
    for (const RuleDayEntry& entry : entries) {
      if (civil::DayNumberToGregorian(entry.day).year == year) days.insert(entry.day);
    }
  }
  return days;
}

// The years of each region whose official list the rule file holds whole (`complete YEAR`).
std::map<std::string, std::vector<int32_t>> CompleteYears() {
  std::ifstream file(std::string(QUORVAN_TEST_DATA_DIR) + "/holidays/es.rules");
  std::map<std::string, std::vector<int32_t>> years;
  std::string line, region;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "region") {
      words >> region;
    } else if (keyword == "complete") {
      int32_t year = 0;
      if (words >> year) years[region].push_back(year);
    }
  }
  return years;
}

int32_t DaysTheLawGives(const std::string& code, int32_t year) {
  // The recoverable day of art. 37.2, added in these years (24 June in Valencia; Catalonia's
  // lists of 2024 and 2025 have one day more than twelve).
  static const std::set<std::pair<std::string, int32_t>> recoverable = {
      {"ES-VC", 2021}, {"ES-VC", 2024}, {"ES-VC", 2025}, {"ES-CT", 2024}, {"ES-CT", 2025}};
  if (code == "ES-CN") return 11;
  if (code == "ES-CE" || code == "ES-ML") return 14;
  return recoverable.count({code, year}) ? 13 : 12;
}

TEST(SpainLaw, EveryPublishedYearHasTheDaysTheLawGives) {
  const auto complete = CompleteYears();
  // Seventeen communities and the two cities, each with at least the lists of 2025 and 2026.
  ASSERT_EQ(complete.size(), 19u);
  for (const auto& [code, years] : complete) {
    EXPECT_GE(years.size(), 2u) << code;
    for (const int32_t year : years) {
      const std::set<int64_t> days = DaysOf(code, year);
      int32_t not_sunday = 0;
      for (const int64_t day : days) {
        if (civil::IsoWeekday(day) != 7) {
          ++not_sunday;
        } else {
          // A list names the Monday rest, not the Sunday: a Sunday here is a usual day leaking in.
          const civil::YearMonthDay date = civil::DayNumberToGregorian(day);
          ADD_FAILURE() << code << " " << year << ": a Sunday listed, " << static_cast<int>(date.month) << "-" << static_cast<int>(date.day);
        }
      }
      EXPECT_EQ(not_sunday, DaysTheLawGives(code, year)) << code << " " << year;
    }
  }
}

// Working days Monday to Friday less the holidays on them: the counts the regions' offices keep.
int32_t WorkingDays(std::string_view code, int32_t year) {
  const std::set<int64_t> holidays = DaysOf(code, year);
  int32_t count = 0;
  for (int64_t day = civil::GregorianToDayNumber(year, 1, 1); day <= civil::GregorianToDayNumber(year, 12, 31); ++day) {
    if (civil::IsoWeekday(day) <= 5 && !holidays.count(day)) ++count;
  }
  return count;
}

TEST(SpainLaw, WorkingDaysOfAPublishedYear) {
  struct Case {
    std::string_view code;
    int32_t year;
    int32_t working_days;
  } cases[] = {
      {"ES-MD", 2026, 251},  // 261 weekdays, 10 of them holidays (Decreto 75/2025)
      {"ES-AN", 2024, 252},  // 262 weekdays, 10 of them holidays (BOE-A-2023-22014)
      {"ES-CT", 2026, 251},  // 261 weekdays, 10 of them holidays (calendari laboral 2026)
      {"ES-CN", 2025, 252},  // 261 weekdays, 9 for the whole community (Decreto 143/2024)
  };
  for (const Case& c : cases) EXPECT_EQ(WorkingDays(c.code, c.year), c.working_days) << c.code << " " << c.year;
}

}  // namespace
}  // namespace qv::holidays
