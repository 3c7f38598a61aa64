#include "lang/added_calendar_texts.h"

#include <array>

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
constexpr std::array<Pair, 8> kNames{{{"Hebrew", "Hebräisch"},
                                      {"Islamic", "Islamisch"},
                                      {"Persian", "Persisch"},
                                      {"French Republican", "Französisch republikanisch"},
                                      {"Coptic", "Koptisch"},
                                      {"Ethiopian", "Äthiopisch"},
                                      {"Mayan long count", "Maya (Lange Zählung)"},
                                      {"Indian national", "Indischer Nationalkalender"}}};

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

}  // namespace qv
