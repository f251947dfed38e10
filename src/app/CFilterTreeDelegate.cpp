#include "app/CFilterTreeDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

namespace lorvanel {

QString elideCountedLabel(const QString& label, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(label) <= width) return label;
    static const QRegularExpression count(QStringLiteral("\\(\\d+\\)$"));
    const QRegularExpressionMatch m = count.match(label);
    if (!m.hasMatch() || m.capturedStart() == 0)
        return metrics.elidedText(label, Qt::ElideRight, width);
    const QString tail = m.captured();
    const QString name = label.left(m.capturedStart());
    // Even a pane too narrow for the count keeps it: it is what the item tells.
    const int room = std::max(0, width - metrics.horizontalAdvance(tail));
    QString cut = metrics.elidedText(name, Qt::ElideRight, room);
    if (cut.isEmpty()) cut = QStringLiteral("…");
    return cut + tail;
}

QStyleOptionViewItem CFilterTreeDelegate::fitted(const QStyleOptionViewItem& option,
                                                 const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The style draws the text inside this rectangle, less a margin on either side.
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    opt.text = elideCountedLabel(opt.text, opt.fontMetrics, textRect.width() - 2 * margin);
    opt.textElideMode = Qt::ElideNone;
    return opt;
}

QString CFilterTreeDelegate::shownText(const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    return fitted(option, index).text;
}

void CFilterTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const QStyleOptionViewItem opt = fitted(option, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

} // namespace lorvanel
