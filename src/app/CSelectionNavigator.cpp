#include "app/CSelectionNavigator.h"

#include "app/CFilterTree.h"
#include "app/FilterTreeModel.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace lorvanel {

CSelectionNavigator::CSelectionNavigator(CFilterTree& tree, QWidget* window)
    : QObject(window), tree_(tree) {
    back_ = new QAction(window->style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"),
                        window);
    back_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    forward_ = new QAction(window->style()->standardIcon(QStyle::SP_ArrowForward),
                           QStringLiteral("進む"), window);
    forward_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    for (QAction* a : {back_, forward_}) {
        a->setShortcutContext(Qt::WindowShortcut);
        a->setToolTip(a->text() + QStringLiteral(" (") +
                      a->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')'));
        // A shortcut counts only for an action the window holds.
        window->addAction(a);
    }
    connect(back_, &QAction::triggered, this, &CSelectionNavigator::goBack);
    connect(forward_, &QAction::triggered, this, &CSelectionNavigator::goForward);
    updateActions();
}

SelectionEntry CSelectionNavigator::snapshot(std::string text) const {
    SelectionEntry entry{std::move(text), {}};
    for (const QModelIndex& index : tree_.selectionModel()->selectedIndexes()) {
        std::vector<int> rows;
        for (QModelIndex at = index; at.isValid(); at = at.parent()) rows.push_back(at.row());
        std::reverse(rows.begin(), rows.end());
        entry.items.push_back(std::move(rows));
    }
    // The selection model lists items in the order they were selected; the tree's order
    // makes equal selections equal entries.
    std::sort(entry.items.begin(), entry.items.end());
    return entry;
}

CSelectionNavigator::Ticket CSelectionNavigator::beginApply(const std::string& text) {
    Ticket ticket{snapshot(text), stepping_, stepFrom_, ++generation_};
    stepping_ = false;
    return ticket;
}

void CSelectionNavigator::finishApply(const Ticket& ticket, bool applied) {
    if (ticket.step) {
        if (!applied && ticket.generation == generation_) history_.moveTo(ticket.previous);
    } else if (applied) {
        history_.record(ticket.entry);
    }
    updateActions();
}

void CSelectionNavigator::restart() {
    history_.clear();
    history_.record(snapshot(std::string()));
    updateActions();
}

void CSelectionNavigator::recordShown(const std::string& text) {
    history_.record(snapshot(text));
    updateActions();
}

void CSelectionNavigator::clear() {
    history_.clear();
    updateActions();
}

void CSelectionNavigator::goBack() {
    const std::size_t from = history_.position();
    if (const SelectionEntry* entry = history_.back()) {
        stepFrom_ = from;
        restore(*entry);
    }
}

void CSelectionNavigator::goForward() {
    const std::size_t from = history_.position();
    if (const SelectionEntry* entry = history_.forward()) {
        stepFrom_ = from;
        restore(*entry);
    }
}

void CSelectionNavigator::restore(const SelectionEntry& entry) {
    // The items by their rows, given their children on the way; when the rows no longer hold
    // items that stand for the text (the custom filters changed), the text finds its items.
    FilterTreeModel* model = tree_.itemModel();
    QModelIndexList items;
    TreeNodeSet nodes;
    for (const std::vector<int>& rows : entry.items) {
        QModelIndex at;
        for (int row : rows) {
            model->expandItem(at);
            at = model->index(row, 0, at);
            if (!at.isValid()) break;
        }
        if (!at.isValid()) {
            items.clear();
            break;
        }
        items.push_back(at);
        nodes.insert(tree_.nodeOf(at));
    }
    const bool byRows = !items.isEmpty() && tree_.model().combinedText(nodes) == entry.text;
    // The entry's own copy: the tree's announcement may record into the history.
    const std::string text = entry.text;
    stepping_ = true;
    if (byRows)
        tree_.selectItems(items);
    else
        tree_.selectFilterText(text);
    stepping_ = false;
    updateActions();
}

void CSelectionNavigator::updateActions() {
    back_->setEnabled(history_.canGoBack());
    forward_->setEnabled(history_.canGoForward());
}

} // namespace lorvanel
