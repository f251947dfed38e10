#include "app/CReportTree.h"

#include "app/CReportView.h"
#include "ui/QtText.h"

#include <QHeaderView>

namespace lorvanel {

namespace {
constexpr int kLineRole = Qt::UserRole;
constexpr int kBytesRole = Qt::UserRole + 1;

QByteArray toBytes(std::string_view s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

CReportTree::CReportTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CReportTree::scrollToSelected);
    // A click on the heading that is already selected changes no selection but still
    // brings the text back to it.
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item && item->isSelected()) scrollToSelected();
    });
}

std::string CReportTree::selectedHeading() const {
    const QList<QTreeWidgetItem*> items = selectedItems();
    if (items.isEmpty()) return {};
    const QByteArray bytes = items.front()->data(0, kBytesRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool CReportTree::selectHeading(std::string_view text) {
    const QByteArray wanted = toBytes(text);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (item->data(0, kBytesRole).toByteArray() == wanted) {
            setCurrentItem(item);
            return true;
        }
    }
    return false;
}

void CReportTree::refresh(std::string_view windowText) {
    const std::string remembered = selectedHeading();
    if (view_) view_->setUpdatesEnabled(false);
    if (view_) view_->setReportText(windowText);

    // Rebuilding must not scroll the view through intermediate selections.
    blockSignals(true);
    clear();
    if (!windowText.empty()) {
        QList<QTreeWidgetItem*> items;
        for (const ReportHeading& h : reportHeadings(windowText)) {
            auto* item = new QTreeWidgetItem(QStringList(toQString(h.text)));
            item->setData(0, kLineRole, h.line);
            item->setData(0, kBytesRole, toBytes(h.text));
            item->setToolTip(0, item->text(0));
            items.push_back(item);
        }
        addTopLevelItems(items);
        expandAll();
    }
    blockSignals(false);

    // "Top" is the first item: it stands for no remembered heading and for one that the
    // new text lacks.
    if (isVisible() && topLevelItemCount() > 0 &&
        (remembered.empty() || !selectHeading(remembered)))
        setCurrentItem(topLevelItem(0));
    if (view_) view_->setUpdatesEnabled(true);
}

void CReportTree::scrollToSelected() {
    const QList<QTreeWidgetItem*> items = selectedItems();
    if (items.isEmpty() || !view_) return;
    view_->scrollToLine(items.front()->data(0, kLineRole).toInt());
}

} // namespace lorvanel
