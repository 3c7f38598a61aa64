#pragma once
// The Chinese lunisolar calendar (农历) by the rules of the national standard GB/T 33661-2017
// "Calculation and promulgation of the Chinese calendar", and the Korean (Dangi) and Vietnamese
// calendars: the same rules, reckoned at the meridian each country keeps its time by.
//
// The rules:
//  - a month begins on the day (midnight to midnight, at the reckoning's meridian) that holds
//    the instant of the astronomical new moon, and lasts until the next such day (29 or 30 days);
//  - the month that holds the December solstice (winter solstice, the sun at 270°) is the 11th;
//  - a suì, from one 11th month to the next, has 12 or 13 months; in one of 13, the first month
//    that holds no major solar term (中气, the sun at a multiple of 30°) is the leap month and takes
//    the number of the month before it;
//  - the year begins with the 1st month, the second (or, after a leap 11th or 12th month, the
//    third) month after the 11th.
//
// The meridians:
//  - China: 120° E (UTC+8) from 1929; before, Beijing's local time, 116°25′ E (GB/T 33661-2017);
//  - Korea: 127°30′ E (UTC+8:30, the Korean Empire's standard time of 1908, and Seoul's own
//    time before it within two minutes) until 1911; 135° E (UTC+9) from 1 January 1912 (the
//    Government-General's change to Japan's time); 127°30′ E again from 21 March 1954 (the
//    restoration under President Rhee); 135° E from 10 August 1961 (the Act on Standard Time of
//    7 August 1961);
//  - Vietnam: 120° E (UTC+8) until 1967; 105° E (UTC+7) from 1968, the first year of the
//    calendar compiled for Vietnam's own zone by the decree of 8 August 1967 of the Government of
//    the Democratic Republic of Vietnam (so Tết 1968 fell on 29 January in the North).
//
// Years are numbered by the Gregorian year in which they begin. Months are numbered by their
// place in the year (1 … 12, or 1 … 13 in a leap year): the leap month is the place after the
// month it repeats, and `XLeapMonth` names that place.
//
// Range: the years 1645 to 2200. The rules of true solar terms and true new moons came into force
// with the Shíxiàn calendar of 1645; before it the months were reckoned by other rules, so an
// earlier date would be a proleptic guess. After 2200 the uncertainty of ΔT (the slowing of the
// Earth's rotation, which cannot be predicted) reaches several minutes, enough to move a new moon
// across midnight now and then; a month start given then would be a guess, not the calendar.
//
// Each year is reckoned from the sun and moon on its first use and kept, so later conversions
// are table look-ups. The cache is filled under a lock and read without one.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

enum class Lunisolar : uint8_t { China, Korea, Vietnam };

inline constexpr int32_t kLunisolarFirstYear = 1645;
inline constexpr int32_t kLunisolarLastYear = 2200;

// The shape of one lunisolar year.
struct LunisolarYear {
  int32_t new_year = 0;       // day number of the 1st day of the 1st month
  int32_t next_new_year = 0;  // day number of the next year's 1st day
  int64_t first_lunation = 0; // lunation number (Meeus's count) of the 1st month
  int16_t months = 0;         // 12 or 13
  int16_t leap_place = 0;     // place (2 … 13) of the leap month, 0 when there is none
  uint16_t long_months = 0;   // bit p − 1 set when the month at place p has 30 days
};

// The year `year` (clamped to the range) of a reckoning; reckoned on its first use.
const LunisolarYear& LunisolarYearOf(Lunisolar reckoning, int32_t year);

// The work of a year's first use, done afresh and not kept: both suì the year spans reckoned
// from the sun and moon. For the benchmark of first use and for tests.
LunisolarYear ReckonLunisolarYear(Lunisolar reckoning, int32_t year);

// The day number of the 1st day of `year` in a reckoning (the year clamped to the range).
int32_t LunisolarNewYear(Lunisolar reckoning, int32_t year);

// Conversions of the reckonings, day numbers clamped to the range (the callers refuse what lies
// outside it before asking).
CalendarDate LunisolarFromDayNumber(Lunisolar reckoning, int32_t day_number);
int64_t LunisolarToDayNumber(Lunisolar reckoning, const CalendarDate& date);
int16_t LunisolarMonthsInYear(Lunisolar reckoning, int32_t year);
int16_t LunisolarDaysInMonth(Lunisolar reckoning, int32_t year, int16_t place);
int16_t LunisolarLeapMonth(Lunisolar reckoning, int32_t year);
int64_t LunisolarMonthIndex(Lunisolar reckoning, int32_t year, int16_t place);
CalendarDate LunisolarMonthFromIndex(Lunisolar reckoning, int64_t index);

// The month number (1 … 12) a place of a year carries, and whether it is the leap month.
struct LunisolarMonthName {
  int16_t number = 0;
  bool leap = false;
};
LunisolarMonthName LunisolarMonthNameOf(Lunisolar reckoning, int32_t year, int16_t place);

// The first and last day numbers of the range: New Year 1645 and the eve of New Year 2201 (the
// last day of the year 2200), each in its reckoning. Checked against the reckoning in the tests.
inline constexpr int32_t kChineseFirstDay = 2321912;     // 28 January 1645
inline constexpr int32_t kChineseLastDay = 2524992;      // 3 February 2201
inline constexpr int32_t kKoreanFirstDay = 2321912;      // 28 January 1645
inline constexpr int32_t kKoreanLastDay = 2524992;       // 3 February 2201
inline constexpr int32_t kVietnameseFirstDay = 2321912;  // 28 January 1645
inline constexpr int32_t kVietnameseLastDay = 2524992;   // 3 February 2201

// The row functions of each reckoning.
CalendarDate ChineseFromDayNumber(int32_t day_number);
int64_t ChineseToDayNumber(const CalendarDate& date);
int16_t ChineseMonthsInYear(int32_t year);
int16_t ChineseDaysInMonth(int32_t year, int16_t place);
int64_t ChineseMonthIndex(int32_t year, int16_t place);
CalendarDate ChineseMonthFromIndex(int64_t index);
int16_t ChineseLeapMonth(int32_t year);

CalendarDate KoreanFromDayNumber(int32_t day_number);
int64_t KoreanToDayNumber(const CalendarDate& date);
int16_t KoreanMonthsInYear(int32_t year);
int16_t KoreanDaysInMonth(int32_t year, int16_t place);
int64_t KoreanMonthIndex(int32_t year, int16_t place);
CalendarDate KoreanMonthFromIndex(int64_t index);
int16_t KoreanLeapMonth(int32_t year);

CalendarDate VietnameseFromDayNumber(int32_t day_number);
int64_t VietnameseToDayNumber(const CalendarDate& date);
int16_t VietnameseMonthsInYear(int32_t year);
int16_t VietnameseDaysInMonth(int32_t year, int16_t place);
int64_t VietnameseMonthIndex(int32_t year, int16_t place);
CalendarDate VietnameseMonthFromIndex(int64_t index);
int16_t VietnameseLeapMonth(int32_t year);

}  // namespace qv
