// Keyword files, word extraction and both foldings over arbitrary bytes. The input up to its
// first NUL is a keyword file; the NUL-separated parts after it are post bodies. The keyword
// file is parsed and matched against the posts' folded bodies, and automatic keyword
// analysis runs over the posts. No folding may make a text longer, and folding twice must
// change nothing more.
#include "FuzzSupport.h"

#include "input/PostLog.h"
#include "keywords/AutoKeywordAnalysis.h"
#include "keywords/KeywordFileAnalysis.h"
#include "keywords/KeywordSet.h"
#include "keywords/WordCounter.h"
#include "match/Folding.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {

void checkFoldings(std::string_view text) {
    const std::string width = foldWidthAndCase(text);
    const std::string kana = foldKana(text);
    FUZZ_CHECK(width.size() <= text.size());
    FUZZ_CHECK(kana.size() <= text.size());
    FUZZ_CHECK(foldWidthAndCase(width) == width);
    FUZZ_CHECK(foldKana(kana) == kana);
    // In place gives what a separate buffer gives.
    std::string copy(text);
    copy.resize(foldWidthAndCase(copy.data(), copy.size(), copy.data()));
    FUZZ_CHECK(copy == width);
    copy.assign(text);
    copy.resize(foldKana(copy.data(), copy.size(), copy.data()));
    FUZZ_CHECK(copy == kana);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::asText(data, size);
    const std::size_t nul = input.find('\0');
    const std::string_view keywordText = input.substr(0, nul);
    std::vector<std::string_view> bodies;
    if (nul != std::string_view::npos) {
        std::string_view rest = input.substr(nul + 1);
        while (bodies.size() < 16) {
            const std::size_t end = rest.find('\0');
            bodies.push_back(rest.substr(0, end));
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 1);
        }
    }

    checkFoldings(keywordText);
    const KeywordSet set = parseKeywordSet("fuzz", keywordText);
    std::set<std::string> groupNames;
    for (const KeywordGroup& g : set.groups) {
        FUZZ_CHECK(groupNames.insert(g.name).second);
        for (const KeywordEntry& e : g.entries) {
            FUZZ_CHECK(e.folded.size() <= e.text.size());
            // A pattern keeps the letters of its escapes ("\W" is not "\w"): only a plain
            // keyword is folded whole.
            if (!e.regex())
                FUZZ_CHECK(e.folded ==
                           (e.kanaInsensitive() ? foldKana(e.text) : foldWidthAndCase(e.text)));
        }
    }

    // The bodies as a loaded log would hold them: one buffer, each body NUL-terminated.
    PostLog log;
    std::size_t total = 1;
    for (std::string_view b : bodies) total += b.size() + 1;
    log.allocateText(total);
    char* at = log.textData();
    WordCounter counter;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        checkFoldings(bodies[i]);
        std::memcpy(at, bodies[i].data(), bodies[i].size());
        at[bodies[i].size()] = '\0';
        PostRecord* r = log.arena.create();
        r->time = 1200000000 + static_cast<Time32>(i) * 60;
        r->body = at;
        r->title = i % 2 ? at : "";
        r->server = "";
        addPost(log.posts, r, &log.arena, false);
        counter.beginText();
        extractWords(at, counter);
        at += bodies[i].size() + 1;
    }
    *at = '\0';

    for (const WordCount& w : counter.counts()) {
        FUZZ_CHECK(w.count >= 1 && static_cast<std::size_t>(w.count) <= bodies.size());
        FUZZ_CHECK(!w.text.empty() && w.text.size() < 64);
    }
    const ResultPage autoPage = analyzeAutoKeywords(log.posts);
    FUZZ_CHECK(!autoPage.text.empty());

    if (log.posts.empty() || set.groups.empty()) return 0;
    FUZZ_CHECK(log.ensureFoldedBodies());
    for (const PostRecord* p : log.posts) {
        const char* folded = log.foldedBody(*p);
        const char* kanaFolded = log.kanaFoldedBody(*p);
        FUZZ_CHECK(folded && kanaFolded);
        FUZZ_CHECK(std::strlen(folded) <= std::strlen(p->body));
        FUZZ_CHECK(std::strlen(kanaFolded) <= std::strlen(p->body));
    }
    const KeywordResult result = matchKeywordSet(set, log.posts, log);
    std::int64_t sum = 0;
    for (const KeywordGroupResult& g : result.groups) {
        std::int64_t words = 0;
        for (const WordCount& w : g.words) {
            FUZZ_CHECK(w.count >= 1);
            words += w.count;
        }
        FUZZ_CHECK(words == g.count);
        sum += g.count;
    }
    FUZZ_CHECK(sum == result.total);
    FUZZ_CHECK(result.posts == static_cast<std::int32_t>(log.posts.size()));
    (void)formatKeywordResult(result);
    return 0;
}
