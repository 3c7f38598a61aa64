#include "calendar/mayan.h"

#include "calendar/civil.h"

namespace qv {
namespace {

inline constexpr uint64_t kBaktunDays = 144'000;  // 20 katun of 20 tun of 18 uinal of 20 kin
// Day numbers move up by whole baktuns to non-negative values, by a number of them that is also
// whole tzolkins (260 days: 13 baktuns) and whole haabs (365 days: 73 baktuns), so that every
// remainder below is an unsigned one: 16 × 13 × 73 baktuns, 2,186,496,000 days > 2^31 + 584,283.
inline constexpr uint64_t kShiftBaktuns = 15'184;
inline constexpr uint64_t kShiftDays = kShiftBaktuns * kBaktunDays;
static_assert(kShiftDays % 260 == 0 && kShiftDays % 365 == 0 && kShiftDays > (uint64_t{1} << 31) + kMayanEpoch);

constexpr uint64_t ShiftedDays(int32_t day_number) {
  return static_cast<uint64_t>(int64_t{day_number} - kMayanEpoch + static_cast<int64_t>(kShiftDays));  // [3.8e7, 4.4e9]
}

static_assert(civil::GregorianToDayNumber(-3113, 8, 11) == kMayanEpoch);
static_assert(kMayanEpoch + 13 * int64_t{kBaktunDays} == civil::GregorianToDayNumber(2012, 12, 21), "13.0.0.0.0");

}  // namespace

LongCount LongCountFromDayNumber(int32_t day_number) {
  const uint64_t n = ShiftedDays(day_number);
  const uint64_t in_baktun = n % kBaktunDays;                                     // [0, 143999]
  return {static_cast<int32_t>(static_cast<int64_t>(n / kBaktunDays) - static_cast<int64_t>(kShiftBaktuns)),
          static_cast<int16_t>(in_baktun / 7'200), static_cast<int16_t>(in_baktun % 7'200 / 360),
          static_cast<int16_t>(in_baktun % 360 / 20), static_cast<int16_t>(in_baktun % 20)};
}

int64_t LongCountToDayNumber(const LongCount& count) {
  return kMayanEpoch + int64_t{count.baktun} * 144'000 + int64_t{count.katun} * 7'200 + int64_t{count.tun} * 360 +
         int64_t{count.uinal} * 20 + count.kin;
}

// 0.0.0.0.0 is 4 Ahau: number 4 of 13, name 20 of 20.
Tzolkin TzolkinOf(int32_t day_number) {
  const uint64_t n = ShiftedDays(day_number);
  return {static_cast<int16_t>((n + 3) % 13 + 1), static_cast<int16_t>((n + 19) % 20 + 1)};
}

// 0.0.0.0.0 is 8 Cumku, day 8 of the 18th month: day 17 × 20 + 8 = 348 of the 365.
Haab HaabOf(int32_t day_number) {
  const uint64_t in_year = (ShiftedDays(day_number) + 348) % 365;                 // [0, 364]
  return {static_cast<int16_t>(in_year % 20), static_cast<int16_t>(in_year / 20 + 1)};
}

}  // namespace qv
