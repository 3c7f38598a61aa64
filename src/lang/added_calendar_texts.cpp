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
  }
  return {};
}

std::string_view AddedCalendarName(CalendarCode code, Language language) {
  if (!IsAddedCalendar(code)) return {};
  return Pick(kNames[static_cast<std::size_t>(code - cal::kFirstAdded)], language);
}

}  // namespace qv
