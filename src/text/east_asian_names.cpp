#include "text/east_asian_names.h"

#include <array>

#include "calendar/civil.h"
#include "text/calendar_names.h"
#include "text/string_utils.h"

namespace qv {
namespace {

struct EraNames {
  std::string_view name;
  std::string_view letter;
  std::string_view kanji;
  std::string_view key;       // the name's NameKey
  std::string_view long_key;  // the long vowels written out (Hepburn "ou")
};
// In the order of JapaneseEra.
constexpr std::array<EraNames, kJapaneseEraCount> kEraNames{{
    {"Meiji", "M", "明治", "meiji", "meiji"},
    {"Taishō", "T", "大正", "taisho", "taishou"},
    {"Shōwa", "S", "昭和", "showa", "shouwa"},
    {"Heisei", "H", "平成", "heisei", "heisei"},
    {"Reiwa", "R", "令和", "reiwa", "reiwa"},
}};

const EraNames& NamesOf(JapaneseEra era) {
  const auto i = static_cast<int16_t>(era);
  return kEraNames[static_cast<std::size_t>(i >= 1 && i <= kJapaneseEraCount ? i - 1 : kJapaneseEraCount - 1)];
}

// The ten stems and twelve branches of the sexagenary cycle, in Chinese, Korean and Vietnamese.
constexpr std::array<std::string_view, 10> kStems{"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
constexpr std::array<std::string_view, 12> kBranches{"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
constexpr std::array<std::string_view, 10> kKoreanStems{"갑", "을", "병", "정", "무", "기", "경", "신", "임", "계"};
constexpr std::array<std::string_view, 12> kKoreanBranches{"자", "축", "인", "묘", "진", "사", "오", "미", "신", "유", "술", "해"};
constexpr std::array<std::string_view, 10> kVietnameseStems{"Giáp", "Ất", "Bính", "Đinh", "Mậu",
                                                            "Kỷ",   "Canh", "Tân", "Nhâm", "Quý"};
constexpr std::array<std::string_view, 12> kVietnameseBranches{"Tý",  "Sửu", "Dần", "Mão",  "Thìn", "Tỵ",
                                                               "Ngọ", "Mùi", "Thân", "Dậu", "Tuất", "Hợi"};

struct AnimalYear {
  std::string_view en;
  std::string_view de;
};
constexpr std::array<AnimalYear, 12> kAnimals{{{"Year of the Rat", "Jahr der Ratte"},
                                               {"Year of the Ox", "Jahr des Ochsen"},
                                               {"Year of the Tiger", "Jahr des Tigers"},
                                               {"Year of the Rabbit", "Jahr des Hasen"},
                                               {"Year of the Dragon", "Jahr des Drachen"},
                                               {"Year of the Snake", "Jahr der Schlange"},
                                               {"Year of the Horse", "Jahr des Pferdes"},
                                               {"Year of the Goat", "Jahr der Ziege"},
                                               {"Year of the Monkey", "Jahr des Affen"},
                                               {"Year of the Rooster", "Jahr des Hahns"},
                                               {"Year of the Dog", "Jahr des Hundes"},
                                               {"Year of the Pig", "Jahr des Schweins"}}};
// The Vietnamese calendar's animals of the second and fourth branches.
constexpr AnimalYear kBuffalo{"Year of the Buffalo", "Jahr des Büffels"};
constexpr AnimalYear kCat{"Year of the Cat", "Jahr der Katze"};

// Year 4 CE began a cycle (甲子); so does every 60th year from it.
constexpr std::size_t StemOf(int32_t year) { return static_cast<std::size_t>(civil::FloorMod(int64_t{year} - 4, 10)); }
constexpr std::size_t BranchOf(int32_t year) { return static_cast<std::size_t>(civil::FloorMod(int64_t{year} - 4, 12)); }
static_assert(StemOf(2024) == 0 && BranchOf(2024) == 4, "2024 is 甲辰");
static_assert(StemOf(1984) == 0 && BranchOf(1984) == 0, "1984 is 甲子");

// The Chinese numerals one to ten.
constexpr std::array<std::string_view, 10> kNumerals{"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
constexpr std::string_view kLeapMarkSimplified = "闰";
constexpr std::string_view kLeapMarkTraditional = "閏";

// 1 … 12 as a month is written: 正月, 二月 … 十月, 十一月, 十二月.
std::string ChineseMonth(int16_t month) {
  if (month == 1) return "正月";
  std::string text;
  if (month <= 10) {
    text = kNumerals[static_cast<std::size_t>(month - 1)];
  } else {
    text.append(kNumerals[9]).append(kNumerals[static_cast<std::size_t>(month - 11)]);
  }
  return text.append("月");
}

// 1 … 30 as a lunar day is written: 初一 … 初十, 十一 … 十九, 二十, 廿一 … 廿九, 三十.
std::string ChineseDay(int16_t day) {
  if (day <= 10) return std::string("初").append(kNumerals[static_cast<std::size_t>(day - 1)]);
  if (day < 20) return std::string(kNumerals[9]).append(kNumerals[static_cast<std::size_t>(day - 11)]);
  if (day == 20) return std::string(kNumerals[1]).append(kNumerals[9]);
  if (day < 30) return std::string("廿").append(kNumerals[static_cast<std::size_t>(day - 21)]);
  return std::string(kNumerals[2]).append(kNumerals[9]);
}

// Reads a Chinese number of 1 … 39 at the start of `text` (一 … 十, 十一, 二十, 二十一, 廿一, 卅,
// 三十), and how many bytes it took.
struct Numeral {
  int value = 0;
  std::size_t length = 0;
};
int DigitAt(std::string_view text, std::size_t at) {
  for (std::size_t i = 0; i < 9; ++i) {
    if (text.substr(at).starts_with(kNumerals[i])) return static_cast<int>(i + 1);
  }
  return 0;
}
Numeral ReadNumeral(std::string_view text) {
  constexpr std::size_t kWidth = 3;  // every numeral is three bytes in UTF-8
  Numeral n;
  std::size_t at = 0;
  int tens = 0;
  if (text.starts_with("廿")) {
    tens = 2;
    at = kWidth;
  } else if (text.starts_with("卅")) {
    tens = 3;
    at = kWidth;
  } else if (text.starts_with(kNumerals[9])) {
    tens = 1;
    at = kWidth;
  } else if (const int digit = DigitAt(text, 0); digit != 0) {
    at = kWidth;
    if (text.substr(at).starts_with(kNumerals[9])) {
      tens = digit;
      at += kWidth;
    } else {
      return {digit, at};
    }
  } else {
    return n;
  }
  const int unit = DigitAt(text, at);
  if (unit != 0) at += kWidth;
  return {10 * tens + unit, at};
}

// Arabic digits at the start of `text`: their value (at most two digits) and length.
Numeral ReadDigits(std::string_view text) {
  std::size_t at = 0;
  int value = 0;
  while (at < text.size() && at < 2 && IsDigit(text[at])) value = 10 * value + (text[at++] - '0');
  return {value, at};
}

}  // namespace

std::string_view JapaneseEraName(JapaneseEra era) { return NamesOf(era).name; }
std::string_view JapaneseEraLetter(JapaneseEra era) { return NamesOf(era).letter; }
std::string_view JapaneseEraKanji(JapaneseEra era) { return NamesOf(era).kanji; }

std::optional<JapaneseEra> JapaneseEraOfKey(std::string_view key) {
  for (std::size_t i = 0; i < kEraNames.size(); ++i) {
    const EraNames& names = kEraNames[i];
    if (key == names.key || key == names.long_key || key == NameKey(names.letter)) {
      return static_cast<JapaneseEra>(static_cast<int16_t>(i + 1));
    }
  }
  return std::nullopt;
}

std::optional<KanjiEra> JapaneseEraAtStart(std::string_view text) {
  for (std::size_t i = 0; i < kEraNames.size(); ++i) {
    if (text.starts_with(kEraNames[i].kanji)) {
      return KanjiEra{static_cast<JapaneseEra>(static_cast<int16_t>(i + 1)), kEraNames[i].kanji.size()};
    }
  }
  return std::nullopt;
}

std::string SexagenaryYear(int32_t year, CalendarCode code) {
  const std::size_t stem = StemOf(year), branch = BranchOf(year);
  if (code == cal::KOR) return std::string(kKoreanStems[stem]).append(kKoreanBranches[branch]);
  if (code == cal::VNM) return std::string(kVietnameseStems[stem]).append(" ").append(kVietnameseBranches[branch]);
  return std::string(kStems[stem]).append(kBranches[branch]);
}

std::string_view ZodiacYear(int32_t year, CalendarCode code, Language language) {
  const std::size_t branch = BranchOf(year);
  const AnimalYear* animal = &kAnimals[branch];
  if (code == cal::VNM && branch == 1) animal = &kBuffalo;
  if (code == cal::VNM && branch == 3) animal = &kCat;
  return language == Language::German ? animal->de : animal->en;
}

std::string LunisolarMonthDay(CalendarCode code, MonthLabel month, int16_t day) {
  if (month.number < 1 || month.number > 12 || day < 1 || day > 30) return {};
  if (code == cal::KOR) {
    std::string text = month.leap ? "윤" : "";
    return text.append(std::to_string(month.number)).append("월 ").append(std::to_string(day)).append("일");
  }
  if (code == cal::VNM) {
    std::string text = "ngày " + std::to_string(day) + " tháng " + std::to_string(month.number);
    return month.leap ? text.append(" nhuận") : text;
  }
  std::string text = month.leap ? std::string(kLeapMarkSimplified) : std::string();
  return text.append(ChineseMonth(month.number)).append(ChineseDay(day));
}

std::optional<ChineseMonthDay> ReadChineseMonthDay(std::string_view text) {
  ChineseMonthDay read;
  std::size_t at = 0;
  if (text.starts_with(kLeapMarkSimplified) || text.starts_with(kLeapMarkTraditional)) {
    read.month.leap = true;
    at = kLeapMarkSimplified.size();
  }
  const std::string_view rest = text.substr(at);
  Numeral month;
  if (rest.starts_with("正")) {
    month = {1, 3};
  } else if (rest.starts_with("冬")) {
    month = {11, 3};
  } else if (rest.starts_with("腊") || rest.starts_with("臘")) {
    month = {12, 3};
  } else {
    month = IsDigit(rest.empty() ? '\0' : rest.front()) ? ReadDigits(rest) : ReadNumeral(rest);
  }
  if (month.length == 0 || month.value < 1 || month.value > 12) return std::nullopt;
  at += month.length;
  if (!text.substr(at).starts_with("月")) return std::nullopt;
  at += std::string_view("月").size();
  std::string_view day_text = text.substr(at);
  Numeral day;
  if (day_text.starts_with("初")) {
    day = ReadNumeral(day_text.substr(3));
    if (day.value > 10) return std::nullopt;
    day.length += 3;
  } else {
    day = IsDigit(day_text.empty() ? '\0' : day_text.front()) ? ReadDigits(day_text) : ReadNumeral(day_text);
  }
  if (day.length == 0 || day.value < 1 || day.value > 30) return std::nullopt;
  at += day.length;
  if (text.substr(at).starts_with("日")) at += std::string_view("日").size();
  read.month.number = static_cast<int16_t>(month.value);
  read.day = static_cast<int16_t>(day.value);
  read.length = at;
  return read;
}

}  // namespace qv
