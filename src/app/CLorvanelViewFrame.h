#pragma once
// The "lorvanel.txt" tab: the search bar above the post list, and the search command
// (32794) that joins them.
#include <QWidget>

namespace lorvanel {

class DocBridge;
class CDlgBarSearch;
class CLorvanelView2;

class CLorvanelViewFrame : public QWidget {
    Q_OBJECT
public:
    explicit CLorvanelViewFrame(DocBridge& bridge, QWidget* parent = nullptr);

    CLorvanelView2* view() const { return view_; }
    CDlgBarSearch* searchBar() const { return bar_; }

    // Command 32794: searches the list for the bar's pattern after the list's selection.
    // Nothing happens for an empty pattern. Returns whether a row was found.
    bool runSearch();

private:
    CDlgBarSearch* bar_;
    CLorvanelView2* view_;
};

} // namespace lorvanel
