#include "holidays/holiday_rules.h"

#include <algorithm>

#include "calendar/civil.h"
#include "holidays/easter.h"

namespace qv::holidays {
namespace {

constexpr int32_t kLongestMonth[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int32_t Iso(int64_t day) { return civil::IsoWeekday(day); }
bool IsWeekend(int64_t day) { return Iso(day) >= 6; }

}  // namespace

int64_t EasterSundayOf(int32_t year) { return EasterSunday(year); }

bool IsValidRule(const HolidayRule& rule) {
  if (rule.first_year < 0 || rule.first_year > rule.last_year) return false;
  const auto weekday = static_cast<int>(rule.weekday);
  if (weekday < 1 || weekday > 7) return false;
  switch (rule.kind) {
    case RuleKind::FixedDate:
    case RuleKind::WeekdayBefore:
      return rule.month >= 1 && rule.month <= 12 && rule.day >= 1 && rule.day <= kLongestMonth[rule.month];
    case RuleKind::NthWeekday:
      return rule.month >= 1 && rule.month <= 12 && rule.nth >= 1 && rule.nth <= 5;
    case RuleKind::LastWeekday:
      return rule.month >= 1 && rule.month <= 12;
    case RuleKind::EasterOffset:
      // No substitute: Easter-bound days keep to their weekday, and the year's holidays stay a
      // function of its Easter date and leap flag.
      return rule.easter_offset >= kEarliestEasterOffset && rule.easter_offset <= kLatestEasterOffset &&
             rule.substitute == Substitute::None;
  }
  return false;
}

bool RuleDay(const HolidayRule& rule, int32_t year, int64_t easter_sunday, int64_t& day) {
  switch (rule.kind) {
    case RuleKind::FixedDate:
      if (rule.day > civil::GregorianMonthLength(year, rule.month)) return false;
      day = civil::GregorianToDayNumber(year, rule.month, rule.day);
      return true;
    case RuleKind::NthWeekday: {
      const int64_t first = civil::GregorianToDayNumber(year, rule.month, 1);
      const int32_t ahead = (static_cast<int32_t>(rule.weekday) - Iso(first) + 7) % 7;  // [0, 6]
      const int32_t offset = ahead + 7 * (rule.nth - 1);                               // [0, 34]
      if (offset >= civil::GregorianMonthLength(year, rule.month)) return false;
      day = first + offset;
      return true;
    }
    case RuleKind::LastWeekday: {
      const int64_t last = civil::GregorianToDayNumber(year, rule.month, civil::GregorianMonthLength(year, rule.month));
      day = last - (Iso(last) - static_cast<int32_t>(rule.weekday) + 7) % 7;
      return true;
    }
    case RuleKind::WeekdayBefore: {
      if (rule.day > civil::GregorianMonthLength(year, rule.month)) return false;
      const int64_t before = civil::GregorianToDayNumber(year, rule.month, rule.day) - 1;
      day = before - (Iso(before) - static_cast<int32_t>(rule.weekday) + 7) % 7;
      return true;
    }
    case RuleKind::EasterOffset:
      day = easter_sunday + rule.easter_offset;
      return true;
  }
  return false;
}

void AppendSubstitutes(std::span<const HolidayRule> rules, std::vector<RuleDayEntry>& out, size_t first_entry) {
  const size_t own_days = out.size();
  // Nearest weekday: independent of the other holidays.
  for (size_t i = first_entry; i < own_days; ++i) {
    const RuleDayEntry entry = out[i];
    if (rules[entry.rule].substitute != Substitute::NearestWeekday || !IsWeekend(entry.day)) continue;
    out.push_back(RuleDayEntry{.day = entry.day + (Iso(entry.day) == 6 ? -1 : 1), .rule = entry.rule, .substitute = true});
  }
  // Next free weekday: in the order of the holidays' own days, each takes the next Monday …
  // Friday that no holiday of the table holds yet (Christmas Day on a Saturday: Monday 27th;
  // Boxing Day on the Sunday after it: Tuesday 28th).
  std::vector<RuleDayEntry> waiting;
  for (size_t i = first_entry; i < own_days; ++i) {
    const RuleDayEntry entry = out[i];
    if (rules[entry.rule].substitute == Substitute::NextFreeWeekday && IsWeekend(entry.day)) waiting.push_back(entry);
  }
  std::sort(waiting.begin(), waiting.end(), [](const RuleDayEntry& a, const RuleDayEntry& b) {
    return a.day != b.day ? a.day < b.day : a.rule < b.rule;
  });
  for (const RuleDayEntry& entry : waiting) {
    int64_t day = entry.day + 1;
    const auto taken = [&](int64_t candidate) {
      for (size_t i = first_entry; i < out.size(); ++i) {
        if (out[i].day == candidate) return true;
      }
      return false;
    };
    while (IsWeekend(day) || taken(day)) ++day;  // at most the table's holidays and two weekends ahead
    out.push_back(RuleDayEntry{.day = day, .rule = entry.rule, .substitute = true});
  }
}

bool MaySpillIntoOtherYears(std::span<const HolidayRule> rules) {
  for (const HolidayRule& rule : rules) {
    if (rule.kind == RuleKind::EasterOffset) continue;
    const bool january = rule.month == 1, december = rule.month == 12;
    if (rule.substitute != Substitute::None && (january || december)) return true;
    if (rule.kind == RuleKind::WeekdayBefore && january && rule.day <= 7) return true;
  }
  return false;
}

std::string_view SubstituteSuffix(Substitute substitute, Language language) {
  switch (substitute) {
    case Substitute::None:
      return "";
    case Substitute::NextFreeWeekday:
      return language == Language::German ? " (Ersatztag)" : " (substitute day)";
    case Substitute::NearestWeekday:
      return language == Language::German ? " (arbeitsfreier Ersatztag)" : " (observed)";
  }
  return "";
}

}  // namespace qv::holidays
