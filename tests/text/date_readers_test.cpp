#include "text/date_readers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "calendar/calendar_codes.h"
#include "text/string_utils.h"
#include "support/printing.h"

namespace qv {
namespace {

// A text, the result code and, for valid texts, the day number (0: not checked).
struct Case {
  const char* text;
  int16_t result;
  int32_t day_number = 0;
};

struct DateTextCase {
  const char* text;
  const char* separator;
  CalendarCode code;
  DateFormat format;
  int16_t result;
  int32_t year = 0, month = 0, day = 0;
};

TEST(ParseDateText, ReadsCommonEraAndJulianDates) {
  const DateTextCase cases[] = {
      {"15/03/(-44)", "/", cal::CE, kFormatDMY, 1, -44, 3, 15},  {"-44-03-15", "-", cal::CE, kFormatYMD, 1, -44, 3, 15},
      {"2012-03", "-", cal::CE, kFormatYMD, 0},                  {"15 March 2012", "-", cal::CE, kFormatDMY, 0},
      {" 2012 - 03 - 15 CE", "-", cal::CE, kFormatYMD, 1, 2012, 3, 15}, {"03.15.2012", ".", cal::CE, kFormatMDY, 1, 2012, 3, 15},
      {"12,345/01/01", "/", cal::CE, kFormatYMD, 1, 12345, 1, 1}, {"1900-02-29", "-", cal::CE, kFormatYMD, 0},
      {"1900-02-29", "-", cal::JC, kFormatYMD, 1, 1900, 2, 29},   {"5800001-01-01", "-", cal::CE, kFormatYMD, -1},
      {"-5800000-12-31", "-", cal::CE, kFormatYMD, 1, -5800000, 12, 31},
      {"2012/03/15", "-", cal::CE, kFormatYMD, 0},               {"2012-03-15", "/", cal::CE, kFormatYMD, 0},
      {"-1-2012/03/15", "/", cal::CE, kFormatYMD, 0},            {"2012-1-2-3", "-", cal::CE, kFormatYMD, 0},
      {"2012-13-01", "-", cal::CE, kFormatYMD, 0},               {"--", "-", cal::CE, kFormatYMD, 0},
      {"//", "/", cal::CE, kFormatYMD, 0},                       {"", "-", cal::CE, kFormatYMD, 0},
      {"99999999999999999999999999999999999999-01-01", "-", cal::CE, kFormatYMD, -1},
      {"2012-01-99999999999999999999999999999999", "-", cal::CE, kFormatYMD, 0},
      {"2012-03-15", "/", cal::AN, kFormatMDY, 1},  // AN reads year first with "-"
  };
  for (const auto& c : cases) {
    DateFields date;
    EXPECT_EQ(ParseDateText(c.text, c.separator, c.code, c.format, date), c.result) << c.text;
    if (c.result == 1 && c.code != cal::AN) {
      EXPECT_EQ((std::array{date.Year, date.Month, date.Day}), (std::array{c.year, c.month, c.day})) << c.text;
      EXPECT_EQ(date.Calendar, c.code == cal::JC ? 'J' : 'G') << c.text;
    }
  }
  DateFields date;
  ASSERT_EQ(ParseDateText("01/01/-4712", "/", cal::JC, kFormatMDY, date), 1);
  EXPECT_EQ(date.DayNumber, 0);
}

TEST(ParseDateText, ReadsDayNumbersInTheSeparatorsStyle) {
  const std::pair<const char*, Case> cases[] = {
      {"-", {"-2451545", 1, -2451545}}, {"-", {"2451-545", 0}},     {"-", {"2,451,545", 1, 2451545}},
      {".", {"2.451.545", 1, 2451545}}, {".", {"24.51545", 0}},     {"/", {"2/451/545", 0}},
      {"/", {"2451545", 1, 2451545}},   {".", {"-2.451.545", 1, -2451545}}, {".", {"2.100.000.001", -1}},
      {".", {"1.2.3.4", 0}},            {".", {"1.000.000.000.000", 0}}, {".", {".000", 0}},
      {"-", {" 1 000 ", 1, 1000}},      {"-", {"--5", 0}},          {"-", {"", 0}},
  };
  for (const auto& [separator, c] : cases) {
    DateFields date;
    EXPECT_EQ(ParseDateText(c.text, separator, cal::JDN, kFormatYMD, date), c.result) << c.text;
    if (c.result == 1) { EXPECT_EQ(date.DayNumber, c.day_number) << c.text; }
  }
}

TEST(ParseDayNumberText, IsLenientAndBounded) {
  const Case cases[] = {
      {"2,100,000,000", 1, 2100000000}, {"2100000001", -1}, {"99999999999", -1},  {"-2100000000", 1, -2100000000},
      {"2147483648", -1},  {"-0", 1, 0},   {"x-12", 1, -12}, {"1-2", 1, 12},       {"+-12", 0}, {"-+12", 1, -12},
      {"-", 0},            {"", 0},        {"+", 0, 0},      {"00000000001", -1},  {"123456789012345678901234567890", -1},
  };
  for (const auto& c : cases) {
    int16_t result = 99;
    const int32_t number = ParseDayNumberText(c.text, result);
    EXPECT_EQ(result, c.result) << c.text;
    if (c.result == 1) { EXPECT_EQ(number, c.day_number) << c.text; }
  }
}

TEST(ParseWholeNumberText, IsStrict) {
  const Case cases[] = {
      {"2099999999", 1, 2099999999}, {"2100000000", -1}, {"1.234", 0}, {"-2,099,999,999", 1, -2099999999},
      {" +42 ", 1, 42}, {"4 2", 0}, {"12x", 0}, {"--1", 0}, {"", 0}, {"00000000001", -1}, {"0000000001", 1, 1},
      {"-", 0, 0}, {",,", 0, 0}, {"123456789012345678901234567890", -1},
  };
  for (const auto& c : cases) {
    int32_t number = 77;
    EXPECT_EQ(ParseWholeNumberText(c.text, number), c.result) << c.text;
    if (c.result == 1) { EXPECT_EQ(number, c.day_number) << c.text; }
  }
}

// With "." as the program's thousands separator the strict reader also takes dots, but only
// where digit groups end; commas stay accepted anywhere.
TEST(ParseWholeNumberText, TakesTheProgramsOwnGroupSeparator) {
  const Case cases[] = {
      {"2.451.545", 1, 2451545}, {"-2.451.545", 1, -2451545}, {"1.234", 1, 1234}, {"2.099.999.999", 1, 2099999999},
      {"2.100.000.000", -1}, {"24.51545", 0}, {"2451.545.", 0}, {".245", 0}, {"1.2.3", 0}, {"2,451.545", 1, 2451545},
      {"1.000.000.000.000", 0},
  };
  for (const auto& c : cases) {
    int32_t number = 77;
    EXPECT_EQ(ParseWholeNumberText(c.text, number, "."), c.result) << c.text;
    if (c.result == 1) { EXPECT_EQ(number, c.day_number) << c.text; }
  }
}

TEST(ParseOrdinalDate, AcceptsOnlyTheSelectedStyle) {
  const std::pair<int16_t, Case> cases[] = {
      {0, {"2012366", 1, 2456293}}, {0, {"2011366", 0}}, {0, {"0000001", -1}}, {0, {"2012-366", 0}},
      {1, {"2012-366", 1, 2456293}}, {1, {"2012366", 0}}, {1, {"0001-001", 1, 1721426}}, {1, {"9999-365", 1, 5373484}},
      {1, {"2012-000", 0}}, {1, {"2012-367", 0}}, {1, {" 2012 - 001 ", 1, 2455928}}, {1, {"-012-001", 0}},
      {0, {"+012001", 0}}, {1, {"12-001", 0}}, {1, {"", 0}},
  };
  for (const auto& [hyphen, c] : cases) {
    DateFields date;
    EXPECT_EQ(ParseOrdinalDate(c.text, static_cast<Hyphen>(hyphen), date), c.result) << c.text << " hyphen " << hyphen;
    if (c.result == 1) { EXPECT_EQ(date.DayNumber, c.day_number) << c.text; }
  }
  DateFields date;
  ASSERT_EQ(ParseOrdinalDate("2012366", Hyphen::Without, date), 1);
  EXPECT_EQ(date.Month * 100 + date.Day, 1231);
  EXPECT_EQ(date.Calendar, 'G');
}

TEST(TextStyles, TellTheWritingsWithAndWithoutHyphen) {
  const std::pair<const char*, int16_t> ordinal[] = {{"2012366", 1}, {"2012-366", -1}, {"2011366", 0}, {"0000366", 1},
                                                     {"2012/366", 0}, {"2012000", 0}, {" 2012366", 0}, {"", 0}};
  for (const auto& [text, style] : ordinal) EXPECT_EQ(OrdinalTextStyle(text), style) << text;
  const std::pair<const char*, int16_t> iso[] = {
      {"2012-W01-1", -1}, {"2012W011", 1}, {"2012-W011", -1}, {"2012W01-1", 0}, {"-44-W10-3", -1}, {"-44W103", 1},
      {"123456789W011", 1}, {"2012-w01-1", 0}, {"2012-W00-1", 0}, {"2012-W54-1", 0}, {"2012-W01-8", 0},
      {"W011", 0}, {"20x2W011", 0}, {"2012W0111", 0}, {"", 0}, {"W", 0}, {"+2012W011", 1},
  };
  for (const auto& [text, style] : iso) EXPECT_EQ(IsoTextStyle(text), style) << text;
}

TEST(ParseIsoWeekDate, ChecksWeekAndYearRange) {
  const Case cases[] = {
      {"2015-W53-7", 1, 2457391}, {"2014-W53-1", 0}, {"2012-W00-1", 0}, {"2012-w01-1", 0}, {"2009W535", 1, 2455198},
      {"2013-W01-1", 1, 2456293}, {"5799999-W01-1", 1}, {"5800000-W01-1", -1}, {"-5800000W011", -1},
      {"99999999999999999999999999999999W011", -1}, {"-W011", 0}, {"2012-W-011", 0}, {"2012W011-", 0},
      {" 2012 - W01 - 1 ", 1, 2455929},
  };
  for (const auto& c : cases) {
    IsoWeekDate date;
    EXPECT_EQ(ParseIsoWeekDate(c.text, date), c.result) << c.text;
    if (c.result == 1 && c.day_number != 0) { EXPECT_EQ(date.DayNumber, c.day_number) << c.text; }
  }
}

TEST(ParseLeapWeekDate, ReadsYearWeekAndWeekday) {
  const Case cases[] = {
      {"2012-01-1 LPW", 1, 2455922}, {"2012-01-1", 1, 2455922}, {"1-01-1", 1, 1721419}, {"0-52-7", 1, 1721418},
      {"5800001-01-1", -1}, {"5800000-01-1", 1}, {"-5800000-01-1", 1}, {"2012-53-1", 0}, {"2015-53-7", 1},
      {"2012-01-8", 0}, {"2012-99999-1", 0}, {"2012-01-", 0}, {"2012--1", 0}, {"--01-1", 0}, {"-01-1", 0},
      {"12,345-01-1", 1}, {"", 0}, {"---", 0}, {"2012-1-1-1", 0}, {"9999999999999999999999999999999-01-1", -1},
      {"2012-01-99999999999999999999", 0},
  };
  for (const auto& c : cases) {
    LeapWeekDate date;
    EXPECT_EQ(ParseLeapWeekDate(c.text, date), c.result) << c.text;
    if (c.result == 1 && c.day_number != 0) { EXPECT_EQ(date.DayNumber, c.day_number) << c.text; }
  }
}

TEST(ParseLeapMonthDate, ReadsYearMonthAndDayOfMonth) {
  const Case cases[] = {
      {"2009-12-35 LPM", 1}, {"2012-12-29", 0}, {"2012-12-28", 1}, {"2012-13-01", 0}, {"2012-00-01", 0},
      {"2012-01-00", 0}, {"2000-01-06", 1, 2451545}, {"1-01-08", 1, 1721426}, {"5800001-01-01", -1},
      {"2012-01-40000", 0}, {"2012-40000-01", 0},
  };
  for (const auto& c : cases) {
    LeapWeekDate date;
    EXPECT_EQ(ParseLeapMonthDate(c.text, date), c.result) << c.text;
    if (c.result == 1 && c.day_number != 0) { EXPECT_EQ(date.DayNumber, c.day_number) << c.text; }
  }
}

TEST(IsDateKeyAllowed, FiltersDateBoxKeys) {
  EXPECT_TRUE(IsDateKeyAllowed(kKeyBackspace, 18, 18, "-", false));
  EXPECT_TRUE(IsDateKeyAllowed('W', 18, 18, "-", true));  // the week letter even in a full box
  EXPECT_TRUE(IsDateKeyAllowed('w', 3, 18, "-", true));
  EXPECT_FALSE(IsDateKeyAllowed('W', 3, 18, "-", false));
  EXPECT_FALSE(IsDateKeyAllowed('5', 18, 18, "-", false));
  for (char c : std::string("1234567890- ,.()")) EXPECT_TRUE(IsDateKeyAllowed(c, 3, 18, "-", false)) << c;
  EXPECT_TRUE(IsDateKeyAllowed('/', 3, 18, "/", false));
  EXPECT_FALSE(IsDateKeyAllowed('/', 3, 18, "-", false));
  EXPECT_FALSE(IsDateKeyAllowed(256 + '1', 3, 18, "-", false));
  // A box in an added calendar takes month names: letters of any script, the apostrophe.
  for (const int16_t key : {int16_t{'N'}, int16_t{'z'}, int16_t{'\''}, int16_t{0}, int16_t{'-'}}) {
    EXPECT_TRUE(IsDateKeyAllowed(key, 3, MaxNamedInputLength, "-", false, true)) << key;
    EXPECT_FALSE(IsDateKeyAllowed(key, MaxNamedInputLength, MaxNamedInputLength, "-", false, true)) << key;
  }
  EXPECT_FALSE(IsDateKeyAllowed('N', 3, 18, "-", false));
  EXPECT_FALSE(IsDateKeyAllowed('!', 3, MaxNamedInputLength, "-", false, true));
}

// Any bytes of any length: every reader answers with a result code (and, under the
// sanitizers, without touching memory it does not own).
TEST(ReadersOnHostileInput, AnswerEveryTextWithAResultCode) {
  std::mt19937 random(20240611);
  static const char kAlphabet[] = "0123456789-/.,+W ()w\0\xff";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const auto length = random() % 45;
    for (unsigned k = 0; k < length; ++k) {
      text += i % 3 == 0 ? static_cast<char>(random() & 0xff) : alphabet[random() % alphabet.size()];
    }
    DateFields date;
    IsoWeekDate iso;
    LeapWeekDate leap;
    int16_t result = 0;
    int32_t number = 0;
    for (const char* separator : {"-", "/", ".", "", "ab"}) {
      for (CalendarCode code = -1; code <= 10; ++code) {
        const int16_t r = ParseDateText(text, separator, code, static_cast<DateFormat>(i % 4), date);
        EXPECT_TRUE(r >= -1 && r <= 1);
      }
    }
    ParseDayNumberText(text, result);
    EXPECT_TRUE(result >= -1 && result <= 1);
    for (const int16_t r : {ParseWholeNumberText(text, number), ParseOrdinalDate(text, static_cast<Hyphen>(i % 2), date),
                            ParseIsoWeekDate(text, iso), ParseLeapWeekDate(text, leap), ParseLeapMonthDate(text, leap),
                            OrdinalTextStyle(text), IsoTextStyle(text)}) {
      EXPECT_TRUE(r >= -1 && r <= 1) << text;
    }
  }
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// A character the CE/JC reader skips (here an 'x') changes nothing wherever it stands, before,
// inside or after a field, at every length around the 8- and 16-character blocks the reader
// looks at; the fit alone tells that the text was not taken as written.
TEST(ParseDateText, SkippedCharactersChangeOnlyTheFit) {
  const std::string_view alphabet = "0123456789-/. ";
  uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1'103'515'245u + 12'345u;
    return state >> 16;
  };
  int valid = 0;
  for (int round = 0; round < 20'000; ++round) {
    std::string text;
    if (round % 2 == 0) {
      const std::size_t length = next() % 19;
      for (std::size_t i = 0; i < length; ++i) {
        text.push_back(next() % 3 != 0 ? static_cast<char>('0' + next() % 10) : alphabet[next() % alphabet.size()]);
      }
    } else {  // three fields, most of them a date in some order and separator
      const char separator = alphabet[10 + next() % 4];
      text = (next() % 4 == 0 ? "-" : "") + std::to_string(next() % 30'000) + separator +
             std::string(next() % 2, '0') + std::to_string(next() % 14) + separator + std::to_string(next() % 32);
    }
    std::string with_x = text;
    with_x.insert(next() % (text.size() + 1), 1, 'x');
    if (round % 3 == 0) with_x.insert(next() % (with_x.size() + 1), 8, 'x');  // a whole block skipped
    for (const std::string_view separator : {"-", "/", ".", " "}) {
      for (const DateFormat format : {kFormatYMD, kFormatDMY, kFormatMDY}) {
        DateFields whole, skipped;
        ReadFit whole_fit, skipped_fit;
        const int16_t result = ParseDateText(text, separator, cal::CE, format, whole, &whole_fit);
        ASSERT_EQ(result, ParseDateText(with_x, separator, cal::CE, format, skipped, &skipped_fit))
            << text << " / " << with_x << " separator '" << separator << "'";
        if (result != kReadValid) continue;
        ++valid;
        ASSERT_EQ(whole, skipped) << text << " / " << with_x;
        EXPECT_TRUE(skipped_fit.altered) << with_x;
      }
    }
  }
  EXPECT_GT(valid, 5000);  // the texts reach the readers' success path
}

// Texts in the form the writers give most dates ("2012-03-15", "15/03/2012", "800.01.01") read
// as the same texts do when the reader has to skip a letter before them: the same result, the same
// fields and day number, in every field order, separator, calendar letter and year width, for
// months and days in and just out of range. Without the letter, nothing is left out.
TEST(ParseDateText, WrittenFormReadsAsAnyOtherForm) {
  const std::string_view years[] = {"0", "7", "00", "44", "100", "999", "0800", "1582", "1900", "2000", "2024", "9999"};
  const std::string_view months[] = {"00", "01", "02", "04", "09", "10", "12", "13", "99"};
  const std::string_view days[] = {"00", "01", "09", "28", "29", "30", "31", "32", "99"};
  int valid = 0;
  for (const CalendarCode code : {cal::CE, cal::JC, cal::AN, cal::TLW, cal::ARC}) {
    for (const std::string_view separator : {"-", "/", ".", " "}) {
      for (const DateFormat format : {kFormatYMD, kFormatDMY, kFormatMDY}) {
        for (const std::string_view year : years) {
          for (const std::string_view month : months) {
            for (const std::string_view day : days) {
              const std::string s(separator);
              const std::string pair = format == kFormatDMY ? std::string(day) + s + std::string(month)
                                       : format == kFormatMDY ? std::string(month) + s + std::string(day)
                                                              : std::string(month) + s + std::string(day);
              const std::string text = format == kFormatYMD ? std::string(year) + s + pair : pair + s + std::string(year);
              DateFields plain, skipped;
              ReadFit fit;
              const int16_t result = ParseDateText(text, separator, code, format, plain, &fit);
              ASSERT_EQ(result, ParseDateText("x" + text, separator, code, format, skipped)) << text << " " << code;
              if (result != kReadValid) continue;
              ++valid;
              ASSERT_EQ(plain, skipped) << text << " " << code;
              EXPECT_FALSE(fit.altered) << text;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(valid, 5000);
}

// An added calendar's dates in that form: its months and its year limit, also where the limit
// is below the four digits of the form.
TEST(ParseFieldsDate, WrittenFormKeepsTheCalendarsMonthsAndYearLimit) {
  const auto days_in_month = [](int32_t year, int16_t month) -> int16_t {  // 13 months of 30, the 13th of 5 or 6
    if (month < 1 || month > 13) return 0;
    return month < 13 ? 30 : (year % 4 == 3 ? 6 : 5);
  };
  const struct {
    const char* text;
    int64_t year_limit;
    int16_t result;
  } cases[] = {
      {"1739-13-06", 9999, kReadValid}, {"1740-13-06", 9999, kReadNotValid}, {"1740-13-05", 9999, kReadValid},
      {"1740-14-01", 9999, kReadNotValid}, {"1740-12-30", 9999, kReadValid}, {"1740-12-31", 9999, kReadNotValid},
      {"1740-01-01", 1739, kReadOutOfRange}, {"1739-01-01", 1739, kReadValid}, {"0-01-01", 0, kReadValid},
  };
  for (const auto& c : cases) {
    DateFields plain, skipped;
    ASSERT_EQ(ParseFieldsDate(c.text, "-", kFormatYMD, days_in_month, c.year_limit, plain), c.result) << c.text;
    ASSERT_EQ(ParseFieldsDate(std::string("x") + c.text, "-", kFormatYMD, days_in_month, c.year_limit, skipped), c.result)
        << c.text;
    EXPECT_EQ(plain, skipped) << c.text;
  }
}

// Strict reading of CE/JC texts: what the writers put around a date is part of its form; any
// other character left out, and a day or month of three digits, is told.
TEST(ParseDateText, TellsWhatItLeavesOut) {
  const struct {
    const char* text;
    const char* separator;
    DateFormat format;
    const char* groups;
    bool altered;
  } cases[] = {
      {"2012-03-15", "-", kFormatYMD, ",", false},        {"+2012-03-15", "-", kFormatYMD, ",", false},
      {"15/03/(-44)", "/", kFormatDMY, ",", false},       {"03.15.(-12,345)", ".", kFormatMDY, ",", false},
      {"12.345/01/01", "/", kFormatYMD, ".", false},      {"1,234,567-01-01", "-", kFormatYMD, ",", false},
      {"2012-1-5", "-", kFormatYMD, ",", false},          {"2012-03-15x", "-", kFormatYMD, ",", true},
      {"2012 -03-15", "-", kFormatYMD, ",", true},        {"2012-03-015", "-", kFormatYMD, ",", true},
      {"2012-003-15", "-", kFormatYMD, ",", true},        {"12,345/01/01", "/", kFormatYMD, ".", true},
      {"1,23-01-01", "-", kFormatYMD, ",", true},         {"15/03/(-44", "/", kFormatDMY, ",", true},
      {"(15/03/-44)", "/", kFormatDMY, ",", true},        {"2012-03-15+", "-", kFormatYMD, ",", true},
      {"15/03/+2012", "/", kFormatDMY, ",", true},        {"2012-0(3-15", "-", kFormatYMD, ",", true},
      {"xxxxxxxx2012-03-15", "-", kFormatYMD, ",", true}, {"2012-03-1xxxxxxxxxxxxxxx5", "-", kFormatYMD, ",", true},
      {"+2012-03-15x", "-", kFormatYMD, ",", true},       {"03.15.(-12,345)x", ".", kFormatMDY, ",", true},
  };
  for (const auto& c : cases) {
    DateFields date;
    ReadFit fit{.group_separator = c.groups};
    ASSERT_EQ(ParseDateText(c.text, c.separator, cal::CE, c.format, date, &fit), kReadValid) << c.text;
    EXPECT_EQ(fit.altered, c.altered) << c.text;
  }
}

}  // namespace
}  // namespace qv
