// The calendar library's text reader and digit grouping, the code table and the clock.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "calendar/calendar_codes.h"
#include "calendar/calendar_library.h"
#include "calendar/clock.h"
#include "calendar/day_numbers.h"

namespace qv {
namespace {

struct StrToDateCase {
  const char* text;
  int16_t format;
  char letter;
  int32_t code;  // 0, -5, or 1 for "some other non-zero value"
  int32_t year, month, day;
};

TEST(StrToDate, FieldsOrdersAndDefects) {
  const StrToDateCase cases[] = {
      {"2012-03-15", 2, 'G', 0, 2012, 3, 15},   {"-44-03-15", 2, 'G', 0, -44, 3, 15},
      {"15/03/-44", 1, 'G', 0, -44, 3, 15},     {"03.15.2012", 0, 'G', 0, 2012, 3, 15},
      {"15-03--44", 1, 'G', 0, -44, 3, 15},     {"0002012-003-0015", 2, 'G', 0, 2012, 3, 15},
      {"1900-02-29", 2, 'J', 0, 1900, 2, 29},   {"1900-02-29", 2, 'G', 1, 0, 0, 0},
      {"2012-02-30", 2, 'G', 1, 0, 0, 0},       {"2012-13-01", 2, 'G', 1, 0, 0, 0},
      {"2012-00-01", 2, 'G', 1, 0, 0, 0},       {"2012-01-00", 2, 'G', 1, 0, 0, 0},
      {"2012-03", 2, 'G', 1, 0, 0, 0},          {"2012--03-15", 2, 'G', 1, 0, 0, 0},
      {"", 2, 'G', 1, 0, 0, 0},                 {"--", 2, 'G', 1, 0, 0, 0},
      {"5800001-01-01", 2, 'G', -5, 0, 0, 0},   {"-5800000-01-01", 2, 'G', 0, -5800000, 1, 1},
      {"99999999999999999999-01-01", 2, 'G', -5, 0, 0, 0},
      {"2012/03-15", 2, 'G', 1, 0, 0, 0},       {"2012/03/15/", 2, 'G', 1, 0, 0, 0},
      {"2012/03/99999999999999999999", 2, 'G', 1, 0, 0, 0},
      {"0-02-29", 2, 'G', 0, 0, 2, 29},         {"2012-10-43", 2, 'A', 1, 0, 0, 0},
      {"2012-09-36", 2, 'A', 0, 2012, 9, 36},
  };
  for (const auto& c : cases) {
    DateFields date;
    const int32_t code = str_to_date(c.text, c.format, date, c.letter);
    if (c.code == 1) {
      EXPECT_NE(code, 0) << c.text;
      EXPECT_NE(code, kStrToDateOutOfRange) << c.text;
      continue;
    }
    EXPECT_EQ(code, c.code) << c.text;
    if (c.code == 0) {
      EXPECT_EQ(date.Year, c.year) << c.text;
      EXPECT_EQ(date.Month, c.month) << c.text;
      EXPECT_EQ(date.Day, c.day) << c.text;
      EXPECT_EQ(date.Calendar, c.letter) << c.text;
    }
  }
}

// With a named separator only digits, '-' and that separator count: every other character is
// skipped (and its place told), in any field and across the eight-byte blocks of the scan.
TEST(StrToDate, NamedSeparatorSkipsEveryOtherCharacter) {
  struct Skips final : SkippedCharacters {
    void Skipped(std::size_t at) override { places.push_back(at); }
    std::vector<std::size_t> places;
  };
  const struct {
    const char* text;
    char separator;
    int16_t format;
    int32_t code;  // 0, or 1 for "some non-zero value other than -5"
    int32_t year, month, day;
    std::size_t widest;  // digits of the longer of month and day
    std::vector<std::size_t> skipped;
  } cases[] = {
      {"2012-03-15", '-', 2, 0, 2012, 3, 15, 2, {}},
      {"2012-0x3-15", '-', 2, 0, 2012, 3, 15, 2, {6}},
      {"15/03/(-44)", '/', 1, 0, -44, 3, 15, 2, {6, 10}},
      {" 2012 - 3 - 015 ", '-', 2, 0, 2012, 3, 15, 3, {0, 5, 7, 9, 11, 15}},
      {"xxxxxxxx2012-03-15", '-', 2, 0, 2012, 3, 15, 2, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"20x12.03x.1x5", '.', 2, 0, 2012, 3, 15, 2, {2, 8, 11}},
      {"-4x4-03-15", '-', 2, 0, -44, 3, 15, 2, {2}},
      {"2012/03/15", '-', 2, 1, 0, 0, 0, 0, {4, 7}},   // '/' is skipped: no field is separated
      {"2012-03-15", '/', 2, 1, 0, 0, 0, 0, {}},       // '-' does not stand in for the named one
      {"2012.03/15", '/', 2, 1, 0, 0, 0, 0, {4}},
      {"2012 03 15", ' ', 2, 0, 2012, 3, 15, 2, {}},   // a named blank separates
  };
  for (const auto& c : cases) {
    DateFields date;
    Skips skips;
    std::size_t widest = 0;
    const int32_t code = str_to_date(c.text, c.format, date, 'G',
                                     DateTextRules{.separator = c.separator, .skipped = &skips, .day_and_month_digits = &widest});
    EXPECT_EQ(skips.places, c.skipped) << c.text;
    if (c.code != 0) {
      EXPECT_NE(code, 0) << c.text;
      EXPECT_NE(code, kStrToDateOutOfRange) << c.text;
      continue;
    }
    ASSERT_EQ(code, 0) << c.text;
    EXPECT_EQ((std::array{date.Year, date.Month, date.Day}), (std::array{c.year, c.month, c.day})) << c.text;
    EXPECT_EQ(widest, c.widest) << c.text;
  }
  // Without a named separator the text's own one separates, and nothing is skipped.
  DateFields date;
  EXPECT_EQ(str_to_date("2012/03/15", 2, date, 'G'), 0);
  EXPECT_NE(str_to_date("2012/03.15", 2, date, 'G'), 0);
  EXPECT_NE(str_to_date("2012-0x3-15", 2, date, 'G'), 0);
}

TEST(SeparateThousands, Groups) {
  const struct {
    const char* digits;
    char separator;
    const char* grouped;
  } cases[] = {{"2000000", ',', "2,000,000"}, {"2000000", '.', "2.000.000"}, {"999", ',', "999"},
               {"1000", ',', "1,000"},        {"-2451545", ',', "-2,451,545"}, {"-100", ',', "-100"},
               {"", ',', ""},                 {"-2147483648", ',', "-2,147,483,648"},
               {"123456789012345678901234", ',', "123,456,789,012,345"}};
  for (const auto& c : cases) {
    char out[20];
    separate_thousands(c.digits, c.separator, out);
    EXPECT_EQ(std::string(out), c.grouped) << c.digits;
  }
}

TEST(AnnusNovus, RoundTrips) {
  for (int32_t day_number = 2451545 - 800; day_number < 2451545 + 800; ++day_number) {
    DateFields date;
    date.Calendar = kLetterAnnusNovus;
    date.DayNumber = day_number;
    DayNumberToCalendarDate(date);
    ASSERT_GE(date.Month, 1);
    ASSERT_LE(date.Month, 10);
    ASSERT_EQ(annus_novus_date_to_jdn(date), day_number);
  }
}

TEST(CalendarCodes, LettersAndTextCodes) {
  const struct {
    CalendarCode code;
    bool has_letter;
    int32_t letter;
    const char* text;
  } cases[] = {{cal::CE, true, 'G', "CE"},  {cal::JC, true, 'J', "JC"},    {cal::JDN, false, 'x', "JDN"},
               {cal::AN, true, 'A', "AN"},  {cal::ORD, true, 'G', "ORD"},  {cal::TLW, true, 'T', "TLW"},
               {cal::ISO, true, 'I', "ISO"}, {cal::LPW, false, 'x', "LPW"}, {cal::LPM, false, 'x', "LPM"},
               {cal::ARC, false, 'x', "ARC"}};
  for (const auto& c : cases) {
    DateFields date;
    date.Calendar = 'x';
    EXPECT_EQ(CalendarLetterForCode(c.code, date), c.has_letter) << c.text;
    EXPECT_EQ(date.Calendar, c.letter) << c.text;
    EXPECT_EQ(CalendarTextCode(c.code), c.text);
    EXPECT_EQ(CalendarCodeFromText(c.text), c.code);
  }
  EXPECT_EQ(CalendarCodeFromText("lpm"), cal::LPM);
  EXPECT_EQ(CalendarCodeFromText("XYZ"), -1);
  EXPECT_EQ(CalendarTextCode(cal::HEB), "HEB");
  EXPECT_EQ(CalendarTextCode(cal::IND), "IND");
  EXPECT_EQ(CalendarCodeFromText("may"), cal::MAY);
  EXPECT_EQ(CalendarTextCode(cal::kCount), "");
  EXPECT_EQ(CalendarTextCode(-1), "");
  EXPECT_EQ(ReaderLetterForCode(cal::ARC), 'R');
  EXPECT_EQ(ReaderLetterForCode(cal::ORD), 'G');
  EXPECT_EQ(ReaderLetterForCode(cal::JDN), 'G');
  EXPECT_EQ(InitDateTables().DayNumberLimit, 2'100'000'000);
  EXPECT_EQ(InitDateTables().LargestDayNumberText.size(), 10u);
}

TEST(Clock, TodayFollowsTheSource) {
  SetTodaySource([] { return LocalDate{2000, 1, 1}; });
  DateFields today;
  GetTodayDate(today);
  EXPECT_EQ(today.DayNumber, 2451545);
  EXPECT_EQ(today.Calendar, kLetterGregorian);
  EXPECT_EQ(TodayDayNumber(), 2451545);
  EXPECT_EQ(TodayDayOfWeek(cal::ISO), 6);
  SetTodaySource({});
  EXPECT_GT(TodayDayNumber(), 2460000);  // the system clock again
}

}  // namespace
}  // namespace qv
