// lorvanel-cli report: the statistics report of log files followed by the analysis log, the
// text that the report window shows.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "cli/FilterOption.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "input/AnalysisLog.h"
#include "platform/Clock.h"
#include "report/ReportWindowText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

namespace lorvanel::cli {

namespace {

struct ReportRequest {
    std::vector<std::string> paths;
    std::uint64_t byteLimit = 0;
    bool threadRanking = true;
    bool monthThreadRanking = true;
    std::optional<Time32> now;
    std::optional<std::string> filter; // CP932
    bool raw = false;
};

Time32 parseNow(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < INT32_MIN || n > INT32_MAX)
        throw UsageError{"--now needs seconds since 1970 (a signed 32-bit number), not '" + text +
                         "'"};
    return static_cast<Time32>(n);
}

ReportRequest parseRequest(const std::vector<std::string>& args) {
    ReportRequest r;
    ArgCursor cur(args);
    bool optionsEnd = false;
    while (!cur.done()) {
        const std::string& a = cur.next();
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-")
            r.paths.push_back(a);
        else if (a == "--")
            optionsEnd = true;
        else if (a == "--limit-mb")
            r.byteLimit = parseLimitMb(cur.value(a));
        else if (a == "--no-thread-ranking")
            r.threadRanking = false;
        else if (a == "--no-month-thread-ranking")
            r.monthThreadRanking = false;
        else if (a == "--now")
            r.now = parseNow(cur.value(a));
        else if (a == "--sjis")
            r.raw = true;
        else if (a == "--filter")
            r.filter = filterOptionValue(cur.value(a));
        else
            throw UsageError{"unknown option '" + a + "'"};
    }
    if (r.paths.empty()) throw UsageError{"no log file given"};
    return r;
}

int runReport(const std::vector<std::string>& args) {
    const ReportRequest request = parseRequest(args);
    FixedClock fixed(request.now.value_or(0));
    CDoc doc;
    if (request.now) doc.setClock(fixed);
    doc.analyzeOptions().threadRanking = request.threadRanking;
    doc.analyzeOptions().monthThreadRanking = request.monthThreadRanking;

    bool ok = doc.load(request.paths, false, request.byteLimit);
    if (ok && request.filter) ok = applyFilter(doc, *request.filter);

    writeText(reportWindowText(doc.reportText(), analysisLog().text()), request.raw);
    return ok ? kExitOk : kExitFailed;
}

const CommandRegistration registration({
    "report",
    "  report [--limit-mb N] [--no-thread-ranking] [--no-month-thread-ranking] [--now SECONDS]\n"
    "         [--filter TEXT] [--sjis] FILE...\n"
    "      Loads the files as one log and prints its statistics report, then the analysis log.\n"
    "      --limit-mb N reads at most the newest N MB of each file (0: whole files); --now\n"
    "      fixes the time that today's and this week's counts refer to; --filter TEXT reports\n"
    "      on the posts that the filter text (UTF-8) selects.",
    20,
    &runReport,
});

} // namespace

} // namespace lorvanel::cli
