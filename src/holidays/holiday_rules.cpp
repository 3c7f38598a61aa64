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

// The Julian computus: the Paschal full moon from the golden number alone (the 19-year cycle of the
// Julian calendar, no solar or lunar correction), then the Sunday after it; the date is a Julian
// calendar date, which the day number turns into a Gregorian one.
int64_t OrthodoxEasterSunday(int32_t year) {
  const int64_t y = civil::FloorMod(year, 532);  // the Julian Easter dates repeat after 532 years
  const int64_t moon = (19 * (y % 19) + 15) % 30;
  const int64_t sunday = (2 * (y % 4) + 4 * (y % 7) - moon + 34) % 7;
  const int64_t days = moon + sunday + 114;
  const auto month = static_cast<int32_t>(days / 31);
  const auto day = static_cast<int32_t>(days % 31 + 1);
  // Same weekday and Julian date as in `year`: the year's place in the cycle, moved back to `year`.
  return civil::JulianToDayNumber(year, month, day);
}

// The approximations published with the National Astronomical Observatory of Japan's tables
// (day = int(base + 0.242194 (Y - 1980) - int((Y - L) / 4)), L = 1983 before 1980, 1980 from then on),
// in millionths of a day so that no rounding of a binary fraction can change a day.
namespace {
int32_t EquinoxDay(int32_t year, int64_t base_early, int64_t base_late) {
  if (year < kFirstEquinoxYear || year > kLastEquinoxYear) return 0;
  const bool early = year < 1980;
  const int64_t base = early ? base_early : base_late;
  // int() cuts towards zero, as in the published formula: (1900 - 1983) / 4 is -20.
  const int64_t leap_years = (int64_t{year} - (early ? 1983 : 1980)) / 4;
  const int64_t t = base + 242'194 * (int64_t{year} - 1980);  // positive from 1900 on
  return static_cast<int32_t>(t / 1'000'000 - leap_years);
}
}  // namespace

int32_t MarchEquinoxDay(int32_t year) { return EquinoxDay(year, 20'835'700, 20'843'100); }
int32_t SeptemberEquinoxDay(int32_t year) { return EquinoxDay(year, 23'258'800, 23'248'800); }

bool KnownYears(const HolidayRule& rule, int32_t& first, int32_t& last) {
  first = rule.first_year;
  last = rule.last_year;
  if (rule.kind == RuleKind::MarchEquinox || rule.kind == RuleKind::SeptemberEquinox) {
    first = std::max(first, kFirstEquinoxYear);
    last = std::min(last, kLastEquinoxYear);
  }
  if (rule.kind == RuleKind::OrthodoxEasterOffset || rule.every > 1) last = std::min(last, kLastYearByYear);
  return first <= last;
}

std::vector<YearSpan> JoinedSpans(std::vector<YearSpan> spans) {
  std::sort(spans.begin(), spans.end(), [](const YearSpan& a, const YearSpan& b) { return a.first < b.first; });
  std::vector<YearSpan> joined;
  for (const YearSpan& span : spans) {
    if (span.first > span.last) continue;
    // Touching spans join too: 2000..2004 and 2005..2010 are one span (64 bits: no overflow at the ends).
    if (!joined.empty() && int64_t{span.first} <= int64_t{joined.back().last} + 1) {
      joined.back().last = std::max(joined.back().last, span.last);
    } else {
      joined.push_back(span);
    }
  }
  return joined;
}

bool FirstYearIn(std::span<const YearSpan> spans, int32_t first, int32_t last, int32_t& year) {
  for (const YearSpan& span : spans) {
    if (span.last < first) continue;
    if (span.first > last) return false;
    year = std::max(span.first, first);
    return true;
  }
  return false;
}

bool HoldsIn(const HolidayRule& rule, int32_t year) {
  int32_t first = 0, last = 0;
  if (!KnownYears(rule, first, last) || year < first || year > last) return false;
  return rule.every <= 1 || civil::FloorMod(int64_t{year} - rule.every_from, rule.every) == 0;
}

bool IsValidRule(const HolidayRule& rule) {
  if (rule.first_year < 0 || rule.first_year > rule.last_year) return false;
  const auto weekday = static_cast<int>(rule.weekday);
  if (weekday < 1 || weekday > 7) return false;
  if (rule.shift < -kLargestShift || rule.shift > kLargestShift) return false;
  if (static_cast<uint8_t>(rule.substitute) > static_cast<uint8_t>(Substitute::MoveToNearest)) return false;
  switch (rule.kind) {
    case RuleKind::FixedDate:
    case RuleKind::WeekdayBefore:
    case RuleKind::WeekdayOnOrBefore:
    case RuleKind::WeekdayAfter:
    case RuleKind::WeekdayOnOrAfter:
    case RuleKind::WeekdayNearest:
      return rule.month >= 1 && rule.month <= 12 && rule.day >= 1 && rule.day <= kLongestMonth[rule.month];
    case RuleKind::NthWeekday:
      return rule.month >= 1 && rule.month <= 12 && rule.nth >= 1 && rule.nth <= 5;
    case RuleKind::LastWeekday:
      return rule.month >= 1 && rule.month <= 12;
    case RuleKind::EasterOffset:
      // No substitute: Easter-bound days keep to their weekday, and the year's holidays stay a
      // function of its Easter date and leap flag.
      return rule.easter_offset >= kEarliestEasterOffset && rule.easter_offset <= kLatestEasterOffset &&
             rule.substitute == Substitute::None && rule.shift == 0;
    case RuleKind::OrthodoxEasterOffset:
      return rule.easter_offset >= kEarliestOrthodoxOffset && rule.easter_offset <= kLatestOrthodoxOffset &&
             rule.substitute == Substitute::None && rule.shift == 0;
    case RuleKind::MarchEquinox:
    case RuleKind::SeptemberEquinox:
      return true;
    case RuleKind::CitizensHoliday:
      return rule.substitute == Substitute::None && rule.shift == 0;
  }
  return false;
}

namespace {

bool KindDay(const HolidayRule& rule, int32_t year, int64_t easter_sunday, int64_t& day) {
  const auto weekday = static_cast<int32_t>(rule.weekday);
  const auto date = [&](int64_t& out) {
    if (rule.day > civil::GregorianMonthLength(year, rule.month)) return false;
    out = civil::GregorianToDayNumber(year, rule.month, rule.day);
    return true;
  };
  int64_t d = 0;
  switch (rule.kind) {
    case RuleKind::WeekdayOnOrBefore:
      if (!date(d)) return false;
      day = d - (Iso(d) - weekday + 7) % 7;
      return true;
    case RuleKind::WeekdayAfter:
      if (!date(d)) return false;
      day = d + 1 + (weekday - Iso(d + 1) + 7) % 7;
      return true;
    case RuleKind::WeekdayOnOrAfter:
      if (!date(d)) return false;
      day = d + (weekday - Iso(d) + 7) % 7;
      return true;
    case RuleKind::WeekdayNearest: {
      if (!date(d)) return false;
      const int32_t ahead = (weekday - Iso(d) + 7) % 7;  // [0, 6]: three days back are four ahead
      day = ahead <= 3 ? d + ahead : d + ahead - 7;
      return true;
    }
    case RuleKind::OrthodoxEasterOffset:
      day = OrthodoxEasterSunday(year) + rule.easter_offset;
      return true;
    case RuleKind::MarchEquinox:
    case RuleKind::SeptemberEquinox: {
      const bool march = rule.kind == RuleKind::MarchEquinox;
      const int32_t of_month = march ? MarchEquinoxDay(year) : SeptemberEquinoxDay(year);
      if (of_month == 0) return false;
      day = civil::GregorianToDayNumber(year, march ? 3 : 9, of_month);
      return true;
    }
    default:
      static_cast<void>(easter_sunday);
      return false;
  }
}

}  // namespace

namespace {

bool BaseDay(const HolidayRule& rule, int32_t year, int64_t easter_sunday, int64_t& day) {
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
    case RuleKind::CitizensHoliday:
      return false;
    default:
      return KindDay(rule, year, easter_sunday, day);
  }
  return false;
}

}  // namespace

bool RuleDay(const HolidayRule& rule, int32_t year, int64_t easter_sunday, int64_t& day) {
  if (!BaseDay(rule, year, easter_sunday, day)) return false;
  day += rule.shift;
  return true;
}

void AppendSubstitutes(std::span<const HolidayRule> rules, std::vector<RuleDayEntry>& out,
                       size_t first_entry, int citizens_rule) {
  const size_t own_days = out.size();
  // Only the law's holidays hold a day against a substitute: a customary closing day (Japan's
  // offices from 29 December to 3 January) leaves the law's substitute where the law puts it.
  const auto by_law = [&](size_t i) { return rules[out[i].rule].day_kind == DayKind::Law; };
  const auto taken = [&](int64_t candidate) {
    for (size_t i = first_entry; i < out.size(); ++i) {
      if (out[i].day == candidate && by_law(i)) return true;
    }
    return false;
  };
  // Those independent of the other holidays: the nearest weekday (added or moved to), Sunday's Monday.
  for (size_t i = first_entry; i < own_days; ++i) {
    const RuleDayEntry entry = out[i];
    const Substitute substitute = rules[entry.rule].substitute;
    const int32_t weekday = Iso(entry.day);
    if (substitute == Substitute::NearestWeekday && weekday >= 6) {
      out.push_back(RuleDayEntry{.day = entry.day + (weekday == 6 ? -1 : 1), .rule = entry.rule, .substitute = true});
    } else if (substitute == Substitute::SundayToMonday && weekday == 7) {
      out.push_back(RuleDayEntry{.day = entry.day + 1, .rule = entry.rule, .substitute = true});
    } else if (substitute == Substitute::MoveToNearest && weekday >= 6) {
      out[i].day += weekday == 6 ? -1 : 1;
      out[i].substitute = true;
    }
  }
  // The chains: in the order of the holidays' own days, each takes the next day that no holiday of
  // the table holds yet (Christmas Day on a Saturday: Monday 27th; Boxing Day on the Sunday after it:
  // Tuesday 28th). A weekday for the UK's and the moved holidays, any day for Japan's.
  std::vector<size_t> waiting;
  for (size_t i = first_entry; i < own_days; ++i) {
    const Substitute substitute = rules[out[i].rule].substitute;
    const int32_t weekday = Iso(out[i].day);
    if (out[i].substitute) continue;
    if (((substitute == Substitute::NextFreeWeekday || substitute == Substitute::MoveToMonday) && weekday >= 6) ||
        (substitute == Substitute::NextFreeDay && weekday == 7)) {
      waiting.push_back(i);
    }
  }
  std::sort(waiting.begin(), waiting.end(), [&](size_t a, size_t b) {
    return out[a].day != out[b].day ? out[a].day < out[b].day : out[a].rule < out[b].rule;
  });
  for (const size_t i : waiting) {
    const RuleDayEntry entry = out[i];
    const Substitute substitute = rules[entry.rule].substitute;
    const bool weekdays_only = substitute != Substitute::NextFreeDay;
    int64_t day = entry.day + 1;
    while ((weekdays_only && IsWeekend(day)) || taken(day)) ++day;  // at most the table's holidays and two weekends ahead
    if (Moves(substitute)) {
      out[i].day = day;
      out[i].substitute = true;
    } else {
      out.push_back(RuleDayEntry{.day = day, .rule = entry.rule, .substitute = true});
    }
  }
  // A day between two holidays' own days, itself no Sunday and no holiday.
  if (citizens_rule >= 0) {
    for (size_t i = first_entry; i < own_days; ++i) {
      if (out[i].substitute || !by_law(i)) continue;
      const int64_t between = out[i].day + 1;
      bool closes = false;
      for (size_t j = first_entry; j < own_days && !closes; ++j) {
        closes = !out[j].substitute && by_law(j) && out[j].day == between + 1;
      }
      if (!closes || Iso(between) == 7 || taken(between)) continue;
      out.push_back(RuleDayEntry{.day = between, .rule = static_cast<uint16_t>(citizens_rule), .substitute = false});
    }
  }
}

bool MaySpillIntoOtherYears(std::span<const HolidayRule> rules) {
  // Conservative: the earliest and latest day of the year (0 … 365) a rule can give, widened by a
  // week for the weekday kinds and the substitutes (a chain may pass two weekends and a few holidays).
  constexpr int32_t kMonthStart[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  for (const HolidayRule& rule : rules) {
    int32_t earliest = 0, latest = 0;
    switch (rule.kind) {
      case RuleKind::EasterOffset:
        earliest = 80 + rule.easter_offset, latest = 116 + rule.easter_offset;
        break;
      case RuleKind::OrthodoxEasterOffset:
        earliest = 80 + rule.easter_offset, latest = 200 + rule.easter_offset;
        break;
      case RuleKind::CitizensHoliday:
        continue;  // between two of the other days
      case RuleKind::FixedDate:
      case RuleKind::NthWeekday:
      case RuleKind::LastWeekday:
        if (rule.month < 1 || rule.month > 12) return true;
        earliest = kMonthStart[rule.month], latest = kMonthStart[rule.month] + 30;  // within the month
        break;
      default:
        if (rule.month < 1 || rule.month > 12) return true;
        earliest = kMonthStart[rule.month] - 7, latest = kMonthStart[rule.month] + 31 + 7;
        break;
    }
    const int32_t substitute_days = rule.substitute == Substitute::None ? 0 : 14;
    earliest += rule.shift - substitute_days;
    latest += rule.shift + substitute_days;
    if (earliest < 0 || latest > 364) return true;
  }
  return false;
}

std::string_view SubstituteSuffix(Substitute substitute, Language language) {
  switch (substitute) {
    case Substitute::None:
      return "";
    case Substitute::NextFreeWeekday:
    case Substitute::SundayToMonday:
    case Substitute::NextFreeDay:
      return language == Language::German ? " (Ersatztag)" : " (substitute day)";
    case Substitute::NearestWeekday:
      return language == Language::German ? " (arbeitsfreier Ersatztag)" : " (observed)";
    case Substitute::MoveToMonday:
    case Substitute::MoveToNearest:
      return language == Language::German ? " (verlegt)" : " (moved)";
  }
  return "";
}

std::string_view DayKindSuffix(DayKind kind, Language language) {
  const bool german = language == Language::German;
  switch (kind) {
    case DayKind::Law:
      return "";
    case DayKind::Rest:
      return german ? " (Ruhetag)" : " (rest day)";
    case DayKind::Custom:
      return german ? " (üblich arbeitsfrei)" : " (customary)";
    case DayKind::Half:
      return german ? " (halber Tag)" : " (half day)";
  }
  return "";
}

std::string_view DayKindWord(DayKind kind) {
  switch (kind) {
    case DayKind::Law: return "law";
    case DayKind::Rest: return "rest";
    case DayKind::Custom: return "custom";
    case DayKind::Half: return "half";
  }
  return "law";
}

}  // namespace qv::holidays
