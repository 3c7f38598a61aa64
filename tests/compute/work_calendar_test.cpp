// The work calendar against the slow, obvious way: every day of a span looked at, each year's
// holidays made from the rules as they stand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "compute/day_arithmetic.h"
#include "compute/work_calendar.h"
#include "holidays/easter.h"
#include "holidays/holiday_source.h"
#include "holidays/regions.h"
#include "support/dates.h"

namespace qv {
namespace {

using holidays::HolidayRule;
using holidays::HolidaySource;
using holidays::RuleKind;
using holidays::Weekday;

using test::Jdn;
int64_t YearOf(int64_t day) { return civil::GregorianYearOfDayNumber(day); }

HolidaySource Region(std::string_view code) { return holidays::RegionSource(*holidays::FindRegion(code)); }

// --- The oracle ------------------------------------------------------------------------------------

class SlowCalendar {
 public:
  SlowCalendar(WorkWeek week, std::vector<HolidaySource> sources) : week_(week), sources_(std::move(sources)) {}

  // The first source holding the day as a holiday, any weekday.
  std::optional<size_t> HolidaySource(int64_t day) const {
    const auto& year = Year(YearOf(day));
    const auto it = year.find(day);
    if (it == year.end()) return std::nullopt;
    return it->second;
  }
  bool Working(int64_t day) const {
    if (!week_.Works(civil::IsoWeekday(day))) {
      for (const auto& source : sources_) {
        for (const auto& worked : source.workdays) {
          if (worked.day_number == day) return true;
        }
      }
      return false;
    }
    return !HolidaySource(day);
  }

  int64_t Count(int64_t first, int64_t second, bool include_first) const {
    int64_t count = 0;
    if (second > first) {
      for (int64_t day = first + 1; day <= second; ++day) count += Working(day) ? 1 : 0;
    } else {
      for (int64_t day = second + 1; day <= first; ++day) count -= Working(day) ? 1 : 0;
    }
    if (include_first && Working(first)) count += count >= 0 ? 1 : -1;
    return count;
  }

  // The working day whose count from `first` is n, walking away from `first`; with none (n = -1,
  // first date included and a working day) the first date itself.
  int64_t SecondFromFirst(int64_t first, int64_t n, bool include_first) const {
    if (n == 0) return first;
    const int64_t step = n > 0 ? 1 : -1;
    int64_t count = include_first && Working(first) ? 1 : 0;  // Count(first, first)
    if (n > 0 && count == n) return first;
    if (n < 0) count = -count;
    if (n < 0 && Working(first)) --count;  // (t, first] holds the first date from t = first - 1 on
    for (int64_t t = first + step;; t += step) {
      if (n > 0 && Working(t)) ++count;
      if (Working(t) && count == n) return t;
      if (n < 0 && Working(t)) --count;
      if ((n > 0 && count > n) || (n < 0 && count < n)) return first;
    }
  }

  // The working day f whose count to `second` is n.
  int64_t FirstFromSecond(int64_t second, int64_t n, bool include_first) const {
    if (n == 0) return second;
    if (n > 0) {
      int64_t after = 0;  // working days in (f, second]
      for (int64_t f = second;; --f) {
        if (Working(f) && after + (include_first ? 1 : 0) == n) return f;
        after += Working(f) ? 1 : 0;
      }
    }
    int64_t within = 0;  // working days in (second, f]
    for (int64_t f = second + 1; n != -1 || !include_first; ++f) {
      within += Working(f) ? 1 : 0;
      if (Working(f) && -(within + (include_first ? 1 : 0)) == n) return f;
    }
    for (int64_t f = second;; --f) {  // none: the last working day up to the second date
      if (Working(f)) return f;
    }
  }

 private:
  const std::map<int64_t, size_t>& Year(int64_t year) const {
    auto [it, fresh] = cache_.try_emplace(year);
    if (!fresh) return it->second;
    const int64_t first_day = civil::GregorianToDayNumber(static_cast<int32_t>(year), 1, 1);
    const int64_t next_first_day = civil::GregorianToDayNumber(static_cast<int32_t>(year + 1), 1, 1);
    for (size_t s = 0; s < sources_.size(); ++s) {
      const auto& rules = sources_[s].rules;
      for (int64_t rule_year = year - 1; rule_year <= year + 1; ++rule_year) {
        if (rule_year < 0) continue;
        std::vector<holidays::RuleDayEntry> days;
        holidays::AppendRuleYear(rules, static_cast<int32_t>(rule_year),
                                 [&](size_t i, int32_t y) { return holidays::HoldsIn(rules[i], y); },
                                 days);
        for (const auto& entry : days) {
          if (entry.day >= first_day && entry.day < next_first_day) it->second.try_emplace(entry.day, s);
        }
      }
      for (const auto& date : sources_[s].dates) {
        if (date.day_number >= first_day && date.day_number < next_first_day) it->second.try_emplace(date.day_number, s);
      }
    }
    return it->second;
  }

  WorkWeek week_;
  std::vector<holidays::HolidaySource> sources_;
  mutable std::map<int64_t, std::map<int64_t, size_t>> cache_;
};

// --- Random calendars ------------------------------------------------------------------------------

// Yearly rules such as an iCalendar file gives, some on the days the regions' Easter holidays can
// take (1 May, late May Mondays), some ending or starting within the tested years.
HolidaySource RandomRules(std::mt19937& random, int32_t around_year) {
  HolidaySource source;
  source.kind = holidays::SourceKind::ICalendar;
  source.label = "rules.ics";
  std::uniform_int_distribution<int> month(1, 12), day(1, 28), nth(1, 4), weekday(1, 7), kind(0, 5), span(-30, 30);
  const int rules = std::uniform_int_distribution<int>(1, 6)(random);
  for (int i = 0; i < rules; ++i) {
    HolidayRule rule;
    switch (kind(random)) {
      case 0:  // 1 May: Ascension Day falls on it
        rule.kind = RuleKind::FixedDate, rule.month = 5, rule.day = 1;
        break;
      case 1:  // the last Monday of May: Whit Monday falls on it
        rule.kind = RuleKind::LastWeekday, rule.month = 5, rule.weekday = Weekday::Monday;
        break;
      case 2:
        rule.kind = RuleKind::FixedDate, rule.month = static_cast<int8_t>(month(random)), rule.day = static_cast<int8_t>(day(random));
        break;
      case 3:
        rule.kind = RuleKind::NthWeekday, rule.month = static_cast<int8_t>(month(random)), rule.nth = static_cast<int8_t>(nth(random));
        rule.weekday = static_cast<Weekday>(weekday(random));
        break;
      case 4:
        rule.kind = RuleKind::EasterOffset;
        rule.easter_offset = static_cast<int16_t>(std::uniform_int_distribution<int>(-21, 197)(random));
        break;
      default:
        rule.kind = RuleKind::LastWeekday, rule.month = static_cast<int8_t>(month(random));
        rule.weekday = static_cast<Weekday>(weekday(random));
        break;
    }
    rule.first_year = std::max(0, around_year + span(random));
    if (random() % 2 == 0) rule.last_year = rule.first_year + std::abs(span(random));
    source.rules.push_back(rule);
  }
  return source;
}

HolidaySource RandomDates(std::mt19937& random, int64_t around_day) {
  HolidaySource source;
  source.kind = holidays::SourceKind::List;
  source.label = "list.txt";
  std::uniform_int_distribution<int64_t> offset(-1500, 1500);
  const int count = std::uniform_int_distribution<int>(0, 300)(random);
  for (int i = 0; i < count; ++i) {
    const int64_t day = std::clamp<int64_t>(around_day + offset(random), -DayNumberLimit, DayNumberLimit);
    source.dates.push_back({static_cast<int32_t>(day), ""});
  }
  std::sort(source.dates.begin(), source.dates.end(), [](const auto& a, const auto& b) { return a.day_number < b.day_number; });
  return source;
}

const char* const kRegionCodes[] = {"DE-BY", "DE-BB", "GB-EAW", "GB-SCT", "US", "AT", "DE-SN", "GB-NIR"};

struct CalendarSetup {
  WorkWeek week;
  std::vector<HolidaySource> sources;
};

CalendarSetup RandomSetup(std::mt19937& random, int64_t around_day) {
  CalendarSetup setup;
  setup.week = *WorkWeek::FromMask(static_cast<uint8_t>(std::uniform_int_distribution<int>(1, 127)(random)));
  const int32_t around_year = static_cast<int32_t>(std::clamp<int64_t>(YearOf(around_day), 0, 5'000'000));
  std::vector<int> order{0, 1, 2};
  std::shuffle(order.begin(), order.end(), random);
  for (int which : order) {
    if (random() % 3 == 0) continue;
    if (which == 0) setup.sources.push_back(Region(kRegionCodes[random() % std::size(kRegionCodes)]));
    if (which == 1) setup.sources.push_back(RandomRules(random, around_year));
    if (which == 2) setup.sources.push_back(RandomDates(random, around_day));
  }
  return setup;
}

// Days around which spans are taken: the regions' changing years, the end of the explicit years,
// the first Easter-table years, and far years at both ends of the range.
int64_t RandomDay(std::mt19937& random) {
  static const int64_t kAround[] = {Jdn(1971, 1, 1), Jdn(1994, 11, 1), Jdn(2008, 4, 1), Jdn(2017, 10, 1),
                                    Jdn(2022, 6, 1), Jdn(2400, 12, 1), Jdn(2403, 5, 1), Jdn(12'001, 1, 1),
                                    Jdn(3'000'000, 3, 1), Jdn(5'700'000, 1, 1), 2'099'990'000, -2'099'990'000,
                                    Jdn(1, 1, 1)};
  const int64_t around = kAround[random() % std::size(kAround)];
  return std::clamp<int64_t>(around + std::uniform_int_distribution<int64_t>(-800, 800)(random), -DayNumberLimit + 1,
                             DayNumberLimit - 1);
}

// --- Tests -----------------------------------------------------------------------------------------

// A first day within `spread` of `around` and a second within `spread` of the first, inside the
// range of day numbers.
std::pair<int32_t, int32_t> SpanNear(std::mt19937& random, int64_t around, int64_t spread) {
  const auto first = static_cast<int32_t>(std::clamp<int64_t>(around + std::uniform_int_distribution<int64_t>(-spread, spread)(random),
                                                              -DayNumberLimit + 1, DayNumberLimit - 1));
  const auto second = static_cast<int32_t>(std::clamp<int64_t>(first + std::uniform_int_distribution<int64_t>(-2 * spread, 2 * spread)(random),
                                                               -DayNumberLimit, DayNumberLimit));
  return {first, second};
}

// The count between the two days and the additions of `n` working days from either of them, as
// the walk gives them (an addition beyond the range of day numbers is refused).
testing::AssertionResult MatchesTheWalk(const WorkCalendar& fast, const SlowCalendar& slow, int32_t first, int32_t second,
                                        int32_t n, bool include_first) {
  const DayCountOptions options{.include_weekends = false, .include_first_date = include_first};
  const auto within = [](int64_t day) { return IsWithinDayNumberLimit(day) ? std::optional<int32_t>(day) : std::nullopt; };
  const auto describe = [&] {
    return testing::AssertionFailure() << first << " .. " << second << ", n " << n << ", first date "
                                       << (include_first ? "included" : "excluded") << ": ";
  };
  const std::optional<int32_t> count = fast.CountDaysBetween(first, second, options);
  if (count != slow.Count(first, second, include_first)) return describe() << "count " << count.value_or(-1);
  if (fast.SecondDateFromFirst(first, n, options) != within(slow.SecondFromFirst(first, n, include_first))) {
    return describe() << "second date from the first";
  }
  if (fast.FirstDateFromSecond(second, n, options) != within(slow.FirstFromSecond(second, n, include_first))) {
    return describe() << "first date from the second";
  }
  return testing::AssertionSuccess();
}

TEST(WorkCalendar, CountsAndAdditionsMatchADayByDayWalk) {
  std::mt19937 random(16);
  for (int calendar = 0; calendar < 50; ++calendar) {
    const int64_t around = RandomDay(random);
    CalendarSetup setup = RandomSetup(random, around);
    const WorkCalendar fast(setup.week, setup.sources);
    const SlowCalendar slow(setup.week, setup.sources);
    for (int i = 0; i < 50; ++i) {
      const auto [first, second] = SpanNear(random, around, 700);
      const auto n = static_cast<int32_t>(std::uniform_int_distribution<int>(-300, 300)(random));
      ASSERT_TRUE(MatchesTheWalk(fast, slow, first, second, n, random() % 2 == 0)) << calendar << ", week " << setup.week.ToText();
    }
  }
}

// Regions alone, whose additions come straight from the year tables: spans of up to some thousand
// days near every year where the tables change from one piece to the next (a rule's first year and
// the year after its last, the end of the explicit years, the end of a run's first 400 years, which
// are counted apart from the Easter tables) and anywhere in the range, against the day-by-day walk.
struct RegionCase {
  const char* code;
  uint8_t week;  // bit 0 = Monday … bit 6 = Sunday
};

TEST(WorkCalendar, RegionsMatchADayByDayWalkAtEveryPieceBoundary) {
  const RegionCase cases[] = {
      {"DE-BY", WorkWeek::kMondayToFriday}, {"GB-EAW", WorkWeek::kMondayToFriday}, {"JP", WorkWeek::kMondayToFriday},
      {"AU-NSW", WorkWeek::kMondayToFriday}, {"DE-BY", 0b0111111},                 {"GB-EAW", 0b1000111},
      {"JP", 0b0000100},                    {"AU-NSW", 0b1001111},
  };
  std::mt19937 random(5700);
  for (const RegionCase& test : cases) {
    const WorkWeek week = *WorkWeek::FromMask(test.week);
    const HolidaySource source = Region(test.code);
    const WorkCalendar fast(week, {source});
    const SlowCalendar slow(week, {source});
    std::set<int64_t> years{2400, 2401, 2801, 12'000, 12'001, 12'401};
    for (const HolidayRule& rule : source.rules) {
      for (const int64_t change : {int64_t{rule.first_year}, int64_t{rule.last_year} + 1}) {
        if (change > 5'000'000) continue;
        for (const int64_t year : {change - 1, change, change + 1, change + 401}) years.insert(year);
      }
    }
    std::vector<int64_t> around;
    for (const int64_t year : years) around.push_back(civil::GregorianToDayNumber(static_cast<int32_t>(year), 1, 1));
    for (int i = 0; i < 12; ++i) around.push_back(std::uniform_int_distribution<int64_t>(-2'099'990'000, 2'099'990'000)(random));
    around.push_back(-DayNumberLimit + 2000);
    around.push_back(DayNumberLimit - 2000);
    for (const int64_t day : around) {
      for (int i = 0; i < 3; ++i) {
        const auto [first, second] = SpanNear(random, day, 1500);
        const auto n = static_cast<int32_t>(std::uniform_int_distribution<int>(-2000, 2000)(random));
        ASSERT_TRUE(MatchesTheWalk(fast, slow, first, second, n, random() % 2 == 0)) << test.code << ", week " << week.ToText();
      }
    }
  }
}

// Rules that take every day of the work week from 2000 on (every Sunday of every month, on a
// Sunday-only week): the count stops rising there, so no day lies beyond it, and a day before it
// is found from anywhere after.
TEST(WorkCalendar, RulesLeavingNoWorkingDay) {
  HolidaySource sundays;
  sundays.kind = holidays::SourceKind::ICalendar;
  sundays.label = "sundays.ics";
  for (int8_t month = 1; month <= 12; ++month) {
    for (int8_t nth = 1; nth <= 5; ++nth) {
      HolidayRule rule;
      rule.kind = RuleKind::NthWeekday, rule.month = month, rule.nth = nth, rule.weekday = Weekday::Sunday;
      rule.first_year = 2000;
      sundays.rules.push_back(rule);
    }
  }
  const WorkWeek week = *WorkWeek::FromMask(0b1000000);
  const WorkCalendar fast(week, {sundays});
  const SlowCalendar slow(week, {sundays});
  const DayCountOptions options{.include_weekends = false};
  EXPECT_EQ(fast.CountDaysBetween(Jdn(1999, 12, 1), Jdn(3000, 1, 1), options), 4);  // 5 … 26 December 1999
  EXPECT_EQ(fast.CountDaysBetween(Jdn(2000, 1, 1), 2'000'000'000, options), 0);
  struct Addition {
    int32_t from;
    int32_t n;
    bool reached;  // a day exists (before 2000)
  };
  const Addition additions[] = {
      {Jdn(1999, 12, 20), 1, true},   {Jdn(1999, 12, 20), 2, false},  {Jdn(2500, 6, 1), 1, false},
      {Jdn(2100, 6, 1), -1, true},    {Jdn(2100, 6, 1), -3, true},    {Jdn(2000, 1, 1), -1, true},
      {Jdn(1999, 1, 1), 60, false},   {Jdn(1999, 1, 1), 52, true},
  };
  for (const Addition& a : additions) {
    const std::optional<int32_t> second = fast.SecondDateFromFirst(a.from, a.n, options);
    const std::optional<int32_t> first = fast.FirstDateFromSecond(a.from, -a.n, options);
    if (a.reached) {
      EXPECT_EQ(second, slow.SecondFromFirst(a.from, a.n, false)) << a.from << " + " << a.n;
      EXPECT_EQ(first, slow.FirstFromSecond(a.from, -a.n, false)) << a.from << " - " << -a.n;
    } else {
      EXPECT_EQ(second, std::nullopt) << a.from << " + " << a.n;
      EXPECT_EQ(first, std::nullopt) << a.from << " - " << -a.n;
    }
  }
  // From the far end of the range: the same days as from any day after 1999.
  EXPECT_EQ(fast.SecondDateFromFirst(2'000'000'000, -3, options), fast.SecondDateFromFirst(Jdn(2100, 6, 1), -3, options));
  EXPECT_EQ(fast.FirstDateFromSecond(2'000'000'000, 3, options), fast.FirstDateFromSecond(Jdn(2100, 6, 1), 3, options));
}

// Long spans: the year-by-year sum of working days, with a year's holidays made from the rules.
TEST(WorkCalendar, LongSpansMatchAYearByYearSum) {
  std::mt19937 random(1616);
  const int64_t starts[] = {1990, 2380, 2401, 3'000'000, 5'699'000, 5'870'000};
  for (int calendar = 0; calendar < 12; ++calendar) {
    const int64_t start_year = starts[static_cast<size_t>(calendar) % std::size(starts)];
    CalendarSetup setup = RandomSetup(random, Jdn(static_cast<int32_t>(start_year), 1, 1));
    setup.sources.push_back(Region(calendar % 2 == 0 ? "DE-BY" : "US"));
    const WorkCalendar fast(setup.week, setup.sources);
    const SlowCalendar slow(setup.week, setup.sources);
    const int64_t years = std::uniform_int_distribution<int64_t>(1, 1200)(random);
    int64_t expected = 0;
    for (int64_t y = start_year; y < start_year + years; ++y) {
      const int64_t jan1 = civil::GregorianToDayNumber(static_cast<int32_t>(y), 1, 1);
      for (int64_t day = jan1, end = civil::GregorianToDayNumber(static_cast<int32_t>(y + 1), 1, 1); day < end; ++day) {
        expected += slow.Working(day) ? 1 : 0;
      }
    }
    const auto from = static_cast<int32_t>(civil::GregorianToDayNumber(static_cast<int32_t>(start_year), 1, 1) - 1);
    const auto to = static_cast<int32_t>(civil::GregorianToDayNumber(static_cast<int32_t>(start_year + years), 1, 1) - 1);
    ASSERT_EQ(fast.CountDaysBetween(from, to, {.include_weekends = false}), expected) << start_year << " + " << years;
  }
}

// Over the whole range: counts add up, and adding a count back gives the working day it ended on.
TEST(WorkCalendar, WholeRangeCountsAddUpAndAddBack) {
  std::mt19937 random(2100);
  std::uniform_int_distribution<int32_t> day(-2'000'000'000, 2'000'000'000);
  for (const char* code : kRegionCodes) {
    const WorkCalendar calendar(WorkWeek(), {Region(code)});
    for (int i = 0; i < 200; ++i) {
      int32_t a = day(random), b = day(random), c = day(random);
      if (a > b) std::swap(a, b);
      if (b > c) std::swap(b, c);
      if (a > b) std::swap(a, b);
      const DayCountOptions options{.include_weekends = false};
      const auto ab = calendar.CountDaysBetween(a, b, options), bc = calendar.CountDaysBetween(b, c, options);
      const auto ac = calendar.CountDaysBetween(a, c, options);
      if (!ac) continue;  // beyond 32 bits
      ASSERT_EQ(*ab + *bc, *ac) << code << " " << a << " " << b << " " << c;
      ASSERT_EQ(calendar.CountDaysBetween(c, a, options), -*ac);
      if (calendar.IsWorkingDay(c) && *ac > 0) {
        ASSERT_EQ(calendar.SecondDateFromFirst(a, *ac, options), c) << code << " " << a << " " << c;
      }
      if (calendar.IsWorkingDay(a) && *ac > 0) {
        ASSERT_EQ(calendar.FirstDateFromSecond(c, *ac, options), a) << code << " " << a << " " << c;
      }
    }
  }
}

TEST(WorkCalendar, MondayToFridayWithoutHolidaysIsTheWeekendRule) {
  const WorkCalendar plain;
  EXPECT_FALSE(plain.InForce());
  // The described whole-week shortcut stays when no calendar is in force.
  EXPECT_EQ(plain.SecondDateFromFirst(Jdn(2008, 7, 19), 5, {.include_weekends = false}), Jdn(2008, 7, 26));
  // An empty list puts a calendar in force: counts and first-from-second dates stay those of the
  // weekend rule, and so does adding from a working day.
  HolidaySource empty;
  empty.kind = holidays::SourceKind::List;
  const WorkCalendar in_force(WorkWeek(), {empty});
  EXPECT_TRUE(in_force.InForce());
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> day(-2'099'999'000, 2'099'999'000), span(-3000, 3000);
  for (int i = 0; i < 20000; ++i) {
    const int32_t first = day(random), second = first + span(random), n = span(random);
    const DayCountOptions options{.include_weekends = false, .include_first_date = random() % 2 == 0};
    ASSERT_EQ(in_force.CountDaysBetween(first, second, options), CountDaysBetween(first, second, options));
    ASSERT_EQ(in_force.FirstDateFromSecond(second, n, options), FirstDateFromSecond(second, n, options)) << second << " " << n;
    if (civil::IsWorkingDay(first)) {
      ASSERT_EQ(in_force.SecondDateFromFirst(first, n, options), SecondDateFromFirst(first, n, options)) << first << " " << n;
    }
  }
  // From a weekend day the count rule decides: the examples.
  const DayCountOptions working{.include_weekends = false};
  EXPECT_EQ(in_force.SecondDateFromFirst(Jdn(2032, 11, 7), 5, working), Jdn(2032, 11, 12));
  EXPECT_EQ(in_force.SecondDateFromFirst(Jdn(2032, 11, 14), -5, working), Jdn(2032, 11, 5));
  EXPECT_EQ(in_force.SecondDateFromFirst(Jdn(2008, 7, 19), 5, working), Jdn(2008, 7, 25));
  // Weekend days counted: the calendar steps aside.
  EXPECT_EQ(in_force.CountDaysBetween(Jdn(2024, 1, 1), Jdn(2024, 12, 31), {.include_weekends = true}), 365);
}

TEST(WorkCalendar, ResultsBeyondTheLimitAreRefused) {
  const WorkCalendar calendar(WorkWeek(), {Region("DE-BY")});
  const DayCountOptions options{.include_weekends = false};
  EXPECT_EQ(calendar.CountDaysBetween(-2'099'999'999, 2'099'999'999, options), std::nullopt);
  EXPECT_EQ(calendar.SecondDateFromFirst(2'099'999'990, 100, options), std::nullopt);
  EXPECT_EQ(calendar.SecondDateFromFirst(-2'099'999'990, -100, options), std::nullopt);
  EXPECT_EQ(calendar.FirstDateFromSecond(-2'099'999'990, 100, options), std::nullopt);
  EXPECT_EQ(calendar.SecondDateFromFirst(0, 2'147'483'647, options), std::nullopt);
  EXPECT_EQ(calendar.SecondDateFromFirst(0, -2'147'483'647 - 1, options), std::nullopt);
  const auto far = calendar.SecondDateFromFirst(-2'000'000'000, 1'400'000'000, options);
  ASSERT_TRUE(far.has_value());
  EXPECT_EQ(calendar.CountDaysBetween(-2'000'000'000, *far, options), 1'400'000'000);
}

// An office in Munich: 2024 has 262 weekdays less 12 holidays on weekdays (Assumption Day
// included; Epiphany falls on a Saturday) = 250 working days; Ascension Day on 1 May 2008 counts once.
TEST(WorkCalendar, BavarianOffice) {
  const WorkCalendar calendar(WorkWeek(), {Region("DE-BY")});
  const DayCountOptions options{.include_weekends = false, .include_first_date = true};
  EXPECT_EQ(calendar.CountDaysBetween(Jdn(2024, 1, 1), Jdn(2024, 12, 31), options), 262 - 12);
  const HolidaysLeftOut left_out = calendar.LeftOut(Jdn(2024, 1, 1), Jdn(2024, 12, 31), options);
  EXPECT_EQ(left_out.total, 12);
  EXPECT_EQ(left_out.by_source, std::vector<int64_t>{12});
  // May 2008: 22 weekdays; 1 May (Labour Day and Ascension Day), Whit Monday 12 May, Corpus Christi 22 May.
  EXPECT_EQ(calendar.CountDaysBetween(Jdn(2008, 4, 30), Jdn(2008, 5, 31), {.include_weekends = false}), 22 - 3);
}

// The Easter tables take a noticeable share of a short program's run: a calendar built and used
// within some centuries of the present never builds them. Each case runs in a fresh process, as
// the tables, once built, serve the whole process.
struct NearPresentUse {
  const char* what;
  std::optional<int32_t> (*use)(const WorkCalendar&);
};

TEST(WorkCalendarDeathTest, UseNearThePresentBuildsNoEasterTables) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  static constexpr DayCountOptions kOptions{.include_weekends = false};
  const NearPresentUse uses[] = {
      {"build", [](const WorkCalendar&) { return std::optional<int32_t>(0); }},
      {"count", [](const WorkCalendar& c) { return c.CountDaysBetween(Jdn(1600, 1, 1), Jdn(2700, 1, 1), kOptions); }},
      {"add", [](const WorkCalendar& c) { return c.SecondDateFromFirst(Jdn(2026, 1, 1), 150'000, kOptions); }},
      {"subtract", [](const WorkCalendar& c) { return c.FirstDateFromSecond(Jdn(2500, 1, 1), -50'000, kOptions); }},
  };
  for (const NearPresentUse& use : uses) {
    EXPECT_EXIT(
        {
          const WorkCalendar calendar(WorkWeek(), {Region("DE-BY"), Region("GB-EAW")});
          const bool answered = use.use(calendar).has_value();
          std::exit(answered && holidays::EasterYearIndex::BytesBuilt() == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "")
        << use.what;
  }
}

TEST(WorkCalendar, LeftOutHolidaysAreCountedOnceForTheFirstSource) {
  std::mt19937 random(44);
  for (int calendar = 0; calendar < 40; ++calendar) {
    const int64_t around = RandomDay(random);
    CalendarSetup setup = RandomSetup(random, around);
    const WorkCalendar fast(setup.week, setup.sources);
    const SlowCalendar slow(setup.week, setup.sources);
    for (int i = 0; i < 30; ++i) {
      const auto first = static_cast<int32_t>(std::clamp<int64_t>(around + std::uniform_int_distribution<int64_t>(-700, 700)(random),
                                                                  -DayNumberLimit, DayNumberLimit));
      const auto second = static_cast<int32_t>(std::clamp<int64_t>(first + std::uniform_int_distribution<int64_t>(-700, 700)(random),
                                                                   -DayNumberLimit, DayNumberLimit));
      const DayCountOptions options{.include_weekends = false, .include_first_date = random() % 2 == 0};
      std::vector<int64_t> expected(setup.sources.size(), 0);
      const auto add = [&](int64_t day) {
        if (!setup.week.Works(civil::IsoWeekday(day))) return;
        if (const auto source = slow.HolidaySource(day)) ++expected[*source];
      };
      for (int64_t day = int64_t{std::min(first, second)} + 1; day <= std::max(first, second); ++day) add(day);
      if (options.include_first_date && second >= first) add(first);
      const HolidaysLeftOut left_out = fast.LeftOut(first, second, options);
      ASSERT_EQ(left_out.by_source, expected) << calendar << ": " << first << " " << second;
    }
  }
}

// Counting a work week's days against walking them, for every work week, near the origin and
// near both ends of the range (where the weeks' quotient is largest and rounds most).
TEST(WorkWeek, DaysCountedMatchAWalk) {
  const int64_t starts[] = {-21, -2'100'000'000, 2'099'999'000, int64_t{1} << 33, -(int64_t{1} << 33) - 5};
  for (uint8_t mask = 1; mask < 128; ++mask) {
    const WorkWeek week = *WorkWeek::FromMask(mask);
    const WorkWeekDays days(week);
    for (const int64_t start : starts) {
      int64_t before = days.Before(start);
      for (int64_t day = start; day < start + 40; ++day) {
        ASSERT_EQ(days.Before(day), before) << week.ToText() << " " << day;
        const bool works = week.Works(civil::IsoWeekday(day));
        if (works) {
          // The working day that makes the count before+1 is this one.
          ASSERT_EQ(days.FirstReaching(before + 1), day + 1) << week.ToText() << " " << day;
          ASSERT_EQ(days.NthFrom(start, before + 1 - days.Before(start)), day) << week.ToText() << " " << day;
        }
        before += works ? 1 : 0;
      }
    }
  }
}

TEST(WorkWeek, Parsing) {
  struct Case {
    std::string_view text;
    std::optional<std::string> mask;
  } cases[] = {
      {"Mon-Fri", "1111100"},     {"Sun-Thu", "1111001"},   {"Mon,Tue,Thu", "1101000"}, {"1111100", "1111100"},
      {"mo-fr", "1111100"},       {"Montag, Mittwoch", "1010000"}, {"Sat-Sat", "0000010"}, {"Mon-Wed,Fri", "1110100"},
      {"0000000", std::nullopt},  {"", std::nullopt},       {"Mon-", std::nullopt},     {"Mon,,Tue", std::nullopt},
      {"11111000", std::nullopt}, {"Fun", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<WorkWeek> week = WorkWeek::Parse(c.text);
    EXPECT_EQ(week ? std::optional<std::string>(week->ToText()) : std::nullopt, c.mask) << c.text;
  }
}

TEST(WorkCalendar, ListsTheHolidaysOfAYearWithSubstitutes) {
  const WorkCalendar calendar(WorkWeek(), {Region("GB-EAW")});
  std::vector<std::string> names;
  for (const ListedHoliday& holiday : calendar.HolidaysOfYear(2022)) {
    if (civil::DayNumberToGregorian(holiday.day_number).month == 12) {
      names.push_back(ListedHolidayName(holiday, calendar.Sources(), Language::English));
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Christmas Day", "Boxing Day", "Christmas Day (substitute day)"}));
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Every rule kind of the rule files in one region, with working-day marks on weekends.
HolidaySource EveryKind() {
  static const std::string kText =
      "region ALL 1995\nen All kinds\nde Alle Arten\n"
      "citizens-holiday\n"
      "01-01 sub=next-free | a | a\n01-02 sub=sat-fri,sun-mon | b | b\n"
      "orthodox-easter-2 | c | c\northodox-easter+1 | d | d\neaster+1 | e | e\n"
      "equinox-march sub=next-free-sun | f | f\nequinox-september sub=next-free-sun | g | g\n3 mon 09 | h | h\n"
      "fri on-or-after 06-19 | i | i\nmon before 05-25 | j | j\n3 sun 09 +1 | k | k\nmon nearest 01-29 | l | l\n"
      "thu on-or-before 12-31 +1 | m | m\nsat after 12-27 | n | n\n"
      "05-03 sub=next-free-sun | o | o\n05-04 sub=next-free-sun | p | p\n05-05 sub=next-free-sun | q | q\n"
      "12-25 sub=move-mon | r | r\n12-26 sub=move-mon | s | s\n07-04 sub=move-nearest | t | t\n"
      "11-11 sub=sun-mon every=3:2001 | u | u\n08-15 years=1995..2003,2010.. except=2012 | v | v\n"
      "2028-06-17 | w | w\nworkday 2025-05-03 | x | x\nworkday 2031-12-27 | y | y\nworkday 9999-12-25 | z | z\n";
  auto read = holidays::ReadRuleFileSources(kText, "all.rules");
  return std::get<std::vector<HolidaySource>>(read).at(0);
}

// Spans around the years where the kinds change (the equinox's last year, the end of the
// four-digit years) and far out, with random work weeks and the region alone or after DE-BY.
TEST(WorkCalendar, EveryRuleKindMatchesADayByDayWalk) {
  std::mt19937 random(2026);
  const int64_t around_days[] = {Jdn(1995, 1, 1), Jdn(2015, 9, 20), Jdn(2025, 5, 1), Jdn(2028, 6, 1), Jdn(2099, 12, 1),
                                 Jdn(2100, 3, 1), Jdn(9999, 12, 1), Jdn(10'000, 6, 1), Jdn(2'000'000, 1, 1),
                                 2'099'990'000, -2'099'990'000};
  for (int calendar = 0; calendar < 22; ++calendar) {
    const int64_t around = around_days[static_cast<size_t>(calendar) % std::size(around_days)] +
                           std::uniform_int_distribution<int64_t>(-400, 400)(random);
    const WorkWeek week = calendar % 3 == 0 ? WorkWeek()
                                            : *WorkWeek::FromMask(static_cast<uint8_t>(std::uniform_int_distribution<int>(1, 127)(random)));
    std::vector<HolidaySource> sources{EveryKind()};
    if (calendar % 2 == 1) sources.insert(sources.begin(), Region("DE-BY"));
    const WorkCalendar fast(week, sources);
    const SlowCalendar slow(week, sources);
    for (int i = 0; i < 40; ++i) {
      const auto [first, second] = SpanNear(random, around, 700);
      const auto n = static_cast<int32_t>(std::uniform_int_distribution<int>(-300, 300)(random));
      ASSERT_TRUE(MatchesTheWalk(fast, slow, first, second, n, random() % 2 == 0)) << calendar << ", week " << week.ToText();
    }
  }
}

// Long spans across the bounded kinds' last years: the year-by-year sum.
TEST(WorkCalendar, EveryRuleKindOverLongSpans) {
  const WorkCalendar fast(WorkWeek(), {EveryKind()});
  const SlowCalendar slow(WorkWeek(), {EveryKind()});
  for (const auto& [from_year, to_year] : {std::pair{1990, 2200}, std::pair{9900, 10'100}, std::pair{2000, 12'500}}) {
    int64_t expected = 0;
    for (int64_t day = Jdn(from_year, 1, 1); day < Jdn(to_year, 1, 1); ++day) expected += slow.Working(day) ? 1 : 0;
    EXPECT_EQ(fast.CountDaysBetween(Jdn(from_year, 1, 1) - 1, Jdn(to_year, 1, 1) - 1, {.include_weekends = false}), expected)
        << from_year << " " << to_year;
  }
  // Over the whole range: counts add up and add back.
  std::mt19937 random(99);
  std::uniform_int_distribution<int32_t> day(-2'000'000'000, 2'000'000'000);
  for (int i = 0; i < 200; ++i) {
    int32_t a = day(random), c = day(random);
    if (a > c) std::swap(a, c);
    const auto ac = fast.CountDaysBetween(a, c, {.include_weekends = false});
    if (!ac || *ac == 0) continue;
    if (fast.IsWorkingDay(c)) {
      ASSERT_EQ(fast.SecondDateFromFirst(a, *ac, {.include_weekends = false}), c) << a << " " << c;
    }
    if (fast.IsWorkingDay(a)) {
      ASSERT_EQ(fast.FirstDateFromSecond(c, *ac, {.include_weekends = false}), a) << a << " " << c;
    }
  }
}

}  // namespace
}  // namespace qv
