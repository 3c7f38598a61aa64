// The .ics export read back: the same days off and the same worked days as the calendar exported,
// for regions of several rule kinds, a rule file and a list with worked Saturdays.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "calendar/civil.h"
#include "compute/holiday_export.h"
#include "holidays/holiday_list.h"
#include "holidays/icalendar.h"
#include "support/dates.h"

namespace qv {
namespace {

using test::Jdn;

holidays::HolidaySource Region(const char* code) {
  const holidays::Region* region = holidays::FindRegion(code);
  EXPECT_NE(region, nullptr) << code;
  return region != nullptr ? holidays::RegionSource(*region) : holidays::HolidaySource{};
}

std::vector<holidays::HolidaySource> RuleFile(const std::string& text) {
  auto read = holidays::ReadRuleFileSources(text, "acme.rules");
  if (const auto* error = std::get_if<holidays::RuleFileError>(&read)) {
    ADD_FAILURE() << holidays::RuleFileErrorText(*error, Language::English);
    return {};
  }
  return std::get<std::vector<holidays::HolidaySource>>(std::move(read));
}

holidays::HolidaySource List(const std::string& text) {
  auto read = holidays::ReadHolidayList(text, "office.txt", {});
  if (const auto* error = std::get_if<holidays::HolidayFileError>(&read)) {
    ADD_FAILURE() << holidays::HolidayFileErrorText(*error, Language::English);
    return {};
  }
  return std::get<holidays::HolidaySource>(std::move(read));
}

holidays::HolidaySource ReadBack(const std::string& text) {
  auto read = holidays::ReadICalendar(text, "export.ics");
  if (const auto* error = std::get_if<holidays::HolidayFileError>(&read)) {
    ADD_FAILURE() << holidays::HolidayFileErrorText(*error, Language::English);
    return {};
  }
  return std::get<holidays::HolidaySource>(std::move(read));
}

struct Case {
  const char* what;
  WorkWeek week;
  std::vector<holidays::HolidaySource> sources;
};

std::vector<Case> Cases() {
  std::vector<Case> cases;
  cases.push_back({"DE-BY", WorkWeek(), {Region("DE-BY")}});
  cases.push_back({"GB-SCT substitutes", WorkWeek(), {Region("GB-SCT")}});
  cases.push_back({"JP equinoxes and citizens' holidays", WorkWeek(), {Region("JP")}});
  cases.push_back({"SE Midsummer, Mon-Sat", *WorkWeek::Parse("Mon-Sat"), {Region("SE")}});
  cases.push_back({"CH-ZH and DE-BW overlapping", WorkWeek(), {Region("CH-ZH"), Region("DE-BW")}});
  std::vector<holidays::HolidaySource> company =
      RuleFile("region ACME 2024\nen Acme\nde Acme\nwith DE-BY\neaster+40 | Bridge day | Brückentag\n"
               "workday 2025-05-03 | Saturday for Friday | Samstag für Freitag\n");
  company.push_back(List("2024-12-24\tChristmas Eve\n2024-12-28\tStocktaking\tworkday\n2026-01-03\t\tworkday\n"));
  cases.push_back({"rule file and list with worked Saturdays", WorkWeek(), std::move(company)});
  return cases;
}

TEST(HolidayExport, ReadsBackAsTheSameDays) {
  constexpr int32_t kFirst = 1995, kLast = 2035;
  for (Case& c : Cases()) {
    const WorkCalendar exported(c.week, c.sources);
    const holidays::HolidaySource read = ReadBack(CalendarAsICalendar(exported, kFirst, kLast, Language::English));
    EXPECT_TRUE(read.rules.empty()) << c.what;
    // Every day off the sources give, weekends included, comes back as a date; a half day, which
    // no count leaves out, is not exported.
    std::set<int32_t> expected_days, read_days;
    for (int32_t year = kFirst; year <= kLast; ++year) {
      for (const ListedHoliday& holiday : exported.HolidaysOfYear(year)) {
        if (holiday.counted) expected_days.insert(holiday.day_number);
      }
    }
    for (const holidays::DatedHoliday& day : read.dates) read_days.insert(day.day_number);
    EXPECT_EQ(read_days, expected_days) << c.what;
    // And counts the same, day by day, worked days included.
    const WorkCalendar imported(c.week, {read});
    for (int32_t day = Jdn(kFirst, 1, 1); day <= Jdn(kLast, 12, 31); ++day) {
      ASSERT_EQ(imported.IsWorkingDay(day), exported.IsWorkingDay(day)) << c.what << ", day " << day;
    }
    const DayCountOptions options{.include_weekends = false, .include_first_date = false};
    EXPECT_EQ(imported.CountDaysBetween(Jdn(kFirst, 1, 1), Jdn(kLast, 12, 31), options),
              exported.CountDaysBetween(Jdn(kFirst, 1, 1), Jdn(kLast, 12, 31), options))
        << c.what;
  }
}

// The names follow the language; the UIDs do not, so that an export in German replaces the events
// of one in English. Years outside an iCalendar date's four digits give no event.
TEST(HolidayExport, NamesFollowTheLanguageUidsDoNot) {
  const WorkCalendar calendar(WorkWeek(), {Region("DE-BY")});
  const std::vector<holidays::ExportedDay> en = ExportedDays(calendar, 2025, 2025, Language::English);
  const std::vector<holidays::ExportedDay> de = ExportedDays(calendar, 2025, 2025, Language::German);
  ASSERT_EQ(en.size(), de.size());
  ASSERT_FALSE(en.empty());
  EXPECT_EQ(en.front().summary, "New Year's Day");
  EXPECT_EQ(de.front().summary, "Neujahr");
  for (size_t i = 0; i < en.size(); ++i) {
    EXPECT_EQ(holidays::ExportUid(en[i].key, en[i].day_number), holidays::ExportUid(de[i].key, de[i].day_number));
  }
  EXPECT_EQ(CalendarAsICalendar(calendar, 2025, 2026, Language::German),
            CalendarAsICalendar(calendar, 2025, 2026, Language::German));  // no clock in the file
  EXPECT_TRUE(ExportedDays(calendar, -5, 0, Language::English).empty());
  EXPECT_TRUE(ExportedDays(calendar, 10000, 12000, Language::English).empty());
  EXPECT_EQ(ExportedDays(calendar, 9999, 20000, Language::English).size(),
            ExportedDays(calendar, 9999, 9999, Language::English).size());
}

}  // namespace
}  // namespace qv
