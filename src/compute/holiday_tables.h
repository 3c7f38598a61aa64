#pragma once
// The periodic year tables of the rule kinds: how many rule holidays fall on work-week days before
// any day, in constant time over the whole range. The rule-made holidays are counted year by year,
// in pieces of years:
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
// left out; the last channel is the total. The total also has rows of its own, which a count and
// its inverse (the day at which a count of working days is reached) read: the working days before
// each piece and each explicit year, and for a run the usual working days of the 400-year cycle,
// with its residual classes counted by Easter date where the date alone decides.
//
// A new rule kind touches holidays/holiday_rules (its day in a year) and, when its days do not
// follow from a year's Easter date and leap flag, the years it is known for (KnownYears): the
// tables keep such years explicitly.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "compute/work_week.h"
#include "holidays/easter.h"
#include "holidays/holiday_source.h"

namespace qv {

// A holiday in a year's table: its day of the year and the first source holding it.
struct HolidayEntry {
  uint16_t day_of_year;  // 0 … 365
  uint16_t source;
};

// The rules of one source, as the tables take them.
struct RuleGroup {
  uint16_t source = 0;
  std::vector<holidays::HolidayRule> rules;  // held to the years their kinds are known for
  bool may_spill = false;
};

class HolidayYearTables {
 public:
  // Tables of the sources' rules; only holidays on days of `week` are kept.
  void Build(WorkWeek week, std::span<const holidays::HolidaySource> sources);

  bool Empty() const { return groups.empty(); }
  const std::vector<RuleGroup>& Groups() const { return groups; }
  size_t Channels() const { return channels; }  // one per source, then the total
  size_t Total() const { return total; }

  // Rule holidays on work-week days before day x (from a fixed origin), of one channel.
  int64_t HolidaysBefore(int64_t x, size_t channel) const;
  // The same for all sources together (what a count needs), and whether x itself is one: the
  // per-source rows left alone.
  struct TotalAt {
    int64_t before = 0;
    bool on = false;
  };
  TotalAt TotalBefore(int64_t x) const;
  // The smallest day u at which the work-week days before u, less TotalBefore(u), reach `target`:
  // the day after the working day that reaches it. The year is found from the running totals (the
  // explicit years' by binary search, a run's by its 400-year table and the few years of its
  // residual classes), the day from that year's holidays. Needs Invertible().
  int64_t FirstReaching(int64_t target) const;
  // Every run of years has working days (a rule set could leave none on a one-day work week).
  bool Invertible() const { return invertible_; }
  // The first source whose rule holiday falls on the work-week day `day`.
  std::optional<uint16_t> HolidayOn(int64_t day) const;
  // Rule holidays on work-week days in [from, to), appended in order of their days.
  void AppendDaysIn(int64_t from, int64_t to, std::vector<int64_t>& out) const;
  // First years of the pieces, and of every 50th year of the explicit ones: the searches' anchors.
  std::vector<int64_t> AnchorYears() const;
  // The usual number of rule holidays a day in the last run of years (0 without one).
  double UsualHolidaysPerDay() const;
  size_t Bytes() const;

 private:
  WorkWeek week_;
  WorkWeekDays week_days_;
  bool invertible_ = true;
  size_t channels = 1;
  size_t total = 0;
  std::vector<RuleGroup> groups;

  enum class PieceKind : uint8_t { Empty, Explicit, Formula };
  struct Piece {
    int64_t first_year = 0;
    PieceKind kind = PieceKind::Empty;
    size_t index = 0;
    std::vector<int64_t> before;  // per channel: rule holidays in the years before first_year
    int64_t before_total = 0;     // the same, all sources
    int64_t working = std::numeric_limits<int64_t>::min();  // work-week days less rule holidays before first_year
  };
  struct Block {
    int64_t first_year = 0;
    int64_t years = 0;
    std::vector<uint32_t> offsets;  // years + 1: where each year's entries start
    std::vector<HolidayEntry> entries;
    std::vector<int64_t> prefix;    // (years + 1) × channels: holidays in the block's years before
    std::vector<int64_t> working;   // years + 1: work-week days less rule holidays before each year
  };
  struct Run {
    int64_t first_year = 0;
    std::array<std::vector<HolidayEntry>, holidays::kYearClasses> class_days;
    std::vector<int64_t> cum_kind;        // 401 × channels: usual holidays of the years [0, i) of a 400-year cycle
    std::vector<int> residual_classes;    // classes that differ from their kind's usual number
    std::vector<int64_t> residual;        // residual_classes.size() × channels
    std::vector<int64_t> start_rank;      // per residual class: years of that class before first_year
    holidays::YearClassSet residual_set;
    mutable std::atomic<bool> easter_ready{false};
    // All sources together, for counting and its inverse: the Easter tables' keys (a class, or an
    // Easter date for both its classes) whose holidays differ from their kinds' usual numbers.
    std::vector<int> total_keys;
    std::vector<int64_t> residual_total;  // per key: its holidays less its kind's usual number
    int64_t residual_offset = 0;          // sum of residual_total × the key's years before first_year
    holidays::YearClassSet total_set;
    mutable std::atomic<bool> total_ready{false};
    std::vector<int64_t> near_residual;   // 401: the residual holidays of the run's first i years
    int64_t kind_base = 0;                // before_total less the 400-year table's count before first_year
    // Work-week days less the usual holidays before 1 January of the years [0, 400], and the same
    // for a whole cycle: this part of the count is periodic, so its inverse is a division.
    std::array<int64_t, 401> usual_total{};  // usual holidays of the years [0, i) of a cycle
    std::array<int64_t, 401> usual_working{};
    int64_t cycle_working = 0;
    double years_per_working = 0;  // 400 / cycle_working
  };
  std::vector<Piece> pieces;
  std::vector<Block> blocks;
  std::vector<std::unique_ptr<Run>> runs;


  void CalendarYearEntries(int64_t year, const std::vector<std::vector<uint8_t>>* active_sets,
                           std::vector<holidays::RuleDayEntry>& scratch, std::vector<HolidayEntry>& out) const;
  void AddExplicitYears(int64_t first, int64_t last);
  void AddRun(int64_t first_year);
  std::vector<int64_t> RunSum(const Run& run, int64_t from_year, int64_t to_year) const;
  int64_t ClassYearsSinceStart(const Run& run, size_t i, int64_t year) const;
  static void PrepareEaster(const Run& run);
  static void PrepareTotalEaster(const Run& run);
  // Rule holidays, all sources, of the years before `year` (>= run.first_year): the residual
  // classes' part within the run, the usual numbers' part from year 0, and the whole.
  static int64_t ResidualBefore(const Run& run, int64_t year);
  static int64_t KindBefore(const Run& run, int64_t year);
  int64_t RunHolidaysBeforeYear(const Run& run, int64_t year) const {
    return run.kind_base + KindBefore(run, year) + ResidualBefore(run, year);
  }
  // Work-week days less usual holidays before 1 January of `year`.
  static int64_t UsualWorkingBefore(const Run& run, int64_t year);
  int64_t YearWorkingDays(int64_t year, size_t holidays) const;
  int64_t RunYearReaching(const Run& run, int64_t target, int64_t end_year, int64_t& working,
                          std::span<const HolidayEntry>& entries) const;
  int64_t DayReaching(int64_t year, int64_t working, int64_t target, std::span<const HolidayEntry> entries) const;
  const Piece* PieceOf(int64_t year) const;
  std::span<const HolidayEntry> YearEntries(int64_t year, const Piece* piece) const;
};

}  // namespace qv
