#pragma once
// A keyword result page in its tab: the page's text, read-only and not wrapped, in the column
// font, with every word and keyword drawn as a link; a click on one announces it, so that the
// window can show the posts it was counted in.
#include "keywords/ResultPage.h"

#include <QPlainTextEdit>

#include <vector>

namespace lorvanel {

class CResultPageView : public QPlainTextEdit {
    Q_OBJECT
public:
    CResultPageView(const ResultPage& page, QWidget* parent = nullptr);

    // Where a link stands in the shown text (characters, line ends as one).
    struct Span {
        int begin = 0;
        int end = 0;
        PageLink link;
    };
    const std::vector<Span>& spans() const { return spans_; }
    // The link under a point of the viewport; null for none.
    const PageLink* linkAt(const QPoint& point) const;
    // The rectangle of a span's text in the viewport (its first line).
    QRect spanRect(const Span& span) const;

signals:
    void linkActivated(const lorvanel::PageLink& link);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const Span* spanAt(const QPoint& point) const;
    void markLinks();

    std::vector<Span> spans_;
    // The link pressed on, which a release on the same link without a drag activates.
    const Span* pressed_ = nullptr;
    QPoint pressPoint_;
};

} // namespace lorvanel
