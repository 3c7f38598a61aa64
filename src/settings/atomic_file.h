#pragma once
// Whole small files read and written safely: a read never blocks on a pipe and never takes more
// than its limit; a write never leaves half a file behind.
#include <cstddef>
#include <cstdint>
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

// Writes `bytes` to a temporary file in the same folder, flushes it to disk and renames it over
// `path`, then flushes the folder entry. A file that is replaced keeps its permission bits, a new
// one is readable by its owner only. On any failure the old file stays as it was, the temporary
// file is removed and the result is false; an empty path writes nothing and gives false.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Removes the file; true when it is gone afterwards (also when there was none).
bool RemoveFileIfPresent(const std::string& path);

}  // namespace qv
