// quorvan-cli's working days: the work week, holiday regions and files, the two lists, and the
// usage errors of each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "app/cli/holiday_listing.h"
#include "holidays/regions.h"
#include "support/cli_run.h"

namespace qv::cli {
namespace {

using test::CliFolder;
using test::CliRun;

TEST(WorkingDayOptions, ParseIntoTheCalendarOptions) {
  const ParseResult parsed = ParseCommandLine({"--work-week=Sun-Thu", "--holidays", "de-by", "--holiday-file=a.txt",
                                               "--holidays=US", "--list-holidays=-44"});
  ASSERT_TRUE(parsed.command_line.has_value()) << parsed.error;
  const CommandLine& line = *parsed.command_line;
  EXPECT_FALSE(line.options.include_weekends);  // implied
  ASSERT_TRUE(line.work_calendar.work_week.has_value());
  EXPECT_EQ(line.work_calendar.work_week->ToText(), "1111001");
  ASSERT_EQ(line.work_calendar.sources.size(), 3u);  // in the order given
  EXPECT_EQ(line.work_calendar.sources[0].region->code, "DE-BY");
  EXPECT_EQ(line.work_calendar.sources[1].file, "a.txt");
  EXPECT_EQ(line.work_calendar.sources[2].region->code, "US");
  EXPECT_EQ(line.work_calendar.list_holidays, -44);
  for (const char* implying : {"--work-week=1111100", "--holidays=AT", "--holiday-file=x"}) {
    EXPECT_FALSE(ParseCommandLine({implying}).command_line->options.include_weekends) << implying;
  }
  EXPECT_TRUE(ParseCommandLine({"--list-holidays=2024"}).command_line->options.include_weekends);

  const std::vector<std::vector<std::string>> bad = {
      {"--work-week=Mon-Xyz"}, {"--work-week=0000000"}, {"--work-week=11111"}, {"--work-week="},
      {"--holidays=DE-XX"},    {"--holidays="},         {"--holiday-file="},   {"--list-holidays=5744892"},
      {"--list-holidays=-5754317"}, {"--list-holidays=2024x"}, {"--list-holidays=-"}, {"--list-regions=1"}};
  for (const auto& arguments : bad) EXPECT_FALSE(ParseCommandLine(arguments).command_line) << arguments[0];
  EXPECT_TRUE(ParseCommandLine({"--list-holidays=5744891", "--list-holidays=-5754316"}).command_line);
}

// --list-regions prints every region with its name; the usage error of --holidays names
// codes that are among them.
TEST(WorkingDayOptions, EveryRegionIsNamedAndListed) {
  const std::string regions = RegionListText(Language::English);
  for (const holidays::Region& region : holidays::Regions()) {
    const std::string code(region.code);
    EXPECT_NE(regions.find(code + "\t" + std::string(region.name.en)), std::string::npos) << code;
  }
  for (const char* code : {"DE-BY", "CH-ZH", "US"}) {
    EXPECT_NE(std::string(kRegionTakes).find(code), std::string::npos) << code;
    EXPECT_NE(holidays::FindRegion(code), nullptr) << code;
  }
  // Each line says the years the region knows.
  EXPECT_NE(RegionListText(Language::German).find("DE-TH\tThüringen\tab 1991\n"), std::string::npos);
  EXPECT_NE(RegionListText(Language::English).find("DE-TH\tThuringia\t1991 onward\n"), std::string::npos);
}

// --holiday-kinds: what offices close on, or the law's days alone; a year a region does not know
// is refused with its name, the year and the years it knows; a projected year is marked.
TEST(WorkingDaysProgram, KindsRefusalsAndProvisionalYears) {
  const CliFolder folder;
  folder.Write("kinds.rules",
               "region OFFICE 2000\nen Office\nde Büro\n01-01 | New Year | Neujahr\n"
               "01-02 kind=custom | Second of January | Berchtoldstag | staff rules\n"
               "12-24 kind=half | Christmas Eve | Heiligabend\nprovisional 2030.. | no list yet\n");
  const std::string rules = "--holiday-rules=kinds.rules";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{"--first=2025-01-01", "--second=2025-01-10", rules, "--no-verbose"}, 0,
       "2025-01-01 CE to 2025-01-10 CE = 6 days; 1 holiday left out (OFFICE 1)\n", ""},
      {{"--first=2025-01-01", "--second=2025-01-10", rules, "--no-verbose", "--holiday-kinds=law"}, 0,
       "2025-01-01 CE to 2025-01-10 CE = 7 days; no holidays left out\n", ""},
      {{"--first=1999-12-20", "--second=2000-01-10", rules, "--no-verbose"}, 1, "",
       "quorvan-cli: The holidays of OFFICE are not known for 1999 (known: 2000 onward).\n"},
      {{"--first=1999-12-20", "--second=2000-01-10", rules, "--output=json"}, 1,
       "{\"request\":{\"first\":\"1999-12-20\",\"difference\":\"\",\"second\":\"2000-01-10\"},\"kind\":\"difference\","
       "\"error\":\"The holidays of OFFICE are not known for 1999 (known: 2000 onward).\"}\n",
       ""},
      {{"--first=2029-12-28", "--second=2030-01-04", rules, "--no-verbose", "--lang=de"}, 0,
       "2029-12-28 CE bis 2030-01-04 CE = 3 Tage; 2 Feiertage ausgelassen (OFFICE 2); vorläufig: OFFICE 2030\n", ""},
      {{"--first=2029-12-28", "--second=2030-01-04", rules, "--output=json"}, 0,
       "{\"request\":{\"first\":\"2029-12-28\",\"difference\":\"\",\"second\":\"2030-01-04\"},\"kind\":\"difference\","
       "\"days\":3,\"provisional\":true,\"provisional_sources\":[{\"source\":\"OFFICE\",\"years\":[[2030,2030]]}]}\n",
       ""},
      {{"--list-holidays=1999", rules}, 1, "", "quorvan-cli: The holidays of OFFICE are not known for 1999 (known: 2000 onward).\n"},
      {{"--list-holidays=2031", rules}, 0,
       "2031-01-01\tWednesday\tNew Year\n2031-01-02\tThursday\tSecond of January (customary)\n"
       "2031-12-24\tWednesday\tChristmas Eve (half day)\n",
       "quorvan-cli: provisional (projected, not yet published): OFFICE 2031\n"},
      {{"--export-ics=1995..2025", rules}, 1, "", "quorvan-cli: The holidays of OFFICE are not known for 1995 (known: 2000 onward).\n"},
      {{"--holiday-kinds=half", rules, "--first=2025-01-01"}, 2, "", ""},
  };
  for (const auto& c : cases) {
    std::string arguments;
    for (const std::string& arg : c.args) arguments += arg + " ";
    const CliRun run = folder.Run(arguments);
    EXPECT_EQ(run.status, c.status) << arguments;
    if (c.status == 2) continue;  // a usage error: its text is the option table's
    EXPECT_EQ(run.out, c.out) << arguments;
    EXPECT_EQ(run.err, c.err) << arguments;
  }
}

// A company's rule file on top of a region, with a worked Saturday; --weekend as the spreadsheets
// write the days off.
TEST(WorkingDaysProgram, RuleFilesAndWeekends) {
  CliFolder folder;
  folder.Write("acme.rules",
               "region ACME 2024\nen Acme\nde Acme\nwith DE-BY\n"
               "easter+40 | Bridge day | Brückentag\nworkday 2025-05-03 | Saturday for Friday | Samstag für Freitag\n");
  folder.Write("bad.rules", "region ACME 2024\nen Acme\nde Acme\nevery friday | a | b\n");
  const struct {
    const char* arguments;
    int status;
    const char* out;
    const char* err;
  } cases[] = {
      // May 2025 in Bavaria: 22 weekdays less 1 May, Ascension 29, the bridge day 30; plus Saturday 3 May.
      {"--first 2025-04-30 --second 2025-05-31 --holiday-rules=acme.rules --no-verbose", 0,
       "2025-04-30 CE to 2025-05-31 CE = 20 days; 3 holidays left out (ACME 3)\n", ""},
      {"--first 2025-05-02 --diff 1 --holiday-rules=acme.rules --no-verbose", 0,
       "2025-05-02 CE plus 1 day = 2025-05-03 CE, Saturday; no holidays left out\n", ""},
      {"--first 2024-06-02 --second 2024-06-09 --weekend=0000110 --no-verbose", 0,
       "2024-06-02 CE to 2024-06-09 CE = 5 days\n", ""},
      {"--first 2025-01-01 --second 2025-01-02 --holiday-rules=bad.rules", 2, "",
       "quorvan-cli: bad.rules, line 4: not a rule: every friday | a | b\n"},
      {"--first 2025-01-01 --second 2025-01-02 --weekend=1111111", 2, "", "quorvan-cli: --weekend takes seven digits"},
  };
  for (const auto& c : cases) {
    const CliRun result = folder.Run(c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments << ": " << result.err;
    EXPECT_EQ(result.out, c.out) << c.arguments;
    EXPECT_EQ(result.err.substr(0, std::string_view(c.err).size()), c.err) << c.arguments;
  }
}

TEST(WorkingDaysProgram, RegionsFilesAndLists) {
  CliFolder folder;
  folder.Write("office.txt", "# our own days\r\n24.12.2024\tChristmas Eve\r\n\r\n31.12.2024\r\n");
  folder.Write("days.ics",
               "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quorvan//Test//EN\r\n"
               "BEGIN:VEVENT\r\nUID:1@quorvan\r\nDTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:20001224\r\n"
               "RRULE:FREQ=YEARLY\r\nSUMMARY:Christmas Eve\r\nEND:VEVENT\r\n"
               "BEGIN:VEVENT\r\nUID:2@quorvan\r\nDTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:20241231\r\n"
               "SUMMARY:New Year's Eve\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  folder.Write("bad.txt", "2024-12-24\n2024-13-01\tnot a month\n");
  const struct {
    const char* arguments;
    const char* out;
  } cases[] = {
      {"--first 2024-01-01 --second 2024-12-31 --exclude-weekends --holidays=DE-BY",
       "2024-01-01 CE to 2024-12-31 CE = 250 days, excluding 1st date, not counting weekend days; "
       "11 holidays left out (DE-BY 11)\n"},
      // The list is read in the options' own date format.
      {"--first 20.12.2024 --second 31.12.2024 --format=dmy --date-sep=. --holidays=DE-BY --holiday-file=office.txt "
       "--no-verbose",
       "20.12.2024 CE to 31.12.2024 CE = 3 days; 4 holidays left out (DE-BY 2, office.txt 2)\n"},
      {"--first 2024-12-20 --second 2024-12-31 --holiday-file=days.ics --holidays=de-by --no-verbose --lang=de",
       "2024-12-20 CE bis 2024-12-31 CE = 3 Tage; 4 Feiertage ausgelassen (days.ics 2, DE-BY 2)\n"},
      // The yearly rule of the .ics file holds in any year.
      {"--first 2099-12-23 --diff 1 --holiday-file=days.ics --no-verbose",
       "2099-12-23 CE plus 1 day = 2099-12-25 CE, Friday; 1 holiday left out (days.ics 1)\n"},
      {"--first 2024-06-02 --second 2024-06-09 --work-week=Sun-Thu --no-verbose", "2024-06-02 CE to 2024-06-09 CE = 5 days\n"},
      {"--list-holidays 2024 --holidays=DE-BY --format=mdy --date-sep=/ --lang=de",
       "01/01/2024\tMontag\tNeujahr\n01/06/2024\tSamstag\tHeilige Drei Könige\n03/29/2024\tFreitag\tKarfreitag\n"
       "04/01/2024\tMontag\tOstermontag\n05/01/2024\tMittwoch\tTag der Arbeit\n05/09/2024\tDonnerstag\tChristi Himmelfahrt\n"
       "05/20/2024\tMontag\tPfingstmontag\n05/30/2024\tDonnerstag\tFronleichnam\n"
       "08/15/2024\tDonnerstag\tMariä Himmelfahrt\n10/03/2024\tDonnerstag\tTag der Deutschen Einheit\n11/01/2024\tFreitag\tAllerheiligen\n"
       "12/25/2024\tMittwoch\t1. Weihnachtstag\n12/26/2024\tDonnerstag\t2. Weihnachtstag\n"},
      {"--list-holidays=2027 --holidays=GB-SCT --holiday-file=days.ics",
       "2027-01-01\tFriday\tNew Year's Day\tGB-SCT\n2027-01-02\tSaturday\t2 January\tGB-SCT\n"
       "2027-01-04\tMonday\t2 January (substitute day)\tGB-SCT\n"},  // the first three lines
  };
  for (const auto& c : cases) {
    const CliRun result = folder.Run(c.arguments);
    EXPECT_EQ(result.status, 0) << c.arguments << ": " << result.err;
    EXPECT_EQ(result.err, "") << c.arguments;
    EXPECT_EQ(result.out.substr(0, std::string_view(c.out).size()), c.out) << c.arguments;
  }
  EXPECT_NE(folder.Run("--list-holidays=2027 --holidays=GB-SCT --holiday-file=days.ics").out.find(
                "2027-12-24\tFriday\tChristmas Eve\tdays.ics\n"),
            std::string::npos);
  EXPECT_EQ(folder.Run("--list-regions --lang=de").out, RegionListText(Language::German));
}

TEST(WorkingDaysProgram, UsageErrorsNameWhatIsWrong) {
  CliFolder folder;
  folder.Write("bad.txt", "2024-12-24\n2024-13-01\tnot a month\n");
  folder.Write("bad.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:no start\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  const struct {
    const char* arguments;
    const char* first_error_line;
  } cases[] = {
      {"--first 2024-01-01 --diff 3 --holiday-file=bad.txt", "quorvan-cli: bad.txt, line 2: not a date: 2024-13-01\n"},
      {"--first 2024-01-01 --diff 3 --holiday-file=bad.txt --lang=de", "quorvan-cli: bad.txt, Zeile 2: kein Datum: 2024-13-01\n"},
      {"--batch --holiday-file=missing.txt", "quorvan-cli: missing.txt: cannot read the file\n"},
      {"--list-holidays=2024 --holiday-file=bad.ics", "quorvan-cli: bad.ics: "},
      {"--holidays=XX-YY", "quorvan-cli: --holidays takes a region code that --list-regions prints, such as DE-BY"},
      {"--work-week=Mon-Fry", "quorvan-cli: --work-week takes working days as Mon-Fri, Sun-Thu, "},
      {"--list-holidays=2024", "quorvan-cli: --list-holidays lists the holidays of --holidays=REGION and "},
      {"--list-holidays=2024 --holidays=AT --list-regions", "quorvan-cli: --list-holidays and --list-regions do not go"},
      {"--list-holidays=2024 --holidays=AT --first=2024-01-01", "quorvan-cli: --list-holidays prints a list; --first, "},
      {"--list-regions --batch", "quorvan-cli: --list-regions prints a list; --first, "},
      {"--list-regions --month=2024-06", "quorvan-cli: --list-regions prints a list; --first, "},
      {"--export-ics=2025", "quorvan-cli: --export-ics writes the holidays of --holidays=REGION, "},
      {"--export-ics=2025 --holidays=AT --first=2024-01-01", "quorvan-cli: --export-ics prints a list; --first, "},
      {"--export-ics=2025 --holidays=AT --list-holidays=2025", "quorvan-cli: --list-holidays and --export-ics do not go"},
      {"--export-ics=2025 --holiday-file=bad.txt", "quorvan-cli: bad.txt, line 2: not a date: 2024-13-01\n"},
      {"--export-ics=2025..2024 --holidays=AT", "quorvan-cli: --export-ics takes a year or FIRST..LAST, "},
  };
  for (const auto& c : cases) {
    const CliRun result = folder.Run(c.arguments);
    EXPECT_EQ(result.status, 2) << c.arguments;
    EXPECT_EQ(result.out, "") << c.arguments;
    EXPECT_EQ(result.err.substr(0, std::string_view(c.first_error_line).size()), c.first_error_line) << c.arguments;
  }
}

TEST(WorkingDayOptions, ExportYears) {
  const struct {
    const char* value;
    bool taken;
    int32_t first, last;
  } cases[] = {
      {"2025", true, 2025, 2025},   {"2025..2030", true, 2025, 2030}, {"1..9999", true, 1, 9999},
      {"0001..0002", true, 1, 2},   {"2030..2025", false, 0, 0},      {"0", false, 0, 0},
      {"10000", false, 0, 0},       {"-5", false, 0, 0},              {"2025..", false, 0, 0},
      {"..2025", false, 0, 0},      {"2025...2026", false, 0, 0},     {"+2025", false, 0, 0},
      {"", false, 0, 0},            {"2025-2026", false, 0, 0},
  };
  for (const auto& c : cases) {
    const ParseResult parsed = ParseCommandLine({std::string("--export-ics=") + c.value});
    ASSERT_EQ(parsed.command_line.has_value(), c.taken) << c.value << ": " << parsed.error;
    if (!c.taken) continue;
    ASSERT_TRUE(parsed.command_line->work_calendar.export_ics.has_value()) << c.value;
    EXPECT_EQ(parsed.command_line->work_calendar.export_ics->first, c.first) << c.value;
    EXPECT_EQ(parsed.command_line->work_calendar.export_ics->last, c.last) << c.value;
  }
}

// The export as a user runs it: standard output, read back with --holiday-file as the same count;
// a list's worked Saturday travels with it.
TEST(WorkingDaysProgram, ExportReadsBackAsTheSameDays) {
  CliFolder folder;
  folder.Write("office.txt", "2025-05-02\tBridge day\n2025-05-03\tSaturday for Friday\tworkday\n");
  const CliRun exported = folder.Run("--export-ics=2024..2026 --holidays=CH-ZH --holiday-file=office.txt --lang=de");
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.err, "");
  EXPECT_EQ(exported.out.substr(0, 17), "BEGIN:VCALENDAR\r\n");
  EXPECT_NE(exported.out.find("SUMMARY:Neujahr\r\n"), std::string::npos);
  EXPECT_NE(exported.out.find("X-QUORVAN-WORKDAY:TRUE\r\n"), std::string::npos);
  folder.Write("export.ics", exported.out);
  for (const char* span : {"--first 2024-01-01 --second 2026-12-31", "--first 2025-04-28 --second 2025-05-05",
                           "--first 2025-04-30 --diff 3"}) {
    const CliRun direct = folder.Run(std::string(span) + " --holidays=CH-ZH --holiday-file=office.txt --no-verbose");
    const CliRun imported = folder.Run(std::string(span) + " --holiday-file=export.ics --no-verbose");
    ASSERT_EQ(direct.status, 0) << direct.err;
    ASSERT_EQ(imported.status, 0) << imported.err;
    // The same days, whatever the sources are called.
    EXPECT_EQ(direct.out.substr(0, direct.out.find(';')), imported.out.substr(0, imported.out.find(';'))) << span;
  }
  EXPECT_EQ(folder.Run("--export-ics=2024..2026 --holidays=CH-ZH --holiday-file=office.txt --lang=de").out, exported.out);
}

TEST(WorkingDaysProgram, BatchSharesTheCalendar) {
  CliFolder folder;
  // Enough lines for every thread to take a share; each line counts one span of Bavarian days.
  std::string input, expected;
  for (int i = 0; i < 3000; ++i) {
    input += i % 2 == 0 ? "2024-01-01\t\t2024-12-31\n" : "2024-12-20\t3\n";
    expected += i % 2 == 0 ? "2024-01-01 CE to 2024-12-31 CE = 250 days; 11 holidays left out (DE-BY 11)\n"
                           : "2024-12-20 CE plus 3 days = 2024-12-27 CE, Friday; 2 holidays left out (DE-BY 2)\n";
  }
  const CliRun result = folder.Run("--batch --holidays=DE-BY --no-verbose", input);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, expected);
}

}  // namespace
}  // namespace qv::cli
