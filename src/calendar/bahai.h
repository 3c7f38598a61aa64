#pragma once
// The Badíʿ (Bahá'í) calendar: years of the Bahá'í Era (BE) from Naw-Rúz 1 BE = 21 March 1844,
// each of 19 months of 19 days (Bahá … Mulk, then ʿAláʾ, the month of the Fast) with the
// intercalary days of Ayyám-i-Há, four or five, between the 18th month and the 19th.
//
// Naw-Rúz, the first day of the year:
//  - before 172 BE, 21 March (the practice in the West until the calendar's common
//    implementation);
//  - from 172 BE (2015), the day on which the March equinox occurs as reckoned at Tehran, the day
//    running from sunset to sunset (the Universal House of Justice, letter of 10 July 2014;
//    Bahá'u'lláh, Kitáb-i-Aqdas, Questions and Answers 35: "even should this occur no more than one
//    minute before sunset"). A day of the calendar is named by the Gregorian day whose daylight
//    it holds, so Naw-Rúz is the Gregorian day before whose sunset at Tehran the equinox falls.
//
// Months are numbered by their place in the year: 1 … 18 Bahá … Mulk, 19 Ayyám-i-Há, 20 ʿAláʾ
// (the text layer writes Ayyám-i-Há as month 0 and ʿAláʾ as 19, as the computational references do).
//
// Range: 1 BE to 357 BE (21 March 1844 to the eve of Naw-Rúz 2201). The equinox comes from the
// same sun as the lunisolar calendars and is trusted to the same year, 2200.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

inline constexpr int32_t kBahaiFirstYear = 1;
inline constexpr int32_t kBahaiFirstAstronomicalYear = 172;  // Naw-Rúz at the Tehran equinox from here
inline constexpr int32_t kBahaiLastYear = 357;
inline constexpr int32_t kBahaiFirstDay = 2394647;  // 21 March 1844, Naw-Rúz 1 BE
inline constexpr int32_t kBahaiLastDay = 2525037;   // 20 March 2201, the eve of Naw-Rúz 358 BE
inline constexpr int16_t kAyyamIHa = 19;           // the place of the intercalary days

// Tehran, the point of reference for the equinox: 35°41′ N, 51°25′ E.
inline constexpr double kTehranLatitude = 35.0 + 41.0 / 60.0;
inline constexpr double kTehranLongitude = 51.0 + 25.0 / 60.0;

// Naw-Rúz of a year (clamped to 1 … 358, the year after the last given for its end), cached
// after its first use; and the same reckoned afresh from the equinox, for the benchmark and tests.
int32_t BahaiNawRuz(int32_t year);
int32_t ReckonNawRuz(int32_t year);

CalendarDate BahaiFromDayNumber(int32_t day_number);  // day numbers clamped to the range
int64_t BahaiToDayNumber(const CalendarDate& date);
int16_t BahaiMonthsInYear(int32_t year);                // 20 places
int16_t BahaiDaysInMonth(int32_t year, int16_t place);  // 19, or 4 … 5 for Ayyám-i-Há; 0 outside
int64_t BahaiMonthIndex(int32_t year, int16_t place);
CalendarDate BahaiMonthFromIndex(int64_t index);

}  // namespace qv
