#pragma once
// Builds a short text in a fixed buffer on the stack and hands it over as one string: the
// writers put a date together from many small pieces, and appending each piece to a string
// costs more than the date arithmetic. A text that outgrows the buffer moves on to the heap.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qv {

// Copies `size` (at most 16) bytes with at most two overlapping fixed-size moves, which the
// compiler turns into plain loads and stores: a date's pieces are 1 to 16 characters long, and
// a call of memcpy, or a loop over the characters, costs more than the copy itself. Reads and
// writes stay within [from, from + size) and [to, to + size).
[[gnu::always_inline]] inline void CopyShort(char* to, const char* from, std::size_t size) {
  if (size >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + size - 8, from + size - 8, 8);
  } else if (size >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + size - 4, from + size - 4, 4);
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

// Every fast path reads size_ once into a local and stores the new size after its characters:
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
      if (text.size() <= 16) {
        CopyShort(buffer_ + at, text.data(), text.size());
      } else {
        std::memcpy(buffer_ + at, text.data(), text.size());
      }
      size_ = at + text.size();
    } else {
      Spill().append(text);
    }
    return *this;
  }
  // Plain decimal: a '-' in front of negative values, no grouping.
  [[gnu::always_inline]] BasicTextBuilder& Decimal(int64_t value) { return Padded(value, 0); }
  // A '-' for negative values, then at least `width` digits (leading zeros); never cut.
  [[gnu::always_inline]] BasicTextBuilder& Padded(int64_t value, std::size_t width) {
    // Days, months, weeks and four-digit years, the usual pieces, are written directly, two
    // digits at a time from the table of pairs (leading zeros are exactly the padding). Each
    // call site has its own usual count, so the switch is well predicted; the digits go
    // straight into the buffer, never through a scratch copy that would be read back at once.
    const std::size_t at = size_;
    if (value >= 0 && value < 10000 && width <= 4 && at <= kCapacity - 4) [[likely]] {
      const auto v = static_cast<std::size_t>(value);
      const std::size_t digits = std::size_t{1} + (v >= 10) + (v >= 100) + (v >= 1000);  // [1, 4]
      const std::size_t count = digits > width ? digits : width;            // [1, 4]
      const char* const high = kDigitPairs + 2 * (v / 100);  // "00" … "99"; "00" … "09" for count < 4
      const char* const low = kDigitPairs + 2 * (v % 100);
      char* const out = buffer_ + at;
      switch (count) {
        case 4: std::memcpy(out, high, 2); std::memcpy(out + 2, low, 2); break;
        case 3: out[0] = high[1]; std::memcpy(out + 1, low, 2); break;
        case 2: std::memcpy(out, low, 2); break;
        default: out[0] = low[1]; break;
      }
      size_ = at + count;
      return *this;
    }
    return PaddedWide(value, width);
  }
  // Room for `count` more characters, which the caller then writes all of: the place to write
  // them, or nullptr (and nothing reserved) when they do not fit into the buffer, and the caller
  // adds them piece by piece instead.
  [[gnu::always_inline]] char* Room(std::size_t count) {
    const std::size_t at = size_;
    if (count > kCapacity || at > kCapacity - count) return nullptr;  // also when spilled
    size_ = at + count;
    return buffer_ + at;
  }
  std::string Text() const { return Spilled() ? spill_ : std::string(buffer_, size_); }
  // The text so far; valid until the next piece.
  std::string_view View() const { return Spilled() ? std::string_view(spill_) : std::string_view(buffer_, size_); }
  void AppendTo(std::string& out) const {
    if (Spilled()) {
      out.append(spill_);
    } else {
      out.append(buffer_, size_);
    }
  }
  std::size_t Size() const { return Spilled() ? spill_.size() : size_; }
  // Starts a new text (a spilled text's heap buffer is kept for the next spill).
  void Clear() { size_ = 0; }

 private:
  // Any other value: negative, five digits or more, wide padding, or a full buffer.
  [[gnu::noinline]] BasicTextBuilder& PaddedWide(int64_t value, std::size_t width) {
    char digits[20];
    char* const end = digits + sizeof digits;
    char* first = end;
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
      *--first = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    const auto count = static_cast<std::size_t>(end - first);
    const std::size_t zeros = width > count ? width - count : 0;
    const std::size_t total = (value < 0 ? 1 : 0) + zeros + count;
    if (Spilled() || total > kCapacity - size_) {
      if (value < 0) Add('-');
      for (std::size_t i = 0; i < zeros; ++i) Add('0');
      return Add(std::string_view(first, count));
    }
    char* out = buffer_ + size_;
    if (value < 0) *out++ = '-';
    for (std::size_t i = 0; i < zeros; ++i) *out++ = '0';
    while (first != end) *out++ = *first++;
    size_ += total;
    return *this;
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
