// Nanoseconds per conversion between day numbers and every calendar form, with libstdc++'s
// std::chrono::year_month_day <-> std::chrono::sys_days beside ours on the same days.
//
// Each benchmark walks an array of precomputed inputs, so one iteration is kInputs
// conversions and items/s is conversions per second. Three ranges of day numbers:
//   mid  - within about 2,700 years of 1 January 2000 CE (day number 2,451,545)
//   low  - just above -2,100,000,000, the smallest day number a text may give
//   high - just below  2,100,000,000, the largest
// std::chrono years stop at +-32767, so chrono runs at mid only.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calendar/calendar_date.h"
#include "calendar/civil.h"
#include "calendar/coptic_ethiopian.h"
#include "calendar/date_fields.h"
#include "calendar/day_numbers.h"
#include "calendar/french_republican.h"
#include "calendar/hebrew.h"
#include "calendar/indian_national.h"
#include "calendar/islamic.h"
#include "calendar/japanese.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "calendar/mayan.h"
#include "calendar/minguo_thai.h"
#include "calendar/persian.h"
#include "calendar/revised_julian.h"

namespace {

constexpr std::size_t kInputs = 1024;  // 24 KiB of DateFields: inputs stay in the L1 cache for both sides
constexpr int32_t kSpread = 1'000'000;            // days either side of the centre
constexpr int32_t kUnixEpochDayNumber = 2440588;  // 1970-01-01, the epoch of sys_days

enum class Range { Mid, Low, High };

const char* RangeName(Range range) {
  switch (range) {
    case Range::Mid: return "mid";
    case Range::Low: return "low";
    case Range::High: return "high";
  }
  return "?";
}

// The same pseudo-random day numbers on every run, so that ours and chrono see equal inputs.
std::vector<int32_t> DayNumbers(Range range) {
  int32_t first = 0;
  int32_t last = 0;
  switch (range) {
    case Range::Mid:
      first = qv::kDayNumberOf1Jan2000CE - kSpread;
      last = qv::kDayNumberOf1Jan2000CE + kSpread;
      break;
    case Range::Low:
      first = -2'100'000'000;
      last = -2'100'000'000 + 2 * kSpread;
      break;
    case Range::High:
      first = 2'100'000'000 - 2 * kSpread;
      last = 2'100'000'000;
      break;
  }
  std::mt19937 generator(20000101u);
  std::uniform_int_distribution<int32_t> pick(first, last);
  std::vector<int32_t> days(kInputs);
  for (auto& day : days) day = pick(generator);
  return days;
}

void CountItems(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kInputs));
}

// --- Common Era and Julian calendar ----------------------------------------------------------

void ToCalendarOurs(benchmark::State& state, Range range, int32_t letter) {
  const std::vector<int32_t> days = DayNumbers(range);
  for (auto _ : state) {
    for (const int32_t day : days) {
      qv::DateFields date;
      date.Calendar = letter;
      date.DayNumber = day;
      qv::DayNumberToDate(date);
      benchmark::DoNotOptimize(date);
    }
  }
  CountItems(state);
}

void FromCalendarOurs(benchmark::State& state, Range range, int32_t letter) {
  std::vector<qv::DateFields> dates;
  for (const int32_t day : DayNumbers(range)) {
    qv::DateFields date;
    date.Calendar = letter;
    date.DayNumber = day;
    qv::DayNumberToDate(date);
    date.DayNumber = 0;
    dates.push_back(date);
  }
  for (auto _ : state) {
    for (qv::DateFields date : dates) {
      benchmark::DoNotOptimize(qv::DateToDayNumber(date));
    }
  }
  CountItems(state);
}

void ToCeChrono(benchmark::State& state) {
  const std::vector<int32_t> days = DayNumbers(Range::Mid);
  for (auto _ : state) {
    for (const int32_t day : days) {
      const std::chrono::sys_days point{std::chrono::days{day - kUnixEpochDayNumber}};
      std::chrono::year_month_day date{point};
      benchmark::DoNotOptimize(date);
    }
  }
  CountItems(state);
}

void FromCeChrono(benchmark::State& state) {
  std::vector<std::chrono::year_month_day> dates;
  for (const int32_t day : DayNumbers(Range::Mid)) {
    dates.emplace_back(std::chrono::sys_days{std::chrono::days{day - kUnixEpochDayNumber}});
  }
  for (auto _ : state) {
    for (const auto& date : dates) {
      const auto day = std::chrono::sys_days{date}.time_since_epoch().count() + kUnixEpochDayNumber;
      benchmark::DoNotOptimize(day);
    }
  }
  CountItems(state);
}

// The bare Gregorian kernel (civil.h), without what the library record adds: the choice of
// calendar by letter and the saturation of far dates to the 32-bit day numbers. This is the
// like-for-like comparison with chrono, which does neither (its years stop at ±32767).
void ToCeKernel(benchmark::State& state, Range range) {
  const std::vector<int32_t> days = DayNumbers(range);
  for (auto _ : state) {
    for (const int32_t day : days) {
      const qv::civil::YearMonthDay date = qv::civil::DayNumberToGregorian(day);
      benchmark::DoNotOptimize(date);
    }
  }
  CountItems(state);
}

void FromCeKernel(benchmark::State& state, Range range) {
  std::vector<qv::civil::YearMonthDay> dates;
  for (const int32_t day : DayNumbers(range)) dates.push_back(qv::civil::DayNumberToGregorian(day));
  for (auto _ : state) {
    for (const auto& date : dates) {
      benchmark::DoNotOptimize(qv::civil::GregorianToDayNumber(static_cast<int32_t>(date.year), date.month, date.day));
    }
  }
  CountItems(state);
}

// --- ISO week date and the leap-week calendar's two forms --------------------------------------
// One shape for every record: fill it from day numbers, or turn records back into day numbers.

// The conversions are template arguments, so that they inline as in the CE and JC cases.
template <typename Record, void (*Fill)(Record&)>
void ToForm(benchmark::State& state, Range range) {
  const std::vector<int32_t> days = DayNumbers(range);
  for (auto _ : state) {
    for (const int32_t day : days) {
      Record date;
      date.DayNumber = day;
      Fill(date);
      benchmark::DoNotOptimize(date);
    }
  }
  CountItems(state);
}

// `Make` builds an input record from a day number (without the day number itself); `Back`
// computes the day number again.
template <typename Record, Record (*Make)(int32_t), bool (*Back)(Record&)>
void FromForm(benchmark::State& state, Range range) {
  std::vector<Record> dates;
  for (const int32_t day : DayNumbers(range)) dates.push_back(Make(day));
  for (auto _ : state) {
    for (Record date : dates) {
      benchmark::DoNotOptimize(Back(date));
      benchmark::DoNotOptimize(date.DayNumber);
    }
  }
  CountItems(state);
}

qv::IsoWeekDate IsoInput(int32_t day) {
  qv::IsoWeekDate date;
  date.DayNumber = day;
  qv::DayNumberToIsoWeekDate(date);
  date.DayNumber = 0;
  return date;
}

qv::LeapWeekDate LeapWeekInput(int32_t day) {
  qv::LeapWeekDate date;
  date.DayNumber = day;
  qv::DayNumberToLeapWeekDate(date);
  date.DayNumber = 0;
  return date;
}

// Only the month form goes in: year, month and day of month.
qv::LeapWeekDate LeapMonthInput(int32_t day) {
  qv::LeapWeekDate month_form;
  month_form.DayNumber = day;
  qv::DayNumberToLeapMonthDate(month_form);
  qv::LeapWeekDate date;
  date.Year = month_form.Year;
  date.Month = month_form.Month;
  date.DayOfMonth = month_form.DayOfMonth;
  return date;
}

bool IsoBack(qv::IsoWeekDate& date) {
  qv::IsoWeekDateToDayNumber(date);
  return true;
}

// --- The added calendars --------------------------------------------------------------------------
// Day number to date (To…) and date to day number (From…), as for the forms above.

template <typename Date, Date (*FromDayNumber)(int32_t)>
void ToAdded(benchmark::State& state, Range range) {
  const std::vector<int32_t> days = DayNumbers(range);
  for (auto _ : state) {
    for (const int32_t day : days) {
      const Date date = FromDayNumber(day);
      benchmark::DoNotOptimize(date);
    }
  }
  CountItems(state);
}

template <typename Date, Date (*FromDayNumber)(int32_t), int64_t (*ToDayNumber)(const Date&)>
void FromAdded(benchmark::State& state, Range range) {
  std::vector<Date> dates;
  for (const int32_t day : DayNumbers(range)) dates.push_back(FromDayNumber(day));
  for (auto _ : state) {
    for (const Date& date : dates) benchmark::DoNotOptimize(ToDayNumber(date));
  }
  CountItems(state);
}

struct AddedCalendar {
  const char* name;
  void (*to)(benchmark::State&, Range);
  void (*from)(benchmark::State&, Range);
};

template <qv::CalendarDate (*FromDayNumber)(int32_t), int64_t (*ToDayNumber)(const qv::CalendarDate&)>
constexpr AddedCalendar Added(const char* name) {
  return {name, ToAdded<qv::CalendarDate, FromDayNumber>, FromAdded<qv::CalendarDate, FromDayNumber, ToDayNumber>};
}

const AddedCalendar kAddedCalendars[] = {
    Added<qv::HebrewFromDayNumber, qv::HebrewToDayNumber>("Hebrew"),
    Added<qv::IslamicFromDayNumber, qv::IslamicToDayNumber>("Islamic"),
    Added<qv::PersianFromDayNumber, qv::PersianToDayNumber>("Persian"),
    Added<qv::FrenchRepublicanFromDayNumber, qv::FrenchRepublicanToDayNumber>("FrenchRepublican"),
    Added<qv::CopticFromDayNumber, qv::CopticToDayNumber>("Coptic"),
    Added<qv::EthiopianFromDayNumber, qv::EthiopianToDayNumber>("Ethiopian"),
    Added<qv::IndianNationalFromDayNumber, qv::IndianNationalToDayNumber>("IndianNational"),
    {"MayanLongCount", ToAdded<qv::LongCount, qv::LongCountFromDayNumber>,
     FromAdded<qv::LongCount, qv::LongCountFromDayNumber, qv::LongCountToDayNumber>},
    // The era calendars: the Japanese era found among five, Minguo and Thai years as offsets (the
    // Thai ones that began in April too), the Revised Julian 900-year cycles. Their low ranges lie
    // before the calendars' first days, which the functions still answer.
    {"Japanese", ToAdded<qv::JapaneseDate, qv::JapaneseFromDayNumber>,
     FromAdded<qv::JapaneseDate, qv::JapaneseFromDayNumber, qv::JapaneseToDayNumber>},
    Added<qv::MinguoFromDayNumber, qv::MinguoToDayNumber>("Minguo"),
    Added<qv::ThaiFromDayNumber, qv::ThaiToDayNumber>("ThaiSolar"),
    Added<qv::RevisedJulianFromDayNumber, qv::RevisedJulianToDayNumber>("RevisedJulian"),
};

// Registered in this order so that each "ours" line sits right above its "chrono" line.
void RegisterAll() {
  constexpr std::array<Range, 3> kRanges{Range::Mid, Range::Low, Range::High};
  const auto name = [](const char* family, const char* who, Range range) {
    return std::string(family) + "/" + who + "/" + RangeName(range);
  };
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_ToCE", "ours", range).c_str(), ToCalendarOurs, range,
                                 qv::kLetterGregorian);
    if (range == Range::Mid) benchmark::RegisterBenchmark(name("BM_ToCE", "chrono", range).c_str(), ToCeChrono);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_FromCE", "ours", range).c_str(), FromCalendarOurs, range,
                                 qv::kLetterGregorian);
    if (range == Range::Mid) {
      benchmark::RegisterBenchmark(name("BM_FromCE", "chrono", range).c_str(), FromCeChrono);
    }
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_ToCEkern", "ours", range).c_str(), ToCeKernel, range);
    if (range == Range::Mid) benchmark::RegisterBenchmark(name("BM_ToCEkern", "chrono", range).c_str(), ToCeChrono);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_FromCEkern", "ours", range).c_str(), FromCeKernel, range);
    if (range == Range::Mid) {
      benchmark::RegisterBenchmark(name("BM_FromCEkern", "chrono", range).c_str(), FromCeChrono);
    }
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_ToJC", "ours", range).c_str(), ToCalendarOurs, range, qv::kLetterJulian);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_FromJC", "ours", range).c_str(), FromCalendarOurs, range,
                                 qv::kLetterJulian);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_ToISO", "ours", range).c_str(), ToForm<qv::IsoWeekDate, &qv::DayNumberToIsoWeekDate>, range);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_FromISO", "ours", range).c_str(), FromForm<qv::IsoWeekDate, &IsoInput, &IsoBack>, range);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_ToLPW", "ours", range).c_str(), ToForm<qv::LeapWeekDate, &qv::DayNumberToLeapWeekDate>, range);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_FromLPW", "ours", range).c_str(), FromForm<qv::LeapWeekDate, &LeapWeekInput, &qv::LeapWeekDateToDayNumber>, range);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_ToLPM", "ours", range).c_str(), ToForm<qv::LeapWeekDate, &qv::DayNumberToLeapMonthDate>, range);
  }
  for (const Range range : kRanges) {
    benchmark::RegisterBenchmark(name("BM_FromLPM", "ours", range).c_str(), FromForm<qv::LeapWeekDate, &LeapMonthInput, &qv::LeapMonthDateToDayNumber>, range);
  }
  for (const AddedCalendar& calendar : kAddedCalendars) {
    for (const Range range : kRanges) {
      benchmark::RegisterBenchmark(name((std::string("BM_To") + calendar.name).c_str(), "ours", range).c_str(), calendar.to, range);
    }
    for (const Range range : kRanges) {
      benchmark::RegisterBenchmark(name((std::string("BM_From") + calendar.name).c_str(), "ours", range).c_str(), calendar.from, range);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
