#pragma once
// iCalendar files (.ics), as governments and calendar programs publish holidays, read with libical.
//
// What is taken:
//  - all-day events (DTSTART;VALUE=DATE), each day from DTSTART up to DTEND (or DURATION) a holiday;
//  - an event repeating every year on a fixed date (FREQ=YEARLY with BYMONTH and BYMONTHDAY, or
//    neither) or on the nth or last weekday of a month (BYMONTH with BYDAY=2MO, -1MO, …), with or
//    without UNTIL or COUNT, becomes a yearly rule: it counts over any span of years;
//  - any other repetition (monthly, weekly, every other year, exceptions with EXDATE, …) is expanded
//    into single days from 1 January 1900 to 31 December 2200; days outside that range are not
//    taken. Repetitions finer than daily are an error;
//  - RDATE days are added, EXDATE days taken out; cancelled events (STATUS:CANCELLED) are skipped.
// An event marked X-QUORVAN-WORKDAY:TRUE (as Quorvan exports a worked weekend day) gives working
// days instead: days outside the work week that count as working days.
// Events with a time of day are appointments, not days off: they are skipped and counted in
// `timed_events_ignored`. A file libical cannot read, an event without a readable start or with a
// parse error inside it, is an error naming the file.
#include <cstdint>
#include <string>
#include <string_view>

#include "holidays/holiday_source.h"

namespace qv::holidays {

inline constexpr int32_t kExpansionFirstYear = 1900;
inline constexpr int32_t kExpansionLastYear = 2200;

HolidayFileResult ReadICalendar(std::string_view contents, std::string_view file_name);
HolidayFileResult ReadICalendarFile(const std::string& path);

// A file whose name ends in ".ics" (any case) is read as iCalendar, any other as a holiday list.
bool IsICalendarFileName(std::string_view name);

}  // namespace qv::holidays
