#pragma once
// The date and thousands separators as the kept files store them, and as the window's separator
// options carry them as ids: the character's code, 0 for no thousands separator.
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

constexpr int32_t SeparatorCode(std::string_view separator) {
  return separator.empty() ? 0 : int32_t{static_cast<unsigned char>(separator.front())};
}

// The date separator of a code ("-", "/" or "."), as a static text; none for any other code.
constexpr std::optional<std::string_view> DateSeparatorOfCode(int32_t code) {
  switch (code) {
    case '-': return "-";
    case '/': return "/";
    case '.': return ".";
    default: return std::nullopt;
  }
}

// The thousands separator of a code ("," or ".", "" for 0), as a static text; none for any other.
constexpr std::optional<std::string_view> ThousandsSeparatorOfCode(int32_t code) {
  switch (code) {
    case 0: return "";
    case ',': return ",";
    case '.': return ".";
    default: return std::nullopt;
  }
}

}  // namespace qv
