// Worked days in list files and iCalendar files, and the iCalendar text the export writes: folded,
// escaped and read back as the same days.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/civil.h"
#include "holidays/holiday_list.h"
#include "holidays/icalendar.h"
#include "holidays/icalendar_writer.h"
#include "support/dates.h"
#include "support/holiday_files.h"

namespace qv::holidays {
namespace {

using test::Jdn;

HolidaySource Source(HolidayFileResult result) { return test::SourceOrFailure(std::move(result)); }

// The third field `workday` moves a line from the holidays to the worked days; anything else
// after a second tab stays part of the name, as lists written before read.
TEST(HolidayListWorkdays, ThirdFieldMarksAWorkedDay) {
  const struct {
    const char* line;
    bool workday;
    const char* name;
  } cases[] = {
      {"2025-05-03\tBridge-day swap\tworkday", true, "Bridge-day swap"},
      {"2025-05-03\t\tworkday", true, ""},
      {"2025-05-03\tSwap \t workday \r", true, "Swap"},
      {"2025-05-03\tBridge\tWorkday", false, "Bridge\tWorkday"},
      {"2025-05-03\tworkday", false, "workday"},
      {"2025-05-03\tA\tB", false, "A\tB"},
  };
  for (const auto& c : cases) {
    const HolidaySource source = Source(ReadHolidayList(std::string(c.line) + "\n", "list.txt", {}));
    const std::vector<DatedHoliday> expected{{Jdn(2025, 5, 3), c.name}};
    EXPECT_EQ(c.workday ? source.workdays : source.dates, expected) << c.line;
    EXPECT_TRUE((c.workday ? source.dates : source.workdays).empty()) << c.line;
  }
  const HolidaySource sorted = Source(ReadHolidayList(
      "2025-05-10\t\tworkday\n2025-05-02\tBridge\n2025-05-03\t\tworkday\n", "list.txt", {}));
  EXPECT_EQ(sorted.workdays, (std::vector<DatedHoliday>{{Jdn(2025, 5, 3), ""}, {Jdn(2025, 5, 10), ""}}));
  EXPECT_EQ(sorted.dates, (std::vector<DatedHoliday>{{Jdn(2025, 5, 2), "Bridge"}}));
}

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quorvan//Test//EN\r\n" + events + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& body) {
  return "BEGIN:VEVENT\r\nUID:x@quorvan\r\nDTSTAMP:20240101T000000Z\r\n" + body + "END:VEVENT\r\n";
}

// The property (its value in any case) marks the event's days as worked; a repeating one is expanded, never a
// yearly holiday rule; other values and other X- properties leave a holiday.
TEST(ICalendarWorkdays, MarkedEventsAreWorkedDays) {
  const HolidaySource source = Source(ReadICalendar(
      Calendar(Event("DTSTART;VALUE=DATE:20250503\r\nSUMMARY:Swap\r\nX-QUORVAN-WORKDAY:TRUE\r\n") +
               Event("DTSTART;VALUE=DATE:20251227\r\nDTEND;VALUE=DATE:20251229\r\nSUMMARY:Stocktaking\r\n"
                     "X-QUORVAN-WORKDAY:true\r\n") +
               Event("DTSTART;VALUE=DATE:20200104\r\nRRULE:FREQ=YEARLY;COUNT=3\r\nSUMMARY:Yearly\r\n"
                     "X-QUORVAN-WORKDAY:TRUE\r\n") +
               Event("DTSTART;VALUE=DATE:20250502\r\nSUMMARY:Bridge\r\nX-QUORVAN-WORKDAY:FALSE\r\n") +
               Event("DTSTART;VALUE=DATE:20250501\r\nSUMMARY:Labour Day\r\nX-OTHER:TRUE\r\n")),
      "days.ics"));
  EXPECT_TRUE(source.rules.empty());
  EXPECT_EQ(source.workdays, (std::vector<DatedHoliday>{{Jdn(2020, 1, 4), "Yearly"},
                                                        {Jdn(2021, 1, 4), "Yearly"},
                                                        {Jdn(2022, 1, 4), "Yearly"},
                                                        {Jdn(2025, 5, 3), "Swap"},
                                                        {Jdn(2025, 12, 27), "Stocktaking"},
                                                        {Jdn(2025, 12, 28), "Stocktaking"}}));
  EXPECT_EQ(source.dates, (std::vector<DatedHoliday>{{Jdn(2025, 5, 1), "Labour Day"}, {Jdn(2025, 5, 2), "Bridge"}}));
}

// Every physical line ends in CR LF and holds at most 75 octets; a fold never splits a UTF-8
// character; names with the characters TEXT escapes come back as written.
TEST(ICalendarWriter, FoldsEscapesAndReadsBack) {
  const std::vector<ExportedDay> days{
      {.day_number = Jdn(2025, 12, 25), .summary = "Weihnachten; Feiertag, \\ gesetzlich\nzweite Zeile", .key = "a"},
      {.day_number = Jdn(2025, 12, 26), .summary = std::string(40, 'x') + "äöüß€" + std::string(30, 'y') + "ÄÖÜ✓✓✓✓✓✓✓✓✓✓✓✓", .key = "b"},
      {.day_number = Jdn(9999, 12, 31), .summary = "Last", .key = "c"},
      {.day_number = Jdn(1, 1, 1), .summary = "First", .key = "d"},
      {.day_number = Jdn(2025, 5, 3), .summary = "Swap", .key = "e", .workday = true},
  };
  const std::string text = WriteICalendar(days, "Quorvan: DE-BY, acme.rules");
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "a line without CR LF at " << start;
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    if (!line.empty() && line[0] == ' ') {
      EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << line;
    }
    start = end + 2;
  }
  EXPECT_NE(text.find("DTSTART;VALUE=DATE:99991231\r\nSUMMARY:Last"), std::string::npos);  // no DTEND in year 10000
  EXPECT_NE(text.find("DTSTART;VALUE=DATE:00010101\r\nDTEND;VALUE=DATE:00010102\r\n"), std::string::npos);
  const HolidaySource read = Source(ReadICalendar(text, "export.ics"));
  std::vector<DatedHoliday> dates, workdays;
  for (const ExportedDay& day : days) (day.workday ? workdays : dates).push_back({day.day_number, day.summary});
  std::sort(dates.begin(), dates.end(), [](const DatedHoliday& a, const DatedHoliday& b) { return a.day_number < b.day_number; });
  EXPECT_EQ(read.dates, dates);
  EXPECT_EQ(read.workdays, workdays);
}

TEST(ICalendarWriter, UidsAreStableAndDistinct) {
  EXPECT_EQ(ExportUid("DE-BY\nNew Year's Day", Jdn(2025, 1, 1)), ExportUid("DE-BY\nNew Year's Day", Jdn(2025, 1, 1)));
  EXPECT_EQ(ExportUid("", Jdn(2025, 1, 1)), "cbf29ce484222325-20250101@quorvan");  // FNV-1a's offset basis
  EXPECT_NE(ExportUid("DE-BY\nNew Year's Day", Jdn(2025, 1, 1)), ExportUid("DE-BW\nNew Year's Day", Jdn(2025, 1, 1)));
  EXPECT_NE(ExportUid("DE-BY\nNew Year's Day", Jdn(2025, 1, 1)), ExportUid("DE-BY\nNew Year's Day", Jdn(2026, 1, 1)));
}

}  // namespace
}  // namespace qv::holidays
