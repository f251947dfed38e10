#include "doc/DocFilter.h"

#include "doc/CDoc.h"
#include "filter/FilterSelection.h"
#include "platform/DeferredAlerts.h"

namespace lorvanel {

bool applyFilter(CDoc& doc, std::string_view text, DocListener* sender) {
    // A compile error is shown after the document is done, never from inside it.
    DeferredAlerts alerts;
    PostList selected;
    if (!selectPostsWithFilter(selected, doc.postLog().posts, text)) return false;
    return doc.applySelection(selected, sender);
}

} // namespace lorvanel
