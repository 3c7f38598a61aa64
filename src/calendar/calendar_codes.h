#pragma once
// Calendar codes, their text codes and the constants the readers and writers apply.
#include <array>
#include <cstdint>
#include <string_view>

#include "calendar/date_fields.h"

namespace qv {

using CalendarCode = int16_t;

namespace cal {
inline constexpr CalendarCode CE = 0;
inline constexpr CalendarCode JC = 1;
inline constexpr CalendarCode JDN = 2;
inline constexpr CalendarCode AN = 3;
inline constexpr CalendarCode ORD = 4;
inline constexpr CalendarCode TLW = 5;
inline constexpr CalendarCode ISO = 6;
inline constexpr CalendarCode LPW = 7;
inline constexpr CalendarCode LPM = 8;
inline constexpr CalendarCode ARC = 9;
// The added calendars: peers of the ones above below the window, never stored in qrv.usr.
inline constexpr CalendarCode HEB = 10;  // Hebrew (AM)
inline constexpr CalendarCode ISL = 11;  // Islamic, tabular civil (AH)
inline constexpr CalendarCode PER = 12;  // Persian, solar Hijri (AP)
inline constexpr CalendarCode FRR = 13;  // French Republican
inline constexpr CalendarCode COP = 14;  // Coptic (AM)
inline constexpr CalendarCode ETH = 15;  // Ethiopian, Amete Mihret
inline constexpr CalendarCode MAY = 16;  // Mayan long count
inline constexpr CalendarCode IND = 17;  // Indian national (Saka)
inline constexpr CalendarCode CHN = 18;  // Chinese lunisolar (农历)
inline constexpr CalendarCode KOR = 19;  // Korean lunisolar (Dangi)
inline constexpr CalendarCode VNM = 20;  // Vietnamese lunisolar
inline constexpr CalendarCode BAH = 21;  // Bahá'í (Badíʿ, BE)
inline constexpr CalendarCode UMQ = 22;  // Umm al-Qura, Saudi Arabia's Islamic calendar (AH)
inline constexpr CalendarCode JPN = 23;  // Japanese eras
inline constexpr CalendarCode ROC = 24;  // Minguo, Republic of China
inline constexpr CalendarCode THA = 25;  // Thai solar (Buddhist Era)
inline constexpr CalendarCode RJU = 26;  // Revised Julian (Milanković)
inline constexpr int kCount = 27;
inline constexpr CalendarCode kFirstAdded = HEB;
}  // namespace cal

// DateFormat: order of the fields of a CE or JC date in text.
using DateFormat = int16_t;
inline constexpr DateFormat kFormatMDY = 0;
inline constexpr DateFormat kFormatDMY = 1;
inline constexpr DateFormat kFormatYMD = 2;

// Whether ordinal and ISO week dates are written with hyphens (2012-366, 2012-W01-1) or without
// (2012366, 2012W011); the values are those the settings file stores.
enum class Hyphen : int16_t { Without = 0, With = 1 };

inline constexpr int32_t DayNumberLimit = 2'100'000'000;
// Whether a day number or a number of days lies within ±DayNumberLimit, the range every reader
// accepts and every computed date must keep.
constexpr bool IsWithinDayNumberLimit(int64_t value) { return value >= -int64_t{DayNumberLimit} && value <= DayNumberLimit; }

// The seven calendars a user can choose for a date box or the today panel.
constexpr bool IsUserCalendar(int32_t code) {
  return code == cal::CE || code == cal::JC || code == cal::JDN || code == cal::ORD || code == cal::ISO ||
         code == cal::LPW || code == cal::LPM;
}

// The added calendars, in the order the code table lists them. A calendar whose arithmetic is not
// there yet has its code and row but is not available (IsAvailableCalendar, added_calendars.h):
// it is listed nowhere and every request in it is refused.
constexpr bool IsAddedCalendar(int32_t code) { return code >= cal::kFirstAdded && code < cal::kCount; }
inline constexpr std::array<CalendarCode, 17> kAddedCalendars{
    cal::HEB, cal::ISL, cal::PER, cal::FRR, cal::COP, cal::ETH, cal::MAY, cal::IND, cal::CHN,
    cal::KOR, cal::VNM, cal::BAH, cal::UMQ, cal::JPN, cal::ROC, cal::THA, cal::RJU};
static_assert(kAddedCalendars.size() == cal::kCount - cal::kFirstAdded);

// Every calendar a date box can be written in: the seven described ones and the added ones.
constexpr bool IsBoxCalendar(int32_t code) { return IsUserCalendar(code) || IsAddedCalendar(code); }

inline constexpr int32_t YearLimit = 5'800'000;
inline constexpr std::string_view kLargestDayNumberText = "2147483647";
inline constexpr int32_t kFirstOrdinalDay = 1721426;  // 1 January 1 CE
inline constexpr int32_t kLastOrdinalDay = 5373484;   // 31 December 9999 CE

// The constants set up once at start-up.
struct DateTables {
  std::string_view InitialDateSeparator = "-";
  std::string_view InitialThousandsSeparator = ",";
  std::string_view LargestDayNumberText = kLargestDayNumberText;
  int32_t DayNumberLimit = qv::DayNumberLimit;
  int32_t FirstOrdinalDay = kFirstOrdinalDay;
  int32_t LastOrdinalDay = kLastOrdinalDay;
  int32_t YearLimit = qv::YearLimit;
  std::array<std::string_view, cal::kCount> TextCodes{"CE",  "JC",  "JDN", "AN",  "ORD", "TLW", "ISO",
                                                      "LPW", "LPM", "ARC", "HEB", "ISL", "PER", "FRR",
                                                      "COP", "ETH", "MAY", "IND", "CHN", "KOR", "VNM",
                                                      "BAH", "UMQ", "JPN", "ROC", "THA", "RJU"};
};
const DateTables& InitDateTables();

// Text code of a calendar ("CE", "JC", …, "RJU"). Codes outside the table give the empty text.
std::string_view CalendarTextCode(CalendarCode code);
// Parses "CE", "jc", … (case-insensitive) to its code; -1 when unknown.
CalendarCode CalendarCodeFromText(std::string_view text);

// Stores the DateFields letter of a code (CE/ORD 'G', JC 'J', AN 'A', ISO 'I', TLW 'T');
// false and the record untouched for every other code.
bool CalendarLetterForCode(CalendarCode code, DateFields& date);
// The letter the date reader hands to str_to_date: ARC 'R', JC 'J', AN 'A', ISO 'I',
// TLW 'T', every other code 'G'.
int32_t ReaderLetterForCode(CalendarCode code);

}  // namespace qv
