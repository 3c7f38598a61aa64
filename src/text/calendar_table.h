#pragma once
// One row per calendar: how its dates are read and written, which calendar a text of it names,
// whose months months mode counts, and the note a verbose sentence adds. Reading and writing a
// date of any calendar is one lookup in this table; adding a calendar is one row (and its reader
// and writer).
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "text/date_dispatch.h"
#include "text/date_readers.h"
#include "text/language.h"
#include "text/text_builder.h"

namespace qv {

// Whose months a months addition counts in a calendar.
enum class MonthsMode : uint8_t {
  None,           // no months: the request is refused (JDN, ORD, ISO, LPW, MAY)
  RecordMonths,   // the Common Era or Julian months of the record (CE, JC)
  LeapWeekMonths, // the month form of the leap-week calendar (LPM)
  AddedMonths,    // the calendar's own months (HEB … IND, CHN … RJU)
};

struct CalendarRow {
  CalendarCode code;
  // The calendar a text of this code is written and named in (AN, TLW and ARC, which have no
  // writer of their own, are written as CE).
  CalendarCode written_as;
  // Reads `text` (the calendar's code already taken off in strict reading) into `fields`.
  int16_t (*read)(std::string_view text, CalendarCode code, const DateTextOptions& options, JdnReading jdn_reading,
                  DateFields& fields, ReadFit* fit);
  // Adds the date of `day_number`; false when the calendar has no date for it (ORD outside 1 … 9999,
  // an added calendar outside its range or not available).
  bool (*write)(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
                WriteStyle style, DateFields* record);
  MonthsMode months;
  // The verbose note on a day of this calendar ("1 Tishri 5785 AM"); null for the described ones.
  std::string (*note)(CalendarCode code, int32_t day_number, Language language);
};

// The row of `code`; codes outside the table read and write as CE dates.
const CalendarRow& CalendarRowOf(CalendarCode code);

}  // namespace qv
