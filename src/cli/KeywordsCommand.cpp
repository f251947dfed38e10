// lorvanel-cli keywords: the result page of automatic keyword analysis, or of a keyword file,
// over the posts of the given logs (or those of them a filter selects).
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "doc/CDoc.h"
#include "doc/KeywordCommands.h"
#include "keywords/ResultPage.h"

#include <cstdio>
#include <optional>

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
    case KeywordFileFailure::kRegexGaveUp:
        return "a regular expression was too complex to search with";
    case KeywordFileFailure::kNone:
        break;
    }
    return "the analysis failed";
}

int runKeywords(const std::vector<std::string>& args) {
    std::string keywordFile;
    CommandLine line(kLimitMb | kFilter | kSjis);
    line.option("--file", [&](const std::string& v) { keywordFile = v; });
    const CommonOptions common = line.parse(args);
    CDoc doc;
    // Every reason a load or the filter fails for has been shown as an alert (on stderr).
    if (!loadDocument(doc, common)) return kExitFailed;

    const ResultPage* page = nullptr;
    if (keywordFile.empty()) {
        page = runAutoKeywordAnalysis(doc);
    } else {
        KeywordFileFailure why = KeywordFileFailure::kNone;
        page = runKeywordFileAnalysis(doc, keywordFile, &why);
        if (!page) {
            std::fprintf(stderr, "lorvanel-cli keywords: %s\n", failureText(why));
            return kExitFailed;
        }
    }
    writeText(page->title + "\r\n" + page->text, common.sjis);
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
