#include "holidays/regions.h"

#include <array>
#include <string>

#include "holidays/holiday_source.h"

namespace qv::holidays {

// The compiled rule files (builtin_regions.cpp, written by compile_rules at build time).
std::span<const Region> BuiltInRegions();

std::span<const Region> Regions() { return BuiltInRegions(); }

const Region* FindRegion(std::string_view code) {
  for (const Region& region : BuiltInRegions()) {
    if (region.code.size() != code.size()) continue;
    bool same = true;
    for (size_t i = 0; i < code.size() && same; ++i) {
      const char c = code[i];
      same = (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) == region.code[i];
    }
    if (same) return &region;
  }
  return nullptr;
}

namespace {

// Countries whose subdivisions alone are regions, with their ISO 3166 short names.
struct CountryName {
  std::string_view code;
  HolidayName name;
};
constexpr std::array kCountriesWithoutOwnRegion{
    CountryName{"GB", HolidayName{"United Kingdom", "Vereinigtes Königreich"}},
};

std::string_view CountryCodeOf(std::string_view code) { return code.substr(0, code.find('-')); }

// Letters folded to lower case: ASCII, and the Latin-1 capitals (À … Þ, as UTF-8 "\xC3\x80" …
// "\xC3\x9E") to their small letters, which is what the names' umlauts need.
std::string Folded(std::string_view text) {
  std::string folded(text);
  for (size_t i = 0; i < folded.size(); ++i) {
    const auto c = static_cast<unsigned char>(folded[i]);
    if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c - 'A' + 'a');
    } else if (c == 0xC3 && i + 1 < folded.size()) {
      const auto next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) folded[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return folded;
}

bool Finds(std::string_view text, const std::string& folded_search) {
  return Folded(text).find(folded_search) != std::string::npos;
}

}  // namespace

std::vector<RegionCountry> RegionsByCountry() {
  std::vector<RegionCountry> countries;
  for (const Region& region : BuiltInRegions()) {
    const std::string_view country = CountryCodeOf(region.code);
    auto it = countries.begin();
    while (it != countries.end() && it->code != country) ++it;
    if (it == countries.end()) {
      RegionCountry added{.code = country, .name = {}, .national = nullptr, .subdivisions = {}};
      if (const Region* own = FindRegion(country)) {
        added.name = own->name;
      } else {
        for (const CountryName& known : kCountriesWithoutOwnRegion) {
          if (known.code == country) added.name = known.name;
        }
        if (added.name.en.empty()) added.name = HolidayName{country, country};
      }
      countries.push_back(added);
      it = countries.end() - 1;
    }
    if (region.code == country) {
      it->national = &region;
    } else {
      it->subdivisions.push_back(&region);
    }
  }
  return countries;
}

bool RegionMatches(const Region& region, std::string_view search) {
  const std::string folded = Folded(search);
  return Finds(region.code, folded) || Finds(region.name.en, folded) || Finds(region.name.de, folded);
}

bool CountryMatches(const RegionCountry& country, std::string_view search) {
  const std::string folded = Folded(search);
  return Finds(country.code, folded) || Finds(country.name.en, folded) || Finds(country.name.de, folded);
}

std::vector<HolidayRule> RulesInForce(const Region& region) {
  std::vector<HolidayRule> rules;
  rules.reserve(region.rules.size());
  for (HolidayRule rule : region.rules) {
    if (rule.last_year < region.first_year) continue;
    if (rule.first_year < region.first_year) rule.first_year = region.first_year;
    rules.push_back(rule);
  }
  return rules;
}

}  // namespace qv::holidays

namespace qv::holidays {

std::vector<YearSpan> KnownYears(const Region& region) {
  return KnownYearsOf(UnknownYearsOf(region.first_year, region.unknown, RulesInForce(region)));
}

std::string KnownYearsText(std::span<const YearSpan> known, Language language) {
  const bool german = language == Language::German;
  if (known.empty()) return german ? "kein Jahr" : "no year";
  std::string text;
  for (const YearSpan& span : known) {
    if (!text.empty()) text += ", ";
    if (span.first == kNoFirstYear && span.last == kNoLastYear) {
      text += german ? "jedes Jahr" : "every year";
    } else if (span.first == kNoFirstYear) {
      text += (german ? "bis " : "up to ") + std::to_string(span.last);
    } else if (span.last == kNoLastYear) {
      text += german ? "ab " + std::to_string(span.first) : std::to_string(span.first) + " onward";
    } else if (span.first == span.last) {
      text += std::to_string(span.first);
    } else {
      text += std::to_string(span.first) + "\xE2\x80\x93" + std::to_string(span.last);  // an en dash
    }
  }
  return text;
}

}  // namespace qv::holidays
