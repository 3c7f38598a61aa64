#pragma once
// The calendar library: Common Era / Julian dates to and from day numbers, the weekday, the
// low-level reader of CE/JC date texts and digit grouping. Every call is total: no input makes
// it fail, overflow or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "calendar/civil.h"
#include "calendar/date_fields.h"

namespace qv {

// str_to_date result codes besides 0 (valid).
inline constexpr int32_t kStrToDateOutOfRange = -5;
inline constexpr int32_t kStrToDateMalformed = -1;  // missing, empty or non-numeric field
inline constexpr int32_t kStrToDateBadMonth = -2;
inline constexpr int32_t kStrToDateBadDay = -3;

// days_elapsed status when the difference leaves the 32-bit range.
inline constexpr int32_t kDaysElapsedOverflow = 1;

// Fills DayNumber from Year, Month, Day and the letter ('J' Julian, anything else Common Era)
// and returns it. A result beyond the 32-bit range is clamped to its nearest end; callers that
// can produce such dates use DateToDayNumberChecked instead. (In the header: every date a reader
// takes ends here, and a call cost as much as the sum.)
inline int32_t euro_date_to_jdn(DateFields& date) {
  date.DayNumber = civil::ToDayNumber32(date.Year, date.Month, date.Day, IsJulianLetter(date.Calendar));
  return date.DayNumber;
}
// Fills Year, Month and Day from DayNumber and the letter.
void jdn_to_euro_date(DateFields& date);
// 0 = Sunday … 6 = Saturday.
int32_t euro_day_of_week(int32_t day_number);

// Annus Novus calendar: twelve-month structure is not needed by any feature; the library keeps
// the smallest pair that round-trips: a year of ten months (nine of 36 days, the last taking
// the rest), counted from the same epoch and leap rule as the Common Era calendar.
int32_t annus_novus_date_to_jdn(DateFields& date);
void jdn_to_annus_novus_date(DateFields& date);

// Told, in order, the position of each character a reading of a date text skips.
class SkippedCharacters {
 public:
  virtual void Skipped(std::size_t at) = 0;

 protected:
  ~SkippedCharacters() = default;
};

// How str_to_date takes its text beyond the three fields. By default as the library's callers
// hand it over: digits, '-' and at most one other character, which then separates the fields
// (a second such character makes the text no date). A date box's reader names its separator
// instead ('-' or another character): then only digits, '-' and that separator count, and
// every other character is skipped as though the text had been stripped of it first.
struct DateTextRules {
  std::optional<char> separator;           // none: the text's own
  SkippedCharacters* skipped = nullptr;    // with a named separator: told of each skipped character
  // Receives on success the digit count of the longer of the month and day fields (leading
  // zeros counted, skipped characters not).
  std::size_t* day_and_month_digits = nullptr;
  // Another calendar's months: the days of `month` in `year`, 0 for a month the year lacks; none:
  // the months of the letter's calendar.
  int16_t (*days_in_month)(int32_t year, int16_t month) = nullptr;
  // The largest year magnitude read; beyond it the text is out of range. The added calendars,
  // whose years follow from the day-number range, take a wider limit and check the day number.
  int64_t year_limit = 5'800'000;
};

// Reads "Y?M?D" in the field order of date_format (0 MDY, 1 DMY, 2 YMD); the year field may
// carry a leading '-'. Returns 0 and fills Year, Month, Day, Calendar (= letter) when the date
// exists in the calendar of the letter; kStrToDateOutOfRange when the year's magnitude exceeds
// 5,800,000; another negative code for any other defect. One pass over the text finds the
// fields, whatever `rules` skip.
int32_t str_to_date(std::string_view text, int16_t date_format, DateFields& date, int32_t letter,
                    const DateTextRules& rules = {});

// Days from `earlier` to `later` (later first). Records whose letter is 0 count as CE.
// status stays 0 on success and becomes kDaysElapsedOverflow when the difference does not
// fit 32 bits (the result is then 0).
int32_t days_elapsed(const DateFields& later, const DateFields& earlier, int32_t& status);

// Writes `digits` (an optional leading '-' and decimal digits) with `separator` between groups
// of three digits counted from the right into `out`, ended by a zero character. The area holds
// 20 characters; a longer result is cut to 19 characters.
void separate_thousands(std::string_view digits, int32_t separator, char (&out)[20]);

}  // namespace qv
