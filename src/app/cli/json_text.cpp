#include "app/cli/json_text.h"

#include <cstdint>
#include <cstring>

namespace qv::cli {

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
