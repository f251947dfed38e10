#include "cli/StandardInput.h"

#include "cli/CommandLine.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace lorvanel::cli {

namespace {

// The open copy; its name is gone from the file system from the start.
struct TemporaryCopy {
    int fd = -1;
    std::string path;
    ~TemporaryCopy() {
        if (fd >= 0) ::close(fd);
    }
};

[[noreturn]] void fail(const std::string& what, int code) {
    throw CommandFailed{"-: " + what + std::strerror(code)};
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string standardInputCopy() {
    static TemporaryCopy copy;
    if (!copy.path.empty()) return copy.path;
    const char* tmp = std::getenv("TMPDIR");
    std::string name = std::string(tmp && *tmp ? tmp : "/tmp") + "/lorvanel-cli-stdin-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) fail("can't make a temporary copy: ", errno);
    ::unlink(name.c_str());
    copy.fd = fd;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("", errno);
        if (!writeAll(fd, buffer, static_cast<std::size_t>(n)))
            fail("can't make a temporary copy: ", errno);
    }
    copy.path = "/proc/self/fd/" + std::to_string(fd);
    return copy.path;
}

} // namespace lorvanel::cli
