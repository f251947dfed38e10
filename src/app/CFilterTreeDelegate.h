#pragma once
// Paints the filter tree's items so that a label too long for the pane loses the end of its
// name, never its post count: "ニュー速(嫌…(123)" rather than "ニュー速(嫌儲)…".
#include <QStyledItemDelegate>

namespace lorvanel {

class CFilterTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The label as the item is painted in option's rectangle.
    QString shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    // The option as painted: text already cut to fit, so the style cuts nothing.
    QStyleOptionViewItem fitted(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// A label "name(count)" cut to width pixels: the name is elided at its end, the trailing
// "(count)" stays whole. A label without a count is elided at its end.
QString elideCountedLabel(const QString& label, const QFontMetrics& metrics, int width);

} // namespace lorvanel
