#include "settings/separator_codes.h"
#include "settings/work_days_file.h"

#include <optional>

#include "calendar/added_calendars.h"
#include "compute/work_calendar.h"
#include "holidays/regions.h"
#include "settings/atomic_file.h"

namespace qv {
namespace {

constexpr std::string_view kSection = "[WorkDays]";
constexpr std::string_view kBoxesSection = "[Boxes]";
constexpr std::array<std::string_view, 2> kBoxKeys{"First", "Second"};
constexpr std::string_view kTodaySection = "[Today]";
constexpr std::string_view kMonthSection = "[Month]";
constexpr std::string_view kFilesSection = "[Files]";

// An available added calendar by its text code ("HEB"); nullopt for any other text.
std::optional<CalendarCode> AddedCalendarOfCode(std::string_view text) {
  for (const CalendarCode code : kAddedCalendars) {
    if (CalendarTextCode(code) == text && IsAvailableCalendar(code)) return code;
  }
  return std::nullopt;
}

// "HEB,ISL": added calendars, each once, separated by commas; the empty text is none.
std::optional<std::vector<CalendarCode>> ParseCalendarList(std::string_view text) {
  std::vector<CalendarCode> codes;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    std::string_view code_text = item;
    while (!code_text.empty() && code_text.front() == ' ') code_text.remove_prefix(1);
    while (!code_text.empty() && code_text.back() == ' ') code_text.remove_suffix(1);
    const std::optional<CalendarCode> code = AddedCalendarOfCode(code_text);
    if (!code || codes.size() >= kAddedCalendars.size()) return std::nullopt;
    for (const CalendarCode seen : codes) {
      if (seen == *code) return std::nullopt;
    }
    codes.push_back(*code);
  }
  return codes;
}

// ---- Values --------------------------------------------------------------------------------

// "%", CR and LF would end or confuse a line: they are written as %25, %0D, %0A.
std::string EscapePath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (const char c : path) {
    if (c == '%') {
      out += "%25";
    } else if (c == '\r') {
      out += "%0D";
    } else if (c == '\n') {
      out += "%0A";
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Any "%XX" is taken back, so a hand-written %20 reads too; a "%" without two hex digits after
// it, or a NUL byte (which no path holds), is damage.
std::optional<std::string> UnescapePath(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;  // two digits must follow
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (out.find('\0') != std::string::npos) return std::nullopt;
  return out;
}

// A small whole number of at most three digits (the codes above), or nullopt.
std::optional<int> SmallNumber(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');  // [0, 999]
  }
  return value;
}

// "2,45,44,/path": three codes and the path (which may hold commas itself).
std::optional<HolidayFileEntry> ParseHolidayFile(std::string_view value) {
  HolidayFileEntry entry;
  int codes[3] = {0, 0, 0};
  for (int& code : codes) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<int> number = SmallNumber(value.substr(0, comma));
    if (!number) return std::nullopt;
    code = *number;
    value.remove_prefix(comma + 1);
  }
  if (codes[0] != kFormatMDY && codes[0] != kFormatDMY && codes[0] != kFormatYMD) return std::nullopt;
  entry.date_format = static_cast<DateFormat>(codes[0]);
  const std::optional<std::string_view> separator = DateSeparatorOfCode(codes[1]);
  const std::optional<std::string_view> thousands = ThousandsSeparatorOfCode(codes[2]);
  std::optional<std::string> path = UnescapePath(value);
  if (!separator || !thousands || !path || path->empty() || path->front() != '/') return std::nullopt;
  entry.date_separator = std::string(*separator);
  entry.thousands_separator = std::string(*thousands);
  entry.path = std::move(*path);
  return entry;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool IsDefault(const WorkDaysSettings& settings) { return settings == WorkDaysSettings{}; }

std::string FormatWorkDaysFile(const WorkDaysSettings& settings) {
  std::string out = "# Quorvan: working days (work week, region, holiday files)\n";
  out += kSection;
  out += '\n';
  const std::optional<WorkWeek> week = WorkWeek::FromMask(settings.work_week);
  out += "WorkWeek=" + (week ? week->ToText() : WorkWeek().ToText()) + '\n';
  out += "Region=" + settings.region + '\n';
  for (const HolidayFileEntry& file : settings.files) {
    out += "HolidayFile=" + std::to_string(file.date_format) + ',' + std::to_string(SeparatorCode(file.date_separator)) +
           ',' + std::to_string(SeparatorCode(file.thousands_separator)) + ',' + EscapePath(file.path) + '\n';
  }
  if (settings.law_only) out += "HolidayKinds=law\n";
  bool boxes_header = false;
  for (std::size_t i = 0; i < settings.boxes.size(); ++i) {
    const AddedBoxSetting& box = settings.boxes[i];
    if (!IsAddedCalendar(box.calendar)) continue;
    if (!boxes_header) out += std::string(kBoxesSection) + '\n';
    boxes_header = true;
    out += std::string(kBoxKeys[i]) + "Calendar=" + std::string(CalendarTextCode(box.calendar)) + '\n';
    out += std::string(kBoxKeys[i]) + "Text=" + EscapePath(box.text) + '\n';
  }
  if (!settings.more_today_calendars.empty() || IsAddedCalendar(settings.today_calendar)) {
    out += std::string(kTodaySection) + "\nMoreCalendars=";
    for (std::size_t i = 0; i < settings.more_today_calendars.size(); ++i) {
      if (i > 0) out += ',';
      out += CalendarTextCode(settings.more_today_calendars[i]);
    }
    out += '\n';
    if (IsAddedCalendar(settings.today_calendar)) {
      out += "Calendar=" + std::string(CalendarTextCode(settings.today_calendar)) + '\n';
    }
  }
  if (IsAddedCalendar(settings.month_also_show)) {
    out += std::string(kMonthSection) + "\nAlsoShow=" + std::string(CalendarTextCode(settings.month_also_show)) + '\n';
  }
  if (!settings.holiday_folder.empty()) {
    out += std::string(kFilesSection) + "\nFolder=" + EscapePath(settings.holiday_folder) + '\n';
  }
  return out;
}

WorkDaysReadResult ParseWorkDaysText(std::string_view text) {
  const WorkDaysReadResult damaged{WorkDaysReadStatus::Damaged, {}};
  WorkDaysSettings settings;
  bool in_section = false;
  enum class Section { WorkDays, Boxes, Today, Month, Files, Unknown } section = Section::WorkDays;
  bool folder_seen = false;
  bool more_seen = false;
  bool today_seen = false;
  bool also_seen = false;
  std::array<bool, 2> box_calendar_seen{};
  std::array<bool, 2> box_text_seen{};
  bool week_seen = false;
  bool region_seen = false;
  bool kinds_seen = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';') continue;
    if (!in_section) {
      // The section header comes first; anything else means this is not our file.
      if (trimmed != kSection) return damaged;
      in_section = true;
      continue;
    }
    if (trimmed.front() == '[') {
      // A later section: the boxes', or one of a later version, which is skipped.
      section = trimmed == kBoxesSection   ? Section::Boxes
                : trimmed == kTodaySection ? Section::Today
                : trimmed == kMonthSection ? Section::Month
                : trimmed == kFilesSection ? Section::Files
                                           : Section::Unknown;
      continue;
    }
    if (section == Section::Unknown) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return damaged;
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    const std::string_view value = line.substr(equals + 1);
    if (section == Section::Today && key == "MoreCalendars") {
      std::optional<std::vector<CalendarCode>> codes = ParseCalendarList(TrimBlanks(value));
      if (more_seen || !codes) return damaged;
      more_seen = true;
      settings.more_today_calendars = std::move(*codes);
      continue;
    }
    const bool today_key = section == Section::Today && key == "Calendar";
    if (today_key || (section == Section::Month && key == "AlsoShow")) {
      const std::optional<CalendarCode> code = AddedCalendarOfCode(TrimBlanks(value));
      bool& seen = today_key ? today_seen : also_seen;
      if (seen || !code) return damaged;
      seen = true;
      (today_key ? settings.today_calendar : settings.month_also_show) = *code;
      continue;
    }
    if (section == Section::Files && key == "Folder") {
      std::optional<std::string> folder = UnescapePath(value);
      if (folder_seen || !folder || folder->empty() || folder->front() != '/') return damaged;
      folder_seen = true;
      settings.holiday_folder = std::move(*folder);
      continue;
    }
    if (section != Section::Boxes && section != Section::WorkDays) continue;  // a later version's key
    if (section == Section::Boxes) {
      for (std::size_t i = 0; i < kBoxKeys.size(); ++i) {
        if (key.substr(0, kBoxKeys[i].size()) != kBoxKeys[i]) continue;
        const std::string_view rest = key.substr(kBoxKeys[i].size());
        if (rest == "Calendar") {
          const std::optional<CalendarCode> code = AddedCalendarOfCode(TrimBlanks(value));
          if (box_calendar_seen[i] || !code) return damaged;
          box_calendar_seen[i] = true;
          settings.boxes[i].calendar = *code;
        } else if (rest == "Text") {
          std::optional<std::string> typed = UnescapePath(value);
          if (box_text_seen[i] || !typed) return damaged;
          box_text_seen[i] = true;
          settings.boxes[i].text = std::move(*typed);
        }
      }
      continue;
    }
    if (key == "WorkWeek") {
      const std::optional<WorkWeek> week = WorkWeek::Parse(TrimBlanks(value));
      if (week_seen || !week) return damaged;
      settings.work_week = week->Mask();
      week_seen = true;
    } else if (key == "Region") {
      const std::string_view code = TrimBlanks(value);
      if (region_seen) return damaged;
      region_seen = true;
      if (code.empty()) continue;
      const holidays::Region* region = holidays::FindRegion(code);
      if (region == nullptr) return damaged;
      settings.region = std::string(region->code);
    } else if (key == "HolidayKinds") {
      const std::string_view kinds = TrimBlanks(value);
      if (kinds_seen || (kinds != "law" && kinds != "office")) return damaged;
      kinds_seen = true;
      settings.law_only = kinds == "law";
    } else if (key == "HolidayFile") {
      std::optional<HolidayFileEntry> entry = ParseHolidayFile(value);
      if (!entry) return damaged;
      settings.files.push_back(std::move(*entry));
    }
  }
  if (!in_section) return damaged;
  // A text without its calendar could not be read.
  for (std::size_t i = 0; i < settings.boxes.size(); ++i) {
    if (box_text_seen[i] && !box_calendar_seen[i]) return damaged;
  }
  return {WorkDaysReadStatus::Complete, std::move(settings)};
}

WorkDaysReadResult ReadWorkDaysFile(const std::string& path) {
  SmallFileRead read = ReadSmallFile(path, kMaxWorkDaysFileBytes);
  switch (read.status) {
    case SmallFileStatus::Read:
      return ParseWorkDaysText(read.content);
    case SmallFileStatus::Missing:
      return {WorkDaysReadStatus::Missing, {}};
    case SmallFileStatus::Unreadable:
      return {WorkDaysReadStatus::Unreadable, {}};
    case SmallFileStatus::TooLarge:
      return {WorkDaysReadStatus::TooLarge, {}};
  }
  return {WorkDaysReadStatus::Unreadable, {}};
}

FileWriteResult WriteWorkDaysFile(const std::string& path, const WorkDaysSettings& settings) {
  return WriteFileAtomically(path, FormatWorkDaysFile(settings));
}

}  // namespace qv
