#include "lang/general_texts.h"

namespace qv {
namespace {

struct GeneralTextEntry {
  GeneralText id;
  std::string_view english;
  std::string_view german;
};

struct GeneralTexts {
  std::array<GeneralTextEntry, kGeneralTextCount> entries;
  std::array<std::array<std::string_view, 7>, 2> weekdays;  // [language][0 = Sunday .. 6]
  std::array<std::array<std::string_view, 12>, 2> months;   // [language][0 = January .. 11]
};

constexpr GeneralTexts kTexts{
    {{
        {GeneralText::AWeekFromTodayIs, "A week from today is", "Eine Woche weiter ist"},
        {GeneralText::Calendar, "Calendar", "Kalender"},
        {GeneralText::CancelThisOperation, "Cancel this operation", "Annullieren Sie diese Operation"},
        {GeneralText::CeJcDateFormat, "CE/JC date format", "CE/JC-Datumsformat"},
        {GeneralText::CeJcDateSeparator, "CE/JC date separator", "CE/JC-Datumstrennzeichen"},
        {GeneralText::Clear, "Clear", "Loeschen"},
        {GeneralText::ClickToChangeCalendar, "Click to change calendar", "Anklicken um Kalender zu veraendern"},
        {GeneralText::Close, "Close", "Schliessen"},
        {GeneralText::CommonEra, "Common Era", "Common Era"},
        {GeneralText::CommonEraCalendar, "Common Era Calendar", "Common Era Kalender"},
        {GeneralText::CommonEraDate, "Common Era date", "Common Era Datum"},
        {GeneralText::Compute, "Compute", "Berechnen"},
        {GeneralText::Continue, "Continue", "Fortfahren"},
        {GeneralText::CopyToClipboard, "Copy to clipboard", "Kopieren in Zwischenablage"},
        {GeneralText::CopySelectedTextToClipboard, "Copy selected text to clipboard",
         "Kopieren ausgewaehlter Text in Zwischenablage"},
        {GeneralText::CountWeekendDays, "Count weekend days in days-between-dates", "Wochenendtage zaehlen"},
        {GeneralText::DateDifference, "Date difference", "Datumsdifferenz"},
        {GeneralText::Day, "Day", "Tag"},
        {GeneralText::Days, "Days", "Tage"},
        {GeneralText::DisplayIsoWeekDates, "Display ISO Week dates", "ISO-Woche-Daten zeigen"},
        {GeneralText::DisplayMonth, "Display month", "Monat zeigen"},
        {GeneralText::DisplayNextMonth, "Display next month", "Folgender Monat zeigen"},
        {GeneralText::DisplayPreviousMonth, "Display previous month", "Vorhergehender Monat zeigen"},
        {GeneralText::English, "English", "Englisch"},
        {GeneralText::Enlarge, "Enlarge", "Vergroessern"},
        {GeneralText::Error, "Error", "Fehler"},
        {GeneralText::ExcludingFirstDate, "excluding 1st date", "ausschliesslich 1. Datum"},
        {GeneralText::FirstDate, "First date", "Erstes Datum"},
        {GeneralText::FirstDayOfWeek, "First day of week", "Erster Tag der Woche"},
        {GeneralText::German, "German", "Deutsch"},
        {GeneralText::Help, "Help", "Hilfe"},
        {GeneralText::HyphenInOrdinalAnd, "Hyphen in ordinal and", "Divis in Ordinal und"},
        {GeneralText::InIsoWeekDates, "in ISO Week dates", "in ISO-Woche Daten"},
        {GeneralText::IncludeFirstDate, "Include first date in days-beween-dates", "Erstes Datum einschliessen"},
        {GeneralText::IncludingFirstDate, "including 1st date", "einschliesslich 1. Datum"},
        {GeneralText::InvalidInput, "Invalid input", "Ungueltige Eingabe"},
        {GeneralText::IsoWeekDate, "ISO Week date", "ISO-Woche-Datum"},
        {GeneralText::Julian, "Julian", "Julianisch"},
        {GeneralText::JulianCalendar, "Julian Calendar", "Julianischer Kalender"},
        {GeneralText::JulianCalendarDate, "Julian Calendar date", "Julianisches Kalenderdatum"},
        {GeneralText::JulianDayNumber, "Julian day number", "Julianische Tageszahl"},
        {GeneralText::LeapWeekMonthDate, "Tarvell Leap Week month date", "Tarvell Leap Week Monatdatum"},
        {GeneralText::LeapWeekWeekDate, "Tarvell Leap Week week date", "Tarvell Leap Week Wochendatum"},
        {GeneralText::Minus, "minus", "minus"},
        {GeneralText::Month, "Month", "Monat"},
        {GeneralText::Months, "Months", "Monate"},
        {GeneralText::None, "None", "Keine"},
        {GeneralText::NotCountingWeekendDays, "not counting weekend days", "die Wochenendtage nicht gezaehlt"},
        {GeneralText::OnlineDocumentation, "Online documentation", "Online-Dokumentation"},
        {GeneralText::Or, "or", "oder"},
        {GeneralText::OrdinalDate, "Ordinal date", "Ordinaldatum"},
        {GeneralText::OutOfRange, "Out of Range", "Ausserhalb des erlaubten Bereichs"},
        {GeneralText::OutputWindow, "Output window", "Ausgabefenster"},
        {GeneralText::OutputWindowIsEmpty, "The output window is empty.", "Das Ausgabefenster is leer."},
        {GeneralText::PleaseSpecifyYear, "Please specify year", "Spezifizieren Sie bitte das Jahr"},
        {GeneralText::Plus, "plus", "plus"},
        {GeneralText::Quit, "Quit", "Beenden"},
        {GeneralText::Reset, "Reset", "Rueckstellen"},
        {GeneralText::SaveResultsOnQuit, "Save results on quit", "Ergebnisse beim Beenden sichern"},
        {GeneralText::SecondDate, "Second date", "Zweites Datum"},
        {GeneralText::SecondToFirst, "Second -> First", "Zweites -> Erstes"},
        {GeneralText::ThisIsA, "This is a", "Dies ist ein"},
        {GeneralText::ThousandsSeparator, "Thousands separator", "Tausendertrennzeichen"},
        {GeneralText::To, "To", "Bis"},
        {GeneralText::Today, "Today", "Heute"},
        {GeneralText::TodayIs, "Today is", "Heute ist"},
        {GeneralText::Verbose, "Verbose", "Zusatzinfo"},
        {GeneralText::Week, "Week", "Woche"},
        {GeneralText::Weeks, "Weeks", "Wochen"},
        {GeneralText::WithFinalDigitOfYear, "with final digit of year", "mit letzter Ziffer des Jahres"},
        {GeneralText::Year, "Year", "Jahr"},
        {GeneralText::Years, "Years", "Jahre"},
        {GeneralText::OrdinalPattern, "yyyyddd", "JJJJTTT"},
        {GeneralText::OrdinalPatternWithHyphen, "yyyy-ddd", "JJJJ-TTT"},
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
static_assert(RowsMatchTheirIds(), "general text rows must follow the order of enum GeneralText");

// Only German has its own slot; every other code reads the English texts.
constexpr std::size_t Slot(Language language) { return language == Language::German ? 1U : 0U; }

}  // namespace

std::string_view TextOf(GeneralText entry, Language language) {
  const auto index = static_cast<std::size_t>(entry);
  if (index >= kTexts.entries.size()) {
    return {};
  }
  const GeneralTextEntry& e = kTexts.entries[index];
  return Slot(language) == 1U ? e.german : e.english;
}

std::string_view WeekdayName(Language language, int dayOfWeek) {
  if (dayOfWeek < 0 || dayOfWeek > 6) {
    return {};
  }
  return kTexts.weekdays[Slot(language)][static_cast<std::size_t>(dayOfWeek)];
}

std::string_view MonthName(Language language, int month) {
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
