#pragma once
// The measured analysis steps on a loaded log: statistics and report, filters, keyword
// analysis; and the memory figures of the command-line runs.
#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel {
class PostLog;
}

namespace lorvanel::bench {

struct StepContext {
    PostLog& log;
    int runs;
};

struct StepResult {
    std::string name;
    double seconds = 0;
    double target = 0; // largest multiple of the baseline allowed; 0: none
};

// Every step over the loaded log, each timed as the best of ctx.runs runs.
std::vector<StepResult> runSteps(StepContext& ctx);

struct MemoryResult {
    std::string name;
    std::uint64_t peakBytes = 0;
    double target = 0; // largest multiple of the file size allowed
};

// Peak memory of command-line runs over the log beyond the plain report.
std::vector<MemoryResult> memorySteps(const std::string& cli, const std::string& log);

} // namespace lorvanel::bench
