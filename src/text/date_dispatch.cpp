#include "text/date_dispatch.h"

#include <array>

#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/added_dates.h"
#include "text/calendar_table.h"
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

namespace {

// --- Readers, one per form ------------------------------------------------------------------------

int16_t ReadLeapMonth(std::string_view text, CalendarCode, const DateTextOptions&, JdnReading, DateFields& fields,
                      ReadFit* fit) {
  LeapWeekDate date;
  const int16_t result = ParseLeapMonthDate(text, date, fit);
  // The month form travels in the record as the leap-week year, month and day of month.
  fields.Year = date.Year;
  fields.Month = date.Month;
  fields.Day = date.DayOfMonth;
  fields.DayNumber = date.DayNumber;
  return result;
}

int16_t ReadLeapWeek(std::string_view text, CalendarCode, const DateTextOptions&, JdnReading, DateFields& fields,
                     ReadFit* fit) {
  LeapWeekDate date;
  const int16_t result = ParseLeapWeekDate(text, date, fit);
  fields.DayNumber = date.DayNumber;
  return result;
}

int16_t ReadOrdinal(std::string_view text, CalendarCode, const DateTextOptions& options, JdnReading,
                    DateFields& fields, ReadFit* fit) {
  return ParseOrdinalDate(text, options.hyphen, fields, fit);
}

int16_t ReadIsoWeek(std::string_view text, CalendarCode, const DateTextOptions&, JdnReading, DateFields& fields,
                    ReadFit* fit) {
  IsoWeekDate date;
  const int16_t result = ParseIsoWeekDate(text, date, fit);
  fields.DayNumber = date.DayNumber;
  return result;
}

// CE and JC, and the codes read as dates of those calendars (AN, TLW, ARC).
int16_t ReadCalendarDate(std::string_view text, CalendarCode code, const DateTextOptions& options, JdnReading,
                         DateFields& fields, ReadFit* fit) {
  return ParseDateText(text, options.date_separator, code, options.format, fields, fit);
}

int16_t ReadDayNumber(std::string_view text, CalendarCode code, const DateTextOptions& options,
                      JdnReading jdn_reading, DateFields& fields, ReadFit* fit) {
  if (jdn_reading == JdnReading::Lenient) return ReadCalendarDate(text, code, options, jdn_reading, fields, fit);
  int32_t number = 0;
  const int16_t result = ParseWholeNumberText(text, number, options.thousands_separator, fit);
  fields.DayNumber = number;
  return result;
}

int16_t ReadAdded(std::string_view text, CalendarCode code, const DateTextOptions& options, JdnReading,
                  DateFields& fields, ReadFit* fit) {
  return ParseAddedDate(text, code, options, fields, fit);
}

int16_t ReadLongCount(std::string_view text, CalendarCode, const DateTextOptions&, JdnReading, DateFields& fields,
                      ReadFit* fit) {
  return ParseLongCountDate(text, fields, fit);
}

// --- Writers, one per form ------------------------------------------------------------------------

bool WriteDayNumber(TextBuilder& text, int32_t day_number, CalendarCode, const DateTextOptions& options, WriteStyle,
                    DateFields*) {
  text.Add(GroupedNumber(day_number, options.thousands_separator));
  return true;
}

// ORD: year and day of the year of a CE date, the record filled on the way.
bool WriteOrdinal(TextBuilder& text, int32_t day_number, CalendarCode, const DateTextOptions& options,
                  WriteStyle style, DateFields* record) {
  if (style.check_ordinal_range && (day_number < kFirstOrdinalDay || day_number > kLastOrdinalDay)) return false;
  DateFields date;
  date.DayNumber = day_number;
  CalendarLetterForCode(cal::ORD, date);
  DayNumberToCalendarDate(date);
  const int16_t day_of_year = DayOfYear(date);
  if (record != nullptr) *record = date;
  FormatOrdinalDate(text, date.Year, day_of_year, options.hyphen);
  return true;
}

bool WriteIsoWeek(TextBuilder& text, int32_t day_number, CalendarCode, const DateTextOptions& options, WriteStyle,
                  DateFields*) {
  IsoWeekDate date;
  date.DayNumber = day_number;
  DayNumberToIsoWeekDate(date);
  FormatIsoWeekDate(text, date, options.hyphen);
  return true;
}

// Both forms of the leap-week calendar: the week form for LPW, the month form for LPM.
bool WriteLeapWeek(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options, WriteStyle,
                   DateFields*) {
  LeapWeekDate date;
  date.DayNumber = day_number;
  if (code == cal::LPW) {
    DayNumberToLeapWeekDate(date);
    FormatLeapWeekDate(text, date, Suffix::Without, options.thousands_separator);
  } else {
    DayNumberToLeapMonthDate(date);
    FormatLeapMonthDate(text, date, Suffix::Without, options.thousands_separator);
  }
  return true;
}

// CE and JC (the letter of the row's written calendar), the record filled on the way.
bool WriteCalendarDate(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
                       WriteStyle, DateFields* record) {
  DateFields date;
  CalendarLetterForCode(code == cal::JC ? cal::JC : cal::CE, date);
  date.DayNumber = day_number;
  DayNumberToDate(date);
  if (record != nullptr) *record = date;
  FormatDate(text, date, options.format, options.date_separator, options.thousands_separator, Suffix::Without);
  return true;
}

// False outside the calendar's range, and for a calendar that is not available.
bool WriteAdded(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options, WriteStyle,
                DateFields* record) {
  return WriteAddedDate(text, day_number, code, options, record);
}

using enum MonthsMode;

// Indexed by the code: the order of the code table.
constexpr std::array<CalendarRow, cal::kCount> kCalendarRows{{
    {cal::CE, cal::CE, ReadCalendarDate, WriteCalendarDate, RecordMonths, nullptr},
    {cal::JC, cal::JC, ReadCalendarDate, WriteCalendarDate, RecordMonths, nullptr},
    {cal::JDN, cal::JDN, ReadDayNumber, WriteDayNumber, None, nullptr},
    {cal::AN, cal::CE, ReadCalendarDate, WriteCalendarDate, RecordMonths, nullptr},
    {cal::ORD, cal::ORD, ReadOrdinal, WriteOrdinal, None, nullptr},
    {cal::TLW, cal::CE, ReadCalendarDate, WriteCalendarDate, RecordMonths, nullptr},
    {cal::ISO, cal::ISO, ReadIsoWeek, WriteIsoWeek, None, nullptr},
    {cal::LPW, cal::LPW, ReadLeapWeek, WriteLeapWeek, None, nullptr},
    {cal::LPM, cal::LPM, ReadLeapMonth, WriteLeapWeek, LeapWeekMonths, nullptr},
    {cal::ARC, cal::CE, ReadCalendarDate, WriteCalendarDate, RecordMonths, nullptr},
    {cal::HEB, cal::HEB, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::ISL, cal::ISL, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::PER, cal::PER, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::FRR, cal::FRR, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::COP, cal::COP, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::ETH, cal::ETH, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::MAY, cal::MAY, ReadLongCount, WriteAdded, None, AddedCalendarNote},
    {cal::IND, cal::IND, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::CHN, cal::CHN, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::KOR, cal::KOR, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::VNM, cal::VNM, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::BAH, cal::BAH, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::UMQ, cal::UMQ, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::JPN, cal::JPN, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::ROC, cal::ROC, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::THA, cal::THA, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
    {cal::RJU, cal::RJU, ReadAdded, WriteAdded, AddedMonths, AddedCalendarNote},
}};

constexpr bool RowsInCodeOrder() {
  for (std::size_t i = 0; i < kCalendarRows.size(); ++i) {
    if (kCalendarRows[i].code != static_cast<CalendarCode>(i)) return false;
  }
  return true;
}
static_assert(RowsInCodeOrder(), "the row of each code stands at its index");

}  // namespace

const CalendarRow& CalendarRowOf(CalendarCode code) {
  if (code < 0 || code >= cal::kCount) return kCalendarRows[cal::CE];
  return kCalendarRows[static_cast<std::size_t>(code)];
}

DateReading ReadDateInCalendar(std::string_view text, CalendarCode code,
                               const DateTextOptions& options, JdnReading jdn_reading) {
  DateReading reading;
  ReadFit strict{.group_separator = options.thousands_separator};
  ReadFit* const fit = options.reading == TextReading::Strict ? &strict : nullptr;
  const std::size_t given_size = text.size();
  if (fit != nullptr) text = WithoutCalendarCode(text, code);
  // A code outside the table is read as its own code (as a CE date).
  reading.result = CalendarRowOf(code).read(text, code, options, jdn_reading, reading.fields, fit);
  reading.altered = strict.altered;
  // The writer puts no calendar code after the date: a text read without its code is not as written.
  reading.as_written = strict.as_written && reading.result == kReadValid && text.size() == given_size;
  // Whatever a failed reader left behind is of no use to anyone: hand back a fresh record.
  if (reading.result != kReadValid) reading.fields = DateFields{};
  return reading;
}

CalendarCode WrittenCalendar(CalendarCode code) { return CalendarRowOf(code).written_as; }

bool WriteDayNumberInCalendar(TextBuilder& text, int32_t day_number, CalendarCode code,
                              const DateTextOptions& options, WriteStyle style, DateFields* record) {
  const CalendarRow& row = CalendarRowOf(code);
  if (!row.write(text, day_number, row.written_as, options, style, record)) return false;
  if (style.suffix) text.Add(CalendarSuffix(row.written_as));
  return true;
}

}  // namespace qv
