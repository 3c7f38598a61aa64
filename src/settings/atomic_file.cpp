#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "settings/settings_storage.h"

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
    if (written == 0) {
      errno = ENOSPC;  // nothing written and no error: the device takes no more
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// After the rename the folder entry itself is flushed, so that the new file survives a crash.
// The file is already in place when this runs, so a failure here is not a failed write.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  (void)::close(fd);
}

}  // namespace

// Linux tells the mask in /proc/self/status ("Umask:\t0022") since 4.7; reading it there leaves
// the mask as it is for every other thread. Elsewhere it is set and put back at once.
unsigned CurrentUmask() {
  const SmallFileRead status = ReadSmallFile("/proc/self/status", std::size_t{1} << 16);
  constexpr std::string_view kKey = "\nUmask:";
  if (const std::size_t at = status.content.find(kKey); status.status == SmallFileStatus::Read && at != std::string::npos) {
    unsigned mask = 0;
    bool digits = false;
    for (std::size_t i = at + kKey.size(); i < status.content.size() && status.content[i] != '\n'; ++i) {
      const char c = status.content[i];
      if (c == ' ' || c == '\t') continue;
      if (c < '0' || c > '7') return 022;
      mask = (mask << 3U) | static_cast<unsigned>(c - '0');
      digits = true;
      if (mask > 0777) return 022;
    }
    if (digits) return mask;
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return static_cast<unsigned>(mask) & 0777U;
}

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

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes, NewFileAccess access) {
  return WriteFileAtomically(path, [bytes](const WritePiece& write) { return write(bytes); }, access);
}

FileWriteResult WriteFileAtomically(const std::string& path, const std::function<bool(const WritePiece& write)>& produce,
                                    NewFileAccess access) {
  FileWriteResult result;
  if (path.empty() || path.back() == '/') {
    result.error = ENOENT;
    return result;
  }
  result.path = FollowLinks(path);
  std::string temp = TemporaryFilePattern(result.path);
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  // Held until the rename: start-up's clean-up of left-over temporary files passes a locked one.
  (void)::flock(fd, LOCK_EX | LOCK_NB);
  struct stat old_file {};
  bool ok = true;
  if (::stat(result.path.c_str(), &old_file) == 0 && S_ISREG(old_file.st_mode)) {
    ok = ::fchmod(fd, old_file.st_mode & 07777) == 0;
  } else if (access == NewFileAccess::ByUmask) {
    // mkostemp made it 0600 whatever the umask; a shared file gets what open(…, 0666) would.
    ok = ::fchmod(fd, static_cast<mode_t>(0666U & ~CurrentUmask())) == 0;
  }
  ok = ok && produce([fd](std::string_view piece) { return WriteAll(fd, piece); });
  ok = ok && ::fsync(fd) == 0;
  ok = ok && ::rename(temp.c_str(), result.path.c_str()) == 0;
  if (!ok) {
    result.error = errno;
    (void)::unlink(temp.c_str());
    (void)::close(fd);
    return result;
  }
  // The data reached the disk (fsync) before the rename; closing releases the lock.
  (void)::close(fd);
  SyncFolder(FolderOf(result.path));
  result.ok = true;
  return result;
}

bool RemoveFileIfPresent(const std::string& path) {
  if (path.empty()) return true;
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace qv
