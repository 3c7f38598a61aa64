#pragma once
// Whole small files read and written safely: a read never blocks on a pipe and never takes more
// than its limit; a write never leaves half a file behind.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qv {

enum class SmallFileStatus : int16_t {
  Read,        // the whole content is in `content`
  Missing,     // nothing at the path (or an empty path)
  Unreadable,  // cannot be opened or read, or not a regular file (a folder, a pipe)
  TooLarge,    // more than the limit
};

struct SmallFileRead {
  SmallFileStatus status = SmallFileStatus::Missing;
  std::string content;
};

SmallFileRead ReadSmallFile(const std::string& path, std::size_t max_bytes);

struct FileWriteResult {
  bool ok = false;
  int error = 0;     // errno of the step that failed
  std::string path;  // the file written: the target when `path` is a symbolic link
  explicit operator bool() const { return ok; }
};

// Who may read a file that is made new (a file that is replaced keeps its permission bits).
enum class NewFileAccess : uint8_t {
  OwnerOnly,  // 0600: the program's own settings, which are personal
  ByUmask,    // 0666 less the process's umask (0644 usually): a file made to be shared or imported
};

// Writes the file so that it is never left half-written: `bytes` go to a temporary file
// ("<file>.tmp-XXXXXX") in the folder of the file, which is locked while it is written, flushed
// to disk and then renamed over the file; the folder entry is flushed last. A symbolic link at
// `path` (a dotfile manager's, say) is written through: the file it leads to is replaced and the
// link stays a link. A file that is replaced keeps its permission bits; a new one gets those of
// `access`. On any failure the old file stays as it was, the temporary file is removed and the
// result says why; an empty path writes nothing (ENOENT).
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    NewFileAccess access = NewFileAccess::OwnerOnly);

// Writes one piece of a file; false when it could not be written (errno says why).
using WritePiece = std::function<bool(std::string_view)>;
// As above, for a file made in pieces, so that a large one is never held whole a second time:
// `produce` hands the file's bytes to `write` in order and returns false when a write failed.
FileWriteResult WriteFileAtomically(const std::string& path, const std::function<bool(const WritePiece& write)>& produce,
                                    NewFileAccess access = NewFileAccess::OwnerOnly);

// The process's file mode creation mask, read without changing it (0022 when it cannot be read
// any other way).
unsigned CurrentUmask();

// Removes the file; true when it is gone afterwards (also when there was none).
bool RemoveFileIfPresent(const std::string& path);

}  // namespace qv
