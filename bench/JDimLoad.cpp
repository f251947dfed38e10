#include "JDimLoad.h"

#include "ChildRun.h"
#include "Measure.h"

#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/PostLog.h"

#include <algorithm>
#include <malloc.h>
#include <stdexcept>

namespace lorvanel::bench {

void benchJDimLoad(Figures& figures, const std::string& path, const std::string& cli, int runs) {
    volatile std::uint64_t sink = 0;
    const double baseline = bestOf(7, [&] { sink = sink + physicalBaseline(path); });
    PostLog log;
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        log.clear();
        analysisLog().clear();
        malloc_trim(0);
        const double t0 = stepNow();
        loadFiles(log, {path}, false, 0);
        best = std::min(best, stepNow() - t0);
        if (log.posts.empty()) throw std::runtime_error("loading " + path + " failed");
    }
    const std::size_t posts = log.posts.size();
    log.clear();
    malloc_trim(0);
    figures.section("JDim 200 MB, UTF-8 converted while parsing (" + std::to_string(posts) +
                    " posts; baseline " + milliseconds(baseline) + ")");
    figures.time("load (read, detect, convert, parse, admit)", best, baseline, 3.0);

    double report = 1e300;
    std::uint64_t peak = 0;
    for (int r = 0; r < runs; ++r) {
        const ChildResult c = runChild({cli, "report", path});
        if (c.exitStatus != 0) throw std::runtime_error(cli + " report failed on " + path);
        report = std::min(report, timingInCpu() ? c.seconds : c.wallSeconds);
        peak = std::max(peak, c.peakResidentBytes);
    }
    figures.time("lorvanel-cli report, end to end", report, baseline, 0);
    figures.add({"lorvanel-cli report, peak resident memory", megabytes(static_cast<double>(peak)),
                 static_cast<double>(peak) / static_cast<double>(fileBytes(path)), "file size",
                 kReportPeakTarget});
}

} // namespace lorvanel::bench
