#pragma once
// What the readers of holiday list files and rule files share: the lines of a file after the
// byte order mark it may start with, a line's blanks, and the frame of an error message with the
// part of a line it quotes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::holidays {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The lines of a file, numbered from 1, without their line feeds; a byte order mark at the start
// is no part of the first line.
class FileLines {
 public:
  explicit FileLines(std::string_view contents) : rest_(contents) {
    if (rest_.starts_with(kByteOrderMark)) rest_.remove_prefix(kByteOrderMark.size());
  }
  // The next line, or false after the last.
  bool Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    ++number_;
    return true;
  }
  // The number of the line Next gave last.
  int64_t Number() const { return number_; }

 private:
  std::string_view rest_;
  int64_t number_ = 0;
};

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

// "file, line 3: problem: detail" ("Zeile" in German); no line part for line 0, no detail part
// when there is none.
inline std::string FileErrorText(std::string_view file, int64_t line, std::string_view problem, std::string_view detail,
                                 bool german) {
  std::string text(file);
  if (line > 0) text.append(german ? ", Zeile " : ", line ").append(std::to_string(line));
  text.append(": ").append(problem);
  if (!detail.empty()) text.append(": ").append(detail);
  return text;
}

}  // namespace qv::holidays
