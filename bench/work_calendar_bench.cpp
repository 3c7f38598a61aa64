// Nanoseconds per working-day count and per working-day addition with a work calendar, for spans
// from one week to the whole range of day numbers. Target: under 1 µs each, and flat.
//
// Two calendars: Bavaria's holidays (DE-BY) with Monday to Friday, and a list of 10,000 single
// dates (50 a year from 1990 to 2189) with Monday to Friday. Each benchmark walks 1,024 precomputed
// pairs of a first day and a second day (or a number of working days) whose span is the benchmark's
// argument, placed at random within ±2,100,000,000; one iteration is one count or addition.
// Counters: table_bytes, the calendar's own tables; the Easter tables shared by all calendars are
// built before timing starts and reported once as easter_table_bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <cstdint>
#include <random>
#include <vector>

#include "calendar/civil.h"
#include "compute/work_calendar.h"
#include "holidays/easter.h"
#include "holidays/regions.h"

namespace {

constexpr size_t kPairs = 1024;
constexpr int64_t kLimit = 2'100'000'000;

const qv::WorkCalendar& Bavaria() {
  static const qv::WorkCalendar calendar(qv::WorkWeek(), {qv::holidays::RegionSource(*qv::holidays::FindRegion("DE-BY"))});
  return calendar;
}

const qv::WorkCalendar& TenThousandDates() {
  static const qv::WorkCalendar calendar = [] {
    qv::holidays::HolidaySource list;
    list.kind = qv::holidays::SourceKind::List;
    list.label = "dates.txt";
    std::mt19937 random(10000);
    for (int32_t year = 1990; year < 2190; ++year) {
      const int64_t first = qv::civil::GregorianToDayNumber(year, 1, 1);
      for (int i = 0; i < 50; ++i) {
        list.dates.push_back({static_cast<int32_t>(first + std::uniform_int_distribution<int>(0, 364)(random)), ""});
      }
    }
    std::sort(list.dates.begin(), list.dates.end(), [](const auto& a, const auto& b) { return a.day_number < b.day_number; });
    return qv::WorkCalendar(qv::WorkWeek(), {list});
  }();
  return calendar;
}

struct Pair {
  int32_t first;
  int32_t second;
};

// Pairs of days `span` apart (either order), both within ±2,100,000,000.
std::vector<Pair> Pairs(int64_t span) {
  std::mt19937_64 random(static_cast<uint64_t>(span));
  std::uniform_int_distribution<int64_t> start(-kLimit, kLimit - span);
  std::vector<Pair> pairs;
  for (size_t i = 0; i < kPairs; ++i) {
    const int64_t a = start(random), b = a + span;
    pairs.push_back(i % 2 == 0 ? Pair{static_cast<int32_t>(a), static_cast<int32_t>(b)}
                               : Pair{static_cast<int32_t>(b), static_cast<int32_t>(a)});
  }
  return pairs;
}

void Count(benchmark::State& state, const qv::WorkCalendar& calendar) {
  const std::vector<Pair> pairs = Pairs(state.range(0));
  const qv::DayCountOptions options{.include_weekends = false, .include_first_date = true};
  for (const Pair& pair : pairs) benchmark::DoNotOptimize(calendar.CountDaysBetween(pair.first, pair.second, options));
  size_t i = 0;
  for (auto _ : state) {
    const Pair& pair = pairs[i++ % kPairs];
    benchmark::DoNotOptimize(calendar.CountDaysBetween(pair.first, pair.second, options));
  }
  state.counters["table_bytes"] = static_cast<double>(calendar.TableBytes());
}

// Adding the working days of a span: the number counted between the pair, added back.
void Add(benchmark::State& state, const qv::WorkCalendar& calendar, bool second_from_first) {
  const qv::DayCountOptions options{.include_weekends = false, .include_first_date = false};
  struct Addition {
    int32_t from;
    int32_t days;
  };
  std::vector<Addition> additions;
  for (const Pair& pair : Pairs(state.range(0))) {
    const int32_t days = calendar.CountDaysBetween(pair.first, pair.second, options).value_or(1);
    additions.push_back({second_from_first ? pair.first : pair.second, days == 0 ? 1 : days});
  }
  for (const Addition& a : additions) {  // warm: every table the pairs need is built before timing
    benchmark::DoNotOptimize(second_from_first ? calendar.SecondDateFromFirst(a.from, a.days, options)
                                               : calendar.FirstDateFromSecond(a.from, a.days, options));
  }
  size_t i = 0;
  for (auto _ : state) {
    const Addition& a = additions[i++ % kPairs];
    benchmark::DoNotOptimize(second_from_first ? calendar.SecondDateFromFirst(a.from, a.days, options)
                                               : calendar.FirstDateFromSecond(a.from, a.days, options));
  }
  state.counters["table_bytes"] = static_cast<double>(calendar.TableBytes());
}

void BM_CountBavaria(benchmark::State& state) { Count(state, Bavaria()); }
void BM_SecondFromFirstBavaria(benchmark::State& state) { Add(state, Bavaria(), true); }
void BM_FirstFromSecondBavaria(benchmark::State& state) { Add(state, Bavaria(), false); }
void BM_CountList(benchmark::State& state) { Count(state, TenThousandDates()); }
void BM_SecondFromFirstList(benchmark::State& state) { Add(state, TenThousandDates(), true); }
void BM_FirstFromSecondList(benchmark::State& state) { Add(state, TenThousandDates(), false); }

// A week, a year, a century, 10,000 years, a million years, and the largest span a count can have.
#define SPANS Arg(7)->Arg(365)->Arg(36'525)->Arg(3'652'425)->Arg(365'242'500)->Arg(2'100'000'000)
BENCHMARK(BM_CountBavaria)->SPANS;
BENCHMARK(BM_SecondFromFirstBavaria)->SPANS;
BENCHMARK(BM_FirstFromSecondBavaria)->SPANS;
BENCHMARK(BM_CountList)->SPANS;
BENCHMARK(BM_SecondFromFirstList)->SPANS;
BENCHMARK(BM_FirstFromSecondList)->SPANS;

// Building a calendar (what a program pays once per run).
void BM_BuildBavaria(benchmark::State& state) {
  const qv::holidays::HolidaySource source = qv::holidays::RegionSource(*qv::holidays::FindRegion("DE-BY"));
  for (auto _ : state) {
    qv::WorkCalendar calendar(qv::WorkWeek(), {source});
    benchmark::DoNotOptimize(calendar);
  }
}
BENCHMARK(BM_BuildBavaria)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // The shared Easter tables, built once for the whole run: timed here, outside the benchmarks.
  const auto started = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(Bavaria().CountDaysBetween(-2'000'000'000, 100'000'000, {.include_weekends = false}));
  const auto built = std::chrono::steady_clock::now();
  benchmark::AddCustomContext(
      "easter_tables_first_use_ms",
      std::to_string(std::chrono::duration<double, std::milli>(built - started).count()));
  benchmark::AddCustomContext("easter_table_bytes", std::to_string(qv::holidays::EasterYearIndex::BytesBuilt()));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
