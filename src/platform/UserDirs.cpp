#include "platform/UserDirs.h"

#include "platform/File.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvanel {

const char* processEnvironment(const char* name) {
    return std::getenv(name);
}

namespace {

std::string accountHome() {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string baseDir(const EnvironmentLookup& env, const char* variable, const std::string& home,
                    const char* fallback) {
    const char* v = env(variable);
    if (v && v[0] == '/') return withoutTrailingSlash(v);
    return home + fallback;
}

} // namespace

UserDirs userDirs(const EnvironmentLookup& env) {
    UserDirs d;
    const char* home = env("HOME");
    d.home = withoutTrailingSlash(home && *home ? home : accountHome());
    if (d.home == "/") d.home.clear(); // so that "/.config" comes out right
    d.configHome = baseDir(env, "XDG_CONFIG_HOME", d.home, "/.config");
    d.dataHome = baseDir(env, "XDG_DATA_HOME", d.home, "/.local/share");
    d.cacheHome = baseDir(env, "XDG_CACHE_HOME", d.home, "/.cache");
    if (d.home.empty()) d.home = "/";
    return d;
}

bool isDirectory(const std::string& path) {
    FileStatus st;
    int err = 0;
    return fileStatus(path, st, err) && st.isDirectory;
}

bool copyFile(const std::string& from, const std::string& to, int& errorCode) {
    std::string bytes;
    try {
        bytes = readWholeFile(from);
    } catch (const FileError& e) {
        errorCode = e.errorCode();
        return false;
    }
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        errorCode = errno;
        return false;
    }
    std::size_t done = 0;
    int code = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            code = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && !code) code = errno;
    if (code) {
        ::unlink(to.c_str());
        errorCode = code;
        return false;
    }
    return true;
}

bool makeDirectories(const std::string& path, int& errorCode) {
    if (path.empty() || isDirectory(path)) return true;
    const std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 &&
        !makeDirectories(path.substr(0, slash), errorCode))
        return false;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        errorCode = errno;
        return false;
    }
    return true;
}

} // namespace lorvanel
