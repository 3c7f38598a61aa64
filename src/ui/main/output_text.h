#pragma once
// The output window's text, kept once as UTF-8 with '\n' line ends, with two small indexes
// beside it: the start of every 16th line, and every few kilobytes a point that pairs a byte
// offset with its UTF-16 offset. Qt names positions in UTF-16 units; those points turn such a
// position into bytes (and back) by reading at most a few kilobytes, however long the text.
// A text of 64 MiB in 1.2 million lines needs about 1 MiB of index. No Qt here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/utf8.h"  // Utf16Units, ByteOfUtf16: the positions Qt counts

namespace qv {

class OutputText {
 public:
  // Lines whose start is kept: every kLinesPerMark-th. Finding any other line reads forward
  // over fewer than that many lines.
  static constexpr std::size_t kLinesPerMark = 16;
  // Bytes between two UTF-16 points (at least; a point never falls inside a character).
  static constexpr std::size_t kBytesPerPoint = 4096;

  // The text must be UTF-8 with whole characters (the view checks what it is given); a text
  // that is not still gives answers inside its bounds, only not meaningful ones.
  void Assign(std::string utf8);
  void Append(std::string_view utf8);
  void Clear() { Assign(std::string()); }
  // Empties the text and hands it over whole, without a copy.
  std::string Take();

  const std::string& Bytes() const { return text_; }
  std::size_t Size() const { return text_.size(); }
  bool Empty() const { return text_.empty(); }

  // Lines are separated by '\n': a text ending in '\n' has an empty last line, as a text box
  // shows it (the caret can stand there). Never 0.
  std::size_t LineCount() const { return line_count_; }
  // Byte offset of the first byte of `line` (clamped to the last line).
  std::size_t LineStart(std::size_t line) const;
  // The line's bytes without its '\n'.
  std::string_view Line(std::size_t line) const;
  // The line that holds byte `offset` (a '\n' belongs to the line it ends).
  std::size_t LineOf(std::size_t offset) const;
  // The line with the most bytes (the first of them), for the width of the view.
  std::size_t LongestLine() const { return longest_line_; }

  // UTF-16 units of the whole text, and the conversions between the two kinds of offset.
  // Offsets outside the text are clamped; a UTF-16 offset between the two halves of a
  // surrogate pair gives the start of that character.
  std::size_t Utf16Size() const { return utf16_size_; }
  std::size_t ToUtf16(std::size_t byte) const;
  std::size_t ToByte(std::size_t utf16) const;

  // The byte offset of the character before or after `byte` (clamped to the text).
  std::size_t PreviousCharacter(std::size_t byte) const;
  std::size_t NextCharacter(std::size_t byte) const;

 private:
  struct Point {
    std::size_t byte;
    std::size_t utf16;
  };
  void IndexFrom(std::size_t from);

  std::string text_;
  std::vector<std::size_t> marks_{0};  // start of line k * kLinesPerMark
  std::vector<Point> points_{{0, 0}};
  std::size_t line_count_ = 1;
  std::size_t last_line_start_ = 0;
  std::size_t longest_line_ = 0;
  std::size_t longest_bytes_ = 0;
  std::size_t utf16_size_ = 0;
};

}  // namespace qv
