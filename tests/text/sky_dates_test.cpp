// The Chinese, Korean, Vietnamese and Bahá'í calendars as text, through their real rows: the
// days their users keep (New Year, a leap month, Tết, Seollal, Naw-Rúz, Ayyám-i-Há) are written
// and read back as the published tables give them, and what lies outside a calendar's range is
// refused as out of range.
//
// Sources of the expected days:
//  - Hong Kong Observatory, Gregorian–Lunar Calendar Conversion Tables for 1984, 1985, 2023, 2024
//    and 2025: 十二月 of 1984 begins 21 January 1985, 正月 of 1985 on 20 February 1985; 閏二月 of
//    2023 begins 22 March 2023 and 三月 on 20 April 2023; 正月 of 2024 begins 10 February 2024,
//    八月十五 (Mid-Autumn) is 17 September 2024; 閏六月 of 2025 begins 25 July 2025.
//  - Tết 1985 fell on 21 January 1985 in Vietnam (Vietnamese calendar of 1985, compiled for UTC+7).
//  - Korea's public holidays: Seollal 8 February 1997 (holidays of 7–9 February 1997), Chuseok
//    17 September 2024 (holidays of 16–18 September 2024).
//  - Bahá'í World Centre, table of dates of Naw-Rúz, the Twin Holy Birthdays and the Fast for
//    172–221 BE: Naw-Rúz 181 BE on 20 March 2024 and 182 BE on 20 March 2025, the Fast of 181 BE
//    (ʿAláʾ) from 1 March 2025; Ayyám-i-Há fills the days between, 25–28 February 2025.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "text/added_dates.h"
#include "text/date_dispatch.h"
#include "text/date_readers.h"
#include "text/text_builder.h"

namespace qv {
namespace {

int32_t Ce(int32_t y, int32_t m, int32_t d) { return static_cast<int32_t>(civil::GregorianToDayNumber(y, m, d)); }

DateTextOptions Options() {
  return DateTextOptions{.format = kFormatYMD, .date_separator = "-", .thousands_separator = ",",
                         .hyphen = Hyphen::With, .reading = TextReading::Strict};
}

std::string Write(int32_t day, CalendarCode code) {
  TextBuilder text;
  WriteDayNumberInCalendar(text, day, code, Options(), WriteStyle{});
  return text.Text();
}

struct PublishedDay {
  CalendarCode code;
  int32_t day;
  const char* text;
};

// Each published day is written in its calendar's numeric form, and that form reads back to it.
TEST(SkyCalendarDates, PublishedDaysWriteAndReadBack) {
  const PublishedDay cases[] = {
      {cal::CHN, Ce(2024, 2, 10), "2024-01-01"},
      {cal::CHN, Ce(2024, 9, 17), "2024-08-15"},
      {cal::CHN, Ce(2023, 3, 21), "2023-02-30"},
      {cal::CHN, Ce(2023, 3, 22), "2023-L02-01"},
      {cal::CHN, Ce(2023, 4, 20), "2023-03-01"},
      {cal::CHN, Ce(2025, 7, 25), "2025-L06-01"},
      {cal::CHN, Ce(1985, 1, 21), "1984-12-01"},
      {cal::CHN, Ce(1985, 2, 20), "1985-01-01"},
      {cal::VNM, Ce(1985, 1, 21), "1985-01-01"},
      {cal::CHN, Ce(1997, 2, 7), "1997-01-01"},
      {cal::KOR, Ce(1997, 2, 7), "1996-12-30"},
      {cal::KOR, Ce(1997, 2, 8), "1997-01-01"},
      {cal::KOR, Ce(2024, 9, 17), "2024-08-15"},
      {cal::BAH, Ce(2025, 3, 20), "182-01-01"},
      {cal::BAH, Ce(2025, 3, 19), "181-19-19"},
      {cal::BAH, Ce(2025, 3, 1), "181-19-01"},
      {cal::BAH, Ce(2025, 2, 28), "181-00-04"},
      {cal::BAH, Ce(2025, 2, 25), "181-00-01"},
      {cal::BAH, Ce(2025, 2, 24), "181-18-19"},
      {cal::BAH, Ce(1844, 3, 21), "1-01-01"},
  };
  for (const PublishedDay& c : cases) {
    EXPECT_EQ(Write(c.day, c.code), c.text) << c.text << " " << c.code;
    const DateReading read = ReadDateInCalendar(c.text, c.code, Options(), JdnReading::Strict);
    EXPECT_EQ(read.result, kReadValid) << c.text << " " << c.code;
    EXPECT_EQ(read.fields.DayNumber, c.day) << c.text << " " << c.code;
  }
}

struct RefusedCase {
  const char* text;
  CalendarCode code;
  int16_t result;
};

// A leap mark on a month the year does not repeat, or a sixth Ayyám-i-Há day, is no date; a year
// outside the range converted is out of range (the message then names the range).
TEST(SkyCalendarDates, RefusedOutsideTheYearOrRange) {
  const RefusedCase cases[] = {
      {"2023-L03-01", cal::CHN, kReadNotValid},
      {"2024-L02-01", cal::CHN, kReadNotValid},
      {"2023-L02-30", cal::CHN, kReadNotValid},  // 閏二月 of 2023 has 29 days
      {"181-00-05", cal::BAH, kReadNotValid},    // four days of Ayyám-i-Há in 181 BE
      {"181-20-01", cal::BAH, kReadNotValid},
      {"1644-12-01", cal::CHN, kReadOutOfRange},
      {"2201-01-01", cal::KOR, kReadOutOfRange},
      {"1644-06-01", cal::VNM, kReadOutOfRange},
      {"0-01-01", cal::BAH, kReadOutOfRange},
      {"358-01-01", cal::BAH, kReadOutOfRange},
      {"1445-09-01", cal::UMQ, kReadNotValid},   // not available
  };
  for (const RefusedCase& c : cases) {
    EXPECT_EQ(ReadDateInCalendar(c.text, c.code, Options(), JdnReading::Strict).result, c.result) << c.text;
  }
  for (const CalendarCode code : {cal::CHN, cal::KOR, cal::VNM}) {
    EXPECT_EQ(Write(Ce(1645, 1, 27), code), "") << code;
    EXPECT_EQ(Write(Ce(1645, 1, 28), code), "1645-01-01") << code;
  }
  EXPECT_EQ(Write(Ce(1844, 3, 20), cal::BAH), "");
  EXPECT_EQ(Write(Ce(2201, 3, 21), cal::BAH), "");
}

struct NoteCase {
  CalendarCode code;
  int32_t day;
  Language language;
  const char* note;
};

// The notes name the sexagenary year and its animal (甲辰, the Dragon, for 2024; 乙丑 for 1985,
// the Buffalo in Vietnam), the Dangi year (2333 before the Common Era), the Bahá'í month.
TEST(SkyCalendarDates, VerboseNotes) {
  const NoteCase cases[] = {
      {cal::CHN, Ce(2024, 9, 17), Language::English, "15 Eighth Month 2024, 甲辰年 八月十五, Year of the Dragon"},
      {cal::CHN, Ce(2024, 9, 17), Language::German, "15 Achter Monat 2024, 甲辰年 八月十五, Jahr des Drachen"},
      {cal::KOR, Ce(2024, 9, 17), Language::English, "15 Eighth Month 2024, 갑진년 8월 15일, Dangi 4357"},
      {cal::VNM, Ce(1985, 1, 21), Language::English, "1 First Month 1985, Ất Sửu, ngày 1 tháng 1, Year of the Buffalo"},
      {cal::BAH, Ce(2025, 3, 20), Language::English, "1 Bahá 182 BE"},
      {cal::BAH, Ce(2025, 2, 26), Language::English, "2 Ayyám-i-Há 181 BE"},
  };
  for (const NoteCase& c : cases) EXPECT_EQ(AddedCalendarNote(c.code, c.day, c.language), c.note);
}

}  // namespace
}  // namespace qv
