// The built quorvan-cli, run as a user or a script runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/cli_run.h"

namespace {

using RunResult = qv::test::CliRun;
using qv::test::RunCli;

int CountLines(const std::string& text) {
  int lines = 0;
  for (const char c : text) lines += c == '\n' ? 1 : 0;
  return lines;
}

TEST(CliProgram, SingleRequests) {
  struct Case {
    const char* arguments;
    const char* out;
    int status;
  } cases[] = {
      {"--first 2000-01-01 --second-cal=JDN", "2000-01-01 CE = 2,451,545 JDN, Saturday\n", 0},
      {"--first 2008-01-01 --second 2008-03-15 --no-verbose", "2008-01-01 CE to 2008-03-15 CE = 74 days (2 months, 14 days)\n", 0},
      {"--first 2008-07-18 --diff 1 --exclude-weekends --no-verbose", "2008-07-18 CE plus 1 day = 2008-07-21 CE, Monday\n", 0},
      {"--first 2008-01-31 --diff 1 --months", "2008-01-31 CE plus 1 month = 2008-02-29 CE, Friday\n", 0},
      {"--lang=de --first 2008-01-01 --second 2008-03-15 --no-verbose",
       "2008-01-01 CE bis 2008-03-15 CE = 74 Tage (2 Monate, 14 Tage)\n", 0},
      {"--first 2012-02-30", "", 1},
      {"--first x --diff 1 --second y", "", 1},
      {"--first-cal=JDN --second-cal=JDN --first 2099999999 --diff 2", "Out of Range\n", 1},
  };
  for (const auto& c : cases) {
    const RunResult result = RunCli(c.arguments);
    EXPECT_EQ(result.out, c.out) << c.arguments;
    EXPECT_EQ(result.status, c.status) << c.arguments;
    EXPECT_EQ(result.err.empty(), c.status == 0) << c.arguments << ": " << result.err;
    std::istringstream diagnostics(result.err);
    for (std::string line; std::getline(diagnostics, line);) {
      EXPECT_EQ(line.rfind("quorvan-cli: ", 0), 0u) << c.arguments << ": " << line;
    }
  }
  EXPECT_EQ(RunCli("--first x --diff 1 --second y").err,
            "quorvan-cli: If both the first date and the second date are specified then the date difference window must be "
            "empty.\n");
}

TEST(CliProgram, UsageHelpAndVersion) {
  RunResult result = RunCli("--nonsense");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "quorvan-cli: unknown argument: --nonsense\nquorvan-cli: try 'quorvan-cli --help' for the options\n");
  EXPECT_EQ(result.out, "");
  result = RunCli("--help");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("--batch"), std::string::npos);
  result = RunCli("--version");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("quorvan-cli ", 0), 0u);
}

TEST(CliProgram, BatchAnswersEveryLine) {
  using namespace std::string_literals;
  const std::string input =
      "2000-01-01\r\n"
      "2008-01-01\t\t2008-03-15\n"
      "\n"
      "\t\t\t\t\n"
      "a\tb\tc\n"
      "2000-01-01\xff\n"
      "\x01\x02\x03\x00\x04\n"s +
      std::string(1 << 20, '7') + "\n" +
      std::string(70000, '\t') + "x\n"
      "2008-07-12\t-10";  // no line feed at the end
  const RunResult result = RunCli("--batch --second-cal=ISO --no-verbose", input);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(CountLines(result.out), 10) << result.out.substr(0, 2000);
  std::istringstream lines(result.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "2000-01-01 CE = 1999-W52-6 ISO, Saturday");
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("error: Second date is not valid", 0), 0u);  // an ISO box holding a CE date
  for (int i = 2; i < 9; ++i) {
    std::getline(lines, line);
    if (i == 2 || i == 3) {
      EXPECT_EQ(line, "") << i;  // empty or only tabs: no box filled, an empty answer
      continue;
    }
    EXPECT_EQ(line.rfind("error: ", 0), 0u) << i << ": " << line.substr(0, 80);
  }
  std::getline(lines, line);
  EXPECT_EQ(line, "2008-07-12 CE minus 10 days = 2008-W27-3 ISO, Wednesday");
}

TEST(CliProgram, BatchOverflowIsAnAnswerLineAndADiagnostic) {
  const RunResult result = RunCli("--batch --first-cal=JDN --second-cal=JDN", "2099999999\t2\n0\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "Out of Range\n0 JDN, Monday\n");
  EXPECT_EQ(result.err, "quorvan-cli: Result is out of range.\n");
}

TEST(CliProgram, BatchOfValidLinesExitsZero) {
  const RunResult result = RunCli("--batch --first-cal=JDN --second-cal=LPM", "0\n2451545\n-2099999999\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "0 JDN = -4713-12-01 LPM, Monday\n"
            "2,451,545 JDN = 2000-01-06 LPM, Saturday\n"
            "-2,099,999,999 JDN = -5,754,317-03-09 LPM, Tuesday\n");
}

TEST(CliProgram, MonthAsTheWindowCopiesIt) {
  RunResult result = RunCli("--month=2024-06 --monday");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "June 2024 (Common Era Calendar)\n"
            "\n"
            " Mon  Tue  Wed  Thu  Fri  Sat  Sun \n"
            "  27   28   29   30   31    1    2  \n"
            "   3    4    5    6    7    8    9  \n"
            "  10   11   12   13   14   15   16  \n"
            "  17   18   19   20   21   22   23  \n"
            "  24   25   26   27   28   29   30  \n");

  // December 2020 ends in week 53 of ISO year 2020.
  result = RunCli("--month 2020-12 --monday --iso-weeks");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("\n\nISO 8601 week dates\n\nMonday   Tuesday  Wednesda Thursday Friday   Saturday Sunday\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("\n0-W53-1  0-W53-2  0-W53-3  0-W53-4  0-W53-5  0-W53-6  0-W53-7\n"), std::string::npos);
  EXPECT_EQ(result.out.find('\r'), std::string::npos);
  result = RunCli("--month=2020-12 --monday --iso-weeks --no-year-digit --lang=de");
  EXPECT_EQ(result.out.rfind("Dezember 2020 (Common Era Kalender)\n\n Mon  Die  Mit  Don  Fre  Sam  Son \n", 0), 0u);
  EXPECT_NE(result.out.find("ISO-8601-Wochendaten\n\n Mon    Die    Mit    Don    Fre    Sam    Son   \n"),
            std::string::npos);
  EXPECT_NE(result.out.find("\nW53-1  W53-2  W53-3  W53-4  W53-5  W53-6  W53-7\n"), std::string::npos);

  // The ends of the year range.
  result = RunCli("--month=-5800000-01 --julian");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("January -5800000 (Julian Calendar)\n", 0), 0u);
  EXPECT_EQ(RunCli("--month=5800000-12").status, 0);
}

TEST(CliProgram, MonthUsageErrors) {
  for (const char* arguments :
       {"--month=2024-13", "--month=5800001-01", "--month=x", "--month", "--month=2024-06 --iso-weeks",
        "--month=2024-06 --julian --monday --iso-weeks", "--month=2024-06 --first 2000-01-01",
        "--month=2024-06 --batch", "--julian", "--month=2024-06 --monday --no-year-digit", "--month=2024-06 2000-01-01",
        "--month=2024-06 --output=json"}) {
    const RunResult result = RunCli(arguments);
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_EQ(result.out, "") << arguments;
    EXPECT_EQ(result.err.rfind("quorvan-cli: ", 0), 0u) << arguments << ": " << result.err;
  }
  EXPECT_EQ(RunCli("--month=2024-13").err,
            "quorvan-cli: --month takes YEAR-MONTH: a year from -5800000 to 5800000, a hyphen and a month from 1 to 12 (given: \"2024-13\")\n"
            "quorvan-cli: try 'quorvan-cli --help' for the options\n");
}

}  // namespace
