#pragma once
// The user's own folders on Linux, after the XDG base-directory rules: a $XDG_*_HOME variable
// counts when it holds an absolute path, otherwise the default under the home folder is used.
#include <functional>
#include <string>

namespace lorvanel {

// Looks up an environment variable; null when it is unset. Tests pass their own.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// The process's own environment (getenv).
const char* processEnvironment(const char* name);

struct UserDirs {
    std::string home;       // $HOME, else the home folder of the user's account
    std::string configHome; // $XDG_CONFIG_HOME, else ~/.config
    std::string dataHome;   // $XDG_DATA_HOME, else ~/.local/share
    std::string cacheHome;  // $XDG_CACHE_HOME, else ~/.cache
};

UserDirs userDirs(const EnvironmentLookup& env = processEnvironment);

// Whether the path names an existing directory.
bool isDirectory(const std::string& path);

// Copies a file's bytes to a new file (replacing one of that name). False with errorCode set
// when either side fails; a partly written copy is removed.
bool copyFile(const std::string& from, const std::string& to, int& errorCode);

// Creates the directory and any missing parents (mode 0700 for the new ones, as the XDG
// rules ask). False with errorCode set when that fails.
bool makeDirectories(const std::string& path, int& errorCode);

} // namespace lorvanel
