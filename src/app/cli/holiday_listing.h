#pragma once
// quorvan-cli's two lists, with line feeds and tabs between the fields, for people and scripts
// alike: --list-regions and --list-holidays=YEAR.
#include <cstdint>
#include <string>

#include "compute/request.h"
#include "compute/work_calendar.h"

namespace qv::cli {

// One region a line: its code, a tab, its name in `language` ("DE-BY\tBavaria").
std::string RegionListText(Language language);

// The calendar's holidays of `year`, weekend days, substitute days and one-off days included, one
// a line in date order: the date in the Common Era as --format, --date-sep and --thousands write
// it, a tab, the weekday, a tab, the name in --lang; with more than one source a fourth field, the
// source's label ("2024-12-24\tTuesday\tChristmas Eve\toffice.txt").
std::string HolidayListText(const WorkCalendar& calendar, int32_t year, const RequestOptions& options);

}  // namespace qv::cli
