#pragma once
// The value of a run of decimal digits: the one digit reader that every date and number reader
// builds on (signs, separators and limits are the callers' rules).
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>

namespace qv {

// A run too long for 64 bits reads as this value, far beyond every limit a reader applies,
// so that a 40-digit field is simply "huge" and never overflows.
inline constexpr uint64_t kDigitRunSaturated = UINT64_MAX;

// The value of `digits` when it is one or more of '0' … '9' (leading zeros allowed) and
// nothing else; nullopt for an empty text or any other character, a sign included.
inline std::optional<uint64_t> DigitRunValue(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  if (digits.size() <= 4) {
    // The short fields of a date (day, month, week, a four-digit year) are read by hand: no
    // overflow is possible, and the call of from_chars would cost more than the digits. Each
    // digit's weight follows from the length, so the digits are weighed side by side rather
    // than one after the other, and one test checks them all.
    const auto digit = [digits](std::size_t i) {
      return static_cast<uint64_t>(static_cast<unsigned char>(digits[i])) - '0';  // > 9 (wrapped) for any non-digit
    };
    uint64_t first = 0, second = 0, third = 0, fourth = 0;  // the digits, right-aligned: "7" is 0, 0, 0, 7
    switch (digits.size()) {
      case 4: first = digit(0); second = digit(1); third = digit(2); fourth = digit(3); break;
      case 3: second = digit(0); third = digit(1); fourth = digit(2); break;
      case 2: third = digit(0); fourth = digit(1); break;
      default: fourth = digit(0); break;
    }
    if ((first > 9) | (second > 9) | (third > 9) | (fourth > 9)) return std::nullopt;
    return 1000 * first + 100 * second + 10 * third + fourth;
  }
  const char* const end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (stop != end) return std::nullopt;  // a character other than a digit, or no digit first
  if (error == std::errc::result_out_of_range) return kDigitRunSaturated;
  return value;
}

}  // namespace qv
