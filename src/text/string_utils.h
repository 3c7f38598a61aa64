#pragma once
// Small text operations shared by the date readers, the writers and the key filters.
// Positions are 1-based character positions; 0 means "none".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

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

void KeepSignedDigits(std::string& text, Minus minus);
bool IsDigitsOnly(std::string_view text, LeadingSign sign, Commas commas);
// Leading and trailing blanks (spaces) removed.
inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}
bool IsNumberKeyAllowed(int16_t key, std::size_t length, std::size_t max_length,
                        std::string_view extra_characters);

}  // namespace qv
