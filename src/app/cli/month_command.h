#pragma once
// quorvan-cli --month: the month calendar as the month window copies it (heading, empty line,
// grid, and with --iso-weeks the ISO week dates), with line feeds.
#include <optional>
#include <string>
#include <string_view>

#include "compute/month_grid.h"
#include "lang/program_text.h"

namespace qv::cli {

struct MonthOptions {
  std::optional<YearMonth> month;  // --month=YEAR-MONTH
  bool julian = false;             // --julian
  bool monday = false;             // --monday
  bool iso_weeks = false;          // --iso-weeks
  bool no_year_digit = false;      // --no-year-digit
  CalendarCode also = kNoOtherCalendar;  // --also=CODE: an added calendar's days beneath the grid's
};

// "2024-06", "-44-03", "+7-1": a signed year within ±kMonthGridYearLimit, a hyphen and a month
// from 1 to 12, digits only; nullopt for anything else.
std::optional<YearMonth> ParseYearMonth(std::string_view text);

// The month options that do not go together, or with a request; empty when they do.
std::string MonthOptionsError(const MonthOptions& options, bool request_given);

// The printed text, ending with a line feed.
std::string MonthCommandText(const MonthOptions& options, Language language, const ProgramTextStore& texts);

}  // namespace qv::cli
