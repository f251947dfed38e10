#include "keywords/KeywordFileAnalysis.h"

#include "input/AnalysisLog.h"
#include "input/PostList.h"
#include "input/PostLog.h"
#include "keywords/KeywordTrie.h"
#include "match/Regex.h"
#include "platform/Alert.h"
#include "platform/Cancellation.h"
#include "platform/LocalTime.h"
#include "platform/WorkerPool.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
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

// One message for every pattern of the file that does not compile, one per line: a file of
// hundreds of them must not raise hundreds of boxes.
void reportBadPatterns(const std::vector<const std::string*>& patterns) {
    if (patterns.empty()) return;
    std::string message;
    for (const std::string* p : patterns) message += *p + "\n";
    message += "正規表現の解析に失敗しました";
    showAlert(message);
    analysisLog().append("%s\r\n", message.c_str());
}

// Every entry of a set, ready to match: the plain entries of each folding in one trie, the
// regex entries compiled. Patterns are compiled first, in entry order, and the bad ones are
// reported together before any matching.
class SetMatcher {
public:
    explicit SetMatcher(const KeywordSet& set) {
        std::vector<std::string_view> folded, kana;
        std::vector<const std::string*> bad;
        for (const KeywordGroup& group : set.groups)
            for (const KeywordEntry& entry : group.entries) {
                const std::size_t number = entries_++;
                if (entry.regex()) {
                    Regex regex;
                    if (regex.compile(entry.folded))
                        regexes_.push_back({number, std::move(regex), entry.kanaInsensitive()});
                    else
                        bad.push_back(&entry.folded);
                } else if (entry.kanaInsensitive()) {
                    kanaEntries_.push_back(number);
                    kana.push_back(entry.folded);
                } else {
                    foldedEntries_.push_back(number);
                    folded.push_back(entry.folded);
                }
            }
        reportBadPatterns(bad);
        folded_.emplace(folded);
        kana_.emplace(kana);
    }

    // Each entry's count of the posts whose folded body it matches, in entry order. The
    // selection is walked in parts side by side; each part goes post by post, trying every
    // entry on a post while its text is in the cache, instead of entry by entry.
    std::vector<std::int32_t> count(const PostList& selection, const PostLog& log) const {
        const std::size_t parts = partsFor(selection.size());
        std::vector<Counts> counted;
        counted.reserve(parts);
        for (std::size_t i = 0; i < parts; ++i) counted.push_back(emptyCounts());
        runParts(parts, [&](std::size_t part) {
            const auto [first, last] = partRange(selection.size(), parts, part);
            countPart(selection.begin() + static_cast<std::ptrdiff_t>(first),
                      selection.begin() + static_cast<std::ptrdiff_t>(last), log, counted[part]);
        });
        Counts& sum = counted.front();
        for (std::size_t i = 1; i < parts; ++i) {
            sum.folded.add(counted[i].folded);
            sum.kana.add(counted[i].kana);
            for (std::size_t r = 0; r < regexes_.size(); ++r) sum.regex[r] += counted[i].regex[r];
        }
        std::vector<std::int32_t> counts(entries_, 0);
        for (std::size_t i = 0; i < foldedEntries_.size(); ++i)
            counts[foldedEntries_[i]] = folded_->textsWith(sum.folded, i);
        for (std::size_t i = 0; i < kanaEntries_.size(); ++i)
            counts[kanaEntries_[i]] = kana_->textsWith(sum.kana, i);
        for (std::size_t r = 0; r < regexes_.size(); ++r) counts[regexes_[r].entry] = sum.regex[r];
        return counts;
    }

private:
    struct RegexEntry {
        std::size_t entry;
        Regex regex;
        bool kana;
    };
    std::size_t entries_ = 0;
    std::vector<RegexEntry> regexes_;
    std::vector<std::size_t> foldedEntries_, kanaEntries_; // entry numbers of the tries' patterns
    std::optional<KeywordTrie> folded_, kana_;

    struct Counts {
        KeywordTrie::Tally folded, kana;
        std::vector<std::int32_t> regex;
    };
    Counts emptyCounts() const {
        return {folded_->makeTally(), kana_->makeTally(),
                std::vector<std::int32_t>(regexes_.size(), 0)};
    }

    void countPart(PostList::const_iterator first, PostList::const_iterator last,
                   const PostLog& log, Counts& c) const {
        for (; first != last; ++first) {
            // A post may take long against a large keyword file: asked at every one.
            throwIfCancelled();
            const FoldedPost p(**first, log);
            folded_->count(p.folded, c.folded);
            kana_->count(p.kanaFolded, c.kana);
            for (std::size_t r = 0; r < regexes_.size(); ++r)
                c.regex[r] += regexes_[r].regex.search(regexes_[r].kana ? p.kanaFolded : p.folded);
        }
    }
};

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
    const std::vector<std::int32_t> counts = SetMatcher(set).count(selection, log);
    std::size_t next = 0;
    for (const KeywordGroup& group : set.groups) {
        KeywordGroupResult row;
        row.name = group.name;
        for (const KeywordEntry& entry : group.entries) {
            const std::int32_t n = counts[next++];
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

namespace {

// How the posts were searched for a keyword written so in the group.
PageLink keywordLink(const KeywordGroup* group, const std::string& text) {
    PageLink link;
    link.pattern = text;
    link.folding = PageLink::Folding::kKana;
    if (!group) return link;
    for (const KeywordEntry& entry : group->entries) {
        if (entry.text != text) continue;
        link.folding =
            entry.kanaInsensitive() ? PageLink::Folding::kKana : PageLink::Folding::kWidthAndCase;
        link.regex = entry.regex();
        break;
    }
    return link;
}

} // namespace

std::string formatKeywordResult(const KeywordResult& r, const KeywordSet* set,
                                std::vector<PageLink>* links) {
    std::string out = "★" + r.name + "\r\n";
    out += "期間: " + formatLocalTime(r.first, "%Y/%m/%d") + "～" +
           formatLocalTime(r.last, "%Y/%m/%d") + "\r\n";
    for (const KeywordGroupResult& g : r.groups) appendGroupLine(out, g.name, g.count, r.posts);
    appendGroupLine(out, "総合", r.total, r.posts);
    out += "--------------------------------------------\r\n★" + r.name + "結果詳細";
    for (std::size_t i = 0; i < r.groups.size(); ++i) {
        const KeywordGroupResult& g = r.groups[i];
        out += "\r\n・";
        appendGroupLine(out, g.name, g.count, r.posts);
        std::vector<TextSpan> spans;
        const std::size_t at = out.size();
        out += formatWordLines(g.words, 0, links ? &spans : nullptr);
        const KeywordGroup* group = set && i < set->groups.size() ? &set->groups[i] : nullptr;
        for (std::size_t w = 0; w < spans.size(); ++w) {
            PageLink link = keywordLink(group, g.words[w].text);
            link.begin = at + spans[w].begin;
            link.end = at + spans[w].end;
            links->push_back(std::move(link));
        }
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

    KeywordResult result;
    try {
        result = matchKeywordSet(set, selection, log);
    } catch (const RegexSearchError& e) {
        showAlert(e.message());
        analysisLog().append("%s\r\n", e.message().c_str());
        if (failure) *failure = KeywordFileFailure::kRegexGaveUp;
        return false;
    }
    page.title = result.name;
    page.links.clear();
    page.text = formatKeywordResult(result, &set, &page.links);
    return true;
}

} // namespace lorvanel
