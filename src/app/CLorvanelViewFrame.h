#pragma once
// The "lorvanel.txt" tab: the search bar above the post list, and the search command
// (32794) that joins them.
#include "postlist/PostSearch.h"

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
    // Nothing happens for an empty pattern. Returns whether a row was found; when none was,
    // the message pane says so until the next search or edit of the pattern.
    bool runSearch();
    // Puts a pattern and its options into the search bar and searches from the list's first
    // row, as a link of a result page asks.
    bool searchFromTop(const QString& pattern, const SearchOptions& options);
    // Ctrl+F: the cursor goes to the search field, its text selected.
    void focusSearch();

signals:
    // A text for the status bar's message pane; empty clears what the frame put there.
    void statusMessage(const QString& text);

private:
    void clearNotFound();
    bool search(bool fromTop);

    CDlgBarSearch* bar_;
    CLorvanelView2* view_;
    bool notFoundShown_ = false;
};

} // namespace lorvanel
