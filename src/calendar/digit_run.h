#pragma once
// Runs of decimal digits: the one digit test and the one reader of a run's value that every
// date and number reader builds on (signs, separators and limits are the callers' rules), and
// the block-wise tests with which the CE/JC reader finds its separators.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace qv {

// A run whose value reaches this reads as this value: far beyond every limit a reader applies,
// so that a 40-digit field is simply "huge", and small enough that a caller may negate it.
inline constexpr int64_t kDigitRunSaturated = 1'000'000'000'000'000;  // 10^15

// Whether `c` is one of '0' … '9': the one digit test of every reader.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The pieces of the block-wise readers: eight characters at a time in a 64-bit word.
namespace digit_run {
// The value of the `count` (1 … 4) digits at `p` into `value`; false when one is not a digit.
// Each digit's weight follows from the count, so the digits are weighed side by side rather
// than one after the other, and one test checks them all.
[[gnu::always_inline]] inline bool ReadStep(const char* p, std::size_t count, uint64_t& value) {
  const auto digit = [p](std::size_t i) {
    return static_cast<uint64_t>(static_cast<unsigned char>(p[i])) - '0';  // > 9 (wrapped) for any non-digit
  };
  uint64_t first = 0, second = 0, third = 0, fourth = 0;  // right-aligned: "7" is 0, 0, 0, 7
  switch (count) {
    case 4: first = digit(0); second = digit(1); third = digit(2); fourth = digit(3); break;
    case 3: second = digit(0); third = digit(1); fourth = digit(2); break;
    case 2: third = digit(0); fourth = digit(1); break;
    default: fourth = digit(0); break;
  }
  value = 1000 * first + 100 * second + 10 * third + fourth;
  return (first <= 9) & (second <= 9) & (third <= 9) & (fourth <= 9);
}

// Up to eight bytes of `text` from `first` on, the byte at `first` lowest; the bytes beyond the
// text are zero. Loads stay within the text: no more than two fixed-size loads, which the
// compiler turns into plain moves.
[[gnu::always_inline]] inline uint64_t LoadBlock(std::string_view text, std::size_t first) {
  const std::size_t size = text.size();
  const std::size_t bytes = size - first < 8 ? size - first : 8;  // [1, 8]
  const auto load = [](const char* p, std::size_t n) {  // n is 4 or 8
    uint64_t word = 0;
    if (n == 8) {
      std::memcpy(&word, p, 8);
    } else {
      uint32_t half = 0;
      std::memcpy(&half, p, 4);
      word = half;
    }
    if constexpr (std::endian::native == std::endian::big) word = n == 8 ? __builtin_bswap64(word) : __builtin_bswap32(static_cast<uint32_t>(word));
    return word;
  };
  if (size >= 8) return load(text.data() + first + bytes - 8, 8) >> (8 * (8 - bytes));  // the block's end is the load's end
  // A text shorter than eight bytes: two overlapping four-byte loads, or its bytes one by one.
  const char* const p = text.data();
  if (size >= 4) return load(p, 4) | load(p + size - 4, 4) << (8 * (size - 4));
  uint64_t word = 0;
  for (std::size_t i = 0; i < size; ++i) word |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  return word;
}

// The top bit of byte i is set when byte i of `word` is not a digit, for the lowest `bytes`
// bytes. Per byte x = c ^ '0' is below 10 exactly for a digit: (x & 0x7F) + 0x76 reaches 0x80
// from 10 on (at most 0xF5, so no carry into the next byte), and x itself has its top bit from
// 0x80 on.
[[gnu::always_inline]] inline uint64_t NonDigitBits(uint64_t word, std::size_t bytes) {
  constexpr uint64_t kOnes = 0x0101'0101'0101'0101;
  const uint64_t x = word ^ (kOnes * '0');
  const uint64_t non_digits = (((x & (kOnes * 0x7F)) + kOnes * 0x76) | x) & (kOnes * 0x80);
  return bytes >= 8 ? non_digits : non_digits & ((uint64_t{1} << (8 * bytes)) - 1);
}

// The top bit of byte i is set when byte i of `word` is `c`, for the lowest `bytes` bytes.
[[gnu::always_inline]] inline uint64_t ByteBits(uint64_t word, char c, std::size_t bytes) {
  constexpr uint64_t kOnes = 0x0101'0101'0101'0101;
  const uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));  // zero bytes where c stands
  const uint64_t zeros = ~(((x & (kOnes * 0x7F)) + kOnes * 0x7F) | x) & (kOnes * 0x80);
  return bytes >= 8 ? zeros : zeros & ((uint64_t{1} << (8 * bytes)) - 1);
}

// How many bytes have their top bit set in a mask of top bits (one multiplication adds the
// bytes' bits in the highest byte; a call of popcount costs more without the instruction).
[[gnu::always_inline]] inline std::size_t CountBytes(uint64_t top_bits) {
  return static_cast<std::size_t>(((top_bits >> 7) * 0x0101'0101'0101'0101) >> 56);
}
}  // namespace digit_run

// The value of `digits` when it is one or more of '0' … '9' (leading zeros allowed) and
// nothing else, saturated at kDigitRunSaturated; nullopt for an empty text or any other
// character, a sign included.
[[gnu::always_inline]] inline std::optional<int64_t> DigitRunValue(std::string_view digits) {
  // Four digits at a time: the short fields of a date (day, month, week, a four-digit year) in
  // one step; a longer run takes its first size % 4 digits (or four), then four at a time.
  const std::size_t size = digits.size();
  if (size == 0) return std::nullopt;
  const char* const p = digits.data();
  uint64_t value = 0;
  if (size <= 4) {  // one step, nothing to saturate
    if (!digit_run::ReadStep(p, size, value)) return std::nullopt;
    return static_cast<int64_t>(value);
  }
  std::size_t at = (size - 1) % 4 + 1;  // [1, 4]
  if (!digit_run::ReadStep(p, at, value)) return std::nullopt;
  constexpr auto kCap = static_cast<uint64_t>(kDigitRunSaturated);
  for (; at < size; at += 4) {
    uint64_t step = 0;
    if (!digit_run::ReadStep(p + at, 4, step)) return std::nullopt;
    // Below 10^15 before the step, value × 10^4 + 9999 < 10^19 < 2^64: no overflow.
    value = value < kCap ? value * 10'000 + step : kCap;
  }
  return static_cast<int64_t>(value < kCap ? value : kCap);
}

}  // namespace qv
