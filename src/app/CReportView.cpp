#include "app/CReportView.h"

#include "ui/FixedFont.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

namespace lorvanel {

CReportView::CReportView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // The caret stays visible so that the heading the view was scrolled to is marked.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFont(columnFont(14));
    setViewportMargins(4, 0, 16, 0);
    // The margins belong to the frame, not the viewport: paint them in the text background
    // too, and keep the scroll bars' own colours.
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Base));
    setPalette(p);
    setAutoFillBackground(true);
    horizontalScrollBar()->setPalette(QApplication::palette(horizontalScrollBar()));
    verticalScrollBar()->setPalette(QApplication::palette(verticalScrollBar()));
    document()->setDocumentMargin(0);
    setUndoRedoEnabled(false);
}

void CReportView::setReportText(std::string_view cp932) {
    QString text = toQString(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(text);
}

void CReportView::scrollToLine(int line) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + (line - firstVisibleLine()));
    QTextCursor cursor(document()->findBlockByNumber(line));
    if (cursor.isNull()) cursor = QTextCursor(document());
    cursor.clearSelection();
    setTextCursor(cursor);
    ensureCursorVisible();
}

int CReportView::firstVisibleLine() const {
    // Without wrapping the vertical scroll bar counts lines.
    return verticalScrollBar()->value();
}

QMenu* CReportView::createReportMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    QAction* copyAction =
        menu->addAction(QStringLiteral("コピー(&C)\tCtrl+C"), this, &QPlainTextEdit::copy);
    copyAction->setEnabled(textCursor().hasSelection());
    menu->addSeparator();
    menu->addAction(QStringLiteral("全て選択(&A)\tCtrl+A"), this, &QPlainTextEdit::selectAll);
    return menu;
}

void CReportView::wheelEvent(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() - notches * kWheelLines);
    }
    event->accept();
}

void CReportView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createReportMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace lorvanel
