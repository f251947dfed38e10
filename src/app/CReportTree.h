#pragma once
// The heading list of the report window: "Top" and every line of the text that starts with
// "★"; choosing one scrolls the text pane to it.
#include <QTreeWidget>

#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

class CReportView;

struct ReportHeading {
    int line = 0;     // 0-based line of the text
    std::string text; // CP932, without the line end
};

// "Top" at line 0, then each line whose first two bytes are "★" (0x81 0x9A), in text order.
// A line ends at CR LF, a lone CR or a lone LF.
std::vector<ReportHeading> reportHeadings(std::string_view text);

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
