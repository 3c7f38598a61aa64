// qrv-workdays.ini: what is written reads back, what a hand or a crash can leave reads as damage
// and never half, and the stored holiday files come back read in their own date options.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "calendar/civil.h"
#include "settings/work_days.h"
#include "settings/work_days_file.h"
#include "support/temp_folder.h"
#include "support/dates.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using test::TempFolder;

using test::Jdn;

// ---- Round trip -------------------------------------------------------------------------------

struct RoundTripCase {
  const char* name;
  WorkDaysSettings settings;
};

void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.name; }

class WorkDaysRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(WorkDaysRoundTrip, ReadsBackWhatWasWritten) {
  const WorkDaysSettings& settings = GetParam().settings;
  const WorkDaysReadResult read = ParseWorkDaysText(FormatWorkDaysFile(settings));
  EXPECT_EQ(read.status, WorkDaysReadStatus::Complete);
  EXPECT_EQ(read.settings, settings);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, WorkDaysRoundTrip,
    ::testing::Values(
        RoundTripCase{"Defaults", {}},
        RoundTripCase{"SundayToThursdayInBavaria", {.work_week = 0b1001111, .region = "DE-BY", .files = {}}},
        RoundTripCase{"SaturdayOnly", {.work_week = 0b0100000, .region = "", .files = {}}},
        RoundTripCase{"LawOnlyInZurich", {.work_week = 0b0011111, .region = "CH-ZH", .files = {}, .law_only = true}},
        RoundTripCase{"FilesInTheirOwnDateOptions",
                      {.work_week = 0b0011111,
                       .region = "US",
                       .files = {{"/home/anna/feiertage.txt", kFormatDMY, ".", "."},
                                 {"/home/anna/us.ics", kFormatMDY, "/", ""},
                                 {"/srv/a,b=c;d [e].txt", kFormatYMD, "-", ","}}}},
        RoundTripCase{"PathsWithPercentAndLineBreaks",
                      {.work_week = 0b1111111,
                       .region = "GB-SCT",
                       .files = {{"/tmp/100%\r\nsure\n.txt", kFormatYMD, "-", ","}, {"/tmp/%0A.ics", kFormatYMD, "-", ","}}}},
        RoundTripCase{"BoxesInAddedCalendars",
                      {.work_week = 0b0011111,
                       .region = "",
                       .files = {},
                       .boxes = {{{cal::HEB, "15 Nisan 5784"}, {cal::FRR, "1 Vendémiaire an 100%\n"}}}}},
        RoundTripCase{"TodayCalendarsAndMonthAlsoShow",
                      {.work_week = 0b0011111,
                       .region = "",
                       .files = {},
                       .boxes = {},
                       .more_today_calendars = {cal::PER, cal::HEB, cal::MAY},
                       .today_calendar = cal::HEB,
                       .month_also_show = cal::IND}},
        RoundTripCase{"PanelLeftAtACalendarNoLongerChosen",
                      {.work_week = 0b0011111, .region = "", .files = {}, .boxes = {}, .more_today_calendars = {},
                       .today_calendar = cal::ISL}},
        RoundTripCase{"SecondBoxOnlyWithoutText",
                      {.work_week = 0b0011111, .region = "", .files = {}, .boxes = {{{}, {cal::MAY, ""}}}}},
        RoundTripCase{"FolderOfHolidayFiles",
                      {.work_week = 0b0011111, .region = "", .files = {}, .boxes = {}, .more_today_calendars = {},
                       .today_calendar = cal::CE, .month_also_show = cal::CE,
                       .holiday_folder = "/home/anna/Feiertage 100%\nneu"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WorkDaysFile, DefaultsAreKnownAsSuch) {
  EXPECT_TRUE(IsDefault({}));
  EXPECT_FALSE(IsDefault({.work_week = 0b1001111, .region = "", .files = {}}));
  EXPECT_FALSE(IsDefault({.work_week = 0b0011111, .region = "AT", .files = {}}));
  EXPECT_FALSE(IsDefault({.work_week = 0b0011111, .region = "", .files = {}, .boxes = {{{cal::ISL, ""}, {}}}}));
  EXPECT_FALSE(IsDefault({.work_week = 0b0011111, .region = "", .files = {}, .boxes = {}, .more_today_calendars = {cal::HEB}}));
  EXPECT_FALSE(IsDefault({.work_week = 0b0011111, .region = "", .files = {}, .boxes = {}, .more_today_calendars = {},
                          .today_calendar = cal::CE, .month_also_show = cal::MAY}));
  EXPECT_FALSE(IsDefault({.work_week = 0b0011111, .region = "", .files = {}, .boxes = {}, .more_today_calendars = {},
                          .today_calendar = cal::CE, .month_also_show = cal::CE, .holiday_folder = "/home/anna"}));
}

// ---- Hand-made and damaged files ------------------------------------------------------------

struct ParseCase {
  const char* name;
  const char* text;
  WorkDaysReadStatus status;
  uint8_t work_week;  // when Complete
  const char* region;
  std::size_t files;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << c.name; }

class WorkDaysParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(WorkDaysParse, ReadsOrRefusesTheWholeFile) {
  const ParseCase& c = GetParam();
  const WorkDaysReadResult read = ParseWorkDaysText(c.text);
  EXPECT_EQ(read.status, c.status);
  if (c.status != WorkDaysReadStatus::Complete) {
    EXPECT_EQ(read.settings, WorkDaysSettings{}) << "nothing of a damaged file stands";
    return;
  }
  EXPECT_EQ(read.settings.work_week, c.work_week);
  EXPECT_EQ(read.settings.region, c.region);
  EXPECT_EQ(read.settings.files.size(), c.files);
}

constexpr auto kComplete = WorkDaysReadStatus::Complete;
constexpr auto kDamaged = WorkDaysReadStatus::Damaged;

INSTANTIATE_TEST_SUITE_P(
    Texts, WorkDaysParse,
    ::testing::Values(
        ParseCase{"CrLfCommentsAndBlanks", "; mine\r\n\r\n[WorkDays]\r\n# week\r\n WorkWeek = 1111100 \r\nRegion=DE-BY\r\n",
                  kComplete, 0b0011111, "DE-BY", 0},
        ParseCase{"DayNamesAndLowerCaseCode", "[WorkDays]\nWorkWeek=Sun-Thu\nRegion=de-by\n", kComplete, 0b1001111,
                  "DE-BY", 0},
        ParseCase{"KeysOmittedAreDefaults", "[WorkDays]\n", kComplete, 0b0011111, "", 0},
        ParseCase{"OfficeKindsSpelledOut", "[WorkDays]\nHolidayKinds=office\n", kComplete, 0b0011111, "", 0},
        ParseCase{"UnknownHolidayKinds", "[WorkDays]\nHolidayKinds=half\n", kDamaged, 0, "", 0},
        ParseCase{"HolidayKindsTwice", "[WorkDays]\nHolidayKinds=law\nHolidayKinds=law\n", kDamaged, 0, "", 0},
        ParseCase{"UnknownKeysAndLaterSectionsSkipped",
                  "[WorkDays]\nColour=red\nRegion=AT\n[Other]\nWorkWeek=0000000\n", kComplete, 0b0011111, "AT", 0},
        ParseCase{"CommasInThePath", "[WorkDays]\nHolidayFile=1,46,0,/a,b.txt\n", kComplete, 0b0011111, "", 1},
        ParseCase{"EmptyFile", "", kDamaged, 0, "", 0},
        ParseCase{"NoSection", "WorkWeek=1111100\n", kDamaged, 0, "", 0},
        ParseCase{"QrvUsrRecords", "0\r\n2,45,44\r\n", kDamaged, 0, "", 0},
        ParseCase{"NoWorkingDay", "[WorkDays]\nWorkWeek=0000000\n", kDamaged, 0, "", 0},
        ParseCase{"WeekTwice", "[WorkDays]\nWorkWeek=1111100\nWorkWeek=1111110\n", kDamaged, 0, "", 0},
        ParseCase{"UnknownRegion", "[WorkDays]\nRegion=XX-YY\n", kDamaged, 0, "", 0},
        ParseCase{"LineWithoutEquals", "[WorkDays]\nRegion\n", kDamaged, 0, "", 0},
        ParseCase{"RelativePath", "[WorkDays]\nHolidayFile=2,45,44,holidays.txt\n", kDamaged, 0, "", 0},
        ParseCase{"EmptyPath", "[WorkDays]\nHolidayFile=2,45,44,\n", kDamaged, 0, "", 0},
        ParseCase{"UnknownFormat", "[WorkDays]\nHolidayFile=3,45,44,/a.txt\n", kDamaged, 0, "", 0},
        ParseCase{"UnknownSeparator", "[WorkDays]\nHolidayFile=2,44,44,/a.txt\n", kDamaged, 0, "", 0},
        ParseCase{"UnknownThousands", "[WorkDays]\nHolidayFile=2,45,45,/a.txt\n", kDamaged, 0, "", 0},
        ParseCase{"TooFewCodes", "[WorkDays]\nHolidayFile=2,45/a.txt\n", kDamaged, 0, "", 0},
        ParseCase{"HugeCode", "[WorkDays]\nHolidayFile=99999999999999999999,45,44,/a.txt\n", kDamaged, 0, "", 0},
        ParseCase{"BrokenEscape", "[WorkDays]\nHolidayFile=2,45,44,/a%4.txt\n", kDamaged, 0, "", 0},
        ParseCase{"EscapeAtTheEnd", "[WorkDays]\nHolidayFile=2,45,44,/a%\n", kDamaged, 0, "", 0},
        ParseCase{"NulInThePath", "[WorkDays]\nHolidayFile=2,45,44,/a%00b\n", kDamaged, 0, "", 0},
        ParseCase{"BoxesAfterTheWorkDays", "[WorkDays]\nRegion=AT\n[Boxes]\nFirstCalendar=HEB\nFirstText=x\n",
                  kComplete, 0b0011111, "AT", 0},
        ParseCase{"BoxesInADescribedCalendar", "[WorkDays]\n[Boxes]\nFirstCalendar=CE\n", kDamaged, 0, "", 0},
        ParseCase{"BoxTextWithoutCalendar", "[WorkDays]\n[Boxes]\nSecondText=5784\n", kDamaged, 0, "", 0},
        ParseCase{"TodayAndMonthSections",
                  "[WorkDays]\nRegion=AT\n[Today]\nMoreCalendars= HEB , ISL\nCalendar=HEB\nLater=1\n[Month]\nAlsoShow=MAY\n",
                  kComplete, 0b0011111, "AT", 0},
        ParseCase{"NoMoreCalendars", "[WorkDays]\n[Today]\nMoreCalendars=\n", kComplete, 0b0011111, "", 0},
        ParseCase{"MoreCalendarsTwice", "[WorkDays]\n[Today]\nMoreCalendars=HEB\nMoreCalendars=ISL\n", kDamaged, 0, "", 0},
        ParseCase{"AMoreCalendarRepeated", "[WorkDays]\n[Today]\nMoreCalendars=HEB,ISL,HEB\n", kDamaged, 0, "", 0},
        ParseCase{"ADescribedMoreCalendar", "[WorkDays]\n[Today]\nMoreCalendars=HEB,JDN\n", kDamaged, 0, "", 0},
        ParseCase{"AnEmptyItem", "[WorkDays]\n[Today]\nMoreCalendars=HEB,,ISL\n", kDamaged, 0, "", 0},
        ParseCase{"TodayInADescribedCalendar", "[WorkDays]\n[Today]\nCalendar=CE\n", kDamaged, 0, "", 0},
        ParseCase{"AlsoShowUnknown", "[WorkDays]\n[Month]\nAlsoShow=XYZ\n", kDamaged, 0, "", 0},
        ParseCase{"BoxCalendarTwice", "[WorkDays]\n[Boxes]\nFirstCalendar=HEB\nFirstCalendar=ISL\n", kDamaged, 0,
                  "", 0},
        ParseCase{"FilesFolderAndALaterKey", "[WorkDays]\nRegion=AT\n[Files]\nFolder=/home/a\nLater=1\n", kComplete,
                  0b0011111, "AT", 0},
        ParseCase{"RelativeFolder", "[WorkDays]\n[Files]\nFolder=Feiertage\n", kDamaged, 0, "", 0},
        ParseCase{"EmptyFolder", "[WorkDays]\n[Files]\nFolder=\n", kDamaged, 0, "", 0},
        ParseCase{"FolderTwice", "[WorkDays]\n[Files]\nFolder=/a\nFolder=/b\n", kDamaged, 0, "", 0},
        ParseCase{"FolderBrokenEscape", "[WorkDays]\n[Files]\nFolder=/a%G0\n", kDamaged, 0, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- On disk -----------------------------------------------------------------------------------

TEST(WorkDaysFile, WritesAtomicallyAndReadsBack) {
  TempFolder folder;
  const std::string path = folder.File(std::string(kWorkDaysFileName));
  const WorkDaysSettings first{.work_week = 0b1001111, .region = "DE-BY", .files = {}};
  const WorkDaysSettings second{.work_week = 0b0011111, .region = "US", .files = {{"/x.ics", kFormatYMD, "-", ","}}};
  ASSERT_TRUE(WriteWorkDaysFile(path, first));
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteWorkDaysFile(path, second));
  EXPECT_EQ(ReadWorkDaysFile(path).settings, second);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path())) ++entries;
  EXPECT_EQ(entries, 1u) << "no temporary file is left behind";
}

// The one atomic writer serves both files, so a linked working-days file (a dotfile manager's)
// stays a link as qrv.usr does.
TEST(WorkDaysFile, WritesThroughASymbolicLink) {
  TempFolder folder;
  fs::create_directory(folder.File("dotfiles"));
  const std::string link = folder.File(std::string(kWorkDaysFileName));
  fs::create_symlink("dotfiles/workdays.ini", link);
  const WorkDaysSettings settings{.work_week = 0b0011111, .region = "DE-BY", .files = {}};
  ASSERT_TRUE(WriteWorkDaysFile(link, settings));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWorkDaysFile(folder.File("dotfiles/workdays.ini")).settings, settings);
}

TEST(WorkDaysFile, AFailedWriteKeepsTheOldFile) {
  TempFolder folder;
  EXPECT_FALSE(WriteWorkDaysFile(folder.File("missing/qrv-workdays.ini"), {}));
  EXPECT_FALSE(WriteWorkDaysFile("", {}));
  EXPECT_FALSE(WriteWorkDaysFile(folder.Path() + "/", {}));
}

TEST(WorkDaysFile, ReadStatuses) {
  TempFolder folder;
  EXPECT_EQ(ReadWorkDaysFile(folder.File("none.ini")).status, WorkDaysReadStatus::Missing);
  EXPECT_EQ(ReadWorkDaysFile("").status, WorkDaysReadStatus::Missing);
  EXPECT_EQ(ReadWorkDaysFile(folder.Path()).status, WorkDaysReadStatus::Unreadable);
  const std::string big = folder.Write("big.ini", "[WorkDays]\n" + std::string(kMaxWorkDaysFileBytes, '#'));
  EXPECT_EQ(ReadWorkDaysFile(big).status, WorkDaysReadStatus::TooLarge);
  const std::string binary = folder.Write("binary.ini", std::string("\x7f" "ELF\0\0\x01", 7));
  EXPECT_EQ(ReadWorkDaysFile(binary).status, WorkDaysReadStatus::Damaged);
}

// ---- Loading the choice ------------------------------------------------------------------------

TEST(WorkDaysLoad, ReadsListsInTheirOwnOptionsAndNamesTheFilesThatFail) {
  TempFolder folder;
  const std::string list = folder.Write("Betrieb.txt", "24.12.2026\tHeiligabend\n31.12.2026\n");
  const std::string broken = folder.Write("broken.txt", "24.12.2026\nnot a date\n");
  const WorkDaysSettings settings{.work_week = 0b0011111,
                                  .region = "DE-BY",
                                  .files = {{list, kFormatDMY, ".", ","},
                                            {folder.File("gone.ics"), kFormatYMD, "-", ","},
                                            {broken, kFormatDMY, ".", ","}}};
  const WorkDaysLoad load = LoadWorkDays(settings);
  EXPECT_EQ(load.choice.region, "DE-BY");
  ASSERT_EQ(load.choice.files.size(), 1u);
  EXPECT_EQ(load.choice.files[0].entry, settings.files[0]);
  EXPECT_EQ(load.choice.files[0].source.label, "Betrieb.txt") << "named without its folder";
  ASSERT_EQ(load.choice.files[0].source.dates.size(), 2u);
  EXPECT_EQ(load.choice.files[0].source.dates[0].day_number, Jdn(2026, 12, 24));
  ASSERT_EQ(load.failures.size(), 2u);
  EXPECT_EQ(load.failures[0].file, folder.File("gone.ics"));
  EXPECT_EQ(load.failures[0].problem, holidays::FileProblem::CannotRead);
  EXPECT_EQ(load.failures[1].file, broken);
  EXPECT_EQ(load.failures[1].line, 2);
  // What is kept is what was read: the failed files are no longer part of the choice.
  EXPECT_EQ(load.choice.Settings().files, std::vector<HolidayFileEntry>{settings.files[0]});
}

// A file written before rule files and worked days were read keeps reading as it did; a rule file
// stored as a holiday file comes back with its regions' rules, a list with its worked days.
TEST(WorkDaysLoad, RuleFilesAndWorkedDaysInTheSameRecords) {
  TempFolder folder;
  const std::string rules = folder.Write("acme.rules", "region ACME 2024\nen Acme\nde Acme\nwith DE-BY\n"
                                                       "easter+40 | Bridge day | Brückentag\n");
  const std::string bad_rules = folder.Write("bad.rules", "region ACME 2024\nen Acme\nde Acme\nevery friday | a | b\n");
  const std::string list = folder.Write("swaps.txt", "2026-05-15\tBridge day\n2026-05-16\tSaturday for Friday\tworkday\n");
  const std::string written_before =
      "# Quorvan: working days\n[WorkDays]\nWorkWeek=1111100\nRegion=\nHolidayFile=2,45,44," + rules +
      "\nHolidayFile=2,45,44," + bad_rules + "\nHolidayFile=2,45,44," + list + "\n";
  const WorkDaysReadResult read = ParseWorkDaysText(written_before);
  ASSERT_EQ(read.status, WorkDaysReadStatus::Complete);
  const WorkDaysLoad load = LoadWorkDays(read.settings);
  ASSERT_EQ(load.choice.files.size(), 2u);
  EXPECT_EQ(load.choice.files[0].source.label, "acme.rules");
  const std::vector<holidays::HolidayRule>& rules_read = load.choice.files[0].source.rules;
  EXPECT_GT(rules_read.size(), 10u);  // Bavaria's, from 2024 on
  EXPECT_EQ(rules_read.back().name.de, "Brückentag");
  ASSERT_EQ(load.failures.size(), 1u);
  EXPECT_EQ(load.failures[0].line, 4);
  EXPECT_EQ(holidays::HolidayFileErrorText(load.failures[0], Language::English),
            bad_rules + ", line 4: not a rule: every friday | a | b");
  ASSERT_EQ(load.choice.files[1].source.workdays.size(), 1u);
  const auto calendar = BuildWorkCalendar(load.choice);
  ASSERT_NE(calendar, nullptr);
  EXPECT_FALSE(calendar->IsWorkingDay(Jdn(2026, 5, 15)));
  EXPECT_TRUE(calendar->IsWorkingDay(Jdn(2026, 5, 16)));  // a Saturday worked
  // Written again, the records are those it was read from, less the file that failed.
  EXPECT_EQ(FormatWorkDaysFile(load.choice.Settings()).find(bad_rules), std::string::npos);
  EXPECT_NE(FormatWorkDaysFile(load.choice.Settings()).find("HolidayFile=2,45,44," + rules + "\n"), std::string::npos);
}

TEST(WorkDaysLoad, TheCalendarIsInForceOnlyBeyondTheDefaults) {
  EXPECT_EQ(BuildWorkCalendar(WorkDaysChoice{}), nullptr);
  WorkDaysChoice sunday_to_thursday;
  sunday_to_thursday.week = *WorkWeek::Parse("Sun-Thu");
  const auto week_only = BuildWorkCalendar(sunday_to_thursday);
  ASSERT_NE(week_only, nullptr);
  EXPECT_TRUE(week_only->InForce());
  EXPECT_TRUE(week_only->IsWorkingDay(Jdn(2026, 12, 6)));    // a Sunday
  EXPECT_FALSE(week_only->IsWorkingDay(Jdn(2026, 12, 11)));  // a Friday

  WorkDaysChoice bavaria;
  bavaria.region = "DE-BY";
  const auto calendar = BuildWorkCalendar(bavaria);
  ASSERT_NE(calendar, nullptr);
  ASSERT_EQ(calendar->Sources().size(), 1u);
  EXPECT_FALSE(calendar->IsWorkingDay(Jdn(2026, 1, 6)));  // Epiphany, a Tuesday
  EXPECT_TRUE(calendar->IsWorkingDay(Jdn(2026, 1, 7)));
}

// The manual's examples of the adding rule and of a Bavarian office's year.
TEST(WorkDaysLoad, TheManualsExamplesHold) {
  WorkDaysChoice bavaria;
  bavaria.region = "DE-BY";
  const auto calendar = BuildWorkCalendar(bavaria);
  ASSERT_NE(calendar, nullptr);
  const DayCountOptions working{.include_weekends = false, .include_first_date = false};
  // Without a calendar the weekend rule adds whole weeks: a weekend day stays one.
  EXPECT_EQ(SecondDateFromFirst(Jdn(2008, 7, 19), 5, working), Jdn(2008, 7, 26));
  EXPECT_EQ(SecondDateFromFirst(Jdn(2032, 11, 7), 5, working), Jdn(2032, 11, 14));
  // With one: the working day whose count from the first date is 5.
  EXPECT_EQ(calendar->SecondDateFromFirst(Jdn(2008, 7, 19), 5, working), Jdn(2008, 7, 25));
  EXPECT_EQ(calendar->SecondDateFromFirst(Jdn(2032, 11, 7), 5, working), Jdn(2032, 11, 12));
  EXPECT_EQ(calendar->FirstDateFromSecond(Jdn(2032, 11, 14), 5, working), Jdn(2032, 11, 5));
  // 2027: 261 days from Monday to Friday, 8 of them Bavarian holidays.
  const DayCountOptions whole_year{.include_weekends = false, .include_first_date = true};
  EXPECT_EQ(calendar->CountDaysBetween(Jdn(2027, 1, 1), Jdn(2027, 12, 31), whole_year), 253);
}

}  // namespace
}  // namespace qv
