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
      "Four more keep the months and days of the Common Era Calendar and count their years otherwise. "
      "The Japanese calendar (JPN) counts the years of the emperor's era, written with the era's "
      "letter M (Meiji), T (Taisho), S (Showa), H (Heisei) or R (Reiwa): R7-12-08 JPN is 8 December "
      "of Reiwa 7 (2025); a date outside its era is not valid, and dates before 1 January 1873 "
      "(Meiji 6), when Japan took up this calendar, are refused. Minguo (ROC) is the year of the "
      "Republic of China, the Common Era year less 1911, from 1 January 1912. The Thai solar calendar "
      "(THA) counts the Buddhist Era, the Common Era year plus 543; until 1940 its years began on "
      "1 April, so January to March belong to the year before; dates before 1 April 1889 are "
      "refused. The Revised Julian calendar (RJU) makes a century year a leap year when it leaves "
      "200 or 600 divided by 900; it agrees with the Common Era Calendar from 1 March 1600 to "
      "28 February 2800.",
      "Four more are reckoned from the sun and the moon. The Chinese (CHN), Korean (KOR) and "
      "Vietnamese (VNM) calendars begin each month on the day of the new moon at their country's "
      "meridian; a year of 13 months repeats one month, the leap month, written with L before its "
      "number (2023-L02-15 CHN), and a year is numbered by the Common Era year in which it begins. "
      "The Bahai calendar (BAH) has 19 months of 19 days and the 4 or 5 days of Ayyam-i-Ha, written "
      "as month 0 (181-00-02 BAH); since 172 BE (2015) its year begins on the day of the March "
      "equinox at Tehran. The Chinese, Korean and Vietnamese calendars convert dates from "
      "28 January 1645 to 3 February 2201, the Bahai calendar from 21 March 1844 to 20 March 2201; "
      "other dates are refused, since the Earth's rotation cannot be foretold well enough to place "
      "a later new moon or equinox on its day.",
      "'Working days...', below 'Count weekend days in days-between-dates', chooses the days of the "
      "week that are worked, the public holidays of a country or region, and holiday files of your "
      "own (iCalendar files, lists of dates, rule files). Counting and adding days leave out the "
      "other days while 'Count weekend days in days-between-dates' is not ticked; the note beside "
      "the button names the choice.",
      "'Other calendar:' in a 'This is a' group reads and writes the date of its box in the calendar "
      "chosen in the list beside it: one of the calendars above.",
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
      "Vier weitere behalten die Monate und Tage des Common-Era-Kalenders und zaehlen ihre Jahre "
      "anders. Der japanische Kalender (JPN) zaehlt die Jahre der Aera des Kaisers, geschrieben mit "
      "dem Buchstaben der Aera M (Meiji), T (Taisho), S (Showa), H (Heisei) oder R (Reiwa): "
      "R7-12-08 JPN ist der 8. Dezember Reiwa 7 (2025); ein Datum ausserhalb seiner Aera ist "
      "ungueltig, Daten vor dem 1. Januar 1873 (Meiji 6), als Japan diesen Kalender einfuehrte, "
      "werden abgelehnt. Minguo (ROC) ist das Jahr der Republik China, das Jahr der Common Era "
      "weniger 1911, ab dem 1. Januar 1912. Der thailaendische Sonnenkalender (THA) zaehlt die "
      "buddhistische Aera, das Jahr der Common Era plus 543; bis 1940 begannen seine Jahre am "
      "1. April, Januar bis Maerz gehoeren also zum Jahr davor; Daten vor dem 1. April 1889 werden "
      "abgelehnt. Der neujulianische Kalender (RJU) macht ein Jahrhundertjahr zum Schaltjahr, wenn "
      "es durch 900 geteilt 200 oder 600 laesst; vom 1. Maerz 1600 bis zum 28. Februar 2800 stimmt "
      "er mit dem Common-Era-Kalender ueberein.",
      "Vier weitere werden nach Sonne und Mond berechnet. Der chinesische (CHN), der koreanische "
      "(KOR) und der vietnamesische Kalender (VNM) beginnen jeden Monat am Tag des Neumonds am "
      "Meridian ihres Landes; ein Jahr von 13 Monaten wiederholt einen Monat, den Schaltmonat, "
      "geschrieben mit L vor seiner Nummer (2023-L02-15 CHN), und ein Jahr traegt die Nummer des "
      "Jahres der Common Era, in dem es beginnt. Der Bahai-Kalender (BAH) hat 19 Monate zu 19 Tagen "
      "und die 4 oder 5 Tage von Ayyam-i-Ha, geschrieben als Monat 0 (181-00-02 BAH); seit 172 BE "
      "(2015) beginnt sein Jahr am Tag der Maerz-Tagundnachtgleiche in Teheran. Der chinesische, der "
      "koreanische und der vietnamesische Kalender rechnen Daten vom 28. Januar 1645 bis zum "
      "3. Februar 2201 um, der Bahai-Kalender vom 21. Maerz 1844 bis zum 20. Maerz 2201; andere "
      "Daten werden abgelehnt, weil sich die Drehung der Erde nicht genau genug vorhersagen laesst, "
      "um einen spaeteren Neumond oder eine spaetere Tagundnachtgleiche ihrem Tag zuzuordnen.",
      "'Arbeitstage...' unter 'Wochenendtage zaehlen' waehlt die Wochentage, an denen gearbeitet "
      "wird, die gesetzlichen Feiertage eines Landes oder einer Region und eigene Feiertagsdateien "
      "(iCalendar-Dateien, Datumslisten, Regeldateien). Zaehlen und Addieren von Tagen lassen die "
      "uebrigen Tage aus, solange 'Wochenendtage zaehlen' nicht angekreuzt ist; der Hinweis neben "
      "dem Knopf nennt die Auswahl.",
      "'Anderer Kalender:' in einer Gruppe 'Dies ist ein' liest und schreibt das Datum seines Feldes "
      "in dem Kalender, der in der Liste daneben gewaehlt ist: einem der Kalender oben.",
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
