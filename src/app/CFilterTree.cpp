#include "app/CFilterTree.h"

#include "app/CDlgFilter.h"
#include "app/CFilterTreeDelegate.h"
#include "app/Commands.h"
#include "app/DocBridge.h"
#include "app/FilterTreeModel.h"
#include "doc/CDoc.h"
#include "filter/CompileFilter.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>

#include <string_view>
#include <vector>

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

// What tells an item apart across rebuilds: its kind and filter text (the category and
// "カスタム" roots by kind alone), or the label of the "履歴" root, which has no item data.
// Counts in the labels change with the selection; these do not.
std::string expansionKey(const TreeNode& node) {
    if (!node.item) return "-" + node.label;
    return std::to_string(static_cast<int>(node.item->kind)) + ':' + node.item->text;
}

QList<QPersistentModelIndex> persistentSelection(const QItemSelectionModel& selection) {
    QList<QPersistentModelIndex> items;
    for (const QModelIndex& index : selection.selectedIndexes()) items.push_back(index);
    return items;
}

} // namespace

CFilterTree::CFilterTree(DocBridge& bridge, QWidget* parent)
    : QTreeView(parent), doc_(bridge.document()), model_(new FilterTreeModel(this)) {
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A narrow pane cuts the names, never the counts; the tooltip has the whole label.
    setItemDelegate(new CFilterTreeDelegate(this));
    runDialog = [](CDlgFilter& dialog) { return dialog.exec() == QDialog::Accepted; };
    model_->setWholeLogStatistics(&doc_.wholeLogStatistics());
    setModel(model_);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CFilterTree::selectionChanged);
    // Generated children are made when their item is first expanded.
    connect(this, &QTreeView::expanded, model_, &FilterTreeModel::expandItem);
    connect(&bridge, &DocBridge::changed, this, [this](DocHint hint) {
        if (hint == DocHint::DataChanged && !announcing_) rebuild();
    });
    rebuild();
}

void CFilterTree::loadSettings(const IniFile& ini) {
    model_->customFilters().read(ini);
    rebuild();
}

void CFilterTree::saveSettings(IniFile& ini) const {
    model_->tree().customFilters().write(ini);
}

const FilterTree& CFilterTree::model() const {
    return model_->tree();
}

TreeNode* CFilterTree::nodeOf(const QModelIndex& index) const {
    return model_->nodeOf(index);
}

void CFilterTree::rebuild() {
    // A rebuild for the same files ("フィルタ解除", a reload, another view's selection) keeps
    // what the user opened and closed; a new log starts from the core's expansion.
    const std::vector<std::string>& files = doc_.postLog().sourcePaths;
    const Expansion kept = files == rowsFor_ ? expansion() : Expansion();
    rowsFor_ = files;
    FlagScope scope(rebuilding_);
    model_->rebuild(doc_.selectionStatistics(), !doc_.postLog().posts.empty(), doc_.clock().now());
    expandMarked(QModelIndex(), kept);
    const QModelIndex first = model_->indexOf(model_->tree().rebuiltSelection());
    if (first.isValid()) {
        setCurrentIndex(first);
        selectionModel()->select(first, QItemSelectionModel::ClearAndSelect);
    }
    applied_ = combinedText();
    appliedItems_ = persistentSelection(*selectionModel());
}

void CFilterTree::expandMarked(const QModelIndex& parent, const Expansion& kept) {
    for (int row = 0; row < model_->rowCount(parent); ++row) {
        const QModelIndex index = model_->index(row, 0, parent);
        const TreeNode* node = nodeOf(index);
        const auto known = kept.find(expansionKey(*node));
        if (!(known == kept.end() ? node->expanded : known->second)) continue;
        model_->expandItem(index);
        setExpanded(index, true);
        expandMarked(index, kept);
    }
}

CFilterTree::Expansion CFilterTree::expansion() const {
    Expansion open;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex parent = pending.back();
        pending.pop_back();
        for (int row = 0; row < model_->rowCount(parent); ++row) {
            const QModelIndex index = model_->index(row, 0, parent);
            // An item that never showed its children has nothing to keep.
            if (model_->rowCount(index) == 0) continue;
            open[expansionKey(*nodeOf(index))] = isExpanded(index);
            pending.push_back(index);
        }
    }
    return open;
}

TreeNodeSet CFilterTree::selectedNodes() const {
    TreeNodeSet nodes;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (const TreeNode* node = nodeOf(index)) nodes.insert(node);
    return nodes;
}

std::string CFilterTree::combinedText() const {
    return model_->tree().combinedText(selectedNodes());
}

void CFilterTree::announceSelection(bool force) {
    const std::string text = combinedText();
    if (force || text != applied_) return announce(text);
    // The same text: the items now selected stand for it.
    appliedItems_ = persistentSelection(*selectionModel());
}

void CFilterTree::announce(const std::string& text) {
    const unsigned serial = ++announcements_;
    const QList<QPersistentModelIndex> items = persistentSelection(*selectionModel());
    notApplied_ = false;
    {
        FlagScope scope(announcing_);
        emit filterTextChanged(text);
    }
    // A newer choice made while this one was applied decides what is shown.
    if (serial != announcements_) return;
    if (notApplied_) {
        notApplied_ = false;
        showAppliedSelection();
        return;
    }
    applied_ = text;
    appliedItems_ = items;
}

void CFilterTree::showAppliedSelection() {
    FlagScope scope(rebuilding_);
    QItemSelection items;
    for (const QPersistentModelIndex& index : appliedItems_)
        if (index.isValid()) items.select(index, index);
    selectionModel()->select(items, QItemSelectionModel::ClearAndSelect);
    if (!items.isEmpty())
        selectionModel()->setCurrentIndex(items.indexes().front(), QItemSelectionModel::NoUpdate);
}

void CFilterTree::selectionChanged() {
    if (rebuilding_ || band_) return;
    // Every change of the selection is applied, even one that gives the same text.
    announceSelection(true);
}

QModelIndex CFilterTree::findFilterItem(const std::string& text) {
    std::vector<QModelIndex> pending;
    for (int row = model_->rowCount() - 1; row >= 0; --row)
        pending.push_back(model_->index(row, 0));
    while (!pending.empty()) {
        const QModelIndex index = pending.back();
        pending.pop_back();
        const TreeNode* node = nodeOf(index);
        if (!node) continue;
        const std::string own = node->item ? node->item->text : std::string();
        const FilterKind kind = node->kind();
        if (kind == FilterKind::CustomRoot || kind == FilterKind::Custom) continue;
        if (!own.empty() && own == text) return index;
        // Only the roots and the periods that hold the text's period can hold its item.
        if (!own.empty() && !(kind != FilterKind::Leaf && text.rfind(own, 0) == 0)) continue;
        model_->expandItem(index);
        for (int row = model_->rowCount(index) - 1; row >= 0; --row)
            pending.push_back(model_->index(row, 0, index));
    }
    return {};
}

void CFilterTree::selectFilterText(const std::string& text) {
    std::vector<std::string> parts;
    const std::string_view joint = ")&(";
    if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
        const std::string inner = text.substr(1, text.size() - 2);
        for (std::size_t from = 0;;) {
            const std::size_t at = inner.find(joint, from);
            parts.push_back(inner.substr(from, at == std::string::npos ? at : at - from));
            if (at == std::string::npos) break;
            from = at + joint.size();
        }
    } else {
        parts.push_back(text);
    }
    QItemSelection items;
    QModelIndex first;
    {
        FlagScope scope(rebuilding_);
        for (const std::string& part : parts) {
            const QModelIndex found = findFilterItem(part);
            if (!found.isValid()) {
                items.clear();
                break;
            }
            if (!first.isValid()) first = found;
            items.select(found, found);
        }
        if (items.isEmpty()) first = QModelIndex();
        for (const QModelIndex& index : items.indexes())
            for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
                setExpanded(up, true);
        selectionModel()->select(items, QItemSelectionModel::ClearAndSelect);
        if (first.isValid()) {
            selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
            scrollTo(first);
        }
    }
    if (first.isValid()) {
        announceSelection(true);
        return;
    }
    // Without an item (a day without posts) the text is applied as it stands.
    announce(text);
}

void CFilterTree::selectItems(const QModelIndexList& items) {
    {
        FlagScope scope(rebuilding_);
        QItemSelection selection;
        for (const QModelIndex& index : items) {
            selection.select(index, index);
            for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
                setExpanded(up, true);
        }
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        if (!items.isEmpty()) {
            selectionModel()->setCurrentIndex(items.front(), QItemSelectionModel::NoUpdate);
            scrollTo(items.front());
        }
    }
    announceSelection(true);
}

void CFilterTree::setMultiSelection(bool on) {
    if (on == multiSelection()) return;
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
    if (on || selectionModel()->selectedIndexes().size() <= 1) return;
    // A single-selection tree keeps one item: the current one.
    const QModelIndex keep = commandItem();
    {
        FlagScope scope(rebuilding_);
        selectionModel()->clearSelection();
        if (keep.isValid()) {
            setCurrentIndex(keep);
            selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
        }
    }
    selectionChanged();
}

QModelIndex CFilterTree::commandItem() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current)) return current;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.front();
}

QModelIndex CFilterTree::findItem(const QString& path) {
    std::string bytes;
    if (!toCp932(path, bytes)) return {};
    FlagScope scope(rebuilding_);
    const QModelIndex found = model_->findPath(bytes);
    for (QModelIndex up = found.parent(); up.isValid(); up = up.parent()) setExpanded(up, true);
    return found;
}

QMenu* CFilterTree::createContextMenu() {
    const TreeNode* node = nodeOf(commandItem());
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
    } else if (node->kind() == FilterKind::Custom &&
               selectionModel()->selectedIndexes().size() == 1) {
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
    model_->addCustomFilter({dialog.name(), dialog.text()});
}

void CFilterTree::newFilter() {
    addFromDialog(newFilterName(), std::string());
}

void CFilterTree::duplicateFilter() {
    const TreeNode* node = nodeOf(commandItem());
    if (!node || node->kind() != FilterKind::Custom || !node->item->filter) return;
    const CustomFilter copy = *node->item->filter;
    addFromDialog(copy.name, copy.text);
}

void CFilterTree::newFilterFromSelection() {
    addFromDialog(newFilterName(), combinedText());
}

void CFilterTree::restoreDefaults() {
    {
        FlagScope scope(rebuilding_);
        model_->restoreDefaultFilters();
        expandMarked(QModelIndex());
    }
    // The branch's selected items went with it.
    announceSelection(false);
}

void CFilterTree::deleteFilter() {
    const QModelIndex index = commandItem();
    const TreeNode* node = nodeOf(index);
    if (!node || node->kind() != FilterKind::Custom) return;
    {
        FlagScope scope(rebuilding_);
        model_->deleteCustomFilter(index);
    }
    // A deleted filter that was selected is no longer applied.
    announceSelection(false);
}

void CFilterTree::editFilter() {
    const QModelIndex index = commandItem();
    const TreeNode* node = nodeOf(index);
    if (!node || node->kind() != FilterKind::Custom || !node->item->filter) return;
    CDlgFilter dialog(node->item->filter->name, node->item->filter->text, false, this);
    if (!execDialog(dialog)) return;
    if (!CompileFilter(dialog.text())) return;
    model_->editCustomFilter(index, {dialog.name(), dialog.text()});
    // The edited filter is selected: what is applied follows its new text.
    announceSelection(true);
}

void CFilterTree::mousePressEvent(QMouseEvent* event) {
    // A right click raises the menu of the current selection and leaves the selection as it is.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && multiSelection() && !indexAt(pos).isValid()) {
        // Outside the items a drag draws a rubber band; Ctrl adds to the selection.
        bandOrigin_ = pos;
        bandBase_ = (event->modifiers() & Qt::ControlModifier) ? selectionModel()->selection()
                                                               : QItemSelection();
        bandStart_ = selectedNodes();
        event->accept();
        return;
    }
    bandOrigin_ = QPoint(-1, -1);
    QTreeView::mousePressEvent(event);
}

void CFilterTree::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (bandOrigin_.x() < 0 || !(event->buttons() & Qt::LeftButton)) {
        QTreeView::mouseMoveEvent(event);
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
    for (QModelIndex index = model_->index(0, 0); index.isValid(); index = indexBelow(index)) {
        const QRect r = visualRect(index);
        if (r.isValid() && r.intersects(rows)) selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    event->accept();
}

void CFilterTree::mouseReleaseEvent(QMouseEvent* event) {
    if (bandOrigin_.x() < 0) {
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    bandOrigin_ = QPoint(-1, -1);
    if (!band_) return;
    delete band_;
    band_ = nullptr;
    // One selection change for the whole drag.
    if (selectedNodes() != bandStart_) selectionChanged();
    event->accept();
}

} // namespace lorvanel
