// What a writer produces, its reader reads back to the same day number, for every calendar
// and every combination of the display options.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calendar/calendar_codes.h"
#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/date_dispatch.h"
#include "text/date_readers.h"
#include "text/date_writers.h"
#include "text/string_utils.h"
#include "support/dates.h"
#include "support/printing.h"

namespace qv {
namespace {

using test::Written;

std::vector<int32_t> SampleDayNumbers(int32_t low, int32_t high, int count) {
  std::vector<int32_t> days = {low, high, 0, -1, 1, 1721418, 1721419, 1721426, 2451545, 5373484};
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> pick(low, high);
  for (int i = 0; i < count; ++i) days.push_back(pick(random));
  std::erase_if(days, [&](int32_t d) { return d < low || d > high; });
  return days;
}

const auto kDays = SampleDayNumbers(-2'100'000'000, 2'100'000'000, 3000);

TEST(RoundTrip, CommonEraAndJulianDates) {
  for (const CalendarCode code : {cal::CE, cal::JC}) {
    for (const DateFormat format : {kFormatMDY, kFormatDMY, kFormatYMD}) {
      for (const char* separator : {"-", "/", "."}) {
        for (const char* thousands : {",", ".", ""}) {
          for (const int32_t day : kDays) {
            DateFields date;
            date.Calendar = code == cal::JC ? 'J' : 'G';
            date.DayNumber = day;
            DayNumberToDate(date);
            const std::string text = Written(FormatDate, date, format, separator, thousands, Suffix::With);
            DateFields read;
            const int16_t result = ParseDateText(text, separator, code, format, read);
            // With "." between both fields and digit groups the year is written ungrouped.
            if (std::string(separator) == std::string(thousands)) {
              ASSERT_EQ(CountOccurrences(text, separator), 2u) << text;
            }
            ASSERT_EQ(result, 1) << text << " format " << format;
            ASSERT_EQ(read.DayNumber, day) << text;
          }
        }
      }
    }
  }
}

TEST(RoundTrip, DayNumbersStrictAndLenient) {
  for (const char* thousands : {",", ".", ""}) {
    for (const int32_t day : kDays) {
      const std::string text = GroupedNumber(day, thousands);
      for (const char* separator : {"-", "/", "."}) {
        DateFields read;
        ASSERT_EQ(ParseDateText(text, separator, cal::JDN, kFormatYMD, read), 1) << text << " " << separator;
        ASSERT_EQ(read.DayNumber, day) << text;
      }
      int32_t number = 0;
      const int16_t strict = ParseWholeNumberText(text, number, thousands);
      if (day >= 2'100'000'000 || day <= -2'100'000'000) {
        EXPECT_EQ(strict, -1) << text;
      } else {
        ASSERT_EQ(strict, 1) << text;
        ASSERT_EQ(number, day) << text;
      }
    }
  }
}

TEST(RoundTrip, OrdinalDatesWithinTheirRange) {
  for (const Hyphen hyphen : {Hyphen::Without, Hyphen::With}) {
    for (const int32_t day : SampleDayNumbers(kFirstOrdinalDay, kLastOrdinalDay, 3000)) {
      DateFields date;
      date.Calendar = 'G';
      date.DayNumber = day;
      DayNumberToDate(date);
      const std::string text = Written(FormatOrdinalDate, date.Year, DayOfYear(date), hyphen);
      DateFields read;
      ASSERT_EQ(ParseOrdinalDate(text, hyphen, read), 1) << text;
      ASSERT_EQ(read.DayNumber, day) << text;
      EXPECT_EQ(OrdinalTextStyle(text), hyphen == Hyphen::With ? -1 : 1) << text;
    }
  }
}

TEST(RoundTrip, IsoWeekDates) {
  for (const Hyphen hyphen : {Hyphen::Without, Hyphen::With}) {
    for (const int32_t day : kDays) {
      IsoWeekDate date;
      date.DayNumber = day;
      DayNumberToIsoWeekDate(date);
      const std::string text = Written(FormatIsoWeekDate, date, hyphen);
      IsoWeekDate read;
      ASSERT_EQ(ParseIsoWeekDate(text, read), 1) << text;
      ASSERT_EQ(read.DayNumber, day) << text;
      EXPECT_EQ(IsoTextStyle(text), hyphen == Hyphen::With ? -1 : 1) << text;
    }
  }
}

TEST(RoundTrip, LeapWeekAndLeapMonthDates) {
  for (const char* group : {",", ".", ""}) {
    for (const int32_t day : kDays) {
      LeapWeekDate date;
      date.DayNumber = day;
      DayNumberToLeapMonthDate(date);
      const std::string week_text = Written(FormatLeapWeekDate, date, Suffix::With, group);
      const std::string month_text = Written(FormatLeapMonthDate, date, Suffix::With, group);
      LeapWeekDate read;
      ASSERT_EQ(ParseLeapWeekDate(week_text, read), 1) << week_text;
      ASSERT_EQ(read.DayNumber, day) << week_text;
      read = LeapWeekDate{};
      ASSERT_EQ(ParseLeapMonthDate(month_text, read), 1) << month_text;
      ASSERT_EQ(read.DayNumber, day) << month_text;
    }
  }
}

// Every calendar a box offers with every combination of format, date separator, thousands
// separator and hyphen option.
struct BoxOption {
  CalendarCode code;
  DateTextOptions options;
};
std::vector<BoxOption> EveryBoxOption(TextReading reading) {
  std::vector<BoxOption> all;
  for (const CalendarCode code : {cal::CE, cal::JC, cal::JDN, cal::ORD, cal::ISO, cal::LPW, cal::LPM}) {
    for (const DateFormat format : {kFormatMDY, kFormatDMY, kFormatYMD}) {
      for (const char* separator : {"-", "/", "."}) {
        for (const char* thousands : {",", ".", ""}) {
          for (const Hyphen hyphen : {Hyphen::Without, Hyphen::With}) {
            all.push_back({code, DateTextOptions{.format = format,
                                                 .date_separator = separator,
                                                 .thousands_separator = thousands,
                                                 .hyphen = hyphen,
                                                 .reading = reading}});
          }
        }
      }
    }
  }
  return all;
}

std::string Describe(const BoxOption& box, const std::string& text) {
  return std::string(CalendarTextCode(box.code)) + " " + text + " format " + std::to_string(box.options.format) +
         " sep " + std::string(box.options.date_separator) + " groups '" + std::string(box.options.thousands_separator) +
         "'";
}

// The property the boxes rely on: every text written into a box, in every calendar a box offers
// and every combination of format, date separator, thousands separator and hyphen option, reads
// back to the same day number under the same options, leniently and (as Compute reads it)
// strictly. The one exception is the strict JDN limit: ±2,100,000,000 itself is "out of range".
TEST(RoundTrip, EveryBoxTextReadsBackUnderItsOptions) {
  const auto days = SampleDayNumbers(-2'100'000'000, 2'100'000'000, 400);
  const auto ordinal_days = SampleDayNumbers(kFirstOrdinalDay, kLastOrdinalDay, 400);
  int checked = 0;
  for (const BoxOption& box : EveryBoxOption(TextReading::Lenient)) {
    for (const int32_t day : box.code == cal::ORD ? ordinal_days : days) {
      TextBuilder written;
      ASSERT_TRUE(WriteDayNumberInCalendar(written, day, box.code, box.options)) << day;
      const std::string text = written.Text();
      for (const JdnReading reading : {JdnReading::Lenient, JdnReading::Strict}) {
        const DateReading back = ReadDateInCalendar(text, box.code, box.options, reading);
        if (box.code == cal::JDN && reading == JdnReading::Strict && (day == DayNumberLimit || day == -DayNumberLimit)) {
          EXPECT_EQ(back.result, kReadOutOfRange) << text;
          continue;
        }
        ASSERT_EQ(back.result, kReadValid) << Describe(box, text);
        ASSERT_EQ(back.fields.DayNumber, day) << Describe(box, text);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 100'000);
}

// Strict reading takes back every text the program writes: each box text and each result date
// with its calendar code after it, in every calendar and option combination, and every
// difference it writes (with a sign in front, too), without noting anything left out.
TEST(RoundTrip, EveryWrittenTextReadsStrictly) {
  const auto days = SampleDayNumbers(-2'099'999'999, 2'099'999'999, 300);
  const auto ordinal_days = SampleDayNumbers(kFirstOrdinalDay, kLastOrdinalDay, 300);
  int checked = 0;
  for (const BoxOption& box : EveryBoxOption(TextReading::Strict)) {
    for (const int32_t day : box.code == cal::ORD ? ordinal_days : days) {
      for (const bool suffix : {false, true}) {
        TextBuilder written;
        ASSERT_TRUE(WriteDayNumberInCalendar(written, day, box.code, box.options, WriteStyle{.suffix = suffix}));
        const std::string text = written.Text();
        const DateReading back = ReadDateInCalendar(text, box.code, box.options, JdnReading::Strict);
        ASSERT_EQ(back.result, kReadValid) << Describe(box, text);
        ASSERT_FALSE(back.altered) << Describe(box, text);
        ASSERT_EQ(back.fields.DayNumber, day) << text;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 50'000);
  for (const char* thousands : {",", ".", ""}) {
    for (const int32_t day : days) {
      for (const char* sign : {"", "+"}) {
        // The reader counts a '+' among the ten characters a number may have.
        const std::string text = (day >= 0 && day < 1'000'000'000 ? sign : "") + GroupedNumber(day, thousands);
        ReadFit fit{.group_separator = thousands};
        int16_t result = 0;
        ASSERT_EQ(ParseDayNumberText(text, result, &fit), day) << text;
        ASSERT_EQ(result, kReadValid) << text;
        ASSERT_FALSE(fit.altered) << text << " groups '" << thousands << "'";
      }
    }
  }
}

}  // namespace
}  // namespace qv
