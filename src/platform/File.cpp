#include "platform/File.h"
#include "platform/Cancellation.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvanel {

std::string systemErrorMessage(int errorCode) {
    char buf[256];
    // GNU strerror_r returns the message, which may or may not live in buf.
    const char* msg = strerror_r(errorCode, buf, sizeof buf);
    return msg;
}

FileError::FileError(const std::string& path, int errorCode)
    : FileError(path, systemErrorMessage(errorCode)) {
    errorCode_ = errorCode;
}

FileError::FileError(const std::string& path, const std::string& reason)
    // Callers that keep only a number get the nearest one the system has.
    : std::runtime_error(path + ": " + reason), errorCode_(EINVAL), reason_(reason) {}

namespace {

// Throws unless st describes a regular file.
void requireRegular(const std::string& path, const struct stat& st) {
    if (S_ISREG(st.st_mode)) return;
    if (S_ISDIR(st.st_mode)) throw FileError(path, EISDIR);
    throw FileError(path, "通常のファイルではありません");
}

} // namespace

bool fileStatus(const std::string& path, FileStatus& status, int& errorCode) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        errorCode = errno;
        return false;
    }
    status.size = static_cast<std::uint64_t>(st.st_size);
    status.isDirectory = S_ISDIR(st.st_mode);
    status.isRegular = S_ISREG(st.st_mode);
    return true;
}

InputFile::~InputFile() {
    close();
}

void InputFile::open(const std::string& path) {
    close();
    path_ = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throw FileError(path, errno);
    requireRegular(path, st);
    // Non-blocking, in case a FIFO took the file's place since: opening one for reading
    // would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw FileError(path, errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        requireRegular(path, st);
        throw FileError(path, EIO);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
}

std::uint64_t InputFile::length() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw FileError(path_, errno);
    return static_cast<std::uint64_t>(st.st_size);
}

void InputFile::seek(std::uint64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) throw FileError(path_, errno);
}

std::size_t InputFile::read(char* dest, std::size_t n) {
    // Read in parts, so that a cancelled load stops within a part's time.
    constexpr std::size_t kPart = std::size_t{16} << 20;
    std::size_t done = 0;
    while (done < n) {
        throwIfCancelled();
        ssize_t r = ::read(fd_, dest + done, std::min(n - done, kPart));
        if (r < 0) {
            if (errno == EINTR) continue;
            throw FileError(path_, errno);
        }
        if (r == 0) break;
        done += static_cast<std::size_t>(r);
    }
    return done;
}

void InputFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::string readWholeFile(const std::string& path) {
    InputFile f(path);
    std::string s;
    s.resize(static_cast<std::size_t>(f.length()));
    s.resize(f.read(s.data(), s.size()));
    return s;
}

std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix) {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name.size() < suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        FileStatus st;
        int err = 0;
        if (fileStatus(dir + "/" + name, st, err) && st.isRegular) names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace lorvanel
