#pragma once
// What the readers of holiday list files and rule files share: the byte order mark a file may
// start with, a line's blanks, and the part of a line an error message quotes.
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::holidays {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text without blanks, tabs, carriage returns, vertical tabs and form feeds at either end.
inline std::string_view TrimLineBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A line's text as it may stand in a message: at most 80 bytes, cut at a character boundary.
inline std::string LineDetail(std::string_view text) {
  constexpr std::size_t kLongestDetail = 80;
  if (text.size() <= kLongestDetail) return std::string(text);
  std::size_t end = kLongestDetail;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end)) + "…";
}

}  // namespace qv::holidays
