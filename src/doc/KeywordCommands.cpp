#include "doc/KeywordCommands.h"

#include "doc/CDoc.h"
#include "keywords/AutoKeywordAnalysis.h"
#include "platform/DeferredAlerts.h"

namespace lorvanel {

const ResultPage* runAutoKeywordAnalysis(CDoc& doc, DocListener* sender) {
    const ResultPage* page = doc.addResultPage(analyzeAutoKeywords(doc.selection()), sender);
    doc.notifyKeywordAnalysisDone(sender);
    return page;
}

const ResultPage* runKeywordFileAnalysis(CDoc& doc, const std::string& path,
                                         KeywordFileFailure* failure, DocListener* sender) {
    // The file's messages are shown once the page is in place and the views know it.
    DeferredAlerts alerts;
    ResultPage result;
    if (!analyzeKeywordFile(doc.selection(), doc.postLog(), path, result, failure)) return nullptr;
    const ResultPage* page = doc.addResultPage(std::move(result), sender);
    doc.notifyKeywordAnalysisDone(sender);
    return page;
}

} // namespace lorvanel
