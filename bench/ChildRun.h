#pragma once
// Runs a program (lorvanel-cli) as a child process and reports its wall time and peak memory.
#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel::bench {

struct ChildResult {
    double seconds = 0;     // CPU time, user + system
    double wallSeconds = 0; // from the child's start to its end
    std::uint64_t peakResidentBytes = 0;
    int exitStatus = -1;
};

// Standard output and standard error go to /dev/null; the environment is inherited.
ChildResult runChild(const std::vector<std::string>& argv);

// The helper mode of lorvanel-bench that runChild uses: `lorvanel-bench --run-child PROGRAM
// ARGS...` runs the program and prints its exit status, CPU and wall seconds and peak memory (KiB).
inline constexpr const char* kRunChildOption = "--run-child";
int runChildMain(int argc, char** argv);

} // namespace lorvanel::bench
