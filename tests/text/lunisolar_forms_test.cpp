// The text forms of the lunisolar calendars (Chinese, Korean, Vietnamese) and of the Bahá'í
// month 0, driven by made-up rows: the readers and writers only ask a row, so a row of a few
// invented years shows that a leap month is written, read, named and noted as its own month, and
// that a year outside the row's range is refused, before the astronomical rows exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "text/added_dates.h"
#include "text/calendar_names.h"
#include "text/date_dispatch.h"
#include "text/date_readers.h"
#include "text/east_asian_names.h"
#include "text/text_builder.h"

namespace qv {
namespace {

// An invented lunisolar calendar: years 2000 … 2009 from 5 February 2000, twelve months of 30 and
// 29 days in turn, and in 2001 a thirteenth, the leap month after the third (place 4).
constexpr int32_t kFirstYear = 2000;
constexpr int32_t kYears = 10;
constexpr int32_t kLeapYear = 2001;
constexpr int16_t kLeapPlace = 4;

struct FakeMonth {
  int32_t year;
  int16_t place;
  int32_t first_day;
  int16_t length;
};

const std::vector<FakeMonth>& Months() {
  static const std::vector<FakeMonth> months = [] {
    std::vector<FakeMonth> list;
    int32_t day = static_cast<int32_t>(civil::GregorianToDayNumber(2000, 2, 5));
    for (int32_t year = kFirstYear; year < kFirstYear + kYears; ++year) {
      const int16_t count = year == kLeapYear ? 13 : 12;
      for (int16_t place = 1; place <= count; ++place) {
        const int16_t length = list.size() % 2 == 0 ? 30 : 29;
        list.push_back({year, place, day, length});
        day += length;
      }
    }
    return list;
  }();
  return months;
}

int32_t FirstDay() { return Months().front().first_day; }
int32_t LastDay() { return Months().back().first_day + Months().back().length - 1; }

std::size_t IndexOf(int32_t year, int16_t place) {
  for (std::size_t i = 0; i < Months().size(); ++i) {
    if (Months()[i].year == year && Months()[i].place == place) return i;
  }
  return 0;
}

CalendarDate FakeFrom(int32_t day) {
  const FakeMonth* found = &Months().front();
  for (const FakeMonth& month : Months()) {
    if (month.first_day <= day) found = &month;
  }
  return {found->year, found->place, static_cast<int16_t>(day - found->first_day + 1)};
}
int64_t FakeTo(const CalendarDate& date) { return Months()[IndexOf(date.year, date.month)].first_day + int64_t{date.day} - 1; }
int16_t FakeMonthsInYear(int32_t year) { return year == kLeapYear ? 13 : 12; }
int16_t FakeDaysInMonth(int32_t year, int16_t place) {
  if (year < kFirstYear || year >= kFirstYear + kYears || place < 1 || place > FakeMonthsInYear(year)) return 0;
  return Months()[IndexOf(year, place)].length;
}
int64_t FakeMonthIndex(int32_t year, int16_t place) { return static_cast<int64_t>(IndexOf(year, place)); }
CalendarDate FakeMonthFromIndex(int64_t index) {
  const FakeMonth& month = Months()[static_cast<std::size_t>(std::clamp<int64_t>(index, 0, static_cast<int64_t>(Months().size()) - 1))];
  return {month.year, month.place, 1};
}
int16_t FakeLeapMonth(int32_t year) { return year == kLeapYear ? kLeapPlace : 0; }

AddedCalendarRules Lunisolar() {
  return {FakeFrom, FakeTo, FakeMonthsInYear, FakeDaysInMonth, FakeMonthIndex, FakeMonthFromIndex,
          FakeLeapMonth, nullptr, nullptr, FirstDay(), LastDay()};
}

DateTextOptions Options(DateFormat format = kFormatYMD, std::string_view separator = "-") {
  return DateTextOptions{.format = format, .date_separator = separator, .thousands_separator = ",",
                         .hyphen = Hyphen::With, .reading = TextReading::Strict};
}

// The day of (year, place, day) in the invented calendar.
int32_t Day(int32_t year, int16_t place, int16_t day) { return static_cast<int32_t>(FakeTo({year, place, day})); }

int16_t Read(const AddedCalendarRules& rules, std::string_view text, CalendarCode code, DateFields& fields,
             const DateTextOptions& options = Options()) {
  ReadFit fit;
  return ParseAddedDateWith(rules, text, code, options, fields, &fit);
}

std::string Write(const AddedCalendarRules& rules, int32_t day, CalendarCode code, const DateTextOptions& options = Options()) {
  TextBuilder text;
  WriteAddedDateWith(rules, text, day, code, options, nullptr);
  return text.Text();
}

TEST(LunisolarForms, TheLeapMonthIsWrittenAndReadWithItsMark) {
  const AddedCalendarRules rules = Lunisolar();
  EXPECT_EQ(MonthLabelOf(rules, 2001, 3), (MonthLabel{3, false}));
  EXPECT_EQ(MonthLabelOf(rules, 2001, 4), (MonthLabel{3, true}));
  EXPECT_EQ(MonthLabelOf(rules, 2001, 13), (MonthLabel{12, false}));
  EXPECT_EQ(MonthPlaceOf(rules, 2001, {3, true}), 4);
  EXPECT_EQ(MonthPlaceOf(rules, 2001, {4, false}), 5);
  EXPECT_EQ(MonthPlaceOf(rules, 2002, {3, true}), 0);

  const int32_t leap = Day(2001, 4, 15);
  EXPECT_EQ(Write(rules, leap, cal::CHN), "2001-L03-15");
  EXPECT_EQ(Write(rules, leap, cal::CHN, Options(kFormatDMY, ".")), "15.L03.2001");
  EXPECT_EQ(Write(rules, Day(2001, 5, 1), cal::CHN), "2001-04-01");
  for (const char* text : {"2001-L03-15", "2001-L3-15", "2001-03L-15", "2001-l03-15", "2001-闰03-15", "2001-閏3-15",
                           "2001-윤03-15", "2001-L03-15 CHN"}) {
    DateFields fields;
    ASSERT_EQ(Read(rules, text, cal::CHN, fields), kReadValid) << text;
    EXPECT_EQ(fields.DayNumber, leap) << text;
    EXPECT_EQ(fields.Month, 4) << text;  // the record counts places
  }
  DateFields fields;
  ASSERT_EQ(Read(rules, "03/L03/2001", cal::CHN, fields, Options(kFormatDMY, "/")), kReadValid);
  EXPECT_EQ(fields.DayNumber, Day(2001, 4, 3));
  ASSERT_EQ(Read(rules, "2001-03-15", cal::CHN, fields), kReadValid);
  EXPECT_EQ(fields.DayNumber, Day(2001, 3, 15));
  // A leap mark on a month that has no leap month, or outside the month field, is no date.
  EXPECT_EQ(Read(rules, "2002-L03-15", cal::CHN, fields), kReadNotValid);
  EXPECT_EQ(Read(rules, "L2001-03-15", cal::CHN, fields), kReadNotValid);
  EXPECT_EQ(Read(rules, "2001-03-L15", cal::CHN, fields), kReadNotValid);
  EXPECT_EQ(Read(rules, "2001-L03", cal::CHN, fields), kReadNotValid);
  // Outside the row's years: out of range.
  EXPECT_EQ(Read(rules, "1999-03-15", cal::CHN, fields), kReadOutOfRange);
  EXPECT_EQ(Read(rules, "2010-L03-15", cal::CHN, fields), kReadOutOfRange);
  EXPECT_EQ(Write(rules, FirstDay() - 1, cal::CHN), "");
}

TEST(LunisolarForms, NamedFormsAndTheNoteReadBack) {
  const AddedCalendarRules rules = Lunisolar();
  const int32_t leap = Day(2001, 4, 15);
  // 2001 is 辛巳, the Year of the Snake.
  EXPECT_EQ(AddedCalendarNoteWith(rules, cal::CHN, leap, Language::English),
            "15 Leap Third Month 2001, 辛巳年 闰三月十五, Year of the Snake");
  EXPECT_EQ(AddedCalendarNoteWith(rules, cal::CHN, Day(2001, 1, 1), Language::German),
            "1 Erster Monat 2001, 辛巳年 正月初一, Jahr der Schlange");
  EXPECT_EQ(AddedCalendarNoteWith(rules, cal::KOR, leap, Language::English),
            "15 Leap Third Month 2001, 신사년 윤3월 15일, Dangi 4334");
  EXPECT_EQ(AddedCalendarNoteWith(rules, cal::VNM, Day(2000, 12, 20), Language::English),
            "20 Twelfth Month 2000, Canh Thìn, ngày 20 tháng 12, Year of the Dragon");
  for (const char* text : {"15 Leap Third Month 2001", "Leap Third Month 15, 2001", "15 Schaltmonat zum dritten Monat 2001",
                           "2001年闰三月十五", "2001年 辛巳年 閏三月十五日", "2001年闰3月15日",
                           "15 Leap Third Month 2001, 辛巳年 闰三月十五, Year of the Snake",
                           "(15 Leap Third Month 2001, 辛巳年 闰三月十五, Jahr der Schlange)"}) {
    DateFields fields;
    ASSERT_EQ(Read(rules, text, cal::CHN, fields), kReadValid) << text;
    EXPECT_EQ(fields.DayNumber, leap) << text;
  }
  DateFields fields;
  // A note part of another day, a year of another stem and branch, a leap month the year lacks.
  EXPECT_EQ(Read(rules, "15 Leap Third Month 2001, 辛巳年 闰三月十六", cal::CHN, fields), kReadNotValid);
  EXPECT_EQ(Read(rules, "15 Leap Third Month 2001, Year of the Horse", cal::CHN, fields), kReadNotValid);
  EXPECT_EQ(Read(rules, "2001年 壬午年 闰三月十五", cal::CHN, fields), kReadNotValid);
  EXPECT_EQ(Read(rules, "15 Leap Third Month 2002", cal::CHN, fields), kReadNotValid);
  // A year outside the row's range, before its months are asked for.
  EXPECT_EQ(Read(rules, "15 Third Month 1999", cal::CHN, fields), kReadOutOfRange);
  EXPECT_EQ(Read(rules, "1999年三月十五", cal::CHN, fields), kReadOutOfRange);
  // Every day of the invented years: numeric form and note, both languages, read back.
  for (int32_t day = FirstDay(); day <= LastDay(); ++day) {
    for (const CalendarCode code : {cal::CHN, cal::KOR, cal::VNM}) {
      const std::string text = Write(rules, day, code);
      ASSERT_EQ(Read(rules, text, code, fields), kReadValid) << text;
      ASSERT_EQ(fields.DayNumber, day) << text;
      for (const Language language : {Language::English, Language::German}) {
        const std::string note = AddedCalendarNoteWith(rules, code, day, language);
        ASSERT_EQ(Read(rules, note, code, fields), kReadValid) << note;
        ASSERT_EQ(fields.DayNumber, day) << note;
      }
    }
  }
}

// Chinese month and day as written: 正月 for the first month, 初一 … 初十, 廿 for twenty.
TEST(LunisolarForms, ChineseMonthsAndDays) {
  struct Case {
    MonthLabel month;
    int16_t day;
    const char* text;
  };
  const Case cases[] = {{{1, false}, 1, "正月初一"},  {{2, true}, 10, "闰二月初十"}, {{11, false}, 11, "十一月十一"},
                        {{12, false}, 20, "十二月二十"}, {{3, false}, 15, "三月十五"}, {{10, false}, 29, "十月廿九"},
                        {{8, false}, 30, "八月三十"}};
  for (const Case& c : cases) {
    EXPECT_EQ(LunisolarMonthDay(cal::CHN, c.month, c.day), c.text);
    const std::optional<ChineseMonthDay> read = ReadChineseMonthDay(c.text);
    ASSERT_TRUE(read) << c.text;
    EXPECT_EQ(read->month, c.month) << c.text;
    EXPECT_EQ(read->day, c.day) << c.text;
  }
  EXPECT_FALSE(ReadChineseMonthDay("十三月初一"));
  EXPECT_FALSE(ReadChineseMonthDay("三月三十一"));
  EXPECT_FALSE(ReadChineseMonthDay("三月"));
  // The sexagenary years of published calendars: 1984 甲子, 2024 甲辰 (the Dragon), 2025 乙巳.
  EXPECT_EQ(SexagenaryYear(1984, cal::CHN), "甲子");
  EXPECT_EQ(SexagenaryYear(2024, cal::CHN), "甲辰");
  EXPECT_EQ(SexagenaryYear(2025, cal::CHN), "乙巳");
  EXPECT_EQ(ZodiacYear(2024, cal::CHN, Language::English), "Year of the Dragon");
  EXPECT_EQ(ZodiacYear(2023, cal::VNM, Language::English), "Year of the Cat");  // Quý Mão
  EXPECT_EQ(ZodiacYear(2023, cal::CHN, Language::German), "Jahr des Hasen");
}

// The Bahá'í naming: Ayyám-i-Há, between the 18th and 19th months, is month 0 in the numeric form
// and in names, while the row counts it as the 19th place.
TEST(BahaiForms, AyyamIHaIsMonthZero) {
  // An invented Bahá'í year 182: 18 months of 19 days, Ayyám-i-Há of 4, ʿAlá' of 19, from 21 March 2025.
  static const int32_t first = static_cast<int32_t>(civil::GregorianToDayNumber(2025, 3, 21));
  const auto from = [](int32_t day) {
    const int32_t offset = day - first;
    if (offset < 18 * 19) return CalendarDate{182, static_cast<int16_t>(offset / 19 + 1), static_cast<int16_t>(offset % 19 + 1)};
    if (offset < 18 * 19 + 4) return CalendarDate{182, 19, static_cast<int16_t>(offset - 18 * 19 + 1)};
    return CalendarDate{182, 20, static_cast<int16_t>(offset - 18 * 19 - 4 + 1)};
  };
  const auto to = [](const CalendarDate& date) -> int64_t {
    return first + (date.month <= 18 ? 19 * (date.month - 1) : date.month == 19 ? 18 * 19 : 18 * 19 + 4) + date.day - 1;
  };
  const AddedCalendarRules rules{
      +from,
      +to,
      [](int32_t) -> int16_t { return 20; },
      [](int32_t year, int16_t place) -> int16_t { return year != 182 || place < 1 || place > 20 ? 0 : place == 19 ? 4 : 19; },
      [](int32_t, int16_t place) -> int64_t { return place; },
      [](int64_t index) { return CalendarDate{182, static_cast<int16_t>(std::clamp<int64_t>(index, 1, 20)), 1}; },
      nullptr,
      BahaiMonthLabel,
      BahaiMonthPlace,
      first,
      first + 365 - 1};
  const int32_t third_of_ayyam_i_ha = first + 18 * 19 + 2;
  EXPECT_EQ(Write(rules, third_of_ayyam_i_ha, cal::BAH), "182-00-03");
  EXPECT_EQ(Write(rules, first + 18 * 19 + 4, cal::BAH), "182-19-01");
  EXPECT_EQ(AddedCalendarNoteWith(rules, cal::BAH, third_of_ayyam_i_ha, Language::English), "3 Ayyám-i-Há 182 BE");
  EXPECT_EQ(AddedCalendarNoteWith(rules, cal::BAH, first, Language::English), "1 Bahá 182 BE");
  for (const char* text : {"182-00-03", "3 Ayyám-i-Há 182 BE", "3 Ayyam-i-Ha 182", "182-0-3 BE"}) {
    DateFields fields;
    ASSERT_EQ(Read(rules, text, cal::BAH, fields), kReadValid) << text;
    EXPECT_EQ(fields.DayNumber, third_of_ayyam_i_ha) << text;
  }
  DateFields fields;
  EXPECT_EQ(Read(rules, "182-00-05", cal::BAH, fields), kReadNotValid);  // four days this year
  EXPECT_EQ(Read(rules, "182-20-01", cal::BAH, fields), kReadNotValid);
  EXPECT_EQ(Read(rules, "183-01-01", cal::BAH, fields), kReadOutOfRange);
}

}  // namespace
}  // namespace qv
