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
    // overflow is possible, and the call of from_chars would cost more than the digits.
    for (const char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
  }
  const char* const end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (stop != end) return std::nullopt;  // a character other than a digit, or no digit first
  if (error == std::errc::result_out_of_range) return kDigitRunSaturated;
  return value;
}

}  // namespace qv
