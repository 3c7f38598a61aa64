#pragma once
// A kept file's place on disk: where a save really goes when the file is a symbolic link, the
// temporary files a save writes first (atomic_file.h), and a refused file kept aside before the
// next Quit could replace it. Plain POSIX calls, no Qt.
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

// The folder part of a path ("." for a bare name, "/" for a file in the root).
std::string FolderOf(const std::string& path);

// The file a chain of symbolic links at `path` leads to; `path` itself when it is no link.
// A link to a file that does not exist yet gives that file's path (a save creates it). A
// relative target is taken from the link's own folder. Stops after 40 links (a loop).
std::string FollowLinks(const std::string& path);

// The mkstemp pattern of a save of `file`: "<file>.tmp-XXXXXX".
std::string TemporaryFilePattern(const std::string& file);

// True for the name of a temporary file of a save of `file_name`: exactly
// "<file_name>.tmp-" and six letters or digits, as mkstemp makes them.
bool IsTemporaryFileName(std::string_view entry, std::string_view file_name);

// Removes the temporary files that saves of `path` left behind when they were killed between
// writing and renaming: in the folder of `path` and, when `path` is a symbolic link, in the
// folder of its target. Only regular files whose name fits IsTemporaryFileName are touched,
// and only when they were last changed at least `min_age` ago and no running save holds them
// locked, so a save of another instance of the program is never disturbed. Gives the number
// of files removed.
// The age from which start-up removes them: a save takes a few milliseconds, and one still going
// on holds its file locked besides.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};
std::size_t RemoveStaleTemporaryFiles(const std::string& path, std::chrono::seconds min_age);

// What became of a refused settings file.
struct KeptAside {
  enum class Outcome {
    NothingToKeep,  // no regular file with content at the path (any more): a save loses nothing
    Kept,           // renamed to `path` below
    Failed,         // it could not be renamed; `error` says why, and the file is still there
  };
  Outcome outcome = Outcome::NothingToKeep;
  std::string path;
  int error = 0;
};

// Renames the file at `path` (the file a symbolic link leads to, so the link and its target's
// folder are kept) to the first free name among "<file>.bak", "<file>.1.bak", "<file>.2.bak"
// … in the same folder. An existing file of such a name is never replaced.
KeptAside KeepRefusedFileAside(const std::string& path);

}  // namespace qv
