#pragma once
// The names of the added calendars' months, eras and Mayan day names, in English and German,
// and the reading of a name a user copied from elsewhere (any case, accents and apostrophes
// optional, the usual spelling variants).
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "text/language.h"

namespace qv {

// The name of `month` (its place in the year, as the calendar's row counts) of `year` in added
// calendar `code`; empty for a month the table does not have, and for a calendar that is not
// available. The year matters to the Hebrew months (month 6 of a leap year is Adar I, of a common
// year Adar), to the lunisolar ones (the place after the leap month) and to the Thai ones (a year
// of 1889 … 1940 began with April).
std::string_view AddedMonthName(CalendarCode code, int32_t year, int16_t month, Language language);
// The name of a month by its label (added_calendars.h): "Leap Second Month", "Ayyám-i-Há" (0),
// "December"; empty for a label the calendar does not name (and for the Hebrew calendar, whose
// names need the year).
std::string_view AddedMonthLabelName(CalendarCode code, MonthLabel label, Language language);

// The era written with a year in the named form ("AM", "AH", "AP", "Saka", "BE", "Minguo"); empty
// for the French Republican calendar, whose year follows the word "an", for the calendars whose
// year stands alone, for the Japanese one, whose eras change with the date, and for the Mayan
// long count.
std::string_view AddedEraName(CalendarCode code);

// Mayan day names: Tzolk'in 1 = Imix … 20 = Ahau, Haab' months 1 = Pop … 19 = Uayeb.
std::string_view TzolkinDayName(int16_t name);
std::string_view HaabMonthName(int16_t month);

// A name reduced to what tells it apart: ASCII letters in lower case, the accented Latin letters
// of Latin-1 and Latin Extended-A folded to their base letter (é → e, ß → ss, ō → o), everything
// else (blanks, apostrophes, hyphens, dots, other scripts) left out. "Rabi' al-Awwal" and
// "rabi al awwal" both become "rabialawwal", "Shōwa" becomes "showa".
std::string NameKey(std::string_view text);

// The longest month name of calendar `code` that `key` (a NameKey) begins with: the month's place
// in `year` and the count of key characters it took; month 0 when none, or when `year` has no such
// month (a leap month the year lacks). Names of both languages and
// their variants are taken. For a Hebrew common year the leap-year names Adar I and Adar II stand for
// Adar; for a leap year "Adar" alone stands for Adar I.
struct NameMatch {
  int16_t month = 0;
  std::size_t length = 0;
};
NameMatch MatchAddedMonthName(CalendarCode code, std::string_view key, int32_t year);
// The same with the calendar's rules given (tests give rules of their own).
NameMatch MatchAddedMonthNameWith(const AddedCalendarRules& rules, CalendarCode code, std::string_view key, int32_t year);

// Whether `key` (a NameKey) is the era of calendar `code` as it may follow a year ("am", "ah", …).
bool IsAddedEraKey(CalendarCode code, std::string_view key);

// The Mayan names a key stands for: 1 … 20 (Tzolk'in) or 1 … 19 (Haab'); 0 when none.
int16_t TzolkinDayOfKey(std::string_view key);
int16_t HaabMonthOfKey(std::string_view key);

// Roman numerals of 1 … 3999 ("CCXXXIII"); empty for any other value. And back, from a NameKey
// ("ccxxxiii" → 233); 0 when the key is not a numeral in its usual form.
std::string RomanNumeral(int64_t value);
int32_t RomanNumeralValue(std::string_view key);

}  // namespace qv
