#include "app/cli/work_calendar_options.h"

#include <utility>
#include <variant>

#include "calendar/digit_run.h"
#include "holidays/holiday_list.h"
#include "holidays/icalendar.h"
#include "holidays/icalendar_writer.h"
#include "lang/holiday_texts.h"

namespace qv::cli {

bool SetWorkWeek(WorkCalendarOptions& options, std::string_view text) {
  options.work_week = WorkWeek::Parse(text);
  return options.work_week.has_value();
}

bool AddRegion(WorkCalendarOptions& options, std::string_view code) {
  const holidays::Region* region = holidays::FindRegion(code);
  if (region == nullptr) return false;
  options.sources.push_back(HolidaySourceOption{.region = region, .file = {}});
  return true;
}

bool AddHolidayFile(WorkCalendarOptions& options, std::string_view file) {
  if (file.empty()) return false;
  options.sources.push_back(HolidaySourceOption{.region = nullptr, .file = std::string(file)});
  return true;
}

bool AddRuleFile(WorkCalendarOptions& options, std::string_view file) {
  if (file.empty()) return false;
  options.sources.push_back(HolidaySourceOption{.region = nullptr, .file = std::string(file), .rules = true});
  return true;
}

bool SetWeekend(WorkCalendarOptions& options, std::string_view text) {
  if (text.size() != 7 || text.find_first_not_of("01") != std::string_view::npos) return false;
  uint8_t mask = 0;
  for (size_t i = 0; i < 7; ++i) mask = static_cast<uint8_t>(mask | ((text[i] == '0' ? 1u : 0u) << i));
  options.work_week = WorkWeek::FromMask(mask);
  return options.work_week.has_value();
}

bool SetListHolidaysYear(WorkCalendarOptions& options, std::string_view text) {
  const bool negative = text.starts_with('-');
  const std::string_view digits = negative || text.starts_with('+') ? text.substr(1) : text;
  const std::optional<int64_t> magnitude = DigitRunValue(digits);  // saturated: never beyond 64 bits
  if (!magnitude) return false;
  const int64_t year = negative ? -*magnitude : *magnitude;
  if (year < kFirstListedYear || year > kLastListedYear) return false;
  options.list_holidays = static_cast<int32_t>(year);
  return true;
}

namespace {

// A year of an export: digits alone, 1 … 9999.
std::optional<int32_t> ExportYear(std::string_view digits) {
  if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  int32_t year = 0;
  for (const char c : digits) year = year * 10 + (c - '0');  // [0, 9999]
  if (year < holidays::kFirstExportYear || year > holidays::kLastExportYear) return std::nullopt;
  return year;
}

}  // namespace

bool SetExportYears(WorkCalendarOptions& options, std::string_view text) {
  const size_t dots = text.find("..");
  const std::optional<int32_t> first = ExportYear(text.substr(0, dots));
  const std::optional<int32_t> last = dots == std::string_view::npos ? first : ExportYear(text.substr(dots + 2));
  if (!first || !last || *first > *last) return false;
  options.export_ics = ExportYears{.first = *first, .last = *last};
  return true;
}

bool SetHolidayKinds(WorkCalendarOptions& options, std::string_view text) {
  if (text == "office") {
    options.kinds = holidays::kOfficeKinds;
    return true;
  }
  holidays::DayKinds kinds = 0;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view word = text.substr(0, comma);
    if (word == "law") {
      kinds |= holidays::KindBit(holidays::DayKind::Law);
    } else if (word == "rest") {
      kinds |= holidays::KindBit(holidays::DayKind::Rest);
    } else if (word == "custom") {
      kinds |= holidays::KindBit(holidays::DayKind::Custom);
    } else {
      return false;
    }
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
    if (text.empty()) return false;  // a trailing comma
  }
  if (kinds == 0) return false;
  options.kinds = kinds;
  return true;
}

std::string UnknownYearsMessage(const WorkCalendar& calendar, int32_t first_year, int32_t last_year, Language language) {
  const std::optional<UnknownHolidayYear> unknown = calendar.FirstUnknownYear(first_year, last_year);
  if (!unknown) return {};
  const holidays::HolidaySource& source = calendar.Sources()[unknown->source];
  return UnknownHolidayYearMessage(source.label, unknown->year,
                                   holidays::KnownYearsText(holidays::KnownYearsOf(source.unknown_years), language),
                                   language);
}

std::string ProvisionalYearsNote(const WorkCalendar& calendar, int32_t first_year, int32_t last_year) {
  std::string note;
  for (const ProvisionalHolidayYears& years : calendar.ProvisionalYears(first_year, last_year)) {
    note.append(note.empty() ? "provisional (projected, not yet published):" : ",");
    note.append(" ").append(calendar.Sources()[years.source].label).append(" ");
    note.append(holidays::KnownYearsText(years.years, Language::English));
  }
  return note;
}

std::string ListingOptionsError(const WorkCalendarOptions& options, bool request_or_month_given) {
  const bool listing = options.list_holidays || options.list_regions;
  if (options.list_holidays && options.list_regions) return "--list-holidays and --list-regions do not go together";
  if (options.export_ics && listing) {
    return std::string(options.list_regions ? "--list-regions" : "--list-holidays") + " and --export-ics do not go together";
  }
  if ((listing || options.export_ics) && request_or_month_given) {
    return std::string(options.list_regions ? "--list-regions" : options.list_holidays ? "--list-holidays" : "--export-ics") +
           " prints a list; --first, --diff, --second, --batch and --month do not go with it";
  }
  if (options.list_holidays && options.sources.empty()) {
    return "--list-holidays lists the holidays of --holidays=REGION and --holiday-file=FILE: give one";
  }
  if (options.export_ics && options.sources.empty()) {
    return "--export-ics writes the holidays of --holidays=REGION, --holiday-rules=FILE and --holiday-file=FILE: give one";
  }
  return {};
}

BuiltCalendar BuildWorkCalendar(const WorkCalendarOptions& options, const RequestOptions& request) {
  BuiltCalendar built;
  std::vector<holidays::HolidaySource> sources;
  sources.reserve(options.sources.size());
  const holidays::HolidayListOptions list_options{.calendar = cal::CE, .text = request.TextOptions()};
  for (const HolidaySourceOption& option : options.sources) {
    if (option.region != nullptr) {
      sources.push_back(holidays::RegionSource(*option.region));
      continue;
    }
    if (option.rules) {
      holidays::RuleFileSources rules = holidays::ReadRuleFileSourcesFromFile(option.file);
      if (const auto* error = std::get_if<holidays::RuleFileError>(&rules)) {
        built.error = holidays::RuleFileErrorText(*error, request.language);
        return built;
      }
      for (holidays::HolidaySource& source : std::get<std::vector<holidays::HolidaySource>>(rules)) {
        sources.push_back(std::move(source));
      }
      continue;
    }
    holidays::HolidayFileResult read = holidays::IsICalendarFileName(option.file)
                                           ? holidays::ReadICalendarFile(option.file)
                                           : holidays::ReadHolidayListFile(option.file, list_options);
    if (const auto* error = std::get_if<holidays::HolidayFileError>(&read)) {
      built.error = holidays::HolidayFileErrorText(*error, request.language);
      return built;
    }
    sources.push_back(std::get<holidays::HolidaySource>(std::move(read)));
  }
  auto calendar = std::make_shared<const WorkCalendar>(options.work_week.value_or(WorkWeek()), std::move(sources), options.kinds);
  if (calendar->InForce()) built.calendar = std::move(calendar);
  return built;
}

}  // namespace qv::cli
