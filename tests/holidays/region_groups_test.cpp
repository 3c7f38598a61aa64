// The regions by country and the search over them, as the working-days dialog's tree shows them;
// a user's rule file read as one source.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "calendar/civil.h"
#include "holidays/holiday_source.h"
#include "holidays/regions.h"

namespace qv::holidays {
namespace {

TEST(RegionsByCountry, EveryRegionOnceUnderItsCountry) {
  std::set<std::string_view> seen;
  const std::vector<RegionCountry> countries = RegionsByCountry();
  for (const RegionCountry& country : countries) {
    EXPECT_FALSE(country.name.en.empty()) << country.code;
    EXPECT_FALSE(country.name.de.empty()) << country.code;
    EXPECT_TRUE(country.national != nullptr || !country.subdivisions.empty()) << country.code;
    if (country.national != nullptr) {
      EXPECT_EQ(country.national->code, country.code);
      EXPECT_TRUE(seen.insert(country.national->code).second);
    }
    for (const Region* region : country.subdivisions) {
      EXPECT_EQ(region->code.substr(0, country.code.size() + 1), std::string(country.code) + "-");
      EXPECT_TRUE(seen.insert(region->code).second) << region->code;
    }
  }
  EXPECT_EQ(seen.size(), Regions().size());
  const struct {
    std::string_view code;
    bool national;
    size_t subdivisions;
    std::string_view de;
  } expected[] = {{"DE", true, 16, "Deutschland (bundesweit)"}, {"GB", false, 3, "Vereinigtes Königreich"},
                  {"CH", true, 26, "Schweiz"},      {"AT", true, 0, "Österreich"}};
  for (const auto& e : expected) {
    const auto it = std::find_if(countries.begin(), countries.end(), [&](const RegionCountry& c) { return c.code == e.code; });
    ASSERT_NE(it, countries.end()) << e.code;
    EXPECT_EQ(it->national != nullptr, e.national) << e.code;
    EXPECT_EQ(it->subdivisions.size(), e.subdivisions) << e.code;
    EXPECT_EQ(it->name.de, e.de) << e.code;
  }
  EXPECT_EQ(countries.front().code, "DE");  // the order of the list of regions
}

TEST(RegionSearch, FindsCodesAndNamesInEitherCase) {
  const struct {
    std::string_view code;
    std::string_view search;
    bool found;
  } cases[] = {
      {"DE-BY", "", true},           {"DE-BY", "de-by", true},      {"DE-BY", "BY", true},
      {"DE-BY", "bavaria", true},    {"DE-BY", "BAYERN", true},     {"DE-TH", "thüringen", true},
      {"DE-TH", "THÜRINGEN", true},  {"DE-TH", "Thuringia", true},  {"AT", "österreich", true},
      {"AT", "ÖSTERREICH", true},    {"CH-ZH", "zürich", true},     {"CH-ZH", "Zurich", true},
      {"DE-BY", "Berlin", false},    {"DE-BY", "DE-BW", false},     {"DE-BY", "bayernx", false},
  };
  for (const auto& c : cases) {
    const Region* region = FindRegion(c.code);
    ASSERT_NE(region, nullptr) << c.code;
    EXPECT_EQ(RegionMatches(*region, c.search), c.found) << c.code << " / " << c.search;
  }
  const std::vector<RegionCountry> countries = RegionsByCountry();
  const auto gb = std::find_if(countries.begin(), countries.end(), [](const RegionCountry& c) { return c.code == "GB"; });
  ASSERT_NE(gb, countries.end());
  EXPECT_TRUE(CountryMatches(*gb, "königreich"));
  EXPECT_TRUE(CountryMatches(*gb, "united"));
  EXPECT_FALSE(CountryMatches(*gb, "scotland"));
}

TEST(RuleFileAsOneSource, AllRegionsTogetherOrTheLineAtFault) {
  const std::string text =
      "region ACME-B 2024\nen Acme Berlin\nde Acme Berlin\neaster+40 | Bridge day | Brückentag\n"
      "workday 2025-05-03 | Saturday | Samstag\n"
      "region ACME-M 2024\nen Acme Munich\nde Acme München\n12-24 | Christmas Eve | Heiligabend\n";
  const HolidayFileResult read = ReadRuleFileAsOneSource(text, "acme.rules");
  ASSERT_TRUE(std::holds_alternative<HolidaySource>(read));
  const HolidaySource& source = std::get<HolidaySource>(read);
  EXPECT_EQ(source.label, "acme.rules");
  ASSERT_EQ(source.rules.size(), 2u);
  EXPECT_EQ(source.rules[0].name.de, "Brückentag");
  EXPECT_EQ(source.rules[1].name.en, "Christmas Eve");
  ASSERT_EQ(source.workdays.size(), 1u);
  EXPECT_EQ(source.workdays[0].day_number, civil::GregorianToDayNumber(2025, 5, 3));

  const HolidayFileResult bad = ReadRuleFileAsOneSource("region ACME 2024\nen A\nde A\nevery friday | a | b\n", "bad.rules");
  ASSERT_TRUE(std::holds_alternative<HolidayFileError>(bad));
  const HolidayFileError& error = std::get<HolidayFileError>(bad);
  EXPECT_EQ(error.line, 4);
  EXPECT_EQ(HolidayFileErrorText(error, Language::English), "bad.rules, line 4: not a rule: every friday | a | b");
  EXPECT_EQ(HolidayFileErrorText(error, Language::German), "bad.rules, Zeile 4: keine Regel: every friday | a | b");
  EXPECT_TRUE(IsRuleFileName("/home/anna/ACME.Rules"));
  EXPECT_FALSE(IsRuleFileName("rules"));
  EXPECT_FALSE(IsRuleFileName("acme.rules.txt"));
}

}  // namespace
}  // namespace qv::holidays
