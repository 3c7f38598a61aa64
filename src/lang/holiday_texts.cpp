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

namespace {

std::string UnknownYearText(std::string_view source, int32_t year, std::string_view known_years, bool german,
                            bool capital) {
  std::string text = german ? (capital ? "Die" : "die") : (capital ? "The" : "the");
  text.append(german ? " Feiertage von " : " holidays of ").append(source);
  if (german) {
    text.append(" sind für ").append(std::to_string(year)).append(" nicht bekannt (bekannt: ");
  } else {
    text.append(" are not known for ").append(std::to_string(year)).append(" (known: ");
  }
  return text.append(known_years).append(")");
}

}  // namespace

std::string UnknownHolidayYearMessage(std::string_view source, int32_t year, std::string_view known_years,
                                      Language language) {
  return UnknownYearText(source, year, known_years, language == Language::German, true) + ".";
}

std::string UnknownHolidayYearResult(std::string_view source, int32_t year, std::string_view known_years,
                                     Language language) {
  const bool german = language == Language::German;
  return std::string(german ? "nicht gezählt: " : "not counted: ") +
         UnknownYearText(source, year, known_years, german, false);
}

std::string ProvisionalNote(std::span<const ProvisionalSource> sources, Language language) {
  if (sources.empty()) return {};
  std::string note = language == Language::German ? "; vorläufig: " : "; provisional: ";
  const char* separator = "";
  for (const ProvisionalSource& source : sources) {
    note.append(separator).append(source.source).append(" ").append(source.years);
    separator = ", ";
  }
  return note;
}

}  // namespace qv
