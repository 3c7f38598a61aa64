#include "lang/general_texts.h"

namespace qv {
namespace {

constexpr GeneralTexts kTexts{
    {{
        {Gen::AWeekFromTodayIs, "A week from today is", "Eine Woche weiter ist"},
        {Gen::Calendar, "Calendar", "Kalender"},
        {Gen::CancelThisOperation, "Cancel this operation", "Annullieren Sie diese Operation"},
        {Gen::CeJcDateFormat, "CE/JC date format", "CE/JC-Datumsformat"},
        {Gen::CeJcDateSeparator, "CE/JC date separator", "CE/JC-Datumstrennzeichen"},
        {Gen::Clear, "Clear", "Loeschen"},
        {Gen::ClickToChangeCalendar, "Click to change calendar", "Anklicken um Kalender zu veraendern"},
        {Gen::Close, "Close", "Schliessen"},
        {Gen::CommonEra, "Common Era", "Common Era"},
        {Gen::CommonEraCalendar, "Common Era Calendar", "Common Era Kalender"},
        {Gen::CommonEraDate, "Common Era date", "Common Era Datum"},
        {Gen::Compute, "Compute", "Berechnen"},
        {Gen::Continue, "Continue", "Fortfahren"},
        {Gen::CopyToClipboard, "Copy to clipboard", "Kopieren in Zwischenablage"},
        {Gen::CopySelectedTextToClipboard, "Copy selected text to clipboard",
         "Kopieren ausgewaehlter Text in Zwischenablage"},
        {Gen::CountWeekendDays, "Count weekend days in days-between-dates", "Wochenendtage zaehlen"},
        {Gen::DateDifference, "Date difference", "Datumsdifferenz"},
        {Gen::Day, "Day", "Tag"},
        {Gen::Days, "Days", "Tage"},
        {Gen::DisplayIsoWeekDates, "Display ISO Week dates", "ISO-Woche-Daten zeigen"},
        {Gen::DisplayMonth, "Display month", "Monat zeigen"},
        {Gen::DisplayNextMonth, "Display next month", "Folgender Monat zeigen"},
        {Gen::DisplayPreviousMonth, "Display previous month", "Vorhergehender Monat zeigen"},
        {Gen::English, "English", "Englisch"},
        {Gen::Enlarge, "Enlarge", "Vergroessern"},
        {Gen::Error, "Error", "Fehler"},
        {Gen::ExcludingFirstDate, "excluding 1st date", "ausschliesslich 1. Datum"},
        {Gen::FirstDate, "First date", "Erstes Datum"},
        {Gen::FirstDayOfWeek, "First day of week", "Erster Tag der Woche"},
        {Gen::German, "German", "Deutsch"},
        {Gen::Help, "Help", "Hilfe"},
        {Gen::HyphenInOrdinalAnd, "Hyphen in ordinal and", "Divis in Ordinal und"},
        {Gen::InIsoWeekDates, "in ISO Week dates", "in ISO-Woche Daten"},
        {Gen::IncludeFirstDate, "Include first date in days-beween-dates", "Erstes Datum einschliessen"},
        {Gen::IncludingFirstDate, "including 1st date", "einschliesslich 1. Datum"},
        {Gen::InvalidInput, "Invalid input", "Ungueltige Eingabe"},
        {Gen::IsoWeekDate, "ISO Week date", "ISO-Woche-Datum"},
        {Gen::Julian, "Julian", "Julianisch"},
        {Gen::JulianCalendar, "Julian Calendar", "Julianischer Kalender"},
        {Gen::JulianCalendarDate, "Julian Calendar date", "Julianisches Kalenderdatum"},
        {Gen::JulianDayNumber, "Julian day number", "Julianische Tageszahl"},
        {Gen::LeapWeekMonthDate, "Tarvell Leap Week month date", "Tarvell Leap Week Monatdatum"},
        {Gen::LeapWeekWeekDate, "Tarvell Leap Week week date", "Tarvell Leap Week Wochendatum"},
        {Gen::Minus, "minus", "minus"},
        {Gen::Month, "Month", "Monat"},
        {Gen::Months, "Months", "Monate"},
        {Gen::None, "None", "Keine"},
        {Gen::NotCountingWeekendDays, "not counting weekend days", "die Wochenendtage nicht gezaehlt"},
        {Gen::OnlineDocumentation, "Online documentation", "Online-Dokumentation"},
        {Gen::Or, "or", "oder"},
        {Gen::OrdinalDate, "Ordinal date", "Ordinaldatum"},
        {Gen::OutOfRange, "Out of Range", "Ausserhalb des erlaubten Bereichs"},
        {Gen::OutputWindow, "Output window", "Ausgabefenster"},
        {Gen::OutputWindowIsEmpty, "The output window is empty.", "Das Ausgabefenster is leer."},
        {Gen::PleaseSpecifyYear, "Please specify year", "Spezifizieren Sie bitte das Jahr"},
        {Gen::Plus, "plus", "plus"},
        {Gen::Quit, "Quit", "Beenden"},
        {Gen::Reset, "Reset", "Rueckstellen"},
        {Gen::SaveResultsOnQuit, "Save results on quit", "Ergebnisse beim Beenden sichern"},
        {Gen::SecondDate, "Second date", "Zweites Datum"},
        {Gen::SecondToFirst, "Second -> First", "Zweites -> Erstes"},
        {Gen::ThisIsA, "This is a", "Dies ist ein"},
        {Gen::ThousandsSeparator, "Thousands separator", "Tausendertrennzeichen"},
        {Gen::To, "To", "Bis"},
        {Gen::Today, "Today", "Heute"},
        {Gen::TodayIs, "Today is", "Heute ist"},
        {Gen::Verbose, "Verbose", "Zusatzinfo"},
        {Gen::Week, "Week", "Woche"},
        {Gen::Weeks, "Weeks", "Wochen"},
        {Gen::WithFinalDigitOfYear, "with final digit of year", "mit letzter Ziffer des Jahres"},
        {Gen::Year, "Year", "Jahr"},
        {Gen::Years, "Years", "Jahre"},
        {Gen::OrdinalPattern, "yyyyddd", "JJJJTTT"},
        {Gen::OrdinalPatternWithHyphen, "yyyy-ddd", "JJJJ-TTT"},
    }},
    {{
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    }},
    {{
        {"January", "February", "March", "April", "May", "June", "July", "August", "September",
         "October", "November", "December"},
        {"Januar", "Februar", "Maerz", "April", "Mai", "Juni", "Juli", "August", "September",
         "Oktober", "November", "Dezember"},
    }},
};

// The lookup indexes by enumerator, so every row must sit at the position of its own id and
// every text must be present; a misplaced or missing row fails the build.
constexpr bool RowsMatchTheirIds() {
  for (std::size_t i = 0; i < kTexts.entries.size(); ++i) {
    const GeneralTextEntry& e = kTexts.entries[i];
    if (static_cast<std::size_t>(e.id) != i || e.english.empty() || e.german.empty()) {
      return false;
    }
  }
  return true;
}
static_assert(RowsMatchTheirIds(), "general text rows must follow the order of enum Gen");

// Only German has its own slot; every other code reads the English texts.
constexpr std::size_t Slot(int16_t language) { return language == LanguageGerman ? 1U : 0U; }

}  // namespace

const GeneralTexts& InitGeneralTexts() { return kTexts; }

std::string_view T(Gen entry, int16_t language) {
  const auto index = static_cast<std::size_t>(entry);
  if (index >= kTexts.entries.size()) {
    return {};
  }
  const GeneralTextEntry& e = kTexts.entries[index];
  return Slot(language) == 1U ? e.german : e.english;
}

std::string_view WeekdayName(int16_t language, int dayOfWeek) {
  if (dayOfWeek < 0 || dayOfWeek > 6) {
    return {};
  }
  return kTexts.weekdays[Slot(language)][static_cast<std::size_t>(dayOfWeek)];
}

std::string_view MonthName(int16_t language, int month) {
  if (month < 1 || month > 12) {
    return {};
  }
  return kTexts.months[Slot(language)][static_cast<std::size_t>(month - 1)];
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return result;
}

}  // namespace qv
