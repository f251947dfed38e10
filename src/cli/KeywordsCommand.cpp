// lorvanel-cli keywords: the result page of automatic keyword analysis, or of a keyword file,
// over the posts of the given logs (or those of them a filter selects).
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "doc/CDoc.h"
#include "doc/KeywordCommands.h"
#include "filter/FilterSelection.h"
#include "keywords/ResultPage.h"

#include <cstdio>
#include <optional>

namespace lorvanel::cli {

namespace {

struct KeywordsRequest {
    std::vector<std::string> paths;
    std::uint64_t byteLimit = 0;
    std::optional<std::string> filter; // CP932
    std::string keywordFile;
    bool raw = false;
};

KeywordsRequest parseRequest(const std::vector<std::string>& args) {
    KeywordsRequest r;
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
        else if (a == "--filter")
            r.filter = argumentToCp932(cur.value(a), "the filter text");
        else if (a == "--file")
            r.keywordFile = cur.value(a);
        else if (a == "--sjis")
            r.raw = true;
        else
            throw UsageError{"unknown option '" + a + "'"};
    }
    if (r.paths.empty()) throw UsageError{"no log file given"};
    return r;
}

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
    return "the analysis failed";
}

int runKeywords(const std::vector<std::string>& args) {
    const KeywordsRequest request = parseRequest(args);
    CDoc doc;
    // Every reason a load fails for has been shown as an alert (on stderr) already.
    if (!doc.load(request.paths, false, request.byteLimit)) return kExitFailed;
    if (request.filter) {
        PostList selected;
        if (!selectPostsWithFilter(selected, doc.postLog().posts, *request.filter))
            return kExitFailed;
        if (!doc.applySelection(selected)) return kExitFailed;
    }

    const ResultPage* page = nullptr;
    if (request.keywordFile.empty()) {
        page = runAutoKeywordAnalysis(doc);
    } else {
        KeywordFileFailure why = KeywordFileFailure::kNone;
        page = runKeywordFileAnalysis(doc, request.keywordFile, &why);
        if (!page) {
            std::fprintf(stderr, "lorvanel-cli keywords: %s\n", failureText(why));
            return kExitFailed;
        }
    }
    writeText(page->title + "\r\n" + page->text, request.raw);
    return kExitOk;
}

const CommandRegistration registration{{
    "keywords",
    "  keywords [--limit-mb N] [--filter TEXT] [--file KEYWORDFILE] [--sjis] FILE...\n"
    "      Keyword analysis of the posts (those the filter selects, when given): the frequent\n"
    "      words of bodies and thread titles, or the hits of a keyword file's groups. Prints\n"
    "      the page's title, CR LF, and its text; exits 1 when a keyword file gives no page.",
    40,
    &runKeywords,
}};

} // namespace

} // namespace lorvanel::cli
