#include "holidays/easter.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace qv::holidays {
namespace {

// Fixed points of the computus.
static_assert(EasterDaysAfterMarch21(2008) == 2, "23 March 2008");
static_assert(EasterDaysAfterMarch21(2024) == 10, "31 March 2024");
static_assert(EasterDaysAfterMarch21(2025) == 30, "20 April 2025");
static_assert(EasterDaysAfterMarch21(1818) == 1 && EasterDaysAfterMarch21(2285) == 1, "22 March, the earliest");
static_assert(EasterDaysAfterMarch21(1943) == 35 && EasterDaysAfterMarch21(2038) == 35, "25 April, the latest");
static_assert(EasterDaysAfterMarch21(1954) == 28 && EasterDaysAfterMarch21(2049) == 28 && EasterDaysAfterMarch21(1981) == 29,
              "18 April 1954 and 2049 (the exceptions of the computus), 19 April 1981");
static_assert(EasterDaysAfterMarch21(-1) == EasterDaysAfterMarch21(kEasterCycleYears - 1));
static_assert(EasterDateKey(YearClass(2008)) == kYearClasses + 1 && EasterDateKey(YearClass(1943)) == kEasterKeys - 1,
              "23 March the second date, 25 April the last");

constexpr int kBucketShift = 10;  // 1,024 years a bucket: about 20 years of a class in each
constexpr size_t kBuckets = static_cast<size_t>((kEasterCycleYears + (int64_t{1} << kBucketShift) - 1) >> kBucketShift);

struct ClassYears {
  std::vector<uint32_t> years;                   // sorted, within [0, kEasterCycleYears)
  std::array<uint32_t, kBuckets + 1> bucket{};   // index of the first year of each bucket
};

struct Index {
  std::mutex building;
  std::array<std::unique_ptr<const ClassYears>, kEasterKeys> owned;
  std::array<std::atomic<const ClassYears*>, kEasterKeys> ready{};
};

Index& TheIndex() {
  static Index index;
  return index;
}

// One pass over the Easter cycle, century by century: the computus's century terms are worked
// out once for its hundred years, and the golden number steps on instead of being divided out.
void Build(const YearClassSet& wanted, std::array<std::unique_ptr<ClassYears>, kEasterKeys>& out) {
  for (int c = 0; c < kEasterKeys; ++c) {
    if (wanted[static_cast<size_t>(c)]) {
      out[static_cast<size_t>(c)] = std::make_unique<ClassYears>();
      out[static_cast<size_t>(c)]->years.reserve(static_cast<size_t>(kEasterCycleYears / 50));
    }
  }
  for (int64_t century = 0; century < kEasterCycleYears / 100; ++century) {
    const EasterCentury terms = EasterCenturyTerms(century);
    int64_t golden = (century * 100) % 19;
    for (int64_t of_century = 0; of_century < 100; ++of_century) {
      const int64_t year = century * 100 + of_century;
      const int32_t days = EasterDaysInCentury(terms, golden, of_century);
      const auto year_class = static_cast<size_t>((days - 1) * 2 + (civil::IsGregorianLeap(year) ? 1 : 0));
      if (out[year_class]) out[year_class]->years.push_back(static_cast<uint32_t>(year));
      const auto date_key = static_cast<size_t>(kYearClasses + days - 1);
      if (out[date_key]) out[date_key]->years.push_back(static_cast<uint32_t>(year));
      golden = golden == 18 ? 0 : golden + 1;
    }
  }
  for (auto& years : out) {
    if (!years) continue;
    years->years.shrink_to_fit();
    size_t i = 0;
    for (size_t b = 0; b <= kBuckets; ++b) {
      const uint64_t first_year = uint64_t{b} << kBucketShift;
      while (i < years->years.size() && years->years[i] < first_year) ++i;
      years->bucket[b] = static_cast<uint32_t>(i);
    }
  }
}

}  // namespace

void EasterYearIndex::Prepare(const YearClassSet& classes) {
  Index& index = TheIndex();
  YearClassSet missing;
  for (int c = 0; c < kEasterKeys; ++c) {
    if (classes[static_cast<size_t>(c)] && index.ready[static_cast<size_t>(c)].load(std::memory_order_acquire) == nullptr) {
      missing.set(static_cast<size_t>(c));
    }
  }
  if (missing.none()) return;
  std::lock_guard lock(index.building);
  for (int c = 0; c < kEasterKeys; ++c) {  // another thread may have built some meanwhile
    if (index.ready[static_cast<size_t>(c)].load(std::memory_order_acquire) != nullptr) missing.reset(static_cast<size_t>(c));
  }
  if (missing.none()) return;
  std::array<std::unique_ptr<ClassYears>, kEasterKeys> built;
  Build(missing, built);
  for (size_t c = 0; c < built.size(); ++c) {
    if (!built[c]) continue;
    index.owned[c] = std::move(built[c]);
    index.ready[c].store(index.owned[c].get(), std::memory_order_release);
  }
}

int64_t EasterYearIndex::CountBefore(int year_class, int64_t year) {
  const ClassYears* years = TheIndex().ready[static_cast<size_t>(year_class)].load(std::memory_order_acquire);
  const int64_t cycles = year / kEasterCycleYears;
  const auto rest = static_cast<uint32_t>(year % kEasterCycleYears);  // [0, 5,699,999]
  const size_t bucket = rest >> kBucketShift;
  // The first of the bucket's years that is not below `rest`, by halving without branches: the
  // callers' years come in no order a branch predictor could follow. (Every year before `base` is
  // below `rest`; the first that is not lies in [base, base + length].)
  const uint32_t* base = years->years.data() + years->bucket[bucket];
  size_t length = years->bucket[bucket + 1] - years->bucket[bucket];
  if (length > 0) {
    while (length > 1) {
      const size_t half = length / 2;
      base = base[half] < rest ? base + half : base;
      length -= half;
    }
    base += *base < rest ? 1 : 0;
  }
  return cycles * static_cast<int64_t>(years->years.size()) + (base - years->years.data());
}

int64_t EasterYearIndex::CountBeforeStretch(int year_class, int64_t year) {
  const ClassYears* years = TheIndex().ready[static_cast<size_t>(year_class)].load(std::memory_order_acquire);
  const int64_t cycles = year / kEasterCycleYears;
  const auto rest = static_cast<uint32_t>(year % kEasterCycleYears);  // [0, 5,699,999]
  return cycles * static_cast<int64_t>(years->years.size()) + years->bucket[rest >> kBucketShift];
}

size_t EasterYearIndex::BytesBuilt() {
  size_t bytes = 0;
  for (const auto& ready : TheIndex().ready) {
    if (const ClassYears* years = ready.load(std::memory_order_acquire)) {
      bytes += sizeof(ClassYears) + years->years.size() * sizeof(uint32_t);
    }
  }
  return bytes;
}

namespace {

struct Representatives {
  std::array<int32_t, kYearClasses> year{};
  std::array<int, kYearClasses> kind{};
};

const Representatives& TheRepresentatives() {
  static const Representatives representatives = [] {
    Representatives r;
    int found = 0;
    for (int32_t y = 2000; found < kYearClasses; ++y) {
      const auto c = static_cast<size_t>(YearClass(y));
      if (r.year[c] == 0) {
        r.year[c] = y;
        r.kind[c] = YearKind(y);
        ++found;
      }
    }
    return r;
  }();
  return representatives;
}

}  // namespace

int32_t RepresentativeYear(int year_class) { return TheRepresentatives().year[static_cast<size_t>(year_class)]; }
int YearKindOfClass(int year_class) { return TheRepresentatives().kind[static_cast<size_t>(year_class)]; }

int YearKind(int64_t year) {
  const int32_t in_cycle = static_cast<int32_t>(civil::FloorMod(year, 400)) + 2000;  // the same weekdays
  return civil::DaysSinceMonday(civil::GregorianToDayNumber(in_cycle, 1, 1)) * 2 +
         (civil::IsGregorianLeap(in_cycle) ? 1 : 0);
}

}  // namespace qv::holidays
