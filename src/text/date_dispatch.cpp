#include "text/date_dispatch.h"

#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/date_readers.h"
#include "text/date_writers.h"
#include "text/string_utils.h"

namespace qv {

namespace {

// The text without the calendar's code after it ("2012-01-1 LPW", "2000-01-01 ce"): a blank or
// more, then the code in either case, as the result sentences write a date.
std::string_view WithoutCalendarCode(std::string_view text, CalendarCode code) {
  // The usual date ends with a digit: one test.
  if (text.empty() || static_cast<unsigned char>((text.back() | 0x20) - 'a') > 'z' - 'a') return text;
  const std::string_view suffix = CalendarSuffix(WrittenCalendar(code));  // " CE"; empty for ORD
  if (suffix.size() < 2 || text.size() <= suffix.size()) return text;
  const std::string_view name = suffix.substr(1);
  const std::string_view end = text.substr(text.size() - name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = end[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != name[i]) return text;
  }
  std::string_view date = text.substr(0, text.size() - name.size());
  if (date.back() != ' ') return text;
  while (!date.empty() && date.back() == ' ') date.remove_suffix(1);
  return date;
}

}  // namespace

DateReading ReadDateInCalendar(std::string_view text, CalendarCode code,
                               const DateTextOptions& options, JdnReading jdn_reading) {
  DateReading reading;
  DateFields& fields = reading.fields;
  ReadFit strict{.group_separator = options.thousands_separator};
  ReadFit* const fit = options.reading == TextReading::Strict ? &strict : nullptr;
  if (fit != nullptr) text = WithoutCalendarCode(text, code);
  switch (code) {
    case cal::LPM: {
      LeapWeekDate date;
      reading.result = ParseLeapMonthDate(text, date, fit);
      // The month form travels in the record as the leap-week year, month and day of month.
      fields.Year = date.Year;
      fields.Month = date.Month;
      fields.Day = date.DayOfMonth;
      fields.DayNumber = date.DayNumber;
      break;
    }
    case cal::LPW: {
      LeapWeekDate date;
      reading.result = ParseLeapWeekDate(text, date, fit);
      fields.DayNumber = date.DayNumber;
      break;
    }
    case cal::ORD:
      reading.result = ParseOrdinalDate(text, options.hyphen, fields, fit);
      break;
    case cal::ISO: {
      IsoWeekDate date;
      reading.result = ParseIsoWeekDate(text, date, fit);
      fields.DayNumber = date.DayNumber;
      break;
    }
    case cal::JDN:
      if (jdn_reading == JdnReading::Strict) {
        int32_t number = 0;
        reading.result = ParseWholeNumberText(text, number, options.thousands_separator, fit);
        fields.DayNumber = number;
      } else {
        reading.result = ParseDateText(text, options.date_separator, code, options.format, fields, fit);
      }
      break;
    default:
      reading.result = ParseDateText(text, options.date_separator, code, options.format, fields, fit);
      break;
  }
  reading.altered = strict.altered;
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
  FormatOrdinalDate(text, date.Year, day_of_year, options.hyphen);
}

void BuildIsoWeek(TextBuilder& text, int32_t day_number, const DateTextOptions& options) {
  IsoWeekDate date;
  date.DayNumber = day_number;
  DayNumberToIsoWeekDate(date);
  FormatIsoWeekDate(text, date, options.hyphen);
}

void BuildLeapWeek(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options) {
  LeapWeekDate date;
  date.DayNumber = day_number;
  if (code == cal::LPW) {
    DayNumberToLeapWeekDate(date);
    FormatLeapWeekDate(text, date, Suffix::Without, options.thousands_separator);
  } else {
    DayNumberToLeapMonthDate(date);
    FormatLeapMonthDate(text, date, Suffix::Without, options.thousands_separator);
  }
}

// CE and JC (the letter of `code`), the record filled on the way.
void BuildCalendarDate(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
                       DateFields* record) {
  DateFields date;
  CalendarLetterForCode(code, date);
  date.DayNumber = day_number;
  DayNumberToDate(date);
  if (record != nullptr) *record = date;
  FormatDate(text, date, options.format, options.date_separator, options.thousands_separator, Suffix::Without);
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

bool WriteDayNumberInCalendar(TextBuilder& text, int32_t day_number, CalendarCode code,
                              const DateTextOptions& options, WriteStyle style, DateFields* record) {
  switch (code) {
    case cal::JDN: text.Add(GroupedNumber(day_number, options.thousands_separator)); break;
    case cal::ORD:
      if (style.check_ordinal_range && (day_number < kFirstOrdinalDay || day_number > kLastOrdinalDay)) return false;
      BuildOrdinal(text, day_number, options, record);
      break;
    case cal::ISO: BuildIsoWeek(text, day_number, options); break;
    case cal::LPW:
    case cal::LPM: BuildLeapWeek(text, day_number, code, options); break;
    case cal::JC: BuildCalendarDate(text, day_number, cal::JC, options, record); break;
    default: BuildCalendarDate(text, day_number, cal::CE, options, record); break;  // WrittenCalendar(code)
  }
  if (style.suffix) text.Add(CalendarSuffix(WrittenCalendar(code)));
  return true;
}

}  // namespace qv
