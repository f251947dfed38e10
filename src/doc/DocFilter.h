#pragma once
// Narrowing the document to the posts that a filter text selects, as the filter tree and the
// command-line program do.
#include "doc/PreparedChange.h"

#include <string>
#include <string_view>

namespace lorvanel {

class CDoc;
class DocListener;

// Compiles text and makes the posts of the whole log that it accepts the current selection,
// with their statistics and report (DocHint::DataChanged to all listeners but the sender).
// When the text doesn't compile the document is unchanged and the user is told why once the
// call is done. False then, and when the statistics of the selection can't be computed.
bool applyFilter(CDoc& doc, std::string_view text, DocListener* sender = nullptr);

// The same in two halves (see CDoc::prepareLoad): the selection and its statistics prepared,
// possibly on a worker, for CDoc::commit.
PreparedChange prepareFilter(const CDoc& doc, std::string text, CancelToken* token = nullptr);

} // namespace lorvanel
