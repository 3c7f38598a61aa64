#pragma once
// Read a text in calendar C; write a day number in calendar C. Every place that turns a box's
// text into a day number, or a day number into a box's text, goes through these two.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "text/text_builder.h"

namespace qv {

// The display options that reading and writing depend on.
struct DateTextOptions {
  DateFormat format = kFormatYMD;
  std::string_view date_separator = "-";
  std::string_view thousands_separator = ",";
  int16_t hyphen = 1;  // ordinal and ISO week dates written with hyphens
};

// JDN texts are read strictly (digits, sign, commas) for a computation and leniently
// (digit groups in the separator's style) everywhere else.
enum class JdnReading { Strict, Lenient };

struct DateReading {
  int16_t result = 0;  // 1 valid, 0 not valid, -1 out of range
  // The date's day number; for CE, JC and ORD also year, month, day and letter; for LPM the
  // leap-week year, month and day of month.
  DateFields fields;
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

// The text of `day_number` in calendar `code`; nullopt when the ordinal range test fails.
// When `record` is given, CE, JC and ORD fill it with letter, year, month and day.
std::optional<std::string> WriteDayNumberInCalendar(int32_t day_number, CalendarCode code,
                                                    const DateTextOptions& options, WriteStyle style,
                                                    DateFields* record = nullptr);

// The same text added to `text`; false (and `text` unchanged) when the ordinal range test fails.
bool BuildDayNumberInCalendar(TextBuilder& text, int32_t day_number, CalendarCode code,
                              const DateTextOptions& options, WriteStyle style, DateFields* record = nullptr);

// The same text appended to `out`; false (and `out` unchanged) when the ordinal range test fails.
bool AppendDayNumberInCalendar(std::string& out, int32_t day_number, CalendarCode code,
                               const DateTextOptions& options, WriteStyle style, DateFields* record = nullptr);

// As AppendDayNumberInCalendar for a date already known in full: a CE or JC record whose letter
// is that of `code` (as the reader of that calendar gives it) is written from its year, month
// and day without converting its day number again; any other record from its day number.
bool AppendDateInCalendar(std::string& out, const DateFields& date, CalendarCode code, const DateTextOptions& options,
                          WriteStyle style);
// True when `text` is exactly what BuildDateInCalendar writes for `date` (without a suffix): the
// usual CE or JC date of a year from 1000 to 9999 in the format's order with two-digit month and
// day ("2024-03-05"), whose digits are the record's year, month and day. Such a text is its own
// normal form. False for every other text, which may still be one.
bool IsWrittenDate(std::string_view text, const DateFields& date, CalendarCode code, const DateTextOptions& options);

// The same text added to `text`.
bool BuildDateInCalendar(TextBuilder& text, const DateFields& date, CalendarCode code, const DateTextOptions& options,
                         WriteStyle style);

}  // namespace qv
