#include "compute/work_calendar.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "holidays/easter.h"

namespace qv {

// --- Work week ---------------------------------------------------------------------------------

std::optional<WorkWeek> WorkWeek::FromMask(uint8_t mask) {
  if (mask == 0 || mask > 0x7F) return std::nullopt;
  return WorkWeek(mask);
}

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// ISO weekday (1 … 7) of a day's name; 0 when it is none.
int WeekdayOfName(std::string_view name) {
  static constexpr std::array<std::array<std::string_view, 4>, 7> kNames{{
      {"mon", "monday", "mo", "montag"},
      {"tue", "tuesday", "di", "dienstag"},
      {"wed", "wednesday", "mi", "mittwoch"},
      {"thu", "thursday", "do", "donnerstag"},
      {"fri", "friday", "fr", "freitag"},
      {"sat", "saturday", "sa", "samstag"},
      {"sun", "sunday", "so", "sonntag"},
  }};
  for (size_t day = 0; day < kNames.size(); ++day) {
    for (std::string_view candidate : kNames[day]) {
      if (SameLetters(name, candidate)) return static_cast<int>(day) + 1;
    }
  }
  return 0;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<WorkWeek> WorkWeek::Parse(std::string_view text) {
  text = Trim(text);
  if (text.size() == 7 && text.find_first_not_of("01") == std::string_view::npos) {
    uint8_t mask = 0;
    for (size_t i = 0; i < 7; ++i) mask = static_cast<uint8_t>(mask | ((text[i] == '1' ? 1u : 0u) << i));
    return FromMask(mask);
  }
  uint8_t mask = 0;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view item = Trim(text.substr(0, comma));
    const size_t dash = item.find('-');
    const int from = WeekdayOfName(Trim(item.substr(0, dash)));
    const int to = dash == std::string_view::npos ? from : WeekdayOfName(Trim(item.substr(dash + 1)));
    if (from == 0 || to == 0) return std::nullopt;
    for (int day = from;; day = day % 7 + 1) {  // a range may wrap past Sunday: Sun-Thu
      mask = static_cast<uint8_t>(mask | (1u << (day - 1)));
      if (day == to) break;
    }
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return FromMask(mask);
}

std::string WorkWeek::ToText() const {
  std::string text(7, '0');
  for (int i = 0; i < 7; ++i) {
    if (Works(i + 1)) text[static_cast<size_t>(i)] = '1';
  }
  return text;
}

std::string ListedHolidayName(const ListedHoliday& holiday, std::span<const holidays::HolidaySource> sources,
                              Language language) {
  std::string name(language == Language::German ? holiday.name.de : holiday.name.en);
  if (name.empty() && holiday.source < sources.size()) name = sources[holiday.source].label;
  name += holidays::SubstituteSuffix(holiday.substitute, language);
  return name;
}

// --- The tables --------------------------------------------------------------------------------
//
// Counting rests on one function, W(x): the working days before day x (from a fixed origin), which
// is the work week's days before x less the holidays on those days before x. The rule-made holidays
// are counted year by year, in pieces of years:
//  - before the first year any rule holds: none;
//  - an explicit window of years (from the year before the first rule year to 2400 or the last
//    year a rule starts or ends, at most 12,000): each year's holiday days kept, with running totals;
//  - after it, runs of years in which the same rules hold: a year's holidays are those of its class
//    (Easter date and leap flag, 70 classes), counted as a 400-year table of the usual number of
//    its kind of year (weekday of 1 January and leap flag, 14 kinds) plus, for the few classes that
//    differ from their kind's usual number (an Easter holiday on a fixed-date holiday: Ascension Day
//    on 1 May when Easter is 23 March), the number of years of that class from the Easter tables;
//  - the years beside a rule's first or last year beyond the window: explicit, as in the window.
// Every count is kept per source as well ("channels"), so that a count can say whose holidays it
// left out; the last channel is the total.
// Single dates (list files, expanded iCalendar repetitions) are kept sorted, without the days that
// are not work-week days or are rule holidays already.

namespace {

using holidays::HolidayRule;
using holidays::HolidaySource;

constexpr int32_t kWindowEnd = 2400;        // years up to here never need the Easter tables
constexpr int64_t kWindowCap = 12'000;      // the window stretches to rule years up to here
constexpr int64_t kLocalWalk = 1100;        // a search's last bracket: solved from its holidays

int64_t JanuaryFirst(int64_t year) { return civil::GregorianToDayNumber(static_cast<int32_t>(year), 1, 1); }
int64_t YearOf(int64_t day) { return civil::GregorianYearOfDayNumber(day); }

struct Entry {
  uint16_t day_of_year;  // 0 … 365
  uint16_t source;
};

struct Group {
  uint16_t source = 0;
  std::vector<HolidayRule> rules;
  bool may_spill = false;
};

}  // namespace

struct WorkCalendar::Impl {
  WorkWeek week;
  std::vector<HolidaySource> sources;
  size_t channels = 1;  // sources + the total
  size_t total = 0;     // index of the total channel
  std::vector<Group> groups;

  std::array<int64_t, 8> week_prefix{};  // work-week days among the first i days of a week from Monday
  int64_t week_days = 0;

  enum class PieceKind : uint8_t { Empty, Explicit, Formula };
  struct Piece {
    int64_t first_year = 0;
    PieceKind kind = PieceKind::Empty;
    size_t index = 0;
    std::vector<int64_t> before;  // per channel: rule holidays in the years before first_year
  };
  struct Block {
    int64_t first_year = 0;
    int64_t years = 0;
    std::vector<uint32_t> offsets;  // years + 1: where each year's entries start
    std::vector<Entry> entries;
    std::vector<int64_t> prefix;    // (years + 1) × channels: holidays in the block's years before
  };
  struct Run {
    int64_t first_year = 0;
    std::array<std::vector<Entry>, holidays::kYearClasses> class_days;
    std::vector<int64_t> cum_kind;        // 401 × channels: usual holidays of the years [0, i) of a 400-year cycle
    std::vector<int> residual_classes;    // classes that differ from their kind's usual number
    std::vector<int64_t> residual;        // residual_classes.size() × channels
    std::vector<int64_t> start_rank;      // per residual class: years of that class before first_year
    holidays::YearClassSet residual_set;
    mutable std::atomic<bool> easter_ready{false};
  };
  std::vector<Piece> pieces;
  std::vector<Block> blocks;
  std::vector<std::unique_ptr<Run>> runs;

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
  void CalendarYearEntries(int64_t year, const std::vector<std::vector<uint8_t>>* active_sets,
                           std::vector<holidays::RuleDayEntry>& scratch, std::vector<Entry>& out) const;
  void AddExplicitYears(int64_t first, int64_t last);
  void AddRun(int64_t first_year);
  std::vector<int64_t> RunSum(const Run& run, int64_t from_year, int64_t to_year) const;

  // --- counting ---
  int64_t WeekDaysBefore(int64_t x) const {
    return civil::FloorDiv(x, 7) * week_days + week_prefix[static_cast<size_t>(civil::FloorMod(x, 7))];
  }
  const Piece* PieceOf(int64_t year) const;
  int64_t RuleHolidaysBefore(int64_t x, size_t channel) const;
  int64_t DatesBefore(int64_t x, size_t channel) const;
  int64_t WorkedBefore(int64_t x) const {
    if (worked.empty() || x <= worked.front()) return 0;
    return std::lower_bound(worked.begin(), worked.end(), static_cast<int32_t>(std::min<int64_t>(x, std::numeric_limits<int32_t>::max()))) - worked.begin();
  }
  int64_t WorkingBefore(int64_t x) const {
    return WeekDaysBefore(x) - RuleHolidaysBefore(x, total) - DatesBefore(x, total) + WorkedBefore(x);
  }
  std::span<const Entry> YearEntries(int64_t year, const Piece* piece) const;
  std::optional<uint16_t> RuleHolidayOn(int64_t day) const;
  std::optional<uint16_t> HolidayOn(int64_t day) const;
  bool Working(int64_t day) const {
    if (!week.Works(civil::IsoWeekday(day))) return !worked.empty() && std::binary_search(worked.begin(), worked.end(), day);
    return !HolidayOn(day);
  }
  void HolidayDaysIn(int64_t from, int64_t to, std::vector<int64_t>& out) const;
  int64_t Guess(int64_t target) const;
  // The n-th day of the work week (n >= 1) from `from` on, `from` itself being the first when it is one.
  int64_t NthWeekDayFrom(int64_t from, int64_t n) const {
    const int64_t weeks = (n - 1) / week_days;
    const int64_t left = n - weeks * week_days;  // [1, week_days]
    return from + 7 * weeks + week_offset[static_cast<size_t>(civil::DaysSinceMonday(from))][static_cast<size_t>(left)];
  }
  // week_offset[w][k]: days from a day of weekday w (0 = Monday) to the k-th work-week day from it on.
  std::array<std::array<int64_t, 8>, 7> week_offset{};
  std::optional<int64_t> FirstReaching(int64_t target, int64_t known, int64_t known_working) const;
  std::optional<int64_t> NthWorkingAfter(int64_t day, int64_t n) const;
  std::optional<int64_t> NthWorkingBefore(int64_t day, int64_t n) const;
  int64_t ClassYearsSinceStart(const Run& run, size_t i, int64_t year) const;
};

namespace {

// The kind of year (0 … 13) of each year of the 400-year cycle, and the number of years of each kind
// before each year of it.
struct KindTable {
  std::array<uint8_t, 400> kind{};
  std::array<std::array<int32_t, holidays::kYearKinds>, 401> before{};
};

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

void WorkCalendar::Impl::CalendarYearEntries(int64_t year, const std::vector<std::vector<uint8_t>>* active_sets,
                                             std::vector<holidays::RuleDayEntry>& scratch,
                                             std::vector<Entry>& out) const {
  out.clear();
  const int64_t first_day = JanuaryFirst(year), next_first_day = JanuaryFirst(year + 1);
  struct Candidate {
    int64_t day;
    uint16_t source;
  };
  std::vector<Candidate> candidates;
  for (size_t g = 0; g < groups.size(); ++g) {
    const Group& group = groups[g];
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
        if (!week.Works(civil::IsoWeekday(entry.day))) continue;
        candidates.push_back(Candidate{entry.day, group.source});
      }
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.day != b.day ? a.day < b.day : a.source < b.source;
  });
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (i > 0 && candidates[i].day == candidates[i - 1].day) continue;  // counted once, for the first source
    out.push_back(Entry{static_cast<uint16_t>(candidates[i].day - first_day), candidates[i].source});
  }
}

void WorkCalendar::Impl::AddExplicitYears(int64_t first, int64_t last) {
  Block block;
  block.first_year = first;
  block.years = last - first + 1;
  block.offsets.push_back(0);
  block.prefix.assign(channels, 0);
  std::vector<holidays::RuleDayEntry> scratch;
  std::vector<Entry> year_entries;
  for (int64_t year = first; year <= last; ++year) {
    CalendarYearEntries(year, nullptr, scratch, year_entries);
    block.entries.insert(block.entries.end(), year_entries.begin(), year_entries.end());
    block.offsets.push_back(static_cast<uint32_t>(block.entries.size()));
    const size_t row = block.prefix.size() - channels;
    for (size_t c = 0; c < channels; ++c) block.prefix.push_back(block.prefix[row + c]);
    const size_t new_row = block.prefix.size() - channels;
    for (const Entry& entry : year_entries) {
      ++block.prefix[new_row + entry.source];
      ++block.prefix[new_row + total];
    }
  }
  pieces.push_back(Piece{.first_year = first, .kind = PieceKind::Explicit, .index = blocks.size(), .before = {}});
  blocks.push_back(std::move(block));
}

void WorkCalendar::Impl::AddRun(int64_t first_year) {
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
    for (const Entry& entry : days) {
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
  // Years of each residual class before the run: counted one by one when the run starts in the
  // first millennia (no Easter tables needed), else from the tables.
  if (!run->residual_classes.empty()) {
    if (first_year <= 20'000) {
      std::array<int64_t, holidays::kYearClasses> before{};
      for (int64_t y = 0; y < first_year; ++y) ++before[static_cast<size_t>(holidays::YearClass(y))];
      for (int c : run->residual_classes) run->start_rank.push_back(before[static_cast<size_t>(c)]);
    } else {
      holidays::EasterYearIndex::Prepare(run->residual_set);
      run->easter_ready.store(true, std::memory_order_release);
      for (int c : run->residual_classes) run->start_rank.push_back(holidays::EasterYearIndex::CountBefore(c, first_year));
    }
  }
  pieces.push_back(Piece{.first_year = first_year, .kind = PieceKind::Formula, .index = runs.size(), .before = {}});
  runs.push_back(std::move(run));
}

// Years of the run's i-th residual class in [run.first_year, year), year >= run.first_year:
// counted one by one over a short stretch (the searches' anchor at a run's start, a count just
// past it), so that a calendar used near the present never builds the Easter tables (some tens
// of milliseconds, most of a single quorvan-cli call); from the tables beyond.
int64_t WorkCalendar::Impl::ClassYearsSinceStart(const Run& run, size_t i, int64_t year) const {
  constexpr int64_t kCountedYears = 400;
  const int year_class = run.residual_classes[i];
  if (year - run.first_year <= kCountedYears) {
    int64_t years = 0;
    for (int64_t y = run.first_year; y < year; ++y) years += holidays::YearClass(y) == year_class ? 1 : 0;
    return years;
  }
  if (!run.easter_ready.load(std::memory_order_acquire)) {
    holidays::EasterYearIndex::Prepare(run.residual_set);
    run.easter_ready.store(true, std::memory_order_release);
  }
  return holidays::EasterYearIndex::CountBefore(year_class, year) - run.start_rank[i];
}

// Rule holidays of the years [from_year, to_year) of a run, per channel.
std::vector<int64_t> WorkCalendar::Impl::RunSum(const Run& run, int64_t from_year, int64_t to_year) const {
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

void WorkCalendar::Impl::Build() {
  for (int i = 0; i < 7; ++i) {
    week_prefix[static_cast<size_t>(i) + 1] = week_prefix[static_cast<size_t>(i)] + (week.Works(i + 1) ? 1 : 0);
  }
  week_days = week_prefix[7];
  for (size_t w = 0; w < 7; ++w) {
    size_t k = 0;
    for (int64_t ahead = 0; ahead < 14 && k < 7; ++ahead) {
      if (week.Works(static_cast<int32_t>((w + static_cast<size_t>(ahead)) % 7) + 1)) week_offset[w][++k] = ahead;
    }
  }
  channels = sources.size() + 1;
  total = sources.size();

  std::vector<int64_t> transitions;
  for (size_t s = 0; s < sources.size(); ++s) {
    Group group;
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

  // The searches' first guess: work-week days less the usual holidays of the last run, a day.
  double holidays_a_day = 0;
  if (!runs.empty()) holidays_a_day = static_cast<double>(runs.back()->cum_kind[400 * channels + total]) / 146'097.0;
  rate = std::max(static_cast<double>(week_days) / 7.0 - holidays_a_day, 1.0 / 64.0);
  for (size_t i = 1; i < pieces.size(); ++i) {
    const int64_t last_year = i + 1 < pieces.size() ? pieces[i + 1].first_year : pieces[i].first_year + 1;
    const int64_t step = pieces[i].kind == PieceKind::Explicit ? 50 : last_year - pieces[i].first_year;
    for (int64_t year = pieces[i].first_year; year < last_year; year += step) {
      if (year > 5'900'000) break;
      const int64_t day = JanuaryFirst(year);
      anchors.emplace_back(day, WorkingBefore(day));
    }
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

const WorkCalendar::Impl::Piece* WorkCalendar::Impl::PieceOf(int64_t year) const {
  // Few pieces (four for a region): a backward scan beats a binary search.
  for (size_t i = pieces.size(); i-- > 1;) {
    if (pieces[i].first_year <= year) return &pieces[i];
  }
  return &pieces[0];
}

std::span<const Entry> WorkCalendar::Impl::YearEntries(int64_t year, const Piece* piece) const {
  switch (piece->kind) {
    case PieceKind::Empty:
      return {};
    case PieceKind::Explicit: {
      const Block& block = blocks[piece->index];
      const auto i = static_cast<size_t>(year - block.first_year);
      return std::span<const Entry>(block.entries).subspan(block.offsets[i], block.offsets[i + 1] - block.offsets[i]);
    }
    case PieceKind::Formula:
      return runs[piece->index]->class_days[static_cast<size_t>(holidays::YearClass(year))];
  }
  return {};
}

int64_t WorkCalendar::Impl::RuleHolidaysBefore(int64_t x, size_t channel) const {
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
  for (const Entry& entry : YearEntries(year, piece)) {
    if (entry.day_of_year >= day_of_year) break;
    if (channel == total || entry.source == channel) ++count;
  }
  return count;
}

int64_t WorkCalendar::Impl::DatesBefore(int64_t x, size_t channel) const {
  const std::vector<int32_t>& list = channel == total ? dates : dates_by_source[channel];
  if (list.empty() || x <= list.front()) return 0;
  if (x > list.back()) return static_cast<int64_t>(list.size());
  return std::lower_bound(list.begin(), list.end(), static_cast<int32_t>(x)) - list.begin();
}

std::optional<uint16_t> WorkCalendar::Impl::RuleHolidayOn(int64_t day) const {
  if (groups.empty()) return std::nullopt;
  const int64_t year = YearOf(day);
  const auto day_of_year = static_cast<uint16_t>(day - JanuaryFirst(year));
  for (const Entry& entry : YearEntries(year, PieceOf(year))) {
    if (entry.day_of_year == day_of_year) return entry.source;
  }
  return std::nullopt;
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
  if (!groups.empty()) {
    for (int64_t year = YearOf(from), last = YearOf(to - 1); year <= last; ++year) {
      const int64_t first_day = JanuaryFirst(year);
      for (const Entry& entry : YearEntries(year, PieceOf(year))) {
        const int64_t day = first_day + entry.day_of_year;
        if (day >= from && day < to) out.push_back(day);
      }
    }
  }
  if (!dates.empty() && to > dates.front() && from <= dates.back()) {
    for (auto it = std::lower_bound(dates.begin(), dates.end(), static_cast<int32_t>(from)); it != dates.end() && *it < to;
         ++it) {
      out.push_back(*it);
    }
  }
  std::sort(out.begin(), out.end());
}

// The smallest u with W(u) >= target (the day after the working day that reaches the target),
// given one known point and its W; nullopt when that working day lies beyond ±DayNumberLimit.
// W rises by one on each working day, so the answer is bracketed and then narrowed: a guess from
// the average rate of working days, then interpolation between the bracket's ends (halving when it
// does not shrink fast enough), then a walk over the last few days with their holidays at hand.
std::optional<int64_t> WorkCalendar::Impl::FirstReaching(int64_t target, int64_t known, int64_t known_working) const {
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
  // The answer from the holidays and worked days of [low, high): the stretches of work-week days
  // between them counted off until the n-th working day from `low` on.
  std::vector<int64_t> holiday_days;
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

// The n-th working day after `day` (n >= 1).
std::optional<int64_t> WorkCalendar::Impl::NthWorkingAfter(int64_t day, int64_t n) const {
  const int64_t known_w = WorkingBefore(day + 1);
  const std::optional<int64_t> reached = FirstReaching(known_w + n, day + 1, known_w);
  if (!reached) return std::nullopt;
  return *reached - 1;
}

// The n-th working day before `day` (n >= 1).
std::optional<int64_t> WorkCalendar::Impl::NthWorkingBefore(int64_t day, int64_t n) const {
  const int64_t known_w = WorkingBefore(day);
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

WorkCalendar::WorkCalendar(WorkWeek week, std::vector<holidays::HolidaySource> sources) : week_(week) {
  if (week == WorkWeek() && sources.empty()) return;
  auto impl = std::make_shared<Impl>();
  impl->week = week;
  impl->sources = std::move(sources);
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
  int64_t count = impl_->WorkingBefore(int64_t{second} + 1) - impl_->WorkingBefore(int64_t{first} + 1);
  if (options.include_first_date && impl_->Working(first)) count += count >= 0 ? 1 : -1;
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
  const bool working = impl_->Working(first);
  const int64_t first_counted = options.include_first_date && working ? 1 : 0;
  const int64_t n = difference;
  if (n > 0) {
    // Working days after `first` reach n with the k-th of them.
    const int64_t k = n - first_counted;
    return WithinLimit(k == 0 ? std::optional<int64_t>(first) : impl_->NthWorkingAfter(first, k));
  }
  // Counting back from `first`, the first date itself (when a working day) is in the span (S, F].
  const int64_t k = working ? -n - first_counted : -n + 1;
  return WithinLimit(k == 0 ? std::optional<int64_t>(first) : impl_->NthWorkingBefore(first, k));
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
  for (const Group& group : impl.groups) {
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
                                       .source = group.source});
      }
    }
  }
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

size_t WorkCalendar::TableBytes() const {
  if (!impl_) return 0;
  const Impl& impl = *impl_;
  size_t bytes = sizeof(Impl);
  for (const auto& block : impl.blocks) {
    bytes += block.offsets.size() * sizeof(uint32_t) + block.entries.size() * sizeof(Entry) +
             block.prefix.size() * sizeof(int64_t);
  }
  for (const auto& run : impl.runs) {
    bytes += sizeof(Impl::Run) + run->cum_kind.size() * sizeof(int64_t) + run->residual.size() * sizeof(int64_t);
    for (const auto& days : run->class_days) bytes += days.size() * sizeof(Entry);
  }
  bytes += impl.dates.size() * sizeof(int32_t) * 2 + impl.worked.size() * sizeof(int32_t);
  for (const auto& [key, days] : impl.moved) bytes += days.size() * sizeof(int32_t);
  return bytes;
}

}  // namespace qv
