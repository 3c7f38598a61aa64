#pragma once
// Buffered line input and output on file descriptors: batch mode streams any number of lines
// of any length in constant memory per line.
#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd), buffer_(1 << 16) {}
  // The next line without its line feed; false at the end of the input.
  bool Next(std::string_view& line);
  bool Failed() const { return failed_; }

 private:
  bool Fill();
  int fd_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  std::string long_line_;  // a line longer than the buffer is gathered here
  bool eof_ = false, failed_ = false;
};

class OutputBuffer {
 public:
  explicit OutputBuffer(int fd) : fd_(fd) { buffer_.reserve(kCapacity); }
  ~OutputBuffer() { Flush(); }
  void Write(std::string_view text);
  bool Flush();

 private:
  static constexpr std::size_t kCapacity = 1 << 16;
  int fd_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace qv::cli
