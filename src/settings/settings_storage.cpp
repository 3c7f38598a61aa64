#include "settings/settings_storage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

namespace qv {
namespace {

constexpr std::string_view kTemporaryInfix = ".tmp-";
constexpr std::size_t kTemporarySuffixLength = 6;  // mkstemp's XXXXXX
constexpr int kMaxLinks = 40;                      // as the kernel's own limit of a path's links
constexpr int kMaxBackupNames = 1000;

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? folder + name : folder + '/' + name;
}

bool IsAsciiAlphanumeric(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The symbolic link's target text, or empty when `path` cannot be read as a link.
std::string ReadLink(const std::string& path) {
  std::string target(256, '\0');
  while (true) {
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < target.size()) {
      target.resize(static_cast<std::size_t>(length));
      return target;
    }
    if (target.size() >= 65536) return {};
    target.resize(target.size() * 2);
  }
}

// Removes the stale temporary files of saves of `file_name` in `folder`.
std::size_t RemoveStaleIn(const std::string& folder, const std::string& file_name, std::chrono::seconds min_age) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  const int dir_fd = ::dirfd(dir);
  const std::time_t now = std::time(nullptr);
  std::size_t removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryFileName(entry->d_name, file_name)) continue;
    const int fd = ::openat(dir_fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {};
    struct stat named {};
    // A file changed within `min_age` may be a save that has not yet taken its lock, one whose
    // lock is held is a save going on; a file from the future (a clock put back) is left too.
    const bool stale = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_mtime <= now &&
                       now - opened.st_mtime >= min_age.count() && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    // The name must still be the file that was checked, not a new one put in its place.
    if (stale && ::fstatat(dir_fd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino && ::unlinkat(dir_fd, entry->d_name, 0) == 0) {
      ++removed;
    }
    (void)::close(fd);
  }
  (void)::closedir(dir);
  return removed;
}

// Renames `from` to `to` unless `to` exists. Linux refuses the replacement itself; a file
// system without that refusal gets a hard link and the removal of the old name instead.
bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) == 0) return true;
  const int error = errno;
  (void)::unlink(to.c_str());  // back to one name
  errno = error;
  return false;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    const std::string target = ReadLink(current);
    if (target.empty()) return current;
    current = target.front() == '/' ? target : Join(FolderOf(current), target);
  }
  return current;
}

std::string TemporaryFilePattern(const std::string& file) {
  return file + std::string(kTemporaryInfix) + std::string(kTemporarySuffixLength, 'X');
}

bool IsTemporaryFileName(std::string_view entry, std::string_view file_name) {
  if (file_name.empty() || entry.size() != file_name.size() + kTemporaryInfix.size() + kTemporarySuffixLength) return false;
  if (entry.substr(0, file_name.size()) != file_name) return false;
  if (entry.substr(file_name.size(), kTemporaryInfix.size()) != kTemporaryInfix) return false;
  for (const char c : entry.substr(file_name.size() + kTemporaryInfix.size())) {
    if (!IsAsciiAlphanumeric(c)) return false;
  }
  return true;
}

std::size_t RemoveStaleTemporaryFiles(const std::string& path, std::chrono::seconds min_age) {
  if (path.empty()) return 0;
  std::size_t removed = RemoveStaleIn(FolderOf(path), NameOf(path), min_age);
  const std::string target = FollowLinks(path);
  if (target != path) removed += RemoveStaleIn(FolderOf(target), NameOf(target), min_age);
  return removed;
}

KeptAside KeepRefusedFileAside(const std::string& path) {
  KeptAside result;
  if (path.empty()) return result;
  const std::string target = FollowLinks(path);
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) return result;
  int error = EEXIST;
  for (int number = 0; number < kMaxBackupNames && error == EEXIST; ++number) {
    const std::string candidate = number == 0 ? target + ".bak" : target + '.' + std::to_string(number) + ".bak";
    if (RenameWithoutReplacing(target, candidate)) {
      result.outcome = KeptAside::Outcome::Kept;
      result.path = candidate;
      return result;
    }
    error = errno;
  }
  // Gone in the meantime (another instance of the program kept it aside first): nothing to lose.
  if (error == ENOENT) return result;
  result.outcome = KeptAside::Outcome::Failed;
  result.error = error;
  return result;
}

}  // namespace qv
