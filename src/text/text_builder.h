#pragma once
// Builds a short text in a fixed buffer on the stack and hands it over as one string: the
// writers put a date together from many small pieces, and appending each piece to a string
// costs more than the date arithmetic. A text that outgrows the buffer moves on to the heap.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

class TextBuilder {
 public:
  TextBuilder& Add(char c) {
    if (size_ < kCapacity && !spilled_) {
      buffer_[size_++] = c;
    } else {
      Spill().push_back(c);
    }
    return *this;
  }
  [[gnu::always_inline]] TextBuilder& Add(std::string_view text) {
    if (!spilled_ && text.size() <= kCapacity - size_) {
      for (const char c : text) buffer_[size_++] = c;  // pieces are a few characters long
    } else {
      Spill().append(text);
    }
    return *this;
  }
  // Plain decimal: a '-' in front of negative values, no grouping.
  TextBuilder& Decimal(int64_t value) { return Padded(value, 0); }
  // A '-' for negative values, then at least `width` digits (leading zeros); never cut.
  [[gnu::always_inline]] TextBuilder& Padded(int64_t value, std::size_t width) {
    // Days, months, weeks and four-digit years, the usual pieces, are written directly.
    if (value >= 0 && value < 10000 && width <= 4 && !spilled_ && kCapacity - size_ >= 4) [[likely]] {
      const auto v = static_cast<unsigned>(value);
      const std::size_t count = v >= 1000 ? 4 : v >= 100 ? 3 : v >= 10 ? 2 : 1;
      char* out = buffer_ + size_;
      for (std::size_t i = count; i < width; ++i) *out++ = '0';
      if (count >= 4) *out++ = static_cast<char>('0' + v / 1000);
      if (count >= 3) *out++ = static_cast<char>('0' + v / 100 % 10);
      if (count >= 2) *out++ = static_cast<char>('0' + v / 10 % 10);
      *out++ = static_cast<char>('0' + v % 10);
      size_ = static_cast<std::size_t>(out - buffer_);
      return *this;
    }
    return PaddedWide(value, width);
  }
  std::string Text() const { return spilled_ ? spill_ : std::string(buffer_, size_); }
  void AppendTo(std::string& out) const {
    if (spilled_) {
      out.append(spill_);
    } else {
      out.append(buffer_, size_);
    }
  }
  std::size_t Size() const { return spilled_ ? spill_.size() : size_; }

 private:
  static constexpr std::size_t kCapacity = 64;  // a date, or a part of a result sentence
  // Any other value: negative, five digits or more, wide padding, or a full buffer.
  [[gnu::noinline]] TextBuilder& PaddedWide(int64_t value, std::size_t width) {
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
    if (spilled_ || total > kCapacity - size_) {
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
  std::string& Spill() {
    if (!spilled_) {
      spill_.assign(buffer_, size_);
      spilled_ = true;
    }
    return spill_;
  }
  char buffer_[kCapacity];
  std::size_t size_ = 0;
  bool spilled_ = false;
  std::string spill_;
};

}  // namespace qv
