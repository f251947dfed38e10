#pragma once
// Automatic keyword analysis: the frequent words of the selected posts' bodies and of their
// thread titles, as a result page.
#include "keywords/ResultPage.h"
#include "keywords/WordCount.h"

#include <vector>

namespace lorvanel {

class PostList;

ResultPage analyzeAutoKeywords(const PostList& selection);

// The steps after counting, exposed for their tests. A list of fewer than 2 entries is left
// as it is by both.
// Cuts a sorted list at its first entry found in 2 texts or fewer.
void cutRareWords(std::vector<WordCount>& words);
// Adds the count of every later variant (same text after width-and-case folding; kanji words
// excepted) to the first one, drops the variants and sorts again.
void mergeWordVariants(std::vector<WordCount>& words);

} // namespace lorvanel
