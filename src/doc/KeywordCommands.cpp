#include "doc/KeywordCommands.h"

#include "doc/CDoc.h"
#include "keywords/AutoKeywordAnalysis.h"

namespace lorvanel {

namespace {
const ResultPage* lastPage(const CDoc& doc, bool added) {
    return added && !doc.resultPages().empty() ? doc.resultPages().back().get() : nullptr;
}
} // namespace

PreparedChange prepareAutoKeywordAnalysis(const CDoc& doc, CancelToken* token) {
    PreparedChange change;
    change.kind = PreparedChange::Kind::kResultPage;
    runPreparation(change, token, [&] {
        reportStep(OperationStep::kKeywords);
        change.page = analyzeAutoKeywords(doc.selection());
    });
    return change;
}

PreparedChange prepareKeywordFileAnalysis(CDoc& doc, const std::string& path, CancelToken* token) {
    PreparedChange change;
    change.kind = PreparedChange::Kind::kResultPage;
    runPreparation(change, token, [&] {
        reportStep(OperationStep::kKeywords);
        ResultPage result;
        // The folded copies of the bodies that the analysis builds on first need stay with the
        // log; nothing else of the document changes.
        if (analyzeKeywordFile(doc.selection(), doc.postLog(), path, result,
                               &change.keywordFailure))
            change.page = std::move(result);
        else
            change.ok = false;
    });
    return change;
}

const ResultPage* runAutoKeywordAnalysis(CDoc& doc, DocListener* sender) {
    return lastPage(doc, doc.commit(prepareAutoKeywordAnalysis(doc), sender));
}

const ResultPage* runKeywordFileAnalysis(CDoc& doc, const std::string& path,
                                         KeywordFileFailure* failure, DocListener* sender) {
    // The file's messages are shown once the page is in place and the views know it.
    PreparedChange change = prepareKeywordFileAnalysis(doc, path);
    if (failure) *failure = change.keywordFailure;
    return lastPage(doc, doc.commit(std::move(change), sender));
}

} // namespace lorvanel
