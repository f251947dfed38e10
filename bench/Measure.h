#pragma once
// Timing and the physical baseline that every benchmark figure is compared with.
#include <cstdint>
#include <functional>
#include <string>

namespace lorvanel::bench {

// Seconds on the monotonic clock.
double now();
// CPU seconds (user + system) that this process has used. The benchmarks time with it: the
// machine is shared, and time spent waiting for a processor is not the program's. Nothing
// waits for the disk (the logs are in the page cache), so on an idle machine it is the wall
// time.
double cpuNow();

// The clock every analysis step is timed with: wall time, since the walks over many posts
// run on every processor at once and CPU time would add the processors' shares up. The
// logs are in the page cache, so nothing waits for the disk. On a machine busy with other
// work, wall time counts their share too: LORVANEL_BENCH_CLOCK=cpu times in CPU time.
bool timingInCpu();
double stepNow();

// The fastest of `runs` runs of step, in stepNow seconds; prepare (when given) runs before each one
// and is not timed.
double bestOf(int runs, const std::function<void()>& step,
              const std::function<void()>& prepare = nullptr);

// The least a loader must do with a file: read it whole into a freshly allocated buffer and
// count its line breaks with memchr. Returns the number of LF bytes (so that the work can't
// be optimised away).
std::uint64_t physicalBaseline(const std::string& path);

std::uint64_t fileBytes(const std::string& path);

// Resident memory of this process now (VmRSS), in bytes.
std::uint64_t residentBytes();

} // namespace lorvanel::bench
