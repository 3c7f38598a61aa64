#pragma once
// The Japanese calendar since 1 January 1873: the Gregorian months and days, the year counted in
// the era of the reigning emperor. Japan took up the Gregorian calendar by the Dajōkan decree of
// Meiji 5 (1872), No. 337: the day after 2 December Meiji 5 of the old lunisolar calendar became
// 1 January Meiji 6. Each later era begins on the day its proclamation names:
//   Taishō  30 July 1912        (imperial rescript on the change of era, 30 July 1912)
//   Shōwa   25 December 1926    (imperial rescript on the change of era, 25 December 1926)
//   Heisei  8 January 1989      (Cabinet Order on the change of era, Shōwa 64 Cabinet Order No. 1)
//   Reiwa   1 May 2019          (Cabinet Order on the change of era, Heisei 31 Cabinet Order No. 143)
// Year 1 of an era is the rest of the Gregorian year in which it begins; the next Gregorian year
// is year 2. Dates before 1873 (the lunisolar calendar, and Meiji 1 … 5) are not converted.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

enum class JapaneseEra : int16_t { Meiji = 1, Taisho = 2, Showa = 3, Heisei = 4, Reiwa = 5 };
inline constexpr int16_t kJapaneseEraCount = 5;

// A date of the Japanese calendar: era, year of the era (1 = its first year), month, day.
struct JapaneseDate {
  JapaneseEra era = JapaneseEra::Reiwa;
  int32_t year = 0;
  int16_t month = 0;
  int16_t day = 0;
  friend constexpr bool operator==(const JapaneseDate&, const JapaneseDate&) = default;
};

inline constexpr int32_t kJapaneseFirstDay = 2405160;  // 1 January Meiji 6 = 1 January 1873 CE

// The day number of the first day of `era`; the Gregorian year in which the era's year 1 lies.
int32_t JapaneseEraFirstDay(JapaneseEra era);
int32_t JapaneseEraFirstYear(JapaneseEra era);

// For day numbers from kJapaneseFirstDay on (an earlier day gives the Meiji year of its Gregorian date).
JapaneseDate JapaneseFromDayNumber(int32_t day_number);
// Any date, valid or not (day 0 is the day before the month): the Gregorian date of the era's
// year, within ±2^40. Whether the date exists is IsJapaneseDate's to say.
int64_t JapaneseToDayNumber(const JapaneseDate& date);
// Whether the date exists: an era of the table, a Gregorian month and day, and the day within its
// era (from its first day to the day before the next era's) and not before 1 January 1873.
bool IsJapaneseDate(const JapaneseDate& date);

}  // namespace qv
