#include "app/cli/json_text.h"

#include <cstdint>
#include <cstring>

namespace qv::cli {

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

void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  std::size_t plain = 0;  // the start of the run of bytes that go out as they are
  const auto flush = [&](std::size_t end) { out.append(text.data() + plain, end - plain); };
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte != '"' && byte != '\\' && byte < 0x80) {
      ++i;
      continue;
    }
    if (byte >= 0x80) {
      const std::size_t length = Utf8SequenceLength(text, i);
      if (length > 0) {
        i += length;
        continue;
      }
    }
    flush(i);
    switch (byte) {
      case '"': out.append("\\\""); break;
      case '\\': out.append("\\\\"); break;
      case '\b': out.append("\\b"); break;
      case '\f': out.append("\\f"); break;
      case '\n': out.append("\\n"); break;
      case '\r': out.append("\\r"); break;
      case '\t': out.append("\\t"); break;
      default:
        if (byte < 0x20) {
          out.append("\\u00");
          out.push_back(kHex[byte >> 4]);
          out.push_back(kHex[byte & 0xF]);
        } else {
          out.append("\xEF\xBF\xBD");  // U+FFFD for a byte of no well-formed character
        }
    }
    plain = ++i;
  }
  flush(text.size());
  out.push_back('"');
}

}  // namespace qv::cli
