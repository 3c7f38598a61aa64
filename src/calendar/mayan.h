#pragma once
// The Maya long count, tzolkin and haab, with the correlation 584,283 (Goodman, Martinez,
// Thompson): long count 0.0.0.0.0 is day number 584283, and 13.0.0.0.0 is 21 December 2012 CE.
#include <cstdint>

namespace qv {

inline constexpr int32_t kMayanEpoch = 584283;  // 0.0.0.0.0, 4 Ahau 8 Cumku (11 August -3113 CE)

// baktun (144,000 days) signed over the whole range; katun (7,200) 0 … 19, tun (360) 0 … 19,
// uinal (20) 0 … 17, kin 0 … 19.
struct LongCount {
  int32_t baktun = 0;
  int16_t katun = 0, tun = 0, uinal = 0, kin = 0;
  friend constexpr bool operator==(const LongCount&, const LongCount&) = default;
};
LongCount LongCountFromDayNumber(int32_t day_number);
// Any values: the places are weighed as they stand, the result lies within ±2^49.
int64_t LongCountToDayNumber(const LongCount& count);

// number 1 … 13, name 1 … 20 (1 = Imix … 20 = Ahau).
struct Tzolkin {
  int16_t number = 0;
  int16_t name = 0;
  friend constexpr bool operator==(const Tzolkin&, const Tzolkin&) = default;
};
// day 0 … 19 (0 … 4 in Uayeb), month 1 … 19 (1 = Pop … 18 = Cumku, 19 = Uayeb).
struct Haab {
  int16_t day = 0;
  int16_t month = 0;
  friend constexpr bool operator==(const Haab&, const Haab&) = default;
};
Tzolkin TzolkinOf(int32_t day_number);
Haab HaabOf(int32_t day_number);

}  // namespace qv
