#pragma once
// Keyword-file analysis: how many of the selected posts each keyword of a keyword file
// matches, per group and in total, as a result page.
#include "keywords/KeywordSet.h"
#include "keywords/ResultPage.h"
#include "keywords/WordCount.h"
#include "platform/Time32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel {

class PostList;
class PostLog;

struct KeywordGroupResult {
    std::string name;
    std::vector<WordCount> words; // keyword text and posts matched; matched ones only, sorted
    std::int32_t count = 0;       // the sum of the keywords' matches
};

struct KeywordResult {
    std::string name;
    std::vector<KeywordGroupResult> groups;
    std::int32_t total = 0;
    std::int32_t posts = 0;
    Time32 first = 0;
    Time32 last = 0;
};

// Matches every entry against the folded bodies of the posts (which the log must have built,
// see PostLog::ensureFoldedBodies). Regex entries that do not compile are reported together
// in one message box and analysis-log entry and skipped. A regex that gives up on a post
// throws RegexSearchError.
KeywordResult matchKeywordSet(const KeywordSet& set, const PostList& selection, const PostLog& log);

// With links, every keyword written becomes one, searched as the set's first entry of its
// group written alike was matched (the result's groups are the set's, in order).
std::string formatKeywordResult(const KeywordResult& result, const KeywordSet* set = nullptr,
                                std::vector<PageLink>* links = nullptr);

enum class KeywordFileFailure {
    kNone,
    kEmptySelection,
    kUnreadable,   // reported in a message box
    kNoGroups,     // no "★" line
    kNoFoldedBody, // no text loaded, or the folded copies could not be allocated (reported)
    kRegexGaveUp,  // a regex entry exceeded its search budget on a post (reported)
};

// Runs the analysis of the keyword file at path over the selection of log's posts. False
// (page untouched) on failure, with the reason in failure when given.
bool analyzeKeywordFile(const PostList& selection, PostLog& log, const std::string& path,
                        ResultPage& page, KeywordFileFailure* failure = nullptr);

} // namespace lorvanel
