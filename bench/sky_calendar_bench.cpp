// The calendars reckoned from the sun and moon: the cost of a year's first use (reckoning its
// months from the astronomy, target at most 50 µs) and of a conversion once the year is cached
// (a table look-up, target at most 100 ns). Each benchmark walks 1,024 random years or days of
// the range, fixed by seed; one iteration is one year reckoned or one conversion.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "calendar/bahai.h"
#include "calendar/chinese.h"

namespace {

constexpr size_t kSamples = 1024;

std::vector<int32_t> RandomValues(int32_t first, int32_t last, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<int32_t> values(kSamples);
  for (int32_t& v : values) v = std::uniform_int_distribution<int32_t>(first, last)(random);
  return values;
}

void LunisolarFirstUse(benchmark::State& state) {
  const auto reckoning = static_cast<qv::Lunisolar>(state.range(0));
  const std::vector<int32_t> years = RandomValues(qv::kLunisolarFirstYear, qv::kLunisolarLastYear, 1);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::ReckonLunisolarYear(reckoning, years[i]));
    i = (i + 1) % kSamples;
  }
}
BENCHMARK(LunisolarFirstUse)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void LunisolarFromDayNumberCached(benchmark::State& state) {
  const auto reckoning = static_cast<qv::Lunisolar>(state.range(0));
  const std::vector<int32_t> days = RandomValues(qv::kChineseFirstDay, qv::kChineseLastDay, 2);
  for (const int32_t day : days) benchmark::DoNotOptimize(qv::LunisolarFromDayNumber(reckoning, day));  // warm
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::LunisolarFromDayNumber(reckoning, days[i]));
    i = (i + 1) % kSamples;
  }
}
BENCHMARK(LunisolarFromDayNumberCached)->Arg(0)->Arg(1)->Arg(2);

void LunisolarToDayNumberCached(benchmark::State& state) {
  const auto reckoning = static_cast<qv::Lunisolar>(state.range(0));
  std::vector<qv::CalendarDate> dates;
  for (const int32_t day : RandomValues(qv::kChineseFirstDay, qv::kChineseLastDay, 3)) {
    dates.push_back(qv::LunisolarFromDayNumber(reckoning, day));
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::LunisolarToDayNumber(reckoning, dates[i]));
    i = (i + 1) % kSamples;
  }
}
BENCHMARK(LunisolarToDayNumberCached)->Arg(0)->Arg(1)->Arg(2);

void BahaiFirstUse(benchmark::State& state) {
  const std::vector<int32_t> years = RandomValues(qv::kBahaiFirstAstronomicalYear, qv::kBahaiLastYear, 4);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::ReckonNawRuz(years[i]));
    i = (i + 1) % kSamples;
  }
}
BENCHMARK(BahaiFirstUse)->Unit(benchmark::kMicrosecond);

void BahaiFromDayNumberCached(benchmark::State& state) {
  const std::vector<int32_t> days = RandomValues(qv::kBahaiFirstDay, qv::kBahaiLastDay, 5);
  for (const int32_t day : days) benchmark::DoNotOptimize(qv::BahaiFromDayNumber(day));  // warm
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::BahaiFromDayNumber(days[i]));
    i = (i + 1) % kSamples;
  }
}
BENCHMARK(BahaiFromDayNumberCached);

void BahaiToDayNumberCached(benchmark::State& state) {
  std::vector<qv::CalendarDate> dates;
  for (const int32_t day : RandomValues(qv::kBahaiFirstDay, qv::kBahaiLastDay, 6)) dates.push_back(qv::BahaiFromDayNumber(day));
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::BahaiToDayNumber(dates[i]));
    i = (i + 1) % kSamples;
  }
}
BENCHMARK(BahaiToDayNumberCached);

}  // namespace

BENCHMARK_MAIN();
