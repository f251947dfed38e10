#pragma once
// What the views implement to hear of the document's changes. A view that caused a change
// passes itself as the sender and is not told of it again (SelectionAboutToChange excepted).
namespace lorvanel {

class CDoc;
struct ResultPage;

enum class DocHint {
    // Sent to every listener (the sender too) before the document releases the selection,
    // its statistics, the result pages or the post log: on load, applying a selection,
    // clearing the filter and close. Everything is still valid during the call; a view that
    // holds pointers into them (records, lists, statistics) drops them now and reads the
    // document again only on the DataChanged that follows.
    SelectionAboutToChange,
    DataChanged,         // the post log or the current selection changed
    KeywordAnalysisDone, // a keyword analysis finished
    ResultPage,          // a result page was added or is being removed (see DocUpdate)
};

struct DocUpdate {
    DocHint hint = DocHint::DataChanged;
    // ResultPage only: the page. When added it is listed in resultPages(); when being removed it
    // is no longer listed but stays valid until the call returns.
    const ResultPage* page = nullptr;
    bool pageAdded = false;
};

class DocListener {
public:
    virtual ~DocListener() = default;
    virtual void documentUpdated(CDoc& doc, const DocUpdate& update) = 0;
};

} // namespace lorvanel
