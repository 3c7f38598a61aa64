#include "text/date_writers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "calendar/clock.h"
#include "support/dates.h"

namespace qv {
namespace {

using test::DateOf;

TEST(FormatDate, WritesFieldsInTheUsersOrder) {
  struct Case {
    DateFields date;
    DateFormat format;
    const char* date_separator;
    const char* thousands_separator;
    bool suffix;
    const char* expected;
  };
  const Case cases[] = {
      {DateOf(2012, 12, 31, 'G'), kFormatDMY, "/", ",", false, "31/12/2012"},
      {DateOf(12345, 1, 1, 'G'), kFormatYMD, "/", ",", true, "12,345/01/01 CE"},
      {DateOf(-12345, 7, 5, 'J'), kFormatMDY, "/", ",", true, "07/05/(-12,345) JC"},
      {DateOf(9999, 1, 1, 'G'), kFormatYMD, "-", ",", false, "9999-01-01"},
      {DateOf(10000, 1, 1, 'G'), kFormatYMD, "-", ",", false, "10,000-01-01"},
      {DateOf(10000, 1, 1, 'G'), kFormatYMD, "-", "", false, "10000-01-01"},
      {DateOf(-10000, 1, 1, 'G'), kFormatYMD, "-", ".", false, "-10.000-01-01"},
      {DateOf(0, 1, 1, 'G'), kFormatDMY, "-", ",", false, "01-01-0"},
      {DateOf(-1, 1, 1, 'G'), kFormatDMY, "-", ",", false, "01-01-(-1)"},
      {DateOf(-44, 3, 15, 'G'), kFormatYMD, "-", ",", true, "-44-03-15 CE"},
      {DateOf(-44, 3, 15, 'G'), kFormatMDY, ".", ",", false, "03.15.(-44)"},
      {DateOf(7, 3, 9, 0), kFormatYMD, "-", ",", true, "7-03-09 CE"},  // letter 0 counts as CE
      {DateOf(2012, 3, 9, 'A'), kFormatDMY, "/", ",", true, "2012-03-09 AN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDate(c.date, c.format, c.date_separator, c.thousands_separator, c.suffix), c.expected);
  }
}

TEST(FormatIsoAndOrdinal, PadWeekDayAndYear) {
  EXPECT_EQ(FormatIsoWeekDate({2009, 5, 7, 0, 0}, 1), "2009-W05-7");
  EXPECT_EQ(FormatIsoWeekDate({2012, 1, 1, 0, 0}, 0), "2012W011");
  EXPECT_EQ(FormatIsoWeekDate({-44, 10, 3, 0, 0}, 1), "-44-W10-3");
  EXPECT_EQ(FormatOrdinalDate(44, 5, 1), "0044-005");
  EXPECT_EQ(FormatOrdinalDate(1, 1, 0), "0001001");
  EXPECT_EQ(FormatOrdinalDate(-44, 5, 1), "-0044-005");
  EXPECT_EQ(FormatOrdinalDate(12345, 5, 0), "12345005");
  EXPECT_EQ(FormatOrdinalDate(std::numeric_limits<int32_t>::min(), 1, 1), "-2147483648-001");
}

TEST(FormatLeapWeekAndMonth, GroupOnlyLargeYears) {
  LeapWeekDate date;
  date.Year = 2009, date.Month = 12, date.DayOfMonth = 35, date.Week = 53, date.Weekday = 7;
  EXPECT_EQ(FormatLeapWeekDate(date, true, ","), "2009-53-7 LPW");
  EXPECT_EQ(FormatLeapMonthDate(date, true, ","), "2009-12-35 LPM");
  date.Year = 7, date.Month = 3, date.DayOfMonth = 9, date.Week = 1, date.Weekday = 1;
  EXPECT_EQ(FormatLeapMonthDate(date, false, ","), "7-03-09");
  EXPECT_EQ(FormatLeapWeekDate(date, false, ","), "7-01-1");
  date.Year = -12345;
  EXPECT_EQ(FormatLeapWeekDate(date, false, ","), "-12,345-01-1");
  EXPECT_EQ(FormatLeapMonthDate(date, false, ""), "-12345-03-09");
  date.Year = -9999;
  EXPECT_EQ(FormatLeapWeekDate(date, false, ","), "-9999-01-1");
}

class TodayPlusDaysText : public ::testing::Test {
 protected:
  void TearDown() override { SetTodaySource({}); }
};

TEST_F(TodayPlusDaysText, WritesTodayPlusTheOffset) {
  SetTodaySource([] { return LocalDate{2012, 12, 31}; });
  EXPECT_EQ(qv::TodayPlusDaysText(0, kFormatYMD, "-", cal::CE, ","), "2012-12-31");
  EXPECT_EQ(qv::TodayPlusDaysText(7, kFormatDMY, ".", cal::CE, ","), "07.01.2013");
  EXPECT_EQ(qv::TodayPlusDaysText(-1, kFormatMDY, "/", cal::JC, ","), "12/17/2012");
}

TEST_F(TodayPlusDaysText, StaysWithinTheDayNumbersAtTheirEdges) {
  SetTodaySource([] { return LocalDate{std::numeric_limits<int32_t>::max(), 12, 31}; });
  EXPECT_FALSE(qv::TodayPlusDaysText(std::numeric_limits<int16_t>::max(), kFormatYMD, "-", cal::CE, ",").empty());
  SetTodaySource([] { return LocalDate{std::numeric_limits<int32_t>::min(), 1, 1}; });
  EXPECT_FALSE(qv::TodayPlusDaysText(std::numeric_limits<int16_t>::min(), kFormatYMD, "-", cal::CE, ",").empty());
}

}  // namespace
}  // namespace qv
