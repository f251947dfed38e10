#pragma once
// The report window, the main view's tab "レポート": the heading list beside the text of the
// report and the analysis log. It refreshes when the post log, the selection or a keyword
// analysis changes; while its tab is hidden it waits until the tab is shown.
#include "doc/DocListener.h"

#include <QSplitter>

namespace lorvanel {

class CReportTree;
class CReportView;

class CReportFrame : public QSplitter, public DocListener {
    Q_OBJECT
public:
    explicit CReportFrame(CDoc& doc, QWidget* parent = nullptr);
    ~CReportFrame() override;

    void documentUpdated(CDoc& doc, const DocUpdate& update) override;
    // Rebuilds the text and the headings from the document and the analysis log.
    void refresh();

    CReportTree* tree() const { return tree_; }
    CReportView* view() const { return view_; }

    void setVisible(bool visible) override;

private:
    CDoc& doc_;
    CReportTree* tree_;
    CReportView* view_;
    // A change came while the frame was hidden: the text is rebuilt when it is shown.
    bool stale_ = false;
};

} // namespace lorvanel
