#pragma once
// Builds a short text in a fixed buffer on the stack and hands it over as one string: the
// writers put a date together from many small pieces, and appending each piece to a string
// costs more than the date arithmetic. A text that outgrows the buffer moves on to the heap.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qv {

// Copies `size` (at most 16) bytes with at most three overlapping fixed-size moves, which the
// compiler turns into plain loads and stores: a date's pieces are 1 to 16 characters long, and
// a call of memcpy, or a loop over the characters, costs more than the copy itself. Reads and
// writes stay within [from, from + size) and [to, to + size).
// Sizes 4 to 12 take one path whatever the size: the words of a sentence (the weekday names
// are 6 to 10 characters) vary from line to line, and a branch on their length was mispredicted
// about every other line.
[[gnu::always_inline]] inline void CopyShort(char* to, const char* from, std::size_t size) {
  if (size - 4 <= 8) {  // 4 … 12 (a size below 4 wraps around): moves of four at 0, the middle and the end
    const std::size_t middle = size / 2 - 2;  // [0, 4]
    std::memcpy(to, from, 4);
    std::memcpy(to + middle, from + middle, 4);
    std::memcpy(to + size - 4, from + size - 4, 4);
  } else if (size > 12) {
    std::memcpy(to, from, 8);
    std::memcpy(to + size - 8, from + size - 8, 8);
  } else if (size > 0) {
    to[0] = from[0];
    to[size / 2] = from[size / 2];
    to[size - 1] = from[size - 1];
  }
}

// "00", "01", … "99": two digits at a time.
inline constexpr char kDigitPairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writers that put a piece of known greatest length together write it straight into room the
// builder reserves (Reserve), one character pointer moving on, and close it with Commit: one
// size check and one size store per piece, however many small parts the piece has. These put
// the parts; each returns the position after what it wrote.
namespace put {

[[gnu::always_inline]] inline char* Text(char* out, std::string_view text) {
  if (text.size() == 1) {  // a separator
    *out = text.front();
  } else if (text.size() <= 16) {
    CopyShort(out, text.data(), text.size());
  } else {
    std::memcpy(out, text.data(), text.size());
  }
  return out + text.size();
}

// The greatest number of characters Padded writes for a width below 11: a '-' and 10 digits.
inline constexpr std::size_t kPaddedMax = 11;

// A '-' for negative values, then at least `width` digits, leading zeros included; never cut.
// The room must hold kPaddedMax characters (width + 1 for a wider width); the characters after
// the number may be written over. Values from 0 to 9999 with a width of at most 4, the days,
// months, weeks and years of the usual dates, are written from the table of pairs (the leading
// zeros are exactly the padding); any other value digit by digit.
[[gnu::noinline]] inline char* PaddedWide(char* out, int32_t value, std::size_t width) {
  char digits[10];
  char* const end = digits + sizeof digits;
  char* first = end;
  uint32_t magnitude = value < 0 ? 0 - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const auto count = static_cast<std::size_t>(end - first);
  if (value < 0) *out++ = '-';
  for (std::size_t i = count; i < width; ++i) *out++ = '0';
  while (first != end) *out++ = *first++;
  return out;
}

[[gnu::always_inline]] inline char* Padded(char* out, int32_t value, std::size_t width) {
  if (value < 0 || value >= 10000 || width > 4) [[unlikely]] return PaddedWide(out, value, width);
  const auto v = static_cast<uint32_t>(value);
  // The widths are constants at every call: a day or a month of two digits, a weekday of one,
  // a year of four take no further test.
  if (width == 2 && v < 100) {
    std::memcpy(out, kDigitPairs + 2 * v, 2);
    return out + 2;
  }
  if (width <= 1 && v < 10) {  // a weekday
    *out = static_cast<char>('0' + v);
    return out + 1;
  }
  if (v >= 1000) {  // a year of four digits
    std::memcpy(out, kDigitPairs + 2 * (v / 100), 2);
    std::memcpy(out + 2, kDigitPairs + 2 * (v % 100), 2);
    return out + 4;
  }
  const std::size_t digits = std::size_t{1} + std::size_t{v >= 10} + std::size_t{v >= 100} + std::size_t{v >= 1000};
  const std::size_t count = digits > width ? digits : width;  // [1, 4]
  // The four digits "0000" … "9999" in one word, the first in the lowest byte. Its first
  // 4 - count characters are shifted out and the word is stored whole: the room has the four
  // bytes, and the ones after the number are written over by what follows. No branch on the
  // number's length, which varies from date to date.
  const char* const high = kDigitPairs + 2 * (v / 100);
  const char* const low = kDigitPairs + 2 * (v % 100);
  switch (count) {
    case 4: std::memcpy(out, high, 2); std::memcpy(out + 2, low, 2); break;
    case 3: out[0] = high[1]; std::memcpy(out + 1, low, 2); break;
    case 2: std::memcpy(out, low, 2); break;
    default: out[0] = low[1]; break;
  }
  return out + count;
}

}  // namespace put

// Every piece reads size_ once into a local and stores the new size after its characters:
// a character store may alias any object, so a size read back after one would be loaded again,
// while a size computed from the local lets the next piece go on from a register. For the same
// reason the text's move to the heap is marked in size_ (kSpilled) rather than in a flag.
template <std::size_t kCapacity>
class BasicTextBuilder {
 public:
  [[gnu::always_inline]] BasicTextBuilder& Add(char c) {
    const std::size_t at = size_;
    if (at < kCapacity) [[likely]] {
      buffer_[at] = c;
      size_ = at + 1;
    } else {
      Spill().push_back(c);
    }
    return *this;
  }
  [[gnu::always_inline]] BasicTextBuilder& Add(std::string_view text) {
    const std::size_t at = size_;
    if (text.size() <= kCapacity && at <= kCapacity - text.size()) [[likely]] {
      put::Text(buffer_ + at, text);
      size_ = at + text.size();
    } else {
      Spill().append(text);
    }
    return *this;
  }
  // A '-' for negative values, then at least `width` digits (leading zeros); never cut.
  [[gnu::always_inline]] BasicTextBuilder& Padded(int32_t value, std::size_t width) {
    Commit(put::Padded(Reserve(width < put::kPaddedMax ? put::kPaddedMax : width + 1), value, width));
    return *this;
  }
  // Room for at most `count` more characters: the place to write them, in the stack buffer when
  // they fit, else at the end of the heap text. The caller writes some or all of them and ends
  // the piece with Commit(the position after its last character) before anything else is added.
  [[gnu::always_inline]] char* Reserve(std::size_t count) {
    const std::size_t at = size_;
    if (count <= kCapacity && at <= kCapacity - count) [[likely]] return buffer_ + at;
    return ReserveSpilled(count);
  }
  [[gnu::always_inline]] void Commit(char* end) {
    if (Spilled()) [[unlikely]] {
      spill_.resize(static_cast<std::size_t>(end - spill_.data()));
    } else {
      size_ = static_cast<std::size_t>(end - buffer_);
    }
  }
  std::string Text() const { return Spilled() ? spill_ : std::string(buffer_, size_); }
  // The text so far; valid until the next piece.
  std::string_view View() const { return Spilled() ? std::string_view(spill_) : std::string_view(buffer_, size_); }
  // Starts a new text (a spilled text's heap buffer is kept for the next spill).
  void Clear() { size_ = 0; }

 private:
  [[gnu::noinline]] char* ReserveSpilled(std::size_t count) {
    std::string& spill = Spill();
    const std::size_t at = spill.size();
    spill.resize(at + count);
    return spill.data() + at;
  }
  static constexpr std::size_t kSpilled = kCapacity + 1;  // size_ once the text lives in spill_
  bool Spilled() const { return size_ > kCapacity; }
  std::string& Spill() {
    if (!Spilled()) {
      spill_.assign(buffer_, size_);
      size_ = kSpilled;
    }
    return spill_;
  }
  char buffer_[kCapacity];
  std::size_t size_ = 0;  // characters in buffer_, or kSpilled
  std::string spill_;
};

using TextBuilder = BasicTextBuilder<64>;       // a date, or a part of a result sentence
using LineBuilder = BasicTextBuilder<256>;      // a whole result line

}  // namespace qv
