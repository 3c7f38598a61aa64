#pragma once
// The built-in regions: public holidays held in the whole of a country or state, each region one
// table of rules. The tables are the rule files data/holidays/<cc>.rules, compiled at build time
// (compile_rules.cpp) into constant tables: a malformed rule fails the build, and nothing is read or
// parsed when the program starts.
//
// A region's table is right from its first year on, as the law of each year had it; later years
// follow today's law. A region knows the years from its first year on, less the years it names
// unknown: a count, list or export that needs another year is refused, never answered as if the
// region had no holidays then. Years whose days are projected rather than published (a yearly
// decree not out yet) are answered and marked provisional.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "holidays/holiday_rules.h"
#include "text/language.h"

namespace qv::holidays {

// A weekend day the region works (a bridge-day swap).
struct WorkdayMark {
  int32_t day_number = 0;
  HolidayName name;
};

struct Region {
  std::string_view code;  // "DE-BY", "GB-SCT", "US", …
  HolidayName name;
  int32_t first_year = 0;  // the first year the table is sure for
  std::span<const HolidayRule> rules;
  std::string_view note = {};  // shown after the name in the list of regions ("decrees: 2023-2026")
  std::span<const WorkdayMark> workdays = {};
  std::span<const YearSpan> unknown = {};      // years from first_year on that are not known
  std::span<const YearSpan> provisional = {};  // years answered from rules not yet published
};

// The years a region knows, as spans: from its first year to the open future, less its unknown
// years and the years where a rule's kind is not known (the equinox days outside 1900 … 2099).
std::vector<YearSpan> KnownYears(const Region& region);
// "1995 onward", "1995–2099", "1995–2009, 2011 onward"; German "ab 1995", "1995–2099".
std::string KnownYearsText(std::span<const YearSpan> known, Language language);

// Every region, in the order of the list of regions (Germany and its states first, then the
// countries' files in the order of their codes, each in the order of its file).
std::span<const Region> Regions();

// The region of a code, upper or lower case ("de-by"); nullptr when there is none.
const Region* FindRegion(std::string_view code);

// The regions by country, for a list that shows each country with its subdivisions under it: a
// country's own region (DE) and its subdivisions (DE-BW …), in the order of Regions(). A country
// whose subdivisions alone are regions (GB: GB-EAW, GB-SCT, GB-NIR) has no region of its own.
struct RegionCountry {
  std::string_view code;             // "DE", "GB"
  HolidayName name;                  // the country's name in English and German
  const Region* national = nullptr;  // the country's own region, when it has one
  std::vector<const Region*> subdivisions;
};
std::vector<RegionCountry> RegionsByCountry();

// Whether a search text finds a region: found in its code or in its English or German name,
// letters in either case (umlauts too); an empty search finds every region.
bool RegionMatches(const Region& region, std::string_view search);
bool CountryMatches(const RegionCountry& country, std::string_view search);

// The region's rules with none before its first year: a rule that starts earlier starts then, and a
// rule that ended earlier is left out.
std::vector<HolidayRule> RulesInForce(const Region& region);

}  // namespace qv::holidays
