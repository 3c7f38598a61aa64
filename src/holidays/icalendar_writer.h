#pragma once
// Holidays written as an iCalendar file (RFC 5545) that calendar programs import and that
// ReadICalendar takes back as the same days: one all-day event a day (DTSTART;VALUE=DATE and DTEND
// the next day), lines ending in CR LF and folded at 75 octets, never inside a UTF-8 character.
//
// A worked day outside the work week (a bridge-day swap, a company's working Saturday) is an event
// of its own marked `X-QUORVAN-WORKDAY:TRUE`; calendar programs show it as an ordinary all-day
// event, ReadICalendar counts it as a working day. Holidays are TRANSP:TRANSPARENT (the day is free,
// not busy), worked days OPAQUE.
//
// The same days give the same bytes: each UID is a hash of the event's key (source, date and name,
// as the caller gives it) and DTSTAMP is fixed, so a file exported again replaces the events a
// calendar program imported before instead of doubling them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv::holidays {

// The property that marks an event as a worked day.
inline constexpr std::string_view kWorkdayProperty = "X-QUORVAN-WORKDAY";

struct ExportedDay {
  int32_t day_number = 0;  // a day of the years 1 … 9999, which an iCalendar date can hold
  std::string summary;     // the name shown
  std::string key;         // what the UID is derived from: stays the same whatever the language
  bool workday = false;    // a worked day rather than a holiday
};

// The years an iCalendar DATE value holds (four digits; year 0 is not one calendar programs take).
inline constexpr int32_t kFirstExportYear = 1;
inline constexpr int32_t kLastExportYear = 9999;

// The whole file, events in the order given. `calendar_name` becomes X-WR-CALNAME (may be empty).
std::string WriteICalendar(std::span<const ExportedDay> days, std::string_view calendar_name);

// "5f0c…e1-20250501@quorvan": 16 hexadecimal digits of the key's 64-bit FNV-1a hash, the date.
std::string ExportUid(std::string_view key, int32_t day_number);

}  // namespace qv::holidays
