#include "doc/KeywordCommands.h"

#include "doc/CDoc.h"
#include "keywords/AutoKeywordAnalysis.h"

namespace lorvanel {

const ResultPage* runAutoKeywordAnalysis(CDoc& doc, DocListener* sender) {
    const ResultPage* page = doc.addResultPage(analyzeAutoKeywords(doc.selection()), sender);
    doc.notifyKeywordAnalysisDone(sender);
    return page;
}

const ResultPage* runKeywordFileAnalysis(CDoc& doc, const std::string& path,
                                         KeywordFileFailure* failure, DocListener* sender) {
    ResultPage result;
    if (!analyzeKeywordFile(doc.selection(), doc.postLog(), path, result, failure)) return nullptr;
    const ResultPage* page = doc.addResultPage(std::move(result), sender);
    doc.notifyKeywordAnalysisDone(sender);
    return page;
}

} // namespace lorvanel
