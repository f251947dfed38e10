#pragma once
// The one listener of the document on the Qt side: it turns the document's hints into Qt
// signals that the widgets connect to, so that no widget implements a core interface.
#include "doc/DocListener.h"
#include "keywords/ResultPage.h"

#include <QObject>

namespace lorvanel {

class DocBridge : public QObject, public DocListener {
    Q_OBJECT
public:
    explicit DocBridge(CDoc& doc, QObject* parent = nullptr);
    ~DocBridge() override;

    CDoc& document() const { return doc_; }

    void documentUpdated(CDoc& doc, const DocUpdate& update) override;

signals:
    // The document is about to release the selection, its statistics, the result pages or
    // the log: whoever holds pointers into them drops them now (everything is still valid).
    void aboutToChange();
    // The post log or the selection changed (DocHint::DataChanged) or a keyword analysis is
    // done (DocHint::KeywordAnalysisDone).
    void changed(lorvanel::DocHint hint);
    void pageAdded(const lorvanel::ResultPage* page);
    // The page is no longer listed but stays valid while the signal is delivered.
    void pageRemoved(const lorvanel::ResultPage* page);

private:
    CDoc& doc_;
};

} // namespace lorvanel
