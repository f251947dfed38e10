#include "app/CReportFrame.h"

#include "app/CReportTree.h"
#include "app/CReportView.h"
#include "app/DocBridge.h"
#include "app/ShownRefresh.h"
#include "doc/CDoc.h"
#include "input/AnalysisLog.h"
#include "report/ReportWindowText.h"

namespace lorvanel {

CReportFrame::CReportFrame(DocBridge& bridge, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), bridge_(bridge) {
    tree_ = new CReportTree(this);
    view_ = new CReportView(this);
    addWidget(tree_);
    addWidget(view_);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({120, 200});
    setChildrenCollapsible(false);
    tree_->setView(view_);
    // The text of a large report is laid out only once the user looks at it, and only for
    // the latest change.
    refresher_ = new ShownRefresh(this, [this] { refresh(); });
    connect(&bridge_, &DocBridge::changed, refresher_, &ShownRefresh::request);
}

void CReportFrame::refresh() {
    const CDoc& doc = bridge_.document();
    tree_->refresh(reportWindowText(doc.reportText(), doc.analysisLog().text()));
}

} // namespace lorvanel
