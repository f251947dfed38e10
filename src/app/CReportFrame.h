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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kMaxHeadingWidth = 260;

    // The heading list at the width its headings want, within a third of the frame; never
    // under the 120 px it starts with.
    void fitHeadings();

    DocBridge& bridge_;
    CReportTree* tree_;
    CReportView* view_;
    ShownRefresh* refresher_;
    bool headingsFitted_ = false; // the heading list's width was set, by us or the user
    bool dividerMoved_ = false;   // by the user
    int headingWidth_ = 0;        // what the headings want, once measured
};

} // namespace lorvanel
