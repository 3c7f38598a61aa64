// The month grid with another calendar's days beneath its own: the days against dates the
// calendars' own authorities publish, the months named over the grid, and the fixed-pitch layout
// that keeps each other day under its day.
#include <gtest/gtest.h>

#include <string>

#include "calendar/added_calendars.h"
#include "compute/month_grid.h"
#include "support/printing.h"

namespace qv {
namespace {

// The two digits of a cell's day: cell `column` of a row starts after the row's leading blank.
std::string CellDigits(const std::string& row, int column) {
  return row.substr(static_cast<std::size_t>(1 + 5 * column), 3);
}

TEST(MonthOtherCalendar, DaysBeneathKnownDates) {
  struct Case {
    int32_t year;
    int16_t month;
    MonthCalendar calendar;
    int day;                // of the grid's month
    CalendarCode other;
    const char* beneath;    // the other calendar's day, as the cell writes it
  };
  const Case cases[] = {
      // 15 Nisan 5784, the first day of Passover, fell on Tuesday 23 April 2024.
      {2024, 4, MonthCalendar::CommonEra, 23, cal::HEB, " 15"},
      // 1 Tishri 5785 (Rosh Hashanah) on 3 October 2024.
      {2024, 10, MonthCalendar::CommonEra, 3, cal::HEB, "  1"},
      // Nowruz, 1 Farvardin 1403, on 20 March 2024 (Iran's official calendar).
      {2024, 3, MonthCalendar::CommonEra, 20, cal::PER, "  1"},
      // 1 Chaitra 1946 Saka on 21 March 2024 (a Gregorian leap year; Government of India).
      {2024, 3, MonthCalendar::CommonEra, 21, cal::IND, "  1"},
      // Enkutatash, 1 Meskerem 2017, and Nayrouz, 1 Thout 1741, on 11 September 2024.
      {2024, 9, MonthCalendar::CommonEra, 11, cal::ETH, "  1"},
      {2024, 9, MonthCalendar::CommonEra, 11, cal::COP, "  1"},
      // 1 Muharram 1 AH of the civil tabular calendar: 16 July 622 (Julian).
      {622, 7, MonthCalendar::Julian, 16, cal::ISL, "  1"},
      // 1 Vendémiaire an I: 22 September 1792.
      {1792, 9, MonthCalendar::CommonEra, 22, cal::FRR, "  1"},
      // 13.0.0.0.0 on 21 December 2012: kin 0; a day later kin 1.
      {2012, 12, MonthCalendar::CommonEra, 21, cal::MAY, "  0"},
      {2012, 12, MonthCalendar::CommonEra, 22, cal::MAY, "  1"},
  };
  for (const Case& c : cases) {
    for (const WeekStart start : {WeekStart::Sunday, WeekStart::Monday}) {
      const std::optional<MonthGrid> grid = BuildMonthGrid(
          {.year = c.year, .month = c.month, .calendar = c.calendar, .week_start = start, .other = c.other});
      ASSERT_TRUE(grid);
      ASSERT_EQ(grid->other_rows.size(), grid->rows.size());
      // The cell of the day: counted from the first cell, which is the grid's first weekday.
      const int32_t first_of_month = grid->first_cell_day + static_cast<int32_t>(grid->rows[0].find(" 1 ") / 5);
      const int32_t index = first_of_month - grid->first_cell_day + c.day - 1;
      const std::size_t row = static_cast<std::size_t>(index / 7);
      const int column = index % 7;
      EXPECT_EQ(std::stoi(CellDigits(grid->rows[row], column)), c.day) << c.year << '-' << c.month;
      EXPECT_EQ(CellDigits(grid->other_rows[row], column), c.beneath) << c.year << '-' << c.month << ' ' << c.other;
    }
  }
}

TEST(MonthOtherCalendar, MonthsTheGridSpans) {
  struct Case {
    int32_t year;
    int16_t month;
    CalendarCode other;
    Language language;
    const char* line;
  };
  const Case cases[] = {
      {2024, 4, cal::HEB, Language::English, "> Hebrew (HEB): Adar II \u2013 Nisan 5784"},
      {2024, 12, cal::HEB, Language::English, "> Hebrew (HEB): Heshvan \u2013 Tevet 5785"},
      {2024, 9, cal::HEB, Language::English, "> Hebrew (HEB): Av 5784 \u2013 Tishri 5785"},
      {2024, 9, cal::HEB, Language::German, "> Hebr\u00e4isch (HEB): Aw 5784 \u2013 Tischri 5785"},
      {2024, 3, cal::PER, Language::English, "> Persian (PER): Esfand 1402 \u2013 Farvardin 1403"},
      {2012, 12, cal::MAY, Language::English, "> Mayan long count (MAY): 12.19.19.16.14 \u2013 13.0.0.0.15"},
      // February 2015 fills four whole weeks: its grid is the month alone.
      {2015, 2, cal::HEB, Language::English, "> Hebrew (HEB): Shevat \u2013 Adar 5775"},
      {2015, 2, cal::FRR, Language::English, "> French Republican (FRR): Pluvi\u00f4se \u2013 Vent\u00f4se 223"},
  };
  for (const Case& c : cases) {
    const MonthGridRequest request{.year = c.year, .month = c.month, .language = c.language, .other = c.other};
    const std::optional<MonthGrid> grid = BuildMonthGrid(request);
    ASSERT_TRUE(grid);
    EXPECT_EQ(OtherCalendarLine(request, *grid), c.line);
  }
}

// Every available added calendar, over months at both ends of the range and around the era: each
// row has its other row, as long as it and with a day (two digits at most) in the same columns;
// beneath a day a calendar does not convert (the Japanese one before 1873) the cell is blank.
TEST(MonthOtherCalendar, RowsLineUpInEveryCalendar) {
  const std::pair<int32_t, int16_t> months[] = {{-kMonthGridYearLimit, 1}, {-1, 12},    {0, 2},   {1, 1},
                                                {1582, 10},               {1872, 12}, {1889, 3}, {2024, 2},
                                                {kMonthGridYearLimit, 12}};
  for (const CalendarCode other : kAddedCalendars) {
    if (!IsAvailableCalendar(other)) continue;
    const AddedCalendarRules* rules = AddedCalendarRulesOf(other);
    const auto converts = [rules](int32_t day) { return rules == nullptr || AddedDateOf(*rules, day).has_value(); };
    for (const auto& [year, month] : months) {
      const MonthGridRequest request{.year = year, .month = month, .other = other};
      const std::optional<MonthGrid> grid = BuildMonthGrid(request);
      ASSERT_TRUE(grid);
      ASSERT_EQ(grid->other_rows.size(), grid->rows.size()) << other;
      bool any = false;
      for (std::size_t r = 0; r < grid->rows.size(); ++r) {
        const std::string& below = grid->other_rows[r];
        ASSERT_EQ(below.size(), kMonthRowLength) << other << ' ' << year;
        // Marked where the grid's own row has its leading blank, so that a copy tells them apart.
        EXPECT_EQ(below[0], kOtherRowMarker) << other << ' ' << year;
        EXPECT_EQ(grid->rows[r][0], ' ');
        for (int column = 0; column < 7; ++column) {
          const std::string cell = CellDigits(below, column);
          const int32_t day = grid->first_cell_day + static_cast<int32_t>(7 * r) + column;
          EXPECT_EQ(cell[0], ' ') << other << ' ' << year;
          // The last digit under the day's last digit, or nothing.
          EXPECT_EQ(cell[2] != ' ', converts(day)) << other << ' ' << year;
          any = any || converts(day);
          EXPECT_EQ(below.substr(static_cast<std::size_t>(4 + 5 * column), 2), "  ");
        }
      }
      EXPECT_EQ(grid->other_months.empty(), !any) << other << ' ' << year;
      // The text: the header, then each row followed by the one beneath it.
      const std::string text = grid->Text();
      std::string expected = grid->header;
      for (std::size_t r = 0; r < grid->rows.size(); ++r) expected += '\n' + grid->rows[r] + '\n' + grid->other_rows[r];
      EXPECT_EQ(text, expected);
    }
  }
}

TEST(MonthOtherCalendar, NoneLeavesTheGridAsItIs) {
  for (const CalendarCode none : {kNoOtherCalendar, cal::CE, cal::JDN, cal::ISO}) {
    const MonthGridRequest request{.year = 2024, .month = 4, .other = none};
    const std::optional<MonthGrid> grid = BuildMonthGrid(request);
    const std::optional<MonthGrid> plain = BuildMonthGrid({.year = 2024, .month = 4});
    ASSERT_TRUE(grid && plain);
    EXPECT_TRUE(grid->other_rows.empty());
    EXPECT_TRUE(grid->other_months.empty());
    EXPECT_EQ(grid->Text(), plain->Text());
    EXPECT_EQ(OtherCalendarLine(request, *grid), "");
  }
}

}  // namespace
}  // namespace qv
