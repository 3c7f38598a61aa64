#include "calendar/clock.h"

#include <ctime>
#include <utility>

#include "calendar/day_numbers.h"

namespace qv {
namespace {
TodaySource& CurrentSource() {
  static TodaySource source;
  return source;
}
}  // namespace

LocalDate SystemLocalDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void SetTodaySource(TodaySource source) { CurrentSource() = std::move(source); }

void GetTodayDate(DateFields& date) {
  const LocalDate today = CurrentSource() ? CurrentSource()() : SystemLocalDate();
  date.Year = today.year;
  date.Month = today.month;
  date.Day = today.day;
  date.Calendar = kLetterGregorian;
  DateToDayNumber(date);
}

int32_t TodayDayNumber() {
  DateFields today;
  GetTodayDate(today);
  return today.DayNumber;
}

int16_t TodayDayOfWeek(int16_t /*calendar_code: every calendar shares the same weekday*/) {
  return DayOfWeek(TodayDayNumber());
}

}  // namespace qv
