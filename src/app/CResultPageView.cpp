#include "app/CResultPageView.h"

#include "ui/FixedFont.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace lorvanel {

namespace {

// Links are drawn as links up to this many; more would make a huge page slow to open, and
// those beyond still answer a click.
constexpr std::size_t kMarkedLinks = 20000;

// The shown text: CR LF becomes one line end.
QString shownText(std::string_view cp932) {
    QString text = toQString(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

CResultPageView::CResultPageView(const ResultPage& page, QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(columnFont(14));
    setUndoRedoEnabled(false);
    setAcceptDrops(false);
    setPlainText(shownText(page.text));
    viewport()->setMouseTracking(true);

    // The links' byte offsets become character positions, converting the text between them
    // once (the links come in the order of the text).
    std::size_t byte = 0;
    int position = 0;
    for (const PageLink& link : page.links) {
        if (link.begin < byte || link.end < link.begin || link.end > page.text.size()) continue;
        position += static_cast<int>(
            shownText(std::string_view(page.text).substr(byte, link.begin - byte)).size());
        const int length = static_cast<int>(
            shownText(std::string_view(page.text).substr(link.begin, link.end - link.begin))
                .size());
        spans_.push_back({position, position + length, link});
        position += length;
        byte = link.end;
    }
    markLinks();
}

void CResultPageView::markLinks() {
    QTextCharFormat format;
    format.setForeground(palette().color(QPalette::Link));
    format.setFontUnderline(true);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (std::size_t i = 0; i < spans_.size() && i < kMarkedLinks; ++i) {
        cursor.setPosition(spans_[i].begin);
        cursor.setPosition(spans_[i].end, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

QRect CResultPageView::spanRect(const Span& span) const {
    QTextCursor cursor(document());
    cursor.setPosition(span.begin);
    const QRect first = cursorRect(cursor);
    cursor.setPosition(span.end);
    QRect last = cursorRect(cursor);
    // A span never crosses a line end, so both edges are on one line.
    return QRect(QPoint(first.left(), first.top()), QPoint(last.left(), first.bottom()));
}

const CResultPageView::Span* CResultPageView::spanAt(const QPoint& point) const {
    const int position = cursorForPosition(point).position();
    // The span that holds the position or ends at it (the pointer on a link's last
    // character's right half gives the position after it).
    auto it = std::lower_bound(spans_.begin(), spans_.end(), position,
                               [](const Span& s, int p) { return s.end < p; });
    if (it == spans_.end() || it->begin > position) return nullptr;
    // Beside the line's text the nearest position is no hit: the point must be on the text.
    if (!spanRect(*it).adjusted(0, 0, 1, 1).contains(point)) return nullptr;
    return &*it;
}

const PageLink* CResultPageView::linkAt(const QPoint& point) const {
    const Span* span = spanAt(point);
    return span ? &span->link : nullptr;
}

void CResultPageView::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? spanAt(event->position().toPoint()) : nullptr;
    pressPoint_ = event->position().toPoint();
    QPlainTextEdit::mousePressEvent(event);
}

void CResultPageView::mouseMoveEvent(QMouseEvent* event) {
    viewport()->setCursor(spanAt(event->position().toPoint()) ? Qt::PointingHandCursor
                                                              : Qt::IBeamCursor);
    QPlainTextEdit::mouseMoveEvent(event);
}

void CResultPageView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    const Span* pressed = pressed_;
    pressed_ = nullptr;
    if (event->button() != Qt::LeftButton || !pressed) return;
    // A drag selects text instead.
    if ((event->position().toPoint() - pressPoint_).manhattanLength() >=
        QApplication::startDragDistance())
        return;
    if (spanAt(event->position().toPoint()) == pressed) emit linkActivated(pressed->link);
}

} // namespace lorvanel
