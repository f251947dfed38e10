// lorvanel-cli keywords: the result page of automatic keyword analysis, or of a keyword file,
// over the posts of the given logs.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "input/Loader.h"
#include "input/PostLog.h"
#include "keywords/AutoKeywordAnalysis.h"
#include "keywords/KeywordFileAnalysis.h"

#include <cstdio>

namespace lorvanel::cli {

namespace {

const char* failureText(KeywordFileFailure f) {
    switch (f) {
    case KeywordFileFailure::kEmptySelection:
        return "no posts to analyse";
    case KeywordFileFailure::kUnreadable:
        return "the keyword file can't be read";
    case KeywordFileFailure::kNoGroups:
        return "the keyword file has no group (no line starting with a black star)";
    case KeywordFileFailure::kNoFoldedBody:
        return "the folded copies of the posts could not be built";
    case KeywordFileFailure::kNone:
        break;
    }
    return "failed";
}

int runKeywords(const std::vector<std::string>& args) {
    ArgCursor in(args);
    std::uint64_t limit = 0;
    bool sjis = false;
    bool filtered = false;
    std::string keywordFile;
    std::vector<std::string> paths;
    while (!in.done()) {
        const std::string& a = in.next();
        if (a == "--limit-mb")
            limit = parseLimitMb(in.value(a));
        else if (a == "--filter") {
            in.value(a);
            filtered = true;
        } else if (a == "--file")
            keywordFile = in.value(a);
        else if (a == "--sjis")
            sjis = true;
        else if (a.size() > 1 && a[0] == '-')
            throw UsageError{"unknown option " + a};
        else
            paths.push_back(a);
    }
    if (paths.empty()) throw UsageError{"no log file given"};
    if (filtered) {
        std::fputs("lorvanel-cli keywords: --filter needs the filter language, which this build "
                   "does not have yet\n",
                   stderr);
        return kExitFailed;
    }

    PostLog log;
    // Every reason a load fails for has already been shown as an alert (on stderr).
    if (!loadFiles(log, paths, false, limit)) return kExitFailed;
    PostList selection;
    for (PostRecord* p : log.posts) selection.pushBack(p);

    ResultPage page;
    if (keywordFile.empty()) {
        page = analyzeAutoKeywords(selection);
    } else {
        KeywordFileFailure why = KeywordFileFailure::kNone;
        if (!analyzeKeywordFile(selection, log, keywordFile, page, &why)) {
            std::fprintf(stderr, "lorvanel-cli keywords: %s\n", failureText(why));
            return kExitFailed;
        }
    }
    writeText(page.title + "\r\n" + page.text, sjis);
    return kExitOk;
}

const CommandRegistration registration{{
    "keywords",
    "  keywords [--limit-mb N] [--filter TEXT] [--file KEYWORDFILE] [--sjis] FILE...\n"
    "      keyword analysis of the posts: frequent words, or the hits of a keyword file",
    40,
    &runKeywords,
}};

} // namespace

} // namespace lorvanel::cli
