#include "compute/month_grid.h"

#include <algorithm>
#include <optional>

#include "calendar/added_calendars.h"
#include "calendar/clock.h"
#include "calendar/day_numbers.h"
#include "calendar/digit_run.h"
#include "calendar/iso_ordinal.h"
#include "calendar/mayan.h"
#include "lang/added_calendar_texts.h"
#include "lang/general_texts.h"
#include "lang/month_window_texts.h"
#include "text/added_dates.h"
#include "text/calendar_names.h"
#include "text/date_readers.h"
#include "text/date_writers.h"
#include "text/string_utils.h"

namespace qv {
namespace {

constexpr int16_t kSunday = 0;
constexpr int16_t kMonday = 1;
constexpr int kDaysPerWeek = 7;

// Lengths of the ISO cells taken from the end of a written week date: "0-W01-1" keeps the last
// digit of the ISO year, "W01-1" does not.
constexpr std::size_t kIsoCellWithYear = 7;
constexpr std::size_t kIsoCellWithoutYear = 5;
constexpr std::size_t kIsoHeaderNameWidth = 8;

bool YearInRange(int64_t year) { return year >= -kMonthGridYearLimit && year <= kMonthGridYearLimit; }

int32_t LetterOf(MonthCalendar calendar) {
  return calendar == MonthCalendar::Julian ? kLetterJulian : kLetterGregorian;
}

void TrimTrailingSpaces(std::string& line) {
  const std::size_t end = line.find_last_not_of(' ');
  line.erase(end == std::string::npos ? 0 : end + 1);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

// The first three characters of a weekday's full name (every name has at least six).
std::string_view ShortWeekdayName(Language language, int day_of_week) {
  return WeekdayName(language, day_of_week).substr(0, 3);
}

// A grid cell: the day right-aligned in three characters after a blank, two blanks after it.
void AddCell(std::string& row, int day) {
  if (day < 10) row += ' ';
  row += ' ';
  row += std::to_string(day);
  row += "  ";
}

// What the other calendar shows beneath a day: its day of the month (1 … 30), for the Mayan long
// count the kin (0 … 19); both fit the two digits of a cell. Nothing for a day the calendar does
// not convert.
std::optional<int> OtherCalendarDay(CalendarCode other, int32_t day_number) {
  if (other == cal::MAY) return LongCountFromDayNumber(day_number).kin;
  const AddedCalendarRules* rules = AddedCalendarRulesOf(other);
  if (rules == nullptr) return std::nullopt;
  const std::optional<CalendarDate> date = AddedDateOf(*rules, day_number);
  if (!date) return std::nullopt;
  return date->day;
}

// A cell of the other calendar's row: its day, or blanks.
void AddOtherCell(std::string& row, std::optional<int> day) {
  if (day) {
    AddCell(row, *day);
  } else {
    row.append(5, ' ');
  }
}

// The year of a day as its calendar writes it with a month's name: "5785", "Reiwa 7".
std::string OtherYearText(CalendarCode other, int32_t day_number) {
  const std::optional<AddedDateNumbers> numbers = AddedDateNumbersOf(other, day_number);
  if (!numbers) return {};
  std::string text = std::to_string(numbers->year);
  return numbers->era.empty() ? text : std::string(numbers->era).append(" ").append(text);
}

// "Kislev – Tevet 5785", "Elul 5784 – Tishrei 5785" or "Nisan 5784": the months of the first and
// the last day, the year written once when both share it. The Mayan long count has no months by
// name: its first and last day are written in full.
std::string OtherMonthsSpanned(CalendarCode other, int32_t first_day, int32_t last_day, Language language) {
  constexpr std::string_view kDash = " \u2013 ";  // an en dash between blanks
  if (other == cal::MAY) {
    TextBuilder text;
    WriteDayNumberInCalendar(text, first_day, other, DateTextOptions{});
    text.Add(kDash);
    WriteDayNumberInCalendar(text, last_day, other, DateTextOptions{});
    return text.Text();
  }
  const AddedCalendarRules* rules = AddedCalendarRulesOf(other);
  if (rules == nullptr) return {};
  // Only the days a calendar of a narrow range converts; none of them: nothing.
  if (HasNarrowRange(*rules)) {
    first_day = std::max(first_day, rules->first_day);
    last_day = std::min(last_day, rules->last_day);
    if (first_day > last_day) return {};
  }
  const CalendarDate first = rules->from_day_number(first_day);
  const CalendarDate last = rules->from_day_number(last_day);
  const std::string first_year = OtherYearText(other, first_day);
  const std::string last_year = OtherYearText(other, last_day);
  std::string text(AddedMonthName(other, first.year, first.month, language));
  if (first_year != last_year) text.append(" ").append(first_year);
  if (first_year != last_year || first.year != last.year || first.month != last.month) {
    text.append(kDash).append(AddedMonthName(other, last.year, last.month, language));
  }
  return text.append(" ").append(last_year);
}

}  // namespace

MonthYearReading ReadMonthYear(std::string_view text) {
  std::string reduced(TrimBlanks(text));
  KeepSignedDigits(reduced, Minus::Allowed);
  // What is left: at most one '+' and one '-' in front of the digits, then digits only.
  const std::size_t first_digit = reduced.find_first_not_of("+-");
  if (first_digit == std::string::npos) return {};
  const bool negative = reduced.find('-') < first_digit;
  // Digits only from here on; a run too long for any year reads as saturated, out of range too.
  const int64_t magnitude = DigitRunValue(std::string_view(reduced).substr(first_digit)).value_or(0);
  if (magnitude > kMonthGridYearLimit) return {MonthYearStatus::OutOfRange, 0};
  return {MonthYearStatus::Valid, static_cast<int32_t>(negative ? -magnitude : magnitude)};
}

std::string MonthGrid::Text() const {
  std::string text = header;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    text += '\n';
    text += rows[i];
    if (i < other_rows.size()) {
      text += '\n';
      text += other_rows[i];
    }
  }
  return text;
}

std::optional<MonthGrid> BuildMonthGrid(const MonthGridRequest& request) {
  if (!YearInRange(request.year) || request.month < 1 || request.month > 12) return std::nullopt;
  const int16_t first_weekday = request.week_start == WeekStart::Sunday ? kSunday : kMonday;

  MonthGrid grid;
  grid.header.reserve(kMonthHeaderLength);
  for (int column = 0; column < kDaysPerWeek; ++column) {
    grid.header += ' ';
    grid.header += ShortWeekdayName(request.language, (first_weekday + column) % kDaysPerWeek);
    grid.header += ' ';
  }

  const int32_t letter = LetterOf(request.calendar);
  DateFields first{.Year = request.year, .Month = request.month, .Day = 1, .Calendar = letter};
  const int32_t first_day = DateToDayNumber(first);  // |year| <= 5.8 million: fits 32 bits
  int32_t error = 0;
  const int32_t last_day = first_day + DaysInMonth(first, error) - 1;
  // Back to the first day of the week: 0 … 6 days.
  const int days_back = (DayOfWeek(first_day) - first_weekday + kDaysPerWeek) % kDaysPerWeek;
  grid.first_cell_day = first_day - days_back;

  // A calendar that is not available shows nothing beneath the days, as none.
  const bool with_other = IsAddedCalendar(request.other) && IsAvailableCalendar(request.other);
  int32_t day = grid.first_cell_day;
  while (grid.row_count < kMaxMonthRows) {
    std::string row(1, ' ');
    row.reserve(kMonthRowLength);
    std::string other_row(1, kOtherRowMarker);
    for (int column = 0; column < kDaysPerWeek; ++column, ++day) {
      DateFields cell{.Calendar = letter, .DayNumber = day};
      DayNumberToDate(cell);
      AddCell(row, cell.Day);
      if (with_other) AddOtherCell(other_row, OtherCalendarDay(request.other, day));
    }
    grid.rows.push_back(std::move(row));
    if (with_other) grid.other_rows.push_back(std::move(other_row));
    ++grid.row_count;
    // The row just drawn ends on or after the last day of the month: the grid is complete.
    if (day - 1 >= last_day) break;
  }
  grid.days_before = static_cast<int16_t>(days_back);  // [0, 6]
  grid.days_after = static_cast<int16_t>(day - 1 - last_day);  // [0, 6]
  if (with_other) grid.other_months = OtherMonthsSpanned(request.other, grid.first_cell_day, day - 1, request.language);
  return grid;
}

std::vector<std::string> IsoWeekLines(int32_t first_cell_day, int16_t row_count, IsoYearDigit digit,
                                      Language language) {
  const bool with_year = digit == IsoYearDigit::With;
  std::vector<std::string> lines;
  std::string header;
  for (int column = 0; column < kDaysPerWeek; ++column) {
    const int day_of_week = (kMonday + column) % kDaysPerWeek;
    if (with_year) {
      std::string name(WeekdayName(language, day_of_week).substr(0, kIsoHeaderNameWidth));
      name.resize(kIsoHeaderNameWidth, ' ');
      header += name;
      header += ' ';
    } else {
      header += ' ';
      header += ShortWeekdayName(language, day_of_week);
      header += "   ";
    }
  }
  if (with_year) TrimTrailingSpaces(header);
  lines.push_back(std::move(header));

  const std::size_t cell_length = with_year ? kIsoCellWithYear : kIsoCellWithoutYear;
  for (int16_t row = 0; row < row_count && row < kMaxMonthRows; ++row) {
    IsoWeekDate week{.DayNumber = first_cell_day + kDaysPerWeek * row};
    DayNumberToIsoWeekDate(week);
    TextBuilder built;
    FormatIsoWeekDate(built, week, Hyphen::With);
    const std::string_view written = built.View();
    // The written date is at least "0-W01-1" long; keep its end without the weekday digit.
    const std::string_view prefix = written.substr(written.size() - cell_length, cell_length - 1);
    std::string line;
    for (int weekday = 1; weekday <= kDaysPerWeek; ++weekday) {
      line += prefix;
      line += static_cast<char>('0' + weekday);
      line += "  ";
    }
    TrimTrailingSpaces(line);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string IsoWeekText(int32_t first_cell_day, int16_t row_count, IsoYearDigit digit, Language language) {
  return JoinLines(IsoWeekLines(first_cell_day, row_count, digit, language));
}

std::string MonthHeading(const MonthGridRequest& request) {
  std::string heading(MonthName(request.language, request.month));
  heading += ' ';
  heading += std::to_string(request.year);
  heading += " (";
  heading += TextOf(request.calendar == MonthCalendar::Julian ? GeneralText::JulianCalendar
                                                              : GeneralText::CommonEraCalendar,
                    request.language);
  heading += ')';
  return heading;
}

std::string OtherCalendarLine(const MonthGridRequest& request, const MonthGrid& grid) {
  if (!IsAddedCalendar(request.other) || !IsAvailableCalendar(request.other)) return {};
  // A month wholly outside the calendar's range: the line says which days it converts.
  if (grid.other_months.empty()) {
    if (!HasCalendarRangeMessage(request.other)) return {};
    return std::string{kOtherRowMarker, ' '} + CalendarRangeMessage(request.other, request.language);
  }
  std::string line{kOtherRowMarker, ' '};
  line.append(AddedCalendarName(request.other, request.language));
  line.append(" (").append(CalendarTextCode(request.other)).append("): ");
  return line.append(grid.other_months);
}

std::string NeighbourDaysText(const MonthGridRequest& request, const MonthGrid& grid) {
  const int32_t letter = LetterOf(request.calendar);
  // A run of `count` cells from day number `first`, in the grid's calendar: within one month.
  const auto run = [&](int32_t first, int16_t count) -> std::optional<NeighbourRun> {
    if (count <= 0) return std::nullopt;
    DateFields start{.Calendar = letter, .DayNumber = first};
    DayNumberToDate(start);
    return NeighbourRun{.first_day = start.Day,
                        .last_day = start.Day + count - 1,
                        .month = MonthName(request.language, start.Month)};
  };
  const int32_t after_first = grid.first_cell_day + 7 * grid.row_count - grid.days_after;
  return NeighbourDaysSentence(request.language, run(grid.first_cell_day, grid.days_before),
                               run(after_first, grid.days_after));
}

std::string MonthCopyText(std::string_view heading, std::string_view grid_text,
                          const std::optional<std::string>& iso_text, std::string_view iso_title) {
  std::string text(heading);
  text += "\n\n";
  text += grid_text;
  if (iso_text) {
    text += "\n\n";
    text += iso_title;
    text += "\n\n";
    text += *iso_text;
  }
  return text;
}

std::optional<YearMonth> StepMonth(YearMonth from, MonthStep step) {
  if (from.month < 1 || from.month > 12 || !YearInRange(from.year)) return std::nullopt;
  YearMonth to = from;
  if (step == MonthStep::Next) {
    if (from.month == 12) {
      to = {from.year + 1, 1};  // |year| <= 5.8 million: no overflow
    } else {
      to.month = static_cast<int16_t>(from.month + 1);
    }
  } else {
    if (from.month == 1) {
      to = {from.year - 1, 12};
    } else {
      to.month = static_cast<int16_t>(from.month - 1);
    }
  }
  if (!YearInRange(to.year)) return std::nullopt;
  return to;
}

std::optional<YearMonth> StepYear(YearMonth from, MonthStep step) {
  if (from.month < 1 || from.month > 12 || !YearInRange(from.year)) return std::nullopt;
  const int64_t year = int64_t{from.year} + (step == MonthStep::Next ? 1 : -1);  // no overflow in 64 bits
  if (!YearInRange(year)) return std::nullopt;
  return YearMonth{static_cast<int32_t>(year), from.month};
}

YearMonth MonthOfFirstDate(std::string_view first_date_text, CalendarCode first_calendar,
                           const DateTextOptions& options) {
  DateFields date{.Calendar = kLetterGregorian, .DayNumber = 0};
  bool have_date = false;
  // An added calendar's date opens at its Common Era month, as a JDN does.
  const bool readable = first_calendar == cal::CE || first_calendar == cal::JC || first_calendar == cal::JDN ||
                        IsAddedCalendar(first_calendar);
  if (!first_date_text.empty() && readable) {
    const DateReading reading = ReadDateInCalendar(first_date_text, first_calendar, options, JdnReading::Lenient);
    if (reading.result == kReadValid) {
      date.DayNumber = reading.fields.DayNumber;
      date.Calendar = first_calendar == cal::JC ? kLetterJulian : kLetterGregorian;
      have_date = true;
    }
  }
  if (!have_date) {
    date.Calendar = kLetterGregorian;
    date.DayNumber = TodayDayNumber();
  }
  DayNumberToDate(date);
  // A day number near the 32-bit ends may name a year just beyond the grid's range: take the
  // nearest month inside it, so the window always opens at a month it can draw.
  if (date.Year > kMonthGridYearLimit) return {kMonthGridYearLimit, 12};
  if (date.Year < -kMonthGridYearLimit) return {-kMonthGridYearLimit, 1};
  return {date.Year, static_cast<int16_t>(date.Month)};
}

}  // namespace qv
