#include "doc/UserFiles.h"

#include "doc/Settings.h"
#include "platform/File.h"
#include "platform/Paths.h"

namespace lorvanel {

namespace {
constexpr std::string_view kDefaultKeywordFolder = "keywords";

UserDirs& userFileDirsStorage() {
    static UserDirs dirs = userDirs();
    return dirs;
}
} // namespace

void setUserFileDirs(UserDirs dirs) {
    userFileDirsStorage() = std::move(dirs);
}

const UserDirs& userFileDirs() {
    return userFileDirsStorage();
}

std::string chooseSettingsFile(std::string_view currentDirectory, std::string_view executablePath,
                               const UserDirs& dirs) {
    const std::string portable = settingsFilePath(currentDirectory, executablePath);
    FileStatus st;
    int code = 0;
    if (fileStatus(portable, st, code) && !st.isDirectory) return portable;
    return settingsFilePath(dirs.configHome + "/lorvanel/", executablePath);
}

std::string userKeywordDirectory(const UserDirs& dirs) {
    return dirs.dataHome + "/lorvanel/keywords";
}

std::string keywordDirectoryFor(std::string_view stored,
                                const std::vector<std::string>& programDirectories,
                                const UserDirs& dirs) {
    if (stored != kDefaultKeywordFolder || programDirectories.empty() ||
        isDirectory(joinPath(programDirectories.front(), kDefaultKeywordFolder)))
        return resolveKeywordDirectory(stored, programDirectories);
    std::string bundled;
    for (std::size_t i = 1; i < programDirectories.size() && bundled.empty(); ++i)
        if (const std::string d = joinPath(programDirectories[i], kDefaultKeywordFolder);
            isDirectory(d))
            bundled = d;
    const std::string mine = userKeywordDirectory(dirs);
    if (isDirectory(mine) || bundled.empty()) return mine;
    // The first start of an installed program: the user gets lists of their own to edit.
    int code = 0;
    if (!makeDirectories(mine, code)) return bundled;
    for (const std::string& name : listFiles(bundled, ".txt"))
        if (!copyFile(joinPath(bundled, name), joinPath(mine, name), code)) return bundled;
    return mine;
}

} // namespace lorvanel
