#include "keywords/KeywordFileAnalysis.h"

#include "filter/Regex.h"
#include "input/AnalysisLog.h"
#include "input/PostList.h"
#include "input/PostLog.h"
#include "platform/Alert.h"
#include "platform/LocalTime.h"
#include "platform/Cancellation.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace lorvanel {

namespace {

// A post's two folded bodies, measured once for all entries.
struct FoldedPost {
    std::string_view folded;
    std::string_view kanaFolded;

    FoldedPost(const PostRecord& p, const PostLog& log) {
        if (const char* f = log.foldedBody(p)) folded = f;
        if (const char* k = log.kanaFoldedBody(p)) kanaFolded = k;
    }
};

void reportBadPattern(const std::string& pattern) {
    const std::string message = pattern + "\n正規表現の解析に失敗しました";
    showAlert(message);
    analysisLog().append("%s\r\n", message.c_str());
}

// One entry's matching state: its compiled pattern (regex entries) and the posts it matched.
struct EntryMatcher {
    const KeywordEntry* entry = nullptr;
    Regex regex;
    bool usable = true; // false: a pattern that does not compile
    std::int32_t count = 0;

    bool matches(const FoldedPost& p) const {
        const std::string_view text = entry->kanaInsensitive() ? p.kanaFolded : p.folded;
        if (entry->regex()) return regex.search(text);
        return text.find(entry->folded) != std::string_view::npos;
    }
};

// Every entry's count of the posts whose folded body it matches. The walk goes post by post,
// trying every entry on a post while its text is in the cache, instead of entry by entry over
// the whole log (which would fetch every body from memory once per entry). Patterns are
// compiled first, in entry order, so that a bad one is reported where it always was: before
// the entries after it are matched.
std::vector<EntryMatcher> countMatches(const KeywordSet& set, const PostList& selection,
                                       const PostLog& log) {
    std::vector<EntryMatcher> matchers;
    for (const KeywordGroup& group : set.groups)
        for (const KeywordEntry& entry : group.entries) {
            EntryMatcher& m = matchers.emplace_back();
            m.entry = &entry;
            if (entry.regex() && !m.regex.compile(entry.folded)) {
                reportBadPattern(entry.folded);
                m.usable = false;
            }
        }
    std::vector<EntryMatcher*> usable;
    for (EntryMatcher& m : matchers)
        if (m.usable) usable.push_back(&m);
    for (const PostRecord* post : selection) {
        // A post may take long against a large keyword file: asked at every one.
        throwIfCancelled();
        const FoldedPost p(*post, log);
        for (EntryMatcher* m : usable) m->count += m->matches(p);
    }
    return matchers;
}

void appendGroupLine(std::string& out, const std::string& name, std::int32_t count,
                     std::int32_t posts) {
    char buf[64];
    std::snprintf(buf, sizeof buf, ": %d/%d(%3.2f%%)\r\n", static_cast<int>(count),
                  static_cast<int>(posts), static_cast<double>(count) / posts * 100.0);
    out += name;
    out += buf;
}

} // namespace

KeywordResult matchKeywordSet(const KeywordSet& set, const PostList& selection,
                              const PostLog& log) {
    KeywordResult result;
    result.name = set.name;
    result.posts = static_cast<std::int32_t>(selection.size());
    if (!selection.empty()) {
        result.first = selection.front()->time;
        result.last = selection.back()->time;
    }
    const std::vector<EntryMatcher> matchers = countMatches(set, selection, log);
    std::size_t next = 0;
    for (const KeywordGroup& group : set.groups) {
        KeywordGroupResult row;
        row.name = group.name;
        for (const KeywordEntry& entry : group.entries) {
            const std::int32_t n = matchers[next++].count;
            if (n <= 0) continue;
            row.count += n;
            // Entries written alike share one count.
            auto same = std::find_if(row.words.begin(), row.words.end(),
                                     [&](const WordCount& w) { return w.text == entry.text; });
            if (same == row.words.end())
                row.words.push_back({entry.text, n});
            else
                same->count += n;
        }
        sortWordCounts(row.words);
        result.total += row.count;
        result.groups.push_back(std::move(row));
    }
    return result;
}

std::string formatKeywordResult(const KeywordResult& r) {
    std::string out = "★" + r.name + "\r\n";
    out += "期間: " + formatLocalTime(r.first, "%Y/%m/%d") + "～" +
           formatLocalTime(r.last, "%Y/%m/%d") + "\r\n";
    for (const KeywordGroupResult& g : r.groups) appendGroupLine(out, g.name, g.count, r.posts);
    appendGroupLine(out, "総合", r.total, r.posts);
    out += "--------------------------------------------\r\n★" + r.name + "結果詳細";
    for (const KeywordGroupResult& g : r.groups) {
        out += "\r\n・";
        appendGroupLine(out, g.name, g.count, r.posts);
        out += formatWordLines(g.words, 0);
    }
    return out;
}

bool analyzeKeywordFile(const PostList& selection, PostLog& log, const std::string& path,
                        ResultPage& page, KeywordFileFailure* failure) {
    KeywordFileFailure why = KeywordFileFailure::kNone;
    KeywordSet set;
    if (selection.empty())
        why = KeywordFileFailure::kEmptySelection;
    else if (!loadKeywordSet(path, set))
        why = KeywordFileFailure::kUnreadable;
    else if (set.groups.empty())
        why = KeywordFileFailure::kNoGroups;
    else if (!log.ensureFoldedBodies())
        why = KeywordFileFailure::kNoFoldedBody;
    if (failure) *failure = why;
    if (why != KeywordFileFailure::kNone) return false;

    const KeywordResult result = matchKeywordSet(set, selection, log);
    page.title = result.name;
    page.text = formatKeywordResult(result);
    return true;
}

} // namespace lorvanel
