#include "lang/help_texts.h"

#include <array>

#include "lang/general_texts.h"

namespace qv {
namespace {

constexpr std::string_view kParagraphBreak = "\n\n";

// Articles the help text names beside the calendars it explains.
constexpr std::string_view kJulianArticleEnglish = "https://en.wikipedia.org/wiki/Julian_calendar";
constexpr std::string_view kJulianArticleGerman = "https://de.wikipedia.org/wiki/Julianischer_Kalender";
constexpr std::string_view kIsoArticleEnglish = "https://en.wikipedia.org/wiki/ISO_week_date";
constexpr std::string_view kIsoArticleGerman = "https://de.wikipedia.org/wiki/Woche#Kalenderwoche";
// The leap-week calendar is described in the manual's own section.
constexpr std::string_view kLeapWeekSection = "#leapweek";
// The working days, the first of the manual's sections on what the window adds.
constexpr std::string_view kWorkDaysSection = "#workdays";
constexpr std::string_view kWorkDaysSectionGerman = "#arbeitstage";

std::string Join(std::initializer_list<std::string> paragraphs) {
  std::string text;
  for (const std::string& paragraph : paragraphs) {
    if (!text.empty()) text += kParagraphBreak;
    text += paragraph;
  }
  return text;
}

std::string English(std::string_view manual) {
  const std::string m(manual);
  return Join({
      "The complete user manual:\n" + m,
      "Quorvan converts Common Era dates, Julian Calendar dates, ISO 8601 Week dates, Tarvell Leap "
      "Week dates, ordinal dates ('yyyy-ddd') and Julian day numbers into each other, adds a number "
      "of days or months to a date or subtracts it, and finds the difference in days between two "
      "dates.",
      "A Common Era (CE) date is a date of the Gregorian Calendar with the years numbered "
      "... -1, 0, 1, 2 ... CE instead of AD and BC: 1 AD = 1 CE, 1 BC = 0 CE, 2 BC = -1 CE, and so "
      "on. The Gregorian rules are applied to years before 1582 as well.",
      "A Julian Calendar (JC) date is a date of the Julian Calendar with the years numbered in the "
      "same way. More about the calendars:\n" + std::string(kJulianArticleEnglish),
      "The ordinal date 'yyyy-ddd' gives day 'ddd' of the Common Era year 'yyyy': New Year's Day is "
      "day 001, the last day of the year is day 365, or 366 in a leap year. Ordinal dates range "
      "from \"0001-001\" to \"9999-365\".",
      "An ISO 8601 Week Calendar date has the form (year)-W(week)-(day), for example 2024-W22-1 for "
      "the Monday of week 22 of 2024. Days are numbered 1 (Monday) to 7 (Sunday). More about ISO "
      "week dates:\n" + std::string(kIsoArticleEnglish),
      "A Tarvell Leap Week Calendar date has the form (year)-(week)-(day) LPW in its week form or "
      "(year)-(month)-(day) LPM in its month form. A description of this calendar:\n" + m +
          std::string(kLeapWeekSection),
      "The (chronological) Julian day number of a day is the number of days since the start of "
      "-4712-01-01 (Julian Calendar).",
      "To convert a date: choose the calendar of the input and the calendar of the output, enter "
      "the date in 'First date' and click 'Compute'.",
      "To get the number of days between two dates (possibly in different calendars): enter both "
      "dates and click 'Compute'.",
      "To add or subtract days: enter the first (or the second) date and the number of days, "
      "positive or negative, in 'Date difference' and click 'Compute'.",
      "Leap years: in the Julian Calendar every year divisible by 4; in the Common Era Calendar "
      "every year divisible by 4 but not by 100, and every year divisible by 400; in the Tarvell "
      "Leap Week Calendar the third year of a 'hexade'.",
      "Quorvan also reads and writes eight more calendars: Hebrew (HEB), Islamic (ISL), Persian "
      "(PER), French Republican (FRR), Coptic (COP), Ethiopian (ETH), the Mayan long count (MAY) and "
      "the Indian national calendar (IND), as year-month-day in the order and separator of Common "
      "Era dates (5785-01-01 HEB), as the Mayan long count (13.0.0.0.0 MAY) or with the month's "
      "name (15 Nisan 5784). Here every day begins at midnight; Hebrew and Islamic days begin at "
      "sunset, so an evening date is the next day there. The Islamic calendar is the tabular civil "
      "one: the calendar as observed by sighting the moon, or by the Umm al-Qura tables, may differ "
      "by a day or two.",
      "'Working days...', below 'Count weekend days in days-between-dates', chooses the days of the "
      "week that are worked, the public holidays of a country or region, and holiday files of your "
      "own (iCalendar files, lists of dates, rule files). Counting and adding days leave out the "
      "other days while 'Count weekend days in days-between-dates' is not ticked; the note beside "
      "the button names the choice.",
      "'Other calendar:' in a 'This is a' group reads and writes the date of its box in the calendar "
      "chosen in the list beside it: one of the eight calendars above.",
      "'More calendars...' below this text chooses the calendars that the line 'Today is' goes on to "
      "after JDN when it is clicked.",
      "The manual describes all of these, and the command-line program quorvan-cli:\n" + m +
          std::string(kWorkDaysSection),
  });
}

std::string German(std::string_view manual) {
  const std::string m(manual);
  return Join({
      "Das vollstaendige Benutzerhandbuch:\n" + m,
      "Quorvan rechnet Common-Era-Daten, Daten des Julianischen Kalenders, Daten der ISO-8601-Woche, "
      "Daten des Tarvell Leap Week Kalenders, Ordinaldaten und Julianische Tageszahlen ineinander "
      "um, addiert eine Anzahl Tage oder Monate zu einem Datum oder zieht sie ab und ermittelt die "
      "Differenz in Tagen zwischen zwei Daten.",
      "Ein Common-Era-Datum (CE) ist ein Datum des Gregorianischen Kalenders, dessen Jahre "
      "... -1, 0, 1, 2 ... CE statt vor und nach Christus gezaehlt werden: 1 CE = 1 n.Chr., "
      "0 CE = 1 v.Chr., -1 CE = 2 v.Chr., -2 CE = 3 v.Chr. usw. Die Gregorianischen Regeln gelten "
      "auch fuer die Jahre vor 1582.",
      "Ein Datum des Julianischen Kalenders (JC) zaehlt die Jahre auf dieselbe Weise. Mehr ueber "
      "die Kalender:\n" + std::string(kJulianArticleGerman),
      "Ein Datum der ISO-8601-Woche hat die Form (Jahr)-W(Woche)-(Tag), zum Beispiel 2024-W22-1 "
      "fuer den Montag der Woche 22 des Jahres 2024. Die Tage sind von 1 (Montag) bis 7 (Sonntag) "
      "nummeriert. Mehr ueber ISO-Wochendaten:\n" + std::string(kIsoArticleGerman),
      "Ein Datum des Tarvell Leap Week Kalenders hat die Form (Jahr)-(Woche)-(Tag) LPW in der "
      "Wochenform oder (Jahr)-(Monat)-(Tag) LPM in der Monatsform. Eine Beschreibung dieses "
      "Kalenders:\n" + m + std::string(kLeapWeekSection),
      "Die (chronologische) Julianische Tageszahl eines Tages ist die Anzahl der Tage seit dem "
      "Beginn des -4712-01-01 (Julianischer Kalender).",
      "Ein Datum umrechnen: den Kalender der Eingabe und den der Ausgabe waehlen, das Datum in "
      "'Erstes Datum' eingeben und 'Berechnen' anklicken.",
      "Die Anzahl der Tage zwischen zwei Daten (auch in verschiedenen Kalendern): beide Daten "
      "eingeben und 'Berechnen' anklicken.",
      "Tage addieren oder abziehen: das erste (oder das zweite) Datum und die Anzahl der Tage, "
      "positiv oder negativ, in 'Datumsdifferenz' eingeben und 'Berechnen' anklicken.",
      "Schaltjahre: im Julianischen Kalender jedes durch 4 teilbare Jahr; im Common-Era-Kalender "
      "jedes durch 4, aber nicht durch 100 teilbare Jahr und jedes durch 400 teilbare Jahr; im "
      "Tarvell Leap Week Kalender das dritte Jahr einer 'Hexade'.",
      "Quorvan liest und schreibt ausserdem acht weitere Kalender: den juedischen (HEB), den "
      "islamischen (ISL), den persischen (PER), den franzoesischen Revolutionskalender (FRR), den "
      "koptischen (COP), den aethiopischen (ETH), die Lange Zaehlung der Maya (MAY) und den "
      "indischen Nationalkalender (IND), als Jahr-Monat-Tag in der Reihenfolge und mit dem "
      "Trennzeichen der Common-Era-Daten (5785-01-01 HEB), als Lange Zaehlung (13.0.0.0.0 MAY) oder "
      "mit dem Monatsnamen (15 Nisan 5784). Hier beginnt jeder Tag um Mitternacht; juedische und "
      "islamische Tage beginnen mit dem Sonnenuntergang, ein Datum am Abend ist dort also schon der "
      "naechste Tag. Der islamische Kalender ist der tabellarische: der nach Sichtung des Mondes "
      "oder nach den Umm-al-Qura-Tabellen gehaltene Kalender kann um ein oder zwei Tage abweichen.",
      "'Arbeitstage...' unter 'Wochenendtage zaehlen' waehlt die Wochentage, an denen gearbeitet "
      "wird, die gesetzlichen Feiertage eines Landes oder einer Region und eigene Feiertagsdateien "
      "(iCalendar-Dateien, Datumslisten, Regeldateien). Zaehlen und Addieren von Tagen lassen die "
      "uebrigen Tage aus, solange 'Wochenendtage zaehlen' nicht angekreuzt ist; der Hinweis neben "
      "dem Knopf nennt die Auswahl.",
      "'Anderer Kalender:' in einer Gruppe 'Dies ist ein' liest und schreibt das Datum seines Feldes "
      "in dem Kalender, der in der Liste daneben gewaehlt ist: einem der acht Kalender oben.",
      "'Weitere Kalender...' unter diesem Text waehlt die Kalender, zu denen die Zeile 'Heute ist' "
      "nach JDN weitergeht, wenn sie angeklickt wird.",
      "Das Handbuch beschreibt all das und das Kommandozeilenprogramm quorvan-cli:\n" + m +
          std::string(kWorkDaysSectionGerman),
  });
}

}  // namespace

std::string BuildHelpText(Language language, const ManualAddresses& manual) {
  return language == Language::German ? German(manual.german) : English(manual.english);
}

}  // namespace qv
