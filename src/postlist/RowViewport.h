#pragma once
// The scrolling rules of the post list: which row is at the top of the window, given the rows
// that fit it (the page) and the rows of the list (the total). Every change ends clamped so
// that the top row is at least 0 and, where the list is long enough, the last page is full.
#include "postlist/PostRows.h"

namespace lorvanel {

class RowViewport {
public:
    RowIndex top() const { return top_; }
    RowIndex page() const { return page_; }
    RowIndex total() const { return total_; }

    // A new list: top row 0.
    void reset(RowIndex total);
    // The window now fits `page` whole rows. When it grows to hold the whole list the top row
    // returns to 0.
    void setPage(RowIndex page);

    void lineUp();
    void lineDown();
    void home() { setTop(0); }
    void end() { setTop(total_ - page_); }
    void pageUp();
    void pageDown();
    // A wheel turn: delta in eighths of a degree as the platform reports them (120 a notch,
    // positive away from the user); four rows a notch.
    void wheel(int delta);
    // The scroll bar: each movement clamped to 0 .. total - 1, then as every change.
    void scrollBarTo(RowIndex top);
    void scrollBarLine(int direction) { scrollBarTo(top_ + direction); }
    void scrollBarPage(int direction) { scrollBarTo(top_ + direction * (page_ - 1)); }
    void scrollBarBottom() { scrollBarTo(total_ - page_ + 1); }

    // Brings a row into view: nothing changes while it is one of the whole rows shown;
    // otherwise the row goes to the middle of the window. Returns whether the top row moved.
    bool reveal(RowIndex row);

    // Whether the row is one of the whole rows in the window.
    bool shows(RowIndex row) const { return row >= top_ && row < top_ + page_; }

    // Sets the top row, clamped.
    void setTop(RowIndex top);

private:
    RowIndex top_ = 0;
    RowIndex page_ = 0;
    RowIndex total_ = 0;
};

// The selected rows of the list: always whole rows, from start to end; end -1 is no selection.
// A drag selects from the anchor (the row where the button went down) to the row under the
// pointer.
class RowSelection {
public:
    RowIndex start() const { return start_; }
    RowIndex end() const { return end_; }
    RowIndex anchor() const { return anchor_; }
    bool any() const { return end_ >= 0; }
    bool contains(RowIndex row) const { return any() && row >= start_ && row <= end_; }

    void clear() {
        start_ = 0;
        end_ = -1;
    }
    // The button went down on a row: it becomes the anchor and nothing is selected.
    void press(RowIndex row) {
        anchor_ = row;
        clear();
    }
    // The pointer moved to a row with the button held.
    void dragTo(RowIndex row);
    void selectRange(RowIndex first, RowIndex last) {
        start_ = first;
        end_ = last;
    }
    void selectAll(RowIndex total) { selectRange(0, total - 1); }
    // A new list.
    void reset() {
        anchor_ = 0;
        clear();
    }

private:
    RowIndex start_ = 0;
    RowIndex end_ = -1;
    RowIndex anchor_ = 0;
};

} // namespace lorvanel
