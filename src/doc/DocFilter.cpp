#include "doc/DocFilter.h"

#include "doc/CDoc.h"
#include "filter/FilterSelection.h"

namespace lorvanel {

bool applyFilter(CDoc& doc, std::string_view text, DocListener* sender) {
    return doc.commit(prepareFilter(doc, std::string(text)), sender);
}

PreparedChange prepareFilter(const CDoc& doc, std::string text, CancelToken* token) {
    // A compile error is shown after the document is done, never from inside it.
    return doc.prepareSelection(
        [&](PostList& selected) {
            return selectPostsWithFilter(selected, doc.postLog().posts, text).has_value();
        },
        token);
}

} // namespace lorvanel
