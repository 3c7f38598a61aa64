// Each built-in region's holidays against the dates worked out from the law or the government's
// own list (tests/holidays/expected/<country>.txt, one region and year a line with its weekday
// days an office closes on, the source named above each region): every weekday day off the law
// gives, and no other, for every year listed. Half days are listed but not counted, so not here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "support/cli_run.h"

namespace qv {
namespace {

using Dates = std::set<std::string>;
using Expected = std::map<std::string, Dates>;  // "CH-ZH 2025" → its weekday holidays

Expected ReadExpected() {
  Expected expected;
  for (const auto& entry : std::filesystem::directory_iterator(QUORVAN_EXPECTED_HOLIDAYS_DIR)) {
    std::ifstream file(entry.path());
    std::string line;
    while (std::getline(file, line)) {
      if (line.empty() || line.front() == '#') continue;
      std::istringstream words(line);
      std::string code, year, date;
      words >> code >> year;
      if (year == "minimum") continue;  // the least number of days a year lists (known_years_test)
      Dates& dates = expected[code + " " + year];
      while (words >> date) dates.insert(date);
    }
  }
  return expected;
}

TEST(HolidaysByLaw, EveryRegionYearAsPublished) {
  const Expected expected = ReadExpected();
  ASSERT_GT(expected.size(), 300u);
  std::string requests;
  for (const auto& [region_year, dates] : expected) requests += region_year + "\n";
  // One shell for all: each line the region and year, then the weekday dates quorvan-cli lists.
  const test::CliRun run = test::RunCliScript(
      R"sh(while read -r code year; do
           printf '%s %s' "$code" "$year"
           "$CLI" --list-holidays="$year" --holidays="$code" | while IFS=$'\t' read -r date weekday rest; do
             case $weekday/$rest in Saturday/*|Sunday/*|*"(half day)"*) ;; *) printf ' %s' "$date" ;; esac
           done
           echo
         done < "$IN")sh",
      requests);
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::string line;
  std::size_t checked = 0;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string code, year, date;
    words >> code >> year;
    Dates listed;
    while (words >> date) listed.insert(date);
    const auto found = expected.find(code + " " + year);
    ASSERT_NE(found, expected.end()) << line;
    for (const std::string& missing : found->second) {
      EXPECT_TRUE(listed.count(missing)) << code << " " << year << ": the law's " << missing << " is missing";
    }
    for (const std::string& extra : listed) {
      EXPECT_TRUE(found->second.count(extra)) << code << " " << year << ": " << extra << " is not a holiday by law";
    }
    ++checked;
  }
  EXPECT_EQ(checked, expected.size());
}

}  // namespace
}  // namespace qv
