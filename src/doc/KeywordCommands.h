#pragma once
// The keyword-analysis commands as the document runs them, for the program's menu and the
// command-line program alike: over its current selection, the page added to its result pages
// (DocHint::ResultPage), then DocHint::KeywordAnalysisDone. Messages (a keyword file that
// can't be read) are shown once the command is done.
#include "doc/PreparedChange.h"
#include "keywords/KeywordFileAnalysis.h"

#include <string>

namespace lorvanel {

class CDoc;
class DocListener;
struct ResultPage;

// Automatic keyword analysis; never fails. Returns the page added.
const ResultPage* runAutoKeywordAnalysis(CDoc& doc, DocListener* sender = nullptr);

// Keyword-file analysis of the file at path. Returns the page added, or null when the
// analysis failed (the reason in failure when given); then the document is unchanged and
// nobody is told.
const ResultPage* runKeywordFileAnalysis(CDoc& doc, const std::string& path,
                                         KeywordFileFailure* failure = nullptr,
                                         DocListener* sender = nullptr);

// The same in two halves (see CDoc::prepareLoad): the page prepared over the document's
// selection, possibly on a worker, for CDoc::commit.
PreparedChange prepareAutoKeywordAnalysis(const CDoc& doc, CancelToken* token = nullptr);
PreparedChange prepareKeywordFileAnalysis(CDoc& doc, const std::string& path,
                                          CancelToken* token = nullptr);

} // namespace lorvanel
