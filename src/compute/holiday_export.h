#pragma once
// A work calendar's days as an iCalendar file: the holidays of its sources (regions, rule files,
// lists and iCalendar files) in a run of years, weekend days and substitute days included, and the
// worked days outside the work week, as holidays/icalendar_writer.h writes them. The names are in
// the language asked for; the UIDs come from the source's label, the date and the English name, so
// an export in German replaces the same events as one in English.
#include <cstdint>
#include <string>
#include <vector>

#include "compute/work_calendar.h"
#include "holidays/icalendar_writer.h"
#include "text/language.h"

namespace qv {

// The days of the years [first_year, last_year], both within kFirstExportYear … kLastExportYear
// (outside them nothing is given), sorted by date; on one date the holidays come first, in the
// order of the sources.
std::vector<holidays::ExportedDay> ExportedDays(const WorkCalendar& calendar, int32_t first_year, int32_t last_year,
                                                Language language);

// The whole .ics file of those days, named after the sources' labels.
std::string CalendarAsICalendar(const WorkCalendar& calendar, int32_t first_year, int32_t last_year, Language language);

}  // namespace qv
