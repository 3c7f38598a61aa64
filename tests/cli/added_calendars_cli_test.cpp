// The added calendars as a script drives them: the named form read strictly, the sentence with
// its note, JSON with the calendar's fields, months in the calendar's own months, refusals.
#include <gtest/gtest.h>

#include <string>

#include "support/cli_run.h"

namespace qv {
namespace {

struct CliCase {
  const char* arguments;
  int status;
  const char* out;  // standard output, whole
};

TEST(AddedCalendarsProgram, AnswersAsTheSentencesSay) {
  const CliCase cases[] = {
      {"--first '15 Nisan 5784' --first-cal=HEB", 0, "5784-08-15 HEB = 2024-04-23 CE, Tuesday (15 Nisan 5784 AM)\n"},
      {"--first 2024-10-03 --second-cal=HEB --lang=de", 0, "2024-10-03 CE = 5785-01-01 HEB, Donnerstag (1 Tischri 5785 AM)\n"},
      {"--first 5784-06-30 --first-cal=HEB --second-cal=HEB --diff 1 --months --no-verbose", 0,
       "5784-06-30 HEB plus 1 month = 5784-07-29 HEB, Monday\n"},
      {"--first 2012-12-21 --second-cal=MAY --output=json", 0,
       "{\"request\":{\"first\":\"2012-12-21\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\","
       "\"date\":\"13.0.0.0.0\",\"calendar\":\"MAY\",\"day_number\":2456283,\"weekday\":\"Friday\",\"iso_weekday\":5,"
       "\"long_count\":[13,0,0,0,0]}\n"},
      {"--first 1446-01-01 --first-cal=ISL --output=json", 0,
       "{\"request\":{\"first\":\"1446-01-01\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\","
       "\"date\":\"2024-07-08\",\"calendar\":\"CE\",\"day_number\":2460500,\"weekday\":\"Monday\",\"iso_weekday\":1}\n"},
      {"--first 2024-07-08 --second-cal=ISL --output=json", 0,
       "{\"request\":{\"first\":\"2024-07-08\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\","
       "\"date\":\"1446-01-01\",\"calendar\":\"ISL\",\"day_number\":2460500,\"weekday\":\"Monday\",\"iso_weekday\":1,"
       "\"fields\":{\"year\":1446,\"month\":1,\"day\":1},\"month_name\":\"Muharram\"}\n"},
      {"--first '15 Nosan 5784' --first-cal=HEB", 1, ""},
      {"--first 13.0.0.0.0 --first-cal=MAY --second-cal=MAY --diff 1 --months", 1, ""},
      {"--first-cal=XYZ --first 1", 2, ""},
  };
  for (const CliCase& c : cases) {
    const test::CliRun run = test::RunCli(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.arguments;
  }
}

struct CliErrorCase {
  const char* arguments;
  int status;
  const char* out;
  const char* err;  // standard error, whole
};

// The era calendars as a script sees them: JSON with the era's name and year, the Thai year of a
// January before 1941, months in months mode, and refusals that name the calendar's range.
TEST(AddedCalendarsProgram, EraCalendars) {
  const CliErrorCase cases[] = {
      {"--first 1989-01-07 --second-cal=JPN --output=json", 0,
       "{\"request\":{\"first\":\"1989-01-07\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\","
       "\"date\":\"S64-01-07\",\"calendar\":\"JPN\",\"day_number\":2447534,\"weekday\":\"Saturday\",\"iso_weekday\":6,"
       "\"fields\":{\"year\":64,\"month\":1,\"day\":7,\"era\":\"Shōwa\"},\"month_name\":\"January\"}\n",
       ""},
      {"--first 1940-02-15 --second-cal=THA --output=json", 0,
       "{\"request\":{\"first\":\"1940-02-15\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\","
       "\"date\":\"2482-02-15\",\"calendar\":\"THA\",\"day_number\":2429675,\"weekday\":\"Thursday\",\"iso_weekday\":4,"
       "\"fields\":{\"year\":2482,\"month\":2,\"day\":15},\"month_name\":\"February\"}\n",
       ""},
      // Nine months after April 2483 is January 2484: the short year counts its nine months.
      {"--first 2483-04-30 --first-cal=THA --second-cal=THA --diff 9 --months --no-verbose", 0,
       "2483-04-30 THA plus 9 months = 2484-01-30 THA, Thursday\n", ""},
      {"--first R1-05-01 --first-cal=JPN --second-cal=JPN --diff -1 --months --no-verbose", 0,
       "R1-05-01 JPN minus 1 month = H31-04-01 JPN, Monday\n", ""},
      {"--first 2800-02-29 --second-cal=RJU --no-verbose", 0, "2800-02-29 CE = 2800-03-01 RJU, Tuesday\n", ""},
      {"--first 1872-12-31 --second-cal=JPN --no-verbose", 1, "1872-12-31 CE = Out of Range\n",
       "quorvan-cli: JPN (Japanese): this calendar converts dates from 1 January 1873 on.\n"},
      {"--first M6-01-01 --first-cal=JPN --second-cal=JPN --diff -1 --months --no-verbose", 1,
       "Out of Range\n",
       "quorvan-cli: JPN (Japanese): this calendar converts dates from 1 January 1873 on.\n"},
      {"--first 2431-12-31 --first-cal=THA --lang=de", 1, "",
       "quorvan-cli: THA (Thailändischer Sonnenkalender): dieser Kalender rechnet Daten ab dem 1. April 1889 um.\n"},
      {"--first H31-05-01 --first-cal=JPN", 1, "",
       "quorvan-cli: First date is not valid in specified calendar using specified date format.\n"},
      {"--first-cal=UMQ --first 1445-09-01", 2, "",
       "quorvan-cli: --first-cal: UMQ (Umm al-Qura): this calendar is not yet available.\n"
       "quorvan-cli: try 'quorvan-cli --help' for the options\n"},
      {"--month=2024-01 --also=UMQ", 2, "",
       "quorvan-cli: --also: UMQ (Umm al-Qura): this calendar is not yet available.\n"
       "quorvan-cli: try 'quorvan-cli --help' for the options\n"},
  };
  for (const CliErrorCase& c : cases) {
    const test::CliRun run = test::RunCli(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_EQ(run.err, c.err) << c.arguments;
  }
}

// The calendars reckoned from the sky as a script sees them, on days the Hong Kong Observatory's
// conversion tables, the Vietnamese and Korean holidays and the Bahá'í World Centre's table of
// dates give: Chinese New Year 2024 (10 February), the leap second month of 2023 (from 22 March),
// Tết 1985 (21 January) a month before the Chinese New Year (20 February), Naw-Rúz 182 BE
// (20 March 2025), Ayyám-i-Há 181 BE (25–28 February 2025) as month 0; refusals name the range.
TEST(AddedCalendarsProgram, SkyCalendars) {
  const CliErrorCase cases[] = {
      {"--first 2024-02-10 --second-cal=CHN --no-verbose", 0, "2024-02-10 CE = 2024-01-01 CHN, Saturday\n", ""},
      {"--first 2023-L02-15 --first-cal=CHN --no-verbose", 0, "2023-L02-15 CHN = 2023-04-05 CE, Wednesday\n", ""},
      {"--first 2023-02-15 --first-cal=CHN --second-cal=CHN --diff 1 --months --no-verbose", 0,
       "2023-02-15 CHN plus 1 month = 2023-L02-15 CHN, Wednesday\n", ""},
      {"--first 1985-01-21 --second-cal=VNM --no-verbose", 0, "1985-01-21 CE = 1985-01-01 VNM, Monday\n", ""},
      {"--first 1985-01-21 --second-cal=CHN --no-verbose", 0, "1985-01-21 CE = 1984-12-01 CHN, Monday\n", ""},
      {"--first 1985-01-01 --first-cal=CHN --no-verbose", 0, "1985-01-01 CHN = 1985-02-20 CE, Wednesday\n", ""},
      {"--first 2025-03-20 --second-cal=BAH", 0, "2025-03-20 CE = 182-01-01 BAH, Thursday (1 Bahá 182 BE)\n", ""},
      {"--first 2023-04-05 --second-cal=CHN --output=json", 0,
       "{\"request\":{\"first\":\"2023-04-05\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\","
       "\"date\":\"2023-L02-15\",\"calendar\":\"CHN\",\"day_number\":2460040,\"weekday\":\"Wednesday\",\"iso_weekday\":3,"
       "\"fields\":{\"year\":2023,\"month\":2,\"day\":15,\"leap_month\":true},\"month_name\":\"Leap Second Month\"}\n",
       ""},
      {"--first 2025-02-26 --second-cal=BAH --output=json", 0,
       "{\"request\":{\"first\":\"2025-02-26\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\","
       "\"date\":\"181-00-02\",\"calendar\":\"BAH\",\"day_number\":2460733,\"weekday\":\"Wednesday\",\"iso_weekday\":3,"
       "\"fields\":{\"year\":181,\"month\":0,\"day\":2},\"month_name\":\"Ayyám-i-Há\"}\n",
       ""},
      {"--first 1645-01-27 --second-cal=CHN --no-verbose", 1, "1645-01-27 CE = Out of Range\n",
       "quorvan-cli: CHN (Chinese): this calendar converts dates from 28 January 1645 to 3 February 2201.\n"},
      {"--first 2201-01-01 --first-cal=KOR", 1, "",
       "quorvan-cli: KOR (Korean): this calendar converts dates from 28 January 1645 to 3 February 2201.\n"},
      {"--first 1844-03-20 --second-cal=BAH --no-verbose", 1, "1844-03-20 CE = Out of Range\n",
       "quorvan-cli: BAH (Bahá’í): this calendar converts dates from 21 March 1844 to 20 March 2201.\n"},
  };
  for (const CliErrorCase& c : cases) {
    const test::CliRun run = test::RunCli(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_EQ(run.err, c.err) << c.arguments;
  }
}

}  // namespace
}  // namespace qv
