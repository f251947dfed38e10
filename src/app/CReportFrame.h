#pragma once
// The report window, the main view's tab "レポート": the heading list beside the text of the
// report and the analysis log. It refreshes when the post log, the selection or a keyword
// analysis changes; while its tab is hidden it waits until the tab is shown.
#include <QSplitter>

namespace lorvanel {

class CReportTree;
class CReportView;
class DocBridge;
class ShownRefresh;

class CReportFrame : public QSplitter {
    Q_OBJECT
public:
    explicit CReportFrame(DocBridge& bridge, QWidget* parent = nullptr);

    // Rebuilds the text and the headings from the document and its analysis log.
    void refresh();

    CReportTree* tree() const { return tree_; }
    CReportView* view() const { return view_; }

private:
    DocBridge& bridge_;
    CReportTree* tree_;
    CReportView* view_;
    ShownRefresh* refresher_;
};

} // namespace lorvanel
