#pragma once
// Our own words for working days with holidays (beyond the described texts), in English and
// German. The described sentence stays as it is; these follow it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "text/language.h"

namespace qv {

// Holidays one source gave to a count, as the sentence writes them.
struct HolidayCount {
  std::string_view source;  // a region's code or a file's name
  std::string_view count;   // the number, digit groups included
};

// What a working-day sentence adds while holidays are in force: "; 11 holidays left out (DE-BY 10,
// office.txt 1)", "; 1 Feiertag ausgelassen (DE-BY 1)", "; no holidays left out". `total_text` is
// `total` as the sentence writes it; `by_source` holds the sources that gave any, in their order.
std::string HolidaysLeftOutNote(int64_t total, std::string_view total_text, std::span<const HolidayCount> by_source,
                                Language language);

}  // namespace qv
