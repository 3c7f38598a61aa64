// The month grid against a reference that walks the calendar one day at a time, the ISO rows
// against the ISO definition (the week of the Thursday), and the texts around the grid.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "calendar/clock.h"
#include "compute/month_grid.h"
#include "support/printing.h"

namespace qv {
namespace {

// ---- The reference: plain calendar rules and day-by-day walks ------------------------------

struct Ymd {
  int64_t year;
  int month;
  int day;
};

int64_t Mod(int64_t a, int64_t b) { return ((a % b) + b) % b; }

bool Leap(int64_t year, bool julian) {
  if (julian) return Mod(year, 4) == 0;
  return Mod(year, 4) == 0 && (Mod(year, 100) != 0 || Mod(year, 400) == 0);
}

int Length(int64_t year, int month, bool julian) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && Leap(year, julian) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

Ymd Tomorrow(Ymd d, bool julian) {
  if (++d.day > Length(d.year, d.month, julian)) {
    d.day = 1;
    if (++d.month > 12) {
      d.month = 1;
      ++d.year;
    }
  }
  return d;
}

Ymd Yesterday(Ymd d, bool julian) {
  if (--d.day < 1) {
    if (--d.month < 1) {
      d.month = 12;
      --d.year;
    }
    d.day = Length(d.year, d.month, julian);
  }
  return d;
}

// Day numbers of the first of every month over one whole cycle of each calendar, found by
// walking from a known day: 1 January 2000 CE is day 2451545, 1 January -4712 JC is day 0. The
// Gregorian calendar repeats every 400 years (146097 days), the Julian one every 28 years as far
// as weekdays go and every 4 years (1461 days) as far as dates go; 28-year steps keep both.
struct CycleTable {
  int64_t base_year;
  int64_t cycle_years;
  int64_t cycle_days;
  std::vector<std::array<int64_t, 13>> first_of_month;  // [year in cycle][month]
};

CycleTable MakeTable(bool julian) {
  CycleTable table{julian ? -4712 : 2000, julian ? 28 : 400, julian ? 28 * 1461 / 4 : 146097, {}};
  table.first_of_month.resize(static_cast<std::size_t>(table.cycle_years));
  Ymd d{table.base_year, 1, 1};
  int64_t day_number = julian ? 0 : 2451545;
  while (d.year < table.base_year + table.cycle_years) {
    if (d.day == 1) table.first_of_month[static_cast<std::size_t>(d.year - table.base_year)][static_cast<std::size_t>(d.month)] = day_number;
    d = Tomorrow(d, julian);
    ++day_number;
  }
  return table;
}

int64_t FirstOfMonth(int64_t year, int month, bool julian) {
  static const CycleTable gregorian = MakeTable(false);
  static const CycleTable julian_table = MakeTable(true);
  const CycleTable& t = julian ? julian_table : gregorian;
  const int64_t cycles = (year - t.base_year - Mod(year - t.base_year, t.cycle_years)) / t.cycle_years;
  return t.first_of_month[static_cast<std::size_t>(Mod(year - t.base_year, t.cycle_years))][static_cast<std::size_t>(month)] +
         cycles * t.cycle_days;
}

struct ReferenceGrid {
  int64_t first_cell_day;
  std::vector<std::vector<int>> rows;  // days of the month of every cell
};

// The grid as the rules describe it: step back to the first day of the week, then draw rows
// until a row's last cell lies in a later month or year, or is the month's last day.
ReferenceGrid Reference(int64_t year, int month, bool julian, bool monday) {
  int64_t day_number = FirstOfMonth(year, month, julian);
  Ymd d{year, month, 1};
  const int64_t first_weekday = monday ? 1 : 0;
  while (Mod(day_number + 1, 7) != first_weekday) {
    d = Yesterday(d, julian);
    --day_number;
  }
  ReferenceGrid grid{day_number, {}};
  while (grid.rows.size() < 6) {
    std::vector<int> row;
    Ymd last = d;
    for (int i = 0; i < 7; ++i) {
      row.push_back(d.day);
      last = d;
      d = Tomorrow(d, julian);
    }
    grid.rows.push_back(row);
    if (last.year > year || (last.year == year && last.month > month) ||
        (last.year == year && last.month == month && last.day == Length(year, month, julian))) {
      break;
    }
  }
  return grid;
}

std::string ReferenceRow(const std::vector<int>& days) {
  std::string row = " ";
  for (int day : days) {
    std::string cell = std::to_string(day);
    row += std::string(3 - cell.size(), ' ') + cell + "  ";
  }
  return row;
}

void ExpectMatchesReference(int32_t year, int16_t month, bool julian, bool monday) {
  SCOPED_TRACE(testing::Message() << year << "-" << month << (julian ? " JC" : " CE") << (monday ? " Mon" : " Sun"));
  const auto grid = BuildMonthGrid({.year = year,
                                    .month = month,
                                    .calendar = julian ? MonthCalendar::Julian : MonthCalendar::CommonEra,
                                    .week_start = monday ? WeekStart::Monday : WeekStart::Sunday});
  ASSERT_TRUE(grid.has_value());
  const ReferenceGrid expected = Reference(year, month, julian, monday);
  EXPECT_EQ(grid->first_cell_day, expected.first_cell_day);
  ASSERT_EQ(static_cast<std::size_t>(grid->row_count), expected.rows.size());
  ASSERT_EQ(grid->rows.size(), expected.rows.size());
  for (std::size_t i = 0; i < expected.rows.size(); ++i) {
    EXPECT_EQ(grid->rows[i], ReferenceRow(expected.rows[i])) << "row " << i;
  }
}

// ---- Grids ----------------------------------------------------------------------------------

TEST(MonthGridReference, EveryMonthOfEightHundredYearsAroundTheEra) {
  for (int32_t year = -400; year <= 420; ++year) {
    for (int16_t month = 1; month <= 12; ++month) {
      for (bool julian : {false, true}) {
        for (bool monday : {false, true}) {
          ExpectMatchesReference(year, month, julian, monday);
          if (HasFatalFailure()) return;
        }
      }
    }
  }
}

TEST(MonthGridReference, FarYearsAndTheEndsOfTheRange) {
  const std::vector<int32_t> years = {-5'800'000, -5'799'999, -5'799'998, -4'713, -4'712, 1582, 9999,
                                      10'000,     1'234'567,  5'799'998,  5'799'999, 5'800'000};
  for (int32_t year : years) {
    for (int16_t month = 1; month <= 12; ++month) {
      for (bool julian : {false, true}) {
        for (bool monday : {false, true}) ExpectMatchesReference(year, month, julian, monday);
      }
    }
  }
}

TEST(MonthGrid, RefusesYearsAndMonthsOutsideTheRange) {
  EXPECT_FALSE(BuildMonthGrid({.year = 5'800'001, .month = 1}).has_value());
  EXPECT_FALSE(BuildMonthGrid({.year = -5'800'001, .month = 12}).has_value());
  EXPECT_FALSE(BuildMonthGrid({.year = 2024, .month = 0}).has_value());
  EXPECT_FALSE(BuildMonthGrid({.year = 2024, .month = 13}).has_value());
}

struct WorkedMonth {
  int32_t year;
  int16_t month;
  WeekStart start;
  int16_t rows;
  const char* first_row;
  const char* last_row;
};

TEST(MonthGrid, WorkedMonths) {
  const WorkedMonth cases[] = {
      // June 2024 from Monday 27 May to Sunday 30 June; no row of July follows.
      {2024, 6, WeekStart::Monday, 5, "  27   28   29   30   31    1    2  ", "  24   25   26   27   28   29   30  "},
      {2024, 3, WeekStart::Monday, 5, "  26   27   28   29    1    2    3  ", "  25   26   27   28   29   30   31  "},
      {2024, 1, WeekStart::Monday, 5, "   1    2    3    4    5    6    7  ", "  29   30   31    1    2    3    4  "},
      // 1 December 2024 is a Sunday: six rows from 25 November to 5 January.
      {2024, 12, WeekStart::Monday, 6, "  25   26   27   28   29   30    1  ", "  30   31    1    2    3    4    5  "},
      {2024, 12, WeekStart::Sunday, 5, "   1    2    3    4    5    6    7  ", "  29   30   31    1    2    3    4  "},
      // February 2015 starts on a Sunday and fills four whole weeks.
      {2015, 2, WeekStart::Sunday, 4, "   1    2    3    4    5    6    7  ", "  22   23   24   25   26   27   28  "},
  };
  for (const WorkedMonth& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
    const auto grid = BuildMonthGrid({.year = c.year, .month = c.month, .week_start = c.start});
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->row_count, c.rows);
    EXPECT_EQ(grid->rows.front(), c.first_row);
    EXPECT_EQ(grid->rows.back(), c.last_row);
    for (const std::string& row : grid->rows) EXPECT_EQ(row.size(), kMonthRowLength);
  }
}

TEST(MonthGrid, HeadersInBothLanguages) {
  const struct {
    WeekStart start;
    Language language;
    const char* header;
  } cases[] = {
      {WeekStart::Sunday, Language::English, " Sun  Mon  Tue  Wed  Thu  Fri  Sat "},
      {WeekStart::Monday, Language::English, " Mon  Tue  Wed  Thu  Fri  Sat  Sun "},
      {WeekStart::Sunday, Language::German, " Son  Mon  Die  Mit  Don  Fre  Sam "},
      {WeekStart::Monday, Language::German, " Mon  Die  Mit  Don  Fre  Sam  Son "},
  };
  for (const auto& c : cases) {
    const auto grid = BuildMonthGrid({.year = 2024, .month = 6, .week_start = c.start, .language = c.language});
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->header, c.header);
    EXPECT_EQ(grid->header.size(), kMonthHeaderLength);
  }
}

TEST(MonthGrid, TextIsHeaderThenRows) {
  const auto grid = BuildMonthGrid({.year = 2024, .month = 6, .week_start = WeekStart::Monday});
  ASSERT_TRUE(grid.has_value());
  EXPECT_EQ(grid->Text(),
            " Mon  Tue  Wed  Thu  Fri  Sat  Sun \n"
            "  27   28   29   30   31    1    2  \n"
            "   3    4    5    6    7    8    9  \n"
            "  10   11   12   13   14   15   16  \n"
            "  17   18   19   20   21   22   23  \n"
            "  24   25   26   27   28   29   30  ");
}

// ---- ISO week dates ---------------------------------------------------------------------------

// ISO year and week by the definition: the week belongs to the year of its Thursday, and week 1
// is the week holding 4 January.
std::string ReferenceIsoPrefix(int64_t monday, bool with_year) {
  const int64_t thursday = monday + 3;
  // The CE year of the Thursday, by walking from the first of January of a nearby year.
  int64_t year = 2000 + (thursday - 2451545) * 400 / 146097;
  while (FirstOfMonth(year + 1, 1, false) <= thursday) ++year;
  while (FirstOfMonth(year, 1, false) > thursday) --year;
  int64_t week_one = FirstOfMonth(year, 1, false) + 3;  // 4 January
  while (Mod(week_one + 1, 7) != 1) --week_one;          // back to its Monday
  const int64_t week = (monday - week_one) / 7 + 1;
  std::string prefix = (week < 10 ? "W0" : "W") + std::to_string(week) + "-";
  // The digit is the last one written, so -45 gives 5.
  if (with_year) prefix = std::to_string((year < 0 ? -year : year) % 10) + "-" + prefix;
  return prefix;
}

TEST(IsoWeekRows, AgreeWithTheDefinitionAroundYearEnds) {
  for (int32_t year : {-5'800'000, -45, -1, 0, 1, 1999, 2004, 2009, 2015, 2020, 2021, 2024, 5'800'000}) {
    for (int16_t month : {int16_t{1}, int16_t{12}}) {
      const auto grid = BuildMonthGrid({.year = year, .month = month, .week_start = WeekStart::Monday});
      ASSERT_TRUE(grid.has_value());
      for (IsoYearDigit digit : {IsoYearDigit::With, IsoYearDigit::Without}) {
        const bool with_year = digit == IsoYearDigit::With;
        const auto lines = IsoWeekLines(grid->first_cell_day, grid->row_count, digit, Language::English);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(grid->row_count) + 1);
        for (int16_t row = 0; row < grid->row_count; ++row) {
          const std::string prefix = ReferenceIsoPrefix(grid->first_cell_day + 7 * row, with_year);
          std::string expected;
          for (int weekday = 1; weekday <= 7; ++weekday) {
            if (weekday > 1) expected += "  ";
            expected += prefix + std::to_string(weekday);
          }
          EXPECT_EQ(lines[static_cast<std::size_t>(row) + 1], expected) << year << "-" << month << " row " << row;
        }
      }
    }
  }
}

TEST(IsoWeekRows, WeekFiftyThreeOf2020) {
  // Monday 28 December 2020 to Sunday 3 January 2021 belong to week 53 of ISO year 2020.
  const auto grid = BuildMonthGrid({.year = 2020, .month = 12, .week_start = WeekStart::Monday});
  ASSERT_TRUE(grid.has_value());
  EXPECT_EQ(IsoWeekLines(grid->first_cell_day, grid->row_count, IsoYearDigit::With, Language::English).back(),
            "0-W53-1  0-W53-2  0-W53-3  0-W53-4  0-W53-5  0-W53-6  0-W53-7");
  EXPECT_EQ(IsoWeekLines(grid->first_cell_day, grid->row_count, IsoYearDigit::Without, Language::English).back(),
            "W53-1  W53-2  W53-3  W53-4  W53-5  W53-6  W53-7");
}

TEST(IsoWeekRows, Headers) {
  EXPECT_EQ(IsoWeekLines(0, 0, IsoYearDigit::With, Language::English).front(),
            "Monday   Tuesday  Wednesda Thursday Friday   Saturday Sunday");
  EXPECT_EQ(IsoWeekLines(0, 0, IsoYearDigit::With, Language::German).front(),
            "Montag   Dienstag Mittwoch Donnerst Freitag  Samstag  Sonntag");
  EXPECT_EQ(IsoWeekLines(0, 0, IsoYearDigit::Without, Language::English).front(),
            " Mon    Tue    Wed    Thu    Fri    Sat    Sun   ");
}

// ---- Texts around the grid ------------------------------------------------------------------

TEST(MonthCopy, HeadingEmptyLineGridAndIsoPanel) {
  const MonthGridRequest june{.year = 2024, .month = 6, .week_start = WeekStart::Monday};
  const auto grid = BuildMonthGrid(june);
  ASSERT_TRUE(grid.has_value());
  const std::string plain = MonthCopyText(MonthHeading(june), grid->Text(), std::nullopt, "ISO");
  EXPECT_EQ(plain, "June 2024 (Common Era Calendar)\n\n" + grid->Text());

  const std::string iso = IsoWeekText(grid->first_cell_day, grid->row_count, IsoYearDigit::With, Language::English);
  EXPECT_EQ(MonthCopyText(MonthHeading(june), grid->Text(), iso, "ISO 8601 week dates"),
            plain + "\n\nISO 8601 week dates\n\n" + iso);

  EXPECT_EQ(MonthHeading({.year = -44, .month = 3, .calendar = MonthCalendar::Julian, .language = Language::German}),
            "Maerz -44 (Julianischer Kalender)");
}

TEST(MonthYearText, Reductions) {
  const struct {
    const char* text;
    MonthYearStatus status;
    int32_t year;
  } cases[] = {
      {"2024", MonthYearStatus::Valid, 2024},
      {"  2024  ", MonthYearStatus::Valid, 2024},
      {"20x24", MonthYearStatus::Valid, 2024},
      {"-44", MonthYearStatus::Valid, -44},
      {"+7", MonthYearStatus::Valid, 7},
      {"0", MonthYearStatus::Valid, 0},
      {"-0", MonthYearStatus::Valid, 0},
      {"5800000", MonthYearStatus::Valid, 5'800'000},
      {"-5800000", MonthYearStatus::Valid, -5'800'000},
      {"000000000000000000002024", MonthYearStatus::Valid, 2024},
      {"5800001", MonthYearStatus::OutOfRange, 0},
      {"-5800001", MonthYearStatus::OutOfRange, 0},
      {"99999999999999999999999999", MonthYearStatus::OutOfRange, 0},
      {"", MonthYearStatus::NoYear, 0},
      {"   ", MonthYearStatus::NoYear, 0},
      {"-", MonthYearStatus::NoYear, 0},
      {"+-", MonthYearStatus::NoYear, 0},
      {"abc", MonthYearStatus::NoYear, 0},
  };
  for (const auto& c : cases) {
    const MonthYearReading reading = ReadMonthYear(c.text);
    EXPECT_EQ(reading.status, c.status) << '"' << c.text << '"';
    if (c.status == MonthYearStatus::Valid) {
      EXPECT_EQ(reading.year, c.year) << '"' << c.text << '"';
    }
  }
}

TEST(MonthSteps, AcrossYearsAndAtTheEndsOfTheRange) {
  EXPECT_EQ(StepMonth({1999, 12}, MonthStep::Next), (YearMonth{2000, 1}));
  EXPECT_EQ(StepMonth({2000, 1}, MonthStep::Previous), (YearMonth{1999, 12}));
  EXPECT_EQ(StepMonth({0, 1}, MonthStep::Previous), (YearMonth{-1, 12}));
  EXPECT_EQ(StepMonth({2024, 6}, MonthStep::Next), (YearMonth{2024, 7}));
  EXPECT_EQ(StepMonth({2024, 6}, MonthStep::Previous), (YearMonth{2024, 5}));
  EXPECT_EQ(StepMonth({5'800'000, 11}, MonthStep::Next), (YearMonth{5'800'000, 12}));
  EXPECT_FALSE(StepMonth({5'800'000, 12}, MonthStep::Next).has_value());
  EXPECT_FALSE(StepMonth({-5'800'000, 1}, MonthStep::Previous).has_value());
  EXPECT_FALSE(StepMonth({2'147'483'647, 12}, MonthStep::Next).has_value());
  EXPECT_FALSE(StepMonth({2024, 13}, MonthStep::Next).has_value());
}

TEST(MonthStep, YearsKeepTheMonthAndStayInTheRange) {
  EXPECT_EQ(StepYear({2024, 2}, MonthStep::Next), (YearMonth{2025, 2}));
  EXPECT_EQ(StepYear({2024, 12}, MonthStep::Previous), (YearMonth{2023, 12}));
  EXPECT_EQ(StepYear({0, 1}, MonthStep::Previous), (YearMonth{-1, 1}));
  EXPECT_EQ(StepYear({5'799'999, 12}, MonthStep::Next), (YearMonth{5'800'000, 12}));
  EXPECT_FALSE(StepYear({5'800'000, 1}, MonthStep::Next).has_value());
  EXPECT_FALSE(StepYear({-5'800'000, 12}, MonthStep::Previous).has_value());
  EXPECT_FALSE(StepYear({2'147'483'647, 1}, MonthStep::Next).has_value());
  EXPECT_FALSE(StepYear({-2'147'483'647 - 1, 1}, MonthStep::Previous).has_value());
  EXPECT_FALSE(StepYear({2024, 0}, MonthStep::Next).has_value());
}

// The days of the months beside the grid's own, from the weekdays of published calendars.
TEST(MonthGridNeighbours, DaysOfTheMonthsBeforeAndAfter) {
  const struct {
    int32_t year;
    int16_t month;
    MonthCalendar calendar;
    WeekStart start;
    int16_t before;
    int16_t after;
    const char* english;
    const char* german;
  } cases[] = {
      // June 2024, Monday first: from Monday 27 May to Sunday 30 June.
      {2024, 6, MonthCalendar::CommonEra, WeekStart::Monday, 5, 0, "In the first row, 27 to 31 are days of May.",
       "In der ersten Zeile sind 27 bis 31 Tage des Monats Mai."},
      // January 2024 starts on a Monday; its last row runs to Sunday 4 February.
      {2024, 1, MonthCalendar::CommonEra, WeekStart::Monday, 0, 4, "In the last row, 1 to 4 are days of February.",
       "In der letzten Zeile sind 1 bis 4 Tage des Monats Februar."},
      // December 2024, Monday first: six rows from Monday 25 November to Sunday 5 January 2025.
      {2024, 12, MonthCalendar::CommonEra, WeekStart::Monday, 6, 5,
       "In the first row, 25 to 30 are days of November. In the last row, 1 to 5 are days of January.",
       "In der ersten Zeile sind 25 bis 30 Tage des Monats November. In der letzten Zeile sind 1 bis 5 Tage des "
       "Monats Januar."},
      // February 2015, Sunday first, fills four whole weeks.
      {2015, 2, MonthCalendar::CommonEra, WeekStart::Sunday, 0, 0, "", ""},
      // March 2024 starts on a Friday: Sunday first, 25 to 29 February (a leap year) come before;
      // it ends on a Sunday, so the last row is 31 March and 1 to 6 April.
      {2024, 3, MonthCalendar::CommonEra, WeekStart::Sunday, 5, 6,
       "In the first row, 25 to 29 are days of February. In the last row, 1 to 6 are days of April.",
       "In der ersten Zeile sind 25 bis 29 Tage des Monats Februar. In der letzten Zeile sind 1 bis 6 Tage des "
       "Monats April."},
      // 1 March 2024 of the Julian calendar was Thursday 14 March 2024: Sunday first, 26 to 29
      // February of its leap year come before it. Its 31 March (13 April CE) is a Saturday.
      {2024, 3, MonthCalendar::Julian, WeekStart::Sunday, 4, 0,
       "In the first row, 26 to 29 are days of February.", "In der ersten Zeile sind 26 bis 29 Tage des Monats Februar."},
      // September 2024 starts on a Sunday and ends on a Monday: Monday first, 26 to 31 August
      // before it, and 1 to 6 October after its 30th.
      {2024, 9, MonthCalendar::CommonEra, WeekStart::Monday, 6, 6,
       "In the first row, 26 to 31 are days of August. In the last row, 1 to 6 are days of October.",
       "In der ersten Zeile sind 26 bis 31 Tage des Monats August. In der letzten Zeile sind 1 bis 6 Tage des "
       "Monats Oktober."},
      // November 2024 starts on a Friday and ends on a Saturday: Sunday first, 27 to 31 October
      // before it and nothing after.
      {2024, 11, MonthCalendar::CommonEra, WeekStart::Sunday, 5, 0, "In the first row, 27 to 31 are days of October.",
       "In der ersten Zeile sind 27 bis 31 Tage des Monats Oktober."},
      // August 2024 starts on a Thursday and ends on a Saturday: Monday first, 29 to 31 July
      // before it, and Sunday 1 September alone after it.
      {2024, 8, MonthCalendar::CommonEra, WeekStart::Monday, 3, 1,
       "In the first row, 29 to 31 are days of July. In the last row, 1 is a day of September.",
       "In der ersten Zeile sind 29 bis 31 Tage des Monats Juli. In der letzten Zeile ist 1 ein Tag des Monats "
       "September."},
  };
  for (const auto& c : cases) {
    for (const Language language : {Language::English, Language::German}) {
      const MonthGridRequest request{
          .year = c.year, .month = c.month, .calendar = c.calendar, .week_start = c.start, .language = language};
      const std::optional<MonthGrid> grid = BuildMonthGrid(request);
      ASSERT_TRUE(grid);
      EXPECT_EQ(grid->days_before, c.before) << c.year << '-' << c.month;
      EXPECT_EQ(grid->days_after, c.after) << c.year << '-' << c.month;
      EXPECT_EQ(NeighbourDaysText(request, *grid), language == Language::German ? c.german : c.english);
    }
  }
}

TEST(MonthOfFirstDate, DateOfTheBoxOrToday) {
  SetTodaySource([] { return LocalDate{2026, 12, 7}; });
  const DateTextOptions options;  // year-month-day with "-"
  const struct {
    const char* text;
    CalendarCode code;
    YearMonth expected;
  } cases[] = {
      {"2024-06-15", cal::CE, {2024, 6}},
      {"-44-03-15", cal::JC, {-44, 3}},
      // A JDN is shown in the Common Era: day 2451545 is 1 January 2000.
      {"2451545", cal::JDN, {2000, 1}},
      // 1 January 2000 CE is 19 December 1999 JC: the Julian year and month are taken.
      {"1999-12-19", cal::JC, {1999, 12}},
      {"", cal::CE, {2026, 12}},
      {"not a date", cal::CE, {2026, 12}},
      {"2024-02-30", cal::CE, {2026, 12}},
      {"2024-W01-1", cal::ISO, {2026, 12}},
      {"2024-100", cal::ORD, {2026, 12}},
      // An added calendar's date opens at its Common Era month: 15 Nisan 5784, the first day of
      // Passover, was 23 April 2024; Nowruz 1403 was 20 March 2024 (Iran's official calendar);
      // 13.0.0.0.0 of the long count was 21 December 2012.
      {"15 Nisan 5784", cal::HEB, {2024, 4}},
      {"1 Farvardin 1403", cal::PER, {2024, 3}},
      {"13.0.0.0.0", cal::MAY, {2012, 12}},
      {"not a date", cal::HEB, {2026, 12}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MonthOfFirstDate(c.text, c.code, options), c.expected) << c.text;
  }
  SetTodaySource({});
}

}  // namespace
}  // namespace qv
