// What a region knows: the years its days are known for, the years it only projects, the kind of
// each day, and the yearly lists that replace its rules. Each case is a small rule file whose
// answer can be read off its lines; the built-in regions are held to the same in every year.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "calendar/civil.h"
#include "compute/work_calendar.h"
#include "holidays/holiday_source.h"
#include "holidays/regions.h"
#include "holidays/rule_file.h"

namespace qv::holidays {
namespace {

std::vector<HolidaySource> Sources(std::string_view text) {
  RuleFileSources read = ReadRuleFileSources(text, "test.rules");
  if (const auto* error = std::get_if<RuleFileError>(&read)) {
    ADD_FAILURE() << RuleFileErrorText(*error, Language::English);
    return {};
  }
  return std::get<std::vector<HolidaySource>>(std::move(read));
}

// "MM-DD name" of every listed day of a year, in order.
std::vector<std::string> Listed(const WorkCalendar& calendar, int32_t year) {
  std::vector<std::string> days;
  for (const ListedHoliday& holiday : calendar.HolidaysOfYear(year)) {
    const civil::YearMonthDay date = civil::DayNumberToGregorian(holiday.day_number);
    char text[8];
    std::snprintf(text, sizeof text, "%02d-%02d", static_cast<int>(date.month), static_cast<int>(date.day));
    days.push_back(std::string(text) + " " + ListedHolidayName(holiday, calendar.Sources(), Language::English));
  }
  return days;
}

TEST(KnownYears, NewLinesThatCannotBeReadAreNamed) {
  constexpr std::string_view header = "region XX 1995\nen X\nde X\n";
  const struct {
    std::string text;
    RuleFileProblem problem;
  } cases[] = {
      {"01-01 kind=holiday | a | b\n", RuleFileProblem::BadAttribute},
      {"01-01 kind=law kind=rest | a | b\n", RuleFileProblem::BadAttribute},
      {"01-01 from=2000 years=2001.. | a | b\n", RuleFileProblem::BadAttribute},
      {"01-01 from=2005 until=2000 | a | b\n", RuleFileProblem::BadYears},
      {"01-01 until=20x0 | a | b\n", RuleFileProblem::BadYears},
      {"2025-01-01 from=2025 | a | b\n", RuleFileProblem::BadAttribute},
      {"01-01 provisional=2030..2020 | a | b\n", RuleFileProblem::BadYears},
      {"unknown | no law read\n", RuleFileProblem::BadYears},
      {"provisional soon | no list yet\n", RuleFileProblem::BadYears},
      {"complete 20x5 | list\n", RuleFileProblem::BadYears},
      // A complete year without its dated lines would list nothing for that year.
      {"complete 2025 | list\n01-01 | a | b\n", RuleFileProblem::BadYears},
  };
  for (const auto& c : cases) {
    const RuleFileResult read = ParseRuleFile(std::string(header) + c.text, "x.rules");
    const auto* error = std::get_if<RuleFileError>(&read);
    ASSERT_NE(error, nullptr) << c.text;
    EXPECT_EQ(error->problem, c.problem) << c.text;
  }
}

TEST(KnownYears, RefusedBeforeTheFirstYearAndInUnknownYears) {
  const std::vector<HolidaySource> sources = Sources(
      "region XX 1995\nen X\nde X\nunknown 2003,2010..2011 | law not read\nunknown 2040.. | not yet\n"
      "01-01 | New Year | Neujahr\n");
  ASSERT_EQ(sources.size(), 1u);
  const WorkCalendar calendar(WorkWeek(), sources);
  const struct {
    int32_t first, last;
    std::optional<int32_t> unknown;
  } cases[] = {
      {1995, 2002, std::nullopt}, {1994, 1994, 1994}, {1990, 2000, 1990}, {2000, 2005, 2003},
      {2012, 2039, std::nullopt}, {2039, 2100, 2040}, {2011, 2004, 2010},  // either order
      {-5'000'000, -4'000'000, -5'000'000}, {2'000'000'000, 2'000'000'001, 2'000'000'000},
  };
  for (const auto& c : cases) {
    const std::optional<UnknownHolidayYear> found = calendar.FirstUnknownYear(c.first, c.last);
    EXPECT_EQ(found ? std::optional<int32_t>(found->year) : std::nullopt, c.unknown) << c.first << ".." << c.last;
  }
  EXPECT_EQ(KnownYearsText(KnownYearsOf(sources[0].unknown_years), Language::English),
            "1995\xE2\x80\x93" "2002, 2004\xE2\x80\x93" "2009, 2012\xE2\x80\x93" "2039");
  EXPECT_EQ(KnownYearsText(KnownYearsOf(sources[0].unknown_years), Language::German),
            "1995\xE2\x80\x93" "2002, 2004\xE2\x80\x93" "2009, 2012\xE2\x80\x93" "2039");
}

// A complete year's dated lines replace every other rule of that year, included ones too, and
// that year is no longer provisional; the years around it keep the rules.
TEST(KnownYears, CompleteYearReplacesTheRulesAndIsNotProvisional) {
  const std::vector<HolidaySource> sources = Sources(
      "region NAT 1995\nen N\nde N\nhidden\n01-06 | Epiphany | Dreikönig\n12-08 | Immaculate | Empfängnis\n"
      "region NAT-A 1995\nen A\nde A\nwith NAT\nprovisional 2024.. | no list yet\n"
      "04-23 | Own day | Eigener Tag\n"
      "complete 2025 | list of 2025\n2025-01-06 | Epiphany | Dreikönig\n2025-03-19 | St Joseph | Josef\n");
  ASSERT_EQ(sources.size(), 1u);
  const WorkCalendar calendar(WorkWeek(), sources);
  EXPECT_EQ(Listed(calendar, 2024), (std::vector<std::string>{"01-06 Epiphany", "04-23 Own day", "12-08 Immaculate"}));
  EXPECT_EQ(Listed(calendar, 2025), (std::vector<std::string>{"01-06 Epiphany", "03-19 St Joseph"}));
  EXPECT_EQ(Listed(calendar, 2026), (std::vector<std::string>{"01-06 Epiphany", "04-23 Own day", "12-08 Immaculate"}));
  const std::vector<ProvisionalHolidayYears> provisional = calendar.ProvisionalYears(2020, 2030);
  ASSERT_EQ(provisional.size(), 1u);
  EXPECT_EQ(provisional[0].years, (std::vector<YearSpan>{{2024, 2024}, {2026, 2030}}));
  EXPECT_TRUE(calendar.ProvisionalYears(1995, 2023).empty());
}

// Half days are listed and never counted; rest and customary days are counted by default and left
// in with the law's days alone; from= and until= bound a rule's years.
TEST(KnownYears, KindsDecideWhatACountLeavesOut) {
  const std::vector<HolidaySource> sources = Sources(
      "region XX 1995\nen X\nde X\n"
      "01-01 | New Year | Neujahr\n"
      "01-02 kind=custom | Berchtold | Berchtoldstag | staff rules\n"
      "12-24 kind=half | Christmas Eve | Heiligabend\n"
      "12-26 kind=rest from=2000 until=2030 | St Stephen | Stephanstag\n");
  const int32_t first = static_cast<int32_t>(civil::GregorianToDayNumber(2024, 12, 31));
  const int32_t last = static_cast<int32_t>(civil::GregorianToDayNumber(2025, 12, 31));
  const DayCountOptions count{.include_weekends = false, .include_first_date = false};
  // 2025: 1 January Wednesday, 2 January Thursday, 24 and 26 December Wednesday and Friday; 261
  // weekdays in all.
  const struct {
    DayKinds kinds;
    int32_t working;
  } cases[] = {{kOfficeKinds, 261 - 3}, {kLawKinds, 261 - 1}, {kLawKinds | KindBit(DayKind::Rest), 261 - 2}};
  for (const auto& c : cases) {
    const WorkCalendar calendar(WorkWeek(), sources, c.kinds);
    EXPECT_EQ(calendar.CountDaysBetween(first, last, count), c.working) << int{c.kinds};
  }
  const WorkCalendar office(WorkWeek(), sources);
  EXPECT_EQ(Listed(office, 2025), (std::vector<std::string>{"01-01 New Year", "01-02 Berchtold (customary)",
                                                             "12-24 Christmas Eve (half day)", "12-26 St Stephen (rest day)"}));
  EXPECT_EQ(Listed(office, 1999).size(), 3u);  // St Stephen from 2000 only
  EXPECT_EQ(Listed(office, 2031).size(), 3u);  // and until 2030
}

// The least number of days each region lists in a year, as the expected lists give them
// ("CODE minimum N" lines, from the law's own count of its days).
std::map<std::string, int> ExpectedMinimums() {
  std::map<std::string, int> minimums;
  for (const auto& entry : std::filesystem::directory_iterator(QUORVAN_EXPECTED_HOLIDAYS_DIR)) {
    std::ifstream file(entry.path());
    std::string line;
    while (std::getline(file, line)) {
      std::istringstream words(line);
      std::string code, keyword;
      int minimum = 0;
      if (words >> code >> keyword >> minimum && keyword == "minimum") minimums[code] = minimum;
    }
  }
  return minimums;
}

// Every built-in region lists at least its expected number of days (counted or half days, weekends
// included) in every year it knows from 1995 to 2060, or refuses the year: never an empty year
// answered as if the region had no holidays.
TEST(KnownYears, EveryBuiltInRegionListsOrRefusesEveryYear) {
  const std::map<std::string, int> minimums = ExpectedMinimums();
  for (const Region& region : Regions()) {
    const WorkCalendar calendar(WorkWeek(), {RegionSource(region)});
    const auto found = minimums.find(std::string(region.code));
    const int minimum = found != minimums.end() ? found->second : 1;
    for (int32_t year = 1995; year <= 2060; ++year) {
      if (calendar.FirstUnknownYear(year, year)) continue;
      std::set<int32_t> days;
      for (const ListedHoliday& holiday : calendar.HolidaysOfYear(year)) {
        if (holiday.kind != DayKind::Half) days.insert(holiday.day_number);
      }
      EXPECT_GE(static_cast<int>(days.size()), minimum) << region.code << " " << year << " lists too few days";
    }
  }
}

}  // namespace
}  // namespace qv::holidays
