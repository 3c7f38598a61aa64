#include "compute/holiday_export.h"

#include <algorithm>

#include "calendar/civil.h"

namespace qv {
namespace {

// A worked day without a name of its own.
std::string WorkdayName(const holidays::DatedHoliday& day, Language language) {
  if (!day.name.empty()) return day.name;
  return language == Language::German ? "Arbeitstag" : "Working day";
}

}  // namespace

std::vector<holidays::ExportedDay> ExportedDays(const WorkCalendar& calendar, int32_t first_year, int32_t last_year,
                                                Language language) {
  std::vector<holidays::ExportedDay> days;
  first_year = std::max(first_year, holidays::kFirstExportYear);
  last_year = std::min(last_year, holidays::kLastExportYear);
  if (first_year > last_year) return days;
  const std::span<const holidays::HolidaySource> sources = calendar.Sources();
  for (int32_t year = first_year; year <= last_year; ++year) {
    for (const ListedHoliday& holiday : calendar.HolidaysOfYear(year)) {
      // Only the days a count leaves out: the file reads back as the same working days.
      if (!holiday.counted) continue;
      std::string key = sources[holiday.source].label;
      key.append("\n").append(ListedHolidayName(holiday, sources, Language::English));
      days.push_back(holidays::ExportedDay{.day_number = holiday.day_number,
                                           .summary = ListedHolidayName(holiday, sources, language),
                                           .key = std::move(key),
                                           .workday = false});
    }
  }
  // Worked days: the sources keep them sorted by date.
  const int32_t first_day = static_cast<int32_t>(civil::GregorianToDayNumber(first_year, 1, 1));
  const int32_t last_day = static_cast<int32_t>(civil::GregorianToDayNumber(last_year, 12, 31));
  for (const holidays::HolidaySource& source : sources) {
    for (const holidays::DatedHoliday& day : source.workdays) {
      if (day.day_number < first_day || day.day_number > last_day) continue;
      days.push_back(holidays::ExportedDay{.day_number = day.day_number,
                                           .summary = WorkdayName(day, language),
                                           .key = source.label + "\nworkday\n" + WorkdayName(day, Language::English),
                                           .workday = true});
    }
  }
  std::stable_sort(days.begin(), days.end(), [](const holidays::ExportedDay& a, const holidays::ExportedDay& b) {
    return a.day_number < b.day_number;
  });
  return days;
}

std::string CalendarAsICalendar(const WorkCalendar& calendar, int32_t first_year, int32_t last_year, Language language) {
  std::string name = "Quorvan";
  const char* separator = ": ";
  for (const holidays::HolidaySource& source : calendar.Sources()) {
    name.append(separator).append(source.label);
    separator = ", ";
  }
  return holidays::WriteICalendar(ExportedDays(calendar, first_year, last_year, language), name);
}

}  // namespace qv
