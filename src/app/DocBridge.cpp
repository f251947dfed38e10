#include "app/DocBridge.h"

#include "doc/CDoc.h"

namespace lorvanel {

DocBridge::DocBridge(CDoc& doc, QObject* parent) : QObject(parent), doc_(doc) {
    doc_.addListener(this);
}

DocBridge::~DocBridge() {
    doc_.removeListener(this);
}

void DocBridge::documentUpdated(CDoc&, const DocUpdate& update) {
    switch (update.hint) {
    case DocHint::SelectionAboutToChange:
        emit aboutToChange();
        break;
    case DocHint::DataChanged:
    case DocHint::KeywordAnalysisDone:
        emit changed(update.hint);
        break;
    case DocHint::ResultPage:
        if (!update.page) break;
        if (update.pageAdded)
            emit pageAdded(update.page);
        else
            emit pageRemoved(update.page);
        break;
    }
}

} // namespace lorvanel
