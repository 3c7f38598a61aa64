#include "settings/stored_text.h"

#include <array>
#include <utility>

namespace qv {
namespace {

// Windows-1252 characters of the bytes 0x80 to 0x9F; the undefined five map to themselves.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0u | (c >> 6)));
    out.push_back(static_cast<char>(0x80u | (c & 0x3Fu)));
  } else {  // every character of the table lies below U+10000
    out.push_back(static_cast<char>(0xE0u | (c >> 12)));
    out.push_back(static_cast<char>(0x80u | ((c >> 6) & 0x3Fu)));
    out.push_back(static_cast<char>(0x80u | (c & 0x3Fu)));
  }
}

// The byte of `c` in Windows-1252, or -1.
int Windows1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Calls `take` with the Windows-1252 byte (or -1) of each character of well-formed UTF-8, in
// order, until it returns false; true when it took every character.
template <typename Take>
bool ForEachWindows1252Byte(std::string_view utf8, Take&& take) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    // Well-formed: the lead byte tells the length, the rest are continuation bytes.
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1Fu) : length == 3 ? (lead & 0x0Fu) : (lead & 0x07u);
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    i += length;
    if (!take(Windows1252Byte(c))) return false;
  }
  return true;
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (const char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte < 0x80) {
      out.push_back(b);
    } else {
      AppendUtf8(out, byte < 0xA0 ? kHighControls[byte - 0x80u] : char32_t{byte});
    }
  }
  return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return std::nullopt;
  std::string out;
  out.reserve(utf8.size());
  const bool whole = ForEachWindows1252Byte(utf8, [&out](int byte) {
    if (byte < 0) return false;
    out.push_back(static_cast<char>(byte));
    return true;
  });
  if (!whole) return std::nullopt;
  return out;
}

DecodedText DecodeStoredText(std::string bytes) {
  if (IsValidUtf8(bytes)) return {std::move(bytes), TextEncoding::Utf8};
  return {Windows1252ToUtf8(bytes), TextEncoding::Windows1252};
}

std::string EncodeStoredText(std::string utf8, TextEncoding encoding) {
  if (encoding != TextEncoding::Windows1252 || !IsValidUtf8(utf8)) return utf8;
  // A character the code page lacks keeps the whole text in UTF-8: that is settled before any
  // byte changes. Then the text is converted where it lies (a saved output may be tens of
  // megabytes): every character takes one byte in Windows-1252 and at least one in UTF-8, so
  // each byte is written at or before the character it comes from, which has been read.
  if (!ForEachWindows1252Byte(utf8, [](int byte) { return byte >= 0; })) return utf8;
  std::size_t written = 0;
  ForEachWindows1252Byte(utf8, [&utf8, &written](int byte) {
    utf8[written++] = static_cast<char>(byte);
    return true;
  });
  utf8.resize(written);
  return utf8;
}

}  // namespace qv
