// What a writer produces, its reader reads back to the same day number, for every calendar
// and every combination of the display options.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/date_readers.h"
#include "text/date_writers.h"
#include "text/string_utils.h"

namespace qv {
namespace {

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
            const std::string text = FormatDate(date, format, separator, thousands, true);
            DateFields read;
            const int16_t result = ParseDateText(text, separator, code, format, read);
            // A grouped year whose group dots are also the date separator cannot be read back.
            const bool ambiguous = std::string(separator) == "." && std::string(thousands) == "." &&
                                   (date.Year > 9999 || date.Year < -9999);
            if (ambiguous) {
              EXPECT_EQ(result, 0) << text;
              continue;
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
      const int16_t strict = ParseWholeNumberText(text, number);
      if (std::string(thousands) == ".") {
        // The strict reader takes commas only.
        if (day <= -1000 || day >= 1000) { EXPECT_EQ(strict, 0) << text; }
      } else if (day >= 2'100'000'000 || day <= -2'100'000'000) {
        EXPECT_EQ(strict, -1) << text;
      } else {
        ASSERT_EQ(strict, 1) << text;
        ASSERT_EQ(number, day) << text;
      }
    }
  }
}

TEST(RoundTrip, OrdinalDatesWithinTheirRange) {
  for (const int16_t hyphen : {int16_t{0}, int16_t{1}}) {
    for (const int32_t day : SampleDayNumbers(kFirstOrdinalDay, kLastOrdinalDay, 3000)) {
      DateFields date;
      date.Calendar = 'G';
      date.DayNumber = day;
      DayNumberToDate(date);
      const std::string text = FormatOrdinalDate(date.Year, DayOfYear(date), hyphen);
      DateFields read;
      ASSERT_EQ(ParseOrdinalDate(text, hyphen, read), 1) << text;
      ASSERT_EQ(read.DayNumber, day) << text;
      EXPECT_EQ(OrdinalTextStyle(text), hyphen == 1 ? -1 : 1) << text;
    }
  }
}

TEST(RoundTrip, IsoWeekDates) {
  for (const int16_t hyphen : {int16_t{0}, int16_t{1}}) {
    for (const int32_t day : kDays) {
      IsoWeekDate date;
      date.DayNumber = day;
      DayNumberToIsoWeekDate(date);
      const std::string text = FormatIsoWeekDate(date, hyphen);
      IsoWeekDate read;
      ASSERT_EQ(ParseIsoWeekDate(text, read), 1) << text;
      ASSERT_EQ(read.DayNumber, day) << text;
      EXPECT_EQ(IsoTextStyle(text), hyphen == 1 ? -1 : 1) << text;
    }
  }
}

TEST(RoundTrip, LeapWeekAndLeapMonthDates) {
  for (const char* group : {",", ".", ""}) {
    for (const int32_t day : kDays) {
      LeapWeekDate date;
      date.DayNumber = day;
      DayNumberToLeapMonthDate(date);
      const std::string week_text = FormatLeapWeekDate(date, true, group);
      const std::string month_text = FormatLeapMonthDate(date, true, group);
      LeapWeekDate read;
      ASSERT_EQ(ParseLeapWeekDate(week_text, read), 1) << week_text;
      ASSERT_EQ(read.DayNumber, day) << week_text;
      read = LeapWeekDate{};
      ASSERT_EQ(ParseLeapMonthDate(month_text, read), 1) << month_text;
      ASSERT_EQ(read.DayNumber, day) << month_text;
    }
  }
}

}  // namespace
}  // namespace qv
