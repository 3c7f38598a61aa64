#pragma once
// Writers of every date form; their output is what the readers accept.
#include <cstdint>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/text_builder.h"

namespace qv {

// What a writer appends after a date that names its calendar: a blank and the calendar's text
// code (" CE", " LPW"); empty for ORD (an ordinal date names no calendar) and unknown codes.
// The one place that decides how the suffix reads.
std::string_view CalendarSuffix(CalendarCode code);

// Whether a writer appends CalendarSuffix after the date.
enum class Suffix : bool { Without, With };

// The one writer of each date form, adding to a text under construction.
void FormatDate(TextBuilder& text, const DateFields& date, DateFormat format, std::string_view date_separator,
                std::string_view thousands_separator, Suffix suffix);
void FormatIsoWeekDate(TextBuilder& text, const IsoWeekDate& date, Hyphen hyphen);
void FormatOrdinalDate(TextBuilder& text, int32_t year, int16_t day_of_year, Hyphen hyphen);
// Years of magnitude 10000 or more are grouped with `group_separator` (the program's own
// thousands separator stands in for the regional number format).
void FormatLeapWeekDate(TextBuilder& text, const LeapWeekDate& date, Suffix suffix, std::string_view group_separator);
void FormatLeapMonthDate(TextBuilder& text, const LeapWeekDate& date, Suffix suffix, std::string_view group_separator);

}  // namespace qv
