#pragma once
// Where the program keeps the user's own files on Linux: the settings file and the folder of
// keyword files. A portable copy keeps them beside itself; an installed program keeps them
// in the user's XDG folders.
#include "platform/UserDirs.h"

#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

// The user's folders the program uses, set once at start-up (tests set folders of their own).
void setUserFileDirs(UserDirs dirs);
const UserDirs& userFileDirs();

// "lorvanel.ini" (named after the executable) in the start-up directory when that file
// exists there, else the same name in $XDG_CONFIG_HOME/lorvanel/ (which updateSettingsFile
// creates when it first writes).
std::string chooseSettingsFile(std::string_view currentDirectory, std::string_view executablePath,
                               const UserDirs& dirs);

// The user's copy of the keyword files: $XDG_DATA_HOME/lorvanel/keywords.
std::string userKeywordDirectory(const UserDirs& dirs);

// The keyword folder for the stored setting. A setting other than the default "keywords", or
// a "keywords" folder beside the executable (the first program directory), resolves as
// resolveKeywordDirectory does. Otherwise the program is installed: the user's copy is used,
// made and filled from the bundled keyword files (the "keywords" folder of a later program
// directory) the first time; when that fails, the bundled folder itself.
std::string keywordDirectoryFor(std::string_view stored,
                                const std::vector<std::string>& programDirectories,
                                const UserDirs& dirs);

} // namespace lorvanel
