#pragma once
// Holidays as data: each rule says on which day of a year its holiday falls, in which years it
// held, and whether a day on a weekend brings a substitute day. A region is a table of such rules;
// a yearly event of an iCalendar file becomes one too.
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "text/language.h"

namespace qv::holidays {

// ISO numbering, as civil::IsoWeekday gives it.
enum class Weekday : int8_t { Monday = 1, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday };

enum class RuleKind : uint8_t {
  FixedDate,      // `month`/`day`; no holiday in a year whose month is shorter (29 February)
  NthWeekday,     // the `nth` (1 … 5) `weekday` of `month`; none in a month without a fifth
  LastWeekday,    // the last `weekday` of `month`
  WeekdayBefore,  // the last `weekday` before `month`/`day` (Wednesday before 23 November: 16 … 22 November)
  EasterOffset,   // `easter_offset` days after Gregorian Easter Sunday (before it when negative)
  WeekdayOnOrBefore,     // `month`/`day` when it is a `weekday`, else the `weekday` before it
  WeekdayAfter,          // the first `weekday` after `month`/`day`
  WeekdayOnOrAfter,      // `month`/`day` when it is a `weekday`, else the `weekday` after it
  WeekdayNearest,        // the `weekday` nearest `month`/`day` (three days either side: the later)
  OrthodoxEasterOffset,  // `easter_offset` days after Easter Sunday of the Julian computus
  MarchEquinox,          // the day of the March equinox in Japan (JST), 1900 … 2099
  SeptemberEquinox,      // the day of the September equinox in Japan (JST), 1900 … 2099
  CitizensHoliday,       // a day between two holidays' own days that is no Sunday and no holiday itself
};

// What a holiday on a Saturday or Sunday brings. The weekend day stays a holiday itself (it is the
// holiday's own date, which a work week with Saturdays does not work either); the substitute is a
// holiday besides it.
enum class Substitute : uint8_t {
  None,
  NextFreeWeekday,  // the next Monday … Friday that is not already a holiday of the same table (UK)
  NearestWeekday,   // Saturday: the Friday before; Sunday: the Monday after (US federal)
  SundayToMonday,   // Sunday: the Monday after
  NextFreeDay,      // Sunday only: the next day that is not already a holiday (Japan)
  MoveToMonday,     // Saturday or Sunday: the holiday itself moves to the next free Monday … Friday
  MoveToNearest,    // the holiday itself moves: Saturday to the Friday before, Sunday to the Monday after
};

// Whether the substitute takes the holiday's place (the weekend day is then no holiday).
constexpr bool Moves(Substitute substitute) {
  return substitute == Substitute::MoveToMonday || substitute == Substitute::MoveToNearest;
}

inline constexpr int32_t kNoLastYear = std::numeric_limits<int32_t>::max();
inline constexpr int32_t kNoFirstYear = std::numeric_limits<int32_t>::min();

// What kind of day a holiday is, which decides whether an office counts it.
enum class DayKind : uint8_t {
  Law,     // a public holiday by law
  Rest,    // a legal rest day: offices closed by law, though not a paid public holiday
  Custom,  // a customary closing day: the government's staff rules, common agreements, banks
  Half,    // a half day: listed, never counted
};

// The kinds a count leaves out, as a set of bits (1 << DayKind).
using DayKinds = uint8_t;
constexpr DayKinds KindBit(DayKind kind) { return static_cast<DayKinds>(1u << static_cast<unsigned>(kind)); }
// What an ordinary office closes on: every kind but half days.
inline constexpr DayKinds kOfficeKinds = KindBit(DayKind::Law) | KindBit(DayKind::Rest) | KindBit(DayKind::Custom);
// The public holidays by law alone.
inline constexpr DayKinds kLawKinds = KindBit(DayKind::Law);
constexpr bool Counts(DayKinds kinds, DayKind kind) { return (kinds & KindBit(kind)) != 0; }

// Years from `first` to `last`, both included.
struct YearSpan {
  int32_t first = 0;
  int32_t last = 0;
  friend bool operator==(const YearSpan&, const YearSpan&) = default;
};

// Spans sorted by their first years and joined where they touch or overlap.
std::vector<YearSpan> JoinedSpans(std::vector<YearSpan> spans);
// Whether any year of [first, last] lies in one of the joined `spans`; the first such year.
bool FirstYearIn(std::span<const YearSpan> spans, int32_t first, int32_t last, int32_t& year);
// Easter-bound holidays stay between 18 January and 8 November (Easter falls from 22 March to
// 25 April), within their own year and clear of the substitute days around New Year: far enough
// back for the carnival days (Shrove Tuesday is 47 days before Easter).
inline constexpr int16_t kEarliestEasterOffset = -63;
inline constexpr int16_t kLatestEasterOffset = 197;
// Orthodox Easter falls from 4 April to 8 May in 1900 … 2099 and later each century as the Julian
// calendar falls behind: offsets that keep the day within its year up to 9999.
inline constexpr int16_t kEarliestOrthodoxOffset = -60;
inline constexpr int16_t kLatestOrthodoxOffset = 120;
// Every rule may move its day by up to this many days either way.
inline constexpr int16_t kLargestShift = 366;

// The years a kind of rule is known for. The equinox days come from the approximations published
// with the tables of the National Astronomical Observatory of Japan, good for 1900 … 2099 only; out
// of them the days are not guessed. Orthodox Easter and rules held every n-th year do not follow
// from a year's Easter date and leap flag, which make counting over millions of years a matter of
// tables: they are held to the four-digit years, which the counting keeps year by year.
inline constexpr int32_t kFirstEquinoxYear = 1900;
inline constexpr int32_t kLastEquinoxYear = 2099;
inline constexpr int32_t kLastYearByYear = 9999;

struct HolidayName {
  std::string_view en;
  std::string_view de;
};

struct HolidayRule {
  RuleKind kind = RuleKind::FixedDate;
  int8_t month = 0;
  int8_t day = 0;
  int8_t nth = 0;
  Weekday weekday = Weekday::Monday;
  int16_t easter_offset = 0;
  Substitute substitute = Substitute::None;
  int32_t first_year = 0;            // the first year it held (a one-off day: first = last)
  int32_t last_year = kNoLastYear;   // the last year it held
  HolidayName name;
  int16_t shift = 0;                 // days added to the day the kind gives
  uint16_t every = 0;                // 0 or 1: every year; n: the years every_from + k·n only
  int32_t every_from = 0;
  DayKind day_kind = DayKind::Law;
};

// Whether the rule holds in `year`: within its years, on its every-n-th years, within the years its
// kind is known for.
bool HoldsIn(const HolidayRule& rule, int32_t year);

// The rule's years narrowed to those its kind is known for; false when none is left.
bool KnownYears(const HolidayRule& rule, int32_t& first, int32_t& last);

// Day number of Easter Sunday of the Julian computus (the Orthodox churches'), as a day number.
int64_t OrthodoxEasterSunday(int32_t year);
// Day of March (20 or 21) / September (22 or 23) of the equinox in Japan; 0 outside 1900 … 2099.
int32_t MarchEquinoxDay(int32_t year);
int32_t SeptemberEquinoxDay(int32_t year);

// Whether a rule is well formed: a month and day that exist in some year, n within 1 … 5, the
// Easter offset and shift within their ranges, years in order with the first not negative.
bool IsValidRule(const HolidayRule& rule);

// The holiday's own day in `year` (day number), or false when the year has none. `easter_sunday`
// is the day number of that year's Easter Sunday (read only by Easter-bound rules).
bool RuleDay(const HolidayRule& rule, int32_t year, int64_t easter_sunday, int64_t& day);

struct RuleDayEntry {
  int64_t day = 0;          // day number
  uint16_t rule = 0;        // index of the rule in its table
  bool substitute = false;  // the substitute day of a holiday on a weekend
};

// The holidays the rules of one table give for the rule year `year`, with their substitute days, in
// no particular order: each rule's own day (for the rules `active` says held) and the substitutes.
// A substitute may fall in the next or the previous year (1 January on a Saturday: 31 December
// before). `active` is called as active(rule_index, year).
template <typename Active>
void AppendRuleYear(std::span<const HolidayRule> rules, int32_t year, Active&& active, std::vector<RuleDayEntry>& out);

// Whether any rule of the table can give a day outside its own rule year (a substitute around New
// Year, a weekday before a date early in January): such tables are asked for the years beside a
// calendar year too.
bool MaySpillIntoOtherYears(std::span<const HolidayRule> rules);

// Our own suffixes of a substitute day's name.
std::string_view SubstituteSuffix(Substitute substitute, Language language);
// Our own suffixes of a day's name by its kind: none for a public holiday by law, " (rest day)",
// " (customary)", " (half day)" (German " (Ruhetag)", " (üblich arbeitsfrei)", " (halber Tag)").
std::string_view DayKindSuffix(DayKind kind, Language language);
// The kind as the rule files and the JSON write it: "law", "rest", "custom", "half".
std::string_view DayKindWord(DayKind kind);

// --- template definition ------------------------------------------------------------------------

void AppendSubstitutes(std::span<const HolidayRule> rules, std::vector<RuleDayEntry>& out,
                       size_t first_entry, int citizens_rule);
int64_t EasterSundayOf(int32_t year);

template <typename Active>
void AppendRuleYear(std::span<const HolidayRule> rules, int32_t year, Active&& active, std::vector<RuleDayEntry>& out) {
  const size_t first_entry = out.size();
  int64_t easter = 0;
  bool easter_known = false;
  bool any_substitute = false;
  int citizens_rule = -1;
  for (size_t i = 0; i < rules.size(); ++i) {
    const HolidayRule& rule = rules[i];
    if (!active(i, year)) continue;
    if (rule.kind == RuleKind::CitizensHoliday) {
      citizens_rule = static_cast<int>(i);
      continue;
    }
    if (rule.kind == RuleKind::EasterOffset && !easter_known) {
      easter = EasterSundayOf(year);
      easter_known = true;
    }
    int64_t day = 0;
    if (!RuleDay(rule, year, easter, day)) continue;
    out.push_back(RuleDayEntry{.day = day, .rule = static_cast<uint16_t>(i), .substitute = false});
    any_substitute = any_substitute || rule.substitute != Substitute::None;
  }
  if (any_substitute || citizens_rule >= 0) AppendSubstitutes(rules, out, first_entry, citizens_rule);
}

}  // namespace qv::holidays
