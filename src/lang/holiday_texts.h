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

// A count, list or export that needs a year a source does not know: "The holidays of ES-AN are not
// known for 1994 (known: 1995 onward)." `known_years` as KnownYearsText writes them.
std::string UnknownHolidayYearMessage(std::string_view source, int32_t year, std::string_view known_years,
                                      Language language);
// The same as the result of a sentence, in place of the number: "not counted: the holidays of …".
std::string UnknownHolidayYearResult(std::string_view source, int32_t year, std::string_view known_years,
                                     Language language);

// The years of one source a count rests on that are projected, not published.
struct ProvisionalSource {
  std::string_view source;
  std::string_view years;  // "2028", "2028–2030, 2032"
};
// "; provisional: ES-MD 2028, ES-CT 2028" ("; vorläufig: …").
std::string ProvisionalNote(std::span<const ProvisionalSource> sources, Language language);

}  // namespace qv
