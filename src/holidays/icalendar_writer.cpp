#include "holidays/icalendar_writer.h"

#include <array>

#include "calendar/civil.h"

namespace qv::holidays {
namespace {

constexpr size_t kLineOctets = 75;  // RFC 5545 3.1: lines longer than 75 octets are folded
constexpr std::string_view kLineEnd = "\r\n";
// DTSTAMP is fixed (the Unix epoch) so that the same days always give the same file.
constexpr std::string_view kStamp = "19700101T000000Z";

// "20250501": an iCalendar DATE value.
std::string DateValue(int64_t day_number) {
  const civil::YearMonthDay date = civil::DayNumberToGregorian(day_number);
  std::array<char, 8> digits{};
  int64_t year = date.year;  // [1, 9999] for the days a caller may give
  for (size_t i = 4; i-- > 0;) {
    digits[i] = static_cast<char>('0' + year % 10);
    year /= 10;
  }
  digits[4] = static_cast<char>('0' + date.month / 10);
  digits[5] = static_cast<char>('0' + date.month % 10);
  digits[6] = static_cast<char>('0' + date.day / 10);
  digits[7] = static_cast<char>('0' + date.day % 10);
  return std::string(digits.data(), digits.size());
}

// TEXT value escaping (RFC 5545 3.3.11): backslash, semicolon, comma and line breaks.
std::string EscapedText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case ';': escaped += "\\;"; break;
      case ',': escaped += "\\,"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': break;
      default: escaped += c;
    }
  }
  return escaped;
}

// Appends one content line, folded: each physical line at most 75 octets, a continuation line
// starting with a space, and a cut never inside a UTF-8 sequence.
void AppendLine(std::string& out, std::string_view line) {
  size_t limit = kLineOctets;
  while (line.size() > limit) {
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line.substr(0, cut)).append(kLineEnd).append(" ");
    line.remove_prefix(cut);
    limit = kLineOctets - 1;  // the leading space takes one octet
  }
  out.append(line).append(kLineEnd);
}

}  // namespace

std::string ExportUid(std::string_view key, int32_t day_number) {
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a 64-bit offset basis
  for (const char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;  // FNV 64-bit prime
  }
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string uid(16, '0');
  for (size_t i = 16; i-- > 0;) {
    uid[i] = kHex[hash & 0xF];
    hash >>= 4;
  }
  return uid + "-" + DateValue(day_number) + "@quorvan";
}

std::string WriteICalendar(std::span<const ExportedDay> days, std::string_view calendar_name) {
  std::string out;
  out.reserve(128 + days.size() * 220);
  AppendLine(out, "BEGIN:VCALENDAR");
  AppendLine(out, "VERSION:2.0");
  AppendLine(out, "PRODID:-//Quorvan//Quorvan holidays//EN");
  AppendLine(out, "CALSCALE:GREGORIAN");
  AppendLine(out, "METHOD:PUBLISH");
  if (!calendar_name.empty()) AppendLine(out, "X-WR-CALNAME:" + EscapedText(calendar_name));
  for (const ExportedDay& day : days) {
    AppendLine(out, "BEGIN:VEVENT");
    AppendLine(out, "UID:" + ExportUid(day.key, day.day_number));
    AppendLine(out, std::string("DTSTAMP:").append(kStamp));
    AppendLine(out, "DTSTART;VALUE=DATE:" + DateValue(day.day_number));
    // The next day, except after 31 December 9999, which no iCalendar date holds: an all-day event
    // without DTEND lasts its one day (RFC 5545 3.6.1).
    const int64_t next = int64_t{day.day_number} + 1;
    if (civil::DayNumberToGregorian(next).year <= kLastExportYear) AppendLine(out, "DTEND;VALUE=DATE:" + DateValue(next));
    AppendLine(out, "SUMMARY:" + EscapedText(day.summary));
    AppendLine(out, day.workday ? "TRANSP:OPAQUE" : "TRANSP:TRANSPARENT");
    if (day.workday) AppendLine(out, std::string(kWorkdayProperty) + ":TRUE");
    AppendLine(out, "END:VEVENT");
  }
  AppendLine(out, "END:VCALENDAR");
  return out;
}

}  // namespace qv::holidays
