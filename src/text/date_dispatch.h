#pragma once
// Read a text in calendar C; write a day number in calendar C. Every place that turns a box's
// text into a day number, or a day number into a box's text, goes through these two, and each
// calls the one reader and the one writer of the calendar.
#include <cstdint>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "text/text_builder.h"

namespace qv {

// How a date box's text is read. Lenient is the window's rule for pasted text: whatever lies
// outside the date's form is left out and the rest is read. Strict also takes the calendar's
// code after the date, as the result sentences write it ("2012-01-1 LPW"), and tells in
// DateReading::altered when the lenient rule left anything out (see ReadFit).
enum class TextReading : uint8_t { Lenient, Strict };

// The display options that reading and writing depend on.
struct DateTextOptions {
  DateFormat format = kFormatYMD;
  std::string_view date_separator = "-";
  std::string_view thousands_separator = ",";
  Hyphen hyphen = Hyphen::With;  // ordinal and ISO week dates
  TextReading reading = TextReading::Lenient;
};

// JDN texts are read strictly (digits, sign, commas) for a computation and leniently
// (digit groups in the separator's style) everywhere else.
enum class JdnReading { Strict, Lenient };

struct DateReading {
  int16_t result = 0;  // 1 valid, 0 not valid, -1 out of range
  // The date's day number; for CE, JC and ORD also year, month, day and letter; for LPM the
  // leap-week year, month and day of month.
  DateFields fields;
  // Strict reading only: the reader left out or joined something to read the text.
  bool altered = false;
  // Strict reading only: the text is exactly what WriteDayNumberInCalendar writes of the date in
  // its calendar (see ReadFit::as_written), so the box's normal form is the text itself.
  bool as_written = false;
};

DateReading ReadDateInCalendar(std::string_view text, CalendarCode code,
                               const DateTextOptions& options, JdnReading jdn_reading);

// How a day number is written; call sites name what they set: WriteStyle{.suffix = true}.
struct WriteStyle {
  bool suffix = false;               // append CalendarSuffix: " " and the calendar's code (never for ORD)
  bool check_ordinal_range = true;   // ORD only from 1 January 1 CE to 31 December 9999 CE
};

// The calendar a text of `code` is written (and named) in: the codes a box offers stand for
// themselves; AN, TLW and ARC, which have no writer, are written as CE.
CalendarCode WrittenCalendar(CalendarCode code);

// Adds the text of `day_number` in calendar `code` to `text`; false (and `text` unchanged) when
// the ordinal range test fails, or the day lies outside an added calendar's range (or the calendar
// is not available). When `record` is given, CE, JC and ORD fill it with letter,
// year, month and day.
bool WriteDayNumberInCalendar(TextBuilder& text, int32_t day_number, CalendarCode code,
                              const DateTextOptions& options, WriteStyle style = {}, DateFields* record = nullptr);

}  // namespace qv
