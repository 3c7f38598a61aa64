#pragma once
// The user's data folder and the root folder the program starts in.
#include <string>
#include <string_view>

namespace qv {

// The user's configuration folder as an absolute path: XDG_CONFIG_HOME when it holds an
// absolute path (a relative one is ignored, as the XDG base-directory rules ask), else
// ~/.config, made absolute against the current folder.
std::string ConfigurationFolder();

// Full path of `fileName` inside the program's data folder `folderName`, which lies in the
// user's configuration folder (ConfigurationFolder; "/" when the system names none). The path
// is absolute, so it holds after the program changes its current folder. A missing data
// folder is created, one level, together with the configuration folder itself when that is
// missing too. Gives the empty text when the folder cannot be created (a read-only home,
// say): the caller then starts on the defaults and writes no settings file. An empty
// `folderName` puts the file directly in the configuration folder.
std::string UserDataFilePath(std::string_view fileName, std::string_view folderName);

// Creates the folder of `filePath` (one level) when it is missing, as UserDataFilePath does at
// start-up: a data folder deleted while the program runs is there again for the save at Quit.
// True when the folder exists afterwards.
bool EnsureFolderOf(std::string_view filePath);

// True if `path`, without its leading and trailing blanks, names an existing folder.
bool FolderExists(std::string_view path);

// The root of the first fixed disk; on this system the root of the file system, "/".
std::string FirstFixedDrive();

// Where a file dialog for the user's own files opens: `lastUsed` while it is still a folder, else
// the user's documents folder (XDG_DOCUMENTS_DIR) when it exists, else the home folder. Start-up
// makes "/" the current folder, where no user keeps files.
std::string UserFilesFolder(std::string_view lastUsed);

}  // namespace qv
