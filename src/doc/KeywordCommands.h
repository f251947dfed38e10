#pragma once
// The keyword-analysis commands as the document runs them, for the program's menu and the
// command-line program alike: over its current selection, the page added to its result pages
// (DocHint::ResultPage), then DocHint::KeywordAnalysisDone. Messages (a keyword file that
// can't be read) are shown once the command is done.
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

} // namespace lorvanel
