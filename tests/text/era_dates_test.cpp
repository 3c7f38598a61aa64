// The Japanese, Minguo, Thai solar and Revised Julian calendars as text: the forms their users
// write read to the day the decrees and acts name, the marks the numbers alone do not carry (the
// Japanese era, a Thai year that began in April) are read and written, and what lies outside a
// calendar's range or era is refused, as out of range or as no date.
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

DateTextOptions Options(DateFormat format = kFormatYMD, std::string_view separator = "-",
                        TextReading reading = TextReading::Strict) {
  return DateTextOptions{.format = format, .date_separator = separator, .thousands_separator = ",",
                         .hyphen = Hyphen::With, .reading = reading};
}

std::string Write(int32_t day, CalendarCode code, const DateTextOptions& options = Options(), WriteStyle style = {}) {
  TextBuilder text;
  WriteDayNumberInCalendar(text, day, code, options, style);
  return text.Text();
}

struct ReadCase {
  const char* text;
  CalendarCode code;
  int32_t day;
  DateFormat format = kFormatYMD;
  const char* separator = "-";
};

// Dates as their users write them, to the day the era table and the acts give.
TEST(EraDates, ReadToThePublishedDay) {
  const ReadCase cases[] = {
      {"R7-12-08", cal::JPN, Ce(2025, 12, 8)},
      {"Reiwa 7-12-08", cal::JPN, Ce(2025, 12, 8)},
      {"令和7-12-08", cal::JPN, Ce(2025, 12, 8)},
      {"r7-12-8 JPN", cal::JPN, Ce(2025, 12, 8)},
      {"08.12.R7", cal::JPN, Ce(2025, 12, 8), kFormatDMY, "."},
      {"04/30/H31", cal::JPN, Ce(2019, 4, 30), kFormatMDY, "/"},
      {"H31-04-30", cal::JPN, Ce(2019, 4, 30)},
      {"S64-01-07", cal::JPN, Ce(1989, 1, 7)},
      {"T1-07-30", cal::JPN, Ce(1912, 7, 30)},
      {"M6-01-01", cal::JPN, Ce(1873, 1, 1)},
      {"8 December Reiwa 7", cal::JPN, Ce(2025, 12, 8)},
      {"December 8, Reiwa 7", cal::JPN, Ce(2025, 12, 8)},
      {"8 Dezember Reiwa 7", cal::JPN, Ce(2025, 12, 8)},
      {"1 May Reiwa Gannen", cal::JPN, Ce(2019, 5, 1)},
      {"7 January Shōwa 64", cal::JPN, Ce(1989, 1, 7)},
      {"7 January Showa 64", cal::JPN, Ce(1989, 1, 7)},
      {"令和7年12月8日", cal::JPN, Ce(2025, 12, 8)},
      {"令和元年5月1日", cal::JPN, Ce(2019, 5, 1)},
      {"平成31年4月30日", cal::JPN, Ce(2019, 4, 30)},
      {"113-10-10", cal::ROC, Ce(2024, 10, 10)},
      {"Minguo 113-10-10", cal::ROC, Ce(2024, 10, 10)},
      {"1-01-01", cal::ROC, Ce(1912, 1, 1)},
      {"10 October Minguo 113", cal::ROC, Ce(2024, 10, 10)},
      {"民國113年10月10日", cal::ROC, Ce(2024, 10, 10)},
      {"民国113年10月10日", cal::ROC, Ce(2024, 10, 10)},
      {"2432-04-01", cal::THA, Ce(1889, 4, 1)},
      {"2432-01-01", cal::THA, Ce(1890, 1, 1)},
      {"2482-01-01", cal::THA, Ce(1940, 1, 1)},
      {"2483-04-01", cal::THA, Ce(1940, 4, 1)},
      {"2483-12-31", cal::THA, Ce(1940, 12, 31)},
      {"2484-01-01", cal::THA, Ce(1941, 1, 1)},
      {"2567-02-29", cal::THA, Ce(2024, 2, 29)},
      {"08-12-2568 BE", cal::THA, Ce(2025, 12, 8), kFormatDMY},
      {"31 December 2483 BE", cal::THA, Ce(1940, 12, 31)},
      {"1 January 2483 BE", cal::THA, -1},  // January 1941 began B.E. 2484
      {"31 Thanwakhom 2483", cal::THA, Ce(1940, 12, 31)},
      {"15 Makarakhom 2482", cal::THA, Ce(1940, 1, 15)},
      {"2800-03-01", cal::RJU, Ce(2800, 2, 29)},
      {"2800-02-28", cal::RJU, Ce(2800, 2, 28)},
      {"1 March 2800", cal::RJU, Ce(2800, 2, 29)},
      {"2900-02-29", cal::RJU, Ce(2900, 2, 28)},
  };
  for (const ReadCase& c : cases) {
    if (c.day < 0) continue;  // listed among the refused below
    const DateReading read = ReadDateInCalendar(c.text, c.code, Options(c.format, c.separator), JdnReading::Strict);
    EXPECT_EQ(read.result, kReadValid) << c.text;
    EXPECT_FALSE(read.altered) << c.text;
    EXPECT_EQ(read.fields.DayNumber, c.day) << c.text;
  }
}

struct RefusedCase {
  const char* text;
  CalendarCode code;
  int16_t result;
};

// Days that are not in their era or year are no dates; days before a calendar's first are out
// of range (the message then names the range).
TEST(EraDates, OutsideTheirEraOrRange) {
  const RefusedCase cases[] = {
      {"H31-05-01", cal::JPN, kReadNotValid},  // Reiwa by then
      {"S64-01-08", cal::JPN, kReadNotValid},
      {"T1-07-29", cal::JPN, kReadNotValid},
      {"R0-12-01", cal::JPN, kReadNotValid},
      {"R7-02-29", cal::JPN, kReadNotValid},
      {"7-12-08", cal::JPN, kReadNotValid},    // no era: no Japanese year
      {"X7-12-08", cal::JPN, kReadNotValid},
      {"2025-12-08", cal::JPN, kReadNotValid},
      {"1 May Heisei 31", cal::JPN, kReadNotValid},
      {"M5-12-31", cal::JPN, kReadOutOfRange},  // the lunisolar calendar's last year
      {"1 January Meiji 5", cal::JPN, kReadOutOfRange},
      {"明治5年12月2日", cal::JPN, kReadOutOfRange},
      {"平成31年5月1日", cal::JPN, kReadNotValid},
      {"0-12-31", cal::ROC, kReadOutOfRange},
      {"-5-01-01", cal::ROC, kReadOutOfRange},
      {"113-02-30", cal::ROC, kReadNotValid},
      {"Taisho 113-10-10", cal::ROC, kReadNotValid},  // not the Minguo era
      {"2483-01-15", cal::THA, kReadNotValid},
      {"1 January 2483 BE", cal::THA, kReadNotValid},
      {"2431-12-31", cal::THA, kReadOutOfRange},
      {"2431-04-01", cal::THA, kReadOutOfRange},
      {"2800-02-29", cal::RJU, kReadNotValid},
      {"1600-02-29", cal::RJU, kReadNotValid},
      {"9999999-01-01", cal::RJU, kReadOutOfRange},
  };
  for (const RefusedCase& c : cases) {
    const DateReading read = ReadDateInCalendar(c.text, c.code, Options(), JdnReading::Strict);
    EXPECT_EQ(read.result, c.result) << c.text;
  }
}

struct WriteCase {
  int32_t day;
  CalendarCode code;
  DateFormat format;
  const char* separator;
  const char* text;
};

// The normal forms: the era's letter before the Japanese year, the Gregorian month numbers of
// a Thai year that began in April.
TEST(EraDates, NumericFormsAsWritten) {
  const WriteCase cases[] = {
      {Ce(2019, 5, 1), cal::JPN, kFormatYMD, "-", "R1-05-01"},
      {Ce(2019, 4, 30), cal::JPN, kFormatDMY, ".", "30.04.H31"},
      {Ce(1989, 1, 7), cal::JPN, kFormatMDY, "/", "01/07/S64"},
      {Ce(1873, 1, 1), cal::JPN, kFormatYMD, "-", "M6-01-01"},
      {Ce(1872, 12, 31), cal::JPN, kFormatYMD, "-", ""},  // before the calendar: nothing
      {Ce(2024, 10, 10), cal::ROC, kFormatYMD, "-", "113-10-10"},
      {Ce(1911, 12, 31), cal::ROC, kFormatYMD, "-", ""},
      {Ce(1940, 3, 31), cal::THA, kFormatYMD, "-", "2482-03-31"},
      {Ce(1940, 4, 1), cal::THA, kFormatDMY, "/", "01/04/2483"},
      {Ce(1941, 1, 1), cal::THA, kFormatYMD, "-", "2484-01-01"},
      {Ce(1889, 3, 31), cal::THA, kFormatYMD, "-", ""},
      {Ce(2800, 2, 29), cal::RJU, kFormatYMD, "-", "2800-03-01"},
      {Ce(1923, 10, 14), cal::RJU, kFormatYMD, "-", "1923-10-14"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(Write(c.day, c.code, Options(c.format, c.separator)), c.text) << c.text;
  }
  EXPECT_EQ(Write(Ce(2025, 12, 8), cal::JPN, Options(), WriteStyle{.suffix = true}), "R7-12-08 JPN");
}

struct NoteCase {
  CalendarCode code;
  int32_t day;
  Language language;
  const char* note;
};

TEST(EraDates, VerboseNotes) {
  const NoteCase cases[] = {
      {cal::JPN, Ce(2019, 5, 1), Language::English, "1 May Reiwa 1, 令和元年5月1日"},
      {cal::JPN, Ce(2025, 12, 8), Language::German, "8 Dezember Reiwa 7, 令和7年12月8日"},
      {cal::JPN, Ce(1926, 12, 25), Language::English, "25 December Shōwa 1, 昭和元年12月25日"},
      {cal::ROC, Ce(2024, 10, 10), Language::English, "10 October Minguo 113, 民國113年10月10日"},
      {cal::THA, Ce(1940, 12, 31), Language::English, "31 December 2483 BE"},
      {cal::THA, Ce(1940, 3, 31), Language::German, "31 März 2482 BE"},
      {cal::RJU, Ce(2800, 2, 29), Language::English, "1 March 2800"},
      {cal::JPN, Ce(1872, 12, 31), Language::English, ""},
  };
  for (const NoteCase& c : cases) EXPECT_EQ(AddedCalendarNote(c.code, c.day, c.language), c.note);
}

// The numbers a program gets (quorvan-cli's JSON): the era's year and name, the Gregorian month of
// a Thai date.
TEST(EraDates, NumbersForPrograms) {
  const std::optional<AddedDateNumbers> showa = AddedDateNumbersOf(cal::JPN, Ce(1989, 1, 7));
  ASSERT_TRUE(showa);
  EXPECT_EQ(showa->year, 64);
  EXPECT_EQ(showa->month, (MonthLabel{1, false}));
  EXPECT_EQ(showa->day, 7);
  EXPECT_EQ(showa->era, "Shōwa");
  EXPECT_FALSE(showa->lunisolar);
  const std::optional<AddedDateNumbers> thai = AddedDateNumbersOf(cal::THA, Ce(1940, 3, 31));
  ASSERT_TRUE(thai);
  EXPECT_EQ(thai->year, 2482);
  EXPECT_EQ(thai->month, (MonthLabel{3, false}));
  EXPECT_TRUE(thai->era.empty());
  EXPECT_FALSE(AddedDateNumbersOf(cal::THA, Ce(1889, 3, 31)));
  EXPECT_FALSE(AddedDateNumbersOf(cal::UMQ, Ce(2024, 1, 1)));  // not available
}

}  // namespace
}  // namespace qv
