#include "calendar/day_numbers.h"

#include "calendar/calendar_library.h"
#include "calendar/civil.h"

namespace qv {

int32_t DateToDayNumber(DateFields& date) { return euro_date_to_jdn(date); }

bool DateToDayNumberChecked(DateFields& date) {
  const int64_t day_number = civil::ToDayNumber(date.Year, date.Month, date.Day, IsJulianLetter(date.Calendar));
  if (!civil::FitsInt32(day_number)) return false;
  date.DayNumber = static_cast<int32_t>(day_number);
  return true;
}

void DayNumberToDate(DateFields& date) { jdn_to_euro_date(date); }

void DayNumberToCalendarDate(DateFields& date) {
  if (date.Calendar == kLetterAnnusNovus) {
    jdn_to_annus_novus_date(date);
  } else {
    jdn_to_euro_date(date);
  }
}

int16_t DayOfWeek(int32_t day_number) { return static_cast<int16_t>(civil::DayOfWeek(day_number)); }

bool IsWorkingDay(int32_t day_number) { return civil::IsWorkingDay(day_number); }

int16_t DayOfYear(DateFields& date) {
  DateToDayNumber(date);
  const int64_t first = civil::ToDayNumber(date.Year, 1, 1, IsJulianLetter(date.Calendar));
  return static_cast<int16_t>(civil::ToDayNumber(date.Year, date.Month, date.Day, IsJulianLetter(date.Calendar)) -
                              first + 1);
}

int16_t DaysInYear(int64_t year) { return civil::IsGregorianLeap(year) ? 366 : 365; }

void YearsMonthsDaysBetween(const DateFields& earlier, const DateFields& later, int32_t& years, int16_t& months,
                            int16_t& days, int32_t& error) {
  error = 0;
  int64_t y = int64_t{later.Year} - earlier.Year;
  if (later.Month < earlier.Month || (later.Month == earlier.Month && later.Day < earlier.Day)) --y;
  int64_t m = int64_t{later.Month} - earlier.Month;
  if (later.Day < earlier.Day) --m;
  if (m < 0) m += 12;
  int64_t d = int64_t{later.Day} - earlier.Day;
  // Borrow the days of the month before the later date's month. When the earlier day is
  // larger than that month (31 January to early March), borrow the month before that too,
  // so that the parts always add up to the span.
  DateFields borrowed = later;
  borrowed.Day = 1;
  for (int i = 0; i < 2 && d < 0; ++i) {
    if (borrowed.Month == 1) {
      borrowed.Month = 12;
      --borrowed.Year;
    } else {
      --borrowed.Month;
    }
    d += DaysInMonth(borrowed, error);
    if (i == 1) {
      if (--m < 0) {
        m += 12;
        --y;
      }
    }
  }
  const bool fits = civil::FitsInt32(y);
  if (!fits || d < 0) error = 1;
  years = fits ? static_cast<int32_t>(y) : 0;
  months = static_cast<int16_t>(m);
  days = static_cast<int16_t>(d);
}

}  // namespace qv
