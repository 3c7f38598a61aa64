#include "text/calendar_names.h"

#include <array>
#include <span>

#include "calendar/added_calendars.h"
#include "calendar/hebrew.h"

namespace qv {
namespace {

struct MonthNames {
  std::string_view en;
  std::string_view de;
};

// A spelling a reader takes for a month, as its NameKey, and the month it names (for the Hebrew
// calendar in the order of a leap year, kAdar for Adar alone).
struct NameVariant {
  std::string_view key;
  int16_t month;
};

// --- Hebrew: the months from Tishri in the order of a leap year; Adar alone last. German
// spellings as German texts write them (Tischri, Cheschwan, …).
constexpr int16_t kAdar = 14;
constexpr std::array<MonthNames, 14> kHebrew{{{"Tishri", "Tischri"},
                                              {"Heshvan", "Cheschwan"},
                                              {"Kislev", "Kislew"},
                                              {"Tevet", "Tewet"},
                                              {"Shevat", "Schewat"},
                                              {"Adar I", "Adar I"},
                                              {"Adar II", "Adar II"},
                                              {"Nisan", "Nisan"},
                                              {"Iyyar", "Ijjar"},
                                              {"Sivan", "Siwan"},
                                              {"Tammuz", "Tammus"},
                                              {"Av", "Aw"},
                                              {"Elul", "Elul"},
                                              {"Adar", "Adar"}}};
constexpr auto kHebrewVariants = std::to_array<NameVariant>({
    {"tishrei", 1},   {"tishri", 1},     {"tisri", 1},         {"tischri", 1},      {"tisheri", 1},
    {"heshvan", 2},   {"cheshvan", 2},   {"marheshvan", 2},    {"marcheshvan", 2},  {"hesvan", 2},
    {"chesvan", 2},   {"cheschwan", 2},  {"marcheschwan", 2},  {"kislev", 3},       {"kislew", 3},
    {"chislev", 3},   {"tevet", 4},      {"teveth", 4},        {"tebeth", 4},       {"tewet", 4},
    {"shevat", 5}, {"shvat", 5},     {"shebat", 5},        {"schewat", 5},      {"schwat", 5},
    {"adari", 6},     {"adarrishon", 6}, {"adaraleph", 6},     {"adarii", 7},       {"adarsheni", 7},
    {"adarbet", 7},   {"veadar", 7},     {"nisan", 8},         {"nissan", 8},       {"iyyar", 9},
    {"iyar", 9},      {"ijjar", 9},      {"ijar", 9},          {"sivan", 10},       {"siwan", 10},
    {"tammuz", 11},   {"tamuz", 11},     {"tammus", 11},       {"adar", kAdar},     {"tamus", 11},
    {"av", 12},       {"ab", 12},        {"aw", 12},           {"elul", 13},
});

// --- Islamic (tabular civil): English and German transliterations.
constexpr std::array<MonthNames, 12> kIslamic{{{"Muharram", "Muharram"},
                                               {"Safar", "Safar"},
                                               {"Rabi' al-awwal", "Rabi' al-awwal"},
                                               {"Rabi' al-thani", "Rabi' ath-thani"},
                                               {"Jumada al-ula", "Dschumada l-ula"},
                                               {"Jumada al-akhira", "Dschumada th-thaniya"},
                                               {"Rajab", "Radschab"},
                                               {"Sha'ban", "Scha'ban"},
                                               {"Ramadan", "Ramadan"},
                                               {"Shawwal", "Schawwal"},
                                               {"Dhu al-Qa'da", "Dhu l-Qa'da"},
                                               {"Dhu al-Hijja", "Dhu l-Hiddscha"}}};
constexpr auto kIslamicVariants = std::to_array<NameVariant>({
    {"muharram", 1},         {"moharram", 1},       {"safar", 2},             {"rabialawwal", 3},
    {"rabiulawwal", 3},      {"rabii", 3},          {"rabiawwal", 3},         {"rabialula", 3},
    {"rabialthani", 4},      {"rabiaththani", 4},   {"rabiuththani", 4},      {"rabiulakhir", 4},
    {"rabialakhir", 4},      {"rabiii", 4},         {"rabithani", 4},         {"rabiulthani", 4},
    {"jumadaalula", 5},      {"jumadalula", 5},     {"jumadaalawwal", 5},     {"jumadai", 5},
    {"jumadaulula", 5},      {"dschumadalula", 5},  {"dschumadaalula", 5},    {"jumadaalakhira", 6},
    {"jumadaalakhirah", 6},  {"jumadaalthani", 6},  {"jumadaaththani", 6},    {"jumadaii", 6},
    {"jumadalakhira", 6},    {"jumadathani", 6},    {"dschumadaththaniya", 6}, {"dschumadaaththaniya", 6},
    {"rajab", 7},            {"radschab", 7},       {"shaban", 8},            {"schaban", 8},
    {"ramadan", 9},          {"ramazan", 9},        {"shawwal", 10},          {"schawwal", 10},
    {"shawal", 10},          {"dhualqada", 11},     {"dhulqada", 11},         {"dhualqadah", 11},
    {"dhulqadah", 11},       {"zulqadah", 11},      {"dhualhijja", 12},       {"dhualhijjah", 12},
    {"dhulhijja", 12},       {"dhulhijjah", 12},    {"zulhijjah", 12},        {"dhulhiddscha", 12},
});

// --- Persian (solar Hijri).
constexpr std::array<MonthNames, 12> kPersian{{{"Farvardin", "Farwardin"},
                                               {"Ordibehesht", "Ordibehescht"},
                                               {"Khordad", "Chordad"},
                                               {"Tir", "Tir"},
                                               {"Mordad", "Mordad"},
                                               {"Shahrivar", "Schahriwar"},
                                               {"Mehr", "Mehr"},
                                               {"Aban", "Aban"},
                                               {"Azar", "Azar"},
                                               {"Dey", "Dey"},
                                               {"Bahman", "Bahman"},
                                               {"Esfand", "Esfand"}}};
constexpr auto kPersianVariants = std::to_array<NameVariant>({
    {"farvardin", 1},   {"farwardin", 1}, {"ordibehesht", 2}, {"ordibehescht", 2},
    {"khordad", 3},     {"chordad", 3},   {"tir", 4},         {"mordad", 5},      {"amordad", 5},
    {"shahrivar", 6},   {"shahriwar", 6}, {"schahriwar", 6},  {"mehr", 7},        {"mihr", 7},
    {"aban", 8},        {"azar", 9},      {"adhar", 9},       {"dey", 10},        {"dei", 10},
    {"bahman", 11},     {"esfand", 12},     {"isfand", 12},
});

// --- French Republican: the French names in both languages; the complementary days as month 13.
constexpr std::array<MonthNames, 13> kFrench{{{"Vendémiaire", "Vendémiaire"},
                                              {"Brumaire", "Brumaire"},
                                              {"Frimaire", "Frimaire"},
                                              {"Nivôse", "Nivôse"},
                                              {"Pluviôse", "Pluviôse"},
                                              {"Ventôse", "Ventôse"},
                                              {"Germinal", "Germinal"},
                                              {"Floréal", "Floréal"},
                                              {"Prairial", "Prairial"},
                                              {"Messidor", "Messidor"},
                                              {"Thermidor", "Thermidor"},
                                              {"Fructidor", "Fructidor"},
                                              {"jours complémentaires", "jours complémentaires"}}};
constexpr auto kFrenchVariants = std::to_array<NameVariant>({
    {"vendemiaire", 1},  {"brumaire", 2},   {"frimaire", 3},        {"nivose", 4},
    {"pluviose", 5},     {"ventose", 6},    {"germinal", 7},        {"floreal", 8},
    {"prairial", 9},     {"messidor", 10},  {"thermidor", 11},      {"fructidor", 12},
    {"jourscomplementaires", 13},           {"jourcomplementaire", 13},
    {"sansculottides", 13},                 {"sansculottide", 13},  {"complementarydays", 13},
    {"complementaryday", 13},               {"erganzungstage", 13}, {"zusatztage", 13},
    {"epagomenes", 13},
});

// --- Coptic and Ethiopian.
constexpr std::array<MonthNames, 13> kCoptic{{{"Thout", "Thoth"},
                                              {"Paopi", "Paophi"},
                                              {"Hathor", "Hathyr"},
                                              {"Koiak", "Choiak"},
                                              {"Tobi", "Tybi"},
                                              {"Meshir", "Mechir"},
                                              {"Paremhat", "Phamenoth"},
                                              {"Parmouti", "Pharmuthi"},
                                              {"Pashons", "Pachon"},
                                              {"Paoni", "Payni"},
                                              {"Epip", "Epiphi"},
                                              {"Mesori", "Mesori"},
                                              {"Pi Kogi Enavot", "Epagomenen"}}};
constexpr auto kCopticVariants = std::to_array<NameVariant>({
    {"thout", 1},      {"thoth", 1},     {"tout", 1},          {"paopi", 2},      {"paophi", 2},
    {"baba", 2},       {"hathor", 3},    {"hathyr", 3},        {"hator", 3},      {"koiak", 4},
    {"choiak", 4},     {"kiahk", 4},     {"khoiak", 4},        {"tobi", 5},       {"tybi", 5},
    {"meshir", 6},     {"mechir", 6},    {"amshir", 6},        {"paremhat", 7},   {"phamenoth", 7},
    {"baramhat", 7},   {"parmouti", 8},  {"pharmuthi", 8},     {"baramouda", 8},  {"pashons", 9},
    {"pachon", 9},     {"pachons", 9},   {"paoni", 10},        {"payni", 10},     {"epip", 11},
    {"epiphi", 11},    {"mesori", 12},   {"mesore", 12},       {"pikogienavot", 13}, {"epagomenen", 13},
    {"nasie", 13},     {"kouji", 13},
});

constexpr std::array<MonthNames, 13> kEthiopian{{{"Meskerem", "Maskaram"},
                                                 {"Tikimt", "Teqemt"},
                                                 {"Hidar", "Hedar"},
                                                 {"Tahsas", "Tahsas"},
                                                 {"Tir", "Ter"},
                                                 {"Yekatit", "Yakatit"},
                                                 {"Megabit", "Maggabit"},
                                                 {"Miyazya", "Miyazya"},
                                                 {"Ginbot", "Genbot"},
                                                 {"Sene", "Sane"},
                                                 {"Hamle", "Hamle"},
                                                 {"Nehase", "Nahase"},
                                                 {"Pagume", "Paguemen"}}};
constexpr auto kEthiopianVariants = std::to_array<NameVariant>({
    {"meskerem", 1},  {"maskaram", 1}, {"tikimt", 2},   {"tikemet", 2},   {"tekemt", 2},  {"teqemt", 2},
    {"tiqimt", 2},    {"hidar", 3},    {"hedar", 3},    {"tahsas", 4},    {"tahisas", 4}, {"tir", 5},
    {"ter", 5},       {"tirr", 5},     {"yekatit", 6},  {"yakatit", 6},   {"megabit", 7}, {"maggabit", 7},
    {"magabit", 7},   {"miyazya", 8},  {"miyazia", 8},  {"ginbot", 9},    {"genbot", 9},  {"sene", 10},
    {"sane", 10},     {"hamle", 11},   {"hamble", 11},  {"nehase", 12},   {"nahase", 12}, {"nehasse", 12},
    {"pagume", 13},   {"paguemen", 13}, {"pagumen", 13}, {"pagumiene", 13}, {"pagwemen", 13},
});

// --- Indian national (Saka): the names of the official calendar, the same in German.
constexpr std::array<MonthNames, 12> kIndian{{{"Chaitra", "Chaitra"},
                                              {"Vaishakha", "Vaishakha"},
                                              {"Jyeshtha", "Jyeshtha"},
                                              {"Ashadha", "Ashadha"},
                                              {"Shravana", "Shravana"},
                                              {"Bhadra", "Bhadra"},
                                              {"Ashvin", "Ashvin"},
                                              {"Kartika", "Kartika"},
                                              {"Agrahayana", "Agrahayana"},
                                              {"Pausha", "Pausha"},
                                              {"Magha", "Magha"},
                                              {"Phalguna", "Phalguna"}}};
constexpr auto kIndianVariants = std::to_array<NameVariant>({
    {"chaitra", 1},    {"caitra", 1},     {"vaishakha", 2},   {"vaisakha", 2},    {"baisakh", 2},
    {"vaishakh", 2},   {"jyeshtha", 3},   {"jyaistha", 3},    {"jyeshta", 3},     {"jyaishtha", 3},
    {"ashadha", 4},    {"asadha", 4},     {"ashadh", 4},      {"shravana", 5},    {"sravana", 5},
    {"shravan", 5},    {"bhadra", 6},     {"bhadrapada", 6},  {"ashvin", 7},      {"asvina", 7},
    {"ashwin", 7},     {"ashvina", 7},    {"kartika", 8},     {"kartik", 8},      {"agrahayana", 9},
    {"margashirsha", 9}, {"pausha", 10},  {"pausa", 10},      {"magha", 11},      {"phalguna", 12},
    {"phalgun", 12},
});

// --- Mayan: the Yucatec spellings of the older literature for writing; the modern ones read too.
constexpr std::array<std::string_view, 20> kTzolkin{"Imix",  "Ik",  "Akbal", "Kan",   "Chicchan", "Cimi",  "Manik",
                                                    "Lamat", "Muluc", "Oc",  "Chuen", "Eb",       "Ben",   "Ix",
                                                    "Men",   "Cib", "Caban", "Etznab", "Cauac",   "Ahau"};
constexpr auto kTzolkinVariants = std::to_array<NameVariant>({{"akbal", 3},  {"chikchan", 5}, {"kimi", 6}, {"muluk", 9},
                                                        {"ok", 10},    {"chuwen", 11},  {"hix", 14},     {"kib", 16},
                                                        {"kaban", 17}, {"kawak", 19},   {"ajaw", 20},    {"chicchan", 5}});
constexpr std::array<std::string_view, 19> kHaab{"Pop", "Uo",  "Zip",    "Zotz",  "Tzec", "Xul", "Yaxkin",
                                                 "Mol", "Chen", "Yax",   "Zac",   "Ceh",  "Mac", "Kankin",
                                                 "Muan", "Pax", "Kayab", "Cumku", "Uayeb"};
constexpr auto kHaabVariants = std::to_array<NameVariant>({{"wo", 2},   {"sip", 3},   {"sotz", 4},    {"sek", 5},
                                                     {"chen", 9}, {"sak", 11},  {"keh", 12},    {"mak", 13},
                                                     {"muwan", 15}, {"kayab", 17}, {"kumku", 18}, {"wayeb", 19},
                                                     {"uayeb", 19}, {"kumk", 18}});

// --- The Gregorian months, which the Japanese, Minguo, Thai solar and Revised Julian calendars keep.
constexpr std::array<MonthNames, 12> kGregorian{{{"January", "Januar"},
                                                 {"February", "Februar"},
                                                 {"March", "März"},
                                                 {"April", "April"},
                                                 {"May", "Mai"},
                                                 {"June", "Juni"},
                                                 {"July", "Juli"},
                                                 {"August", "August"},
                                                 {"September", "September"},
                                                 {"October", "Oktober"},
                                                 {"November", "November"},
                                                 {"December", "Dezember"}}};
#define QV_GREGORIAN_VARIANTS                                                                                \
  {"january", 1}, {"januar", 1}, {"jan", 1}, {"february", 2}, {"februar", 2}, {"feb", 2}, {"march", 3},       \
      {"marz", 3}, {"maerz", 3}, {"mar", 3}, {"april", 4}, {"apr", 4}, {"may", 5}, {"mai", 5}, {"june", 6},    \
      {"juni", 6}, {"jun", 6}, {"july", 7}, {"juli", 7}, {"jul", 7}, {"august", 8}, {"aug", 8},                \
      {"september", 9}, {"sept", 9}, {"sep", 9}, {"october", 10}, {"oktober", 10}, {"oct", 10}, {"okt", 10}, \
      {"november", 11}, {"nov", 11}, {"december", 12}, {"dezember", 12}, {"dec", 12}, {"dez", 12}
constexpr auto kGregorianVariants = std::to_array<NameVariant>({QV_GREGORIAN_VARIANTS});
// The Thai solar months also by their Thai names in the Royal Thai General System of transcription.
constexpr auto kThaiVariants = std::to_array<NameVariant>({
    QV_GREGORIAN_VARIANTS,   {"makarakhom", 1},   {"mokkarakhom", 1},   {"kumphaphan", 2}, {"minakhom", 3},
    {"mesayon", 4},          {"phruetsaphakhom", 5}, {"mithunayon", 6}, {"karakadakhom", 7}, {"singhakhom", 8},
    {"kanyayon", 9},         {"tulakhom", 10},    {"phruetsachikayon", 11}, {"thanwakhom", 12},
});
#undef QV_GREGORIAN_VARIANTS

// --- Chinese, Korean and Vietnamese lunisolar months: numbered, the leap month after the month it
// repeats. A variant's month is negative for a leap month.
constexpr std::array<MonthNames, 12> kLunisolar{{{"First Month", "Erster Monat"},
                                                 {"Second Month", "Zweiter Monat"},
                                                 {"Third Month", "Dritter Monat"},
                                                 {"Fourth Month", "Vierter Monat"},
                                                 {"Fifth Month", "Fünfter Monat"},
                                                 {"Sixth Month", "Sechster Monat"},
                                                 {"Seventh Month", "Siebter Monat"},
                                                 {"Eighth Month", "Achter Monat"},
                                                 {"Ninth Month", "Neunter Monat"},
                                                 {"Tenth Month", "Zehnter Monat"},
                                                 {"Eleventh Month", "Elfter Monat"},
                                                 {"Twelfth Month", "Zwölfter Monat"}}};
constexpr std::array<MonthNames, 12> kLunisolarLeap{{{"Leap First Month", "Schaltmonat zum ersten Monat"},
                                                     {"Leap Second Month", "Schaltmonat zum zweiten Monat"},
                                                     {"Leap Third Month", "Schaltmonat zum dritten Monat"},
                                                     {"Leap Fourth Month", "Schaltmonat zum vierten Monat"},
                                                     {"Leap Fifth Month", "Schaltmonat zum fünften Monat"},
                                                     {"Leap Sixth Month", "Schaltmonat zum sechsten Monat"},
                                                     {"Leap Seventh Month", "Schaltmonat zum siebten Monat"},
                                                     {"Leap Eighth Month", "Schaltmonat zum achten Monat"},
                                                     {"Leap Ninth Month", "Schaltmonat zum neunten Monat"},
                                                     {"Leap Tenth Month", "Schaltmonat zum zehnten Monat"},
                                                     {"Leap Eleventh Month", "Schaltmonat zum elften Monat"},
                                                     {"Leap Twelfth Month", "Schaltmonat zum zwölften Monat"}}};
constexpr auto kLunisolarVariants = std::to_array<NameVariant>({
    {"firstmonth", 1},    {"secondmonth", 2},  {"thirdmonth", 3},     {"fourthmonth", 4},  {"fifthmonth", 5},
    {"sixthmonth", 6},    {"seventhmonth", 7}, {"eighthmonth", 8},    {"ninthmonth", 9},   {"tenthmonth", 10},
    {"eleventhmonth", 11}, {"twelfthmonth", 12}, {"zhengyue", 1},     {"dongyue", 11},     {"layue", 12},
    {"erstermonat", 1},   {"zweitermonat", 2}, {"drittermonat", 3},   {"viertermonat", 4}, {"funftermonat", 5},
    {"sechstermonat", 6}, {"siebtermonat", 7}, {"achtermonat", 8},    {"neuntermonat", 9}, {"zehntermonat", 10},
    {"elftermonat", 11},  {"zwolftermonat", 12},
    {"leapfirstmonth", -1},   {"leapsecondmonth", -2}, {"leapthirdmonth", -3},    {"leapfourthmonth", -4},
    {"leapfifthmonth", -5},   {"leapsixthmonth", -6},  {"leapseventhmonth", -7},  {"leapeighthmonth", -8},
    {"leapninthmonth", -9},   {"leaptenthmonth", -10}, {"leapeleventhmonth", -11}, {"leaptwelfthmonth", -12},
    {"schaltmonatzumerstenmonat", -1},  {"schaltmonatzumzweitenmonat", -2}, {"schaltmonatzumdrittenmonat", -3},
    {"schaltmonatzumviertenmonat", -4}, {"schaltmonatzumfunftenmonat", -5}, {"schaltmonatzumsechstenmonat", -6},
    {"schaltmonatzumsiebtenmonat", -7}, {"schaltmonatzumachtenmonat", -8},  {"schaltmonatzumneuntenmonat", -9},
    {"schaltmonatzumzehntenmonat", -10}, {"schaltmonatzumelftenmonat", -11}, {"schaltmonatzumzwolftenmonat", -12},
});

// --- Bahá'í: the months by the names of God, as the Bahá'í World Centre transliterates them (the
// German texts write Dsch and Sch); Ayyám-i-Há, the intercalary days, as month 0.
constexpr std::array<MonthNames, 20> kBahai{{{"Ayyám-i-Há", "Ayyám-i-Há"},
                                             {"Bahá", "Bahá"},
                                             {"Jalál", "Dschalál"},
                                             {"Jamál", "Dschamál"},
                                             {"‘Aẓamat", "‘Aẓamat"},
                                             {"Núr", "Núr"},
                                             {"Raḥmat", "Raḥmat"},
                                             {"Kalimát", "Kalimát"},
                                             {"Kamál", "Kamál"},
                                             {"Asmá’", "Asmá’"},
                                             {"‘Izzat", "‘Izzat"},
                                             {"Mashíyyat", "Maschíyyat"},
                                             {"‘Ilm", "‘Ilm"},
                                             {"Qudrat", "Qudrat"},
                                             {"Qawl", "Qawl"},
                                             {"Masá’il", "Masá’il"},
                                             {"Sharaf", "Scharaf"},
                                             {"Sulṭán", "Sulṭán"},
                                             {"Mulk", "Mulk"},
                                             {"‘Alá’", "‘Alá’"}}};
constexpr auto kBahaiVariants = std::to_array<NameVariant>({
    {"ayyamiha", 0}, {"intercalarydays", 0}, {"baha", 1},       {"jalal", 2},       {"dschalal", 2},
    {"jamal", 3},    {"dschamal", 3},        {"azamat", 4},     {"aamat", 4},       {"nur", 5},
    {"rahmat", 6},   {"ramat", 6},           {"kalimat", 7},    {"kamal", 8},       {"asma", 9},
    {"izzat", 10},   {"mashiyyat", 11},      {"maschiyyat", 11}, {"ilm", 12},       {"qudrat", 13},
    {"qawl", 14},    {"masail", 15},         {"sharaf", 16},    {"scharaf", 16},    {"sultan", 17},
    {"sulan", 17},   {"mulk", 18},           {"ala", 19},
});

struct CalendarNames {
  std::span<const MonthNames> names;
  std::span<const NameVariant> variants;
  std::string_view era;
  std::span<const std::string_view> era_keys;
  // The label of names[0] (0 for the Bahá'í Ayyám-i-Há, else 1), and the names of the leap months.
  int16_t first_label = 1;
  std::span<const MonthNames> leap_names = {};
};

constexpr std::array<std::string_view, 2> kHebrewEras{"am", "anno mundi"};
constexpr std::array<std::string_view, 2> kIslamicEras{"ah", "h"};
constexpr std::array<std::string_view, 3> kPersianEras{"ap", "sh", "hs"};
constexpr std::array<std::string_view, 2> kCopticEras{"am", "ad"};
constexpr std::array<std::string_view, 3> kEthiopianEras{"am", "ec", "amete mihret"};
constexpr std::array<std::string_view, 2> kIndianEras{"saka", "se"};
constexpr std::array<std::string_view, 2> kBahaiEras{"be", "badi"};
constexpr std::array<std::string_view, 3> kMinguoEras{"minguo", "mingguo", "roc"};
constexpr std::array<std::string_view, 3> kThaiEras{"be", "bs", "buddhist era"};

const CalendarNames* NamesOf(CalendarCode code) {
  static constexpr CalendarNames kHebrewNames{kHebrew, kHebrewVariants, "AM", kHebrewEras};
  static constexpr CalendarNames kIslamicNames{kIslamic, kIslamicVariants, "AH", kIslamicEras};
  static constexpr CalendarNames kPersianNames{kPersian, kPersianVariants, "AP", kPersianEras};
  static constexpr CalendarNames kFrenchNames{kFrench, kFrenchVariants, "", {}};
  static constexpr CalendarNames kCopticNames{kCoptic, kCopticVariants, "AM", kCopticEras};
  static constexpr CalendarNames kEthiopianNames{kEthiopian, kEthiopianVariants, "AM", kEthiopianEras};
  static constexpr CalendarNames kIndianNames{kIndian, kIndianVariants, "Saka", kIndianEras};
  static constexpr CalendarNames kLunisolarNames{kLunisolar, kLunisolarVariants, "", {}, 1, kLunisolarLeap};
  static constexpr CalendarNames kBahaiNames{kBahai, kBahaiVariants, "BE", kBahaiEras, 0};
  // Japanese years are named by their era, which each date's writer and reader find themselves.
  static constexpr CalendarNames kJapaneseNames{kGregorian, kGregorianVariants, "", {}};
  static constexpr CalendarNames kMinguoNames{kGregorian, kGregorianVariants, "Minguo", kMinguoEras};
  static constexpr CalendarNames kThaiNames{kGregorian, kThaiVariants, "BE", kThaiEras};
  static constexpr CalendarNames kRevisedJulianNames{kGregorian, kGregorianVariants, "", {}};
  switch (code) {
    case cal::HEB: return &kHebrewNames;
    case cal::ISL: return &kIslamicNames;
    case cal::PER: return &kPersianNames;
    case cal::FRR: return &kFrenchNames;
    case cal::COP: return &kCopticNames;
    case cal::ETH: return &kEthiopianNames;
    case cal::IND: return &kIndianNames;
    case cal::CHN:
    case cal::KOR:
    case cal::VNM: return &kLunisolarNames;
    case cal::BAH: return &kBahaiNames;
    case cal::UMQ: return &kIslamicNames;
    case cal::JPN: return &kJapaneseNames;
    case cal::ROC: return &kMinguoNames;
    case cal::THA: return &kThaiNames;
    case cal::RJU: return &kRevisedJulianNames;
    default: return nullptr;
  }
}

// Whether the months of `rules` are named otherwise than by their places.
bool HasLabels(const AddedCalendarRules* rules) {
  return rules != nullptr && (rules->leap_month != nullptr || rules->label_of != nullptr);
}

// The name of a label in a table whose first entry is label `names.first_label`.
std::string_view LabelName(const CalendarNames& names, MonthLabel label, Language language) {
  const std::span<const MonthNames> table = label.leap ? names.leap_names : names.names;
  const int index = label.number - names.first_label;
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return {};
  const MonthNames& name = table[static_cast<std::size_t>(index)];
  return language == Language::German ? name.de : name.en;
}

// The row of the Hebrew name table of `month` of `year`.
int16_t HebrewNameRow(int32_t year, int16_t month) {
  if (IsHebrewLeapYear(year) || month <= 5) return month;
  if (month > 12) return 0;  // a common year has twelve months
  return month == 6 ? kAdar : static_cast<int16_t>(month + 1);
}

// The month of `year` that the Hebrew name row stands for.
int16_t HebrewMonthOfRow(int32_t year, int16_t row) {
  if (IsHebrewLeapYear(year)) return row == kAdar ? 6 : row;
  if (row <= 5) return row;
  if (row <= 7 || row == kAdar) return 6;
  return static_cast<int16_t>(row - 1);
}

// The base letters of U+0100 … U+017F, in code point order.
constexpr std::string_view kFoldedLatinExtendedA =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kFoldedLatinExtendedA.size() == 128);

// The base letter of a two-byte UTF-8 Latin-1 letter (second byte after 0xC3), 0 for none.
std::string_view FoldedLatin1(unsigned char second) {
  static constexpr std::string_view kUpper = "aaaaaaaceeeeiiiidnooooo oouuuuyts";  // 0x80 … 0x9F
  static constexpr std::string_view kLower = "aaaaaaaceeeeiiiidnooooo oouuuuyty";  // 0xA0 … 0xBF
  if (second == 0x9F) return "ss";  // ß
  if (second >= 0x80 && second <= 0x9F) {
    const char c = kUpper[second - 0x80u];
    return c == ' ' ? std::string_view() : std::string_view(&kUpper[second - 0x80u], 1);
  }
  if (second >= 0xA0 && second <= 0xBF) {
    const char c = kLower[second - 0xA0u];
    return c == ' ' ? std::string_view() : std::string_view(&kLower[second - 0xA0u], 1);
  }
  return {};
}

// The longest entry of `variants` that `key` begins with; `best` keeps an empty key when none.
void Longest(std::span<const NameVariant> variants, std::string_view key, NameVariant& best) {
  for (const NameVariant& variant : variants) {
    if (variant.key.size() > best.key.size() && key.starts_with(variant.key)) best = variant;
  }
}

template <std::size_t N>
int16_t ExactName(const std::array<std::string_view, N>& names, std::span<const NameVariant> variants,
                  std::string_view key) {
  for (std::size_t i = 0; i < N; ++i) {
    if (NameKey(names[i]) == key) return static_cast<int16_t>(i + 1);
  }
  for (const NameVariant& variant : variants) {
    if (variant.key == key) return variant.month;
  }
  return 0;
}

}  // namespace

std::string NameKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 'a' && c <= 'z') {
      key.push_back(static_cast<char>(c));
    } else if (c >= 'A' && c <= 'Z') {
      key.push_back(static_cast<char>(c - 'A' + 'a'));
    } else if (c == 0xC3 && i + 1 < text.size()) {
      key.append(FoldedLatin1(static_cast<unsigned char>(text[++i])));
    } else if ((c == 0xC4 || c == 0xC5) && i + 1 < text.size() &&
               (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
      // Latin Extended-A (U+0100 … U+017F): the long vowels of Japanese and Arabic transcriptions
      // (ō, ū, ā) and the letters of Central European names, folded to their base letter.
      const unsigned code_point = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3Fu);
      key.push_back(kFoldedLatinExtendedA[code_point - 0x100]);
    } else if (c >= 0xC0) {
      // Any other letter beyond Latin-1 (ʿ, ’, …) is left out with its continuation bytes.
      while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return key;
}

std::string_view AddedMonthLabelName(CalendarCode code, MonthLabel label, Language language) {
  const CalendarNames* names = NamesOf(code);
  if (names == nullptr || code == cal::HEB) return {};
  return LabelName(*names, label, language);
}

std::string_view AddedMonthName(CalendarCode code, int32_t year, int16_t month, Language language) {
  const CalendarNames* names = NamesOf(code);
  if (names == nullptr || month < 1) return {};
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return {};  // not available
  if (HasLabels(rules)) {
    if (month > rules->months_in_year(year)) return {};
    return LabelName(*names, MonthLabelOf(*rules, year, month), language);
  }
  const int16_t row = code == cal::HEB ? HebrewNameRow(year, month) : month;
  if (row < 1 || static_cast<std::size_t>(row) > names->names.size()) return {};
  const MonthNames& name = names->names[static_cast<std::size_t>(row - 1)];
  return language == Language::German ? name.de : name.en;
}

std::string_view AddedEraName(CalendarCode code) {
  const CalendarNames* names = NamesOf(code);
  return names == nullptr ? std::string_view() : names->era;
}

std::string_view TzolkinDayName(int16_t name) {
  return name >= 1 && name <= 20 ? kTzolkin[static_cast<std::size_t>(name - 1)] : std::string_view();
}

std::string_view HaabMonthName(int16_t month) {
  return month >= 1 && month <= 19 ? kHaab[static_cast<std::size_t>(month - 1)] : std::string_view();
}

NameMatch MatchAddedMonthName(CalendarCode code, std::string_view key, int32_t year) {
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return {};  // not available
  return MatchAddedMonthNameWith(*rules, code, key, year);
}

NameMatch MatchAddedMonthNameWith(const AddedCalendarRules& calendar, CalendarCode code, std::string_view key,
                                  int32_t year) {
  const CalendarNames* names = NamesOf(code);
  if (names == nullptr) return {};
  NameVariant best{"", 0};
  Longest(names->variants, key, best);
  const AddedCalendarRules* rules = &calendar;
  if (best.key.empty()) return {};
  if (HasLabels(rules)) {
    const MonthLabel label{static_cast<int16_t>(best.month < 0 ? -best.month : best.month), best.month < 0};
    const int16_t place = MonthPlaceOf(*rules, year, label);
    if (place == 0) return {};
    return NameMatch{.month = place, .length = best.key.size()};
  }
  if (best.month < 1) return {};
  const int16_t month = code == cal::HEB ? HebrewMonthOfRow(year, best.month) : best.month;
  return NameMatch{.month = month, .length = best.key.size()};
}

bool IsAddedEraKey(CalendarCode code, std::string_view key) {
  const CalendarNames* names = NamesOf(code);
  if (names == nullptr) return false;
  for (const std::string_view era : names->era_keys) {
    if (NameKey(era) == key) return true;
  }
  return false;
}

int16_t TzolkinDayOfKey(std::string_view key) { return ExactName(kTzolkin, kTzolkinVariants, key); }
int16_t HaabMonthOfKey(std::string_view key) { return ExactName(kHaab, kHaabVariants, key); }

std::string RomanNumeral(int64_t value) {
  if (value < 1 || value > 3999) return {};
  static constexpr std::array<std::pair<int, std::string_view>, 13> kParts{
      {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
       {40, "XL"}, {10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}}};
  std::string text;
  for (const auto& [part, letters] : kParts) {
    while (value >= part) {
      text.append(letters);
      value -= part;
    }
  }
  return text;
}

int32_t RomanNumeralValue(std::string_view key) {
  if (key.empty() || key.size() > 15) return 0;
  auto digit = [](char c) -> int32_t {
    switch (c) {
      case 'i': return 1;
      case 'v': return 5;
      case 'x': return 10;
      case 'l': return 50;
      case 'c': return 100;
      case 'd': return 500;
      case 'm': return 1000;
      default: return 0;
    }
  };
  int32_t value = 0;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const int32_t here = digit(key[i]);
    if (here == 0) return 0;
    const int32_t next = i + 1 < key.size() ? digit(key[i + 1]) : 0;
    value += next > here ? -here : here;
  }
  // Only the usual form counts: the numeral written back must be the key.
  if (value < 1 || value > 3999) return 0;
  std::string written = RomanNumeral(value);
  for (char& c : written) c = static_cast<char>(c - 'A' + 'a');
  return written == key ? value : 0;
}

}  // namespace qv
