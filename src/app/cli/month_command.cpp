#include "app/cli/month_command.h"

#include "calendar/digit_run.h"

namespace qv::cli {
namespace {

constexpr int16_t kTextIsoTitle = 13;  // the title of the ISO week dates in copied text

}  // namespace

std::optional<YearMonth> ParseYearMonth(std::string_view text) {
  // The month follows the last hyphen; a hyphen in front belongs to the year.
  const std::size_t hyphen = text.rfind('-');
  if (hyphen == std::string_view::npos || hyphen == 0) return std::nullopt;
  std::string_view year_text = text.substr(0, hyphen);
  const std::string_view month_text = text.substr(hyphen + 1);
  const std::string_view unsigned_year =
      year_text.front() == '-' || year_text.front() == '+' ? year_text.substr(1) : year_text;
  const std::optional<int64_t> month = DigitRunValue(month_text);
  if (!DigitRunValue(unsigned_year) || !month || month_text.size() > 2) return std::nullopt;
  const MonthYearReading year = ReadMonthYear(year_text);
  if (year.status != MonthYearStatus::Valid || *month < 1 || *month > 12) return std::nullopt;
  return YearMonth{year.year, static_cast<int16_t>(*month)};
}

std::string MonthOptionsError(const MonthOptions& options, bool request_given) {
  if (!options.month) {
    if (options.julian || options.monday || options.iso_weeks || options.no_year_digit ||
        options.also != kNoOtherCalendar) {
      return "--julian, --monday, --iso-weeks, --no-year-digit and --also go with --month";
    }
    return {};
  }
  if (request_given) return "--month prints a month; --first, --diff, --second and --batch do not go with it";
  if (options.iso_weeks && (options.julian || !options.monday)) {
    return "--iso-weeks needs weeks that start on Monday in the Common Era: --monday, without --julian";
  }
  if (options.no_year_digit && !options.iso_weeks) return "--no-year-digit goes with --iso-weeks";
  return {};
}

std::string MonthCommandText(const MonthOptions& options, Language language, const ProgramTextStore& texts) {
  const YearMonth month = options.month.value_or(YearMonth{});
  const MonthGridRequest request{.year = month.year,
                                 .month = month.month,
                                 .calendar = options.julian ? MonthCalendar::Julian : MonthCalendar::CommonEra,
                                 .week_start = options.monday ? WeekStart::Monday : WeekStart::Sunday,
                                 .language = language,
                                 .other = options.also};
  const std::optional<MonthGrid> grid = BuildMonthGrid(request);
  if (!grid) return {};  // ParseYearMonth admits no such month
  std::optional<std::string> iso;
  if (options.iso_weeks) {
    iso = IsoWeekText(grid->first_cell_day, grid->row_count,
                      options.no_year_digit ? IsoYearDigit::Without : IsoYearDigit::With, language);
  }
  std::string heading = MonthHeading(request);
  if (const std::string other = OtherCalendarLine(request, *grid); !other.empty()) heading.append("\n").append(other);
  return MonthCopyText(heading, grid->Text(), iso, GetProgramText(texts, kTextIsoTitle, language)) + "\n";
}

}  // namespace qv::cli
