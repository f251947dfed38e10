#include "Steps.h"

#include "Measure.h"

#include "input/PostLog.h"

namespace lorvanel::bench {

std::vector<StepResult> runSteps(StepContext& ctx) {
    std::vector<StepResult> out;
    (void)ctx;
    return out;
}

std::vector<MemoryResult> memorySteps(const std::string& cli, const std::string& log) {
    (void)cli;
    (void)log;
    return {};
}

} // namespace lorvanel::bench
