#pragma once
// One date of the Common Era (proleptic Gregorian) or Julian calendar with its day number.
// This is the record that crosses the calendar library boundary.
#include <cstdint>

namespace qv {

// Character codes stored in DateFields::Calendar.
inline constexpr int32_t kLetterGregorian = 'G';
inline constexpr int32_t kLetterJulian = 'J';
inline constexpr int32_t kLetterAnnusNovus = 'A';
inline constexpr int32_t kLetterIso = 'I';
inline constexpr int32_t kLetterTarvell = 'T';  // general leap-week code; no reachable feature uses it
inline constexpr int32_t kLetterArc = 'R';

// 'J' marks a Julian record; any other letter counts as Common Era in the day-number rules.
constexpr bool IsJulianLetter(int32_t letter) { return letter == kLetterJulian; }

struct DateFields {
  int32_t Year = 0;       // astronomical numbering: year 0 is 1 BC
  int32_t Month = 0;      // 1 = January … 12 = December
  int32_t Day = 0;        // day of the month from 1
  int32_t Calendar = 0;   // character code of the calendar letter; 0 counts as 'G'
  int32_t DayNumber = 0;  // chronological Julian day number
  int32_t Reserved = 0;   // always zero, never read

  friend bool operator==(const DateFields&, const DateFields&) = default;
};

}  // namespace qv
