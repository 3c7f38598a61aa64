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

}  // namespace
}  // namespace qv
