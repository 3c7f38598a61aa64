#include "holidays/regions.h"

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
