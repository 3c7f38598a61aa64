#include "lang/holiday_texts.h"

namespace qv {

std::string HolidaysLeftOutNote(int64_t total, std::string_view total_text, std::span<const HolidayCount> by_source,
                                Language language) {
  const bool german = language == Language::German;
  std::string note = "; ";
  if (total == 0) return note.append(german ? "keine Feiertage ausgelassen" : "no holidays left out");
  note.append(total_text).append(" ");
  if (german) {
    note.append(total == 1 ? "Feiertag ausgelassen" : "Feiertage ausgelassen");
  } else {
    note.append(total == 1 ? "holiday left out" : "holidays left out");
  }
  const char* separator = " (";
  for (const HolidayCount& source : by_source) {
    note.append(separator).append(source.source).append(" ").append(source.count);
    separator = ", ";
  }
  if (!by_source.empty()) note.append(")");
  return note;
}

}  // namespace qv
