#include "text/date_dispatch.h"

#include <cstring>

#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/date_readers.h"
#include "text/date_writers.h"
#include "text/string_utils.h"

namespace qv {

DateReading ReadDateInCalendar(std::string_view text, CalendarCode code,
                               const DateTextOptions& options, JdnReading jdn_reading) {
  DateReading reading;
  DateFields& fields = reading.fields;
  switch (code) {
    case cal::LPM: {
      LeapWeekDate date;
      reading.result = ParseLeapMonthDate(text, date);
      // The month form travels in the record as the leap-week year, month and day of month.
      fields.Year = date.Year;
      fields.Month = date.Month;
      fields.Day = date.DayOfMonth;
      fields.DayNumber = date.DayNumber;
      break;
    }
    case cal::LPW: {
      LeapWeekDate date;
      reading.result = ParseLeapWeekDate(text, date);
      fields.DayNumber = date.DayNumber;
      break;
    }
    case cal::ORD:
      reading.result = ParseOrdinalDate(text, options.hyphen, fields);
      break;
    case cal::ISO: {
      IsoWeekDate date;
      reading.result = ParseIsoWeekDate(text, date);
      fields.DayNumber = date.DayNumber;
      break;
    }
    case cal::JDN:
      if (jdn_reading == JdnReading::Strict) {
        int32_t number = 0;
        reading.result = ParseWholeNumberText(text, number, options.thousands_separator);
        fields.DayNumber = number;
      } else {
        reading.result = ParseDateText(text, options.date_separator, code, options.format, fields);
      }
      break;
    default:
      reading.result = ParseDateText(text, options.date_separator, code, options.format, fields);
      break;
  }
  // Whatever a failed reader left behind is of no use to anyone: hand back a fresh record.
  if (reading.result != kReadValid) reading.fields = DateFields{};
  return reading;
}

namespace {

// ORD: year and day of the year of a CE date, the record filled on the way.
void BuildOrdinal(TextBuilder& text, int32_t day_number, const DateTextOptions& options, DateFields* record) {
  DateFields date;
  date.DayNumber = day_number;
  CalendarLetterForCode(cal::ORD, date);
  DayNumberToCalendarDate(date);
  const int16_t day_of_year = DayOfYear(date);
  if (record != nullptr) *record = date;
  BuildOrdinalDate(text, date.Year, day_of_year, options.hyphen);
}

void BuildIsoWeek(TextBuilder& text, int32_t day_number, const DateTextOptions& options) {
  IsoWeekDate date;
  date.DayNumber = day_number;
  DayNumberToIsoWeekDate(date);
  BuildIsoWeekDate(text, date, options.hyphen);
}

void BuildLeapWeek(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options) {
  LeapWeekDate date;
  date.DayNumber = day_number;
  if (code == cal::LPW) {
    DayNumberToLeapWeekDate(date);
    BuildLeapWeekDate(text, date, false, options.thousands_separator);
  } else {
    DayNumberToLeapMonthDate(date);
    BuildLeapMonthDate(text, date, false, options.thousands_separator);
  }
}

// CE and JC, the record filled on the way.
void BuildCalendarDate(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
                       DateFields* record) {
  DateFields date;
  CalendarLetterForCode(code, date);
  date.DayNumber = day_number;
  DayNumberToCalendarDate(date);
  if (record != nullptr) *record = date;
  BuildDate(text, date, options.format, options.date_separator, options.thousands_separator, false);
}

}  // namespace

// The codes the user cannot choose (AN, TLW, ARC) have no writer of their own and are
// written, and named, as Common Era dates so that the text is still readable.
CalendarCode WrittenCalendar(CalendarCode code) {
  switch (code) {
    case cal::JC:
    case cal::JDN:
    case cal::ORD:
    case cal::ISO:
    case cal::LPW:
    case cal::LPM: return code;
    default: return cal::CE;
  }
}

bool BuildDayNumberInCalendar(TextBuilder& text, int32_t day_number, CalendarCode code,
                              const DateTextOptions& options, WriteStyle style, DateFields* record) {
  code = WrittenCalendar(code);
  switch (code) {
    case cal::JDN: text.Add(GroupedNumber(day_number, options.thousands_separator)); break;
    case cal::ORD:
      if (style.check_ordinal_range && (day_number < kFirstOrdinalDay || day_number > kLastOrdinalDay)) return false;
      BuildOrdinal(text, day_number, options, record);
      break;
    case cal::ISO: BuildIsoWeek(text, day_number, options); break;
    case cal::LPW:
    case cal::LPM: BuildLeapWeek(text, day_number, code, options); break;
    default: BuildCalendarDate(text, day_number, code, options, record); break;
  }
  if (style.suffix) text.Add(CalendarSuffix(code));
  return true;
}

bool AppendDayNumberInCalendar(std::string& out, int32_t day_number, CalendarCode code,
                               const DateTextOptions& options, WriteStyle style, DateFields* record) {
  TextBuilder text;
  if (!BuildDayNumberInCalendar(text, day_number, code, options, style, record)) return false;
  text.AppendTo(out);
  return true;
}

bool IsWrittenDate(std::string_view text, const DateFields& date, CalendarCode code, const DateTextOptions& options) {
  // Ten characters: four year digits, two of month and two of day, two separators.
  if (text.size() != 10 || options.date_separator.size() != 1) return false;
  if (code != cal::CE && code != cal::JC) return false;
  // The letter decides whether BuildDateInCalendar writes the record's fields at all.
  DateFields expected;
  if (!CalendarLetterForCode(code, expected) || date.Calendar != expected.Calendar) return false;
  if (date.Year < 1000 || date.Year > 9999) return false;  // four digits, no sign, no grouping
  const char separator = options.date_separator.front();
  // Where the year, the first two-digit field and the second start, and where the separators stand.
  const bool year_first = options.format == kFormatYMD;
  const std::size_t year_at = year_first ? 0 : 6, first_at = year_first ? 5 : 0, second_at = year_first ? 8 : 3;
  const std::size_t separator_at = year_first ? 4 : 2;  // and 3 further on
  if (text[separator_at] != separator || text[separator_at + 3] != separator) return false;
  // YMD and DMY have the month first of the two-digit fields after the year or before it;
  // MDY (any other format) the day second. Month and day in [0, 99] are needed for the pairs.
  const bool month_first = options.format != kFormatDMY;
  const int32_t first = month_first ? date.Month : date.Day, second = month_first ? date.Day : date.Month;
  if (first < 0 || first > 99 || second < 0 || second > 99) return false;
  // Each two digits compared with those the writer puts there, from its table of digit pairs.
  const auto pair = [text](std::size_t at, int32_t value) {
    return std::memcmp(text.data() + at, kDigitPairs + 2 * value, 2) == 0;  // value in [0, 99]
  };
  return pair(year_at, date.Year / 100) && pair(year_at + 2, date.Year % 100) && pair(first_at, first) &&
         pair(second_at, second);
}

bool BuildDateInCalendar(TextBuilder& text, const DateFields& date, CalendarCode code, const DateTextOptions& options,
                         WriteStyle style) {
  code = WrittenCalendar(code);
  DateFields expected;
  const bool fields_known = (code == cal::CE || code == cal::JC) && CalendarLetterForCode(code, expected) &&
                            date.Calendar == expected.Calendar;
  if (!fields_known) return BuildDayNumberInCalendar(text, date.DayNumber, code, options, style);
  BuildDate(text, date, options.format, options.date_separator, options.thousands_separator, false);
  if (style.suffix) text.Add(CalendarSuffix(code));
  return true;
}

bool AppendDateInCalendar(std::string& out, const DateFields& date, CalendarCode code, const DateTextOptions& options,
                          WriteStyle style) {
  TextBuilder text;
  if (!BuildDateInCalendar(text, date, code, options, style)) return false;
  text.AppendTo(out);
  return true;
}

std::optional<std::string> WriteDayNumberInCalendar(int32_t day_number, CalendarCode code,
                                                    const DateTextOptions& options, WriteStyle style,
                                                    DateFields* record) {
  std::string text;
  if (!AppendDayNumberInCalendar(text, day_number, code, options, style, record)) return std::nullopt;
  return text;
}

}  // namespace qv
