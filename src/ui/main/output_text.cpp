#include "ui/main/output_text.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qv {
namespace {

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }

}  // namespace

void OutputText::Assign(std::string utf8) {
  text_ = std::move(utf8);
  marks_.assign(1, 0);
  points_.assign(1, Point{0, 0});
  line_count_ = 1;
  last_line_start_ = 0;
  longest_line_ = 0;
  longest_bytes_ = 0;
  utf16_size_ = 0;
  IndexFrom(0);
}

std::string OutputText::Take() {
  std::string taken = std::move(text_);
  Assign(std::string());
  return taken;
}

void OutputText::Append(std::string_view utf8) {
  const std::size_t from = text_.size();
  text_.append(utf8);
  IndexFrom(from);
}

// Indexes the bytes from `from` to the end, which were just added.
void OutputText::IndexFrom(std::size_t from) {
  const char* const data = text_.data();
  const std::size_t size = text_.size();
  const auto note_line_end = [this](std::size_t end) {  // a line [last_line_start_, end) is complete or growing
    if (end - last_line_start_ > longest_bytes_) {
      longest_bytes_ = end - last_line_start_;
      longest_line_ = line_count_ - 1;
    }
  };
  for (std::size_t at = from; at < size;) {
    const void* found = std::memchr(data + at, '\n', size - at);
    if (found == nullptr) break;
    const auto feed = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    note_line_end(feed);
    last_line_start_ = feed + 1;
    if (line_count_ % kLinesPerMark == 0) marks_.push_back(last_line_start_);
    ++line_count_;
    at = feed + 1;
  }
  note_line_end(size);

  // UTF-16 points: every kBytesPerPoint bytes, moved on to the next character's start.
  std::size_t counted = from;  // utf16_size_ covers the bytes before this
  while (true) {
    std::size_t next = points_.back().byte + kBytesPerPoint;
    while (next < size && IsContinuation(data[next])) ++next;
    if (next >= size) break;
    utf16_size_ += Utf16Units(std::string_view(data + counted, next - counted));
    counted = next;
    points_.push_back(Point{next, utf16_size_});
  }
  utf16_size_ += Utf16Units(std::string_view(data + counted, size - counted));
}

std::size_t OutputText::LineStart(std::size_t line) const {
  line = std::min(line, line_count_ - 1);
  std::size_t at = marks_[line / kLinesPerMark];
  for (std::size_t rest = line % kLinesPerMark; rest > 0; --rest) {
    at = static_cast<std::size_t>(static_cast<const char*>(std::memchr(text_.data() + at, '\n', text_.size() - at)) -
                                  text_.data()) + 1;
  }
  return at;
}

std::string_view OutputText::Line(std::size_t line) const {
  const std::size_t start = LineStart(line);
  const void* feed = std::memchr(text_.data() + start, '\n', text_.size() - start);
  const std::size_t end = feed == nullptr ? text_.size()
                                          : static_cast<std::size_t>(static_cast<const char*>(feed) - text_.data());
  return std::string_view(text_).substr(start, end - start);
}

std::size_t OutputText::LineOf(std::size_t offset) const {
  offset = std::min(offset, text_.size());
  // The last mark at or before the offset, then the line ends between it and the offset.
  const auto mark = std::upper_bound(marks_.begin(), marks_.end(), offset) - 1;
  std::size_t line = static_cast<std::size_t>(mark - marks_.begin()) * kLinesPerMark;
  const auto end = text_.begin() + static_cast<std::ptrdiff_t>(offset);
  line += static_cast<std::size_t>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(*mark), end, '\n'));
  return line;
}

std::size_t OutputText::ToUtf16(std::size_t byte) const {
  byte = std::min(byte, text_.size());
  const auto point = std::upper_bound(points_.begin(), points_.end(), byte,
                                      [](std::size_t b, const Point& p) { return b < p.byte; }) - 1;
  return point->utf16 + Utf16Units(std::string_view(text_).substr(point->byte, byte - point->byte));
}

std::size_t OutputText::ToByte(std::size_t utf16) const {
  if (utf16 >= utf16_size_) return text_.size();
  const auto point = std::upper_bound(points_.begin(), points_.end(), utf16,
                                      [](std::size_t u, const Point& p) { return u < p.utf16; }) - 1;
  const auto next = point + 1;
  const std::size_t end = next == points_.end() ? text_.size() : next->byte;
  // A stretch with as many units as bytes is ASCII: the offset is found by subtraction.
  if (next != points_.end() && next->utf16 - point->utf16 == end - point->byte) {
    return point->byte + (utf16 - point->utf16);
  }
  return point->byte + ByteOfUtf16(std::string_view(text_).substr(point->byte, end - point->byte), utf16 - point->utf16);
}

std::size_t OutputText::PreviousCharacter(std::size_t byte) const {
  byte = std::min(byte, text_.size());
  if (byte == 0) return 0;
  --byte;
  while (byte > 0 && IsContinuation(text_[byte])) --byte;
  return byte;
}

std::size_t OutputText::NextCharacter(std::size_t byte) const {
  if (byte >= text_.size()) return text_.size();
  ++byte;
  while (byte < text_.size() && IsContinuation(text_[byte])) ++byte;
  return byte;
}

}  // namespace qv
