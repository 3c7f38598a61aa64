#include "compute/work_calendar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "compute/holiday_tables.h"

namespace qv {

std::string ListedHolidayName(const ListedHoliday& holiday, std::span<const holidays::HolidaySource> sources,
                              Language language) {
  std::string name(language == Language::German ? holiday.name.de : holiday.name.en);
  if (name.empty() && holiday.source < sources.size()) name = sources[holiday.source].label;
  name += holidays::SubstituteSuffix(holiday.substitute, language);
  name += holidays::DayKindSuffix(holiday.kind, language);
  return name;
}

// --- Counting and adding -------------------------------------------------------------------------
//
// Counting rests on one function, W(x): the working days before day x (from a fixed origin), which
// is the work week's days before x, less the rule holidays on those days (the year tables,
// holiday_tables.h) and the single dates, plus the days outside the work week marked as worked.
// Single dates (list files, expanded iCalendar repetitions) are kept sorted, without the days that
// are not work-week days or are rule holidays already.

namespace {

using holidays::HolidayRule;
using holidays::HolidaySource;

constexpr int64_t kLocalWalk = 1100;        // a search's last bracket: solved from its holidays

int64_t JanuaryFirst(int64_t year) { return civil::GregorianToDayNumber(static_cast<int32_t>(year), 1, 1); }

}  // namespace

struct WorkCalendar::Impl {
  WorkWeek week;
  std::vector<HolidaySource> sources;
  holidays::DayKinds counted = holidays::kOfficeKinds;
  // The rules of the kinds not counted (half days, and others a count leaves in): listed only.
  std::vector<RuleGroup> listed_only;
  size_t channels = 1;  // sources + the total
  size_t total = 0;     // index of the total channel

  WorkWeekDays week_count;
  int64_t week_days = 0;

  HolidayYearTables tables;

  // Single dates, without work-week gaps and rule holidays: all, and per source.
  std::vector<int32_t> dates;
  std::vector<std::vector<int32_t>> dates_by_source;
  // Days a single date of an earlier source shares with a rule holiday of a later one: for the
  // breakdown by source they move from the rule's source to the date's.
  std::map<std::pair<uint16_t, uint16_t>, std::vector<int32_t>> moved;  // (from, to) -> days
  // Days outside the work week that a source marks as worked (a bridge-day swap), sorted.
  std::vector<int32_t> worked;

  double rate = 5.0 / 7.0;  // working days a day after the last anchor, for the searches' first guesses
  // W at the first day of each piece and of every 50th year of the explicit years: the searches
  // invert W between these points as if it were straight.
  std::vector<std::pair<int64_t, int64_t>> anchors;

  // --- building ---
  void Build();

  // --- counting ---
  int64_t WeekDaysBefore(int64_t x) const { return week_count.Before(x); }
  int64_t RuleHolidaysBefore(int64_t x, size_t channel) const { return tables.HolidaysBefore(x, channel); }
  int64_t DatesBefore(int64_t x, size_t channel) const;
  int64_t WorkedBefore(int64_t x) const {
    if (worked.empty() || x <= worked.front()) return 0;
    return std::lower_bound(worked.begin(), worked.end(), static_cast<int32_t>(std::min<int64_t>(x, std::numeric_limits<int32_t>::max()))) - worked.begin();
  }
  int64_t WorkingBefore(int64_t x) const {
    return WeekDaysBefore(x) - tables.TotalBefore(x).before - DatesBefore(x, total) + WorkedBefore(x);
  }
  // W just after a day, and whether the day is a working day: a count's first date, and the start
  // of an addition, from one look into the tables.
  struct DayCount {
    int64_t after = 0;  // W(day + 1)
    bool working = false;
  };
  DayCount CountAt(int64_t day) const {
    const HolidayYearTables::TotalAt rule = tables.TotalBefore(day);
    bool working = false;
    if (!week.Works(civil::IsoWeekday(day))) {
      working = !worked.empty() && std::binary_search(worked.begin(), worked.end(), day);
    } else {
      working = !rule.on && !IsDate(day);
    }
    const int64_t before = WeekDaysBefore(day) - rule.before - DatesBefore(day, total) + WorkedBefore(day);
    return {before + (working ? 1 : 0), working};
  }
  bool IsDate(int64_t day) const {
    return !dates.empty() && day >= dates.front() && day <= dates.back() &&
           std::binary_search(dates.begin(), dates.end(), static_cast<int32_t>(day));
  }
  // The answers of FirstReaching come straight from the tables: no worked days.
  bool direct = false;
  // W at each single date (a day off, so W(date) = W(date + 1)), less W at the first: how many
  // dates lie before the day that reaches a count. Within 32 bits: W rises by at most one a day.
  std::vector<uint32_t> date_working;
  int64_t first_date_working = 0;
  std::optional<uint16_t> RuleHolidayOn(int64_t day) const { return tables.HolidayOn(day); }
  std::optional<uint16_t> HolidayOn(int64_t day) const;
  bool Working(int64_t day) const {
    if (!week.Works(civil::IsoWeekday(day))) return !worked.empty() && std::binary_search(worked.begin(), worked.end(), day);
    return !HolidayOn(day);
  }
  void HolidayDaysIn(int64_t from, int64_t to, std::vector<int64_t>& out) const;
  int64_t Guess(int64_t target) const;
  // The n-th day of the work week (n >= 1) from `from` on, `from` itself being the first when it is one.
  int64_t NthWeekDayFrom(int64_t from, int64_t n) const { return week_count.NthFrom(from, n); }
  std::optional<int64_t> FirstReaching(int64_t target, int64_t known, int64_t known_working) const;
  std::optional<int64_t> SearchFirstReaching(int64_t target, int64_t known, int64_t known_working) const;
  int64_t WalkTo(int64_t target, int64_t low, int64_t low_w, int64_t high) const;
  // The n-th working day after `day` (n >= 1), W(day + 1) given; and before `day`, W(day) given.
  std::optional<int64_t> NthWorkingAfter(int64_t day, int64_t n, int64_t after_w) const;
  std::optional<int64_t> NthWorkingBefore(int64_t day, int64_t n, int64_t before_w) const;
  std::optional<int64_t> NthWorkingAfter(int64_t day, int64_t n) const { return NthWorkingAfter(day, n, WorkingBefore(day + 1)); }
  std::optional<int64_t> NthWorkingBefore(int64_t day, int64_t n) const { return NthWorkingBefore(day, n, WorkingBefore(day)); }
};

void WorkCalendar::Impl::Build() {
  week_count = WorkWeekDays(week);
  week_days = week_count.PerWeek();
  channels = sources.size() + 1;
  total = sources.size();
  // The tables count the rules of the counted kinds; the others are kept for the listings.
  std::vector<HolidaySource> counted_sources(sources.size());
  for (size_t s = 0; s < sources.size(); ++s) {
    RuleGroup listed{.source = static_cast<uint16_t>(s), .rules = {}, .may_spill = false};
    for (const HolidayRule& rule : sources[s].rules) {
      if (holidays::Counts(counted, rule.day_kind)) {
        counted_sources[s].rules.push_back(rule);
        continue;
      }
      HolidayRule held = rule;
      if (holidays::IsValidRule(held) && holidays::KnownYears(held, held.first_year, held.last_year)) listed.rules.push_back(held);
    }
    if (!listed.rules.empty()) listed_only.push_back(std::move(listed));
  }
  tables.Build(week, counted_sources);

  // Single dates: the first source of each day, on work-week days that are no rule holiday.
  struct Dated {
    int32_t day;
    uint16_t source;
  };
  std::vector<Dated> all;
  for (size_t s = 0; s < sources.size(); ++s) {
    for (const holidays::DatedHoliday& date : sources[s].dates) all.push_back(Dated{date.day_number, static_cast<uint16_t>(s)});
  }
  std::sort(all.begin(), all.end(), [](const Dated& a, const Dated& b) {
    return a.day != b.day ? a.day < b.day : a.source < b.source;
  });
  dates_by_source.assign(sources.size(), {});
  for (size_t i = 0; i < all.size(); ++i) {
    if (i > 0 && all[i].day == all[i - 1].day) continue;
    if (!week.Works(civil::IsoWeekday(all[i].day))) continue;
    if (const std::optional<uint16_t> rule_source = RuleHolidayOn(all[i].day)) {
      if (all[i].source < *rule_source) moved[{*rule_source, all[i].source}].push_back(all[i].day);
      continue;
    }
    dates.push_back(all[i].day);
    dates_by_source[all[i].source].push_back(all[i].day);
  }

  for (const HolidaySource& source : sources) {
    for (const holidays::DatedHoliday& day : source.workdays) {
      if (!week.Works(civil::IsoWeekday(day.day_number))) worked.push_back(day.day_number);
    }
  }
  std::sort(worked.begin(), worked.end());
  worked.erase(std::unique(worked.begin(), worked.end()), worked.end());

  direct = worked.empty() && tables.Invertible();
  if (direct) {
    if (!dates.empty()) first_date_working = WorkingBefore(dates.front());
    for (const int32_t day : dates) date_working.push_back(static_cast<uint32_t>(WorkingBefore(day) - first_date_working));
    return;
  }
  // The searches' first guess: work-week days less the usual holidays of the last run, a day.
  rate = std::max(static_cast<double>(week_days) / 7.0 - tables.UsualHolidaysPerDay(), 1.0 / 64.0);
  for (const int64_t year : tables.AnchorYears()) {
    const int64_t day = JanuaryFirst(year);
    anchors.emplace_back(day, WorkingBefore(day));
  }
  if (anchors.empty()) anchors.emplace_back(0, WorkingBefore(0));
}

// The day at which W reaches `target`, estimated: straight between anchors, at the work week's rate
// before the first (no rule holidays there) and at the last run's usual rate after the last.
int64_t WorkCalendar::Impl::Guess(int64_t target) const {
  const auto after = std::lower_bound(anchors.begin(), anchors.end(), target,
                                      [](const std::pair<int64_t, int64_t>& a, int64_t t) { return a.second < t; });
  double day = 0;
  if (after == anchors.begin()) {
    day = static_cast<double>(after->first) - static_cast<double>(after->second - target) * 7.0 / static_cast<double>(week_days);
  } else if (after == anchors.end()) {
    day = static_cast<double>(anchors.back().first) + static_cast<double>(target - anchors.back().second) / rate;
  } else {
    const auto before = after - 1;
    const double share = static_cast<double>(target - before->second) / static_cast<double>(std::max<int64_t>(1, after->second - before->second));
    day = static_cast<double>(before->first) + share * static_cast<double>(after->first - before->first);
  }
  return static_cast<int64_t>(std::clamp(day, -4.0e9, 4.0e9));
}

int64_t WorkCalendar::Impl::DatesBefore(int64_t x, size_t channel) const {
  const std::vector<int32_t>& list = channel == total ? dates : dates_by_source[channel];
  if (list.empty() || x <= list.front()) return 0;
  if (x > list.back()) return static_cast<int64_t>(list.size());
  return std::lower_bound(list.begin(), list.end(), static_cast<int32_t>(x)) - list.begin();
}

std::optional<uint16_t> WorkCalendar::Impl::HolidayOn(int64_t day) const {
  if (const std::optional<uint16_t> source = RuleHolidayOn(day)) return source;
  if (dates.empty() || day < dates.front() || day > dates.back()) return std::nullopt;
  const auto it = std::lower_bound(dates.begin(), dates.end(), static_cast<int32_t>(day));
  if (it == dates.end() || *it != day) return std::nullopt;
  for (size_t s = 0; s < dates_by_source.size(); ++s) {
    if (std::binary_search(dates_by_source[s].begin(), dates_by_source[s].end(), static_cast<int32_t>(day))) {
      return static_cast<uint16_t>(s);
    }
  }
  return std::nullopt;
}

// Holidays on work-week days in [from, to), sorted.
void WorkCalendar::Impl::HolidayDaysIn(int64_t from, int64_t to, std::vector<int64_t>& out) const {
  out.clear();
  if (from >= to) return;
  tables.AppendDaysIn(from, to, out);
  if (!dates.empty() && to > dates.front() && from <= dates.back()) {
    for (auto it = std::lower_bound(dates.begin(), dates.end(), static_cast<int32_t>(from)); it != dates.end() && *it < to;
         ++it) {
      out.push_back(*it);
    }
  }
  std::sort(out.begin(), out.end());
}

// The smallest u with W(u) >= target (the day after the working day that reaches the target),
// given one known point and its W; nullopt when that working day lies beyond ±DayNumberLimit, or
// the known point does. Without worked days W is the rule-made count less the single dates before
// a day, and the answer comes from the year tables' inverse of that count; with them, the search.
std::optional<int64_t> WorkCalendar::Impl::FirstReaching(int64_t target, int64_t known, int64_t known_working) const {
  if (!direct) return SearchFirstReaching(target, known, known_working);
  constexpr int64_t kLowest = -int64_t{DayNumberLimit} + 1, kHighest = int64_t{DayNumberLimit} + 1;
  if (known_working < target ? known >= kHighest : known < kLowest) return std::nullopt;
  // The single dates before the answer are those where W is still below the target; past them,
  // the answer is where the rule-made count (which goes on rising over the dates) reaches the
  // target plus their number.
  int64_t dates_before = 0;
  if (!date_working.empty() && target > first_date_working) {
    const int64_t above_first = target - first_date_working;  // > 0
    dates_before = above_first > int64_t{date_working.back()}  // past the last date, as most targets are
                       ? static_cast<int64_t>(date_working.size())
                       : std::lower_bound(date_working.begin(), date_working.end(), static_cast<uint32_t>(above_first)) -
                             date_working.begin();
  }
  // Targets stay within ±2^33 (a 32-bit count from a 32-bit day): on a one-day work week the day
  // found lies within some 90 million years of the origin, well inside the tables' reach.
  const int64_t reached = tables.Empty() ? week_count.FirstReaching(target + dates_before)
                                         : tables.FirstReaching(target + dates_before);
  if (reached < kLowest || reached > kHighest) return std::nullopt;
  return reached;
}

// W rises by one on each working day, so the answer is bracketed and then narrowed: a guess from
// the average rate of working days, then interpolation between the bracket's ends (halving when it
// does not shrink fast enough), then a walk over the last few days with their holidays at hand.
std::optional<int64_t> WorkCalendar::Impl::SearchFirstReaching(int64_t target, int64_t known, int64_t known_working) const {
  constexpr int64_t kLowest = -int64_t{DayNumberLimit} + 1, kHighest = int64_t{DayNumberLimit} + 1;
  const auto days_for = [&](int64_t working_days) {
    return static_cast<int64_t>(std::ceil(static_cast<double>(working_days) / rate)) + 7;
  };
  int64_t low = 0, low_w = 0, high = 0, high_w = 0;
  if (known_working < target) {
    if (known >= kHighest) return std::nullopt;
    low = std::max(known, kLowest - 1), low_w = low == known ? known_working : WorkingBefore(low);
    if (low_w >= target) return std::nullopt;  // reached before the lowest day
    // A little past the estimate, so that the first probe brackets the answer: from the known
    // point for a few years' worth, from the anchors for more.
    const int64_t guess = target - low_w < 4096 ? low + days_for(target - low_w) : Guess(target) + 8;
    int64_t step = guess > low ? guess - low : days_for(target - low_w);
    while (true) {
      const int64_t probe = std::min(low + step, kHighest);
      const int64_t probe_w = WorkingBefore(probe);
      if (probe_w >= target) {
        high = probe, high_w = probe_w;
        break;
      }
      if (probe == kHighest) return std::nullopt;
      low = probe, low_w = probe_w;
      step = std::max(step * 2, days_for(target - low_w));
    }
  } else {
    if (known < kLowest) return std::nullopt;
    high = std::min(known, kHighest), high_w = high == known ? known_working : WorkingBefore(high);
    if (high_w < target) return std::nullopt;  // reached only after the highest day
    const int64_t guess = high_w - target < 4096 ? high - days_for(high_w - target + 1) : Guess(target) - 8;
    int64_t step = guess < high ? high - guess : days_for(high_w - target + 1);
    while (true) {
      const int64_t probe = std::max(high - step, kLowest - 1);
      const int64_t probe_w = WorkingBefore(probe);
      if (probe_w < target) {
        low = probe, low_w = probe_w;
        break;
      }
      if (probe == kLowest - 1) return std::nullopt;
      high = probe, high_w = probe_w;
      step = std::max(step * 2, days_for(high_w - target + 1));
    }
  }
  // low < high, W(low) < target <= W(high).
  while (high - low > kLocalWalk) {
    const int64_t width = high - low;
    const double share = static_cast<double>(target - low_w) / static_cast<double>(std::max<int64_t>(1, high_w - low_w));
    const int64_t guess = low + static_cast<int64_t>(share * static_cast<double>(width));
    // Just below the guess, then just above the answer's estimate from there.
    const int64_t below = std::clamp(guess - 8, low + 1, high - 1);
    const int64_t below_w = WorkingBefore(below);
    if (below_w >= target) {
      high = below, high_w = below_w;
    } else {
      low = below, low_w = below_w;
      const int64_t above = std::clamp(below + days_for(target - below_w), low + 1, high - 1);
      if (above > low && above < high) {
        const int64_t above_w = WorkingBefore(above);
        if (above_w >= target) {
          high = above, high_w = above_w;
        } else {
          low = above, low_w = above_w;
        }
      }
    }
    if (high - low > width / 2 && high - low > kLocalWalk) {  // slow progress: halve
      const int64_t middle = low + (high - low) / 2;
      const int64_t middle_w = WorkingBefore(middle);
      if (middle_w >= target) {
        high = middle, high_w = middle_w;
      } else {
        low = middle, low_w = middle_w;
      }
    }
  }
  return WalkTo(target, low, low_w, high);
}

// The answer from the holidays and worked days of [low, high), W(low) < target <= W(high): the
// stretches of work-week days between them counted off until the n-th working day from `low` on.
int64_t WorkCalendar::Impl::WalkTo(int64_t target, int64_t low, int64_t low_w, int64_t high) const {
  // Kept between calls: the walk is the search's last step, and a fresh allocation each time would
  // cost as much as the rest of it.
  thread_local std::vector<int64_t> holiday_days;
  HolidayDaysIn(low, high, holiday_days);
  int64_t left = target - low_w;  // >= 1
  int64_t from = low;
  auto next_worked = worked.empty() ? worked.end() : std::lower_bound(worked.begin(), worked.end(), low);
  size_t next_holiday = 0;
  while (true) {
    const bool holiday_next = next_holiday < holiday_days.size();
    const bool worked_next = next_worked != worked.end() && *next_worked < high;
    if (!holiday_next && !worked_next) break;
    const bool take_holiday = holiday_next && (!worked_next || holiday_days[next_holiday] < *next_worked);
    const int64_t day = take_holiday ? holiday_days[next_holiday] : int64_t{*next_worked};
    const int64_t week_days_before = WeekDaysBefore(day) - WeekDaysBefore(from);
    if (left <= week_days_before) break;
    left -= week_days_before;
    if (take_holiday) {
      ++next_holiday;
    } else {
      ++next_worked;
      if (--left == 0) return std::min(day + 1, high);
    }
    from = day + 1;
  }
  return std::min(NthWeekDayFrom(from, left) + 1, high);
}

std::optional<int64_t> WorkCalendar::Impl::NthWorkingAfter(int64_t day, int64_t n, int64_t known_w) const {
  const std::optional<int64_t> reached = FirstReaching(known_w + n, day + 1, known_w);
  if (!reached) return std::nullopt;
  return *reached - 1;
}

std::optional<int64_t> WorkCalendar::Impl::NthWorkingBefore(int64_t day, int64_t n, int64_t known_w) const {
  const std::optional<int64_t> reached = FirstReaching(known_w - n + 1, day, known_w);
  if (!reached) return std::nullopt;
  return *reached - 1;
}

// --- The calendar ----------------------------------------------------------------------------------

WorkCalendar::WorkCalendar() = default;
WorkCalendar::~WorkCalendar() = default;
WorkCalendar::WorkCalendar(const WorkCalendar&) = default;
WorkCalendar& WorkCalendar::operator=(const WorkCalendar&) = default;
WorkCalendar::WorkCalendar(WorkCalendar&&) noexcept = default;
WorkCalendar& WorkCalendar::operator=(WorkCalendar&&) noexcept = default;

WorkCalendar::WorkCalendar(WorkWeek week, std::vector<holidays::HolidaySource> sources, holidays::DayKinds counted)
    : week_(week) {
  if (week == WorkWeek() && sources.empty()) return;
  auto impl = std::make_shared<Impl>();
  impl->week = week;
  impl->sources = std::move(sources);
  impl->counted = counted;
  impl->Build();
  impl_ = std::move(impl);
}

bool WorkCalendar::InForce() const { return impl_ != nullptr; }
WorkWeek WorkCalendar::Week() const { return week_; }

std::span<const holidays::HolidaySource> WorkCalendar::Sources() const {
  if (!impl_) return {};
  return impl_->sources;
}

bool WorkCalendar::IsWorkingDay(int32_t day_number) const {
  if (!impl_) return civil::IsWorkingDay(day_number);
  return impl_->Working(day_number);
}

std::optional<size_t> WorkCalendar::HolidaySourceOn(int32_t day_number) const {
  if (!impl_ || !week_.Works(civil::IsoWeekday(day_number))) return std::nullopt;
  if (const std::optional<uint16_t> source = impl_->HolidayOn(day_number)) return *source;
  return std::nullopt;
}

std::optional<int32_t> WorkCalendar::CountDaysBetween(int32_t first, int32_t second, DayCountOptions options) const {
  if (!impl_ || options.include_weekends) return qv::CountDaysBetween(first, second, options);
  const int64_t d = int64_t{second} - first;
  if (!civil::FitsInt32(d)) return std::nullopt;
  // The working days after the earlier date up to and including the later one, signed.
  // (first, second] when the second is later, minus (second, first] otherwise: one difference.
  const Impl::DayCount at_first = impl_->CountAt(first);
  int64_t count = impl_->WorkingBefore(int64_t{second} + 1) - at_first.after;
  if (options.include_first_date && at_first.working) count += count >= 0 ? 1 : -1;
  if (!civil::FitsInt32(count)) return std::nullopt;
  return static_cast<int32_t>(count);
}

namespace {

std::optional<int32_t> WithinLimit(std::optional<int64_t> day) {
  if (!day || !IsWithinDayNumberLimit(*day)) return std::nullopt;
  return static_cast<int32_t>(*day);
}

}  // namespace

std::optional<int32_t> WorkCalendar::SecondDateFromFirst(int32_t first, int32_t difference, DayCountOptions options) const {
  if (!impl_ || options.include_weekends || difference == 0) return qv::SecondDateFromFirst(first, difference, options);
  const Impl::DayCount at_first = impl_->CountAt(first);
  const bool working = at_first.working;
  const int64_t first_counted = options.include_first_date && working ? 1 : 0;
  const int64_t n = difference;
  if (n > 0) {
    // Working days after `first` reach n with the k-th of them.
    const int64_t k = n - first_counted;
    return WithinLimit(k == 0 ? std::optional<int64_t>(first) : impl_->NthWorkingAfter(first, k, at_first.after));
  }
  // Counting back from `first`, the first date itself (when a working day) is in the span (S, F].
  const int64_t k = working ? -n - first_counted : -n + 1;
  return WithinLimit(k == 0 ? std::optional<int64_t>(first)
                            : impl_->NthWorkingBefore(first, k, at_first.after - (working ? 1 : 0)));
}

std::optional<int32_t> WorkCalendar::FirstDateFromSecond(int32_t second, int32_t difference, DayCountOptions options) const {
  if (!impl_ || options.include_weekends || difference == 0) return qv::FirstDateFromSecond(second, difference, options);
  const int64_t first_counted = options.include_first_date ? 1 : 0;
  const int64_t n = difference;
  if (n > 0) return WithinLimit(impl_->NthWorkingBefore(int64_t{second} + 1, n + 1 - first_counted));
  const int64_t k = -n - first_counted;
  if (k == 0) return WithinLimit(impl_->NthWorkingBefore(int64_t{second} + 1, 1));
  return WithinLimit(impl_->NthWorkingAfter(second, k));
}

HolidaysLeftOut WorkCalendar::LeftOut(int32_t first, int32_t second, DayCountOptions options) const {
  HolidaysLeftOut left_out;
  if (!impl_) return left_out;
  const Impl& impl = *impl_;
  left_out.by_source.assign(impl.sources.size(), 0);
  if (options.include_weekends || impl.sources.empty()) return left_out;
  const int64_t from = std::min(first, second), to = int64_t{std::max(first, second)} + 1;  // (from, to - 1]
  const auto in_span = [&](size_t channel) {
    return impl.RuleHolidaysBefore(to, channel) - impl.RuleHolidaysBefore(from + 1, channel) +
           impl.DatesBefore(to, channel) - impl.DatesBefore(from + 1, channel);
  };
  for (size_t s = 0; s < impl.sources.size(); ++s) left_out.by_source[s] = in_span(s);
  for (const auto& [from_to, days] : impl.moved) {
    const int64_t moved = std::lower_bound(days.begin(), days.end(), static_cast<int32_t>(to)) -
                          std::lower_bound(days.begin(), days.end(), static_cast<int32_t>(from + 1));
    left_out.by_source[from_to.first] -= moved;
    left_out.by_source[from_to.second] += moved;
  }
  if (options.include_first_date && second >= first) {  // the first date counts besides the span
    if (const std::optional<size_t> source = HolidaySourceOn(first)) {
      size_t owner = *source;
      for (const auto& [from_to, days] : impl.moved) {
        if (from_to.first == owner && std::binary_search(days.begin(), days.end(), first)) owner = from_to.second;
      }
      ++left_out.by_source[owner];
    }
  }
  for (int64_t count : left_out.by_source) left_out.total += count;
  return left_out;
}

std::vector<ListedHoliday> WorkCalendar::HolidaysOfYear(int32_t year) const {
  std::vector<ListedHoliday> listed;
  if (!impl_) return listed;
  const Impl& impl = *impl_;
  const int64_t first_day = civil::GregorianToDayNumber(year, 1, 1);
  const int64_t next_first_day = int64_t{year} < std::numeric_limits<int32_t>::max()
                                     ? civil::GregorianToDayNumber(year + 1, 1, 1)
                                     : first_day + 365;
  std::vector<holidays::RuleDayEntry> entries;
  const auto list_groups = [&](const std::vector<RuleGroup>& groups, bool counted) {
    for (const RuleGroup& group : groups) {
      for (int64_t rule_year = int64_t{year} - 1; rule_year <= int64_t{year} + 1; ++rule_year) {
        if (rule_year < 0 || rule_year > std::numeric_limits<int32_t>::max()) continue;
        entries.clear();
        holidays::AppendRuleYear(group.rules, static_cast<int32_t>(rule_year),
                                 [&](size_t i, int32_t y) { return holidays::HoldsIn(group.rules[i], y); }, entries);
        for (const holidays::RuleDayEntry& entry : entries) {
          if (entry.day < first_day || entry.day >= next_first_day) continue;
          const HolidayRule& rule = group.rules[entry.rule];
          listed.push_back(ListedHoliday{.day_number = static_cast<int32_t>(entry.day),
                                         .name = rule.name,
                                         .substitute = entry.substitute ? rule.substitute : holidays::Substitute::None,
                                         .source = group.source,
                                         .kind = rule.day_kind,
                                         .counted = counted});
        }
      }
    }
  };
  list_groups(impl.tables.Groups(), true);
  list_groups(impl.listed_only, false);
  for (size_t s = 0; s < impl.sources.size(); ++s) {
    const auto& dates = impl.sources[s].dates;
    const auto begin = std::lower_bound(dates.begin(), dates.end(), first_day,
                                        [](const holidays::DatedHoliday& d, int64_t day) { return d.day_number < day; });
    for (auto it = begin; it != dates.end() && it->day_number < next_first_day; ++it) {
      listed.push_back(ListedHoliday{.day_number = it->day_number, .name = {it->name, it->name},
                                     .substitute = holidays::Substitute::None, .source = s});
    }
  }
  std::stable_sort(listed.begin(), listed.end(), [](const ListedHoliday& a, const ListedHoliday& b) {
    if (a.day_number != b.day_number) return a.day_number < b.day_number;
    if (a.source != b.source) return a.source < b.source;
    return (a.substitute == holidays::Substitute::None) > (b.substitute == holidays::Substitute::None);
  });
  // The same day twice from one source (a nationwide one-off on a state's own holiday): once.
  listed.erase(std::unique(listed.begin(), listed.end(),
                           [](const ListedHoliday& a, const ListedHoliday& b) {
                             return a.day_number == b.day_number && a.source == b.source && a.name.en == b.name.en;
                           }),
               listed.end());
  return listed;
}

holidays::DayKinds WorkCalendar::CountedKinds() const { return impl_ ? impl_->counted : holidays::kOfficeKinds; }

std::optional<UnknownHolidayYear> WorkCalendar::FirstUnknownYear(int32_t first_year, int32_t last_year) const {
  if (!impl_) return std::nullopt;
  if (first_year > last_year) std::swap(first_year, last_year);
  std::optional<UnknownHolidayYear> found;
  for (size_t s = 0; s < impl_->sources.size(); ++s) {
    int32_t year = 0;
    if (holidays::FirstYearIn(impl_->sources[s].unknown_years, first_year, last_year, year) && (!found || year < found->year)) {
      found = UnknownHolidayYear{.source = s, .year = year};
    }
  }
  return found;
}

namespace {
int32_t YearOf(int32_t day_number) { return static_cast<int32_t>(civil::DayNumberToGregorian(day_number).year); }
}  // namespace

std::optional<UnknownHolidayYear> WorkCalendar::FirstUnknownYearBetween(int32_t first_day, int32_t second_day) const {
  if (!impl_) return std::nullopt;
  return FirstUnknownYear(YearOf(first_day), YearOf(second_day));
}

std::vector<ProvisionalHolidayYears> WorkCalendar::ProvisionalYears(int32_t first_year, int32_t last_year) const {
  std::vector<ProvisionalHolidayYears> found;
  if (!impl_) return found;
  if (first_year > last_year) std::swap(first_year, last_year);
  for (size_t s = 0; s < impl_->sources.size(); ++s) {
    ProvisionalHolidayYears years{.source = s, .years = {}};
    for (const holidays::YearSpan& span : impl_->sources[s].provisional_years) {
      if (span.last < first_year || span.first > last_year) continue;
      years.years.push_back(holidays::YearSpan{std::max(span.first, first_year), std::min(span.last, last_year)});
    }
    if (!years.years.empty()) found.push_back(std::move(years));
  }
  return found;
}

std::vector<ProvisionalHolidayYears> WorkCalendar::ProvisionalYearsBetween(int32_t first_day, int32_t second_day) const {
  if (!impl_) return {};
  return ProvisionalYears(YearOf(first_day), YearOf(second_day));
}

size_t WorkCalendar::TableBytes() const {
  if (!impl_) return 0;
  const Impl& impl = *impl_;
  size_t bytes = sizeof(Impl) + impl.tables.Bytes();
  bytes += impl.dates.size() * sizeof(int32_t) * 2 + impl.worked.size() * sizeof(int32_t) +
           impl.date_working.size() * sizeof(uint32_t);
  for (const auto& [key, days] : impl.moved) bytes += days.size() * sizeof(int32_t);
  return bytes;
}

}  // namespace qv
