#include "app/CReportFrame.h"

#include "app/CReportTree.h"
#include "app/CReportView.h"
#include "doc/CDoc.h"
#include "input/AnalysisLog.h"
#include "report/ReportWindowText.h"

namespace lorvanel {

CReportFrame::CReportFrame(CDoc& doc, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), doc_(doc) {
    tree_ = new CReportTree(this);
    view_ = new CReportView(this);
    addWidget(tree_);
    addWidget(view_);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({120, 200});
    setChildrenCollapsible(false);
    tree_->setView(view_);
    doc_.addListener(this);
}

CReportFrame::~CReportFrame() {
    doc_.removeListener(this);
}

void CReportFrame::documentUpdated(CDoc&, const DocUpdate& update) {
    if (update.hint != DocHint::DataChanged && update.hint != DocHint::KeywordAnalysisDone) return;
    // Another tab is in front (its tab widget hid this one): the text of a large report is
    // laid out only once the user looks at it, and only for the latest change.
    if (isHidden()) {
        stale_ = true;
        return;
    }
    refresh();
}

void CReportFrame::setVisible(bool visible) {
    QSplitter::setVisible(visible);
    if (visible && stale_) refresh();
}

void CReportFrame::refresh() {
    stale_ = false;
    tree_->refresh(reportWindowText(doc_.reportText(), analysisLog().text()));
}

} // namespace lorvanel
