#pragma once
// The names that the East Asian calendars write beside their numbers: the Japanese eras, the
// sexagenary cycle of years with its animals, and the Chinese, Korean and Vietnamese ways of
// writing a lunisolar month and day.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/japanese.h"
#include "text/language.h"

namespace qv {

// --- Japanese eras -----------------------------------------------------------------------------

// "Reiwa", "Heisei", "Shōwa", "Taishō", "Meiji"; the letter Japanese forms write before the year
// ("R", "H", "S", "T", "M"); the era in kanji ("令和").
std::string_view JapaneseEraName(JapaneseEra era);
std::string_view JapaneseEraLetter(JapaneseEra era);
std::string_view JapaneseEraKanji(JapaneseEra era);
// The era a NameKey names: its name with or without the long vowels ("showa", "shouwa") or its
// letter ("r"); nullopt for any other key.
std::optional<JapaneseEra> JapaneseEraOfKey(std::string_view key);
// The era whose kanji `text` begins with, and their length in bytes.
struct KanjiEra {
  JapaneseEra era;
  std::size_t length;
};
std::optional<KanjiEra> JapaneseEraAtStart(std::string_view text);

// --- The sexagenary cycle ------------------------------------------------------------------------

// The stem and branch of lunisolar year `year` (the Gregorian year in which it begins): "甲辰"
// for 2024 in Chinese (also the Korean calendar's hanja), "갑진" in Korean, "Giáp Thìn" in
// Vietnamese.
std::string SexagenaryYear(int32_t year, CalendarCode code);
// "Year of the Dragon" / "Jahr des Drachen"; the Vietnamese calendar has the Cat and the
// Buffalo where the Chinese one has the Rabbit and the Ox.
std::string_view ZodiacYear(int32_t year, CalendarCode code, Language language);

// --- Lunisolar months and days as their users write them -------------------------------------------

// "三月十五", "闰二月初一" (Chinese); "3월 15일", "윤2월 1일" (Korean); "ngày 15 tháng 3",
// "ngày 1 tháng 2 nhuận" (Vietnamese).
std::string LunisolarMonthDay(CalendarCode code, MonthLabel month, int16_t day);

// A Chinese month and day at the start of `text` ("三月十五", "闰二月初一", "正月初一",
// "3月15日"), and the bytes it took; nullopt when there is none.
struct ChineseMonthDay {
  MonthLabel month;
  int16_t day = 0;
  std::size_t length = 0;
};
std::optional<ChineseMonthDay> ReadChineseMonthDay(std::string_view text);

}  // namespace qv
