// Days an added calendar does not convert, wherever a window or a script meets them: a calendar
// change, the day stepper, Second -> First, the month grid's other calendar and a months addition
// are refused with the message that names the calendar's range, never with a silent or a generic
// answer.
#include <gtest/gtest.h>

#include <string>

#include "calendar/civil.h"
#include "compute/box_operations.h"
#include "compute/compute_engine.h"
#include "compute/month_grid.h"
#include "lang/added_calendar_texts.h"
#include "support/program_texts.h"

namespace qv {
namespace {

const ProgramTextStore& Texts() { return test::ShippedTexts(); }

const std::string kJapaneseRange = "JPN (Japanese): this calendar converts dates from 1 January 1873 on.";

TEST(CalendarRangeMessages, NameTheRangeInBothLanguages) {
  EXPECT_EQ(CalendarRangeMessage(cal::JPN, Language::English), kJapaneseRange);
  EXPECT_EQ(CalendarRangeMessage(cal::ROC, Language::German),
            "ROC (Minguo): dieser Kalender rechnet Daten ab dem 1. Januar 1912 um.");
  EXPECT_EQ(CalendarRangeMessage(cal::THA, Language::English),
            "THA (Thai solar): this calendar converts dates from 1 April 1889 on.");
  EXPECT_EQ(CalendarRangeMessage(cal::CHN, Language::English),
            "CHN (Chinese): this calendar converts dates from 28 January 1645 to 3 February 2201.");
  EXPECT_EQ(CalendarRangeMessage(cal::BAH, Language::German),
            "BAH (Bahá’í): dieser Kalender rechnet Daten vom 21. Maerz 1844 bis zum 20. Maerz 2201 um.");
  EXPECT_EQ(CalendarRangeMessage(cal::UMQ, Language::English), "UMQ (Umm al-Qura): this calendar is not yet available.");
  for (const CalendarCode code : {cal::JPN, cal::ROC, cal::THA, cal::CHN, cal::KOR, cal::VNM, cal::BAH, cal::UMQ}) {
    EXPECT_TRUE(HasCalendarRangeMessage(code)) << code;
  }
  for (const CalendarCode code : {cal::CE, cal::ORD, cal::HEB, cal::MAY, cal::RJU}) {
    EXPECT_FALSE(HasCalendarRangeMessage(code)) << code;
  }
}

TEST(CalendarRangeMessages, BoxOperationsNameTheRange) {
  const DateTextOptions options;
  const BoxConversion conversion =
      ConvertBoxDate("1872-12-31", cal::CE, cal::JPN, DateBox::First, options, Texts(), Language::English);
  EXPECT_FALSE(conversion.converted);
  ASSERT_TRUE(conversion.message);
  EXPECT_EQ(conversion.message->text, kJapaneseRange);

  const BoxConversion inside = ConvertBoxDate("1873-01-01", cal::CE, cal::JPN, DateBox::First, options, Texts(),
                                              Language::English);
  EXPECT_TRUE(inside.converted);
  EXPECT_EQ(inside.text, "M6-01-01");

  const BoxEdit step = ShiftBoxDate(DateBox::First, "M6-01-01", cal::JPN, -1, options, Language::English);
  EXPECT_FALSE(step.replace_text);
  ASSERT_TRUE(step.message);
  EXPECT_EQ(step.message->text, kJapaneseRange);

  const BoxEdit move = MoveSecondDateToFirst("1888-12-31", cal::CE, cal::THA, options, Language::English);
  EXPECT_FALSE(move.replace_text);
  ASSERT_TRUE(move.message);
  EXPECT_EQ(move.message->text, CalendarRangeMessage(cal::THA, Language::English));
}

TEST(CalendarRangeMessages, MonthGridLeavesOutTheDaysBeforeTheRange) {
  // November 1872's grid (to 7 December) lies wholly before the Japanese calendar: no days
  // beneath, the range instead.
  const MonthGridRequest before{.year = 1872, .month = 11, .other = cal::JPN};
  const std::optional<MonthGrid> grid = BuildMonthGrid(before);
  ASSERT_TRUE(grid);
  EXPECT_TRUE(grid->other_months.empty());
  EXPECT_EQ(OtherCalendarLine(before, *grid), "> " + kJapaneseRange);  // marked as the calendar's rows are
  // January 1873's grid begins in December 1872: those cells are blank, the rest numbered.
  const MonthGridRequest first{.year = 1873, .month = 1, .other = cal::JPN};
  const std::optional<MonthGrid> january = BuildMonthGrid(first);
  ASSERT_TRUE(january);
  EXPECT_EQ(january->other_months, "January \u2013 February Meiji 6");  // the last row ends on 1 February
  // 1 January 1873 was a Wednesday: Sunday to Tuesday before it are blank.
  EXPECT_EQ(january->other_rows.front(), ">" + std::string(3 * 5, ' ') + "  1    2    3    4  ");
  // A month of two eras names both years.
  const MonthGridRequest change{.year = 1989, .month = 1, .other = cal::JPN};
  EXPECT_EQ(BuildMonthGrid(change)->other_months, "January Shōwa 64 – February Heisei 1");
  // A calendar that is not available shows nothing at all.
  const MonthGridRequest unavailable{.year = 2024, .month = 2, .other = cal::UMQ};
  const std::optional<MonthGrid> none = BuildMonthGrid(unavailable);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->other_rows.empty());
  EXPECT_EQ(OtherCalendarLine(unavailable, *none), "");
}

TEST(CalendarRangeMessages, RequestsNameTheRange) {
  ComputeEngine engine(Texts());
  RequestOptions options;
  options.second_calendar = cal::JPN;
  const Outcome& before = engine.Compute("1872-12-31", "", "", options);
  ASSERT_TRUE(before.message);
  EXPECT_EQ(before.message->text, kJapaneseRange);
  EXPECT_EQ(before.output, "1872-12-31 CE = Out of Range\r\n\r\n");  // as an ordinal date out of range

  options.first_calendar = cal::JPN;
  const Outcome& read = engine.Compute("M5-12-31", "", "", options);
  ASSERT_TRUE(read.message);
  EXPECT_EQ(read.message->text, kJapaneseRange);
  EXPECT_FALSE(read.validated);

  options.unit = DifferenceUnit::Months;
  const Outcome& months = engine.Compute("M6-01-31", "-1", "", options);
  ASSERT_TRUE(months.message);
  EXPECT_EQ(months.message->text, kJapaneseRange);

  RequestOptions inside;
  inside.second_calendar = cal::JPN;
  const Outcome& fine = engine.Compute("1873-01-01", "", "", inside);
  EXPECT_FALSE(fine.message);
  EXPECT_EQ(fine.output, "1873-01-01 CE = M6-01-01 JPN, Wednesday (1 January Meiji 6, 明治6年1月1日)\r\n");
}

}  // namespace
}  // namespace qv
