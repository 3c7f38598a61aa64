#include "settings/settings_file.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::Spit;
using test::TempFolder;

constexpr const char* kDefaultFile =
    "0\r\n2,45,44\r\n0,0,0\r\n0\r\n1\r\n1\r\n1\r\n1\r\n\"Sun\"\r\n\"CE\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n0\r\n";

// A file with every record away from its default, in the layout of the format.
StoredSettings Sample() {
  StoredSettings s;
  s.language = 1;
  s.date_format = 1;
  s.date_separator = kSlashCode;
  s.thousands_separator = kNoThousandsCode;
  s.today_calendar = cal::LPW;
  s.first_calendar = cal::JC;
  s.second_calendar = cal::ORD;
  s.include_first_date = 1;
  s.include_weekends = 0;
  s.verbose = 0;
  s.hyphen = 0;
  s.first_day_of_week = "Mon";
  s.month_calendar = "JC";
  s.first_date = "31/12/2012";
  s.date_difference = "-30";
  s.second_date = "2012-W52-1";
  s.output = "31/12/2012 CE = 2456293 JDN\r\nsecond line\r\n";
  s.months = 1;
  return s;
}

TEST(FormatSettingsFile, DefaultsAreTheFirstRunFileByteForByte) {
  EXPECT_EQ(FormatSettingsFile(StoredSettings{}), kDefaultFile);
  const SettingsReadResult read = ParseSettingsText(kDefaultFile);
  EXPECT_EQ(read.status, SettingsReadStatus::Complete);
  EXPECT_EQ(read.settings, StoredSettings{});
}

TEST(FormatSettingsFile, SaveOutputClearWritesFourEmptyTexts) {
  StoredSettings s = Sample();
  s.save_output = 0;
  EXPECT_EQ(FormatSettingsFile(s),
            "1\r\n1,47,0\r\n7,1,4\r\n1\r\n0\r\n0\r\n0\r\n0\r\n\"Mon\"\r\n\"JC\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n1\r\n");
}

TEST(FormatSettingsFile, QuotesAreDoubledAndNumbersPlain) {
  StoredSettings s;
  s.first_date = "a\"b";
  s.output = "\"";
  s.language = -2147483647 - 1;
  const std::string file = FormatSettingsFile(s);
  EXPECT_EQ(file.substr(0, 13), "-2147483648\r\n");
  EXPECT_NE(file.find("\r\n\"a\"\"b\"\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\n\"\"\"\"\r\n0\r\n"), std::string::npos);
}

TEST(SettingsRoundTrip, EveryTextComesBackWhole) {
  const std::string texts[] = {
      "",  "\"",  "\"\"", "say \"hi\"", "\"quoted\"", "a,b", "  padded  ", "one\r\ntwo\r\n", "lf\nonly\rcr",
      std::string("nul\0inside", 10), "\xC3\xA4\xE2\x82\xAC", "\",\r\n\"", "ends with \"\r\n",
  };
  for (const std::string& text : texts) {
    StoredSettings s = Sample();
    s.first_date = text;
    s.date_difference = text + text;
    s.second_date = text;
    s.output = "line\r\n" + text + "\r\n";
    s.first_day_of_week = text;
    s.today_calendar = -2147483647 - 1;
    s.first_calendar = 2147483647;
    const SettingsReadResult read = ParseSettingsText(FormatSettingsFile(s));
    EXPECT_EQ(read.status, SettingsReadStatus::Complete) << text;
    EXPECT_EQ(read.settings, s) << text;
  }
}

TEST(ParseSettingsText, TakesHandWrittenFilesLeniently) {
  // LF endings, blanks around items, unquoted texts, quoted numbers, trailing records.
  const SettingsReadResult read = ParseSettingsText(
      " 1 \n 0 , 46 ,46\n6,8,2\n\"1\"\n0x\n1.9\n-0\n1\nMon\n JC \n\"a\" \nplain text\n\"\"\n\"out\"\n1\nextra,records\n");
  ASSERT_EQ(read.status, SettingsReadStatus::Complete);
  const StoredSettings& s = read.settings;
  EXPECT_EQ((std::vector<int32_t>{s.language, s.date_format, s.date_separator, s.thousands_separator,
                                  s.today_calendar, s.first_calendar, s.second_calendar, s.include_first_date,
                                  s.include_weekends, s.verbose, s.hyphen, s.save_output, s.months}),
            (std::vector<int32_t>{1, 0, 46, 46, 6, 8, 2, 1, 0, 1, 0, 1, 1}));
  EXPECT_EQ(s.first_day_of_week, "Mon");
  EXPECT_EQ(s.month_calendar, "JC");
  EXPECT_EQ(s.first_date, "a");
  EXPECT_EQ(s.date_difference, "plain text");
  EXPECT_EQ(s.output, "out");
}

TEST(LeadingNumber, SignThenDigitsSaturatingAt32Bits) {
  const std::pair<const char*, int32_t> cases[] = {
      {"1abc", 1},          {"abc", 0},  {"", 0},         {" -3x", -3},          {"+7", 7},     {"1.9", 1},
      {"-", 0},             {"--1", 0},  {"2147483647", 2147483647},            {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1}, {"-99999999999999999999", -2147483647 - 1}, {"000000000000000042", 42},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

// Each case replaces one record of the default file and names the choice it must give.
TEST(InterpretSettings, ValuesThatMatchNoChoiceFallBackLineByLine) {
  struct Case {
    int line;  // 1-based record number
    const char* record;
    bool (*holds)(const SettingsChoices&);
  };
  const Case cases[] = {
      {1, "1", [](const SettingsChoices& c) { return c.language == Language::German; }},
      {1, "2", [](const SettingsChoices& c) { return c.language == Language::English; }},
      {1, "-1", [](const SettingsChoices& c) { return c.language == Language::English; }},
      {2, "0,47,46", [](const SettingsChoices& c) { return c.date_format == kFormatMDY && c.date_separator == "/" && c.thousands_separator == "."; }},
      {2, "1,46,0", [](const SettingsChoices& c) { return c.date_format == kFormatDMY && c.date_separator == "." && c.thousands_separator.empty(); }},
      {2, "3,44,47", [](const SettingsChoices& c) { return c.date_format == kFormatYMD && c.date_separator == "-" && c.thousands_separator == ","; }},
      {2, "-9,0,45", [](const SettingsChoices& c) { return c.date_format == kFormatYMD && c.date_separator == "-" && c.thousands_separator == ","; }},
      {3, "8,6,2", [](const SettingsChoices& c) { return c.today_calendar == cal::LPM && c.first_calendar == cal::ISO && c.second_calendar == cal::JDN; }},
      {3, "4,7,1", [](const SettingsChoices& c) { return c.today_calendar == cal::ORD && c.first_calendar == cal::LPW && c.second_calendar == cal::JC; }},
      // AN, TLW and ARC exist in the code table but are no user's choice.
      {3, "3,5,9", [](const SettingsChoices& c) { return c.today_calendar == cal::CE && c.first_calendar == cal::CE && c.second_calendar == cal::CE; }},
      {3, "10,-1,32768", [](const SettingsChoices& c) { return c.today_calendar == cal::CE && c.first_calendar == cal::CE && c.second_calendar == cal::CE; }},
      {4, "1", [](const SettingsChoices& c) { return c.include_first_date; }},
      {4, "2", [](const SettingsChoices& c) { return !c.include_first_date; }},
      {5, "0", [](const SettingsChoices& c) { return !c.include_weekends; }},
      {5, "-1", [](const SettingsChoices& c) { return c.include_weekends; }},
      {6, "0", [](const SettingsChoices& c) { return !c.verbose; }},
      {7, "0", [](const SettingsChoices& c) { return c.hyphen == Hyphen::Without; }},
      {8, "0", [](const SettingsChoices& c) { return !c.save_output; }},
      {8, "7", [](const SettingsChoices& c) { return c.save_output; }},
      {9, "\"Mon\"", [](const SettingsChoices& c) { return c.week_start == WeekStart::Monday; }},
      {9, "\"mon\"", [](const SettingsChoices& c) { return c.week_start == WeekStart::Sunday; }},
      {9, "\"Monday\"", [](const SettingsChoices& c) { return c.week_start == WeekStart::Sunday; }},
      {10, "\"JC\"", [](const SettingsChoices& c) { return c.month_calendar == MonthCalendar::Julian; }},
      {10, "\"jc\"", [](const SettingsChoices& c) { return c.month_calendar == MonthCalendar::CommonEra; }},
      {15, "1", [](const SettingsChoices& c) { return c.unit == DifferenceUnit::Months; }},
      {15, "2", [](const SettingsChoices& c) { return c.unit == DifferenceUnit::Days; }},
  };
  for (const Case& c : cases) {
    std::string file;
    int line = 1;
    for (std::string_view rest = kDefaultFile; !rest.empty(); ++line) {
      const std::size_t end = rest.find("\r\n") + 2;
      file += line == c.line ? std::string(c.record) + "\r\n" : std::string(rest.substr(0, end));
      rest.remove_prefix(end);
    }
    const SettingsReadResult read = ParseSettingsText(file);
    ASSERT_EQ(read.status, SettingsReadStatus::Complete) << c.line << ": " << c.record;
    EXPECT_TRUE(c.holds(InterpretSettings(read.settings))) << c.line << ": " << c.record;
  }
  EXPECT_EQ(InterpretSettings(StoredSettings{}), SettingsChoices{});
}

TEST(InterpretSettings, StoringTheChoicesGivesTheRecordsBack) {
  const StoredSettings s = Sample();
  EXPECT_EQ(StoreSettings(InterpretSettings(s)), s);
  EXPECT_EQ(StoreSettings(SettingsChoices{}), StoredSettings{});
}

// qrv.usr's reader knows the described codes alone: an added calendar goes there as CE.
TEST(StoreSettings, AddedCalendarsAreStoredAsCommonEra) {
  for (const CalendarCode added : kAddedCalendars) {
    SettingsChoices c;
    c.today_calendar = added;
    c.first_calendar = added;
    c.second_calendar = added;
    const StoredSettings s = StoreSettings(c);
    EXPECT_EQ(s.today_calendar, cal::CE) << added;
    EXPECT_EQ(s.first_calendar, cal::CE) << added;
    EXPECT_EQ(s.second_calendar, cal::CE) << added;
  }
}

// Cuts a complete file at every length: inside lines 1 to 14 the defaults apply; once line 14
// is whole only line 15 is missing; its digit makes the file complete.
TEST(ParseSettingsText, EveryTruncationStartsOnDefaultsOrKeepsLinesOneToFourteen) {
  StoredSettings s = Sample();
  s.output = "a\r\nb";
  const std::string file = FormatSettingsFile(s);
  const std::size_t line14_end = file.rfind("\"\r\n") + 1;  // after the closing quote
  const std::size_t line15_digit = file.size() - 3;
  for (std::size_t length = 0; length <= file.size(); ++length) {
    const SettingsReadResult read = ParseSettingsText(std::string_view(file).substr(0, length));
    if (length < line14_end) {
      EXPECT_EQ(read.status, SettingsReadStatus::Incomplete) << length;
      EXPECT_EQ(read.settings, StoredSettings{}) << length;
    } else {
      StoredSettings expected = s;
      if (length <= line15_digit) {
        EXPECT_EQ(read.status, SettingsReadStatus::MonthsLineMissing) << length;
        expected.months = 0;
      } else {
        EXPECT_EQ(read.status, SettingsReadStatus::Complete) << length;
      }
      EXPECT_EQ(read.settings, expected) << length;
    }
  }
}

TEST(ParseSettingsText, RecordsWithoutTheirItemsAreUnreadable) {
  const char* lines_two_and_three[] = {
      "2,45,44,9\r\n0,0,0\r\n", "2,45\r\n0,0,0\r\n", "2,45,44\r\n\"0\"x,0,0\r\n", "2,45,44\r\n0,0\r\n0\r\n",
  };
  for (const char* middle : lines_two_and_three) {
    std::string file = std::string("0\r\n") + middle + std::string(kDefaultFile).substr(19);
    const SettingsReadResult read = ParseSettingsText(file);
    EXPECT_EQ(read.status, SettingsReadStatus::Incomplete) << middle;
    EXPECT_EQ(read.settings, StoredSettings{}) << middle;
  }
  std::string bad_last = std::string(kDefaultFile).substr(0, std::string(kDefaultFile).size() - 3) + "\"1\r\n";
  EXPECT_EQ(ParseSettingsText(bad_last).status, SettingsReadStatus::MonthsLineMissing);
}

TEST(ParseSettingsText, BinaryAndOverlongInputsGiveAConsistentResult) {
  std::mt19937 generator(4242u);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(static_cast<std::size_t>(generator() % 400), '\0');
    // Mostly random bytes, with the format's own characters mixed in so that records form.
    constexpr std::string_view kFormatCharacters = "\r\n,\"  01";
    for (char& b : bytes) {
      const auto r = generator();
      b = r % 8 == 0 ? kFormatCharacters[r / 8 % kFormatCharacters.size()] : static_cast<char>(r);
    }
    const SettingsReadResult read = ParseSettingsText(bytes);
    if (UsesDefaults(read.status)) {
      EXPECT_EQ(read.settings, StoredSettings{});
    }
  }
  // A first line of 20 million digits and an unterminated 20 MB quote.
  const std::string digits(20'000'000, '9');
  const SettingsReadResult long_line = ParseSettingsText(digits + std::string(kDefaultFile).substr(1));
  EXPECT_EQ(long_line.status, SettingsReadStatus::Complete);
  EXPECT_EQ(long_line.settings.language, 2147483647);
  EXPECT_EQ(ParseSettingsText(std::string(kDefaultFile).substr(0, 30) + "\"" + digits).status,
            SettingsReadStatus::Incomplete);
}

TEST(ReadSettingsFile, FilesThatCannotBeUsedStartOnDefaults) {
  TempFolder folder;
  EXPECT_EQ(ReadSettingsFile("").status, SettingsReadStatus::Missing);
  EXPECT_EQ(ReadSettingsFile(folder.File("none")).status, SettingsReadStatus::Missing);
  EXPECT_EQ(ReadSettingsFile(folder.File("none/qrv.usr")).status, SettingsReadStatus::Missing);
  EXPECT_EQ(ReadSettingsFile(folder.Path()).status, SettingsReadStatus::Unreadable);
  // A pipe must neither block the open nor the read.
  ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadSettingsFile(folder.File("pipe")).status, SettingsReadStatus::Unreadable);
  // Hundreds of MB (a sparse file, so the test stays cheap) are refused without being read.
  const std::string huge = folder.File("huge");
  Spit(huge, kDefaultFile);
  fs::resize_file(huge, std::uintmax_t{300} << 20);
  const SettingsReadResult read = ReadSettingsFile(huge);
  EXPECT_EQ(read.status, SettingsReadStatus::TooLarge);
  EXPECT_EQ(read.settings, StoredSettings{});
  fs::resize_file(huge, kMaxSettingsFileBytes);  // at the limit it is read: NUL bytes follow line 15
  EXPECT_EQ(ReadSettingsFile(huge).status, SettingsReadStatus::Complete);
}

// The reader takes the saved output out of the file's own buffer instead of copying it: every
// file must still read exactly as its text parses, quotes in the output, an unquoted output,
// blanks around it and broken files included.
TEST(ReadSettingsFile, ReadsAsTheTextParses) {
  const std::string head = "0\r\n2,45,44\r\n0,0,0\r\n0\r\n1\r\n1\r\n1\r\n1\r\n\"Sun\"\r\n\"CE\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n";
  const std::string outputs[] = {
      "\"\"",                                   // empty
      "\"one\r\ntwo\r\n\"",                       // lines
      "\"say \"\"hi\"\"\r\n\"",                     // doubled quotes inside
      "\"\"\"\"\"\"\"\"",                             // only a doubled quote, twice
      "\"\"\"\"\"\"\"\"\"\"",                         // ... and text ending in one
      "  \"blanks around\"  ",                   // blanks outside the quotes
      "unquoted text",                          // taken as written
      "\"Gr\xC3\xBC\xC3\x9F\xC2\xA0\xE2\x82\xAC\xF0\x9F\x93\x85\"", // UTF-8 of 2, 3 and 4 bytes
      "\"\xE4\xA0\"",                              // Windows-1252 bytes
      "\"no closing quote\r\n0\r\n",              // broken: Incomplete
      "\"text\" trailing",                        // broken: after the closing quote
  };
  TempFolder folder;
  const std::string path = folder.File("qrv.usr");
  for (const std::string& output : outputs) {
    for (const std::string& tail : {std::string("\r\n0\r\n"), std::string("\r\n"), std::string()}) {
      const std::string file = head + output + tail;
      Spit(path, file);
      const SettingsReadResult parsed = ParseSettingsText(file);
      const SettingsReadResult read = ReadSettingsFile(path);
      EXPECT_EQ(read.status, parsed.status) << file;
      EXPECT_EQ(read.settings, parsed.settings) << file;
    }
  }
}

TEST(WriteSettingsFile, ReplacesTheFileAndLeavesNoTemporaryBehind) {
  TempFolder folder;
  const std::string path = folder.File("qrv.usr");
  ASSERT_TRUE(WriteSettingsFile(path, StoredSettings{}));
  EXPECT_EQ(Slurp(path), kDefaultFile);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteSettingsFile(path, Sample()));
  const SettingsReadResult read = ReadSettingsFile(path);
  EXPECT_EQ(read.status, SettingsReadStatus::Complete);
  EXPECT_EQ(read.settings, Sample());
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"qrv.usr"});
}

TEST(WriteSettingsFile, AFailedWriteKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("qrv.usr");
  Spit(path, kDefaultFile);
  StoredSettings big = Sample();
  big.output.assign(100'000, 'x');

  // The file-size limit makes write() fail part way (EFBIG), even for root.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* const old_handler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteSettingsFile(path, big).ok;
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(Slurp(path), kDefaultFile);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"qrv.usr"});

  // A folder in the way of the file: the rename fails, the folder stays, no temporary is left.
  fs::create_directory(folder.File("taken"));
  EXPECT_EQ(WriteSettingsFile(folder.File("taken"), big).error, EISDIR);
  EXPECT_TRUE(fs::is_directory(folder.File("taken")));
  EXPECT_EQ(folder.Entries().size(), 2u);
}

TEST(WriteSettingsFile, NoFolderOrAReadOnlyFolderGivesFalse) {
  TempFolder folder;
  EXPECT_FALSE(WriteSettingsFile("", StoredSettings{}));
  EXPECT_EQ(WriteSettingsFile(folder.File("missing/qrv.usr"), StoredSettings{}).error, ENOENT);
  EXPECT_FALSE(fs::exists(folder.File("missing")));
  EXPECT_FALSE(WriteSettingsFile("/proc/qrv.usr", StoredSettings{}));  // read-only even for root
  if (::geteuid() != 0) {
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteSettingsFile(folder.File("qrv.usr"), StoredSettings{}));
  }
}

}  // namespace
}  // namespace qv
