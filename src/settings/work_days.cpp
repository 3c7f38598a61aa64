#include "settings/work_days.h"

#include <utility>

#include "holidays/holiday_list.h"
#include "holidays/icalendar.h"
#include "holidays/regions.h"

namespace qv {

bool WorkDaysChoice::InForce() const { return week != WorkWeek() || !region.empty() || !files.empty(); }

bool WorkDaysChoice::LeavesDaysOut() const {
  constexpr uint8_t kEveryDay = 0b1111111;
  return week.Mask() != kEveryDay || !region.empty() || !files.empty();
}

WorkDaysSettings WorkDaysChoice::Settings() const {
  WorkDaysSettings settings;
  settings.work_week = week.Mask();
  settings.region = region;
  settings.law_only = law_only;
  settings.files.reserve(files.size());
  for (const HolidayFileChoice& file : files) settings.files.push_back(file.entry);
  return settings;
}

holidays::HolidayFileResult ReadHolidayFile(const HolidayFileEntry& entry) {
  holidays::HolidayFileResult result = [&]() {
    if (holidays::IsICalendarFileName(entry.path)) return holidays::ReadICalendarFile(entry.path);
    if (holidays::IsRuleFileName(entry.path)) return holidays::ReadRuleFileAsOneSourceFromFile(entry.path);
    holidays::HolidayListOptions options;
    options.calendar = cal::CE;
    options.text = DateTextOptions{.format = entry.date_format,
                                   .date_separator = entry.date_separator,
                                   .thousands_separator = entry.thousands_separator,
                                   .hyphen = Hyphen::With};
    return holidays::ReadHolidayListFile(entry.path, options);
  }();
  if (auto* source = std::get_if<holidays::HolidaySource>(&result)) {
    // A holiday without a name of its own is listed by this label: the file's name is enough.
    const std::size_t slash = entry.path.rfind('/');
    source->label = slash == std::string::npos ? entry.path : entry.path.substr(slash + 1);
  }
  return result;
}

WorkDaysLoad LoadWorkDays(const WorkDaysSettings& settings) {
  WorkDaysLoad load;
  const std::optional<WorkWeek> week = WorkWeek::FromMask(settings.work_week);
  load.choice.week = week ? *week : WorkWeek();
  if (holidays::FindRegion(settings.region) != nullptr) load.choice.region = settings.region;
  load.choice.law_only = settings.law_only;
  for (const HolidayFileEntry& entry : settings.files) {
    holidays::HolidayFileResult read = ReadHolidayFile(entry);
    if (auto* error = std::get_if<holidays::HolidayFileError>(&read)) {
      load.failures.push_back(std::move(*error));
      continue;
    }
    load.choice.files.push_back(HolidayFileChoice{entry, std::get<holidays::HolidaySource>(std::move(read))});
  }
  return load;
}

std::shared_ptr<const WorkCalendar> BuildWorkCalendar(const WorkDaysChoice& choice) {
  if (!choice.InForce()) return nullptr;
  std::vector<holidays::HolidaySource> sources;
  sources.reserve(choice.files.size() + 1);
  if (const holidays::Region* region = holidays::FindRegion(choice.region)) sources.push_back(holidays::RegionSource(*region));
  for (const HolidayFileChoice& file : choice.files) sources.push_back(file.source);
  return std::make_shared<const WorkCalendar>(choice.week, std::move(sources), choice.Kinds());
}

}  // namespace qv
