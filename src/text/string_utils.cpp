#include "text/string_utils.h"

#include <string>

#include "calendar/calendar_library.h"

namespace qv {

namespace {

bool InSet(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

// The character a key code stands for; codes outside one byte stand for no character.
bool KeyCharacter(int16_t key, char& c) {
  if (key < 0 || key > 255) return false;
  c = static_cast<char>(static_cast<unsigned char>(key));
  return true;
}

}  // namespace

std::string InsertThousandsSeparators(std::string_view number, std::string_view separator) {
  if (separator.empty()) return std::string(number);
  // The library writes into a fixed area of 20 characters and ends its text with a zero;
  // a leading '-' stays in front of the grouped digits.
  char area[20];
  for (char& c : area) c = ' ';
  separate_thousands(number, static_cast<unsigned char>(separator.front()), area);
  std::size_t length = 0;
  while (length < sizeof area && area[length] != '\0') ++length;
  return std::string(area, length);
}

std::string GroupedNumber(int64_t value, std::string_view separator) {
  return InsertThousandsSeparators(std::to_string(value), separator);
}

std::string RemoveCharacters(std::string_view text, std::string_view set, std::size_t start) {
  // Removing every run of set characters from the start position on leaves exactly the
  // characters outside the set: one pass keeps them.
  const std::size_t from = start <= 1 ? 0 : start - 1;
  if (from >= text.size()) return std::string(text);
  std::string result(text.substr(0, from));
  result.reserve(text.size());
  if (set.size() == 1) {
    for (std::size_t i = from; i < text.size(); ++i) {
      if (text[i] != set[0]) result.push_back(text[i]);
    }
    return result;
  }
  for (std::size_t i = from; i < text.size(); ++i) {
    if (set.find(text[i]) == std::string_view::npos) result.push_back(text[i]);
  }
  return result;
}

std::string RemoveSpaces(std::string_view text) {
  if (text.find(' ') == std::string_view::npos) return std::string(text);
  return RemoveCharacters(text, " ", 1);
}

std::size_t CountOccurrences(std::string_view text, std::string_view pattern) {
  if (text.empty() || pattern.empty()) return 0;
  std::size_t count = 0;
  if (pattern.size() == 1) {
    for (const char c : text) count += c == pattern[0] ? 1u : 0u;
    return count;
  }
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = text.find(pattern, from);
    if (at == std::string_view::npos) break;
    ++count;
    from = at + pattern.size();
  }
  return count;
}

bool IsDigitsOnly(std::string_view text, LeadingSign sign, Commas commas) {
  std::string_view rest = TrimBlanks(text);
  if (rest.empty()) return false;
  if (sign == LeadingSign::Allowed && (rest.front() == '+' || rest.front() == '-')) rest.remove_prefix(1);
  for (char c : rest) {
    if (IsDigit(c)) continue;
    if (commas == Commas::Allowed && c == ',') continue;
    return false;
  }
  return true;
}

bool IsNumberKeyAllowed(int16_t key, std::size_t length, std::size_t max_length,
                        std::string_view extra_characters) {
  if (key == kKeyCopy || key == kKeyBackspace || key == kKeyPaste || key == kKeyCut) return true;
  if (length == max_length) return false;
  char c = 0;
  if (!KeyCharacter(key, c)) return false;
  return InSet(c, extra_characters) || InSet(c, "1234567890-");
}

std::string QuotedPart(std::string_view text, std::size_t limit) {
  std::string part;
  std::size_t end = text.size();
  if (end > limit) {
    end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;  // a continuation byte
  }
  for (std::size_t i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    part.push_back(c < 0x20 || c == 0x7F ? '?' : text[i]);
  }
  if (end < text.size()) part.append("\u2026");
  return part;
}

}  // namespace qv
