#pragma once
// The user's data folder and the root folder the program starts in.
#include <string>
#include <string_view>

namespace qv {

// Full path of `fileName` inside the program's data folder `folderName`, which lies in the
// user's configuration folder (XDG_CONFIG_HOME, else ~/.config; "/" when the system names
// none). A missing data folder is created, one level, together with the configuration folder
// itself when that is missing too. Gives the empty text when the folder cannot be created (a
// read-only home, say): the caller then starts on the defaults and writes no settings file.
// An empty `folderName` puts the file directly in the configuration folder.
std::string UserDataFilePath(std::string_view fileName, std::string_view folderName);

// True if `path`, without its leading and trailing blanks, names an existing folder.
bool FolderExists(std::string_view path);

// The root of the first fixed disk; on this system the root of the file system, "/".
std::string FirstFixedDrive();

}  // namespace qv
