#include "platform/DataDirs.h"

#include <algorithm>

namespace lorvanel {

namespace {

std::string asDirectory(std::string_view path) {
    std::string dir(path);
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

// The parent of a directory ("/opt/x/bin/" -> "/opt/x/"); "/" stays "/".
std::string parentDirectory(std::string_view dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
    const std::size_t slash = dir.rfind('/');
    if (slash == std::string_view::npos) return "./";
    return std::string(dir.substr(0, slash + 1));
}

void addOnce(std::vector<std::string>& dirs, std::string dir) {
    if (std::find(dirs.begin(), dirs.end(), dir) == dirs.end()) dirs.push_back(std::move(dir));
}

} // namespace

std::vector<std::string> programDataDirectories(std::string_view executableDirectory,
                                                const EnvironmentLookup& env) {
    std::vector<std::string> dirs;
    const std::string own = asDirectory(executableDirectory);
    addOnce(dirs, own);
    addOnce(dirs, parentDirectory(own) + "share/lorvanel/");
    const char* set = env("XDG_DATA_DIRS");
    std::string_view list = set && *set ? set : "/usr/local/share:/usr/share";
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        if (!entry.empty() && entry.front() == '/') addOnce(dirs, asDirectory(entry) + "lorvanel/");
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    return dirs;
}

} // namespace lorvanel
