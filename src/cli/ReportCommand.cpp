// lorvanel-cli report: the statistics report of log files followed by the analysis log, the
// text that the report window shows.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "doc/CDoc.h"
#include "input/AnalysisLog.h"
#include "platform/Clock.h"
#include "report/ReportWindowText.h"

#include <optional>

namespace lorvanel::cli {

namespace {

// The report's own switches; the common options come from the command line.
struct ReportSwitches {
    bool threadRanking = true;
    bool monthThreadRanking = true;
    std::optional<Time32> now;
};

int runReport(const std::vector<std::string>& args) {
    ReportSwitches sw;
    CommandLine line(kLimitMb | kFilter | kSjis);
    line.flag("--no-thread-ranking", [&] { sw.threadRanking = false; });
    line.flag("--no-month-thread-ranking", [&] { sw.monthThreadRanking = false; });
    line.option("--now", [&](const std::string& v) { sw.now = parseNow(v); });
    const CommonOptions common = line.parse(args);

    FixedClock fixed(sw.now.value_or(0));
    CDoc doc;
    if (sw.now) doc.setClock(fixed);
    doc.analyzeOptions().threadRanking = sw.threadRanking;
    doc.analyzeOptions().monthThreadRanking = sw.monthThreadRanking;
    // The keys serve the statistics of selections; without --filter there is none to serve,
    // and the report's peak memory is spared them.
    doc.setRecordPostKeys(common.filter.has_value());

    const bool ok = loadDocument(doc, common);
    writeText(reportWindowText(doc.reportText(), analysisLog().text()), common.sjis);
    return ok ? kExitOk : kExitFailed;
}

const CommandRegistration registration({
    "report",
    "  report [--limit-mb N] [--no-thread-ranking] [--no-month-thread-ranking]\n"
    "         [--now \"YYYY/MM/DD HH:MM:SS\"] [--filter TEXT] [--sjis] FILE...\n"
    "      Loads the files as one log and prints its statistics report, then the analysis log.\n"
    "      --limit-mb N reads at most the newest N MB of each file (0: whole files); --now\n"
    "      fixes the time that today's and this week's counts refer to; --filter TEXT reports\n"
    "      on the posts that the filter text (UTF-8) selects.",
    20,
    &runReport,
});

} // namespace

} // namespace lorvanel::cli
