#pragma once
// What several fuzz targets check alike. A violated property traps, which the fuzzer reports.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "compute/work_calendar.h"
#include "holidays/holiday_source.h"

namespace qv::fuzz {

inline void Require(bool holds) {
  if (!holds) __builtin_trap();
}

// The lines of a file: one more than its line feeds.
inline int64_t LineCount(std::string_view file) {
  int64_t lines = 1;
  for (const char c : file) lines += c == '\n' ? 1 : 0;
  return lines;
}

// A work calendar of the sources (Monday to Friday) adds `days` working days to each first day
// and counts the same number back.
inline void RequireAdditionsCountBack(const std::vector<holidays::HolidaySource>& sources, int32_t days,
                                      std::initializer_list<int32_t> firsts) {
  const WorkCalendar calendar(WorkWeek(), sources);
  const DayCountOptions options{.include_weekends = false};
  for (const int32_t first : firsts) {
    const std::optional<int32_t> second = calendar.SecondDateFromFirst(first, days, options);
    Require(second.has_value());
    Require(calendar.CountDaysBetween(first, *second, options) == days);
  }
}

}  // namespace qv::fuzz
