// Holiday list files and iCalendar files: what they give, and each kind of error with its file and line.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "calendar/civil.h"
#include "holidays/holiday_list.h"
#include "holidays/icalendar.h"
#include "support/dates.h"
#include "support/holiday_files.h"

namespace qv::holidays {
namespace {

using test::Jdn;

HolidaySource Source(HolidayFileResult result) { return test::SourceOrFailure(std::move(result)); }

TEST(HolidayList, ReadsDatesNamesCommentsAndBlankLines) {
  const std::string text =
      "\xEF\xBB\xBF# Office closures\r\n"
      "2024-12-24\tChristmas Eve\r\n"
      "\n"
      "   2024-12-31  \t  New Year's Eve  \n"
      "2025-01-02\n"
      "  # indented comment\n"
      "2024-05-10\tBrückentag";
  const HolidaySource source = Source(ReadHolidayList(text, "office.txt", {}));
  EXPECT_EQ(source.kind, SourceKind::List);
  EXPECT_EQ(source.label, "office.txt");
  const std::vector<DatedHoliday> expected{{Jdn(2024, 5, 10), "Brückentag"},
                                           {Jdn(2024, 12, 24), "Christmas Eve"},
                                           {Jdn(2024, 12, 31), "New Year's Eve"},
                                           {Jdn(2025, 1, 2), ""}};
  EXPECT_EQ(source.dates, expected);
}

TEST(HolidayList, ReadsInTheDateOptionsInForce) {
  HolidayListOptions options;
  options.text.format = kFormatDMY;
  options.text.date_separator = ".";
  EXPECT_EQ(Source(ReadHolidayList("24.12.2024\n", "de.txt", options)).dates[0].day_number, Jdn(2024, 12, 24));
  options.calendar = cal::JDN;
  EXPECT_EQ(Source(ReadHolidayList("2460669\n", "jdn.txt", options)).dates[0].day_number, 2460669);
  options.calendar = cal::ISO;
  options.text = {};
  EXPECT_EQ(Source(ReadHolidayList("2024-W52-2\n", "iso.txt", options)).dates[0].day_number, Jdn(2024, 12, 24));
}

TEST(HolidayList, ErrorsNameTheFileAndLine) {
  struct Case {
    std::string text;
    int64_t line;
    FileProblem problem;
  } cases[] = {
      {"2024-12-24\n2024-13-01\tBad month\n", 2, FileProblem::NotADate},
      {"# only a comment\n\n\tno date\n", 3, FileProblem::NotADate},
      {"2024-12-24\nChristmas\n", 2, FileProblem::NotADate},
      {"5800001-01-01\n", 1, FileProblem::OutOfRange},
      {"2024-12-24\tCaf\xE9\n", 1, FileProblem::NotUtf8},
      {std::string("2024-12-24\0x\n", 13), 1, FileProblem::NotADate},
  };
  for (const Case& c : cases) {
    const HolidayFileResult result = ReadHolidayList(c.text, "list.txt", {});
    ASSERT_TRUE(std::holds_alternative<HolidayFileError>(result)) << c.text;
    const HolidayFileError& error = std::get<HolidayFileError>(result);
    EXPECT_EQ(error.file, "list.txt");
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_EQ(error.problem, c.problem) << c.text;
  }
  const HolidayFileError error = std::get<HolidayFileError>(ReadHolidayList("x\n2024-13-01\n", "a.txt", {}));
  EXPECT_EQ(HolidayFileErrorText(error, Language::English), "a.txt, line 1: not a date: x");
  EXPECT_EQ(HolidayFileErrorText(error, Language::German), "a.txt, Zeile 1: kein Datum: x");
}

// Near year ±5,800,000 a leap-week date can lie beyond the limit of day numbers: refused as out
// of range, in every calendar and at both ends.
TEST(HolidayList, DatesBeyondTheLimitAreRefusedAtBothEnds) {
  struct Case {
    CalendarCode calendar;
    std::string_view separator;
    std::string text;
  } cases[] = {
      {cal::LPM, "-", "5,799,999-10-28\n"}, {cal::LPW, "-", "-5.800.000-52-7\n"}, {cal::LPW, "-", "5800000-01-1\n"},
      {cal::LPM, "-", "-5799999-01-01\n"},  {cal::CE, "-", "5799999-12-31\n"},  {cal::JC, "-", "-5800000-01-01\n"},
      {cal::JDN, "-", "2100000001\n"},      {cal::JDN, "-", "-2100000001\n"},
  };
  for (const Case& c : cases) {
    HolidayListOptions options;
    options.calendar = c.calendar;
    options.text.date_separator = c.separator;
    const HolidayFileResult result = ReadHolidayList("2024-12-24\n" + c.text, "far.txt", options);
    if (const auto* source = std::get_if<HolidaySource>(&result)) {
      for (const DatedHoliday& date : source->dates) EXPECT_TRUE(IsWithinDayNumberLimit(date.day_number)) << c.text;
    } else {
      const HolidayFileError& error = std::get<HolidayFileError>(result);
      EXPECT_TRUE(error.line == 2 || (error.line == 1 && error.problem == FileProblem::NotADate)) << c.text;
    }
  }
}

TEST(HolidayList, FilesOnDisk) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "quorvan_holiday_list_test.txt";
  std::ofstream(path) << "2024-12-24\tChristmas Eve\n";
  EXPECT_EQ(Source(ReadHolidayListFile(path.string(), {})).dates.size(), 1u);
  std::filesystem::remove(path);
  const HolidayFileResult missing = ReadHolidayListFile(path.string(), {});
  ASSERT_TRUE(std::holds_alternative<HolidayFileError>(missing));
  EXPECT_EQ(std::get<HolidayFileError>(missing).problem, FileProblem::CannotRead);
  EXPECT_EQ(std::get<HolidayFileError>(missing).file, path.string());
}

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + events + "END:VCALENDAR\r\n";
}
std::string Event(const std::string& lines) { return "BEGIN:VEVENT\r\nUID:x\r\n" + lines + "END:VEVENT\r\n"; }

TEST(ICalendar, YearlyEventsBecomeRules) {
  const std::string text = Calendar(
      Event("DTSTART;VALUE=DATE:19900101\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:New Year\r\n") +
      Event("DTSTART;VALUE=DATE:20001225\r\nRRULE:FREQ=YEARLY;BYMONTH=12;BYMONTHDAY=25;UNTIL=20301224\r\nSUMMARY:Xmas\r\n") +
      Event("DTSTART;VALUE=DATE:20240527\r\nRRULE:FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO;COUNT=3\r\nSUMMARY:Memorial\r\n") +
      Event("DTSTART;VALUE=DATE:20241128\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH\r\nSUMMARY:Thanksgiving\r\n"));
  const HolidaySource source = Source(ReadICalendar(text, "rules.ics"));
  ASSERT_EQ(source.rules.size(), 4u);
  EXPECT_TRUE(source.dates.empty());
  const HolidayRule& new_year = source.rules[0];
  EXPECT_EQ(new_year.kind, RuleKind::FixedDate);
  EXPECT_EQ(new_year.month, 1);
  EXPECT_EQ(new_year.day, 1);
  EXPECT_EQ(new_year.first_year, 1990);
  EXPECT_EQ(new_year.last_year, kNoLastYear);
  EXPECT_EQ(new_year.name.en, "New Year");
  EXPECT_EQ(source.rules[1].last_year, 2029);  // UNTIL the day before the 2030 occurrence
  EXPECT_EQ(source.rules[2].kind, RuleKind::LastWeekday);
  EXPECT_EQ(source.rules[2].last_year, 2026);
  EXPECT_EQ(source.rules[3].kind, RuleKind::NthWeekday);
  EXPECT_EQ(source.rules[3].nth, 4);
  EXPECT_EQ(source.rules[3].weekday, Weekday::Thursday);
  // The names live as long as any copy of the source.
  const HolidaySource copy = source;
  EXPECT_EQ(copy.rules[3].name.de, "Thanksgiving");
}

TEST(ICalendar, OtherEventsBecomeDates) {
  const std::string text = Calendar(
      Event("DTSTART;VALUE=DATE:20241224\r\nDTEND;VALUE=DATE:20241227\r\nSUMMARY:Christmas break\r\n") +
      Event("DTSTART;VALUE=DATE:20240101\r\nRRULE:FREQ=MONTHLY;COUNT=3\r\nEXDATE;VALUE=DATE:20240201\r\nSUMMARY:Monthly\r\n") +
      Event("DTSTART;VALUE=DATE:20200229\r\nRRULE:FREQ=YEARLY;UNTIL=20281231\r\nSUMMARY:Leap\r\n") +
      Event("DTSTART;VALUE=DATE:21990704\r\nRRULE:FREQ=YEARLY;INTERVAL=2\r\nSUMMARY:Late\r\n") +
      Event("DTSTART:20240301T090000Z\r\nSUMMARY:Meeting\r\n") +
      Event("DTSTART;VALUE=DATE:20240401\r\nSTATUS:CANCELLED\r\nSUMMARY:Off\r\n") +
      Event("DTSTART;VALUE=DATE:20240501\r\nRDATE;VALUE=DATE:20240502,20240503\r\nSUMMARY:May\r\n"));
  const HolidaySource source = Source(ReadICalendar(text, "dates.ics"));
  EXPECT_TRUE(source.rules.empty());
  EXPECT_EQ(source.timed_events_ignored, 1);
  std::vector<int32_t> days;
  for (const DatedHoliday& date : source.dates) days.push_back(date.day_number);
  const std::vector<int32_t> expected{Jdn(2020, 2, 29), Jdn(2024, 1, 1),  Jdn(2024, 2, 29), Jdn(2024, 3, 1),
                                      Jdn(2024, 5, 1),  Jdn(2024, 5, 2),  Jdn(2024, 5, 3),  Jdn(2024, 12, 24),
                                      Jdn(2024, 12, 25), Jdn(2024, 12, 26), Jdn(2028, 2, 29), Jdn(2199, 7, 4)};
  EXPECT_EQ(days, expected);
}

TEST(ICalendar, ErrorsNameTheFile) {
  struct Case {
    std::string text;
    FileProblem problem;
  } cases[] = {
      {"", FileProblem::NotICalendar},
      {"hello\n", FileProblem::NotICalendar},
      {std::string("BEGIN:VCALENDAR\r\n\0\r\nEND:VCALENDAR\r\n", 33), FileProblem::NotICalendar},
      {Calendar(Event("SUMMARY:No start\r\n")), FileProblem::MalformedEvent},
      {Calendar(Event("DTSTART;VALUE=DATE:2024xx01\r\nSUMMARY:Bad\r\n")), FileProblem::MalformedEvent},
      {Calendar(Event("DTSTART;VALUE=DATE:20240101\r\nRRULE:FREQ=HOURLY\r\nSUMMARY:Hourly\r\n")), FileProblem::UnsupportedRule},
      {Calendar(Event("DTSTART;VALUE=DATE:20240101\r\nDTEND;VALUE=DATE:20260101\r\nSUMMARY:Long\r\n")), FileProblem::MalformedEvent},
  };
  for (const Case& c : cases) {
    const HolidayFileResult result = ReadICalendar(c.text, "bad.ics");
    ASSERT_TRUE(std::holds_alternative<HolidayFileError>(result)) << c.text;
    EXPECT_EQ(std::get<HolidayFileError>(result).file, "bad.ics");
    EXPECT_EQ(std::get<HolidayFileError>(result).problem, c.problem) << c.text;
  }
}

TEST(ICalendar, FileNames) {
  EXPECT_TRUE(IsICalendarFileName("holidays.ics"));
  EXPECT_TRUE(IsICalendarFileName("/a/B.ICS"));
  EXPECT_FALSE(IsICalendarFileName("ics"));
  EXPECT_FALSE(IsICalendarFileName("list.txt"));
}

}  // namespace
}  // namespace qv::holidays
