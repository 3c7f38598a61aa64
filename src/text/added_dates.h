#pragma once
// Reading and writing dates of the added calendars. The numeric form is that of CE and JC dates
// (fields in their order and separator: 5785-01-01); the named form is what a user copies from
// elsewhere ("15 Nisan 5784", "Tishrei 1, 5785", "1 Vendémiaire an VIII"), and what the notes write
// ("1 Tishri 5785 AM"). The Mayan long count is written 13.0.0.0.0, its named form adds the
// Tzolk'in and Haab' of the day ("13.0.0.0.0 4 Ahau 3 Kankin").
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "text/date_readers.h"
#include "text/language.h"
#include "text/text_builder.h"

namespace qv {

struct DateTextOptions;

// A date of added calendar `code` (not MAY) in either form. Valid: `date` holds the calendar's
// year, month and day and the day number. Out of range: the day number lies beyond ±2,100,000,000.
// With a fit, a numeric text is held to its written form as CE dates are; a named text either
// reads whole or not at all.
int16_t ParseAddedDate(std::string_view text, CalendarCode code, const DateTextOptions& options, DateFields& date,
                       ReadFit* fit);
// A Mayan long count, with or without the Tzolk'in and Haab' of its day (which must then be the
// day's). Valid: `date` holds the day number.
int16_t ParseLongCountDate(std::string_view text, DateFields& date, ReadFit* fit);

// The numeric form of `day_number` in added calendar `code`; for MAY the long count. `record`,
// when given, receives the calendar's year, month and day and the day number.
void WriteAddedDate(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
                    DateFields* record);

// The day in the named form with its era, as the verbose note shows it: "1 Tishri 5785 AM",
// "1 Vendémiaire an CCXXXIII, proleptic", "4 Ahau 3 Kankin". Empty for any other code.
std::string AddedCalendarNote(CalendarCode code, int32_t day_number, Language language);

}  // namespace qv
