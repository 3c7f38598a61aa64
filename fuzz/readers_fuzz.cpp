// Every date and number reader against arbitrary text.
//
// Input layout: byte 0 picks the calendar code (value % 27: the described ten and the seventeen
// added calendars, available or not), the CE/JC date format (value / 27 % 3) and the hyphen option
// (value / 81 % 2);
// byte 1 picks the date separator
// (value % 3: "-", "/", ".") and the thousands separator (value / 3 % 3: ",", ".", none);
// the rest is the text. Missing option bytes take the defaults.
//
// Properties checked (a violation traps):
//  - every reader answers 1, 0 or -1, and the style tests 1, 0 or -1;
//  - a valid reading holds a date that exists, within the readers' limits, and its day number
//    converts back to the same fields;
//  - a text that reads as valid through ReadDateInCalendar, written back with
//    WriteDayNumberInCalendar, reads again as valid with the same day number, strictly and
//    leniently, under every combination of the options (none is left out);
//  - the first four text bytes, taken as a day number within the readers' limits, written in
//    the calendar and read back give that day number (so every range is reached, not only the
//    dates the fuzzer manages to spell);
//  - strict reading takes every written text as written, with its calendar code after it too,
//    and never answers otherwise than lenient reading: a text it reads without leaving anything
//    out reads leniently (when it does) to the same day number;
//  - an added calendar's verbose note, in both languages, reads back to the same day (the Mayan
//    day names after the long count, which must match the day);
//  - a day outside an added calendar's range, or any day of a calendar not yet available, has no
//    text and no note, and nothing reads as such a day.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "calendar/date_fields.h"
#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/added_dates.h"
#include "text/date_dispatch.h"
#include "text/date_readers.h"
#include "fuzz_checks.h"

namespace {

using qv::fuzz::Require;

bool IsResultCode(int16_t code) { return code == 1 || code == 0 || code == -1; }

bool WithinYearLimit(int32_t year) { return year >= -qv::YearLimit && year <= qv::YearLimit; }

bool WithinDayNumberLimit(int32_t number) {
  return number >= -qv::DayNumberLimit && number <= qv::DayNumberLimit;
}

// A valid CE or JC record names a real day whose day number gives the same fields back.
void CheckCalendarDate(const qv::DateFields& date) {
  Require(date.Calendar == qv::kLetterGregorian || date.Calendar == qv::kLetterJulian);
  Require(WithinYearLimit(date.Year));
  Require(date.Month >= 1 && date.Month <= 12);
  const bool julian = date.Calendar == qv::kLetterJulian;
  Require(date.Day >= 1 && date.Day <= qv::civil::MonthLength(date.Year, date.Month, julian));
  Require(date.DayNumber == qv::civil::ToDayNumber(date.Year, date.Month, date.Day, julian));
  qv::DateFields back;
  back.Calendar = date.Calendar;
  back.DayNumber = date.DayNumber;
  qv::DayNumberToDate(back);
  Require(back.Year == date.Year && back.Month == date.Month && back.Day == date.Day);
}

void CheckIsoDate(const qv::IsoWeekDate& date) {
  Require(date.Year > -qv::YearLimit && date.Year < qv::YearLimit);
  Require(date.Week >= 1 && date.Week <= (qv::IsoYearHas53Weeks(date.Year) ? 53 : 52));
  Require(date.Weekday >= 1 && date.Weekday <= 7);
  qv::IsoWeekDate back;
  back.DayNumber = date.DayNumber;
  qv::DayNumberToIsoWeekDate(back);
  Require(back.Year == date.Year && back.Week == date.Week && back.Weekday == date.Weekday);
}

void CheckLeapWeekFields(const qv::LeapWeekDate& date) {
  Require(WithinYearLimit(date.Year));
  Require(date.Week >= 1 && date.Week <= qv::LeapWeekYearWeeks(qv::IsLeapWeekYear(date.Year)));
  Require(date.Weekday >= 1 && date.Weekday <= 7);
  qv::LeapWeekDate back;
  back.DayNumber = date.DayNumber;
  qv::DayNumberToLeapWeekDate(back);
  Require(back.Year == date.Year && back.Week == date.Week && back.Weekday == date.Weekday);
}

void CheckLeapMonthFields(const qv::LeapWeekDate& date) {
  Require(WithinYearLimit(date.Year));
  Require(date.Month >= 1 && date.Month <= 12);
  const bool leap = qv::IsLeapWeekYear(date.Year);
  Require(date.DayOfMonth >= 1 && date.DayOfMonth <= qv::LeapWeekMonthWeeks(date.Month, leap) * 7);
  qv::LeapWeekDate back;
  back.DayNumber = date.DayNumber;
  qv::DayNumberToLeapMonthDate(back);
  Require(back.Year == date.Year && back.Month == date.Month && back.DayOfMonth == date.DayOfMonth);
}

void FuzzDirectReaders(std::string_view text, qv::CalendarCode code, const qv::DateTextOptions& options) {
  {
    qv::DateFields date;
    const int16_t result = qv::ParseDateText(text, options.date_separator, code, options.format, date);
    Require(IsResultCode(result));
    if (result == qv::kReadValid) {
      if (code == qv::cal::JDN) {
        Require(WithinDayNumberLimit(date.DayNumber));
      } else if (code == qv::cal::CE || code == qv::cal::JC || code == qv::cal::ORD ||
                 code == qv::cal::LPW || code == qv::cal::LPM) {
        Require(date.Calendar == (code == qv::cal::JC ? qv::kLetterJulian : qv::kLetterGregorian));
        CheckCalendarDate(date);
      }
    }
  }
  {
    int16_t result = 7;
    const int32_t number = qv::ParseDayNumberText(text, result);
    Require(IsResultCode(result));
    if (result == qv::kReadValid) Require(WithinDayNumberLimit(number));
  }
  {
    int32_t number = 0;
    const int16_t result = qv::ParseWholeNumberText(text, number);
    Require(IsResultCode(result));
    if (result == qv::kReadValid) Require(number >= -2'099'999'999 && number <= 2'099'999'999);
  }
  {
    qv::DateFields date;
    const int16_t result = qv::ParseOrdinalDate(text, options.hyphen, date);
    Require(IsResultCode(result));
    if (result == qv::kReadValid) {
      Require(date.Year >= 1 && date.Year <= 9999);
      Require(date.DayNumber >= qv::kFirstOrdinalDay && date.DayNumber <= qv::kLastOrdinalDay);
      CheckCalendarDate(date);
    }
  }
  {
    qv::IsoWeekDate date;
    const int16_t result = qv::ParseIsoWeekDate(text, date);
    Require(IsResultCode(result));
    if (result == qv::kReadValid) CheckIsoDate(date);
  }
  {
    qv::LeapWeekDate date;
    const int16_t result = qv::ParseLeapWeekDate(text, date);
    Require(IsResultCode(result));
    if (result == qv::kReadValid) CheckLeapWeekFields(date);
  }
  {
    qv::LeapWeekDate date;
    const int16_t result = qv::ParseLeapMonthDate(text, date);
    Require(IsResultCode(result));
    if (result == qv::kReadValid) CheckLeapMonthFields(date);
  }
  Require(IsResultCode(qv::OrdinalTextStyle(text)));
  Require(IsResultCode(qv::IsoTextStyle(text)));
  {
    std::string kept(text);
    qv::KeepDateCharacters(kept, options.date_separator, [](std::size_t) {});
    for (const char c : kept) {
      Require((c >= '0' && c <= '9') || c == '-' || options.date_separator.find(c) != std::string_view::npos);
    }
  }
  {
    const auto key = static_cast<int16_t>(text.empty() ? 0 : static_cast<unsigned char>(text.front()));
    const bool allowed = qv::IsDateKeyAllowed(key, text.size(), qv::MaxInputLength, options.date_separator,
                                              code == qv::cal::ISO);
    (void)allowed;
  }
}

// What Compute does with a box text: JDN is read strictly, every other calendar as always.
// The strict JDN reader's own limit is one short of the day numbers' limit: ±2,100,000,000
// itself reads as out of range, which is the reader's documented answer, not a failure.
void RequireReadsBackAs(const std::string& written, int32_t day_number, qv::CalendarCode code,
                        const qv::DateTextOptions& options, qv::JdnReading reading) {
  const qv::DateReading again = qv::ReadDateInCalendar(written, code, options, reading);
  if (code == qv::cal::JDN && reading == qv::JdnReading::Strict &&
      (day_number == qv::DayNumberLimit || day_number == -qv::DayNumberLimit)) {
    Require(again.result == qv::kReadOutOfRange);
    return;
  }
  Require(again.result == qv::kReadValid);
  Require(again.fields.DayNumber == day_number);
}

// A box text reads back under the same options, in both JDN readings; strictly, a result date
// with its calendar code after it reads back too, and neither leaves anything out.
void RequireBoxTextReadsBack(int32_t day_number, qv::CalendarCode code, const qv::DateTextOptions& options) {
  if (qv::IsAddedCalendar(code) && code != qv::cal::MAY) {
    // A day the calendar does not convert: no text, no note.
    const qv::AddedCalendarRules* rules = qv::AddedCalendarRulesOf(code);
    if (rules == nullptr || !qv::AddedDateOf(*rules, day_number)) {
      qv::TextBuilder written;
      Require(!qv::WriteDayNumberInCalendar(written, day_number, code, options));
      Require(written.Text().empty());
      Require(qv::AddedCalendarNote(code, day_number, qv::Language::English).empty());
      return;
    }
  }
  qv::DateTextOptions strict = options;
  strict.reading = qv::TextReading::Strict;
  for (const bool suffix : {false, true}) {
    qv::TextBuilder written;
    Require(qv::WriteDayNumberInCalendar(written, day_number, code, options,
                                         qv::WriteStyle{.suffix = suffix, .check_ordinal_range = false}));
    if (!suffix) {
      for (const qv::JdnReading reading : {qv::JdnReading::Strict, qv::JdnReading::Lenient}) {
        RequireReadsBackAs(written.Text(), day_number, code, options, reading);
      }
    }
    RequireReadsBackAs(written.Text(), day_number, code, strict, qv::JdnReading::Strict);
    Require(!qv::ReadDateInCalendar(written.Text(), code, strict, qv::JdnReading::Strict).altered);
  }
  if (!qv::IsAddedCalendar(code)) return;
  for (const qv::Language language : {qv::Language::English, qv::Language::German}) {
    std::string note = qv::AddedCalendarNote(code, day_number, language);
    if (code == qv::cal::MAY) {
      qv::TextBuilder count;
      qv::WriteDayNumberInCalendar(count, day_number, code, options);
      note = count.Text() + " " + note;
    }
    RequireReadsBackAs("(" + note + ")", day_number, code, strict, qv::JdnReading::Strict);
  }
}

// Strict reading answers as lenient reading does, or refuses.
void RequireStrictAgreesWithLenient(std::string_view text, qv::CalendarCode code, const qv::DateTextOptions& options) {
  qv::DateTextOptions strict = options;
  strict.reading = qv::TextReading::Strict;
  for (const qv::JdnReading reading : {qv::JdnReading::Strict, qv::JdnReading::Lenient}) {
    const qv::DateReading as_written = qv::ReadDateInCalendar(text, code, strict, reading);
    Require(IsResultCode(as_written.result));
    if (as_written.result != qv::kReadValid || as_written.altered) continue;
    const qv::DateReading pasted = qv::ReadDateInCalendar(text, code, options, reading);
    if (pasted.result == qv::kReadValid) Require(pasted.fields.DayNumber == as_written.fields.DayNumber);
  }
  qv::ReadFit fit{.group_separator = options.thousands_separator};
  int16_t strict_result = 0, lenient_result = 0;
  const int32_t as_written = qv::ParseDayNumberText(text, strict_result, &fit);
  const int32_t pasted = qv::ParseDayNumberText(text, lenient_result);
  Require(strict_result == lenient_result && as_written == pasted);
}

void FuzzRoundTrip(std::string_view text, qv::CalendarCode code, const qv::DateTextOptions& options) {
  RequireStrictAgreesWithLenient(text, code, options);
  for (const qv::JdnReading reading : {qv::JdnReading::Strict, qv::JdnReading::Lenient}) {
    const qv::DateReading first = qv::ReadDateInCalendar(text, code, options, reading);
    Require(IsResultCode(first.result));
    if (first.result != qv::kReadValid) continue;
    // AN, TLW and ARC have no box of their own: a box never holds their texts.
    if (code == qv::cal::AN || code == qv::cal::TLW || code == qv::cal::ARC) continue;
    const int32_t day_number = first.fields.DayNumber;
    if (qv::IsAddedCalendar(code) && code != qv::cal::MAY) {
      const qv::AddedCalendarRules* rules = qv::AddedCalendarRulesOf(code);
      Require(rules != nullptr && qv::AddedDateOf(*rules, day_number).has_value());
    }
    if (code == qv::cal::ORD) {
      // The ordinal reader only takes years 1 … 9999, so its dates always lie in the ordinal range.
      Require(day_number >= qv::kFirstOrdinalDay && day_number <= qv::kLastOrdinalDay);
    }
    RequireBoxTextReadsBack(day_number, code, options);
  }
}

void FuzzWrittenDayNumber(std::string_view text, qv::CalendarCode code, const qv::DateTextOptions& options) {
  if (text.size() < 4) return;
  if (code == qv::cal::AN || code == qv::cal::TLW || code == qv::cal::ARC) return;
  uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) bits = bits << 8 | static_cast<unsigned char>(text[i]);
  // Spread the 32 bits over -2,100,000,000 … 2,100,000,000.
  constexpr int64_t kSpan = 2 * int64_t{qv::DayNumberLimit} + 1;
  auto day_number = static_cast<int32_t>(static_cast<int64_t>(bits % static_cast<uint64_t>(kSpan)) -
                                         qv::DayNumberLimit);
  if (code == qv::cal::ORD) {
    constexpr int64_t kOrdinalSpan = int64_t{qv::kLastOrdinalDay} - qv::kFirstOrdinalDay + 1;
    day_number = static_cast<int32_t>(qv::kFirstOrdinalDay + static_cast<int64_t>(bits % kOrdinalSpan));
  }
  RequireBoxTextReadsBack(day_number, code, options);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static constexpr std::string_view kDateSeparators[] = {"-", "/", "."};
  static constexpr std::string_view kThousandsSeparators[] = {",", ".", ""};

  const unsigned first = size > 0 ? data[0] : 0u;
  const unsigned second = size > 1 ? data[1] : 0u;
  const std::size_t skip = size < 2 ? size : 2;

  const auto code = static_cast<qv::CalendarCode>(first % qv::cal::kCount);
  qv::DateTextOptions options;
  options.format = static_cast<qv::DateFormat>(first / qv::cal::kCount % 3);
  options.hyphen = static_cast<qv::Hyphen>(first / (3 * qv::cal::kCount) % 2);
  options.date_separator = kDateSeparators[second % 3];
  options.thousands_separator = kThousandsSeparators[second / 3 % 3];

  const std::string text(reinterpret_cast<const char*>(data) + skip, size - skip);
  FuzzDirectReaders(text, code, options);
  FuzzRoundTrip(text, code, options);
  FuzzWrittenDayNumber(text, code, options);
  return 0;
}
