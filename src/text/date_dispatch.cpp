#include "text/date_dispatch.h"

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
        reading.result = ParseWholeNumberText(text, number);
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

std::optional<std::string> WriteDayNumberInCalendar(int32_t day_number, CalendarCode code,
                                                    const DateTextOptions& options, WriteStyle style,
                                                    DateFields* record) {
  std::string text;
  switch (code) {
    case cal::JDN:
      text = GroupedNumber(day_number, options.thousands_separator);
      break;
    case cal::ORD: {
      const bool in_range = day_number >= kFirstOrdinalDay && day_number <= kLastOrdinalDay;
      if (style.check_ordinal_range && !in_range) return std::nullopt;
      DateFields date;
      date.DayNumber = day_number;
      CalendarLetterForCode(cal::ORD, date);
      DayNumberToCalendarDate(date);
      const int16_t day_of_year = DayOfYear(date);
      if (record != nullptr) *record = date;
      // An ordinal date names no calendar after it.
      return FormatOrdinalDate(date.Year, day_of_year, options.hyphen);
    }
    case cal::ISO: {
      IsoWeekDate date;
      date.DayNumber = day_number;
      DayNumberToIsoWeekDate(date);
      text = FormatIsoWeekDate(date, options.hyphen);
      break;
    }
    case cal::LPW: {
      LeapWeekDate date;
      date.DayNumber = day_number;
      DayNumberToLeapWeekDate(date);
      text = FormatLeapWeekDate(date, false, options.thousands_separator);
      break;
    }
    case cal::LPM: {
      LeapWeekDate date;
      date.DayNumber = day_number;
      DayNumberToLeapMonthDate(date);
      text = FormatLeapMonthDate(date, false, options.thousands_separator);
      break;
    }
    default: {
      // CE and JC. The codes the user cannot choose (AN, TLW, ARC) have no writer of their own
      // and are written, and named, as Common Era dates so that the text is still readable.
      const CalendarCode written = code == cal::JC ? cal::JC : cal::CE;
      DateFields date;
      CalendarLetterForCode(written, date);
      date.DayNumber = day_number;
      DayNumberToCalendarDate(date);
      if (record != nullptr) *record = date;
      text = FormatDate(date, options.format, options.date_separator, options.thousands_separator, false);
      code = written;
      break;
    }
  }
  if (style.suffix) {
    text += ' ';
    text += CalendarTextCode(code);
  }
  return text;
}

}  // namespace qv
