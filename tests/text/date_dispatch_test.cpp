#include "text/date_dispatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/day_numbers.h"

namespace qv {
namespace {

// The text WriteDayNumberInCalendar adds to an empty builder; nullopt when it refuses.
std::optional<std::string> Written(int32_t day_number, CalendarCode code, const DateTextOptions& options,
                                   WriteStyle style = {}, DateFields* record = nullptr) {
  TextBuilder text;
  if (!WriteDayNumberInCalendar(text, day_number, code, options, style, record)) return std::nullopt;
  return text.Text();
}

struct ReadCase {
  const char* text;
  CalendarCode code;
  JdnReading jdn;
  int16_t result;
  int32_t day_number;
};

TEST(ReadDateInCalendar, UsesTheReaderOfEachCalendar) {
  const DateTextOptions options{kFormatDMY, "/", ",", Hyphen::With};
  const ReadCase cases[] = {
      {"01/01/2000", cal::CE, JdnReading::Strict, 1, 2451545},
      {"19/12/1999", cal::JC, JdnReading::Strict, 1, 2451545},
      {"2,451,545", cal::JDN, JdnReading::Strict, 1, 2451545},
      {"2451545 JDN", cal::JDN, JdnReading::Strict, 0, 0},
      {"2451545 JDN", cal::JDN, JdnReading::Lenient, 1, 2451545},
      {"2100000000", cal::JDN, JdnReading::Strict, -1, 0},
      {"2100000000", cal::JDN, JdnReading::Lenient, 1, 2100000000},
      {"2/451/545", cal::JDN, JdnReading::Lenient, 0, 0},
      {"2000-001", cal::ORD, JdnReading::Strict, 1, 2451545},
      {"2000001", cal::ORD, JdnReading::Strict, 0, 0},  // the hyphen option selects the style
      {"1999-W52-6", cal::ISO, JdnReading::Strict, 1, 2451545},
      {"1999W526", cal::ISO, JdnReading::Strict, 1, 2451545},
      {"2000-01-6 LPW", cal::LPW, JdnReading::Strict, 1, 2451545},
      {"2000-01-06 LPM", cal::LPM, JdnReading::Strict, 1, 2451545},
      {"5800001-01-01", cal::LPM, JdnReading::Strict, -1, 0},
      {"", cal::CE, JdnReading::Strict, 0, 0},
  };
  for (const auto& c : cases) {
    const DateReading reading = ReadDateInCalendar(c.text, c.code, options, c.jdn);
    EXPECT_EQ(reading.result, c.result) << c.text;
    EXPECT_EQ(reading.fields.DayNumber, c.day_number) << c.text;
  }
}

TEST(ReadDateInCalendar, CarriesTheFieldsThatLaterStepsRead) {
  const DateTextOptions options;
  DateReading reading = ReadDateInCalendar("2009-12-35", cal::LPM, options, JdnReading::Strict);
  ASSERT_EQ(reading.result, 1);
  EXPECT_EQ(reading.fields.Year, 2009);
  EXPECT_EQ(reading.fields.Month, 12);
  EXPECT_EQ(reading.fields.Day, 35);
  reading = ReadDateInCalendar("1900-02-29", cal::JC, options, JdnReading::Strict);
  ASSERT_EQ(reading.result, 1);
  EXPECT_EQ(reading.fields.Calendar, 'J');
  reading = ReadDateInCalendar("2012-366", cal::ORD, options, JdnReading::Strict);
  ASSERT_EQ(reading.result, 1);
  EXPECT_EQ(reading.fields.Month, 12);
  EXPECT_EQ(reading.fields.Day, 31);
  EXPECT_EQ(reading.fields.Calendar, 'G');
}

TEST(ReadDateInCalendar, TellsWhenTheTextIsItsOwnNormalForm) {
  struct Case {
    const char* text;
    CalendarCode code;
    DateFormat format;
    const char* separator;
    TextReading reading;
    bool as_written;
  };
  const Case cases[] = {
      {"2145-01-02", cal::CE, kFormatYMD, "-", TextReading::Strict, true},
      {"02/01/2145", cal::CE, kFormatDMY, "/", TextReading::Strict, true},
      {"01.02.2145", cal::JC, kFormatMDY, ".", TextReading::Strict, true},
      {"7-03-09", cal::CE, kFormatYMD, "-", TextReading::Strict, true},
      {"09-03-0", cal::CE, kFormatDMY, "-", TextReading::Strict, true},
      {"0007-03-09", cal::CE, kFormatYMD, "-", TextReading::Strict, false},  // written "7-03-09"
      {"09/03/07", cal::JC, kFormatDMY, "/", TextReading::Strict, false},
      {"2145-01-02 CE", cal::CE, kFormatYMD, "-", TextReading::Strict, false},  // the box holds no code
      {" 2145-01-02", cal::CE, kFormatYMD, "-", TextReading::Strict, false},
      {"2145-1-02", cal::CE, kFormatYMD, "-", TextReading::Strict, false},
      {"12345-01-02", cal::CE, kFormatYMD, "-", TextReading::Strict, false},  // grouped when written
      {"-44-03-15", cal::CE, kFormatYMD, "-", TextReading::Strict, false},
      {"2145/01/02", cal::CE, kFormatYMD, "-", TextReading::Strict, false},
      {"2145-02-30", cal::CE, kFormatYMD, "-", TextReading::Strict, false},  // no such day
      {"2145-01-02", cal::AN, kFormatYMD, "-", TextReading::Strict, false},  // written as a CE date
      {"2145-01-02", cal::TLW, kFormatYMD, "-", TextReading::Strict, false},
      {"2145-01-02", cal::ARC, kFormatYMD, "-", TextReading::Strict, false},
      {"2145-01-02", cal::CE, kFormatYMD, "-", TextReading::Lenient, false},  // only strict reading tells
  };
  for (const auto& c : cases) {
    const DateTextOptions options{c.format, c.separator, ",", Hyphen::With, c.reading};
    const DateReading reading = ReadDateInCalendar(c.text, c.code, options, JdnReading::Strict);
    EXPECT_EQ(reading.as_written, c.as_written) << c.text;
    if (reading.as_written) {
      EXPECT_EQ(Written(reading.fields.DayNumber, c.code, options), c.text);
    }
  }
  // Every date the writer writes in years 1 … 9999 reads back as written, in every field order.
  for (const CalendarCode code : {cal::CE, cal::JC}) {
    for (const DateFormat format : {kFormatYMD, kFormatDMY, kFormatMDY}) {
      const DateTextOptions options{format, ".", ",", Hyphen::With, TextReading::Strict};
      for (int32_t day = kDayNumberOf1Jan1CE; day <= kDayNumberOf31Dec9999CE; day += 409) {
        const std::string text = Written(day, code, options).value();
        const DateReading reading = ReadDateInCalendar(text, code, options, JdnReading::Strict);
        EXPECT_TRUE(reading.as_written) << text;
        EXPECT_EQ(reading.fields.DayNumber, day) << text;
      }
    }
  }
}

struct WriteCase {
  int32_t day_number;
  CalendarCode code;
  bool suffix;
  bool check;
  std::optional<std::string> expected;
};

TEST(WriteDayNumberInCalendar, WritesEachCalendarsNormalForm) {
  const DateTextOptions options{kFormatYMD, "-", ",", Hyphen::With};
  const WriteCase cases[] = {
      {2451545, cal::JDN, false, true, "2,451,545"},
      {2451545, cal::JDN, true, true, "2,451,545 JDN"},
      {2451545, cal::CE, true, true, "2000-01-01 CE"},
      {2451545, cal::JC, false, true, "1999-12-19"},
      {2451545, cal::ORD, true, true, "2000-001"},
      {1721425, cal::ORD, false, true, std::nullopt},
      {5373485, cal::ORD, false, true, std::nullopt},
      {1721425, cal::ORD, false, false, "0000-366"},
      {0, cal::ORD, false, false, "-4713-328"},
      {2451545, cal::ISO, true, true, "1999-W52-6 ISO"},
      {2451545, cal::LPW, true, true, "2000-01-6 LPW"},
      {2451545, cal::LPM, false, true, "2000-01-06"},
      {0, cal::LPM, true, true, "-4713-12-01 LPM"},
      {-2100000000, cal::LPW, false, true, "-5,754,317-11-1"},
      {2451545, cal::ARC, true, true, "2000-01-01 CE"},
      {2451545, cal::AN, false, true, "2000-01-01"},
      {2451545, 42, true, true, "2000-01-01 CE"},
  };
  for (const auto& c : cases) {
    WriteStyle style;
    style.suffix = c.suffix;
    style.check_ordinal_range = c.check;
    EXPECT_EQ(Written(c.day_number, c.code, options, style), c.expected)
        << c.day_number << " code " << c.code;
  }
}

TEST(WriteDayNumberInCalendar, FillsTheRecordForCalendarDates) {
  DateFields record;
  const DateTextOptions options{kFormatDMY, ".", ".", Hyphen::Without};
  EXPECT_EQ(Written(2451545, cal::JC, options, {}, &record), "19.12.1999");
  EXPECT_EQ(record.Calendar, 'J');
  EXPECT_EQ(record.Year, 1999);
  EXPECT_EQ(record.DayNumber, 2451545);
  EXPECT_EQ(Written(2451545, cal::ORD, options, {}, &record), "2000001");
  EXPECT_EQ(record.Calendar, 'G');
  EXPECT_EQ(record.Month, 1);
}

// Every calendar the user can choose: writing then reading returns the day number, and no day
// number at all, not even the ends of 32 bits, upsets a writer.
TEST(DispatchRoundTrip, EveryCalendarAndEveryDayNumber) {
  const DateTextOptions options{kFormatMDY, "/", ".", Hyphen::Without};
  for (CalendarCode code = -1; code <= 10; ++code) {
    for (const int32_t edge : {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
      EXPECT_TRUE(Written(edge, code, options, {true, false}).has_value()) << code;
    }
  }
  for (const CalendarCode code : {cal::CE, cal::JC, cal::JDN, cal::ORD, cal::ISO, cal::LPW, cal::LPM}) {
    for (int32_t day = -2'100'000'000; day <= 2'100'000'000; day += 33'333'331) {
      const int32_t d = code == cal::ORD ? kFirstOrdinalDay + (day & 0x1fffff) : day;
      const auto text = Written(d, code, options);
      ASSERT_TRUE(text.has_value());
      const DateReading reading = ReadDateInCalendar(*text, code, options, JdnReading::Lenient);
      ASSERT_EQ(reading.result, 1) << *text;
      ASSERT_EQ(reading.fields.DayNumber, d) << *text;
    }
  }
}

}  // namespace
}  // namespace qv
