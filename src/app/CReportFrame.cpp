#include "app/CReportFrame.h"

#include "app/CReportTree.h"
#include "app/CReportView.h"
#include "app/DocBridge.h"
#include "app/ShownRefresh.h"
#include "doc/CDoc.h"
#include "input/AnalysisLog.h"
#include "report/ReportWindowText.h"

#include <QFontMetrics>

#include <algorithm>

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
    connect(this, &QSplitter::splitterMoved, this, [this] {
        headingsFitted_ = true;
        dividerMoved_ = true;
    });
    tree_->setView(view_);
    // The text of a large report is laid out only once the user looks at it, and only for
    // the latest change.
    refresher_ = new ShownRefresh(this, [this] { refresh(); });
    connect(&bridge_, &DocBridge::changed, refresher_, &ShownRefresh::request);
}

void CReportFrame::refresh() {
    const CDoc& doc = bridge_.document();
    tree_->refresh(reportWindowText(doc.reportText(), doc.analysisLog().text()));
    // The heading list starts wide enough for its headings, within a third of the frame
    // (and never past kMaxHeadingWidth); once the user has moved the divider it stays.
    if (!headingsFitted_ && tree_->topLevelItemCount() > 0) {
        headingsFitted_ = true;
        int widest = 0;
        const QFontMetrics fm(tree_->font());
        for (int i = 0; i < tree_->topLevelItemCount(); ++i)
            widest = std::max(widest, fm.horizontalAdvance(tree_->topLevelItem(i)->text(0)));
        headingWidth_ = std::min(widest + 2 * tree_->frameWidth() + tree_->indentation() + 16,
                                 kMaxHeadingWidth);
        fitHeadings();
    }
}

void CReportFrame::fitHeadings() {
    const int want = std::min(std::max(headingWidth_, 120), std::max(120, width() / 3));
    const QList<int> now = sizes();
    if (now.size() == 2 && want > 0 && want != now[0]) setSizes({want, now[0] + now[1] - want});
}

void CReportFrame::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    // The splitter takes a narrower frame's width from the report, the stretching side:
    // until the user places the divider, the heading list keeps to its share instead.
    if (!dividerMoved_ && headingWidth_ > 0) fitHeadings();
}

} // namespace lorvanel
