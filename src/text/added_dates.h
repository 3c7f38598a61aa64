#pragma once
// Reading and writing dates of the added calendars. The numeric form is that of CE and JC dates
// (fields in their order and separator: 5785-01-01); the named form is what a user copies from
// elsewhere ("15 Nisan 5784", "Tishrei 1, 5785", "1 Vendémiaire an VIII"), and what the notes write
// ("1 Tishri 5785 AM"). The Mayan long count is written 13.0.0.0.0, its named form adds the
// Tzolk'in and Haab' of the day ("13.0.0.0.0 4 Ahau 3 Kankin").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "text/date_readers.h"
#include "text/language.h"
#include "text/text_builder.h"

namespace qv {

struct DateTextOptions;

// A date of added calendar `code` (not MAY) in either form. Valid: `date` holds the calendar's
// year, month (its place in the year) and day and the day number. Out of range: the day number
// lies beyond ±2,100,000,000, or outside the calendar's range (the Japanese calendar before 1873 …).
// Not valid: no such date, or a calendar that is not available. With a fit, a numeric text is held
// to its written form as CE dates are; a named text either reads whole or not at all.
//
// The numeric form marks what the month and year numbers alone do not say: a lunisolar leap month
// with "L" before its number ("2023-L02-15"; also "02L", "闰02"), the Japanese era with its letter
// or name before the year ("R7-12-08", "Reiwa 7-12-08"); the Bahá'í Ayyám-i-Há is month 00.
int16_t ParseAddedDate(std::string_view text, CalendarCode code, const DateTextOptions& options, DateFields& date,
                       ReadFit* fit);
// The same with the rules given (tests give rules of their own).
int16_t ParseAddedDateWith(const AddedCalendarRules& rules, std::string_view text, CalendarCode code,
                           const DateTextOptions& options, DateFields& date, ReadFit* fit);
// A Mayan long count, with or without the Tzolk'in and Haab' of its day (which must then be the
// day's). Valid: `date` holds the day number.
int16_t ParseLongCountDate(std::string_view text, DateFields& date, ReadFit* fit);

// The numeric form of `day_number` in added calendar `code`; for MAY the long count. `record`,
// when given, receives the calendar's year, month (place) and day and the day number. False, and
// nothing written, when the calendar is not available or the day lies outside its range.
bool WriteAddedDate(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
                    DateFields* record);
bool WriteAddedDateWith(const AddedCalendarRules& rules, TextBuilder& text, int32_t day_number, CalendarCode code,
                        const DateTextOptions& options, DateFields* record);

// The day in the named form with its era, as the verbose note shows it: "1 Tishri 5785 AM",
// "1 Vendémiaire an CCXXXIII, proleptic", "4 Ahau 3 Kankin", "8 December Reiwa 7, 令和7年12月8日",
// "15 Third Month 2024, 甲辰年 三月十五, Year of the Dragon". Empty for any other code, for a
// calendar that is not available and for a day outside its range.
std::string AddedCalendarNote(CalendarCode code, int32_t day_number, Language language);
std::string AddedCalendarNoteWith(const AddedCalendarRules& rules, CalendarCode code, int32_t day_number,
                                  Language language);

// A day of an added calendar as its users number it, for programs (quorvan-cli's JSON): the year as
// written (the Japanese era's year), the month's label, the day, the era's name for a Japanese date,
// and whether the calendar has leap months. Nullopt for MAY, for a calendar that is not available and
// outside the range.
struct AddedDateNumbers {
  int32_t year = 0;
  MonthLabel month;
  int16_t day = 0;
  std::string_view era;  // "Reiwa" …; empty for every calendar but the Japanese
  bool lunisolar = false;
  CalendarDate counted;  // the date as the calendar's row counts it (year, place, day)
};
std::optional<AddedDateNumbers> AddedDateNumbersOf(CalendarCode code, int32_t day_number);

}  // namespace qv
