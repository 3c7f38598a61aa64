#pragma once
// Building test dates in one line.
#include <cstdint>
#include <string>

#include "calendar/civil.h"
#include "calendar/date_fields.h"
#include "text/text_builder.h"

namespace qv::test {

// A record with year, month, day and letter set; the day number is left to the code under test.
inline DateFields DateOf(int32_t year, int32_t month, int32_t day, int32_t letter = kLetterGregorian) {
  DateFields date;
  date.Year = year;
  date.Month = month;
  date.Day = day;
  date.Calendar = letter;
  return date;
}

// The day number of a Common Era date (every test date fits 32 bits).
inline int32_t Jdn(int32_t y, int32_t m, int32_t d) { return static_cast<int32_t>(civil::GregorianToDayNumber(y, m, d)); }

// The text a writer adds to an empty builder: Written(FormatDate, date, …).
template <typename Writer, typename... Args>
std::string Written(Writer writer, const Args&... args) {
  TextBuilder text;
  writer(text, args...);
  return text.Text();
}

}  // namespace qv::test
