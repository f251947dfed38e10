#pragma once
// The search bar's options that find, for a word or keyword of a result page, the posts the
// analysis counted it in: its folding and whether it is a regular expression.
#include "keywords/ResultPage.h"
#include "postlist/PostSearch.h"

namespace lorvanel {

inline SearchOptions searchOptionsFor(const PageLink& link) {
    SearchOptions options;
    options.matchCase = link.folding == PageLink::Folding::kNone;
    options.matchKana = link.folding != PageLink::Folding::kKana;
    options.regex = link.regex;
    return options;
}

} // namespace lorvanel
