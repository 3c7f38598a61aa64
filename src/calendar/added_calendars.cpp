#include "calendar/added_calendars.h"

#include "calendar/bahai.h"
#include "calendar/chinese.h"
#include "calendar/coptic_ethiopian.h"
#include "calendar/french_republican.h"
#include "calendar/gregorian_months.h"
#include "calendar/hebrew.h"
#include "calendar/indian_national.h"
#include "calendar/islamic.h"
#include "calendar/japanese.h"
#include "calendar/minguo_thai.h"
#include "calendar/persian.h"
#include "calendar/revised_julian.h"

namespace qv {
namespace {

// A calendar X of the same six functions over every day number: XFromDayNumber, XToDayNumber,
// XMonthsInYear, XDaysInMonth, XMonthIndex, XMonthFromIndex; its months named by their places.
#define QV_ADDED_RULES(X)                                                                                       \
  AddedCalendarRules {                                                                                          \
    X##FromDayNumber, X##ToDayNumber, X##MonthsInYear, X##DaysInMonth, X##MonthIndex, X##MonthFromIndex,        \
        nullptr, nullptr, nullptr, -DayNumberLimit, DayNumberLimit                                              \
  }
// A lunisolar calendar X: the six functions, XLeapMonth, and its range kXFirstDay … kXLastDay.
#define QV_LUNISOLAR_RULES(X)                                                                                   \
  AddedCalendarRules {                                                                                          \
    X##FromDayNumber, X##ToDayNumber, X##MonthsInYear, X##DaysInMonth, X##MonthIndex, X##MonthFromIndex,        \
        X##LeapMonth, nullptr, nullptr, k##X##FirstDay, k##X##LastDay                                           \
  }
// A calendar X of the six functions over its range kXFirstDay … kXLastDay, its months named by
// LABEL_OF and PLACE_OF (nullptr, nullptr: by their places).
#define QV_RANGED_RULES(X, LABEL_OF, PLACE_OF)                                                                  \
  AddedCalendarRules {                                                                                          \
    X##FromDayNumber, X##ToDayNumber, X##MonthsInYear, X##DaysInMonth, X##MonthIndex, X##MonthFromIndex,        \
        nullptr, LABEL_OF, PLACE_OF, k##X##FirstDay, k##X##LastDay                                              \
  }

// The Thai months are named by their Gregorian numbers.
MonthLabel ThaiMonthLabel(int32_t year, int16_t place) { return {ThaiMonthOfPlace(year, place), false}; }
int16_t ThaiMonthPlace(int32_t year, MonthLabel label) { return label.leap ? 0 : ThaiPlaceOfMonth(year, label.number); }

// The Japanese calendar counts its dates by their Common Era year; the era only names the year.
inline constexpr int32_t kGregorianMonthsFirstDay = kJapaneseFirstDay;
inline constexpr int32_t kGregorianMonthsLastDay = DayNumberLimit;
inline constexpr int32_t kMinguoLastDay = DayNumberLimit;
inline constexpr int32_t kThaiLastDay = DayNumberLimit;

constexpr AddedCalendarRules kHebrew = QV_ADDED_RULES(Hebrew);
constexpr AddedCalendarRules kIslamic = QV_ADDED_RULES(Islamic);
constexpr AddedCalendarRules kPersian = QV_ADDED_RULES(Persian);
constexpr AddedCalendarRules kFrenchRepublican = QV_ADDED_RULES(FrenchRepublican);
constexpr AddedCalendarRules kCoptic = QV_ADDED_RULES(Coptic);
constexpr AddedCalendarRules kEthiopian = QV_ADDED_RULES(Ethiopian);
constexpr AddedCalendarRules kIndianNational = QV_ADDED_RULES(IndianNational);
constexpr AddedCalendarRules kJapanese = QV_RANGED_RULES(GregorianMonths, nullptr, nullptr);
constexpr AddedCalendarRules kMinguo = QV_RANGED_RULES(Minguo, nullptr, nullptr);
constexpr AddedCalendarRules kThai = QV_RANGED_RULES(Thai, ThaiMonthLabel, ThaiMonthPlace);
constexpr AddedCalendarRules kRevisedJulian = QV_ADDED_RULES(RevisedJulian);
constexpr AddedCalendarRules kChinese = QV_LUNISOLAR_RULES(Chinese);
constexpr AddedCalendarRules kKorean = QV_LUNISOLAR_RULES(Korean);
constexpr AddedCalendarRules kVietnamese = QV_LUNISOLAR_RULES(Vietnamese);
// Ayyám-i-Há (place 19) is written as month 0 and ʿAlá' (place 20) as month 19.
constexpr AddedCalendarRules kBahai = QV_RANGED_RULES(Bahai, BahaiMonthLabel, BahaiMonthPlace);

#undef QV_ADDED_RULES
#undef QV_LUNISOLAR_RULES
#undef QV_RANGED_RULES

}  // namespace

const AddedCalendarRules* AddedCalendarRulesOf(CalendarCode code) {
  switch (code) {
    case cal::HEB: return &kHebrew;
    case cal::ISL: return &kIslamic;
    case cal::PER: return &kPersian;
    case cal::FRR: return &kFrenchRepublican;
    case cal::COP: return &kCoptic;
    case cal::ETH: return &kEthiopian;
    case cal::IND: return &kIndianNational;
    case cal::CHN: return &kChinese;
    case cal::KOR: return &kKorean;
    case cal::VNM: return &kVietnamese;
    case cal::BAH: return &kBahai;
    // Umm al-Qura is converted only by its published table of month starts, which is not here
    // yet: not available rather than guessed from the arithmetic or the sky.
    case cal::UMQ: return nullptr;
    case cal::JPN: return &kJapanese;
    case cal::ROC: return &kMinguo;
    case cal::THA: return &kThai;
    case cal::RJU: return &kRevisedJulian;
    default: return nullptr;
  }
}

bool IsAvailableCalendar(CalendarCode code) {
  if (code < 0 || code >= cal::kCount) return false;
  if (!IsAddedCalendar(code) || code == cal::MAY) return true;
  return AddedCalendarRulesOf(code) != nullptr;
}

const std::vector<CalendarCode>& AvailableAddedCalendars() {
  static const std::vector<CalendarCode> codes = [] {
    std::vector<CalendarCode> available;
    for (const CalendarCode code : kAddedCalendars) {
      if (IsAvailableCalendar(code)) available.push_back(code);
    }
    return available;
  }();
  return codes;
}

bool HasNarrowRange(const AddedCalendarRules& rules) {
  return rules.first_day > -DayNumberLimit || rules.last_day < DayNumberLimit;
}

bool IsDayInRange(const AddedCalendarRules& rules, int64_t day_number) {
  return day_number >= rules.first_day && day_number <= rules.last_day;
}

YearSpan YearsInRange(const AddedCalendarRules& rules) {
  return {rules.from_day_number(rules.first_day).year, rules.from_day_number(rules.last_day).year};
}

bool IsYearInRange(const AddedCalendarRules& rules, int64_t year) {
  const YearSpan years = YearsInRange(rules);
  return year >= years.first && year <= years.last;
}

bool IsValidAddedDate(const AddedCalendarRules& rules, const CalendarDate& date) {
  if (HasNarrowRange(rules) && !IsYearInRange(rules, date.year)) return false;
  if (date.month < 1 || date.month > rules.months_in_year(date.year)) return false;
  return date.day >= 1 && date.day <= rules.days_in_month(date.year, date.month);
}

MonthLabel MonthLabelOf(const AddedCalendarRules& rules, int32_t year, int16_t place) {
  if (rules.leap_month != nullptr) {
    // The leap month repeats the number of the month before it; the months after it are
    // numbered one less than their places.
    const int16_t leap = rules.leap_month(year);
    if (leap == 0 || place < leap) return {place, false};
    return {static_cast<int16_t>(place - 1), place == leap};
  }
  if (rules.label_of != nullptr) return rules.label_of(year, place);
  return {place, false};
}

int16_t MonthPlaceOf(const AddedCalendarRules& rules, int32_t year, MonthLabel label) {
  int16_t place = 0;
  if (rules.leap_month != nullptr) {
    const int16_t leap = rules.leap_month(year);
    if (label.leap) {
      place = leap != 0 && label.number == leap - 1 ? leap : 0;
    } else {
      place = leap == 0 || label.number < leap ? label.number : static_cast<int16_t>(label.number + 1);
    }
  } else if (rules.place_of != nullptr) {
    place = rules.place_of(year, label);
  } else {
    place = label.leap ? 0 : label.number;
  }
  // A label that names no month of the year: no place.
  if (place < 1 || place > rules.months_in_year(year)) return 0;
  return place;
}

std::optional<CalendarDate> AddedDateOf(const AddedCalendarRules& rules, int32_t day_number) {
  // A calendar over every day number has a date for any 32-bit one, beyond the readers' limit too.
  if (HasNarrowRange(rules) && !IsDayInRange(rules, day_number)) return std::nullopt;
  return rules.from_day_number(day_number);
}

MonthLabel BahaiMonthLabel(int32_t, int16_t place) {
  if (place == 19) return {0, false};
  if (place == 20) return {19, false};
  return {place, false};
}

int16_t BahaiMonthPlace(int32_t, MonthLabel label) {
  if (label.leap || label.number < 0 || label.number > 19) return 0;
  if (label.number == 0) return 19;
  if (label.number == 19) return 20;
  return label.number;
}

}  // namespace qv
