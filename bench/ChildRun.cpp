#include "ChildRun.h"

#include "Measure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lorvanel::bench {

namespace {

std::vector<char*> cArgs(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return args;
}

} // namespace

// Linux hands a process the peak memory of the one it was forked or spawned from (the
// address space's high-water mark survives exec), so a child of the benchmark, which holds
// large logs, would seem as large as the benchmark. The child is therefore started from a
// fresh, small copy of this program (runChildMain), which reports the child's figures.
ChildResult runChild(const std::vector<std::string>& argv) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    std::vector<std::string> helper = {"/proc/self/exe", kRunChildOption};
    helper.insert(helper.end(), argv.begin(), argv.end());
    std::vector<char*> args = cArgs(helper);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t pid = 0;
    const int err = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (err != 0) {
        close(pipeFds[0]);
        throw std::runtime_error(std::string("spawning the helper: ") + std::strerror(err));
    }
    char buf[256] = {};
    std::size_t got = 0;
    for (ssize_t r;
         got < sizeof buf - 1 && (r = read(pipeFds[0], buf + got, sizeof buf - 1 - got)) != 0;) {
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) break;
        got += static_cast<std::size_t>(r);
    }
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    ChildResult result;
    unsigned long long peakKb = 0;
    if (std::sscanf(buf, "%d %lf %lf %llu", &result.exitStatus, &result.seconds,
                    &result.wallSeconds, &peakKb) != 4)
        throw std::runtime_error("the helper did not report on " + argv.front());
    result.peakResidentBytes = peakKb * 1024;
    return result;
}

int runChildMain(int argc, char** argv) {
    // argv: the command to run. Its output goes to /dev/null; the figures to our stdout.
    const double t0 = now();
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0)
        if (errno != EINTR) return 1;
    const double wall = now() - t0;
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    std::printf("%d %.6f %.6f %ld\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1, cpu, wall,
                usage.ru_maxrss);
    (void)argc;
    return 0;
}

} // namespace lorvanel::bench
