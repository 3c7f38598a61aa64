#include "text/utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qv {

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  uint32_t code = 0;
  if ((byte & 0xE0) == 0xC0) {
    length = 2;
    code = byte & 0x1Fu;
  } else if ((byte & 0xF0) == 0xE0) {
    length = 3;
    code = byte & 0x0Fu;
  } else if ((byte & 0xF8) == 0xF0) {
    length = 4;
    code = byte & 0x07u;
  } else {
    return 0;  // ASCII, a continuation byte, or a byte that starts nothing (0xF8 … 0xFF)
  }
  if (text.size() - at < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3Fu);
  }
  // No overlong forms, no surrogates, nothing above U+10FFFF.
  if ((length == 2 && code < 0x80) || (length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
      (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool IsValidUtf8(std::string_view text) {
  // The usual all-ASCII text: eight bytes at a time, none with its top bit set.
  std::size_t i = 0;
  constexpr uint64_t kTopBits = 0x8080'8080'8080'8080;
  for (uint64_t word = 0; text.size() - i >= 8; i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    if ((word & kTopBits) != 0) break;
  }
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

namespace {
bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }
// A lead byte of four bytes (U+10000 and above) stands for two UTF-16 units.
bool IsFourByteLead(char byte) { return static_cast<unsigned char>(byte) >= 0xF0U; }
}  // namespace

std::size_t Utf16Units(std::string_view utf8) {
  std::size_t units = 0;
  std::size_t i = 0;
  const std::size_t size = utf8.size();
  while (i < size) {
    // Eight ASCII bytes at a time, the usual case for results.
    if (size - i >= 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, utf8.data() + i, sizeof word);
      if ((word & 0x8080'8080'8080'8080U) == 0) {
        units += 8;
        i += 8;
        continue;
      }
    }
    const char byte = utf8[i++];
    if (!IsContinuation(byte)) units += IsFourByteLead(byte) ? 2U : 1U;
  }
  return units;
}

std::size_t ByteOfUtf16(std::string_view utf8, std::size_t units) {
  std::size_t passed = 0;
  std::size_t i = 0;
  const std::size_t size = utf8.size();
  while (i < size && passed < units) {
    const std::size_t width = IsFourByteLead(utf8[i]) ? 2U : 1U;
    if (passed + width > units) break;  // inside a surrogate pair: the character's start
    passed += width;
    ++i;
    while (i < size && IsContinuation(utf8[i])) ++i;
  }
  return i;
}

}  // namespace qv
