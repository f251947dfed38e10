#pragma once
// The heading list of the report window (see report/ReportHeadings.h); choosing a heading
// scrolls the text pane to it.
#include "report/ReportHeadings.h"

#include <QTreeWidget>

#include <string>
#include <string_view>

namespace lorvanel {

class CReportView;

class CReportTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CReportTree(QWidget* parent = nullptr);
    void setView(CReportView* view) { view_ = view; }

    // Shows the text in the view and rebuilds the headings. When the tree is visible, the
    // heading of the same text as the one selected before is selected again (else the first
    // one); a hidden tree selects nothing.
    void refresh(std::string_view windowText);

    // The selected heading's text (CP932); empty when none is selected.
    std::string selectedHeading() const;
    // Selects the first heading of that text (CP932); false when there is none.
    bool selectHeading(std::string_view text);

private:
    void scrollToSelected();

    CReportView* view_ = nullptr;
};

} // namespace lorvanel
