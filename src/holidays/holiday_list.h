#pragma once
// Holiday list files: one date a line, in any form the program reads in the date options in force,
// an optional name after a tab, `#` comment lines and blank lines. A third field `workday` after
// another tab makes the line a worked day instead of a holiday: a day outside the work week that
// counts as a working day ("2025-05-03<TAB>Bridge-day swap<TAB>workday"; the name may be empty). Lines may end in LF or CR LF; a
// UTF-8 byte-order mark at the start is skipped.
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "holidays/holiday_source.h"
#include "text/date_dispatch.h"

namespace qv::holidays {

inline constexpr std::string_view kWorkdayField = "workday";

struct HolidayListOptions {
  CalendarCode calendar = cal::CE;  // the calendar the dates are written in
  DateTextOptions text;             // date format and separators (the views must outlive the call)
};

// The source of a list's text; `file_name` names it in an error and becomes the source's label.
// The first unreadable line is the error; nothing else is returned then.
HolidayFileResult ReadHolidayList(std::string_view contents, std::string_view file_name,
                                  const HolidayListOptions& options);

// The same for a file on disk.
HolidayFileResult ReadHolidayListFile(const std::string& path, const HolidayListOptions& options);

}  // namespace qv::holidays
