#include "lang/added_calendar_texts.h"

#include <array>
#include <string>

#include "calendar/added_calendars.h"
#include "calendar/civil.h"
#include "lang/general_texts.h"

namespace qv {
namespace {

struct Pair {
  std::string_view english;
  std::string_view german;
};

std::string_view Pick(const Pair& pair, Language language) {
  return language == Language::German ? pair.german : pair.english;
}

// In the order of kAddedCalendars.
constexpr std::array<Pair, kAddedCalendars.size()> kNames{{{"Hebrew", "Hebräisch"},
                                                           {"Islamic", "Islamisch"},
                                                           {"Persian", "Persisch"},
                                                           {"French Republican", "Französisch republikanisch"},
                                                           {"Coptic", "Koptisch"},
                                                           {"Ethiopian", "Äthiopisch"},
                                                           {"Mayan long count", "Maya (Lange Zählung)"},
                                                           {"Indian national", "Indischer Nationalkalender"},
                                                           {"Chinese", "Chinesisch"},
                                                           {"Korean", "Koreanisch"},
                                                           {"Vietnamese", "Vietnamesisch"},
                                                           {"Bahá’í", "Bahá’í"},
                                                           {"Umm al-Qura", "Umm al-Qura"},
                                                           {"Japanese", "Japanisch"},
                                                           {"Minguo", "Minguo"},
                                                           {"Thai solar", "Thailändischer Sonnenkalender"},
                                                           {"Revised Julian", "Neujulianisch"}}};

// "1 January 1873" / "1. Januar 1873": a day of the Common Era as the range messages name it.
std::string CommonEraDay(int32_t day_number, Language language) {
  const civil::YearMonthDay date = civil::DayNumberToGregorian(day_number);
  std::string text = std::to_string(date.day);
  if (language == Language::German) text.push_back('.');
  return text.append(" ").append(MonthName(language, date.month)).append(" ").append(std::to_string(date.year));
}

}  // namespace

std::string_view AddedCalendarTextOf(AddedCalendarText entry, Language language) {
  switch (entry) {
    case AddedCalendarText::OtherCalendar: return Pick({"Other calendar:", "Anderer Kalender:"}, language);
    case AddedCalendarText::OtherCalendarName: return Pick({"Other calendar", "Anderer Kalender"}, language);
    case AddedCalendarText::MoreCalendarsButton:
      return Pick({"&More calendars\u2026", "&Weitere Kalender\u2026"}, language);
    case AddedCalendarText::MoreCalendarsTitle: return Pick({"More calendars", "Weitere Kalender"}, language);
    case AddedCalendarText::MoreCalendarsNote:
      return Pick({"The line \u201cToday is \u2026\u201d goes round CE, ISO, JC, ORD, LPM, LPW and JDN with "
                   "each click (a right click goes back). Tick the calendars it should show after JDN as well, "
                   "in the order you want them.",
                   "Die Zeile \u201eHeute ist \u2026\u201c wechselt mit jedem Klick zwischen CE, ISO, JC, ORD, "
                   "LPM, LPW und JDN (ein Rechtsklick geht zur\u00fcck). Kreuzen Sie die Kalender an, die sie "
                   "nach JDN au\u00dferdem zeigen soll, in der gew\u00fcnschten Reihenfolge."},
                  language);
    case AddedCalendarText::MoreCalendarsOrder: return Pick({"Order after JDN:", "Reihenfolge nach JDN:"}, language);
    case AddedCalendarText::MoreCalendarsNone: return Pick({"none", "keine"}, language);
    case AddedCalendarText::AlsoShow: return Pick({"Also show:", "Auch zeigen:"}, language);
    case AddedCalendarText::AlsoShowName: return Pick({"Also show", "Auch zeigen"}, language);
    case AddedCalendarText::AlsoShowNone: return Pick({"(none)", "(keinen)"}, language);
    case AddedCalendarText::AlsoShowMonths:
      return Pick({"Months of the calendar shown beneath the days", "Monate des unter den Tagen gezeigten Kalenders"},
                  language);
  }
  return {};
}

std::string_view AddedCalendarName(CalendarCode code, Language language) {
  if (!IsAddedCalendar(code)) return {};
  return Pick(kNames[static_cast<std::size_t>(code - cal::kFirstAdded)], language);
}

std::string CalendarRangeMessage(CalendarCode code, Language language) {
  const bool german = language == Language::German;
  std::string text(CalendarTextCode(code));
  text.append(" (").append(AddedCalendarName(code, language)).append("): ");
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) {
    return text.append(german ? "dieser Kalender ist noch nicht verfügbar." : "this calendar is not yet available.");
  }
  const bool from = rules->first_day > -DayNumberLimit;
  const bool to = rules->last_day < DayNumberLimit;
  const std::string first = CommonEraDay(rules->first_day, language);
  const std::string last = CommonEraDay(rules->last_day, language);
  if (german) {
    text.append("dieser Kalender rechnet Daten ");
    if (from && to) return text.append("vom ").append(first).append(" bis zum ").append(last).append(" um.");
    if (from) return text.append("ab dem ").append(first).append(" um.");
    return text.append("bis zum ").append(last).append(" um.");
  }
  text.append("this calendar converts dates ");
  if (from && to) return text.append("from ").append(first).append(" to ").append(last).append(".");
  if (from) return text.append("from ").append(first).append(" on.");
  return text.append("up to ").append(last).append(".");
}

bool HasCalendarRangeMessage(CalendarCode code) {
  if (!IsAddedCalendar(code) || code == cal::MAY) return false;
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  return rules == nullptr || HasNarrowRange(*rules);
}

}  // namespace qv
