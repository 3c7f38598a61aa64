// The holiday list reader and the iCalendar reader against arbitrary bytes taken as a file.
//
// Input layout: byte 0 picks the list's calendar code (value % 10), date format (value / 10 % 3)
// and date separator (value / 30 % 3); the rest is the file, read both as a list and as iCalendar.
//
// Properties checked (a violation traps):
//  - each reader gives either a source or an error, never both, and never crashes or leaks;
//  - an error names the file, a list error a line within the file (1 … number of lines);
//  - a list's dates and worked days lie within the day-number limit and are sorted; every date and
//    worked day of an iCalendar file is sorted and unique, and every yearly rule it keeps is well formed;
//  - a work calendar made of what was read answers a count and an addition over a long span in
//    agreement with each other (the count of the addition's result is the number added).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "compute/work_calendar.h"
#include "holidays/holiday_list.h"
#include "holidays/icalendar.h"
#include "fuzz_checks.h"

namespace {

using qv::fuzz::Require;

constexpr std::string_view kSeparators[] = {"-", "/", "."};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv::holidays;
  const uint8_t options_byte = size > 0 ? data[0] : 0;
  const std::string_view file(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);

  HolidayListOptions options;
  options.calendar = static_cast<qv::CalendarCode>(options_byte % 10);
  options.text.format = static_cast<qv::DateFormat>(options_byte / 10 % 3);
  options.text.date_separator = kSeparators[options_byte / 30 % 3];
  const HolidayFileResult list = ReadHolidayList(file, "fuzz.txt", options);
  if (const auto* error = std::get_if<HolidayFileError>(&list)) {
    Require(error->file == "fuzz.txt");
    Require(error->line >= 1 && error->line <= qv::fuzz::LineCount(file));
    Require(!HolidayFileErrorText(*error, qv::Language::German).empty());
  } else {
    const HolidaySource& source = std::get<HolidaySource>(list);
    for (const auto* days : {&source.dates, &source.workdays}) {
      for (size_t i = 0; i < days->size(); ++i) {
        Require(qv::IsWithinDayNumberLimit((*days)[i].day_number));
        Require(i == 0 || (*days)[i - 1].day_number <= (*days)[i].day_number);
      }
    }
    if (!source.dates.empty() || !source.workdays.empty()) qv::fuzz::RequireAdditionsCountBack({source}, 100'000, {2'451'545});  // from 1 January 2000
  }

  const HolidayFileResult ics = ReadICalendar(file, "fuzz.ics");
  if (const auto* error = std::get_if<HolidayFileError>(&ics)) {
    Require(error->file == "fuzz.ics" && error->line == 0);
  } else {
    const HolidaySource& source = std::get<HolidaySource>(ics);
    for (const auto* days : {&source.dates, &source.workdays}) {
      for (size_t i = 1; i < days->size(); ++i) {
        Require((*days)[i - 1].day_number < (*days)[i].day_number ||
                ((*days)[i - 1].day_number == (*days)[i].day_number && (*days)[i - 1].name != (*days)[i].name));
      }
    }
    for (const HolidayRule& rule : source.rules) Require(IsValidRule(rule));
    if (!source.rules.empty() || !source.dates.empty() || !source.workdays.empty()) qv::fuzz::RequireAdditionsCountBack({source}, 100'000, {2'451'545});  // from 1 January 2000
  }
  return 0;
}
