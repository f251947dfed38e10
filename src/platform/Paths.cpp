#include "platform/Paths.h"

#include "platform/File.h"

namespace lorvanel {

std::string directoryPart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

namespace {
std::vector<std::string>& programDirectoryStorage() {
    static std::vector<std::string> dirs;
    return dirs;
}
} // namespace

void setProgramDirectories(std::vector<std::string> directories) {
    programDirectoryStorage() = std::move(directories);
}

const std::vector<std::string>& programDirectories() {
    return programDirectoryStorage();
}

std::string findProgramFile(std::string_view name) {
    for (const std::string& dir : programDirectories()) {
        FileStatus st;
        int code = 0;
        const std::string candidate = joinPath(dir, name);
        if (fileStatus(candidate, st, code) && !st.isDirectory) return candidate;
    }
    return std::string(name);
}

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

} // namespace lorvanel
