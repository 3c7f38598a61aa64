#include "holidays/holiday_list.h"

#include <algorithm>

#include "holidays/file_lines.h"
#include "text/utf8.h"

namespace qv::holidays {

HolidayFileResult ReadHolidayList(std::string_view contents, std::string_view file_name,
                                  const HolidayListOptions& options) {
  HolidaySource source;
  source.kind = SourceKind::List;
  source.label = std::string(file_name);
  const auto fail = [&](int64_t line, FileProblem problem, std::string_view text) {
    return HolidayFileError{.file = std::string(file_name), .line = line, .problem = problem, .detail = LineDetail(text)};
  };
  FileLines lines(contents);
  std::string_view line;
  while (lines.Next(line)) {
    const int64_t line_number = lines.Number();
    const std::string_view trimmed = TrimLineBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    const size_t tab = trimmed.find('\t');
    const std::string_view date_text = TrimLineBlanks(trimmed.substr(0, tab));
    std::string_view name = tab == std::string_view::npos ? std::string_view{} : trimmed.substr(tab + 1);
    // A third field `workday` marks a worked day ("2025-05-03<TAB>Bridge-day swap<TAB>workday").
    bool workday = false;
    if (const size_t last_tab = name.rfind('\t');
        last_tab != std::string_view::npos && TrimLineBlanks(name.substr(last_tab + 1)) == kWorkdayField) {
      workday = true;
      name = name.substr(0, last_tab);
    }
    name = TrimLineBlanks(name);
    if (!IsValidUtf8(trimmed)) return fail(line_number, FileProblem::NotUtf8, "");
    // A NUL byte would end the text early in the date readers' C-string conversions.
    if (date_text.empty() || date_text.find('\0') != std::string_view::npos) {
      return fail(line_number, FileProblem::NotADate, trimmed);
    }
    const DateReading reading = ReadDateInCalendar(date_text, options.calendar, options.text, JdnReading::Lenient);
    if (reading.result == -1) return fail(line_number, FileProblem::OutOfRange, date_text);
    if (reading.result != 1) return fail(line_number, FileProblem::NotADate, date_text);
    // A reader may take a date beyond the limit of day numbers near the ends of its calendar's
    // years (a leap-week date of year ±5,800,000): refused like any date out of range.
    if (!IsWithinDayNumberLimit(reading.fields.DayNumber)) return fail(line_number, FileProblem::OutOfRange, date_text);
    (workday ? source.workdays : source.dates)
        .push_back(DatedHoliday{.day_number = reading.fields.DayNumber, .name = std::string(name)});
  }
  const auto by_day = [](const DatedHoliday& a, const DatedHoliday& b) { return a.day_number < b.day_number; };
  std::stable_sort(source.dates.begin(), source.dates.end(), by_day);
  std::stable_sort(source.workdays.begin(), source.workdays.end(), by_day);
  return source;
}

HolidayFileResult ReadHolidayListFile(const std::string& path, const HolidayListOptions& options) {
  auto contents = ReadWholeFile(path);
  if (auto* error = std::get_if<HolidayFileError>(&contents)) return std::move(*error);
  return ReadHolidayList(std::get<std::string>(contents), path, options);
}

}  // namespace qv::holidays
