#include "app/cli/batch_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qv::cli {

bool LineReader::Fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  while (end_ < buffer_.size()) {
    const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (got > 0) {
      end_ += static_cast<std::size_t>(got);
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed_ = true;
    eof_ = true;
    return false;
  }
  return true;
}

bool LineReader::Next(std::string_view& line) {
  long_line_.clear();
  bool gathering = false;
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const void* found = std::memchr(start, '\n', end_ - begin_);
    if (found != nullptr) {
      const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - start);
      if (gathering) {
        long_line_.append(start, length);
        line = long_line_;
      } else {
        line = std::string_view(start, length);
      }
      begin_ += length + 1;
      return true;
    }
    if (end_ - begin_ == buffer_.size()) {
      // The buffer holds part of a very long line: keep it aside and read on.
      long_line_.append(start, end_ - begin_);
      begin_ = end_ = 0;
      gathering = true;
    }
    if (eof_ || !Fill()) {
      // The last line may lack its line feed.
      if (begin_ == end_ && !gathering) return false;
      long_line_.append(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_ = 0;
      line = long_line_;
      return true;
    }
  }
}

void OutputBuffer::Write(std::string_view text) {
  if (buffer_.size() + text.size() > kCapacity) Flush();
  buffer_.append(text);
}

bool OutputBuffer::Flush() {
  std::size_t done = 0;
  while (done < buffer_.size() && !failed_) {
    const ssize_t wrote = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      failed_ = true;
      break;
    }
    done += static_cast<std::size_t>(wrote);
  }
  buffer_.clear();
  return !failed_;
}

}  // namespace qv::cli
