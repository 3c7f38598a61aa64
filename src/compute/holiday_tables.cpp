#include "compute/holiday_tables.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "calendar/civil.h"

namespace qv {
namespace {

using holidays::HolidayRule;
using holidays::HolidaySource;

constexpr int32_t kWindowEnd = 2400;        // years up to here never need the Easter tables
constexpr int64_t kWindowCap = 12'000;      // the window stretches to rule years up to here

int64_t JanuaryFirst(int64_t year) { return civil::GregorianToDayNumber(static_cast<int32_t>(year), 1, 1); }
int64_t YearOf(int64_t day) { return civil::GregorianYearOfDayNumber(day); }

// A day's year and its day of that year (0 = 1 January), from one split of the day number into
// March-based years: January and February (March-based days 306 … 365) open the next calendar
// year; March 1 is day 59 of a common year, 60 of a leap year.
struct YearAndDay {
  int64_t year;
  uint16_t day_of_year;  // [0, 365]
};
constexpr YearAndDay YearAndDayOf(int64_t day) {
  const civil::GregorianYearAndDay march = civil::GregorianMarchYearOf(day);
  const bool next_year = march.day_of_year >= 306;
  const int64_t year = static_cast<int64_t>(march.years + (next_year ? 1 : 0)) -
                       static_cast<int64_t>(civil::kGregorianCycleShift * 400);
  const uint32_t day_of_year = next_year ? march.day_of_year - 306 : march.day_of_year + 59 + (civil::IsGregorianLeap(year) ? 1 : 0);
  return {year, static_cast<uint16_t>(day_of_year)};
}
static_assert(YearAndDayOf(civil::GregorianToDayNumber(2024, 1, 1)).year == 2024 &&
              YearAndDayOf(civil::GregorianToDayNumber(2024, 1, 1)).day_of_year == 0);
static_assert(YearAndDayOf(civil::GregorianToDayNumber(2024, 3, 1)).day_of_year == 60 &&
              YearAndDayOf(civil::GregorianToDayNumber(2023, 3, 1)).day_of_year == 59);
static_assert(YearAndDayOf(civil::GregorianToDayNumber(2024, 12, 31)).day_of_year == 365 &&
              YearAndDayOf(civil::GregorianToDayNumber(-5'800'000, 2, 29)).year == -5'800'000 &&
              YearAndDayOf(civil::GregorianToDayNumber(-5'800'000, 2, 29)).day_of_year == 59);

// The kind of year (0 … 13) of each year of the 400-year cycle, and the number of years of each kind
// before each year of it.
struct KindTable {
  std::array<uint8_t, 400> kind{};
  std::array<std::array<int32_t, holidays::kYearKinds>, 401> before{};
};

// Each year's class, from year 0 to `end` (at most a cycle of Easter dates): the computus with a
// century's terms worked out once for its hundred years, as YearClass gives it year by year.
template <typename Visit>
void ForEachYearClassFromZero(int64_t end, Visit visit) {
  for (int64_t century = 0; century * 100 < end; ++century) {
    const holidays::EasterCentury terms = holidays::EasterCenturyTerms(century);
    for (int64_t year = century * 100, last = std::min(end, year + 100); year < last; ++year) {
      const int32_t days = holidays::EasterDaysInCentury(terms, year % 19, year % 100);
      visit(year, (days - 1) * 2 + (civil::IsGregorianLeap(year) ? 1 : 0));
    }
  }
}

const KindTable& Kinds() {
  static const KindTable table = [] {
    KindTable t;
    for (int y = 0; y < 400; ++y) {
      t.kind[static_cast<size_t>(y)] = static_cast<uint8_t>(holidays::YearKind(y));
      t.before[static_cast<size_t>(y) + 1] = t.before[static_cast<size_t>(y)];
      ++t.before[static_cast<size_t>(y) + 1][t.kind[static_cast<size_t>(y)]];
    }
    return t;
  }();
  return table;
}

}  // namespace

void HolidayYearTables::CalendarYearEntries(int64_t year, const std::vector<std::vector<uint8_t>>* active_sets,
                                             std::vector<holidays::RuleDayEntry>& scratch,
                                             std::vector<HolidayEntry>& out) const {
  out.clear();
  const int64_t first_day = JanuaryFirst(year), next_first_day = JanuaryFirst(year + 1);
  struct Candidate {
    int64_t day;
    uint16_t source;
  };
  std::vector<Candidate> candidates;
  for (size_t g = 0; g < groups.size(); ++g) {
    const RuleGroup& group = groups[g];
    for (int64_t rule_year = year - (group.may_spill ? 1 : 0); rule_year <= year + (group.may_spill ? 1 : 0);
         ++rule_year) {
      if (rule_year < 0 || rule_year > std::numeric_limits<int32_t>::max() - 1) continue;
      scratch.clear();
      if (active_sets != nullptr) {
        const std::vector<uint8_t>& active = (*active_sets)[g];
        holidays::AppendRuleYear(group.rules, static_cast<int32_t>(rule_year),
                                 [&](size_t i, int32_t) { return active[i] != 0; }, scratch);
      } else {
        holidays::AppendRuleYear(group.rules, static_cast<int32_t>(rule_year),
                                 [&](size_t i, int32_t y) { return holidays::HoldsIn(group.rules[i], y); }, scratch);
      }
      for (const holidays::RuleDayEntry& entry : scratch) {
        if (entry.day < first_day || entry.day >= next_first_day) continue;
        if (!week_.Works(civil::IsoWeekday(entry.day))) continue;
        candidates.push_back(Candidate{entry.day, group.source});
      }
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.day != b.day ? a.day < b.day : a.source < b.source;
  });
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (i > 0 && candidates[i].day == candidates[i - 1].day) continue;  // counted once, for the first source
    out.push_back(HolidayEntry{static_cast<uint16_t>(candidates[i].day - first_day), candidates[i].source});
  }
}

void HolidayYearTables::AddExplicitYears(int64_t first, int64_t last) {
  Block block;
  block.first_year = first;
  block.years = last - first + 1;
  block.offsets.push_back(0);
  block.prefix.assign(channels, 0);
  std::vector<holidays::RuleDayEntry> scratch;
  std::vector<HolidayEntry> year_entries;
  for (int64_t year = first; year <= last; ++year) {
    CalendarYearEntries(year, nullptr, scratch, year_entries);
    block.entries.insert(block.entries.end(), year_entries.begin(), year_entries.end());
    block.offsets.push_back(static_cast<uint32_t>(block.entries.size()));
    const size_t row = block.prefix.size() - channels;
    for (size_t c = 0; c < channels; ++c) block.prefix.push_back(block.prefix[row + c]);
    const size_t new_row = block.prefix.size() - channels;
    for (const HolidayEntry& entry : year_entries) {
      ++block.prefix[new_row + entry.source];
      ++block.prefix[new_row + total];
    }
  }
  pieces.push_back(Piece{.first_year = first, .kind = PieceKind::Explicit, .index = blocks.size(), .before = {}});
  blocks.push_back(std::move(block));
}

void HolidayYearTables::AddRun(int64_t first_year) {
  auto run = std::make_unique<Run>();
  run->first_year = first_year;
  // The rules that hold in the run (all of its years alike).
  std::vector<std::vector<uint8_t>> active(groups.size());
  for (size_t g = 0; g < groups.size(); ++g) {
    for (const HolidayRule& rule : groups[g].rules) {
      active[g].push_back(rule.first_year <= first_year && first_year <= rule.last_year ? 1 : 0);
    }
  }
  // Each class's holidays, computed on a year of that class.
  std::vector<holidays::RuleDayEntry> scratch;
  std::vector<std::vector<int64_t>> count(holidays::kYearClasses, std::vector<int64_t>(channels, 0));
  for (int c = 0; c < holidays::kYearClasses; ++c) {
    auto& days = run->class_days[static_cast<size_t>(c)];
    CalendarYearEntries(holidays::RepresentativeYear(c), &active, scratch, days);
    for (const HolidayEntry& entry : days) {
      ++count[static_cast<size_t>(c)][entry.source];
      ++count[static_cast<size_t>(c)][total];
    }
  }
  // A kind's usual number: the most frequent among its classes (per channel), so that few classes
  // differ from it.
  std::vector<std::vector<int64_t>> usual(holidays::kYearKinds, std::vector<int64_t>(channels, 0));
  for (int kind = 0; kind < holidays::kYearKinds; ++kind) {
    for (size_t ch = 0; ch < channels; ++ch) {
      std::map<int64_t, int> seen;
      for (int c = 0; c < holidays::kYearClasses; ++c) {
        if (holidays::YearKindOfClass(c) == kind) ++seen[count[static_cast<size_t>(c)][ch]];
      }
      int best = -1;
      for (const auto& [value, times] : seen) {
        if (times > best) best = times, usual[static_cast<size_t>(kind)][ch] = value;
      }
    }
  }
  for (int c = 0; c < holidays::kYearClasses; ++c) {
    const auto& usual_of_kind = usual[static_cast<size_t>(holidays::YearKindOfClass(c))];
    bool differs = false;
    for (size_t ch = 0; ch < channels; ++ch) differs = differs || count[static_cast<size_t>(c)][ch] != usual_of_kind[ch];
    if (!differs) continue;
    run->residual_classes.push_back(c);
    run->residual_set.set(static_cast<size_t>(c));
    for (size_t ch = 0; ch < channels; ++ch) run->residual.push_back(count[static_cast<size_t>(c)][ch] - usual_of_kind[ch]);
  }
  const KindTable& kinds = Kinds();
  run->cum_kind.assign(401 * channels, 0);
  for (size_t y = 0; y < 400; ++y) {
    for (size_t ch = 0; ch < channels; ++ch) {
      run->cum_kind[(y + 1) * channels + ch] = run->cum_kind[y * channels + ch] + usual[kinds.kind[y]][ch];
    }
  }
  for (size_t y = 0; y <= 400; ++y) {
    run->usual_total[y] = run->cum_kind[y * channels + total];
    run->usual_working[y] = week_days_.Before(JanuaryFirst(static_cast<int64_t>(y))) - run->usual_total[y];
  }
  run->cycle_working = run->usual_working[400] - run->usual_working[0];
  if (run->cycle_working <= 0) invertible_ = false;
  run->years_per_working = 400.0 / static_cast<double>(std::max<int64_t>(run->cycle_working, 1));
  // All sources together, the residual classes are counted by Easter date where both classes of
  // a date differ alike (the holiday depends on the date alone): one look for the two.
  std::array<int64_t, holidays::kYearClasses> class_residual{};
  for (size_t i = 0; i < run->residual_classes.size(); ++i) {
    class_residual[static_cast<size_t>(run->residual_classes[i])] = run->residual[i * channels + total];
  }
  for (int c = 0; c < holidays::kYearClasses; ++c) {
    const int64_t residual = class_residual[static_cast<size_t>(c)];
    if (residual == 0) continue;
    const bool date_alone = class_residual[static_cast<size_t>(c ^ 1)] == residual;
    if (date_alone && c % 2 == 1) continue;  // counted with its common-year class
    run->total_keys.push_back(date_alone ? holidays::EasterDateKey(c) : c);
    run->residual_total.push_back(residual);
    run->total_set.set(static_cast<size_t>(run->total_keys.back()));
  }
  // Years of each residual class (and date) before the run, and the residual of its first 400
  // years: the years' classes counted one by one from year 0 when the run starts in the first
  // millennia (no Easter tables needed), else the Easter tables' counts before it.
  run->near_residual.assign(401, 0);
  std::array<int64_t, holidays::kEasterKeys> before{};
  const auto visit = [&](int64_t year, int year_class) {
    if (year < first_year) {
      ++before[static_cast<size_t>(year_class)];
      ++before[static_cast<size_t>(holidays::EasterDateKey(year_class))];
    } else {
      const auto k = static_cast<size_t>(year - first_year);
      run->near_residual[k + 1] = run->near_residual[k] + class_residual[static_cast<size_t>(year_class)];
    }
  };
  if (!run->residual_classes.empty()) {
    if (first_year <= 20'000) {
      ForEachYearClassFromZero(first_year + 400, visit);
      for (int c : run->residual_classes) run->start_rank.push_back(before[static_cast<size_t>(c)]);
      for (size_t i = 0; i < run->total_keys.size(); ++i) {
        run->residual_offset += run->residual_total[i] * before[static_cast<size_t>(run->total_keys[i])];
      }
    } else {
      for (int64_t year = first_year; year < first_year + 400; ++year) visit(year, holidays::YearClass(year));
      holidays::EasterYearIndex::Prepare(run->residual_set);
      run->easter_ready.store(true, std::memory_order_release);
      for (int c : run->residual_classes) run->start_rank.push_back(holidays::EasterYearIndex::CountBefore(c, first_year));
      PrepareTotalEaster(*run);
      for (size_t i = 0; i < run->total_keys.size(); ++i) {
        run->residual_offset += run->residual_total[i] * holidays::EasterYearIndex::CountBefore(run->total_keys[i], first_year);
      }
    }
  }
  pieces.push_back(Piece{.first_year = first_year, .kind = PieceKind::Formula, .index = runs.size(), .before = {}});
  runs.push_back(std::move(run));
}

// Years of the run's i-th residual class in [run.first_year, year), year >= run.first_year:
// counted one by one over a short stretch (the searches' anchor at a run's start, a count just
// past it), so that a calendar used near the present never builds the Easter tables (some tens
// of milliseconds, most of a single quorvan-cli call); from the tables beyond.
int64_t HolidayYearTables::ClassYearsSinceStart(const Run& run, size_t i, int64_t year) const {
  constexpr int64_t kCountedYears = 400;
  const int year_class = run.residual_classes[i];
  if (year - run.first_year <= kCountedYears) {
    int64_t years = 0;
    for (int64_t y = run.first_year; y < year; ++y) years += holidays::YearClass(y) == year_class ? 1 : 0;
    return years;
  }
  PrepareEaster(run);
  return holidays::EasterYearIndex::CountBefore(year_class, year) - run.start_rank[i];
}

void HolidayYearTables::PrepareEaster(const Run& run) {
  if (!run.easter_ready.load(std::memory_order_acquire)) {
    holidays::EasterYearIndex::Prepare(run.residual_set);
    run.easter_ready.store(true, std::memory_order_release);
  }
}

void HolidayYearTables::PrepareTotalEaster(const Run& run) {
  if (!run.total_ready.load(std::memory_order_acquire)) {
    holidays::EasterYearIndex::Prepare(run.total_set);
    run.total_ready.store(true, std::memory_order_release);
  }
}

// The residual classes' holidays (less their kinds' usual numbers) in [run.first_year, year):
// from the table of the run's first 400 years, else from the Easter tables.
int64_t HolidayYearTables::ResidualBefore(const Run& run, int64_t year) {
  if (run.total_keys.empty()) return 0;
  const int64_t since_start = year - run.first_year;  // >= 0
  if (since_start <= 400) return run.near_residual[static_cast<size_t>(since_start)];
  PrepareTotalEaster(run);
  int64_t sum = -run.residual_offset;
  for (size_t i = 0; i < run.total_keys.size(); ++i) {
    sum += run.residual_total[i] * holidays::EasterYearIndex::CountBefore(run.total_keys[i], year);
  }
  return sum;
}

int64_t HolidayYearTables::KindBefore(const Run& run, int64_t year) {
  return civil::FloorDiv(year, 400) * run.usual_total[400] + run.usual_total[static_cast<size_t>(civil::FloorMod(year, 400))];
}

int64_t HolidayYearTables::UsualWorkingBefore(const Run& run, int64_t year) {
  return civil::FloorDiv(year, 400) * run.cycle_working + run.usual_working[static_cast<size_t>(civil::FloorMod(year, 400))];
}

int64_t HolidayYearTables::YearWorkingDays(int64_t year, size_t holidays) const {
  return week_days_.Before(JanuaryFirst(year + 1)) - week_days_.Before(JanuaryFirst(year)) - static_cast<int64_t>(holidays);
}

// The year of the run (before end_year) in which the count reaches `target`; in `working` the
// count before it and in `entries` its holidays. The count before year Y is
// UsualWorkingBefore(Y) - kind_base - ResidualBefore(Y): the first part inverts by division and a
// look into its 400-year table; the residual part, a few holidays a century, is guessed from the
// Easter tables' stretch of the year, the year found, the residual taken there and found again, until
// the year gives back its own residual (each round narrows the error by the years' working days
// over their residual holidays, some thousands: one or two rounds); then a year's step at most.
int64_t HolidayYearTables::RunYearReaching(const Run& run, int64_t target, int64_t end_year, int64_t& working,
                                           std::span<const HolidayEntry>& entries) const {
  const auto usual_year_reaching = [&](int64_t count) {  // the last year Y with UsualWorkingBefore(Y) < count
    // A straight estimate (off by a year or so: the usual numbers are not spread evenly over the
    // cycle), then put right; no division at run time.
    auto year = static_cast<int64_t>(std::floor(static_cast<double>(count - run.usual_working[0]) * run.years_per_working));
    while (UsualWorkingBefore(run, year) >= count) --year;
    while (UsualWorkingBefore(run, year + 1) < count) ++year;
    return year;
  };
  const int64_t last_year = end_year - 1;
  const auto in_run = [&](int64_t year) { return std::clamp(year, run.first_year, last_year); };
  int64_t year = in_run(usual_year_reaching(target + run.kind_base));
  int64_t residual = 0;
  if (!run.total_keys.empty()) {
    if (year - run.first_year > 400) {  // the residual at the start of the year's 1,024-year stretch
      PrepareTotalEaster(run);
      int64_t guess = -run.residual_offset;
      for (size_t i = 0; i < run.total_keys.size(); ++i) {
        guess += run.residual_total[i] * holidays::EasterYearIndex::CountBeforeStretch(run.total_keys[i], year);
      }
      year = in_run(usual_year_reaching(target + run.kind_base + guess));
    }
    residual = ResidualBefore(run, year);
    for (int round = 0; round < 4; ++round) {  // until the year gives back its own residual
      const int64_t next = in_run(usual_year_reaching(target + run.kind_base + residual));
      if (next == year) break;
      year = next;
      residual = ResidualBefore(run, year);
    }
  }
  working = UsualWorkingBefore(run, year) - run.kind_base - residual;
  const auto days_of = [&](int64_t y) { return std::span<const HolidayEntry>(run.class_days[static_cast<size_t>(holidays::YearClass(y))]); };
  while (working >= target) {  // stops at first_year at the latest: the count there is below the target
    --year;
    working -= YearWorkingDays(year, days_of(year).size());
  }
  while (true) {  // stops before end_year: the count there reaches the target
    entries = days_of(year);
    const int64_t next = working + YearWorkingDays(year, entries.size());
    if (next >= target) break;
    working = next;
    ++year;
  }
  return year;
}

// The day after the working day of `year` that brings the count from `working` (before the year)
// to `target`: the stretches of work-week days between the year's holidays counted off.
int64_t HolidayYearTables::DayReaching(int64_t year, int64_t working, int64_t target,
                                       std::span<const HolidayEntry> entries) const {
  const int64_t first_day = JanuaryFirst(year);
  int64_t left = target - working;  // >= 1
  int64_t from = first_day;
  for (const HolidayEntry& entry : entries) {
    const int64_t day = first_day + entry.day_of_year;
    const int64_t between = week_days_.Before(day) - week_days_.Before(from);
    if (left <= between) break;
    left -= between;
    from = day + 1;
  }
  return week_days_.NthFrom(from, left) + 1;
}

int64_t HolidayYearTables::FirstReaching(int64_t target) const {
  size_t i = pieces.size() - 1;
  while (i > 0 && pieces[i].working >= target) --i;
  const Piece& piece = pieces[i];
  switch (piece.kind) {
    case PieceKind::Empty:
      break;
    case PieceKind::Explicit: {
      const Block& block = blocks[piece.index];
      // working[0] < target <= working[years]: the year is one of the block's.
      const auto after = std::lower_bound(block.working.begin(), block.working.end(), target);
      const auto j = static_cast<size_t>(after - block.working.begin()) - 1;
      const int64_t year = block.first_year + static_cast<int64_t>(j);
      return DayReaching(year, block.working[j], target, YearEntries(year, &piece));
    }
    case PieceKind::Formula: {
      const Run& run = *runs[piece.index];
      const int64_t end_year = i + 1 < pieces.size() ? pieces[i + 1].first_year : std::numeric_limits<int64_t>::max();
      int64_t working = 0;
      std::span<const HolidayEntry> entries;
      const int64_t year = RunYearReaching(run, target, end_year, working, entries);
      return DayReaching(year, working, target, entries);
    }
  }
  return week_days_.FirstReaching(target);  // no rule holiday before the first piece
}

// Rule holidays of the years [from_year, to_year) of a run, per channel.
std::vector<int64_t> HolidayYearTables::RunSum(const Run& run, int64_t from_year, int64_t to_year) const {
  std::vector<int64_t> sum(channels, 0);
  const auto kind_prefix = [&](int64_t year, size_t ch) {
    return civil::FloorDiv(year, 400) * run.cum_kind[400 * channels + ch] +
           run.cum_kind[static_cast<size_t>(civil::FloorMod(year, 400)) * channels + ch];
  };
  for (size_t ch = 0; ch < channels; ++ch) sum[ch] = kind_prefix(to_year, ch) - kind_prefix(from_year, ch);
  for (size_t i = 0; i < run.residual_classes.size(); ++i) {
    const int64_t years = ClassYearsSinceStart(run, i, to_year) - ClassYearsSinceStart(run, i, from_year);
    for (size_t ch = 0; ch < channels; ++ch) sum[ch] += run.residual[i * channels + ch] * years;
  }
  return sum;
}

const HolidayYearTables::Piece* HolidayYearTables::PieceOf(int64_t year) const {
  // Few pieces (four for a region): a backward scan beats a binary search.
  for (size_t i = pieces.size(); i-- > 1;) {
    if (pieces[i].first_year <= year) return &pieces[i];
  }
  return &pieces[0];
}

std::span<const HolidayEntry> HolidayYearTables::YearEntries(int64_t year, const Piece* piece) const {
  switch (piece->kind) {
    case PieceKind::Empty:
      return {};
    case PieceKind::Explicit: {
      const Block& block = blocks[piece->index];
      const auto i = static_cast<size_t>(year - block.first_year);
      return std::span<const HolidayEntry>(block.entries).subspan(block.offsets[i], block.offsets[i + 1] - block.offsets[i]);
    }
    case PieceKind::Formula:
      return runs[piece->index]->class_days[static_cast<size_t>(holidays::YearClass(year))];
  }
  return {};
}

int64_t HolidayYearTables::HolidaysBefore(int64_t x, size_t channel) const {
  if (groups.empty()) return 0;
  const int64_t year = YearOf(x);
  const Piece* piece = PieceOf(year);
  if (piece->kind == PieceKind::Empty) return 0;
  int64_t count = piece->before[channel];
  if (piece->kind == PieceKind::Explicit) {
    const Block& block = blocks[piece->index];
    count += block.prefix[static_cast<size_t>(year - block.first_year) * channels + channel];
  } else {
    const Run& run = *runs[piece->index];
    if (channel == total) {
      // RunSum for the total alone, without the vector.
      const auto kind_prefix = [&](int64_t y) {
        return civil::FloorDiv(y, 400) * run.cum_kind[400 * channels + total] +
               run.cum_kind[static_cast<size_t>(civil::FloorMod(y, 400)) * channels + total];
      };
      count += kind_prefix(year) - kind_prefix(run.first_year);
      for (size_t i = 0; i < run.residual_classes.size(); ++i) {
        const int64_t years = ClassYearsSinceStart(run, i, year);
        count += run.residual[i * channels + total] * years;
      }
    } else {
      count += RunSum(run, run.first_year, year)[channel];
    }
  }
  const auto day_of_year = static_cast<uint16_t>(x - JanuaryFirst(year));
  for (const HolidayEntry& entry : YearEntries(year, piece)) {
    if (entry.day_of_year >= day_of_year) break;
    if (channel == total || entry.source == channel) ++count;
  }
  return count;
}

HolidayYearTables::TotalAt HolidayYearTables::TotalBefore(int64_t x) const {
  TotalAt at;
  if (groups.empty()) return at;
  const YearAndDay year_day = YearAndDayOf(x);
  const Piece* piece = PieceOf(year_day.year);
  std::span<const HolidayEntry> entries;
  switch (piece->kind) {
    case PieceKind::Empty:
      return at;
    case PieceKind::Explicit: {
      const Block& block = blocks[piece->index];
      const auto i = static_cast<size_t>(year_day.year - block.first_year);
      at.before = piece->before_total + block.prefix[i * channels + total];
      entries = std::span<const HolidayEntry>(block.entries).subspan(block.offsets[i], block.offsets[i + 1] - block.offsets[i]);
      break;
    }
    case PieceKind::Formula: {
      const Run& run = *runs[piece->index];
      at.before = RunHolidaysBeforeYear(run, year_day.year);
      entries = run.class_days[static_cast<size_t>(holidays::YearClass(year_day.year))];
      break;
    }
  }
  for (const HolidayEntry& entry : entries) {
    if (entry.day_of_year >= year_day.day_of_year) {
      at.on = entry.day_of_year == year_day.day_of_year;
      break;
    }
    ++at.before;
  }
  return at;
}

std::optional<uint16_t> HolidayYearTables::HolidayOn(int64_t day) const {
  if (groups.empty()) return std::nullopt;
  const int64_t year = YearOf(day);
  const auto day_of_year = static_cast<uint16_t>(day - JanuaryFirst(year));
  for (const HolidayEntry& entry : YearEntries(year, PieceOf(year))) {
    if (entry.day_of_year == day_of_year) return entry.source;
  }
  return std::nullopt;
}

void HolidayYearTables::Build(WorkWeek week, std::span<const holidays::HolidaySource> sources) {
  week_ = week;
  week_days_ = WorkWeekDays(week);
  channels = sources.size() + 1;
  total = sources.size();

  std::vector<int64_t> transitions;
  for (size_t s = 0; s < sources.size(); ++s) {
    RuleGroup group;
    group.source = static_cast<uint16_t>(s);
    for (HolidayRule rule : sources[s].rules) {
      // Held to the years its kind is known for (the equinox days, the kinds counted year by year).
      if (!holidays::IsValidRule(rule) || !holidays::KnownYears(rule, rule.first_year, rule.last_year)) continue;
      group.rules.push_back(rule);
      transitions.push_back(rule.first_year);
      if (rule.last_year != holidays::kNoLastYear) transitions.push_back(int64_t{rule.last_year} + 1);
    }
    if (group.rules.empty()) continue;
    group.may_spill = holidays::MaySpillIntoOtherYears(group.rules);
    groups.push_back(std::move(group));
  }
  std::sort(transitions.begin(), transitions.end());
  transitions.erase(std::unique(transitions.begin(), transitions.end()), transitions.end());

  pieces.push_back(Piece{.first_year = std::numeric_limits<int64_t>::min(), .kind = PieceKind::Empty, .index = 0,
                         .before = std::vector<int64_t>(channels, 0)});
  if (!transitions.empty()) {
    const int64_t window_first = transitions.front() - 1;
    int64_t window_last = std::max<int64_t>(kWindowEnd, transitions.front());
    for (int64_t t : transitions) {
      if (t <= kWindowCap) window_last = std::max(window_last, t);
    }
    AddExplicitYears(window_first, window_last);
    int64_t explicit_last = window_last;
    for (int64_t t : transitions) {
      if (t <= window_last) continue;
      // Years t - 1 and t see rules of both sides of the change: explicit.
      if (t - 1 > explicit_last + 1) AddRun(explicit_last + 1);
      const int64_t from = std::max(explicit_last + 1, t - 1);
      AddExplicitYears(from, t);
      explicit_last = t;
    }
    AddRun(explicit_last + 1);
  }
  // Running totals at each piece's start.
  std::vector<int64_t> running(channels, 0);
  for (size_t i = 1; i < pieces.size(); ++i) {
    const Piece& previous = pieces[i - 1];
    if (previous.kind == PieceKind::Explicit) {
      const Block& block = blocks[previous.index];
      for (size_t ch = 0; ch < channels; ++ch) running[ch] += block.prefix[static_cast<size_t>(block.years) * channels + ch];
    } else if (previous.kind == PieceKind::Formula) {
      const std::vector<int64_t> sum = RunSum(*runs[previous.index], previous.first_year, pieces[i].first_year);
      for (size_t ch = 0; ch < channels; ++ch) running[ch] += sum[ch];
    }
    pieces[i].before = running;
  }
  // The same, all sources, and the count of working days (rule holidays only) at each piece's and
  // each explicit year's start: what the inverse of the count searches.
  for (size_t i = 1; i < pieces.size(); ++i) {
    Piece& piece = pieces[i];
    piece.before_total = piece.before[total];
    piece.working = week_days_.Before(JanuaryFirst(piece.first_year)) - piece.before_total;
    if (piece.kind == PieceKind::Explicit) {
      Block& block = blocks[piece.index];
      for (int64_t j = 0; j <= block.years; ++j) {
        block.working.push_back(week_days_.Before(JanuaryFirst(block.first_year + j)) - piece.before_total -
                                block.prefix[static_cast<size_t>(j) * channels + total]);
      }
    } else if (piece.kind == PieceKind::Formula) {
      Run& run = *runs[piece.index];
      run.kind_base = piece.before_total - KindBefore(run, run.first_year);
    }
  }

}

void HolidayYearTables::AppendDaysIn(int64_t from, int64_t to, std::vector<int64_t>& out) const {
  if (groups.empty() || from >= to) return;
    for (int64_t year = YearOf(from), last = YearOf(to - 1); year <= last; ++year) {
      const int64_t first_day = JanuaryFirst(year);
      for (const HolidayEntry& entry : YearEntries(year, PieceOf(year))) {
        const int64_t day = first_day + entry.day_of_year;
        if (day >= from && day < to) out.push_back(day);
      }
    }
  }

std::vector<int64_t> HolidayYearTables::AnchorYears() const {
  std::vector<int64_t> years;
  for (size_t i = 1; i < pieces.size(); ++i) {
    const int64_t last_year = i + 1 < pieces.size() ? pieces[i + 1].first_year : pieces[i].first_year + 1;
    const int64_t step = pieces[i].kind == PieceKind::Explicit ? 50 : last_year - pieces[i].first_year;
    for (int64_t year = pieces[i].first_year; year < last_year; year += step) {
      if (year > 5'900'000) break;
      years.push_back(year);
    }
  }
  return years;
}

double HolidayYearTables::UsualHolidaysPerDay() const {
  if (runs.empty()) return 0;
  return static_cast<double>(runs.back()->cum_kind[400 * channels + total]) / 146'097.0;
}

size_t HolidayYearTables::Bytes() const {
  size_t bytes = 0;
  for (const auto& block : blocks) {
    bytes += block.offsets.size() * sizeof(uint32_t) + block.entries.size() * sizeof(HolidayEntry) +
             (block.prefix.size() + block.working.size()) * sizeof(int64_t);
  }
  for (const auto& run : runs) {
    bytes += sizeof(Run) + run->cum_kind.size() * sizeof(int64_t) + run->residual.size() * sizeof(int64_t) +
             (run->residual_total.size() + run->near_residual.size()) * sizeof(int64_t) +
             run->total_keys.size() * sizeof(int);
    for (const auto& days : run->class_days) bytes += days.size() * sizeof(HolidayEntry);
  }
  return bytes;
}

}  // namespace qv
