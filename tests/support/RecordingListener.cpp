#include "support/RecordingListener.h"

#include "keywords/ResultPage.h"

namespace lorvanel::testing {

const char* docHintName(DocHint hint) {
    switch (hint) {
    case DocHint::SelectionAboutToChange:
        return "SelectionAboutToChange";
    case DocHint::DataChanged:
        return "DataChanged";
    case DocHint::KeywordAnalysisDone:
        return "KeywordAnalysisDone";
    case DocHint::ResultPage:
        return "ResultPage";
    }
    return "?";
}

void RecordingListener::documentUpdated(CDoc&, const DocUpdate& update) {
    std::string h = docHintName(update.hint);
    if (update.hint == DocHint::ResultPage && update.page)
        h += (update.pageAdded ? "+" : "-") + update.page->title;
    hints.push_back(h);
}

} // namespace lorvanel::testing
