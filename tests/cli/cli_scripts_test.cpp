// quorvan-cli as scripts use it: strict reading, arguments, standard input, the output modes
// and failed output.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/cli/batch_io.h"
#include "support/cli_run.h"
#include "text/date_dispatch.h"

namespace {

using Ran = qv::test::CliRun;
using Folder = qv::test::CliFolder;
using qv::test::RunCliScript;
using qv::test::ShellQuoted;
using qv::test::RunCli;
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

bool HasPython() { return std::system("python3 -c 1 >/dev/null 2>&1") == 0; }

// Each misreading of the window's rule for pasted text: refused by default, naming the text;
// answered as the window answers with --lenient.
TEST(StrictReading, RefusesWhatLenientReadingMisreads) {
  const struct {
    const char* arguments;
    const char* text;      // as the message quotes it
    const char* lenient;   // the window's answer
  } cases[] = {
      {"--first '2000-01-01 5'", "\"2000-01-01 5\"", "2000-01-15 CE, Saturday\n"},
      {"--first 2000-01-01,5", "\"2000-01-01,5\"", "2000-01-15 CE, Saturday\n"},
      {"--first 2000-01-01x", "\"2000-01-01x\"", "2000-01-01 CE, Saturday\n"},
      {"--first 2000-01-015", "\"2000-01-015\"", "2000-01-15 CE, Saturday\n"},
      {"--first 2000-01-01 --diff 10d --no-verbose", "\"10d\"", "2000-01-01 CE plus 10 days = 2000-01-11 CE, Tuesday\n"},
      {"--first 2000-01-01 --diff '1 0' --no-verbose", "\"1 0\"", "2000-01-01 CE plus 10 days = 2000-01-11 CE, Tuesday\n"},
      {"--first 2000-01-01 --diff 1.5 --no-verbose", "\"1.5\"", "2000-01-01 CE plus 15 days = 2000-01-16 CE, Sunday\n"},
      {"--first 2008-01-31 --diff 1m --months", "\"1m\"", "2008-01-31 CE plus 1 month = 2008-02-29 CE, Friday\n"},
      {"--first 2000-01-01 --second '2000-01-31 days' --no-verbose", "\"2000-01-31 days\"",
       "2000-01-01 CE to 2000-01-31 CE = 30 days\n"},
      {"--first 2000-01-01 --second-cal=JC --second 1999-12-19CE", "\"1999-12-19CE\"",
       "2000-01-01 CE to 1999-12-19 JC = 0 days, excluding 1st date\n"},
      {"--first-cal=JDN --first 2,4,5,1545", "\"2,4,5,1545\"", "2,451,545 JDN = 2000-01-01 CE, Saturday\n"},
      {"--first-cal=JDN --thousands=. --first 2,451,545", "\"2,451,545\"", "2.451.545 JDN = 2000-01-01 CE, Saturday\n"},
      {"--first-cal=ISO --first '2012 W01 1'", "\"2012 W01 1\"", "2012-W01-1 ISO = 2012-01-02 CE, Monday\n"},
      {"--first-cal=ORD --no-hyphen --first '2012 366'", "\"2012 366\"", "2012366 = 2012-12-31 CE, Monday\n"},
      {"--first-cal=LPW --first 2012-01-01", "\"2012-01-01\"", "2012-01-1 LPW = 2011-12-26 CE, Monday\n"},
      {"--first-cal=LPM --first 2009-12-035", "\"2009-12-035\"", "2009-12-35 LPM = 2009-12-27 CE, Sunday\n"},
      {"--first-cal=LPM --first '2009-12-35 JC'", "\"2009-12-35 JC\"", "2009-12-35 LPM = 2009-12-27 CE, Sunday\n"},
      {"--format=dmy --date-sep=/ --first '15/03/44 BC'", "\"15/03/44 BC\"", "15/03/44 CE, Tuesday\n"},
      {"--lang=de --first 2000-01-01x", "\u201e2000-01-01x\u201c", "2000-01-01 CE, Samstag\n"},
  };
  for (const auto& c : cases) {
    const Ran strict = RunCli(c.arguments);
    EXPECT_EQ(strict.status, 1) << c.arguments;
    EXPECT_EQ(strict.out, "") << c.arguments;
    EXPECT_EQ(strict.err.rfind("quorvan-cli: ", 0), 0u) << c.arguments << ": " << strict.err;
    EXPECT_NE(strict.err.find(c.text), std::string::npos) << c.arguments << ": " << strict.err;
    EXPECT_NE(strict.err.find("--lenient"), std::string::npos) << strict.err;
    const Ran lenient = RunCli(std::string(c.arguments) + " --lenient");
    EXPECT_EQ(lenient.out, c.lenient) << c.arguments;
    EXPECT_EQ(lenient.status, 0) << c.arguments << ": " << lenient.err;
  }
  // A batch line that misreads gives an error line in its place.
  const Ran batch = RunCli("--batch --no-verbose", "2000-01-01,5\n2000-01-01\t10d\n2000-01-01\t10\n");
  EXPECT_EQ(batch.status, 1);
  const std::vector<std::string> lines = Lines(batch.out);
  ASSERT_EQ(lines.size(), 3u) << batch.out;
  EXPECT_EQ(lines[0].rfind("error: First date \"2000-01-01,5\" ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("error: Date difference \"10d\" ", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "2000-01-01 CE plus 10 days = 2000-01-11 CE, Tuesday");
  EXPECT_EQ(RunCli("--batch --no-verbose --lenient", "2000-01-01,5\n2000-01-01\t10d\n").out,
            "2000-01-15 CE, Saturday\n2000-01-01 CE plus 10 days = 2000-01-11 CE, Tuesday\n");
}

// Strict reading takes the forms a user means: what the program writes (its result dates with
// their calendar's code too), fields without leading zeros, both ISO forms, digit groups, signs.
TEST(StrictReading, TakesTheFormsAUserMeans) {
  const struct {
    const char* arguments;
    const char* out;
  } cases[] = {
      {"--first '2000-01-01 CE' --second-cal=JDN", "2000-01-01 CE = 2,451,545 JDN, Saturday\n"},
      {"--first 2000-1-5", "2000-01-05 CE, Wednesday\n"},
      {"--first +2000-01-01", "2000-01-01 CE, Saturday\n"},
      {"--first -44-03-15 --second-cal=JC", "-44-03-15 CE = -44-03-17 JC, Thursday\n"},
      {"--format=dmy --date-sep=. --first '15.03.(-44) ce' --second-cal=JC", "15.03.(-44) CE = 17.03.(-44) JC, Thursday\n"},
      {"--format=mdy --first '01-01-(-12,345)'", "01-01-(-12,345) CE, Friday\n"},
      {"--first 12.345-01-01 --thousands=. --second-cal=JC", "12.345-01-01 CE = 12.344-10-02 JC, Monday\n"},
      {"--first-cal=JDN --first '2,451,545 JDN'", "2,451,545 JDN = 2000-01-01 CE, Saturday\n"},
      {"--first-cal=JDN --thousands=. --first -2.451.545", "-2.451.545 JDN = -11.425-10-18 CE, Wednesday\n"},
      {"--first-cal=JDN --thousands=none --first 2,451,545", "2451545 JDN = 2000-01-01 CE, Saturday\n"},
      {"--first-cal=ISO --first 2012W011", "2012-W01-1 ISO = 2012-01-02 CE, Monday\n"},
      {"--first-cal=ISO --first '2012-W01-1 ISO' --no-hyphen", "2012W011 ISO = 2012-01-02 CE, Monday\n"},
      {"--first-cal=LPW --first '2012-01-1 LPW'", "2012-01-1 LPW = 2011-12-26 CE, Monday\n"},
      {"--first-cal=LPM --first '-5,754,317-03-09 LPM' --second-cal=JDN", "-5,754,317-03-09 LPM = -2,099,999,999 JDN, Tuesday\n"},
      {"--first 2000-01-01 --diff +1,000 --no-verbose", "2000-01-01 CE plus 1,000 days = 2002-09-27 CE, Friday\n"},
      {"--first 2000-01-01 --diff -1.000 --thousands=. --no-verbose", "2000-01-01 CE minus 1.000 days = 1997-04-06 CE, Sunday\n"},
  };
  for (const auto& c : cases) {
    const Ran run = RunCli(c.arguments);
    EXPECT_EQ(run.out, c.out) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.status, 0) << c.arguments;
  }
}

// What the program writes for random day numbers in every calendar, with and without the
// calendar's code, reads back (strictly) to the same day number.
TEST(StrictReading, EveryResultDateReadsBack) {
  std::mt19937 random(20151);
  std::uniform_int_distribution<int32_t> any_day(-2'099'999'999, 2'099'999'999), ordinal_day(1721426, 5373484);
  const char* const option_sets[] = {"", "--format=dmy --date-sep=/ --thousands=.", "--format=mdy --date-sep=. --no-hyphen",
                                     "--thousands=none --no-hyphen"};
  for (const char* options : option_sets) {
    for (const char* calendar : {"CE", "JC", "ORD", "ISO", "LPW", "LPM"}) {
      std::string numbers;
      std::vector<int32_t> days;
      for (int i = 0; i < 60; ++i) {
        days.push_back(std::string(calendar) == "ORD" ? ordinal_day(random) : any_day(random));
        numbers += std::to_string(days.back()) + "\n";
      }
      const std::string to = std::string(options) + " --second-cal=" + calendar + " --first-cal=JDN --thousands=none";
      // The value (the box text) and the sentence's result with its code after it.
      const Ran values = RunCli("--batch --output=value " + to, numbers);
      ASSERT_EQ(values.status, 0) << to << ": " << values.out;
      std::string with_code;
      for (const std::string& line : Lines(RunCli("--batch --no-verbose " + to, numbers).out)) {
        with_code += line.substr(line.find(" = ") + 3, line.rfind(", ") - line.find(" = ") - 3) + "\n";
      }
      const std::string back = std::string(options) + " --first-cal=" + calendar + " --second-cal=JDN --output=value";
      for (const std::string& texts : {values.out, with_code}) {
        const Ran read = RunCli("--batch " + back, texts);
        EXPECT_EQ(read.status, 0) << back << ": " << read.out.substr(0, 300);
        const std::vector<std::string> read_days = Lines(read.out);
        ASSERT_EQ(read_days.size(), days.size()) << back;
        for (std::size_t i = 0; i < days.size(); ++i) {
          std::string digits = read_days[i];
          std::erase_if(digits, [](char c) { return c == ',' || c == '.'; });
          EXPECT_EQ(digits, std::to_string(days[i])) << back << ": " << Lines(texts)[i];
        }
      }
    }
  }
}

TEST(Arguments, FillTheBoxes) {
  const struct {
    const char* arguments;
    const char* out;
    int status;
  } cases[] = {
      {"2000-01-01 --second-cal=JDN", "2000-01-01 CE = 2,451,545 JDN, Saturday\n", 0},
      {"2000-01-01 +30 --no-verbose", "2000-01-01 CE plus 30 days = 2000-01-31 CE, Monday\n", 0},
      {"2000-01-01 -7 --no-verbose", "2000-01-01 CE minus 7 days = 1999-12-25 CE, Saturday\n", 0},
      {"+30 2000-01-01 --no-verbose", "2000-01-01 CE plus 30 days = 2000-01-31 CE, Monday\n", 0},
      {"2000-01-01 2000-12-31 --no-verbose", "2000-01-01 CE to 2000-12-31 CE = 365 days (11 months, 30 days)\n", 0},
      {"--second-cal=JDN -- -44-03-15", "-44-03-15 CE = 1,705,063 JDN, Thursday\n", 0},
      {"--second 2000-12-31 2000-01-01 --no-verbose", "2000-01-01 CE to 2000-12-31 CE = 365 days (11 months, 30 days)\n", 0},
      {"2000-01-01 +1 2000-01-03", "", 1},  // all three boxes: refused as in the window
      {"--diff 10", "", 2},
      {"+30", "", 2},
      {"2000-01-01 2000-01-02 2000-01-03", "", 2},
      {"--batch 2000-01-01", "", 2},
  };
  for (const auto& c : cases) {
    const Ran run = RunCli(c.arguments);
    EXPECT_EQ(run.out, c.out) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.status, c.status) << c.arguments << ": " << run.err;
  }
  EXPECT_EQ(RunCli("--diff 10").err,
            "quorvan-cli: a date is missing: a date difference alone asks nothing; give a first or a second date\n"
            "quorvan-cli: try 'quorvan-cli --help' for the options\n");
  for (const char* option : {"-h", "-V"}) {
    const Ran run = RunCli(option);
    EXPECT_EQ(run.status, 0) << option;
    EXPECT_EQ(run.out, RunCli(std::string(option) == "-h" ? "--help" : "--version").out) << option;
  }
}

// Without a box, lines come from standard input when it is not a terminal; a blank line gives an
// empty line, a difference alone an error line.
TEST(StandardInput, IsReadAsABatchWhenNoDateIsGiven) {
  const Ran run = RunCli("--second-cal=ISO --no-verbose", "2000-01-01\n\n\t10\n \t \n2008-07-12\t-10\r\n\t\t\t\t\n");
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 6u) << run.out;
  EXPECT_EQ(lines[0], "2000-01-01 CE = 1999-W52-6 ISO, Saturday");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "error: A date is missing: a date difference alone asks nothing; give a first or a second date.");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "2008-07-12 CE minus 10 days = 2008-W27-3 ISO, Wednesday");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(RunCli("", "\n\n").out, "\n\n");  // blank lines never ask for today
  EXPECT_EQ(RunCli("", "\n\n").status, 0);
  // A date given: one request; standard input is not read.
  EXPECT_EQ(RunCli("2000-01-01", "1999-01-01\n").out, "2000-01-01 CE, Saturday\n");
  // A closed standard input is no batch: today's date.
  const Ran today = RunCliScript("\"$CLI\" --second-cal=JDN <&-");
  EXPECT_EQ(today.status, 0);
  EXPECT_NE(today.out.find(" JDN, "), std::string::npos) << today.out;
}

// Value and JSON output, single and in a batch.
TEST(Output, ValueAndJson) {
  const struct {
    const char* arguments;
    const char* out;
    int status;
  } cases[] = {
      {"2000-01-01 --second-cal=JDN --output=value", "2,451,545\n", 0},
      {"2008-01-01 2008-03-15 --output=value --thousands=.", "74\n", 0},
      {"2008-07-12 -10 --second-cal=ISO --no-hyphen --output=value", "2008W273\n", 0},
      {"2008-01-31 +1 --months --output=value", "2008-02-29\n", 0},
      {"--second-cal=ORD 2000-01-01 --output=value", "2000-001\n", 0},
      {"2000-01-01 --output=value", "2000-01-01\n", 0},  // into its own calendar
      {"2012-02-30 --output=value", "", 1},
      {"2008-01-01 2008-03-15 --output=json",
       "{\"request\":{\"first\":\"2008-01-01\",\"difference\":\"\",\"second\":\"2008-03-15\"},\"kind\":\"difference\","
       "\"days\":74,\"breakdown\":{\"years\":0,\"months\":2,\"weeks\":0,\"days\":14}}\n", 0},
      {"--lang=de 2000-01-01 -2 --months --output=json",
       "{\"request\":{\"first\":\"2000-01-01\",\"difference\":\"-2\",\"second\":\"\"},\"kind\":\"date\",\"date\":\"1999-11-01\","
       "\"calendar\":\"CE\",\"day_number\":2451484,\"weekday\":\"Montag\",\"iso_weekday\":1,\"months\":-2}\n", 0},
      {"--first 'a\"b' --output=json",
       "{\"request\":{\"first\":\"a\\\"b\",\"difference\":\"\",\"second\":\"\"},\"kind\":\"conversion\",\"error\":"
       "\"First date is not valid in specified calendar using specified date format.\"}\n", 1},
  };
  for (const auto& c : cases) {
    const Ran run = RunCli(c.arguments);
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_EQ(run.status, c.status) << c.arguments;
  }
  // The value of an overflow is a refusal, in its line's place in a batch.
  const Ran batch = RunCli("--first-cal=JDN --second-cal=JDN --output=value", "2099999999\t2\n5\t-5\n");
  EXPECT_EQ(batch.out, "error: Result is out of range.\n0\n");
  EXPECT_EQ(batch.status, 1);
}

// JSON Lines for random requests of every kind and every refusal: a JSON reader takes each line,
// finds the kind and the result or the error, and the values agree with --output=value.
TEST(Output, JsonLinesParseBack) {
  if (!HasPython()) GTEST_SKIP() << "python3 is needed to read the JSON back";
  std::mt19937 random(7);
  std::uniform_int_distribution<int> year(-3000, 9000), month(1, 12), day(1, 28), shift(-5000, 5000);
  const auto date = [&] {
    return std::to_string(year(random)) + "-" + std::to_string(month(random)) + "-" + std::to_string(day(random));
  };
  struct Request {
    std::string line;
    std::string kind;  // "conversion", "difference", "date", "null"
    bool error;
  };
  std::vector<Request> requests;
  for (int i = 0; i < 150; ++i) {
    switch (i % 15) {
      case 0: requests.push_back({date(), "conversion", false}); break;
      case 1: requests.push_back({date() + "\t\t" + date(), "difference", false}); break;
      case 2: requests.push_back({date() + "\t" + std::to_string(shift(random)), "date", false}); break;
      case 3: requests.push_back({"\t" + std::to_string(shift(random)) + "\t" + date(), "date", false}); break;
      case 4: requests.push_back({"\t\t" + date(), "conversion", false}); break;
      case 5: requests.push_back({date() + ",5", "conversion", true}); break;                   // misread
      case 6: requests.push_back({date() + "\t10d", "date", true}); break;                      // misread
      case 7: requests.push_back({"2012-02-30", "conversion", true}); break;                    // not valid
      case 8: requests.push_back({"5800001-01-01\t\t2000-01-01", "difference", true}); break;   // out of range
      case 9: requests.push_back({date() + "\t1\t" + date(), "null", true}); break;             // all three boxes
      case 10: requests.push_back({"\t7", "null", true}); break;                                // no date
      case 11: requests.push_back({"a\tb\tc\td", "null", true}); break;                         // too many fields
      case 12: requests.push_back({"\"\\\x01\xff\t\t", "null", true}); break;                   // not text
      case 13: requests.push_back({"", "null", false}); break;                                  // blank
      case 14: requests.push_back({"5799999-12-31\t" + std::to_string(1000 + i), "date", true}); break;  // overflow
    }
  }
  std::string input;
  for (const Request& request : requests) input += request.line + "\n";
  const Ran json = RunCli("--output=json", input);
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.err, "");
  const Folder folder;
  std::ofstream(folder / "json", std::ios::binary) << json.out;
  // One line per object: its kind, whether it holds an error, and its value.
  const std::string reader =
      "import json, sys\n"
      "for line in open(sys.argv[1], encoding='utf-8'):\n"
      "    o = json.loads(line)\n"
      "    assert set(o['request']) == {'first', 'difference', 'second'}\n"
      "    value = o.get('date', o.get('days', ''))\n"
      "    if o['kind'] == 'difference' and 'days' in o: value = '{:,}'.format(o['days'])\n"
      "    print(o['kind'] or 'null', 'error' in o, value, sep='|')\n";
  std::ofstream(folder / "read.py") << reader;
  const Ran read = RunCliScript("python3 " + ShellQuoted(folder / "read.py") + " " + ShellQuoted(folder / "json"));
  ASSERT_EQ(read.status, 0) << read.err;
  const std::vector<std::string> parsed = Lines(read.out);
  const std::vector<std::string> values = Lines(RunCli("--output=value", input).out);
  ASSERT_EQ(parsed.size(), requests.size());
  ASSERT_EQ(values.size(), requests.size());
  for (std::size_t i = 0; i < requests.size(); ++i) {
    const std::string expected = requests[i].kind + "|" + (requests[i].error ? "True" : "False") + "|";
    EXPECT_EQ(parsed[i].substr(0, expected.size()), expected) << requests[i].line << " -> " << parsed[i];
    if (!requests[i].error && requests[i].kind != "null") {
      EXPECT_EQ(parsed[i].substr(expected.size()), values[i]) << requests[i].line;
    }
  }
}

// Output that cannot be written is said, with a failure status; a closed pipe ends quietly;
// batch mode stops reading once its output failed.
TEST(FailedOutput, IsReportedAndEndsTheProgram) {
  for (const char* arguments : {"--first 2024-01-01", "--help", "--month=2024-01", "--batch --output=json"}) {
    for (const char* target : {"> /dev/full", ">&-"}) {
      const Ran run = RunCliScript("\"$CLI\" " + std::string(arguments) + " " + target + " < <(echo 2000-01-01)");
      EXPECT_EQ(run.status, 2) << arguments << " " << target;
      EXPECT_EQ(run.err.rfind("quorvan-cli: write error: ", 0), 0u) << arguments << " " << target << ": " << run.err;
    }
  }
  // An endless input: the batch ends because it stops reading after the failed write.
  const Ran endless = RunCliScript("yes 2000-01-01 | timeout 60 \"$CLI\" --batch > /dev/full; echo \"${PIPESTATUS[1]}\"");
  EXPECT_EQ(endless.out, "2\n") << endless.err;
  // A closed pipe: whether SIGPIPE ends the program (141) or it sees EPIPE (2), not a word.
  std::string many;
  for (int i = 0; i < 300'000; ++i) many += "2000-01-01\n";
  for (const char* pipe_signal : {"", "trap '' PIPE; "}) {
    const Ran closed =
        RunCliScript(std::string(pipe_signal) + "\"$CLI\" < \"$IN\" | head -n 1; echo \"${PIPESTATUS[0]}\"", many);
    const std::vector<std::string> lines = Lines(closed.out);
    ASSERT_EQ(lines.size(), 2u) << closed.out;
    EXPECT_EQ(lines[0], "2000-01-01 CE, Saturday");
    EXPECT_TRUE(lines[1] == "141" || lines[1] == "2") << pipe_signal << lines[1];
    EXPECT_EQ(closed.err, "") << pipe_signal;
  }
}

// The batch reader over a pipe that hands over its bytes in pieces of any size: it gives back
// whole lines, in order, each once, whatever the line lengths (up to several reads long).
TEST(BlockReader, GivesWholeLinesFromAPipe) {
  std::mt19937 random(64);
  std::uniform_int_distribution<std::size_t> length(0, 200'000), piece(1, 100'000);
  std::string input;
  for (int i = 0; i < 40; ++i) input += std::string(length(random), static_cast<char>('a' + i % 26)) + "\n";
  input += "last line without a feed";
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  std::thread writer([&] {
    std::mt19937 sizes(9);
    for (std::size_t done = 0; done < input.size();) {
      const std::size_t size = std::min(piece(sizes), input.size() - done);
      const ssize_t wrote = ::write(fds[1], input.data() + done, size);
      if (wrote <= 0) break;
      done += static_cast<std::size_t>(wrote);
    }
    ::close(fds[1]);
  });
  qv::cli::BlockReader reader(fds[0]);
  std::string read;
  std::string_view block;
  while (reader.Next(block)) {
    EXPECT_TRUE(block.back() == '\n' || read.size() + block.size() == input.size());
    read.append(block);
  }
  writer.join();
  ::close(fds[0]);
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(read, input);
}

}  // namespace
