#include "text/date_writers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "support/dates.h"

namespace qv {
namespace {

using test::DateOf;
using test::Written;

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
      // A separator other than one character is written as given.
      {DateOf(2012, 12, 31, 'G'), kFormatDMY, ". ", ",", false, "31. 12. 2012"},
      {DateOf(-44, 3, 15, 'G'), kFormatMDY, "", ",", true, "0315(-44) CE"},
      {DateOf(12345, 1, 1, 'G'), kFormatYMD, " - ", ",", false, "12,345 - 01 - 01"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written(FormatDate, c.date, c.format, c.date_separator, c.thousands_separator,
                      c.suffix ? Suffix::With : Suffix::Without),
              c.expected);
  }
}

TEST(FormatIsoAndOrdinal, PadWeekDayAndYear) {
  EXPECT_EQ(Written(FormatIsoWeekDate, IsoWeekDate{2009, 5, 7, 0, 0}, Hyphen::With), "2009-W05-7");
  EXPECT_EQ(Written(FormatIsoWeekDate, IsoWeekDate{2012, 1, 1, 0, 0}, Hyphen::Without), "2012W011");
  EXPECT_EQ(Written(FormatIsoWeekDate, IsoWeekDate{-44, 10, 3, 0, 0}, Hyphen::With), "-44-W10-3");
  EXPECT_EQ(Written(FormatOrdinalDate, int32_t{44}, int16_t{5}, Hyphen::With), "0044-005");
  EXPECT_EQ(Written(FormatOrdinalDate, int32_t{1}, int16_t{1}, Hyphen::Without), "0001001");
  EXPECT_EQ(Written(FormatOrdinalDate, int32_t{-44}, int16_t{5}, Hyphen::With), "-0044-005");
  EXPECT_EQ(Written(FormatOrdinalDate, int32_t{12345}, int16_t{5}, Hyphen::Without), "12345005");
  EXPECT_EQ(Written(FormatOrdinalDate, int32_t{std::numeric_limits<int32_t>::min()}, int16_t{1}, Hyphen::With), "-2147483648-001");
}

TEST(FormatLeapWeekAndMonth, GroupOnlyLargeYears) {
  LeapWeekDate date;
  date.Year = 2009, date.Month = 12, date.DayOfMonth = 35, date.Week = 53, date.Weekday = 7;
  EXPECT_EQ(Written(FormatLeapWeekDate, date, Suffix::With, ","), "2009-53-7 LPW");
  EXPECT_EQ(Written(FormatLeapMonthDate, date, Suffix::With, ","), "2009-12-35 LPM");
  date.Year = 7, date.Month = 3, date.DayOfMonth = 9, date.Week = 1, date.Weekday = 1;
  EXPECT_EQ(Written(FormatLeapMonthDate, date, Suffix::Without, ","), "7-03-09");
  EXPECT_EQ(Written(FormatLeapWeekDate, date, Suffix::Without, ","), "7-01-1");
  date.Year = -12345;
  EXPECT_EQ(Written(FormatLeapWeekDate, date, Suffix::Without, ","), "-12,345-01-1");
  EXPECT_EQ(Written(FormatLeapMonthDate, date, Suffix::Without, ""), "-12345-03-09");
  date.Year = -9999;
  EXPECT_EQ(Written(FormatLeapWeekDate, date, Suffix::Without, ","), "-9999-01-1");
}

}  // namespace
}  // namespace qv
