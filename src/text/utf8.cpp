#include "text/utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qv {

bool IsValidUtf8(std::string_view text) {
  // The usual all-ASCII text: eight bytes at a time, none with its top bit set.
  std::size_t i = 0;
  constexpr uint64_t kTopBits = 0x8080'8080'8080'8080;
  for (uint64_t word = 0; text.size() - i >= 8; i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    if ((word & kTopBits) != 0) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    uint32_t code = 0;
    if (byte < 0x80) {
      ++i;
      continue;
    } else if ((byte & 0xE0) == 0xC0) {
      length = 2;
      code = byte & 0x1Fu;
    } else if ((byte & 0xF0) == 0xE0) {
      length = 3;
      code = byte & 0x0Fu;
    } else if ((byte & 0xF8) == 0xF0) {
      length = 4;
      code = byte & 0x07u;
    } else {
      return false;  // a continuation byte without a lead, or 0xF8 … 0xFF
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    // No overlong forms, no surrogates, nothing above U+10FFFF.
    if ((length == 2 && code < 0x80) || (length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
        (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace qv
