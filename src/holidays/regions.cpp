#include "holidays/regions.h"

#include <array>
#include <cstddef>

namespace qv::holidays {
namespace {

// Row builders: one line of a table each. Years default to the region's first year and to no end.
constexpr HolidayRule Fixed(int month, int day, HolidayName name, Substitute substitute = Substitute::None,
                            int32_t first = 0, int32_t last = kNoLastYear) {
  return {.kind = RuleKind::FixedDate, .month = static_cast<int8_t>(month), .day = static_cast<int8_t>(day),
          .substitute = substitute, .first_year = first, .last_year = last, .name = name};
}
constexpr HolidayRule FixedIn(int32_t first, int32_t last, int month, int day, HolidayName name,
                              Substitute substitute = Substitute::None) {
  return Fixed(month, day, name, substitute, first, last);
}
constexpr HolidayRule OneOff(int32_t year, int month, int day, HolidayName name) {
  return Fixed(month, day, name, Substitute::None, year, year);
}
constexpr HolidayRule Nth(int nth, Weekday weekday, int month, HolidayName name, int32_t first = 0,
                          int32_t last = kNoLastYear) {
  return {.kind = RuleKind::NthWeekday, .month = static_cast<int8_t>(month), .nth = static_cast<int8_t>(nth),
          .weekday = weekday, .first_year = first, .last_year = last, .name = name};
}
constexpr HolidayRule Last(Weekday weekday, int month, HolidayName name, int32_t first = 0, int32_t last = kNoLastYear) {
  return {.kind = RuleKind::LastWeekday, .month = static_cast<int8_t>(month), .weekday = weekday,
          .first_year = first, .last_year = last, .name = name};
}
constexpr HolidayRule Easter(int offset, HolidayName name, int32_t first = 0, int32_t last = kNoLastYear) {
  return {.kind = RuleKind::EasterOffset, .easter_offset = static_cast<int16_t>(offset), .first_year = first,
          .last_year = last, .name = name};
}
constexpr HolidayRule Before(Weekday weekday, int month, int day, HolidayName name, int32_t first = 0,
                             int32_t last = kNoLastYear) {
  return {.kind = RuleKind::WeekdayBefore, .month = static_cast<int8_t>(month), .day = static_cast<int8_t>(day),
          .weekday = weekday, .first_year = first, .last_year = last, .name = name};
}

template <size_t... N>
constexpr auto Join(const std::array<HolidayRule, N>&... tables) {
  std::array<HolidayRule, (N + ...)> joined{};
  size_t i = 0;
  ((std::copy(tables.begin(), tables.end(), joined.begin() + static_cast<std::ptrdiff_t>(i)), i += N), ...);
  return joined;
}

using enum Weekday;
constexpr Substitute kNextFree = Substitute::NextFreeWeekday;
constexpr Substitute kNearest = Substitute::NearestWeekday;

// --- Names shared by several tables ----------------------------------------------------------------

constexpr HolidayName kNewYear{"New Year's Day", "Neujahr"};
constexpr HolidayName kEpiphany{"Epiphany", "Heilige Drei Könige"};
constexpr HolidayName kGoodFriday{"Good Friday", "Karfreitag"};
constexpr HolidayName kEasterSunday{"Easter Sunday", "Ostersonntag"};
constexpr HolidayName kEasterMonday{"Easter Monday", "Ostermontag"};
constexpr HolidayName kAscension{"Ascension Day", "Christi Himmelfahrt"};
constexpr HolidayName kWhitSunday{"Whit Sunday", "Pfingstsonntag"};
constexpr HolidayName kWhitMonday{"Whit Monday", "Pfingstmontag"};
constexpr HolidayName kCorpusChristi{"Corpus Christi", "Fronleichnam"};
constexpr HolidayName kAssumption{"Assumption Day", "Mariä Himmelfahrt"};
constexpr HolidayName kAllSaints{"All Saints' Day", "Allerheiligen"};
constexpr HolidayName kReformation{"Reformation Day", "Reformationstag"};
constexpr HolidayName kRepentance{"Day of Repentance and Prayer", "Buß- und Bettag"};
constexpr HolidayName kWomensDay{"International Women's Day", "Internationaler Frauentag"};

// --- Germany ---------------------------------------------------------------------------------------
// The laws of the reunited country and its states: from 1991, the first whole year after 3 October
// 1990. The Day of Repentance and Prayer was a holiday in every state until 1994 and has been one
// in Saxony only since 1995 (it was given up to fund the long-term care insurance). Reformation Day
// 2017, the 500th anniversary, was a holiday in every state once.

constexpr auto kGermany = std::to_array<HolidayRule>({
    Fixed(1, 1, kNewYear),
    Easter(-2, kGoodFriday),
    Easter(1, kEasterMonday),
    Fixed(5, 1, {"Labour Day", "Tag der Arbeit"}),
    Easter(39, kAscension),
    Easter(50, kWhitMonday),
    Fixed(10, 3, {"Day of German Unity", "Tag der Deutschen Einheit"}),
    Fixed(12, 25, {"Christmas Day", "1. Weihnachtstag"}),
    Fixed(12, 26, {"Second Day of Christmas", "2. Weihnachtstag"}),
    Before(Wednesday, 11, 23, kRepentance, 0, 1994),
    OneOff(2017, 10, 31, kReformation),
});

// Catholic holidays of the southern and western states (Assumption Day only where the whole state
// keeps it: in Saarland, not in Bavaria, where only some municipalities do).
constexpr auto kBadenWuerttemberg = Join(kGermany, std::to_array<HolidayRule>({
    Fixed(1, 6, kEpiphany), Easter(60, kCorpusChristi), Fixed(11, 1, kAllSaints)}));
constexpr auto kBavaria = Join(kGermany, std::to_array<HolidayRule>({
    Fixed(1, 6, kEpiphany), Easter(60, kCorpusChristi), Fixed(11, 1, kAllSaints)}));
constexpr auto kBerlin = Join(kGermany, std::to_array<HolidayRule>({
    Fixed(3, 8, kWomensDay, Substitute::None, 2019),
    OneOff(2020, 5, 8, {"75th anniversary of the end of the Second World War", "75. Jahrestag der Befreiung"}),
    OneOff(2025, 5, 8, {"80th anniversary of the end of the Second World War", "80. Jahrestag der Befreiung"})}));
constexpr auto kBrandenburg = Join(kGermany, std::to_array<HolidayRule>({
    Easter(0, kEasterSunday), Easter(49, kWhitSunday), Fixed(10, 31, kReformation)}));
constexpr auto kBremen = Join(kGermany, std::to_array<HolidayRule>({Fixed(10, 31, kReformation, Substitute::None, 2018)}));
constexpr auto kHamburg = Join(kGermany, std::to_array<HolidayRule>({Fixed(10, 31, kReformation, Substitute::None, 2018)}));
constexpr auto kHesse = Join(kGermany, std::to_array<HolidayRule>({Easter(60, kCorpusChristi)}));
constexpr auto kMecklenburgWesternPomerania = Join(kGermany, std::to_array<HolidayRule>({
    Fixed(10, 31, kReformation), Fixed(3, 8, kWomensDay, Substitute::None, 2023)}));
constexpr auto kLowerSaxony = Join(kGermany, std::to_array<HolidayRule>({Fixed(10, 31, kReformation, Substitute::None, 2018)}));
constexpr auto kNorthRhineWestphalia = Join(kGermany, std::to_array<HolidayRule>({
    Easter(60, kCorpusChristi), Fixed(11, 1, kAllSaints)}));
constexpr auto kRhinelandPalatinate = Join(kGermany, std::to_array<HolidayRule>({
    Easter(60, kCorpusChristi), Fixed(11, 1, kAllSaints)}));
constexpr auto kSaarland = Join(kGermany, std::to_array<HolidayRule>({
    Easter(60, kCorpusChristi), Fixed(8, 15, kAssumption), Fixed(11, 1, kAllSaints)}));
constexpr auto kSaxony = Join(kGermany, std::to_array<HolidayRule>({
    Fixed(10, 31, kReformation), Before(Wednesday, 11, 23, kRepentance, 1995)}));
constexpr auto kSaxonyAnhalt = Join(kGermany, std::to_array<HolidayRule>({Fixed(1, 6, kEpiphany), Fixed(10, 31, kReformation)}));
constexpr auto kSchleswigHolstein = Join(kGermany, std::to_array<HolidayRule>({Fixed(10, 31, kReformation, Substitute::None, 2018)}));
constexpr auto kThuringia = Join(kGermany, std::to_array<HolidayRule>({
    Fixed(10, 31, kReformation), Fixed(9, 20, {"World Children's Day", "Weltkindertag"}, Substitute::None, 2019)}));

// --- Austria ---------------------------------------------------------------------------------------
// The holidays of the Feiertagsruhegesetz as amended in 1967, when 26 October became the National
// Day. Good Friday is left out: until 2018 it was a day off only for members of the Protestant, Old
// Catholic and Methodist churches, and since 2019 it is no holiday.

constexpr auto kAustria = std::to_array<HolidayRule>({
    Fixed(1, 1, kNewYear),
    Fixed(1, 6, kEpiphany),
    Easter(1, kEasterMonday),
    Fixed(5, 1, {"National Holiday (Labour Day)", "Staatsfeiertag"}),
    Easter(39, kAscension),
    Easter(50, kWhitMonday),
    Easter(60, kCorpusChristi),
    Fixed(8, 15, kAssumption),
    Fixed(10, 26, {"National Day", "Nationalfeiertag"}),
    Fixed(11, 1, kAllSaints),
    Fixed(12, 8, {"Immaculate Conception", "Mariä Empfängnis"}),
    Fixed(12, 25, {"Christmas Day", "Christtag"}),
    Fixed(12, 26, {"St Stephen's Day", "Stefanitag"}),
});

// --- United Kingdom --------------------------------------------------------------------------------
// Bank holidays of the Banking and Financial Dealings Act 1971 and the royal proclamations of each
// year, from 1995 on: substitute days for those on a weekend, the moved early May holidays of 1995
// and 2020 (the anniversaries of VE Day), the moved spring holidays of the jubilee years, and the
// one-off days.

constexpr HolidayName kEarlyMay{"Early May bank holiday", "Bankfeiertag Anfang Mai"};
constexpr HolidayName kSpring{"Spring bank holiday", "Frühlings-Bankfeiertag"};
constexpr HolidayName kSummer{"Summer bank holiday", "Sommer-Bankfeiertag"};

constexpr auto kUnitedKingdom = std::to_array<HolidayRule>({
    Fixed(1, 1, kNewYear, kNextFree),
    Easter(-2, kGoodFriday),
    OneOff(1995, 5, 8, {"Early May bank holiday (VE Day)", "Bankfeiertag Anfang Mai (Tag der Befreiung)"}),
    Nth(1, Monday, 5, kEarlyMay, 1996, 2019),
    OneOff(2020, 5, 8, {"Early May bank holiday (VE Day)", "Bankfeiertag Anfang Mai (Tag der Befreiung)"}),
    Nth(1, Monday, 5, kEarlyMay, 2021),
    Last(Monday, 5, kSpring, 0, 2001),
    OneOff(2002, 6, 4, kSpring),
    Last(Monday, 5, kSpring, 2003, 2011),
    OneOff(2012, 6, 4, kSpring),
    Last(Monday, 5, kSpring, 2013, 2021),
    OneOff(2022, 6, 2, kSpring),
    Last(Monday, 5, kSpring, 2023),
    Fixed(12, 25, {"Christmas Day", "1. Weihnachtstag"}, kNextFree),
    Fixed(12, 26, {"Boxing Day", "2. Weihnachtstag (Boxing Day)"}, kNextFree),
    OneOff(1999, 12, 31, {"Millennium Eve", "Millenniumsfeiertag"}),
    OneOff(2002, 6, 3, {"Golden Jubilee of Queen Elizabeth II", "Goldenes Thronjubiläum von Königin Elisabeth II."}),
    OneOff(2011, 4, 29, {"Wedding of Prince William and Catherine Middleton",
                         "Hochzeit von Prinz William und Catherine Middleton"}),
    OneOff(2012, 6, 5, {"Diamond Jubilee of Queen Elizabeth II", "Diamantenes Thronjubiläum von Königin Elisabeth II."}),
    OneOff(2022, 6, 3, {"Platinum Jubilee of Queen Elizabeth II", "Platin-Thronjubiläum von Königin Elisabeth II."}),
    OneOff(2022, 9, 19, {"State Funeral of Queen Elizabeth II", "Staatsbegräbnis von Königin Elisabeth II."}),
    OneOff(2023, 5, 8, {"Coronation of King Charles III", "Krönung von König Charles III."}),
});

constexpr auto kEnglandAndWales = Join(kUnitedKingdom, std::to_array<HolidayRule>({
    Easter(1, kEasterMonday), Last(Monday, 8, kSummer)}));

constexpr HolidayName kSecondJanuary{"2 January", "2. Januar"};
// Scotland: 2 January, the summer holiday on the first Monday of August, St Andrew's Day (the Act of
// 2007) and no Easter Monday. No proclamation moved 2 January from a weekend in 2010 and 2011.
constexpr auto kScotland = Join(kUnitedKingdom, std::to_array<HolidayRule>({
    Fixed(1, 2, kSecondJanuary, kNextFree, 0, 2009),
    FixedIn(2010, 2011, 1, 2, kSecondJanuary),
    Fixed(1, 2, kSecondJanuary, kNextFree, 2012),
    Nth(1, Monday, 8, kSummer),
    Fixed(11, 30, {"St Andrew's Day", "Andreastag"}, kNextFree, 2007),
}));

constexpr auto kNorthernIreland = Join(kEnglandAndWales, std::to_array<HolidayRule>({
    Fixed(3, 17, {"St Patrick's Day", "St.-Patricks-Tag"}, kNextFree),
    Fixed(7, 12, {"Battle of the Boyne (Orangemen's Day)", "Jahrestag der Schlacht am Boyne"}, kNextFree),
}));

// --- United States ---------------------------------------------------------------------------------
// Federal holidays (5 U.S.C. 6103) from 1971, when the Uniform Monday Holiday Act took effect:
// Veterans Day on the fourth Monday of October until 1977, Martin Luther King Jr. Day from 1986,
// Juneteenth from 2021. A holiday on a Saturday is observed on the Friday before, one on a Sunday
// on the Monday after.

constexpr auto kUnitedStates = std::to_array<HolidayRule>({
    Fixed(1, 1, kNewYear, kNearest),
    Nth(3, Monday, 1, {"Birthday of Martin Luther King, Jr.", "Geburtstag von Martin Luther King Jr."}, 1986),
    Nth(3, Monday, 2, {"Washington's Birthday", "Washingtons Geburtstag"}),
    Last(Monday, 5, {"Memorial Day", "Memorial Day (Gedenktag für die Gefallenen)"}),
    Fixed(6, 19, {"Juneteenth National Independence Day", "Juneteenth (Gedenktag der Sklavenbefreiung)"}, kNearest, 2021),
    Fixed(7, 4, {"Independence Day", "Unabhängigkeitstag"}, kNearest),
    Nth(1, Monday, 9, {"Labor Day", "Tag der Arbeit (Labor Day)"}),
    Nth(2, Monday, 10, {"Columbus Day", "Columbus Day"}),
    Nth(4, Monday, 10, {"Veterans Day", "Veteranentag"}, 0, 1977),
    Fixed(11, 11, {"Veterans Day", "Veteranentag"}, kNearest, 1978),
    Nth(4, Thursday, 11, {"Thanksgiving Day", "Thanksgiving (Erntedankfest)"}),
    Fixed(12, 25, {"Christmas Day", "Weihnachten"}, kNearest),
});

constexpr int32_t kGermanyFrom = 1991;
constexpr int32_t kAustriaFrom = 1967;
constexpr int32_t kUnitedKingdomFrom = 1995;
constexpr int32_t kUnitedStatesFrom = 1971;

const std::array<Region, 22> kRegions{{
    {"DE", {"Germany (nationwide)", "Deutschland (bundesweit)"}, kGermanyFrom, kGermany},
    {"DE-BW", {"Baden-Württemberg", "Baden-Württemberg"}, kGermanyFrom, kBadenWuerttemberg},
    {"DE-BY", {"Bavaria", "Bayern"}, kGermanyFrom, kBavaria},
    {"DE-BE", {"Berlin", "Berlin"}, kGermanyFrom, kBerlin},
    {"DE-BB", {"Brandenburg", "Brandenburg"}, kGermanyFrom, kBrandenburg},
    {"DE-HB", {"Bremen", "Bremen"}, kGermanyFrom, kBremen},
    {"DE-HH", {"Hamburg", "Hamburg"}, kGermanyFrom, kHamburg},
    {"DE-HE", {"Hesse", "Hessen"}, kGermanyFrom, kHesse},
    {"DE-MV", {"Mecklenburg-Western Pomerania", "Mecklenburg-Vorpommern"}, kGermanyFrom, kMecklenburgWesternPomerania},
    {"DE-NI", {"Lower Saxony", "Niedersachsen"}, kGermanyFrom, kLowerSaxony},
    {"DE-NW", {"North Rhine-Westphalia", "Nordrhein-Westfalen"}, kGermanyFrom, kNorthRhineWestphalia},
    {"DE-RP", {"Rhineland-Palatinate", "Rheinland-Pfalz"}, kGermanyFrom, kRhinelandPalatinate},
    {"DE-SL", {"Saarland", "Saarland"}, kGermanyFrom, kSaarland},
    {"DE-SN", {"Saxony", "Sachsen"}, kGermanyFrom, kSaxony},
    {"DE-ST", {"Saxony-Anhalt", "Sachsen-Anhalt"}, kGermanyFrom, kSaxonyAnhalt},
    {"DE-SH", {"Schleswig-Holstein", "Schleswig-Holstein"}, kGermanyFrom, kSchleswigHolstein},
    {"DE-TH", {"Thuringia", "Thüringen"}, kGermanyFrom, kThuringia},
    {"AT", {"Austria", "Österreich"}, kAustriaFrom, kAustria},
    {"GB-EAW", {"England and Wales", "England und Wales"}, kUnitedKingdomFrom, kEnglandAndWales},
    {"GB-SCT", {"Scotland", "Schottland"}, kUnitedKingdomFrom, kScotland},
    {"GB-NIR", {"Northern Ireland", "Nordirland"}, kUnitedKingdomFrom, kNorthernIreland},
    {"US", {"United States (federal holidays)", "Vereinigte Staaten (Bundesfeiertage)"}, kUnitedStatesFrom, kUnitedStates},
}};

}  // namespace

std::span<const Region> Regions() { return kRegions; }

const Region* FindRegion(std::string_view code) {
  for (const Region& region : kRegions) {
    if (region.code.size() != code.size()) continue;
    bool same = true;
    for (size_t i = 0; i < code.size() && same; ++i) {
      const char c = code[i];
      same = (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) == region.code[i];
    }
    if (same) return &region;
  }
  return nullptr;
}

std::vector<HolidayRule> RulesInForce(const Region& region) {
  std::vector<HolidayRule> rules;
  rules.reserve(region.rules.size());
  for (HolidayRule rule : region.rules) {
    if (rule.last_year < region.first_year) continue;
    if (rule.first_year < region.first_year) rule.first_year = region.first_year;
    rules.push_back(rule);
  }
  return rules;
}

}  // namespace qv::holidays
