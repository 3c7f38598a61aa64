#include "app/cli/batch_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qv::cli {

bool BlockReader::Fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    searched_ -= begin_;
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
    // Only the bytes that the last search did not see.
    const void* feed = end_ > searched_ ? ::memrchr(buffer_.data() + searched_, '\n', end_ - searched_) : nullptr;
    searched_ = end_;
    if (feed != nullptr) {
      const auto last = static_cast<std::size_t>(static_cast<const char*>(feed) - buffer_.data());
      lines = std::string_view(buffer_.data() + begin_, last + 1 - begin_);
      begin_ = last + 1;
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
  if (error_ != 0) return;
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
  return error_ == 0;
}

void OutputBuffer::WriteAll(std::string_view text) {
  std::size_t done = 0;
  while (done < text.size() && error_ == 0) {
    const ssize_t wrote = ::write(fd_, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      error_ = wrote < 0 ? errno : EIO;  // a write of nothing would never end
      break;
    }
    done += static_cast<std::size_t>(wrote);
  }
}

}  // namespace qv::cli
