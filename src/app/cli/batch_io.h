#pragma once
// Buffered input by blocks of whole lines and buffered output on file descriptors: batch
// mode streams any number of lines of any length in memory bounded by the longest line.
#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

class BlockReader {
 public:
  explicit BlockReader(int fd) : fd_(fd), buffer_(kBlockBytes) {}
  // The next block of whole lines, each ended by its line feed (the last line of the input
  // may lack it); false at the end of the input. The view lasts until the next call.
  bool Next(std::string_view& lines);
  bool Failed() const { return failed_; }

 private:
  static constexpr std::size_t kBlockBytes = 1 << 16;
  bool Fill();  // reads more after the kept bytes; false at the end of the input
  int fd_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  // Bytes from begin_ up to here hold no line feed: a line longer than one read is searched once,
  // not again after every read (which took quadratic time on a pipe, 64 KiB a read).
  std::size_t searched_ = 0;
  bool eof_ = false, failed_ = false;
};

class OutputBuffer {
 public:
  explicit OutputBuffer(int fd) : fd_(fd) { buffer_.reserve(kCapacity); }
  ~OutputBuffer() { Flush(); }
  // Once a write has failed, everything after it is dropped.
  void Write(std::string_view text);
  bool Flush();  // false once any write has failed
  bool Failed() const { return error_ != 0; }
  int Error() const { return error_; }  // the errno of the failed write, or 0

 private:
  static constexpr std::size_t kCapacity = 1 << 16;
  void WriteAll(std::string_view text);
  int fd_;
  std::string buffer_;
  int error_ = 0;
};

}  // namespace qv::cli
