#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace qv {
namespace {

// Writes all of `bytes`, going on after short writes and interrupted calls.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file is in place when this runs, so a failure here is not a failed write.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  (void)::close(fd);
}

}  // namespace

SmallFileRead ReadSmallFile(const std::string& path, std::size_t max_bytes) {
  if (path.empty()) return {SmallFileStatus::Missing, {}};
  // Non-blocking, so that a pipe at the path cannot stall the open; it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return {missing ? SmallFileStatus::Missing : SmallFileStatus::Unreadable, {}};
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    (void)::close(fd);
    return {SmallFileStatus::Unreadable, {}};
  }
  if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > max_bytes) {
    (void)::close(fd);
    return {SmallFileStatus::TooLarge, {}};
  }
  // Up to one byte past the limit, so that a file that grew since fstat is caught as well.
  std::string content(std::min(static_cast<std::size_t>(info.st_size), max_bytes) + 1, '\0');
  std::size_t filled = 0;
  bool failed = false;
  while (true) {
    if (filled == content.size()) {
      if (content.size() > max_bytes) break;
      content.resize(std::min(content.size() * 2, max_bytes + 1));
    }
    const ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      failed = true;
      break;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  (void)::close(fd);
  if (failed) return {SmallFileStatus::Unreadable, {}};
  if (filled > max_bytes) return {SmallFileStatus::TooLarge, {}};
  content.resize(filled);
  return {SmallFileStatus::Read, std::move(content)};
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return false;
  // mkostemp needs a writable pattern ending in six X.
  std::string temp = path + ".tmp-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat old_file {};
  bool ok = true;
  if (::stat(path.c_str(), &old_file) == 0 && S_ISREG(old_file.st_mode)) {
    ok = ::fchmod(fd, old_file.st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(fd, bytes);
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    (void)::unlink(temp.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

bool RemoveFileIfPresent(const std::string& path) {
  if (path.empty()) return true;
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace qv
