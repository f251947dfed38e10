#pragma once
// The measured analysis steps on a loaded log (statistics and report, filters, keyword
// analysis) and the memory figures of the command-line runs.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lorvanel {
class PostLog;
}

namespace lorvanel::bench {

// One measured step over one loaded log.
struct Step {
    std::string name;
    double target = 0;             // largest multiple of the baseline allowed; 0: none
    int maxRuns = 0;               // 0: as many as asked; 1: the step only happens once
    std::function<void()> prepare; // before each run, not timed (may be empty)
    std::function<void()> run;
    std::shared_ptr<void> state; // what the step works on (filters, result lists)
};

// The steps over a loaded log, in the order they must run. The log must outlive them.
std::vector<Step> makeSteps(PostLog& log);

// Analysis of a keyword file of 300,000 entries (written into dir, removed with the step) on
// a small log: a test of the matching's growth with the number of entries (target: 2 s).
Step largeKeywordFileStep(PostLog& log, const std::string& dir);

struct MemoryResult {
    std::string name;
    std::uint64_t peakBytes = 0;
    double target = 0; // largest multiple of the file size allowed
};

// Peak memory of command-line runs over the log beyond the plain report.
std::vector<MemoryResult> memorySteps(const std::string& cli, const std::string& log);

} // namespace lorvanel::bench
