#pragma once
// One month of the Common Era or the Julian calendar as a text grid of weeks, the ISO 8601 week
// dates of its rows, and the text that the month window copies (and quorvan-cli prints).
//
// Lines inside the returned texts are joined with a line feed; a caller that needs another line
// ending replaces it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_codes.h"
#include "text/language.h"
#include "text/date_dispatch.h"
#include "text/language.h"

namespace qv {

// Years the grid accepts: the range every date reader and conversion is made for. The first and
// last cells of a grid may lie one year beyond it; their day numbers still fit 32 bits.
inline constexpr int32_t kMonthGridYearLimit = YearLimit;

inline constexpr std::size_t kMonthHeaderLength = 35;  // seven columns of five characters
inline constexpr std::size_t kMonthRowLength = 36;     // a leading space and seven cells
// A row's cells: after its first character, five characters each, the day right-aligned in the
// first three.
inline constexpr int kMonthRowIndent = 1;
inline constexpr int kMonthCellWidth = 5;
inline constexpr int kMonthDayWidth = 3;
inline constexpr int16_t kMaxMonthRows = 6;

enum class MonthYearStatus {
  Valid,
  NoYear,      // no digit left after the reduction: the user has not given a year
  OutOfRange,  // digits, but a year beyond kMonthGridYearLimit in magnitude
};

struct MonthYearReading {
  MonthYearStatus status = MonthYearStatus::NoYear;
  int32_t year = 0;  // set when Valid
};

// The year box's text as the month window reads it: blanks trimmed, everything but digits and
// the signs in front of them dropped ("20x24" is 2024, " -44 " is -44, "+-5" is -5).
MonthYearReading ReadMonthYear(std::string_view text);

// No other calendar beneath the grid's days: the grid as described.
inline constexpr CalendarCode kNoOtherCalendar = -1;

enum class WeekStart : uint8_t { Sunday, Monday };
enum class MonthCalendar : uint8_t { CommonEra, Julian };

struct MonthGridRequest {
  int32_t year = 0;  // within ±kMonthGridYearLimit
  int16_t month = 1;  // 1 = January … 12 = December
  MonthCalendar calendar = MonthCalendar::CommonEra;
  WeekStart week_start = WeekStart::Sunday;
  Language language = Language::English;
  // An added calendar (HEB … IND) whose day of the month each day shows beneath it (for the Mayan
  // long count the kin, 0 … 19); kNoOtherCalendar for none.
  CalendarCode other = kNoOtherCalendar;
};

struct MonthGrid {
  std::string header;             // kMonthHeaderLength characters
  std::vector<std::string> rows;  // each kMonthRowLength characters
  int16_t row_count = 0;          // 1 … 6 (4 only for a February that fills four whole weeks)
  int32_t first_cell_day = 0;     // day number of the first cell: the first day of the week on
                                  // or before the first of the month
  // With another calendar: beneath each row, the other calendar's days in the same cells (each
  // kMonthRowLength characters, so that a fixed-pitch font lines them up), and the other
  // calendar's months from the first cell to the last ("Kislev – Tevet 5785"). Empty without.
  std::vector<std::string> other_rows;
  std::string other_months;
  // Cells of the month before in the first row and of the month after in the last: 0 … 6 each.
  int16_t days_before = 0;
  int16_t days_after = 0;

  std::string Text() const;  // header and rows, one per line, each row followed by its other row
};

// The grid of a month; nullopt when the year or month lies outside the range above.
std::optional<MonthGrid> BuildMonthGrid(const MonthGridRequest& request);

enum class IsoYearDigit : uint8_t { Without, With };

// The ISO week dates of `row_count` rows that begin on Mondays from `first_cell_day` on: a
// header of weekday names and one line per row ("W22-1  W22-2 …" or "4-W22-1  4-W22-2 …", the
// digit being the last one of the ISO year). Meaningful only for a Common Era grid that starts
// on Mondays; the window offers it for no other.
std::vector<std::string> IsoWeekLines(int32_t first_cell_day, int16_t row_count, IsoYearDigit digit,
                                      Language language);
std::string IsoWeekText(int32_t first_cell_day, int16_t row_count, IsoYearDigit digit, Language language);

// "June 2024 (Common Era Calendar)": month name, year, calendar name in `language`.
std::string MonthHeading(const MonthGridRequest& request);

// The first character of each row of another calendar, where a row of the grid's own has a blank,
// and of the line that names that calendar: copied or printed, those rows cannot be taken for days
// of the Common Era or the Julian calendar.
inline constexpr char kOtherRowMarker = '>';

// With another calendar, the line that names it, its code and its months under the heading,
// after the rows' marker: "> Hebrew (HEB): Adar II – Nisan 5784"; empty without one.
std::string OtherCalendarLine(const MonthGridRequest& request, const MonthGrid& grid);

// For a screen reader, which days of the first and the last row belong to the months beside the
// grid's own: "First row: 26 to 31 May. Last row: 1 to 6 July."; empty when every cell is of the
// month itself.
std::string NeighbourDaysText(const MonthGridRequest& request, const MonthGrid& grid);

// The copied text: heading, empty line, grid; with ISO dates also an empty line, their title
// (`iso_title`), an empty line and the ISO lines. No line break at the end.
std::string MonthCopyText(std::string_view heading, std::string_view grid_text,
                          const std::optional<std::string>& iso_text, std::string_view iso_title);

// Month steps of the month window: the month after or before (year, month); nullopt when that
// month's year would leave the range, so a step never overflows and never leaves the range.
enum class MonthStep : int8_t { Next = 1, Previous = -1 };
struct YearMonth {
  int32_t year = 0;
  int16_t month = 1;
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};
std::optional<YearMonth> StepMonth(YearMonth from, MonthStep step);
// The same month a year later or earlier; nullopt when that year would leave the range.
std::optional<YearMonth> StepYear(YearMonth from, MonthStep step);

// The month the window opens at, from the main window's first date box: the date's month when
// the box holds a valid CE, JC, JDN or added-calendar date (a JC date gives its Julian year and
// month, the others their Common Era ones), otherwise today's month (Common Era).
YearMonth MonthOfFirstDate(std::string_view first_date_text, CalendarCode first_calendar,
                           const DateTextOptions& options);

}  // namespace qv
