#include "Measure.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace lorvanel::bench {

double now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double cpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

bool timingInCpu() {
    static const bool cpu = [] {
        const char* clock = std::getenv("LORVANEL_BENCH_CLOCK");
        return clock && std::strcmp(clock, "cpu") == 0;
    }();
    return cpu;
}

double stepNow() {
    return timingInCpu() ? cpuNow() : now();
}

double bestOf(int runs, const std::function<void()>& step, const std::function<void()>& prepare) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        const double t0 = stepNow();
        step();
        const double t = stepNow() - t0;
        if (t < best) best = t;
    }
    return best;
}

std::uint64_t fileBytes(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw std::runtime_error(path + ": " + std::strerror(errno));
    return static_cast<std::uint64_t>(st.st_size);
}

std::uint64_t physicalBaseline(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error(path + ": " + std::strerror(errno));
    struct stat st {};
    ::fstat(fd, &st);
    const auto size = static_cast<std::size_t>(st.st_size);
    // A fresh buffer each time, as a loader allocates one: its pages are faulted in by the read.
    std::unique_ptr<char[]> buf(new char[size + 1]);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t r = ::read(fd, buf.get() + got, size - got);
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    ::close(fd);
    std::uint64_t lines = 0;
    const char* p = buf.get();
    const char* end = p + got;
    while (
        (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
        ++lines;
        ++p;
    }
    return lines;
}

std::uint64_t residentBytes() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    std::uint64_t kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmRSS: %lu kB", &kb) == 1) break;
    std::fclose(f);
    return kb * 1024;
}

} // namespace lorvanel::bench
