#pragma once
// The Coptic calendar (years of the Martyrs) and the Ethiopian calendar (Amete Mihret): one rule,
// two epochs. Twelve months of 30 days and a thirteenth of 5 days, 6 when the year is 3 more
// than a multiple of 4.
#include <cstdint>

#include "calendar/calendar_date.h"

namespace qv {

inline constexpr int32_t kCopticEpoch = 1825030;     // 1 Thout 1 = 29 August 284 JC
inline constexpr int32_t kEthiopianEpoch = 1724221;  // 1 Meskerem 1 = 29 August 8 JC

// The date need not be valid in the To functions (day 0 is the day before the month); any 32-bit year.
CalendarDate CopticFromDayNumber(int32_t day_number);
int64_t CopticToDayNumber(const CalendarDate& date);
bool IsCopticLeapYear(int32_t year);
int16_t CopticMonthsInYear(int32_t year);
int16_t CopticDaysInMonth(int32_t year, int16_t month);  // 0 for a month the year does not have
int32_t CopticDaysInYear(int32_t year);
int64_t CopticMonthIndex(int32_t year, int16_t month);   // months since Thout of year 1
CalendarDate CopticMonthFromIndex(int64_t index);

CalendarDate EthiopianFromDayNumber(int32_t day_number);
int64_t EthiopianToDayNumber(const CalendarDate& date);
bool IsEthiopianLeapYear(int32_t year);
int16_t EthiopianMonthsInYear(int32_t year);
int16_t EthiopianDaysInMonth(int32_t year, int16_t month);
int32_t EthiopianDaysInYear(int32_t year);
int64_t EthiopianMonthIndex(int32_t year, int16_t month);  // months since Meskerem of year 1
CalendarDate EthiopianMonthFromIndex(int64_t index);

}  // namespace qv
