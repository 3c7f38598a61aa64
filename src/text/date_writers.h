#pragma once
// Writers of every date form; their output is what the readers accept.
#include <cstdint>
#include <string>
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

// The separator that groups the digits of a CE or JC year: the thousands separator, or none
// when it is the date separator too (12345.01.01, not 12.345.01.01, which no reader takes).
std::string_view YearGroupSeparator(std::string_view date_separator, std::string_view thousands_separator);

std::string FormatDate(const DateFields& date, DateFormat format, std::string_view date_separator,
                       std::string_view thousands_separator, bool suffix);
std::string FormatIsoWeekDate(const IsoWeekDate& date, int16_t hyphen);
std::string FormatOrdinalDate(int32_t year, int16_t day_of_year, int16_t hyphen);
// Years of magnitude 10000 or more are grouped with `group_separator` (the program's own
// thousands separator stands in for the regional number format).
std::string FormatLeapWeekDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator);
std::string FormatLeapMonthDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator);
// The same writers adding to a text under construction, for callers that put a date into a
// longer text without a string of its own.
void BuildDate(TextBuilder& text, const DateFields& date, DateFormat format, std::string_view date_separator,
               std::string_view thousands_separator, bool suffix);
void BuildIsoWeekDate(TextBuilder& text, const IsoWeekDate& date, int16_t hyphen);
void BuildOrdinalDate(TextBuilder& text, int32_t year, int16_t day_of_year, int16_t hyphen);
void BuildLeapWeekDate(TextBuilder& text, const LeapWeekDate& date, bool suffix, std::string_view group_separator);
void BuildLeapMonthDate(TextBuilder& text, const LeapWeekDate& date, bool suffix, std::string_view group_separator);

std::string TodayPlusDaysText(int16_t offset, DateFormat format, std::string_view date_separator,
                              CalendarCode code, std::string_view thousands_separator);

}  // namespace qv
