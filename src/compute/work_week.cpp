#include "compute/work_week.h"

#include <array>

namespace qv {

std::optional<WorkWeek> WorkWeek::FromMask(uint8_t mask) {
  if (mask == 0 || mask > 0x7F) return std::nullopt;
  return WorkWeek(mask);
}

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// ISO weekday (1 … 7) of a day's name; 0 when it is none.
int WeekdayOfName(std::string_view name) {
  static constexpr std::array<std::array<std::string_view, 4>, 7> kNames{{
      {"mon", "monday", "mo", "montag"},
      {"tue", "tuesday", "di", "dienstag"},
      {"wed", "wednesday", "mi", "mittwoch"},
      {"thu", "thursday", "do", "donnerstag"},
      {"fri", "friday", "fr", "freitag"},
      {"sat", "saturday", "sa", "samstag"},
      {"sun", "sunday", "so", "sonntag"},
  }};
  for (size_t day = 0; day < kNames.size(); ++day) {
    for (std::string_view candidate : kNames[day]) {
      if (SameLetters(name, candidate)) return static_cast<int>(day) + 1;
    }
  }
  return 0;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<WorkWeek> WorkWeek::Parse(std::string_view text) {
  text = Trim(text);
  if (text.size() == 7 && text.find_first_not_of("01") == std::string_view::npos) {
    uint8_t mask = 0;
    for (size_t i = 0; i < 7; ++i) mask = static_cast<uint8_t>(mask | ((text[i] == '1' ? 1u : 0u) << i));
    return FromMask(mask);
  }
  uint8_t mask = 0;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view item = Trim(text.substr(0, comma));
    const size_t dash = item.find('-');
    const int from = WeekdayOfName(Trim(item.substr(0, dash)));
    const int to = dash == std::string_view::npos ? from : WeekdayOfName(Trim(item.substr(dash + 1)));
    if (from == 0 || to == 0) return std::nullopt;
    for (int day = from;; day = day % 7 + 1) {  // a range may wrap past Sunday: Sun-Thu
      mask = static_cast<uint8_t>(mask | (1u << (day - 1)));
      if (day == to) break;
    }
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return FromMask(mask);
}

std::string WorkWeek::ToText() const {
  std::string text(7, '0');
  for (int i = 0; i < 7; ++i) {
    if (Works(i + 1)) text[static_cast<size_t>(i)] = '1';
  }
  return text;
}

}  // namespace qv
