// The holiday rule-file reader against arbitrary bytes taken as a user's rule file.
//
// Properties checked (a violation traps):
//  - the reader gives either every region's source or an error, never crashes or leaks;
//  - an error names the file, and its line lies within the file (0: no one line);
//  - every rule read is well formed, every working-day mark within the day-number limit;
//  - a work calendar made of what was read answers a count and an addition over a long span in
//    agreement with each other, at the present and far out.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "compute/work_calendar.h"
#include "holidays/holiday_source.h"
#include "fuzz_checks.h"

using qv::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv::holidays;
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const RuleFileSources read = ReadRuleFileSources(file, "fuzz.rules");
  if (const auto* error = std::get_if<RuleFileError>(&read)) {
    Require(error->file == "fuzz.rules");
    Require(error->line >= 0 && error->line <= qv::fuzz::LineCount(file));
    Require(!RuleFileErrorText(*error, qv::Language::German).empty());
    return 0;
  }
  const auto& sources = std::get<std::vector<HolidaySource>>(read);
  size_t rules = 0;
  for (const HolidaySource& source : sources) {
    for (const HolidayRule& rule : source.rules) Require(IsValidRule(rule));
    for (const DatedHoliday& day : source.workdays) Require(qv::IsWithinDayNumberLimit(day.day_number));
    rules += source.rules.size();
  }
  // A calendar of a few sources (the build of many is what the benchmarks measure, not faults).
  if (!sources.empty() && sources.size() <= 4 && rules <= 200) qv::fuzz::RequireAdditionsCountBack(sources, 20'000, {2'451'545, 2'000'000'000, -2'000'000'000});
  return 0;
}
