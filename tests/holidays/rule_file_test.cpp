// The rule-file reader: every kind of bad line named with its line, and each rule kind's days
// against dates published by the governments and churches.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "calendar/civil.h"
#include "holidays/holiday_source.h"
#include "holidays/rule_file.h"

namespace qv::holidays {
namespace {

constexpr std::string_view kHeader = "region XX 1900\nen Testland\nde Testland\n";

TEST(RuleFile, BadLinesAreNamedWithTheirLine) {
  struct Case {
    std::string text;
    int64_t line;
    RuleFileProblem problem;
  } cases[] = {
      {"01-01 | New Year | Neujahr\n", 1, RuleFileProblem::OutsideRegion},
      {"region\n", 1, RuleFileProblem::BadRegion},
      {"region XX\n", 1, RuleFileProblem::BadRegion},
      {"region X 1995\n", 1, RuleFileProblem::BadRegion},
      {"region XX 19a5\n", 1, RuleFileProblem::BadRegion},
      {"region XX 1995\n01-01 | a | b\n", 1, RuleFileProblem::MissingName},
      {"region XX 1995\nen X\nregion YY 1995\n", 3, RuleFileProblem::MissingName},
      {std::string(kHeader) + "region xx 2000\n", 4, RuleFileProblem::DuplicateRegion},
      {std::string(kHeader) + "holiday\n", 4, RuleFileProblem::UnknownLine},
      {std::string(kHeader) + "01-01 | New Year\n", 4, RuleFileProblem::BadNames},
      {std::string(kHeader) + "01-01 | New Year | | x\n", 4, RuleFileProblem::BadNames},
      {std::string(kHeader) + "01-01 | a | b | c | d\n", 4, RuleFileProblem::BadNames},
      {std::string(kHeader) + "13-01 | a | b\n", 4, RuleFileProblem::BadRule},
      {std::string(kHeader) + "02-30 | a | b\n", 4, RuleFileProblem::RuleOutOfRange},
      {std::string(kHeader) + "04-31 | a | b\n", 4, RuleFileProblem::RuleOutOfRange},
      {std::string(kHeader) + "6 mon 05 | a | b\n", 4, RuleFileProblem::BadRule},
      {std::string(kHeader) + "1 mun 05 | a | b\n", 4, RuleFileProblem::BadRule},
      {std::string(kHeader) + "last mon | a | b\n", 4, RuleFileProblem::BadRule},
      {std::string(kHeader) + "mon beside 05-25 | a | b\n", 4, RuleFileProblem::BadRule},
      {std::string(kHeader) + "easter+x | a | b\n", 4, RuleFileProblem::BadRule},
      {std::string(kHeader) + "easter+300 | a | b\n", 4, RuleFileProblem::RuleOutOfRange},
      // Shrove Tuesday (easter-47) reads; a day before 18 January could leave its year.
      {std::string(kHeader) + "easter-64 | a | b\n", 4, RuleFileProblem::RuleOutOfRange},
      {std::string(kHeader) + "easter+1 sub=sun-mon | a | b\n", 4, RuleFileProblem::RuleOutOfRange},
      {std::string(kHeader) + "orthodox-easter+200 | a | b\n", 4, RuleFileProblem::RuleOutOfRange},
      {std::string(kHeader) + "01-01 +400 | a | b\n", 4, RuleFileProblem::RuleOutOfRange},
      {std::string(kHeader) + "01-01 years=2000..1990 | a | b\n", 4, RuleFileProblem::BadYears},
      {std::string(kHeader) + "01-01 years=.. | a | b\n", 4, RuleFileProblem::BadYears},
      {std::string(kHeader) + "01-01 years=2000 except=2000 | a | b\n", 4, RuleFileProblem::BadYears},
      {std::string(kHeader) + "01-01 years=2000 years=2001 | a | b\n", 4, RuleFileProblem::BadAttribute},
      {std::string(kHeader) + "01-01 sub=sometimes | a | b\n", 4, RuleFileProblem::BadAttribute},
      {std::string(kHeader) + "01-01 every=4 | a | b\n", 4, RuleFileProblem::BadAttribute},
      {std::string(kHeader) + "01-01 colour=red | a | b\n", 4, RuleFileProblem::BadAttribute},
      {std::string(kHeader) + "2028-06-17 years=2028 | a | b\n", 4, RuleFileProblem::BadAttribute},
      {std::string(kHeader) + "workday 2025-02-30 | a | b\n", 4, RuleFileProblem::BadRule},
      {std::string(kHeader) + "workday 2025-05-03 | a\n", 4, RuleFileProblem::BadNames},
      {std::string(kHeader) + "\n# fine\n01-01 | \xC3\x28 | b\n", 6, RuleFileProblem::NotUtf8},
      {std::string(kHeader) + "with YY\n", 0, RuleFileProblem::UnknownRegion},
      {"region AA 2000\nen A\nde A\nwith BB\nregion BB 2000\nen B\nde B\nwith AA\n", 0, RuleFileProblem::RegionCycle},
  };
  for (const Case& c : cases) {
    RuleFileResult result = ParseRuleFile(c.text, "test.rules");
    if (std::holds_alternative<std::vector<RuleRegion>>(result)) {
      result = ResolveRegions(std::get<std::vector<RuleRegion>>(std::move(result)), {});
    }
    const auto* error = std::get_if<RuleFileError>(&result);
    ASSERT_NE(error, nullptr) << c.text;
    EXPECT_EQ(error->problem, c.problem) << c.text;
    if (c.line > 0) {
      EXPECT_EQ(error->line, c.line) << c.text;
    }
    EXPECT_EQ(error->file, "test.rules");
  }
  // The message names the file and the line.
  const auto error = std::get<RuleFileError>(ParseRuleFile(std::string(kHeader) + "every friday | a | b\n", "acme.rules"));
  EXPECT_EQ(RuleFileErrorText(error, Language::English), "acme.rules, line 4: not a rule: every friday | a | b");
  EXPECT_EQ(RuleFileErrorText(error, Language::German), "acme.rules, Zeile 4: keine Regel: every friday | a | b");
  // A region without any name says what is missing, not which language.
  const auto unnamed = std::get<RuleFileError>(ParseRuleFile("region ACME 2024\n", "acme.rules"));
  EXPECT_EQ(RuleFileErrorText(unnamed, Language::English),
            "acme.rules, line 1: region without a name (a line \"en Name\" or \"de Name\" is missing): ACME");
  EXPECT_EQ(RuleFileErrorText(unnamed, Language::German),
            "acme.rules, Zeile 1: Region ohne Namen (eine Zeile \"en Name\" oder \"de Name\" fehlt): ACME");
}

// One name, in either language, names the region in both; each region of a file on its own.
TEST(RuleFile, OneNameServesBothLanguages) {
  const struct {
    std::string_view text;
    std::string_view en;
    std::string_view de;
  } cases[] = {
      {"region ACME 2024\nen Alpha\n", "Alpha", "Alpha"},
      {"region ACME 2024\nde Alpha GmbH\n", "Alpha GmbH", "Alpha GmbH"},
      {"region ACME 2024\nen Alpha Ltd.\nde Alpha GmbH\n", "Alpha Ltd.", "Alpha GmbH"},
      {"region ACME 2024\nde Alpha GmbH\nen Alpha Ltd.\n", "Alpha Ltd.", "Alpha GmbH"},
  };
  for (const auto& c : cases) {
    const RuleFileResult result = ParseRuleFile(std::string(c.text) + "12-24 | Christmas Eve | Heiligabend\n", "a.rules");
    const auto* regions = std::get_if<std::vector<RuleRegion>>(&result);
    ASSERT_NE(regions, nullptr) << c.text;
    ASSERT_EQ(regions->size(), 1u);
    EXPECT_EQ(regions->front().en, c.en) << c.text;
    EXPECT_EQ(regions->front().de, c.de) << c.text;
  }
  const RuleFileResult two = ParseRuleFile("region AA 2000\nen A\nregion BB 2000\nde B\n", "b.rules");
  const auto* regions = std::get_if<std::vector<RuleRegion>>(&two);
  ASSERT_NE(regions, nullptr);
  ASSERT_EQ(regions->size(), 2u);
  EXPECT_EQ((*regions)[0].de, "A");
  EXPECT_EQ((*regions)[1].en, "B");
}

// The days of `year` (own days and substitutes) that the file's one region gives.
std::set<std::string> DaysOf(const std::string& lines, int32_t year) {
  const RuleFileSources read = ReadRuleFileSources(std::string(kHeader) + lines, "test.rules");
  if (const auto* error = std::get_if<RuleFileError>(&read)) return {RuleFileErrorText(*error, Language::English)};
  const std::vector<HolidayRule>& rules = std::get<std::vector<HolidaySource>>(read).at(0).rules;
  std::set<std::string> days;
  for (int32_t rule_year = year - 1; rule_year <= year + 1; ++rule_year) {
    std::vector<RuleDayEntry> entries;
    AppendRuleYear(rules, rule_year, [&](size_t i, int32_t y) { return HoldsIn(rules[i], y); }, entries);
    for (const RuleDayEntry& entry : entries) {
      const civil::YearMonthDay date = civil::DayNumberToGregorian(entry.day);
      if (date.year != year) continue;
      char text[16];
      std::snprintf(text, sizeof text, "%02d-%02d", date.month, date.day);
      days.insert(text);
    }
  }
  return days;
}

TEST(RuleFile, EachKindGivesThePublishedDays) {
  struct Case {
    std::string lines;
    int32_t year;
    std::set<std::string> days;
  } cases[] = {
      // Orthodox Easter (the Greek Church's calendar): 16 April 2023, 5 May 2024, 20 April 2025.
      {"orthodox-easter | a | b\n", 2023, {"04-16"}},
      {"orthodox-easter+1 | a | b\n", 2024, {"05-06"}},
      {"orthodox-easter-2 | a | b\n", 2025, {"04-18"}},
      {"orthodox-easter+50 | a | b\n", 2024, {"06-24"}},
      // Held to the four-digit years.
      {"orthodox-easter | a | b\n", 10000, {}},
      // The equinox days of Japan (the Cabinet Office's lists: 20 March and 22 September 2024,
      // 20 March and 23 September 2025; 22 September 2012), none outside 1900 ... 2099.
      {"equinox-march | a | b\nequinox-september | a | b\n", 2024, {"03-20", "09-22"}},
      {"equinox-march | a | b\nequinox-september | a | b\n", 2025, {"03-20", "09-23"}},
      {"equinox-september | a | b\n", 2012, {"09-22"}},
      {"equinox-march | a | b\nequinox-september | a | b\n", 1900, {"03-21", "09-23"}},
      {"equinox-march | a | b\n", 2100, {}},
      // Weekdays around a date: Midsummer Eve (Friday 19 ... 25 June), Victoria Day (Monday before
      // 25 May), the Swiss Federal Fast Monday (the Monday after the third Sunday of September).
      {"fri on-or-after 06-19 | a | b\n", 2025, {"06-20"}},
      {"fri on-or-after 06-19 | a | b\n", 2026, {"06-19"}},
      {"sat on-or-after 10-31 | a | b\n", 2025, {"11-01"}},
      {"mon before 05-25 | a | b\n", 2025, {"05-19"}},
      {"mon before 05-25 | a | b\n", 2026, {"05-18"}},
      {"3 sun 09 +1 | a | b\n", 2025, {"09-22"}},
      {"fri on-or-before 06-25 | a | b\n", 2025, {"06-20"}},
      {"mon after 10-31 | a | b\n", 2025, {"11-03"}},
      {"mon after 11-03 | a | b\n", 2025, {"11-10"}},
      // The Monday nearest: Thursday 29 January 2026 three days after one; Friday 29 January 2027
      // three days before one.
      {"mon nearest 01-29 | a | b\n", 2026, {"01-26"}},
      {"mon nearest 01-29 | a | b\n", 2027, {"02-01"}},
      {"mon nearest 01-29 | a | b\n", 2025, {"01-27"}},
      {"mon nearest 01-22 | a | b\n", 2025, {"01-20"}},
      {"sat on-or-after 10-31 -1 | a | b\n", 2025, {"10-31"}},
      // Years: lists, every n-th year, except=, one-offs.
      {"01-06 years=2000,2004,2010..2012 | a | b\n", 2011, {"01-06"}},
      {"01-06 years=2000,2004,2010..2012 | a | b\n", 2005, {}},
      {"01-06 every=4:2000 | a | b\n", 2024, {"01-06"}},
      {"01-06 every=4:2000 | a | b\n", 2025, {}},
      {"01-06 except=2020,2021 | a | b\n", 2021, {}},
      {"01-06 except=2020,2021 | a | b\n", 2022, {"01-06"}},
      {"2028-06-17 | a | b\n", 2028, {"06-17"}},
      {"2028-06-17 | a | b\n", 2029, {}},
      // Substitutes. Sunday 26 December 2021: Monday 27th (sun-mon); with the US rule, Saturday
      // 25 December: Friday 24th.
      {"12-26 sub=sun-mon | a | b\n", 2021, {"12-26", "12-27"}},
      {"12-25 sub=sun-mon | a | b\n", 2021, {"12-25"}},
      {"12-25 sub=sat-fri,sun-mon | a | b\n", 2021, {"12-24", "12-25"}},
      // Moved rather than added: Christmas on Saturday to Monday 27th, Boxing Day on Sunday to
      // Tuesday 28th (New Zealand 2021); 4 July 2021, a Sunday, to Monday 5 July.
      {"12-25 sub=move-mon | a | b\n12-26 sub=move-mon | a | b\n", 2021, {"12-27", "12-28"}},
      {"07-04 sub=move-nearest | a | b\n", 2021, {"07-05"}},
      {"07-04 sub=move-nearest | a | b\n", 2020, {"07-03"}},
      {"07-04 sub=move-nearest | a | b\n", 2022, {"07-04"}},
      // Japan's Golden Week of 2025: Constitution Day on a Saturday (no substitute), Greenery Day on
      // a Sunday (the next day not a holiday: Tuesday 6 May, Children's Day being Monday).
      {"04-29 sub=next-free-sun | a | b\n05-03 sub=next-free-sun | a | b\n05-04 sub=next-free-sun | a | b\n"
       "05-05 sub=next-free-sun | a | b\n",
       2025, {"04-29", "05-03", "05-04", "05-05", "05-06"}},
      // 2019: the enthronement day 1 May made 30 April and 2 May citizens' holidays.
      {"citizens-holiday\n04-29 sub=next-free-sun | a | b\n2019-05-01 | a | b\n05-03 sub=next-free-sun | a | b\n"
       "05-04 sub=next-free-sun | a | b\n05-05 sub=next-free-sun | a | b\n",
       2019, {"04-29", "04-30", "05-01", "05-02", "05-03", "05-04", "05-05", "05-06"}},
      // Silver Week 2015: Respect for the Aged Day on Monday 21, the equinox on Wednesday 23 September.
      {"citizens-holiday | Citizens' Holiday | Bürgerfeiertag\n3 mon 09 | a | b\nequinox-september | a | b\n", 2015,
       {"09-21", "09-22", "09-23"}},
      {"citizens-holiday years=2016.. | c | c\n3 mon 09 | a | b\nequinox-september | a | b\n", 2015, {"09-21", "09-23"}},
  };
  for (const Case& c : cases) EXPECT_EQ(DaysOf(c.lines, c.year), c.days) << c.lines << c.year;
}

TEST(RuleFile, WithIncludesBuiltInAndOwnRegions) {
  const std::string text =
      "region ACME 2020\nen Acme\nde Acme\nwith DE-BY\nsource our works agreement\n"
      "easter+40 | Bridge day | Brückentag\nworkday 2025-05-03 | Swap for 2 May | Tausch für 2. Mai\n"
      "region ACME-B 2024\nen Acme B\nde Acme B\nwith ACME\n12-24 | Christmas Eve | Heiligabend\n";
  const RuleFileSources read = ReadRuleFileSources(text, "acme.rules");
  ASSERT_TRUE(std::holds_alternative<std::vector<HolidaySource>>(read));
  const auto& sources = std::get<std::vector<HolidaySource>>(read);
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(sources[0].label, "ACME");
  size_t held_since_2020 = 0;  // the Bavarian rules still held in 2020, then the bridge day
  for (const HolidayRule& rule : RegionSource(*FindRegion("DE-BY")).rules) held_since_2020 += rule.last_year >= 2020 ? 1 : 0;
  EXPECT_EQ(sources[0].rules.size(), held_since_2020 + 1);
  EXPECT_EQ(sources[0].rules.front().first_year, 2020);  // nothing before the region's first year
  EXPECT_EQ(sources[0].rules.back().name.de, "Brückentag");
  ASSERT_EQ(sources[0].workdays.size(), 1u);
  EXPECT_EQ(sources[0].workdays[0].day_number, civil::GregorianToDayNumber(2025, 5, 3));
  EXPECT_EQ(sources[1].rules.size(), sources[0].rules.size() + 1);
  EXPECT_EQ(sources[1].rules.front().first_year, 2024);
  // A comment needs a space before '#': a URL's fragment stays in the source.
  EXPECT_TRUE(std::holds_alternative<std::vector<HolidaySource>>(
      ReadRuleFileSources(std::string(kHeader) + "source https://example.org/law#s1  # the law\n01-01 | a | b\n", "x")));
}

}  // namespace
}  // namespace qv::holidays
