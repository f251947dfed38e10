#include "app/CFilterTree.h"

#include "app/CDlgFilter.h"
#include "app/Commands.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "filter/CompileFilter.h"
#include "trees/TreeListing.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>
#include <QTreeWidgetItemIterator>

namespace lorvanel {

namespace {

// Sets a flag for the lifetime of the scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = before_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool before_;
};

std::string newFilterName() {
    return toCp932Lossy(QStringLiteral("新しいフィルタ"));
}

QSet<QTreeWidgetItem*> selectedSet(const QTreeWidget& tree) {
    const QList<QTreeWidgetItem*> items = tree.selectedItems();
    return QSet<QTreeWidgetItem*>(items.begin(), items.end());
}

} // namespace

CFilterTree::CFilterTree(DocBridge& bridge, QWidget* parent)
    : QTreeWidget(parent), doc_(bridge.document()) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    runDialog = [](CDlgFilter& dialog) { return dialog.exec() == QDialog::Accepted; };

    connect(this, &QTreeWidget::itemSelectionChanged, this, &CFilterTree::selectionChanged);
    connect(this, &QTreeWidget::itemExpanded, this, &CFilterTree::expandItem);
    connect(&bridge, &DocBridge::changed, this, [this](DocHint hint) {
        if (hint == DocHint::DataChanged && !announcing_) rebuild();
    });
    rebuild();
}

void CFilterTree::loadSettings(const IniFile& ini) {
    model_.customFilters().read(ini);
    rebuild();
}

void CFilterTree::saveSettings(IniFile& ini) const {
    model_.customFilters().write(ini);
}

void CFilterTree::announce(const std::string& text) {
    FlagScope scope(announcing_);
    emit filterTextChanged(text);
}

TreeNode* CFilterTree::nodeOf(const QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    return reinterpret_cast<TreeNode*>(item->data(0, Qt::UserRole).value<quintptr>());
}

QTreeWidgetItem* CFilterTree::addItem(QTreeWidgetItem* parent, TreeNode& node) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, toQString(node.label));
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
    const std::string filterText = itemFilterText(node);
    if (!filterText.empty()) item->setToolTip(0, toQString(filterText));
    if (node.hasChildrenMark && node.children.empty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    addChildren(item, node);
    if (node.expanded) item->setExpanded(true);
    return item;
}

void CFilterTree::addChildren(QTreeWidgetItem* item, TreeNode& node) {
    for (const auto& child : node.children) addItem(item, *child);
}

void CFilterTree::rebuild() {
    FlagScope scope(rebuilding_);
    clear();
    model_.rebuild(doc_.selectionStatistics(), !doc_.postLog().posts.empty(), doc_.clock().now());
    for (const auto& top : model_.topLevel()) addItem(nullptr, *top);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (nodeOf(item)->selected) {
            setCurrentItem(item);
            item->setSelected(true);
        }
    }
}

void CFilterTree::expandItem(QTreeWidgetItem* item) {
    TreeNode* node = nodeOf(item);
    if (!node || !node->children.empty() || !node->hasChildrenMark) return;
    FlagScope scope(rebuilding_);
    model_.expand(*node, doc_.wholeLogStatistics());
    addChildren(item, *node);
    if (node->children.empty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void CFilterTree::syncSelection() {
    model_.clearSelection();
    for (QTreeWidgetItem* item : selectedItems())
        if (TreeNode* node = nodeOf(item)) node->selected = true;
}

std::string CFilterTree::combinedText() {
    syncSelection();
    return model_.combinedText();
}

void CFilterTree::selectionChanged() {
    if (rebuilding_ || band_) return;
    announce(combinedText());
}

void CFilterTree::setMultiSelection(bool on) {
    if (on == multiSelection()) return;
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
    if (on || selectedItems().size() <= 1) return;
    // A single-selection tree keeps one item: the current one.
    QTreeWidgetItem* keep = commandItem();
    {
        FlagScope scope(rebuilding_);
        clearSelection();
        if (keep) {
            setCurrentItem(keep);
            keep->setSelected(true);
        }
    }
    selectionChanged();
}

QTreeWidgetItem* CFilterTree::commandItem() const {
    QTreeWidgetItem* current = currentItem();
    if (current && current->isSelected()) return current;
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

QTreeWidgetItem* CFilterTree::customRootItem() const {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const TreeNode* node = nodeOf(topLevelItem(i));
        if (node && node->kind() == FilterKind::CustomRoot) return topLevelItem(i);
    }
    return nullptr;
}

QTreeWidgetItem* CFilterTree::findItem(const QString& path) {
    std::string bytes;
    if (!toCp932(path, bytes)) return nullptr;
    TreeNode* node = model_.findPath(bytes, doc_.wholeLogStatistics());
    if (!node) return nullptr;
    std::vector<TreeNode*> chain;
    for (TreeNode* n = node; n; n = n->parent) chain.insert(chain.begin(), n);
    FlagScope scope(rebuilding_);
    QTreeWidgetItem* item = nullptr;
    for (TreeNode* n : chain) {
        QTreeWidgetItem* found = nullptr;
        if (!item) {
            for (int i = 0; i < topLevelItemCount() && !found; ++i)
                if (nodeOf(topLevelItem(i)) == n) found = topLevelItem(i);
        } else {
            // The model may have expanded this item on the way.
            if (item->childCount() == 0) addChildren(item, *n->parent);
            item->setExpanded(true);
            for (int i = 0; i < item->childCount() && !found; ++i)
                if (nodeOf(item->child(i)) == n) found = item->child(i);
        }
        if (!found) return nullptr;
        item = found;
    }
    return item;
}

QMenu* CFilterTree::createContextMenu() {
    QTreeWidgetItem* item = commandItem();
    TreeNode* node = nodeOf(item);
    if (!node || !node->item) return nullptr;
    auto* menu = new QMenu(this);
    auto add = [&](int id, const QString& text, void (CFilterTree::*slot)()) {
        QAction* a = menu->addAction(text);
        a->setData(id);
        connect(a, &QAction::triggered, this, slot);
    };
    if (node->kind() == FilterKind::CustomRoot) {
        add(cmd::kFilterNew, QStringLiteral("新規作成(&F)"), &CFilterTree::newFilter);
        add(cmd::kFilterRestoreDefaults, QStringLiteral("デフォルト復元"),
            &CFilterTree::restoreDefaults);
    } else if (node->kind() == FilterKind::Custom && selectedItems().size() == 1) {
        add(cmd::kFilterNew, QStringLiteral("新規作成(&F)"), &CFilterTree::newFilter);
        add(cmd::kFilterDuplicate, QStringLiteral("複製(&C)"), &CFilterTree::duplicateFilter);
        add(cmd::kFilterRestoreDefaults, QStringLiteral("デフォルト復元"),
            &CFilterTree::restoreDefaults);
        menu->addSeparator();
        add(cmd::kFilterDelete, QStringLiteral("削除(&D)"), &CFilterTree::deleteFilter);
        menu->addSeparator();
        add(cmd::kFilterProperties, QStringLiteral("プロパティ(&R)"), &CFilterTree::editFilter);
    } else {
        add(cmd::kFilterFromSelection, QStringLiteral("選択中の項目で新しいフィルタを作成"),
            &CFilterTree::newFilterFromSelection);
    }
    return menu;
}

void CFilterTree::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu();
    if (!menu) return;
    menu->exec(event->globalPos());
    menu->deleteLater();
}

bool CFilterTree::execDialog(CDlgFilter& dialog) {
    return runDialog && runDialog(dialog);
}

void CFilterTree::addFromDialog(const std::string& name, const std::string& text) {
    CDlgFilter dialog(name, text, true, this);
    if (!execDialog(dialog)) return;
    FlagScope scope(rebuilding_);
    TreeNode& node = model_.addCustomFilter({dialog.name(), dialog.text()});
    if (QTreeWidgetItem* root = customRootItem())
        addItem(root, node);
    else
        addItem(nullptr, *model_.topLevel().back());
}

void CFilterTree::newFilter() {
    addFromDialog(newFilterName(), std::string());
}

void CFilterTree::duplicateFilter() {
    TreeNode* node = nodeOf(commandItem());
    if (!node || node->kind() != FilterKind::Custom || !node->item->filter) return;
    const CustomFilter copy = *node->item->filter;
    addFromDialog(copy.name, copy.text);
}

void CFilterTree::newFilterFromSelection() {
    addFromDialog(newFilterName(), combinedText());
}

void CFilterTree::restoreDefaults() {
    FlagScope scope(rebuilding_);
    delete customRootItem();
    model_.restoreDefaultFilters();
    addItem(nullptr, *model_.topLevel().back());
}

void CFilterTree::deleteFilter() {
    QTreeWidgetItem* item = commandItem();
    TreeNode* node = nodeOf(item);
    if (!node || node->kind() != FilterKind::Custom) return;
    FlagScope scope(rebuilding_);
    delete item;
    model_.deleteCustomFilter(*node);
}

void CFilterTree::editFilter() {
    QTreeWidgetItem* item = commandItem();
    TreeNode* node = nodeOf(item);
    if (!node || node->kind() != FilterKind::Custom || !node->item->filter) return;
    CDlgFilter dialog(node->item->filter->name, node->item->filter->text, false, this);
    if (!execDialog(dialog)) return;
    if (!CompileFilter(dialog.text())) return;
    model_.editCustomFilter(*node, {dialog.name(), dialog.text()});
    item->setText(0, toQString(node->label));
    item->setToolTip(0, toQString(dialog.text()));
    announce(dialog.text());
}

void CFilterTree::mousePressEvent(QMouseEvent* event) {
    // A right click raises the menu of the current selection and leaves the selection as it is.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && multiSelection() && !itemAt(pos)) {
        // Outside the items a drag draws a rubber band; Ctrl adds to the selection.
        bandOrigin_ = pos;
        bandBase_ = (event->modifiers() & Qt::ControlModifier) ? selectionModel()->selection()
                                                               : QItemSelection();
        bandStart_ = selectedSet(*this);
        event->accept();
        return;
    }
    bandOrigin_ = QPoint(-1, -1);
    QTreeWidget::mousePressEvent(event);
}

void CFilterTree::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (bandOrigin_.x() < 0 || !(event->buttons() & Qt::LeftButton)) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    if (!band_) {
        if ((pos - bandOrigin_).manhattanLength() < QApplication::startDragDistance()) return;
        band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
    }
    const QRect rect = QRect(bandOrigin_, pos).normalized();
    band_->setGeometry(rect);
    band_->show();
    // The band takes the rows it crosses, however far their labels are indented.
    const QRect rows(0, rect.top(), viewport()->width(), rect.height());
    QItemSelection selection = bandBase_;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        const QRect r = visualItemRect(*it);
        if (r.isValid() && r.intersects(rows)) {
            const QModelIndex index = indexFromItem(*it);
            selection.select(index, index);
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    event->accept();
}

void CFilterTree::mouseReleaseEvent(QMouseEvent* event) {
    if (bandOrigin_.x() < 0) {
        QTreeWidget::mouseReleaseEvent(event);
        return;
    }
    bandOrigin_ = QPoint(-1, -1);
    if (!band_) return;
    delete band_;
    band_ = nullptr;
    // One selection change for the whole drag.
    if (selectedSet(*this) != bandStart_) selectionChanged();
    event->accept();
}

} // namespace lorvanel
