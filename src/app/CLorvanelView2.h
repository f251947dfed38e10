#pragma once
// The post list: every post of the document's current selection as a block of rows (number and
// title, name and date, the body, an empty row), painted a page at a time from the core's row
// model. Whole rows are selected by dragging and copied; the post number and the title are
// links to a menu that copies the post or its URL or opens the thread in a browser. While the
// list is hidden (another tab in front) a new selection only marks it stale: the rows are laid
// out once, when it is shown or first read.
#include "postlist/PostRows.h"
#include "postlist/PostSearch.h"
#include "postlist/RowViewport.h"
#include "ui/ViewColours.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPixmap>
#include <QRect>

#include <string>
#include <vector>

class QMenu;

namespace lorvanel {

class CDoc;
class DocBridge;
class ShownRefresh;

class CLorvanelView2 : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CLorvanelView2(DocBridge& bridge, QWidget* parent = nullptr);

    // The selected rows as text on the clipboard; nothing without a selection.
    void copySelection();
    void selectAll();
    // Searches for a CP932 pattern after the selection; a hit becomes the selection and is
    // brought into view. Returns whether there was one.
    bool search(const std::string& pattern);
    // The same with the search bar's options; from the first row when fromTop.
    bool search(const SearchPattern& pattern, bool fromTop = false);
    // Scrolls so that the row is at the top (clamped as every scroll).
    void setTopRow(RowIndex row);
    // The current post's commands (the post whose link was clicked last).
    void copyCurrentPost();
    void copyCurrentUrl();
    void openCurrentUrl();
    // Makes the post at index of the selection the current post, as a click on its link does.
    void setCurrentPost(std::size_t index);

    // The layout of the current selection (laid out first when the list is stale).
    const PostRows& rows() const;
    const RowViewport& viewportRows() const;
    // A selection came while the list was hidden and has not been laid out yet.
    bool stale() const;
    const RowSelection& selection() const { return selection_; }
    int rowHeight() const { return rowHeight_; }
    // The row under a point of the viewport, clamped to the list.
    RowIndex rowAt(int y) const;
    // A link (post number or title) of the last paint, with the index of its post.
    struct Link {
        QRect rect;
        std::size_t post = 0;
    };
    const std::vector<Link>& links() const { return links_; }
    // The menus as they are shown: the post menu of a link, the context menu of a row.
    QMenu* createPostMenu(QWidget* parent);
    QMenu* createContextMenu(RowIndex rowUnderPointer, QWidget* parent);

signals:
    // F3: the frame runs the search with the search bar's pattern.
    void searchRequested();
    // The text for the status bar's message pane: a link's URL, or empty.
    void statusMessage(const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // A hit of a search becomes the selection and is brought into view; false for none.
    bool showHit(std::optional<RowIndex> hit);
    // Forgets every record of the document: rows, links, selection and the current post.
    void dropRecords();
    void resetFromDocument();
    // A stale list lays out the selection before anything reads its rows.
    void catchUp() const;
    void updateScrollBar();
    void scrollBarAction(int action);
    // The top row moved (or may have): scroll bar and picture follow.
    void topChanged();
    void paintRows(QPainter& painter);
    void paintPost(QPainter& painter, std::size_t index, int y);
    const Link* linkAt(const QPoint& pos) const;
    void setStatus(const QString& text);
    const PostRecord* currentPostRecord() const;
    // The current post's URL when it passes the check; otherwise tells the user and gives
    // nothing.
    bool usableCurrentUrl(std::string& url) const;

    CDoc& doc_;
    PostRows rows_;
    RowViewport viewport_;
    RowSelection selection_;
    std::vector<Link> links_;
    // Index of the current post in rows_, or -1.
    std::ptrdiff_t currentPost_ = -1;

    QFont normalFont_;
    QFont boldFont_;
    QFont linkFont_;
    int rowHeight_ = 1;
    int charWidth_ = 1;
    int ascent_ = 0;
    PostListColours colours_; // of the palette at the last paint
    QPixmap picture_;
    int wheelRest_ = 0;
    QString status_;
    bool updatingScrollBar_ = false;
    ShownRefresh* refresher_ = nullptr;
};

} // namespace lorvanel
