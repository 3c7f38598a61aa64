#include "lang/work_days_texts.h"

#include <array>

#include "lang/general_texts.h"

namespace qv {
namespace {

struct Entry {
  WorkDaysText id;
  std::string_view english;
  std::string_view german;
};

constexpr std::array<Entry, kWorkDaysTextCount> kTexts{{
    {WorkDaysText::WorkingDaysButton, "&Working days…", "&Arbeitstage…"},
    {WorkDaysText::DialogTitle, "Working days", "Arbeitstage"},
    {WorkDaysText::WorkWeek, "&Work week", "Arbeits&woche"},
    {WorkDaysText::Region, "Public &holidays of:", "&Feiertage von:"},
    {WorkDaysText::NoRegion, "(none)", "(keine)"},
    {WorkDaysText::HolidayFiles, "Holiday &files:", "Feiertags&dateien:"},
    {WorkDaysText::Add, "&Add…", "&Hinzufügen…"},
    {WorkDaysText::Remove, "&Remove", "&Entfernen"},
    {WorkDaysText::PreviewYear, "Holidays in &year:", "Feiertage im &Jahr:"},
    {WorkDaysText::DateColumn, "Date", "Datum"},
    {WorkDaysText::WeekdayColumn, "Weekday", "Wochentag"},
    {WorkDaysText::NameColumn, "Holiday", "Feiertag"},
    {WorkDaysText::Preview, "Holidays of the chosen region and files", "Feiertage der gewählten Region und Dateien"},
    {WorkDaysText::NoHolidaysChosen, "No holidays chosen: only the work week counts.",
     "Keine Feiertage gewählt: Nur die Arbeitswoche zählt."},
    {WorkDaysText::NoneThisYear, "None of the chosen holidays falls in this year.",
     "Keiner der gewählten Feiertage fällt in dieses Jahr."},
    {WorkDaysText::AppliesWhen,
     "Counting and adding days use these working days while weekend days are not counted.",
     "Zählen und Addieren von Tagen richten sich nach diesen Arbeitstagen, solange Wochenendtage nicht gezählt werden."},
    {WorkDaysText::Ok, "OK", "OK"},
    {WorkDaysText::Cancel, "Cancel", "Abbrechen"},
    {WorkDaysText::NoWorkingDay, "Please tick at least one working day of the week.",
     "Bitte kreuzen Sie mindestens einen Arbeitstag der Woche an."},
    {WorkDaysText::FilesLeftOut, "These holiday files could not be read and are left out:",
     "Diese Feiertagsdateien konnten nicht gelesen werden und bleiben unberücksichtigt:"},
    {WorkDaysText::NotKept, "The working days apply now, but could not be saved for the next start:",
     "Die Arbeitstage gelten jetzt, konnten aber nicht für den nächsten Start gespeichert werden:"},
    {WorkDaysText::ChooseFilesTitle, "Add holiday files", "Feiertagsdateien hinzufügen"},
    {WorkDaysText::FilterHolidayFiles, "Holiday files (*.ics *.txt *.rules)", "Feiertagsdateien (*.ics *.txt *.rules)"},
    {WorkDaysText::FilterICalendar, "iCalendar files (*.ics)", "iCalendar-Dateien (*.ics)"},
    {WorkDaysText::FilterTextLists, "Holiday lists (*.txt)", "Feiertagslisten (*.txt)"},
    {WorkDaysText::FilterAllFiles, "All files (*)", "Alle Dateien (*)"},
    {WorkDaysText::MonthHolidays, "Holidays:", "Feiertage:"},
    {WorkDaysText::MonthNoHolidays, "No holidays in this month.", "Keine Feiertage in diesem Monat."},
    {WorkDaysText::MonthLegend, "Bold: no working day. Bold and underlined: holiday.",
     "Fett: kein Arbeitstag. Fett und unterstrichen: Feiertag."},
    {WorkDaysText::MonthMarksName, "Holidays of the month", "Feiertage des Monats"},
    {WorkDaysText::NoteName, "Working days in force", "Geltende Arbeitstage"},
    {WorkDaysText::RegionSearch, "&Search:", "S&uchen:"},
    {WorkDaysText::RegionSearchHint, "Code or name, e.g. DE-BY or Zurich", "Code oder Name, z. B. DE-BY oder Zürich"},
    {WorkDaysText::RegionSearchName, "Search regions by code or name", "Regionen nach Code oder Name suchen"},
    {WorkDaysText::RegionTree, "Regions by country", "Regionen nach Land"},
    {WorkDaysText::FilterRuleFiles, "Holiday rule files (*.rules)", "Feiertags-Regeldateien (*.rules)"},
    {WorkDaysText::ExportYears, "Export &calendar (.ics), years:", "&Kalender exportieren (.ics), Jahre:"},
    {WorkDaysText::ExportTo, "to", "bis"},
    {WorkDaysText::ExportFirstName, "First year to export", "Erstes Jahr des Exports"},
    {WorkDaysText::ExportLastName, "Last year to export", "Letztes Jahr des Exports"},
    {WorkDaysText::Export, "E&xport…", "E&xportieren…"},
    {WorkDaysText::ExportTitle, "Export holidays as iCalendar", "Feiertage als iCalendar exportieren"},
    {WorkDaysText::ExportNothing, "Please choose a region or a holiday file to export.",
     "Bitte wählen Sie eine Region oder eine Feiertagsdatei zum Exportieren."},
    {WorkDaysText::ExportFailed, "%1: the file could not be written.", "%1: Die Datei konnte nicht geschrieben werden."},
    {WorkDaysText::LawOnly, "Count public holidays by &law only (not rest days or customary closing days)",
     "Nur &gesetzliche Feiertage zählen (keine Ruhetage und üblich arbeitsfreien Tage)"},
    {WorkDaysText::KnownYears, "%1 knows its holidays for %2.", "%1 kennt seine Feiertage für %2."},
    {WorkDaysText::ProvisionalYear, "%1: the holidays of %2 are provisional (projected, not yet published).",
     "%1: Die Feiertage von %2 sind vorläufig (vorausberechnet, noch nicht veröffentlicht)."},
    {WorkDaysText::NotInUse, "not counted while weekend days are counted",
     "nicht berücksichtigt, solange Wochenendtage gezählt werden"},
    {WorkDaysText::NoRegionFound, "No region matches the search.", "Keine Region passt zur Suche."},
    {WorkDaysText::ExportWritten, "The holidays were exported to:\n%1", "Die Feiertage wurden exportiert nach:\n%1"},
}};

constexpr bool RowsMatchTheirIds() {
  for (std::size_t i = 0; i < kTexts.size(); ++i) {
    if (static_cast<std::size_t>(kTexts[i].id) != i || kTexts[i].english.empty() || kTexts[i].german.empty()) {
      return false;
    }
  }
  return true;
}
static_assert(RowsMatchTheirIds(), "rows must follow the order of enum WorkDaysText");

// Our own words for the note's file count.
std::string FileCount(std::size_t count, Language language) {
  const bool german = language == Language::German;
  const char* word = count == 1 ? (german ? " Datei" : " file") : (german ? " Dateien" : " files");
  return std::to_string(count) + word;
}

constexpr std::string_view kEnDash = "\u2013";
constexpr uint8_t kAllDays = 0x7F;

// Mask bit i (0 = Monday … 6 = Sunday) to the general table's day number (0 = Sunday).
constexpr int DayOfWeekOfBit(int bit) { return (bit + 1) % 7; }

}  // namespace

std::string_view WorkDaysTextOf(WorkDaysText entry, Language language) {
  const auto index = static_cast<std::size_t>(entry);
  if (index >= kTexts.size()) return {};
  return language == Language::German ? kTexts[index].german : kTexts[index].english;
}

std::string ShortWeekdayName(Language language, int day_of_week) {
  const std::string_view full = WeekdayName(language, day_of_week);
  // German weekdays are shortened to two letters (Mo, Di, … So), English ones to three; every
  // name is plain ASCII, so the cut never splits a character.
  return std::string(full.substr(0, language == Language::German ? 2 : 3));
}

std::string WorkWeekShortText(uint8_t mask, Language language) {
  mask &= kAllDays;
  if (mask == 0) return {};
  const auto works = [mask](int bit) { return ((mask >> ((bit + 7) % 7)) & 1U) != 0; };
  const auto name = [language](int bit) { return ShortWeekdayName(language, DayOfWeekOfBit((bit + 7) % 7)); };
  if (mask == kAllDays) return name(0) + std::string(kEnDash) + name(6);
  // A run starts at a working day whose day before does not work; one start means one run.
  int starts = 0;
  int first = 0;
  for (int bit = 0; bit < 7; ++bit) {
    if (works(bit) && !works(bit - 1)) {
      ++starts;
      first = bit;
    }
  }
  if (starts == 1) {
    int last = first;
    while (works(last + 1)) ++last;  // ends before wrapping onto `first`: some day does not work
    if (last == first) return name(first);
    return name(first) + std::string(kEnDash) + name(last);
  }
  std::string text;
  for (int bit = 0; bit < 7; ++bit) {
    if (!works(bit)) continue;
    if (!text.empty()) text += ", ";
    text += name(bit);
  }
  return text;
}

std::string WorkDaysNoteText(uint8_t mask, std::string_view region, std::size_t file_count, Language language,
                             WeekendDays weekend_days) {
  constexpr uint8_t kMondayToFriday = 0b0011111;
  if ((mask & kAllDays) == kMondayToFriday && region.empty() && file_count == 0) return {};
  std::string note = WorkWeekShortText(mask, language);
  if (!region.empty()) note += ", " + std::string(region);
  if (file_count > 0) note += ", " + FileCount(file_count, language);
  if (weekend_days == WeekendDays::Counted) note.append(" (").append(WorkDaysTextOf(WorkDaysText::NotInUse, language)).append(")");
  return note;
}

}  // namespace qv
