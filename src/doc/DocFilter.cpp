#include "doc/DocFilter.h"

#include "doc/CDoc.h"
#include "filter/FilterSelection.h"

namespace lorvanel {

bool applyFilter(CDoc& doc, std::string_view text, DocListener* sender) {
    PostList selected;
    if (!selectPostsWithFilter(selected, doc.postLog().posts, text)) return false;
    return doc.applySelection(selected, sender);
}

} // namespace lorvanel
