#pragma once
// Small text operations shared by the date readers, the writers and the key filters.
// Positions are 1-based character positions; 0 means "none".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/digit_run.h"

namespace qv {

// Lines of the output window, and of every message that has more than one, end with CR LF.
inline constexpr std::string_view kLineBreak = "\r\n";

// Key codes that every key filter lets through: copy, backspace, paste, cut.
inline constexpr int16_t kKeyCopy = 3;
inline constexpr int16_t kKeyBackspace = 8;
inline constexpr int16_t kKeyPaste = 22;
inline constexpr int16_t kKeyCut = 24;

// Groups the digits of `number` (plain decimal, optional leading '-') with `separator`;
// unchanged when the separator is empty.
std::string InsertThousandsSeparators(std::string_view number, std::string_view separator);
// Plain decimal of a 32-bit value, grouped with `separator`.
std::string GroupedNumber(int64_t value, std::string_view separator);

std::string RemoveCharacters(std::string_view text, std::string_view set, std::size_t start);
std::string RemoveSpaces(std::string_view text);
std::size_t CountOccurrences(std::string_view text, std::string_view pattern);
// What a number text may hold besides its digits.
enum class Minus { NotAllowed, Allowed };
enum class LeadingSign { NotAllowed, Allowed };
enum class Commas { NotAllowed, Allowed };

// Strips `text` down to digits and at most one '+' and one '-' standing before the first digit.
// `dropped(position)` is told the position, in the text as given, of every character removed.
template <typename Dropped>
void KeepSignedDigits(std::string& text, Minus minus, Dropped&& dropped) {
  bool digit_seen = false, plus_seen = false, minus_seen = false;
  std::size_t kept = 0;  // the kept characters move to the front in one pass
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    bool keep = false;
    if (IsDigit(c)) {
      keep = digit_seen = true;
    } else if (c == '+') {
      keep = !digit_seen && !plus_seen;
      plus_seen = plus_seen || keep;
    } else if (c == '-') {
      keep = minus == Minus::Allowed && !digit_seen && !minus_seen;
      minus_seen = minus_seen || keep;
    }
    if (keep) {
      text[kept++] = c;
    } else {
      dropped(i);
    }
  }
  text.resize(kept);
}
inline void KeepSignedDigits(std::string& text, Minus minus) {
  KeepSignedDigits(text, minus, [](std::size_t) {});
}
bool IsDigitsOnly(std::string_view text, LeadingSign sign, Commas commas);
// Leading and trailing blanks (spaces) removed.
inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}
// At most `limit` bytes of `text`, cut before a character rather than inside one, with "…" when
// cut, and any control character (a terminal would act on it) shown as '?': a user's text fit
// to quote in a message.
std::string QuotedPart(std::string_view text, std::size_t limit);
bool IsNumberKeyAllowed(int16_t key, std::size_t length, std::size_t max_length,
                        std::string_view extra_characters);

}  // namespace qv
