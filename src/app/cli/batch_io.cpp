#include "app/cli/batch_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qv::cli {

bool BlockReader::Fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);  // one line longer than a block
  while (!eof_) {
    const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (got > 0) {
      end_ += static_cast<std::size_t>(got);
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed_ = true;
    eof_ = true;
  }
  return false;
}

bool BlockReader::Next(std::string_view& lines) {
  // Whatever whole lines one read brought are answered at once, so that a program feeding
  // lines one by one gets its answers one by one.
  for (;;) {
    const std::string_view held(buffer_.data() + begin_, end_ - begin_);
    const std::size_t last = held.rfind('\n');
    if (last != std::string_view::npos) {
      lines = held.substr(0, last + 1);
      begin_ += last + 1;
      return true;
    }
    if (!Fill()) {
      if (begin_ == end_) return false;
      lines = std::string_view(buffer_.data() + begin_, end_ - begin_);  // the last line, without its line feed
      begin_ = end_;
      return true;
    }
  }
}

void OutputBuffer::Write(std::string_view text) {
  if (buffer_.size() + text.size() > kCapacity) Flush();
  if (text.size() >= kCapacity) {
    WriteAll(text);  // a large piece goes out as it is, without a copy
  } else {
    buffer_.append(text);
  }
}

bool OutputBuffer::Flush() {
  WriteAll(buffer_);
  buffer_.clear();
  return !failed_;
}

void OutputBuffer::WriteAll(std::string_view text) {
  std::size_t done = 0;
  while (done < text.size() && !failed_) {
    const ssize_t wrote = ::write(fd_, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      failed_ = true;
      break;
    }
    done += static_cast<std::size_t>(wrote);
  }
}

}  // namespace qv::cli
