#pragma once
// Today's date from a clock that tests can set.
#include <cstdint>
#include <functional>

#include "calendar/date_fields.h"

namespace qv {

struct LocalDate {
  int32_t year;
  int32_t month;
  int32_t day;
};

// The source of today's local date. By default it reads the system clock.
using TodaySource = std::function<LocalDate()>;
LocalDate SystemLocalDate();
void SetTodaySource(TodaySource source);  // an empty function restores the system clock

void GetTodayDate(DateFields& date);  // CE date with its DayNumber
int32_t TodayDayNumber();
int16_t TodayDayOfWeek(int16_t calendar_code);

}  // namespace qv
