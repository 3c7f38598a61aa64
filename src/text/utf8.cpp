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

}  // namespace qv
