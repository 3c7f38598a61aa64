#pragma once
// The working days a user chose, with the holiday files already read: what the window applies,
// keeps in qrv-workdays.ini, and turns into the work calendar that counting and adding use.
#include <memory>
#include <string>
#include <vector>

#include "compute/work_calendar.h"
#include "holidays/holiday_source.h"
#include "settings/work_days_file.h"

namespace qv {

struct HolidayFileChoice {
  HolidayFileEntry entry;
  holidays::HolidaySource source;  // as read from the file
};

struct WorkDaysChoice {
  WorkWeek week;
  std::string region;  // a built-in region's code, or empty
  std::vector<HolidayFileChoice> files;
  bool law_only = false;  // count the public holidays by law alone

  // The kinds of day a count leaves out.
  holidays::DayKinds Kinds() const { return law_only ? holidays::kLawKinds : holidays::kOfficeKinds; }

  // Another work week than Monday to Friday, a region or a file.
  bool InForce() const;
  // A work week without all seven days, a region or a file: something that counting with weekend
  // days would set aside.
  bool LeavesDaysOut() const;
  // What the settings file keeps of it.
  WorkDaysSettings Settings() const;
};

// Reads one holiday file: an iCalendar file by its name (".ics"), a rule file (".rules") with all
// its regions as one source, any other as a list of dates in the entry's date options. The source's label is the file's name without its folder.
holidays::HolidayFileResult ReadHolidayFile(const HolidayFileEntry& entry);

// The stored choice with its files read. A file that cannot be read is left out and its error is
// returned, so that the caller can name it once.
struct WorkDaysLoad {
  WorkDaysChoice choice;
  std::vector<holidays::HolidayFileError> failures;
};
WorkDaysLoad LoadWorkDays(const WorkDaysSettings& settings);

// The work calendar of a choice: the region's source first, then the files' in their order. Null
// when the choice is not in force, which is how the request options say "none".
std::shared_ptr<const WorkCalendar> BuildWorkCalendar(const WorkDaysChoice& choice);

}  // namespace qv
