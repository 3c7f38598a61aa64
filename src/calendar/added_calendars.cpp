#include "calendar/added_calendars.h"

#include "calendar/coptic_ethiopian.h"
#include "calendar/french_republican.h"
#include "calendar/hebrew.h"
#include "calendar/indian_national.h"
#include "calendar/islamic.h"
#include "calendar/persian.h"

namespace qv {
namespace {

#define QV_ADDED_RULES(X) \
  AddedCalendarRules { X##FromDayNumber, X##ToDayNumber, X##MonthsInYear, X##DaysInMonth, X##MonthIndex, X##MonthFromIndex }

constexpr AddedCalendarRules kHebrew = QV_ADDED_RULES(Hebrew);
constexpr AddedCalendarRules kIslamic = QV_ADDED_RULES(Islamic);
constexpr AddedCalendarRules kPersian = QV_ADDED_RULES(Persian);
constexpr AddedCalendarRules kFrenchRepublican = QV_ADDED_RULES(FrenchRepublican);
constexpr AddedCalendarRules kCoptic = QV_ADDED_RULES(Coptic);
constexpr AddedCalendarRules kEthiopian = QV_ADDED_RULES(Ethiopian);
constexpr AddedCalendarRules kIndianNational = QV_ADDED_RULES(IndianNational);

#undef QV_ADDED_RULES

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
    default: return nullptr;
  }
}

bool IsValidAddedDate(const AddedCalendarRules& rules, const CalendarDate& date) {
  if (date.month < 1 || date.month > rules.months_in_year(date.year)) return false;
  return date.day >= 1 && date.day <= rules.days_in_month(date.year, date.month);
}

}  // namespace qv
