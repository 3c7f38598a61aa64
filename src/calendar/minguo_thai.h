#pragma once
// Two calendars that keep the Gregorian months and number their years from another epoch.
//
// Minguo (the calendar of the Republic of China, in use in Taiwan): year 1 is 1912, the year the
// Republic was founded and took up the Gregorian calendar on 1 January; year = CE year − 1911.
// Days before 1 January 1912 are not converted.
//
// Thai solar calendar: the Buddhist Era, year = CE year + 543 once the year begins on 1 January.
// King Chulalongkorn's solar calendar began its years on 1 April from 1 April 1889 (Rattanakosin
// Era 108, Buddhist Era 2432); the Calendar Year Act of B.E. 2483 (Royal Gazette, 1940) moved New
// Year to 1 January from 1941 on. So B.E. 2432 … 2482 ran from 1 April to 31 March, January to
// March belonging to the year before; B.E. 2483 ran from 1 April to 31 December 1940, nine months;
// 1 January 1941 began B.E. 2484. Days before 1 April 1889 are not converted.
//
// Month numbers are the Gregorian ones (January = 1); an added calendar's row counts the months of
// a year by their place in it, so a Thai year of 1889 … 1940 has April in place 1 and March in
// place 12. ThaiMonthOfPlace and ThaiPlaceOfMonth turn one into the other.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

inline constexpr int32_t kMinguoYearZero = 1911;         // CE year of Minguo year 0
inline constexpr int32_t kMinguoFirstDay = 2419403;      // 1 January 1912 CE, Minguo 1
inline constexpr int32_t kBuddhistEraOffset = 543;       // B.E. year − CE year from 1941 on
inline constexpr int32_t kThaiFirstDay = 2411094;        // 1 April 1889 CE, B.E. 2432
inline constexpr int32_t kThaiFirstJanuaryYear = 2484;   // 1941 CE, the first year to begin on 1 January
inline constexpr int32_t kThaiShortYear = 2483;          // 1 April … 31 December 1940

// Minguo: year, month, day. The To function takes any date, valid or not (day 0 is the day before
// the month); far beyond the 32-bit years it saturates.
CalendarDate MinguoFromDayNumber(int32_t day_number);
int64_t MinguoToDayNumber(const CalendarDate& date);
int16_t MinguoMonthsInYear(int32_t year);
int16_t MinguoDaysInMonth(int32_t year, int16_t month);  // 0 for a month the year does not have
int64_t MinguoMonthIndex(int32_t year, int16_t month);   // months mode: months since January of year 1
CalendarDate MinguoMonthFromIndex(int64_t index);

// Thai solar: B.E. year, the month's place in the year, day. Years before 2432 are counted as the
// years of 1889 … 1940 were (1 April to 31 March), outside the calendar's range.
CalendarDate ThaiFromDayNumber(int32_t day_number);
int64_t ThaiToDayNumber(const CalendarDate& date);
int16_t ThaiMonthsInYear(int32_t year);                // 12; 9 for B.E. 2483
int16_t ThaiDaysInMonth(int32_t year, int16_t place);  // 0 for a place the year does not have
// Months mode: the Gregorian months counted from January of 1 CE, and back (day 1).
int64_t ThaiMonthIndex(int32_t year, int16_t place);
CalendarDate ThaiMonthFromIndex(int64_t index);
// The Gregorian month (1 … 12) of a place of year `year`, and back; 0 when the year has none.
int16_t ThaiMonthOfPlace(int32_t year, int16_t place);
int16_t ThaiPlaceOfMonth(int32_t year, int16_t month);

}  // namespace qv
