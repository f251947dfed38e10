// lorvanel-cli posts: the post list's texts as the program copies them, and its search.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "doc/CDoc.h"
#include "platform/Encoding.h"
#include "postlist/PostRows.h"
#include "postlist/PostSearch.h"
#include "postlist/RowCopy.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace lorvanel::cli {

namespace {

// The post list's own options; the common options come from the command line.
struct PostsSwitches {
    std::optional<std::pair<RowIndex, RowIndex>> rows;
    std::optional<std::string> search; // CP932
    std::optional<RowIndex> from;
    SearchOptions searchOptions;
    bool searchOptionGiven = false;
};

// A row number: decimal digits only.
std::optional<RowIndex> parseRow(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long n = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return std::nullopt;
    return static_cast<RowIndex>(n);
}

std::pair<RowIndex, RowIndex> parseRange(const std::string& text) {
    const std::size_t dash = text.find('-');
    const std::optional<RowIndex> a =
        dash == std::string::npos ? std::nullopt : parseRow(text.substr(0, dash));
    const std::optional<RowIndex> b =
        dash == std::string::npos ? std::nullopt : parseRow(text.substr(dash + 1));
    if (!a || !b) throw UsageError{"--rows needs a range A-B of row numbers, not '" + text + "'"};
    if (*a > *b) throw UsageError{"--rows " + text + ": the first row lies after the last"};
    return {*a, *b};
}

PostsSwitches parsePostsSwitches(CommandLine& line, const std::vector<std::string>& args,
                                 CommonOptions& common) {
    PostsSwitches o;
    line.option("--rows", [&](const std::string& v) { o.rows = parseRange(v); });
    line.option("--search",
                [&](const std::string& v) { o.search = argumentToCp932(v, "--search"); });
    line.option("--from", [&](const std::string& v) {
        o.from = parseRow(v);
        if (!o.from) throw UsageError{"--from needs a row number, not '" + v + "'"};
    });
    auto searchFlag = [&](bool SearchOptions::*option, bool value) {
        return [&o, option, value] {
            o.searchOptions.*option = value;
            o.searchOptionGiven = true;
        };
    };
    line.flag("--ignore-case", searchFlag(&SearchOptions::matchCase, false));
    line.flag("--ignore-kana", searchFlag(&SearchOptions::matchKana, false));
    line.flag("--regex", searchFlag(&SearchOptions::regex, true));
    common = line.parse(args);
    if (o.from && !o.search) throw UsageError{"--from needs --search"};
    if (o.searchOptionGiven && !o.search)
        throw UsageError{"--ignore-case, --ignore-kana and --regex need --search"};
    if (o.rows && o.search) throw UsageError{"--rows and --search can't be used together"};
    return o;
}

// Each hit of the search repeated as F3 does, every hit becoming the selection of the next.
void printHits(const PostRows& rows, const SearchPattern& pattern, RowIndex selectionEnd) {
    while (const std::optional<RowIndex> hit = searchRows(rows, pattern, selectionEnd)) {
        std::printf("%lld\n", static_cast<long long>(*hit));
        selectionEnd = *hit;
    }
}

int runPosts(const std::vector<std::string>& args) {
    CommandLine line(kLimitMb | kFilter | kSjis);
    CommonOptions common;
    const PostsSwitches options = parsePostsSwitches(line, args, common);
    // An expression that does not compile stops the command before anything is loaded, as a
    // filter text does.
    std::optional<SearchPattern> pattern;
    if (options.search) {
        pattern.emplace(*options.search, options.searchOptions);
        if (!pattern->error().empty()) {
            const std::string message = cp932ToUtf8(pattern->error()) + "\n";
            std::fwrite(message.data(), 1, message.size(), stderr);
            return kExitFailed;
        }
    }
    // Through the document, as the window: a load or a selection whose statistics fail
    // shows no posts.
    CDoc doc;
    doc.setRecordPostKeys(common.filter.has_value());
    const bool loaded = loadDocument(doc, common);
    if (loaded) {
        const PostRows rows(doc.selection());
        if (pattern) {
            printHits(rows, *pattern, options.from.value_or(-1));
        } else {
            const auto [first, last] =
                options.rows.value_or(std::pair<RowIndex, RowIndex>{0, rows.totalRows() - 1});
            writeCopyRows(rows, first, last,
                          [&](std::string_view piece) { writeText(piece, common.sjis); });
        }
        std::fflush(stdout);
    }
    writeAnalysisLogToStderr();
    return loaded ? kExitOk : kExitFailed;
}

const CommandRegistration registration{{
    "posts",
    "  posts [--limit-mb N] [--filter TEXT] [--rows A-B] [--search PATTERN [--from ROW]\n"
    "        [--ignore-case] [--ignore-kana] [--regex]] [--sjis] FILE...\n"
    "      Loads the logs and works on the post list of the selection (every post, or\n"
    "      those the filter text selects). Without --rows or --search it prints the text\n"
    "      that selecting every row and copying gives; --rows A-B (0-based, inclusive)\n"
    "      prints the copy of those rows, nothing when a row lies outside the list.\n"
    "      --search repeats the list's search (F3) from the top, or after row ROW with\n"
    "      --from, and prints each hit's row until none is left; it is exact unless\n"
    "      --ignore-case (width and case folded), --ignore-kana (hiragana and katakana\n"
    "      folded, with width and case) or --regex (a regular expression) is given, as the\n"
    "      search bar's options. Texts are UTF-8 with\n"
    "      CR LF line ends, raw Shift_JIS with --sjis. The analysis log goes to standard\n"
    "      error. Exit status 1, and no posts, when no file could be loaded, the filter does\n"
    "      not compile or the statistics of the selection fail.",
    25,
    &runPosts,
}};

} // namespace

} // namespace lorvanel::cli
