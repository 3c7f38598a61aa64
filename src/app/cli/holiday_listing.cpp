#include "app/cli/holiday_listing.h"

#include "calendar/civil.h"
#include "holidays/regions.h"
#include "lang/general_texts.h"
#include "text/date_dispatch.h"
#include "text/text_builder.h"

namespace qv::cli {

std::string RegionListText(Language language) {
  std::string text;
  for (const holidays::Region& region : holidays::Regions()) {
    text.append(region.code).append("\t");
    text.append(language == Language::German ? region.name.de : region.name.en);
    // The years it knows, with those it answers provisionally, then its note (if any).
    text.append("\t").append(holidays::KnownYearsText(holidays::KnownYears(region), language));
    if (!region.provisional.empty()) {
      text.append(language == Language::German ? "; vorläufig: " : "; provisional: ");
      text.append(holidays::KnownYearsText(region.provisional, language));
    }
    if (!region.note.empty()) text.append("\t").append(region.note);
    text.append("\n");
  }
  return text;
}

std::string HolidayListText(const WorkCalendar& calendar, int32_t year, const RequestOptions& options) {
  const std::span<const holidays::HolidaySource> sources = calendar.Sources();
  const DateTextOptions text_options = options.TextOptions();
  std::string text;
  TextBuilder date;
  for (const ListedHoliday& holiday : calendar.HolidaysOfYear(year)) {
    date.Clear();
    WriteDayNumberInCalendar(date, holiday.day_number, cal::CE, text_options, WriteStyle{.check_ordinal_range = false});
    text.append(date.View()).append("\t");
    text.append(WeekdayName(options.language, civil::DayOfWeek(holiday.day_number))).append("\t");
    text.append(ListedHolidayName(holiday, sources, options.language));
    if (sources.size() > 1) text.append("\t").append(sources[holiday.source].label);
    text.append("\n");
  }
  return text;
}

}  // namespace qv::cli
